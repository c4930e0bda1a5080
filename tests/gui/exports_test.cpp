// What a shared object built from the client library exports of the GUI
// proxies: every class's vtable and type information, their operations, the
// free functions and the collector, and none of the shared internals.

#include <gtest/gtest.h>

#include "tests/support/ExportProbe.h"

namespace {

class GuiExports : public pitest::ExportProbe {};

TEST_F(GuiExports, every_proxy_class_has_its_vtable_and_type_information_visible) {
    const char* const classes[] = {
        "PIWindow",
        "PICanvas",
        "PIVerticalFrame",
        "PIHorizontalFrame",
        "PIVerticalMatrix",
        "PIHorizontalMatrix",
        "PIGroupBox",
        "PISwitcher",
        "PIDialogBox",
        "PITabWidget",
        "PIVertFrameWrapper",
        "PIVerticalFrameFactory",
        "PIVertFrameFactoryImpl",
        "PIButton",
        "PICheckButton",
        "PIRadioButton",
        "PIToolbarButton",
        "PILabel",
        "PITextField",
        "PISpinner",
        "PIOptionMenu",
        "PIColorWell",
        "PIList",
        "PIMenu",
        "PIMenuItem",
        "PIMenuSeparator",
        "PIIcon",
        "PIRegistry",
        "PIProgressDialog",
    };
    for (const std::string name : classes) {
        const std::string nested = "N5PIGUI" + std::to_string(name.size()) + name + "E";
        EXPECT_TRUE(exported("_ZTV" + nested)) << name;
        EXPECT_TRUE(exported("_ZTI" + nested)) << name;
    }
    for (const std::string symbol :
         {"_ZTV8PIObject", "_ZTI8PIObject", "_ZTV18PIGarbageCollector", "_ZTI18PIGarbageCollector",
          "_ZTIN5PIGUI11PIDialogBox13CloseObserverE"}) {
        EXPECT_TRUE(exported(symbol)) << symbol;
    }
}

TEST_F(GuiExports, operations_free_functions_and_the_collector_are_visible) {
    const char* const symbols[] = {
        "g_PI_GarbageCollector",
        "_ZN8PIObjectC1Ev",
        "_ZN18PIGarbageCollectorD1Ev",
        "_ZN5PIGUI24AddObjectToServerGarbageEP8PIObject",
        "_ZN5PIGUI29RemoveObjectFromServerGarbageEP8PIObject",
        "_ZN5PIGUI8PIWindowC1Eiiiiiiiii",
        "_ZN5PIGUI8PIWindow4showEv",
        "_ZN5PIGUI11PIDialogBoxC1ERKSsPNS_6PIIconEiiiiiiiii",  // reference-counted std::string
        "_ZN5PIGUI11PITabWidget6addTabERKSs",
        "_ZNK5PIGUI22PIVertFrameFactoryImpl16newVerticalFrameEPvb",
        "_ZN5PIGUI9PISpinnerC1EPNS_8PICanvasEiiiP18FunctorTwoParams__iiiiiii",
        "_ZN5PIGUI6PIList10clearItemsEv",
        "_ZN5PIGUI8PIButton12getFoxButtonEv",
        "_ZN5PIGUI10PIRegistry8getValueERKSs",
        "_ZN5PIGUI9grabMouseEv",
        "_ZN5PIGUI11ungrabMouseEv",
        "_ZN5PIGUI29translateCoordsFromMainWindowEPiS0_ii",
    };
    for (const char* symbol : symbols) {
        EXPECT_TRUE(exported(symbol)) << symbol;
    }
}

TEST_F(GuiExports, the_shared_request_helpers_are_hidden) {
    for (const char* symbol : {"_ZN5PIGUI6detail12bindToServerEP8PIObject", "_ZN5PIGUI6detail9foxObjectEPv",
                               "_ZN5PIGUI6detail11noFoxObjectEv"}) {
        EXPECT_FALSE(exported(symbol)) << symbol;
    }
}

}  // namespace
