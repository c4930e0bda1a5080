// The simulated host's application information, messages, preferences,
// dialogs, cursors, time-outs, recording, server status, handlers and
// delegates, through the library's calls.

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "api/PIApplication.h"
#include "api/PICursors.h"
#include "api/PIFileDialogs.h"
#include "api/PIFileHandlers.h"
#include "api/PIFoxVersion.h"
#include "api/PINotify.h"
#include "api/PIPreferences.h"
#include "api/PIRecording.h"
#include "api/PIServerStatus.h"
#include "api/PITimeouts.h"
#include "tests/api/CountingDelegates.h"
#include "tests/sim/PluginCallback.h"
#include "tests/sim/SimTestSupport.h"

namespace {

using simtest::Callback;
using simtest::str;
using namespace PICommon;

class Session : public simtest::WithSimulator {};

TEST_F(Session, the_host_tells_who_it_is) {
    int major = -1, minor = -1, revision = -1;
    simtest::runSteps({
        {"name", [] { return getApplicationName(); }, "KARVEN"},
        {"id", [] { return str(getApplicationId()); }, "1"},
        {"version", [] { return std::to_string(getApplicationVersion()); }, std::to_string(7.4)},
        {"plug-in version", [] { return std::to_string(getApplicationPluginVersion()); },
         std::to_string(1.28)},
        {"version numbers", [&] { return str(getApplicationPluginVersion(major, minor, revision)); }, "0"},
        {"major", [&] { return str(major); }, "1"},
        {"minor", [&] { return str(minor); }, "28"},
        {"revision", [&] { return str(revision); }, "0"},
        {"build number", [] { return str(getApplicationPluginVersionBuildNumber()); }, "12800"},
        {"main window handle", [] { return std::to_string(getMainWindowHandle()); },
         std::to_string(0x3A00007)},
    });
    const void* objects[] = {getPluginToolbar(), getPluginMenuPane(), getApplication(), getMainWindow()};
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        EXPECT_NE(objects[i], nullptr) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(objects[i], objects[j]) << i << ", " << j;
    }
    EXPECT_EQ(getMainWindow(), objects[3]) << "the same object every time";
}

TEST_F(Session, a_test_sets_the_hosts_identity) {
    karvensim::Identity& identity = state().identity;
    identity.name = "KARVEN Lab";
    identity.pluginVersionNumbers = {2, 3, 4};
    identity.mainWindowHandle = 0x1234;
    EXPECT_EQ(getApplicationName(), "KARVEN Lab");
    EXPECT_EQ(getApplicationPluginVersionBuildNumber(), 20304);
    EXPECT_EQ(getMainWindowHandle(), 0x1234u);
}

TEST_F(Session, the_toolkit_handshake_judges_the_registered_version) {
    simtest::runSteps({
        {"nothing registered", [] { return str(verifyFoxVersion()); }, "false"},
        {"register 1.5", [] { return str(registerFoxVersion(1, 5)); }, "0"},
        {"1.5 compatible", [] { return str(verifyFoxVersion()); }, "true"},
        {"1.5 not for direct access", [] { return str(verifyFoxVersionDirectAccess()); }, "false"},
        {"register 1.6", [] { return str(registerFoxVersion(1, 6)); }, "0"},
        {"1.6 for direct access", [] { return str(verifyFoxVersionDirectAccess()); }, "true"},
        {"register 1.7", [] { return str(registerFoxVersion(1, 7)); }, "0"},
        {"1.7 too new", [] { return str(verifyFoxVersion()); }, "false"},
        {"register 2.0", [] { return str(registerFoxVersion(2, 0)); }, "0"},
        {"2.0 incompatible", [] { return str(verifyFoxVersion()); }, "false"},
    });
}

TEST_F(Session, messages_are_collected_in_order) {
    setNotifyLevel(NotifySeverity(4));
    EXPECT_EQ(getNotifyLevel(), 4);
    notify("Track lost", NotifySeverity(3), "Radar 2");
    notify("Track regained", NotifySeverity(1), "");
    EXPECT_EQ(showToastNotification("Saved", ToastDuration(2)), 0);
    EXPECT_EQ(showToastNotification("", ToastDuration(1)), 2);
    EXPECT_EQ(showToastNotification("Loaded", ToastDuration(0)), 0);
    debugPrint("first");
    debugPrint("second line");
    debugMsgBox("Title", "Body", nullptr);
    unloadSelf();

    const auto& s = state();
    ASSERT_EQ(s.notifications.size(), 2u);
    EXPECT_EQ((std::tuple(s.notifications[0].text1, s.notifications[0].severity, s.notifications[0].text2)),
              std::tuple(std::string("Track lost"), 3, std::string("Radar 2")));
    EXPECT_EQ(s.notifications[1].text1, "Track regained");
    ASSERT_EQ(s.toasts.size(), 2u);
    EXPECT_EQ((std::tuple(s.toasts[0].text, s.toasts[0].duration, s.toasts[1].text, s.toasts[1].duration)),
              std::tuple(std::string("Saved"), 2, std::string("Loaded"), 0));
    EXPECT_EQ(s.debugOutput, (std::vector<std::string>{"first", "second line"}));
    ASSERT_EQ(s.messageBoxes.size(), 1u);
    EXPECT_EQ((std::tuple(s.messageBoxes[0].text1, s.messageBoxes[0].text2, s.messageBoxes[0].parent)),
              std::tuple(std::string("Title"), std::string("Body"), static_cast<const void*>(nullptr)));
    EXPECT_EQ(s.unloadRequests, std::vector<const void*>{karvensim::Simulator::pluginContext()});
}

