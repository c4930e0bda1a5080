// What a shared object built from the client library exports: the API, its
// classes' vtables and type information, and the globals, under the names a
// plug-in compiled with the reference-counted string links against, and
// nothing of the library's internals.

#include <gtest/gtest.h>

#include "tests/support/ExportProbe.h"

namespace {

class Exports : public pitest::ExportProbe {};

TEST_F(Exports, the_api_its_classes_and_the_globals_are_visible) {
    // clang-format off
    const char* const symbols[] = {
        "g_FunctionMap", "g_This", "g_DefaultOpts", "g_FunctorList", "g_ClientMessageMap", "g_PI_GarbageCollector",
        "_Z6handle19PIServerFunctions_tPv", "_Z28_initializePluginFunctionMapv", "_Z16__setDebugIgnoreb",
        "_ZN6PIBase12majorVersionEv", "_ZN6PIBase13versionStringEv", "_ZN6PIBase16legacyApiVersionEv",
        "_ZN6PIBase24getOverriddenThisPointerEv", "_ZN6PIBase23pushOverrideThisPointerEPv",
        "_ZN6PIBase22popOverrideThisPointerEv", "_ZTV9Functor__", "_ZTI9Functor__", "_ZTV13IgnoreFunctor",
        "_ZTI13IgnoreFunctor", "_ZTI18PI_DATA_BASE_CLASS", "_ZTI16PI_DATA_CATCHALL", "_ZN16PI_DATA_CATCHALLC1Ev",
        "_ZN24PI_REGISTER_HANDLER_DATAC1Ev", "_ZN8PICommon24FileImportExportDelegate6APPENDE",
        "_ZN8PICommon20FileExportDelegateV26APPENDE",
        // One operation of every family of the application API.
        "_ZN8PICommon16initializeHotKeyERKSsj", "_ZN8PICommon11getViewportEi",
        "_ZN8PICommon17createOverlayTextEPKNS_13PIOverlayTextE",
        "_ZN8PICommon19rangeCalculateValueEmmmNS_26PIEarthModelCalculations_tE",
        "_ZN8PICommon18getApplicationNameEv", "_ZN8PICommon28verifyFoxVersionDirectAccessEv",
        "_ZN8PICommon11debugMsgBoxERKSsS1_PN5PIGUI8PIWindowE", "_ZN8PICommon13loadPrefsFileERKSs",
        "_ZN8PICommon18showFileSaveDialogERKSsS1_S1_bS1_PN5PIGUI8PIWindowES1_",
        "_ZN8PICommon19beginCursorOverrideENS_15PICursorShape_tE", "_ZN8PICommon13removeTimeoutEPv",
        "_ZN8PICommon14startRecordingERKSsbbdbdd", "_ZN8PICommon15getServerStatusEv",
        "_ZN8PICommon22registerNetworkHandlerERKSs",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_18FileExportDelegateEi",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_24FileImportExportDelegateEi",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_26FileImportExportDelegateV2Ei",
        "_ZTIN8PICommon18FileExportDelegateE", "_ZTIN8PICommon20FileExportDelegateV2E",
        "_ZTIN8PICommon24FileImportExportDelegateE", "_ZTIN8PICommon26FileImportExportDelegateV2E",
        "_ZTIN8PICommon25FileExportDelegateAdapterE", "_ZTVN8PICommon25FileExportDelegateAdapterE",
        // The GUI proxies' operations, free functions and collector.
        "_ZTV8PIObject", "_ZTI8PIObject", "_ZTV18PIGarbageCollector", "_ZTI18PIGarbageCollector",
        "_ZTIN5PIGUI11PIDialogBox13CloseObserverE", "_ZN8PIObjectC1Ev", "_ZN18PIGarbageCollectorD1Ev",
        "_ZN5PIGUI24AddObjectToServerGarbageEP8PIObject", "_ZN5PIGUI29RemoveObjectFromServerGarbageEP8PIObject",
        "_ZN5PIGUI8PIWindowC1Eiiiiiiiii", "_ZN5PIGUI8PIWindow4showEv",
        "_ZN5PIGUI11PIDialogBoxC1ERKSsPNS_6PIIconEiiiiiiiii", "_ZN5PIGUI11PITabWidget6addTabERKSs",
        "_ZNK5PIGUI22PIVertFrameFactoryImpl16newVerticalFrameEPvb",
        "_ZN5PIGUI9PISpinnerC1EPNS_8PICanvasEiiiP18FunctorTwoParams__iiiiiii", "_ZN5PIGUI6PIList10clearItemsEv",
        "_ZN5PIGUI8PIButton12getFoxButtonEv", "_ZN5PIGUI10PIRegistry8getValueERKSs", "_ZN5PIGUI9grabMouseEv",
        "_ZN5PIGUI11ungrabMouseEv", "_ZN5PIGUI29translateCoordsFromMainWindowEPiS0_ii",
    };
    // clang-format on
    for (const char* symbol : symbols) {
        EXPECT_TRUE(exported(symbol)) << symbol;
    }
    // Every proxy class's vtable and type information.
    // clang-format off
    const char* const classes[] = {
        "PIWindow", "PICanvas", "PIVerticalFrame", "PIHorizontalFrame", "PIVerticalMatrix", "PIHorizontalMatrix",
        "PIGroupBox", "PISwitcher", "PIDialogBox", "PITabWidget", "PIVertFrameWrapper", "PIVerticalFrameFactory",
        "PIVertFrameFactoryImpl", "PIButton", "PICheckButton", "PIRadioButton", "PIToolbarButton", "PILabel",
        "PITextField", "PISpinner", "PIOptionMenu", "PIColorWell", "PIList", "PIMenu", "PIMenuItem",
        "PIMenuSeparator", "PIIcon", "PIRegistry", "PIProgressDialog"};
    // clang-format on
    for (const std::string name : classes) {
        const std::string nested = "N5PIGUI" + std::to_string(name.size()) + name + "E";
        EXPECT_TRUE(exported("_ZTV" + nested) && exported("_ZTI" + nested)) << name;
    }
}

TEST_F(Exports, the_internals_are_hidden) {
    for (const char* symbol : {"_ZN8PIBridge17reportMissingHostEv", "_ZN8PIBridge19legacyVersionNumberEiii",
                               "_ZN5PIGUI6detail12bindToServerEP8PIObject", "_ZN5PIGUI6detail9foxObjectEPv",
                               "_ZN5PIGUI6detail11noFoxObjectEv"}) {
        EXPECT_FALSE(exported(symbol)) << symbol;
    }
}

}  // namespace
