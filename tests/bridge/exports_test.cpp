// What a shared object built from the client library exports: the API, its
// classes' vtables and type information, and the globals, and nothing of the
// library's internals.

#include <gtest/gtest.h>

#include "tests/support/ExportProbe.h"

namespace {

class Exports : public pitest::ExportProbe {};

TEST_F(Exports, the_api_and_globals_are_visible) {
    const char* const symbols[] = {
        "g_FunctionMap",
        "g_This",
        "g_DefaultOpts",
        "g_FunctorList",
        "g_ClientMessageMap",
        "_Z6handle19PIServerFunctions_tPv",   // handle
        "_Z28_initializePluginFunctionMapv",  // _initializePluginFunctionMap
        "_Z16__setDebugIgnoreb",              // __setDebugIgnore
        "_ZN6PIBase12majorVersionEv",
        "_ZN6PIBase13versionStringEv",  // reference-counted std::string: no cxx11 tag
        "_ZN6PIBase16legacyApiVersionEv",
        "_ZN6PIBase24getOverriddenThisPointerEv",
        "_ZN6PIBase23pushOverrideThisPointerEPv",
        "_ZN6PIBase22popOverrideThisPointerEv",
        "_ZTV9Functor__",
        "_ZTI9Functor__",
        "_ZTV13IgnoreFunctor",
        "_ZTI13IgnoreFunctor",
        "_ZTI18PI_DATA_BASE_CLASS",
        "_ZTI16PI_DATA_CATCHALL",
        "_ZN16PI_DATA_CATCHALLC1Ev",
        "_ZN24PI_REGISTER_HANDLER_DATAC1Ev",
        "_ZN8PICommon24FileImportExportDelegate6APPENDE",
        "_ZN8PICommon20FileExportDelegateV26APPENDE",
    };
    for (const char* symbol : symbols) {
        EXPECT_TRUE(exported(symbol)) << symbol;
    }
}

TEST_F(Exports, the_internals_are_hidden) {
    const char* const symbols[] = {
        "_ZN8PIBridge17reportMissingHostEv",
        "_ZN8PIBridge19legacyVersionNumberEiii",
    };
    for (const char* symbol : symbols) {
        EXPECT_FALSE(exported(symbol)) << symbol;
    }
}

}  // namespace