TEST_F(Session, preferences_are_saved_and_loaded_as_a_whole) {
    const std::map<std::string, std::string> values = {
        {"display/units", "metric"}, {"a=b", "c=d"},    {"#not a comment", "x"}, {"back\\slash", "\\n"},
        {"two\nlines", "and\ntwo"},  {"", "empty key"}, {"empty value", ""},     {" spaced ", " out "},
    };
    state().preferences = values;
    const std::string file = tempPath("prefs");
    savePrefsFile(file);
    state().preferences = {{"other", "value"}};
    EXPECT_EQ(loadPrefsFile(file), 0);
    EXPECT_EQ(state().preferences, values);
}

TEST_F(Session, a_preferences_file_that_cannot_be_read_changes_nothing) {
    const std::string malformed = tempPath("malformed");
    std::ofstream(malformed) << "good=1\nbad\n";
    const std::string dangling = tempPath("dangling");
    std::ofstream(dangling) << "good=1\\\n";
    state().preferences = {{"kept", "yes"}};
    EXPECT_EQ(loadPrefsFile(tempPath("missing")), 2);
    EXPECT_EQ(loadPrefsFile(malformed), 3);
    EXPECT_EQ(loadPrefsFile(dangling), 3);
    EXPECT_EQ(state().preferences, (std::map<std::string, std::string>{{"kept", "yes"}}));
}

TEST_F(Session, dialogs_answer_what_the_test_queued_then_cancel) {
    application().queueDialogAnswer("/data/track.csv");
    application().queueDialogAnswer("/data/out.kml");
    EXPECT_EQ(showFileLoadDialog("Open track", "/data", "*.csv", "CSV", true, nullptr, "tracks"),
              "/data/track.csv");
    EXPECT_EQ(showFileSaveDialog("Save as", "/data", "*.kml", false, "KML", nullptr, "exports"),
              "/data/out.kml");
    EXPECT_EQ(showDirectorySelectDialog("Pick", "/data", "x", nullptr, "dirs"), "")
        << "nothing queued: cancelled";
    application().queueDialogAnswer("");
    application().queueDialogAnswer("/late");
    EXPECT_EQ(showFileLoadDialog("a", "b", "c", "d", false, nullptr, "e"), "") << "an empty answer cancels";
    setStoredDirectory("tracks", "/data", "csv");

    const auto& dialogs = state().dialogs;
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].kind, "load");
    EXPECT_EQ(dialogs[0].texts, (std::vector<std::string>{"Open track", "/data", "*.csv", "CSV", "tracks"}));
    EXPECT_TRUE(dialogs[0].flag);
    EXPECT_EQ(dialogs[1].kind, "save");
    EXPECT_EQ(dialogs[1].texts, (std::vector<std::string>{"Save as", "/data", "*.kml", "KML", "exports"}));
    EXPECT_FALSE(dialogs[1].flag);
    EXPECT_EQ(dialogs[2].kind, "directory");
    EXPECT_EQ(dialogs[2].texts, (std::vector<std::string>{"Pick", "/data", "x", "dirs"}));
    EXPECT_EQ(dialogs[2].answer, "");
    EXPECT_EQ(state().dialogAnswers, std::deque<std::string>{"/late"});
    EXPECT_EQ(state().storedDirectories.at("tracks"), (std::array<std::string, 2>{"/data", "csv"}));
}

TEST_F(Session, cursors_keep_a_wait_depth_and_a_stack_of_overrides) {
    beginWaitCursor();
    beginWaitCursor();
    endWaitCursor();
    EXPECT_EQ(state().waitCursor, 1);
    endWaitCursor();
    endWaitCursor();
    EXPECT_EQ(state().waitCursor, 0) << "an unmatched end is ignored";
    beginCursorOverride(PICursorShape_t(4));
    beginCursorOverride(PICursorShape_t(7));
    endCursorOverride();
    EXPECT_EQ(state().cursorOverrides, std::vector<int32_t>{4});
    endCursorOverride();
    endCursorOverride();
    EXPECT_TRUE(state().cursorOverrides.empty());
}

