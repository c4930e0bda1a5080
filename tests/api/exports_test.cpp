// What a plug-in's shared object built from the client library exports of
// the application API: one operation of every family, under the names a
// plug-in compiled with the reference-counted string links against, and
// the delegate classes' vtables and type information (the adapter's run-time
// type test and the host's use of a delegate cross the object's boundary).

#include <gtest/gtest.h>

#include "tests/support/ExportProbe.h"

namespace {

class ApiExports : public pitest::ExportProbe {};

TEST_F(ApiExports, one_operation_of_every_family_and_the_delegate_classes_are_visible) {
    const char* const symbols[] = {
        "_ZN8PICommon16initializeHotKeyERKSsj",
        "_ZN8PICommon11getViewportEi",
        "_ZN8PICommon17createOverlayTextEPKNS_13PIOverlayTextE",
        "_ZN8PICommon19rangeCalculateValueEmmmNS_26PIEarthModelCalculations_tE",
        "_ZN8PICommon18getApplicationNameEv",
        "_ZN8PICommon28verifyFoxVersionDirectAccessEv",
        "_ZN8PICommon11debugMsgBoxERKSsS1_PN5PIGUI8PIWindowE",
        "_ZN8PICommon13loadPrefsFileERKSs",
        "_ZN8PICommon18showFileSaveDialogERKSsS1_S1_bS1_PN5PIGUI8PIWindowES1_",
        "_ZN8PICommon19beginCursorOverrideENS_15PICursorShape_tE",
        "_ZN8PICommon13removeTimeoutEPv",
        "_ZN8PICommon14startRecordingERKSsbbdbdd",
        "_ZN8PICommon15getServerStatusEv",
        "_ZN8PICommon22registerNetworkHandlerERKSs",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_18FileExportDelegateEi",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_24FileImportExportDelegateEi",
        "_ZN8PICommon25registerFileExportHandlerERKSsS1_PNS_26FileImportExportDelegateV2Ei",
        "_ZTIN8PICommon18FileExportDelegateE",
        "_ZTIN8PICommon20FileExportDelegateV2E",
        "_ZTIN8PICommon24FileImportExportDelegateE",
        "_ZTIN8PICommon26FileImportExportDelegateV2E",
        "_ZTIN8PICommon25FileExportDelegateAdapterE",
        "_ZTVN8PICommon25FileExportDelegateAdapterE",
    };
    for (const char* symbol : symbols) {
        EXPECT_TRUE(exported(symbol)) << symbol;
    }
}

}  // namespace
