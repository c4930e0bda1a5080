// The application API in a process without a host, and in debug/ignore
// mode: every operation answers its pre-set default.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "api/PICursors.h"
#include "api/PIEarthModel.h"
#include "api/PIFileDialogs.h"
#include "api/PIFileHandlers.h"
#include "api/PIFoxVersion.h"
#include "api/PINotify.h"
#include "api/PIOverlayText.h"
#include "api/PIPreferences.h"
#include "api/PIRecording.h"
#include "api/PIServerStatus.h"
#include "api/PITimeouts.h"
#include "api/PIViewports.h"
#include "bridge/PIFunctionMap.h"
#include "tests/api/CountingDelegates.h"
#include "tests/support/CapturedOutput.h"

namespace {

std::string text(int value) { return std::to_string(value); }
std::string text(unsigned int value) { return std::to_string(value) + "u"; }
std::string text(unsigned long value) { return std::to_string(value) + "ul"; }
std::string text(bool value) { return value ? "true" : "false"; }
std::string text(const std::string& value) { return '"' + value + '"'; }
std::string text(const void* value) { return value == nullptr ? "null" : "non-null"; }
std::string text(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    return digits;
}
std::string text(const std::vector<std::string>& values) {
    std::string joined;
    for (const auto& value : values) {
        joined += text(value) + ";";
    }
    return joined;
}

// An operation that returns nothing: its result text is empty.
template <typename Call>
std::function<std::string()> noResult(Call call) {
    return [call] {
        call();
        return std::string();
    };
}

// A delegate registration: its status, and how often the delegate was
// destroyed by the time it returned.
template <typename Delegate, typename Register>
std::function<std::string()> registration(Register registerIt) {
    return [registerIt] {
        apitest::Calls calls;
        const int status = registerIt(new Delegate(calls));
        return text(status) + " destroyed " + text(calls.destroyed);
    };
}

struct Case {
    const char* operation;
    std::function<std::string()> call;
    std::string result;  // the pre-set default, as text
    int requests = 1;    // requests made, each reported twice without a host
};

std::vector<Case> everyOperation() {
    return {
        {"parseAccelerator", [] { return text(PICommon::parseAccelerator("Ctrl+R")); }, "0u"},
        {"unparseAccelerator", [] { return text(PICommon::unparseAccelerator(0x52)); }, "\"\""},
        {"createAction", [] { return text(PICommon::createAction("a", "b", nullptr)); }, "1"},
        {"executeAction", [] { return text(PICommon::executeAction("a")); }, "1"},
        {"doesActionExist", [] { return text(PICommon::doesActionExist("a")); }, "false"},
        {"getHotKey", [] { return text(PICommon::getHotKey("a", 0)); }, "0u"},
        {"setHotKey", [] { return text(PICommon::setHotKey("a", 0x52, 0)); }, "1"},
        {"getActionForHotKey", [] { return text(PICommon::getActionForHotKey(0x52)); }, "\"\""},
        {"isActionEnabled", [] { return text(PICommon::isActionEnabled("a")); }, "false"},
        {"isActionChecked", [] { return text(PICommon::isActionChecked("a")); }, "false"},
        {"isActionShown", [] { return text(PICommon::isActionShown("a")); }, "false"},
        {"loadHotKeyFile", [] { return text(PICommon::loadHotKeyFile("f")); }, "1"},
        {"saveHotKeyFile", noResult([] { PICommon::saveHotKeyFile("f"); }), ""},
        {"setActionEnabled", [] { return text(PICommon::setActionEnabled("a", true)); }, "1"},
        {"setActionChecked", [] { return text(PICommon::setActionChecked("a", true)); }, "1"},
        {"setActionVisible", [] { return text(PICommon::setActionVisible("a", true)); }, "1"},
        {"getActionNames",
         [] {
             std::vector<std::string> names = {"x", "y"};
             PICommon::getActionNames(names);
             return text(names);
         },
         "\"x\";\"y\";"},
        {"initializeHotKey", [] { return text(PICommon::initializeHotKey("a", 0x52)); }, "1"},

        {"createViewport", noResult([] { PICommon::createViewport(1, "v", 0, 0, 1, 1); }), ""},
        {"toggleViewport", noResult([] { PICommon::toggleViewport("v", true); }), ""},
        {"setViewport", noResult([] { PICommon::setViewport("v"); }), ""},
        {"getViewport", [] { return text(PICommon::getViewport(0)); }, "\"\""},
        {"getNumViewports", [] { return text(PICommon::getNumViewports()); }, "0"},
        {"nextViewport", noResult([] { PICommon::nextViewport(); }), ""},
        {"deleteViewport", noResult([] { PICommon::deleteViewport("v"); }), ""},
        {"deleteAllViewports", noResult([] { PICommon::deleteAllViewports(); }), ""},
        {"forceOpenGLRedraw", noResult([] { PICommon::forceOpenGLRedraw(); }), ""},
        {"registerDrawOnRefreshPriority", [] { return text(PICommon::registerDrawOnRefreshPriority(3)); },
         "1"},
        {"createOverlayText", [] { return text(PICommon::createOverlayText(nullptr)); }, "0"},
        {"updateOverlayText", [] { return text(PICommon::updateOverlayText(1, nullptr)); }, "1"},
        {"removeOverlayText", [] { return text(PICommon::removeOverlayText(1)); }, "1"},
        {"getOverlayText",
         [] {
             PICommon::PIOverlayText out;
             out.text = "kept";
             return text(PICommon::getOverlayText(1, &out)) + " " + text(out.text);
         },
         "1 \"kept\""},
        {"setOverlayTextBackgroundColor", [] { return text(PICommon::setOverlayTextBackgroundColor(1, 2)); },
         "1"},
        {"getOverlayTextBackgroundColor",
         [] {
             unsigned int color = 0xABCDEF01u;
             return text(PICommon::getOverlayTextBackgroundColor(1, &color)) + " " + text(color);
         },
         "1 2882400001u"},
        {"rangeCalculateValue", [] { return text(PICommon::rangeCalculateValue(1, 2, 3, {})); },
         "-999999999"},
        {"checkEarthEclipse", [] { return text(PICommon::checkEarthEclipse(1)); }, "-1"},

        {"registerFileHandler", noResult([] { PICommon::registerFileHandler("a", "b", 1); }), ""},
        {"registerNetworkHandler", noResult([] { PICommon::registerNetworkHandler("a"); }), ""},
        {"registerFileExportHandler(FileExportDelegate*)", registration<apitest::ExportDelegate>([](auto* d) {
             return PICommon::registerFileExportHandler("a", "b", d, 1);
         }),
         "1 destroyed 1"},
        {"registerFileOpenAdvancedGui(FileExportDelegate*)",
         registration<apitest::ExportDelegate>(
             [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d); }),
         "1 destroyed 1"},
        {"registerFileExportHandler(FileImportExportDelegate*)",
         registration<apitest::ImportExportDelegate>(
             [](auto* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); }),
         "1 destroyed 1"},
        {"registerFileExportHandler(FileImportExportDelegateV2*)",
         registration<apitest::ImportExportDelegateV2>(
             [](auto* d) { return PICommon::registerFileExportHandler("a", "b", d, 1); }),
         "1 destroyed 1"},
        {"registerFileOpenAdvancedGui(FileImportExportDelegate*)",
         registration<apitest::ImportExportDelegate>(
             [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d); }),
         "1 destroyed 1"},
        {"registerFileOpenAdvancedGui(FileImportExportDelegateV2*)",
         registration<apitest::ImportExportDelegateV2>(
             [](auto* d) { return PICommon::registerFileOpenAdvancedGui("a", "b", d, 1); }),
         "1 destroyed 1"},

        {"getPluginToolbar", [] { return text(PICommon::getPluginToolbar()); }, "null"},
        {"getPluginMenuPane", [] { return text(PICommon::getPluginMenuPane()); }, "null"},
        {"getApplication", [] { return text(PICommon::getApplication()); }, "null"},
        {"getMainWindowHandle", [] { return text(PICommon::getMainWindowHandle()); }, "0ul"},
        {"getMainWindow", [] { return text(PICommon::getMainWindow()); }, "null"},
        {"getApplicationName", [] { return text(PICommon::getApplicationName()); }, "\"Unknown\""},
        {"getApplicationId", [] { return text(PICommon::getApplicationId()); }, "0"},
        {"getApplicationVersion", [] { return text(PICommon::getApplicationVersion()); }, "0"},
        {"getApplicationPluginVersion()", [] { return text(PICommon::getApplicationPluginVersion()); }, "0"},
        {"getApplicationPluginVersion(major, minor, revision)",
         [] {
             int major = 4, minor = 5, revision = 6;
             const int status = PICommon::getApplicationPluginVersion(major, minor, revision);
             return text(status) + " " + text(major) + "." + text(minor) + "." + text(revision);
         },
         "1 0.0.0"},
        {"getApplicationPluginVersionBuildNumber",
         [] { return text(PICommon::getApplicationPluginVersionBuildNumber()); }, "0"},
        {"unloadSelf", noResult(PICommon::unloadSelf), ""},
        {"registerFoxVersion", [] { return text(PICommon::registerFoxVersion(1, 6)); }, "1"},
        {"verifyFoxVersion", [] { return text(PICommon::verifyFoxVersion()); }, "false"},
        {"verifyFoxVersionDirectAccess", [] { return text(PICommon::verifyFoxVersionDirectAccess()); },
         "false"},
        {"debugPrint", noResult([] { PICommon::debugPrint("x"); }), ""},
        {"debugMsgBox", noResult([] { PICommon::debugMsgBox("a", "b", nullptr); }), ""},
        {"setNotifyLevel", noResult([] { PICommon::setNotifyLevel({}); }), ""},
        {"getNotifyLevel", [] { return text(PICommon::getNotifyLevel()); }, "5"},
        {"notify", noResult([] { PICommon::notify("a", {}, "b"); }), ""},
        {"showToastNotification", [] { return text(PICommon::showToastNotification("t", {})); }, "1"},
        {"loadPrefsFile", [] { return text(PICommon::loadPrefsFile("f")); }, "1"},
        {"savePrefsFile", noResult([] { PICommon::savePrefsFile("f"); }), ""},

        {"showFileLoadDialog",
         [] { return text(PICommon::showFileLoadDialog("a", "b", "c", "d", true, nullptr, "e")); }, "\"\""},
        {"showFileSaveDialog",
         [] { return text(PICommon::showFileSaveDialog("a", "b", "c", true, "d", nullptr, "e")); }, "\"\""},
        {"setStoredDirectory", noResult([] { PICommon::setStoredDirectory("a", "b", "c"); }), ""},
        {"showDirectorySelectDialog",
         [] { return text(PICommon::showDirectorySelectDialog("a", "b", "c", nullptr, "d")); }, "\"\""},
        {"beginWaitCursor", noResult(PICommon::beginWaitCursor), ""},
        {"endWaitCursor", noResult(PICommon::endWaitCursor), ""},
        {"beginCursorOverride", noResult([] { PICommon::beginCursorOverride({}); }), ""},
        {"endCursorOverride", noResult(PICommon::endCursorOverride), ""},
        {"createTimeout", [] { return text(PICommon::createTimeout(5, nullptr)); }, "null"},
        {"removeTimeout", [] { return text(PICommon::removeTimeout(reinterpret_cast<void*>(8))); }, "0"},
        {"removeTimeout(null)", [] { return text(PICommon::removeTimeout(nullptr)); }, "0", 0},
        {"startRecording", [] { return text(PICommon::startRecording("f", true, true, 1, true, 2, 3)); },
         "3"},
        {"stopRecording", [] { return text(PICommon::stopRecording()); }, "3"},
        {"setServerStatus", noResult([] { PICommon::setServerStatus({}); }), ""},
        {"getServerStatus", [] { return text(PICommon::getServerStatus()); }, "3"},
        {"setServerStatusColor", noResult([] { PICommon::setServerStatusColor(1); }), ""},
        {"getServerStatusColor", [] { return text(PICommon::getServerStatusColor()); }, "0u"},
        {"isNetworkEnabled", [] { return text(PICommon::isNetworkEnabled()); }, "true"},
    };
}

std::string repeated(const std::string& message, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += message;
    }
    return all;
}

TEST(ApiWithoutHost, every_operation_reports_the_missing_host_and_returns_its_default) {
    _initializePluginFunctionMap();
    ASSERT_EQ(g_FunctionMap, nullptr) << "this process must not contain a host";
    for (const auto& c : everyOperation()) {
        SCOPED_TRACE(c.operation);
        std::string result;
        const auto output = pitest::captureOutput([&] { result = c.call(); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(output.err, repeated(pitest::kNoHostMessage, 2 * c.requests));
        EXPECT_EQ(output.out, "");
    }
}

TEST(ApiInDebugIgnoreMode, every_operation_silently_returns_its_default) {
    __setDebugIgnore(true);
    for (const auto& c : everyOperation()) {
        SCOPED_TRACE(c.operation);
        std::string result;
        const auto output = pitest::captureOutput([&] { result = c.call(); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(output.err, "");
        EXPECT_EQ(output.out, "");
    }
}

}  // namespace