TEST_F(Session, time_outs_fire_in_order_of_due_time_once) {
    std::vector<std::string> order;
    Callback slow([&](void*) { order.push_back("slow"); });
    Callback fast([&](void*) { order.push_back("fast"); });
    Callback alsoFast([&](void*) { order.push_back("alsoFast"); });
    Callback removed([&](void*) { order.push_back("removed"); });
    void* slowHandle = createTimeout(300, &slow);
    void* fastHandle = createTimeout(100, &fast);
    void* alsoFastHandle = createTimeout(100, &alsoFast);
    void* removedHandle = createTimeout(50, &removed);
    const std::set<void*> handles{slowHandle, fastHandle, alsoFastHandle, removedHandle};
    EXPECT_EQ(handles.size(), 4u);
    EXPECT_EQ(handles.count(nullptr), 0u);
    EXPECT_EQ(removeTimeout(removedHandle), 0);
    EXPECT_EQ(removeTimeout(removedHandle), 0) << "removing twice is harmless";
    EXPECT_EQ(state().timeouts.size(), 3u);

    EXPECT_EQ(application().fireTimeouts(), 3);
    EXPECT_EQ(order, (std::vector<std::string>{"fast", "alsoFast", "slow"}));
    EXPECT_EQ(slow.sources, std::vector<void*>{slowHandle}) << "the callback gets its time-out's handle";
    EXPECT_EQ(slow.datas, std::vector<void*>{nullptr});
    EXPECT_EQ(state().clock, 300);
    EXPECT_EQ(application().fireTimeouts(), 0) << "a time-out fires once";
    EXPECT_EQ(state().timeoutsFired, 3);
    EXPECT_EQ(createTimeout(10, nullptr), nullptr) << "no callback, no time-out";
}

TEST_F(Session, callbacks_of_time_outs_create_and_remove_time_outs) {
    int laterRuns = 0;
    Callback later([&](void*) { ++laterRuns; });
    Callback victim;
    void* victimHandle = nullptr;
    void* laterHandle = nullptr;
    Callback first([&](void*) {
        removeTimeout(victimHandle);
        laterHandle = createTimeout(0, &later);
    });
    createTimeout(10, &first);
    victimHandle = createTimeout(20, &victim);
    EXPECT_EQ(application().fireTimeouts(), 1);
    EXPECT_EQ(victim.runs(), 0);
    EXPECT_EQ(laterRuns, 0) << "created while firing: waits for the next round";
    ASSERT_EQ(state().timeouts.size(), 1u);
    EXPECT_EQ(state().timeouts[0].due, 10) << "due after the interval from the time it was created";
    EXPECT_EQ(application().fireTimeouts(), 1);
    EXPECT_EQ(later.sources, std::vector<void*>{laterHandle});
}

TEST_F(Session, recording_starts_and_stops) {
    simtest::runSteps({
        {"stop while idle", [] { return str(stopRecording()); }, "1"},
        {"start without a file", [] { return str(startRecording("", true, true, 1, true, 2, 3)); }, "2"},
        {"start", [] { return str(startRecording("/tmp/run.avi", true, false, 25.0, true, 0.5, -3.0)); },
         "0"},
        {"start while recording",
         [] { return str(startRecording("/tmp/b.avi", false, false, 0, false, 0, 0)); }, "1"},
        {"stop", [] { return str(stopRecording()); }, "0"},
        {"stop again", [] { return str(stopRecording()); }, "1"},
        {"start anew", [] { return str(startRecording("/tmp/c.avi", false, false, 0, false, 0, 0)); }, "0"},
    });
    const auto& sessions = state().recordings;
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_EQ(sessions[0].fileName, "/tmp/run.avi");
    EXPECT_EQ(sessions[0].flags, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(sessions[0].values, (std::array<double, 3>{25.0, 0.5, -3.0}));
    EXPECT_TRUE(sessions[0].stopped);
    EXPECT_FALSE(sessions[1].stopped);
    EXPECT_TRUE(state().recordingActive);
}

TEST_F(Session, server_status_and_colour_are_kept) {
    using simtest::after;
    const std::function<std::string()> status = [] { return str(static_cast<int>(getServerStatus())); };
    const std::function<std::string()> color = [] { return str(getServerStatusColor()); };
    const std::function<std::string()> network = [] { return str(isNetworkEnabled()); };
    simtest::runSteps({
        {"status at first", status, "0"},
        {"set status", after([] { setServerStatus(PIServerStatus_t(2)); }, status), "2"},
        {"colour at first", color, "0"},
        {"set colour", after([] { setServerStatusColor(0xFF8000FFu); }, color), std::to_string(0xFF8000FFu)},
        {"network", network, "true"},
        {"network switched off by the test", after([this] { state().networkEnabled = false; }, network),
         "false"},
    });
}

TEST_F(Session, handlers_are_kept_in_order) {
    registerFileHandler("Shapefile", "*.shp", 0x3);
    registerNetworkHandler("dis://");
    registerFileHandler("KML", "*.kml", 0);
    const auto& files = state().fileHandlers;
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ((std::tuple(files[0].text1, files[0].text2, files[0].mask)),
              std::tuple(std::string("Shapefile"), std::string("*.shp"), 3u));
    EXPECT_EQ(files[1].text1, "KML");
    EXPECT_EQ(state().networkHandlers, std::vector<std::string>{"dis://"});
}

TEST_F(Session, the_host_owns_the_delegates_it_accepts_until_it_stops) {
    apitest::Calls exportCalls, refusedCalls, v2Calls, adapterCalls;
    auto* exporter = new apitest::ExportDelegate(exportCalls);
    EXPECT_EQ(registerFileExportHandler("Shapefile", "*.shp", exporter, 1), 0);
    EXPECT_EQ(registerFileExportHandler("Shapefile", "*.shp2", new apitest::ExportDelegate(refusedCalls), 2),
              2)
        << "a name taken for the same registration";
    EXPECT_EQ(refusedCalls.destroyed, 1) << "the library deletes a refused delegate";
    EXPECT_EQ(registerFileOpenAdvancedGui("KML", "*.kml", new apitest::ImportExportDelegateV2(v2Calls), 3),
              0);
    auto* adapter = new apitest::CountedAdapter(adapterCalls, new apitest::ExportDelegate(adapterCalls));
    EXPECT_EQ(registerFileExportHandler("Zip", "*.zip", static_cast<FileImportExportDelegate*>(adapter), 0),
              0);
    EXPECT_EQ(registerFileExportHandler("Null", "", static_cast<FileExportDelegate*>(nullptr), 0), 2);

    const auto& kept = state().delegates;
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(
        (std::tuple(kept[0].selector, kept[0].text1, kept[0].text2, kept[0].hasValue, kept[0].value,
                    kept[0].object)),
        std::tuple(0, std::string("Shapefile"), std::string("*.shp"), true, 1, static_cast<void*>(exporter)));
    EXPECT_EQ((std::tuple(kept[1].selector, kept[1].hasValue, kept[1].value)), std::tuple(5, true, 3));
    EXPECT_EQ(kept[2].selector, 4);
    EXPECT_EQ(exportCalls.destroyed + v2Calls.destroyed + adapterCalls.destroyed, 0)
        << "alive while the host runs";

    karvensim::Simulator::start();
    EXPECT_EQ(exportCalls.destroyed, 1);
    EXPECT_EQ(v2Calls.destroyed, 1);
    EXPECT_EQ(adapterCalls.adaptersDestroyed, 1);
    EXPECT_EQ(adapterCalls.destroyed, 1) << "the adapter deletes what it wraps";
    EXPECT_EQ(refusedCalls.destroyed, 1);
}

TEST_F(Session, a_restart_forgets_the_application_state) {
    Callback callback;
    createTimeout(5, &callback);
    registerNetworkHandler("x://");
    application().queueDialogAnswer("/a");
    karvensim::Simulator& restarted = karvensim::Simulator::start();
    const auto& fresh = restarted.application().data();
    EXPECT_TRUE(fresh.timeouts.empty());
    EXPECT_TRUE(fresh.networkHandlers.empty());
    EXPECT_TRUE(fresh.dialogAnswers.empty());
    EXPECT_EQ(fresh.actions.size(), 2u);
    EXPECT_EQ(restarted.application().fireTimeouts(), 0);
    EXPECT_EQ(callback.runs(), 0);
}

TEST_F(Session, the_state_json_has_the_application_part) {
    notify("hello", NotifySeverity(1), "there");
    const std::string json = karvensim::Simulator::running()->stateJson();
    EXPECT_EQ(json.rfind("{\"services\": {", 0), 0u);
    EXPECT_NE(json.find(", \"application\": {\"identity\": {\"name\": \"KARVEN\""), std::string::npos);
    EXPECT_NE(json.find("\"notifications\": [{\"text1\": \"hello\", \"severity\": 1, \"text2\": \"there\"}]"),
              std::string::npos);
}

}  // namespace
