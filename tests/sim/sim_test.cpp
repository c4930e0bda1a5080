// The simulated host's state through the library's own calls: each test
// starts the simulator, attaches the library to it and works in a folder of
// its own (made when it first needs a file), removed afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "api/PICursors.h"
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
#include "gui/PIButtons.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "hostsim/sim/Simulator.h"
#include "tests/sim/PluginCallback.h"

namespace {

using namespace PICommon;
using namespace PIGUI;
using simtest::Callback;

std::string str(const std::string& text) { return text; }
std::string str(bool value) { return value ? "true" : "false"; }
template <typename T>
std::string str(T value) {
    return std::to_string(value);
}

// One step of a scenario: an expression and the text of its result.
struct Step {
    const char* what;
    std::function<std::string()> call;
    std::string expected;
};
#define S(expression, expected)                                \
    Step {                                                     \
#expression, [&] { return str(expression); }, expected \
    }

void run(const std::vector<Step>& steps) {
    for (const Step& step : steps) EXPECT_EQ(step.call(), step.expected) << step.what;
}

class Sim : public ::testing::Test {
protected:
    void SetUp() override {
        simulator_ = &karvensim::Simulator::start();
        _initializePluginFunctionMap();
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    karvensim::Application& application() { return simulator_->application(); }
    karvensim::ApplicationData& state() { return application().data(); }
    karvensim::Gui& gui() { return simulator_->gui(); }
    // A file in the test's folder, with `text` in it unless null.
    std::string file(const std::string& name, const char* text = nullptr) {
        if (folder_.empty()) {
            std::string pattern = ::testing::TempDir() + "karvensim_XXXXXX";
            if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
            folder_ = pattern;
        }
        const std::string path = (folder_ / name).string();
        if (text != nullptr) std::ofstream(path) << text;
        return path;
    }
    std::string key(const std::string& action, int index) {
        return unparseAccelerator(getHotKey(action, index));
    }
    // The node of `handle` in the GUI tree, depth first.
    static const karvensim::WidgetNode* find(const std::vector<karvensim::WidgetNode>& nodes,
                                             const void* handle) {
        for (const auto& n : nodes) {
            if (n.handle == handle) return &n;
            if (const auto* inner = find(n.children, handle)) return inner;
        }
        return nullptr;
    }

private:
    karvensim::Simulator* simulator_ = nullptr;
    std::filesystem::path folder_;
};

TEST_F(Sim, hot_key_texts_and_codes) {
    using namespace karvensim;
    // Text, its code (0: no hot key, ~0u: not checked), the canonical text.
    const struct {
        const char* text;
        unsigned int code;
        const char* canonical;
    } cases[] = {
        {"Ctrl+Shift+K", kCtrl | kShift | 'K', "Ctrl+Shift+K"},
        {"F1", 0xFFBE, "F1"},
        {"F24", 0xFFD5, "F24"},
        {"Alt+Left", kAlt | 0xFF51, "Alt+Left"},
        {"Ctrl++", kCtrl | '+', "Ctrl++"},
        {"Space", 0x20, "Space"},
        {"Ctrl+Alt+Shift+Meta+Delete", kCtrl | kAlt | kShift | kMeta | 0xFFFF, "Ctrl+Alt+Shift+Meta+Delete"},
        {"Meta+Return", kMeta | 0xFF0D, "Meta+Return"},
        {" shift + Control + k ", ~0u, "Ctrl+Shift+K"},
        {"esc", ~0u, "Escape"},
        {"PgDown", ~0u, "PageDown"},
        {"Alt+ins", ~0u, "Alt+Insert"},
        {"Enter", ~0u, "Return"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unparseAccelerator(parseAccelerator(c.text)), c.canonical) << c.text;
        if (c.code != ~0u) {
            EXPECT_EQ(parseAccelerator(c.text), c.code) << c.text;
        }
    }
    for (const char* text : {"", "Ctrl", "Ctrl+", "+K", "Ctrl+Ctrl+K", "Hyper+K", "F0", "F25", "F05", "KK",
                             "Ctrl++K", "Ctrl+ +"}) {
        EXPECT_EQ(parseAccelerator(text), 0u) << '"' << text << '"';
    }
    for (unsigned int code :
         {0u, unsigned('a'), 0x7Fu, 0xFF00u, kCtrl, kCtrl | 0x100000 | 'K', 0xFFBEu + 24}) {
        EXPECT_EQ(unparseAccelerator(code), "") << std::hex << code;
    }
}

TEST_F(Sim, actions_and_their_hot_keys) {
    Callback toggle =
        simtest::actionCallback([](void*) { setActionChecked("A.Run", !isActionChecked("A.Run")); });
    Callback other = simtest::actionCallback();
    const unsigned int ctrlR = parseAccelerator("Ctrl+R"), m = parseAccelerator("M"),
                       altM = parseAccelerator("Alt+M");
    run({
        S(createAction("A.Run", "Run it", &toggle), "0"),
        S(createAction("A.Run", "again", &other), "2"),
        S(createAction("", "", &other), "2"),
        S(createAction("B.None", "", nullptr), "0"),
        S(doesActionExist("A.Run"), "true"),
        S(doesActionExist("Tools.None"), "false"),
        S(isActionEnabled("A.Run") && !isActionChecked("A.Run") && isActionShown("A.Run"), "true"),
        S(executeAction("A.Run"), "0"),
        S(isActionChecked("A.Run"), "true"),
        S(setActionEnabled("A.Run", false), "0"),
        S(executeAction("A.Run"), "3"),
        S(application().runAction("A.Run"), "3"),
        S(setActionEnabled("A.Run", true), "0"),
        S(setActionVisible("A.Run", false), "0"),
        S(isActionShown("A.Run"), "false"),
        S(application().runAction("A.Run"), "0"),
        S(isActionChecked("A.Run"), "false"),
        S(executeAction("B.None"), "0"),
        S(executeAction("Tools.None"), "2"),
        S(setActionEnabled("Tools.None", true) + setActionChecked("Tools.None", true) +
              setActionVisible("Tools.None", true),
          "6"),
        S(isActionEnabled("Tools.None"), "false"),
        // Hot keys: by index, each bound to one action at most.
        S(key("View.Redraw", 0), "Ctrl+R"),
        S(getActionForHotKey(ctrlR), "View.Redraw"),
        S(getHotKey("A.Run", 0), "0"),
        S(setHotKey("A.Run", m, 0), "0"),
        S(setHotKey("A.Run", altM, 1), "0"),
        S(key("A.Run", 0) + " " + key("A.Run", 1), "M Alt+M"),
        S(setHotKey("A.Run", m, 3), "2"),
        S(setHotKey("A.Run", m, -1), "2"),
        S(setHotKey("Tools.None", m, 0), "2"),
        S(setHotKey("A.Run", 'a', 0), "2"),
        S(getHotKey("A.Run", 2) + getHotKey("A.Run", -1), "0"),
        S(setHotKey("A.Run", ctrlR, 0), "0"),
        S(getActionForHotKey(ctrlR), "A.Run"),
        S(getHotKey("View.Redraw", 0), "0"),
        S(getActionForHotKey(m), ""),
        S(setHotKey("A.Run", altM, 0), "0"),
        S(key("A.Run", 0) + " " + str(getHotKey("A.Run", 1)), "Alt+M 0"),
        S(setHotKey("A.Run", 0, 0), "0"),
        S(getHotKey("A.Run", 0), "0"),
        S(getActionForHotKey(0), ""),
        S(initializeHotKey("Tools.None", altM), "1"),
        S(initializeHotKey("A.Run", parseAccelerator("Ctrl+Tab")), "3"),
        S(initializeHotKey("A.Run", altM), "0"),
        S(key("A.Run", 0), "Alt+M"),
        S(initializeHotKey("A.Run", m), "2"),
    });
    EXPECT_EQ(toggle.names, (std::vector<std::string>{"A.Run", "A.Run"}));
    EXPECT_EQ(toggle.datas, (std::vector<void*>{nullptr, nullptr}));
    EXPECT_EQ(other.runs(), 0);
    EXPECT_EQ(state().actions.at("A.Run").secondText, "Run it");
    EXPECT_EQ(state().actions.at("B.None").runs, 1);
    std::vector<std::string> names{"kept"};
    getActionNames(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"kept", "A.Run", "B.None", "View.NextViewport", "View.Redraw"}));
}

TEST_F(Sim, the_hot_key_file_holds_the_whole_table) {
    Callback callback = simtest::actionCallback();
    const std::string odd = "Tools.a=b #\\ c";
    ASSERT_EQ(createAction(odd, "", &callback), 0);
    ASSERT_EQ(setHotKey(odd, parseAccelerator("Ctrl+="), 0) + setHotKey(odd, parseAccelerator("F2"), 1), 0);
    const std::string keys = file("keys");
    saveHotKeyFile(keys);
    setHotKey(odd, 0, 1);
    setHotKey("View.Redraw", parseAccelerator("F9"), 0);
    setHotKey("View.NextViewport", 0, 0);
    run({
        S(loadHotKeyFile(keys), "0"),
        S(key(odd, 0) + " " + key(odd, 1) + " " + key("View.Redraw", 0) + " " + key("View.NextViewport", 0),
          "Ctrl+= F2 Ctrl+R Ctrl+Tab"),
        S(getActionForHotKey(parseAccelerator("F9")), ""),
        S(loadHotKeyFile(file("missing")), "2"),
        S(loadHotKeyFile(file("malformed", "View.Redraw=F9\nno separator\n")), "3"),
        S(loadHotKeyFile(file("bad_key", "View.Redraw=Hyper+Q\n")), "3"),
        S(key("View.Redraw", 0), "Ctrl+R"),
        S(loadHotKeyFile(file("unknown", "# a comment\n\nTools.None=F3\nView.Redraw=F9\n")), "0"),
        S(key("View.Redraw", 0) + " " + str(getHotKey("View.NextViewport", 0)), "F9 0"),
    });
}

TEST_F(Sim, viewports_overlay_texts_and_drawing) {
    const auto current = [this] { return state().currentViewport; };
    const auto on = [this](const std::string& name) {
        for (const auto& v : state().viewports) {
            if (v.name == name) return v.on;
        }
        return false;
    };
    PIOverlayText text, read;
    text.text = "Speed";
    text.viewport = "Main";
    text.x = 0.25;
    text.fontName = "Mono";
    text.color = 0xFF0000FFu;
    unsigned int color = 7;
    run({
        S(getNumViewports(), "1"),
        S(getViewport(0) + current(), "MainMain"),
        S((createViewport(1, "Left", 0, 0, 0.5, 1), createViewport(2, "Right", 0.5, 0, 0.5, 1),
           getNumViewports()),
          "3"),
        S((createViewport(9, "Left", 0, 0, 1, 1), createViewport(9, "", 0, 0, 1, 1), getNumViewports()), "3"),
        S(getViewport(2) + "|" + getViewport(3) + "|" + getViewport(-1) + "|" + current(), "Right|||Main"),
        S((setViewport("Right"), setViewport("Nowhere"), current()), "Right"),
        S((nextViewport(), current()), "Main"),
        S((nextViewport(), current()), "Left"),
        S((toggleViewport("Left", false), on("Left")), "false"),
        S((toggleViewport("Left", true), on("Left")), "true"),
        S((deleteViewport("Left"), current()), "Main"),
        S((deleteViewport("Nowhere"), getNumViewports()), "2"),
        S((deleteAllViewports(), nextViewport(), getNumViewports()), "0"),
        S(current(), ""),
        S((createViewport(7, "Solo", 0.75, 0, 0.25, 0.5), current()), "Solo"),
        S(state().viewports.back().number, "7"),
        S(state().viewports.back().geometry == (std::array<double, 4>{0.75, 0, 0.25, 0.5}), "true"),
        S((forceOpenGLRedraw(), executeAction(karvensim::Application::kRedrawAction), state().redraws), "2"),
        S(registerDrawOnRefreshPriority(5) + registerDrawOnRefreshPriority(-2), "0"),
        S(state().drawOnRefresh.at(karvensim::Simulator::pluginContext()), "-2"),
        // Overlay texts: identifiers 1, 2, ... never reused.
        S(createOverlayText(&text), "1"),
        S((text.text = "Time", text.y = 0.5, createOverlayText(&text)), "2"),
        S(createOverlayText(nullptr), "0"),
        S((getOverlayText(1, &read),
           read.text + read.viewport + read.fontName + str(read.x) + str(read.color)),
          "SpeedMainMono0.250000" + std::to_string(0xFF0000FFu)),
        S((text.text = "Faster", updateOverlayText(1, &text)), "0"),
        S((getOverlayText(1, &read), read.text + str(read.y)), "Faster0.500000"),
        S(getOverlayTextBackgroundColor(2, &color), "0"),
        S(color, "0"),
        S(setOverlayTextBackgroundColor(2, 0x80u) + updateOverlayText(2, &text), "0"),
        S((getOverlayTextBackgroundColor(2, &color), color), "128"),
        S(updateOverlayText(99, &text) + updateOverlayText(1, nullptr), "4"),
        S(getOverlayText(99, &read) + getOverlayText(1, nullptr), "4"),
        S(setOverlayTextBackgroundColor(99, 1) + getOverlayTextBackgroundColor(99, &color) +
              getOverlayTextBackgroundColor(1, nullptr),
          "6"),
        S(removeOverlayText(1), "0"),
        S(removeOverlayText(1), "2"),
        S(createOverlayText(&text), "3"),
    });
}

TEST_F(Sim, application_information_and_messages) {
    int major = -1, minor = -1, revision = -1;
    run({
        S(getApplicationName() + " " + str(getApplicationId()), "KARVEN 1"),
        S(getApplicationVersion(), std::to_string(7.4)),
        S(getApplicationPluginVersion(), std::to_string(1.28)),
        S((getApplicationPluginVersion(major, minor, revision), major * 10000 + minor * 100 + revision),
          "12800"),
        S(getMainWindowHandle(), std::to_string(0x3A00007)),
        S(verifyFoxVersion(), "false"),
        S((registerFoxVersion(1, 5), verifyFoxVersion() && !verifyFoxVersionDirectAccess()), "true"),
        S((registerFoxVersion(1, 6), verifyFoxVersionDirectAccess()), "true"),
        S((registerFoxVersion(1, 7), verifyFoxVersion()), "false"),
        S((registerFoxVersion(2, 0), verifyFoxVersion()), "false"),
        S((setNotifyLevel(NotifySeverity(4)), getNotifyLevel()), "4"),
        S(showToastNotification("Saved", ToastDuration(2)) + showToastNotification("", ToastDuration(1)),
          "2"),
        S(getServerStatus(), "0"),
        S((setServerStatus(PIServerStatus_t(2)), setServerStatusColor(0xFF8000FFu), getServerStatus()), "2"),
        S(getServerStatusColor(), std::to_string(0xFF8000FFu)),
        S((state().networkEnabled = false, isNetworkEnabled()), "false"),
    });
    const void* objects[] = {getPluginToolbar(), getPluginMenuPane(), getApplication(), getMainWindow()};
    EXPECT_EQ((std::set<const void*>(std::begin(objects), std::end(objects)).size()), 4u);
    EXPECT_EQ(getMainWindow(), objects[3]);
    EXPECT_EQ(getPluginToolbar(), gui().pluginToolbar());
    state().identity.pluginVersionNumbers = {2, 3, 4};
    EXPECT_EQ(getApplicationPluginVersionBuildNumber(), 20304);

    notify("Track lost", NotifySeverity(3), "Radar 2");
    debugPrint("first");
    debugMsgBox("Title", "Body", nullptr);
    registerFileHandler("Shapefile", "*.shp", 0x3);
    registerNetworkHandler("dis://");
    unloadSelf();
    const auto& s = state();
    ASSERT_EQ(s.notifications.size(), 1u);
    EXPECT_EQ(s.notifications[0].text1 + s.notifications[0].text2 + str(s.notifications[0].severity),
              "Track lostRadar 23");
    ASSERT_EQ(s.toasts.size(), 1u);
    EXPECT_EQ(s.toasts[0].text + str(s.toasts[0].duration), "Saved2");
    EXPECT_EQ(s.debugOutput, std::vector<std::string>{"first"});
    ASSERT_EQ(s.messageBoxes.size(), 1u);
    EXPECT_EQ(s.messageBoxes[0].text1 + s.messageBoxes[0].text2, "TitleBody");
    ASSERT_EQ(s.fileHandlers.size(), 1u);
    EXPECT_EQ(s.fileHandlers[0].text1 + s.fileHandlers[0].text2 + str(s.fileHandlers[0].mask),
              "Shapefile*.shp3");
    EXPECT_EQ(s.networkHandlers, std::vector<std::string>{"dis://"});
    EXPECT_EQ(s.unloadRequests, std::vector<const void*>{karvensim::Simulator::pluginContext()});
    const std::string json = karvensim::Simulator::running()->stateJson();
    EXPECT_EQ(json.rfind("{\"services\": {", 0), 0u);
    EXPECT_NE(
        json.find(
            "\"notifications\": [{\"text1\": \"Track lost\", \"severity\": 3, \"text2\": \"Radar 2\"}]"),
        std::string::npos);
}

TEST_F(Sim, preferences_files) {
    const std::map<std::string, std::string> values = {
        {"a=b", "c=d"},    {"#not a comment", "x"}, {"back\\slash", "\\n"}, {"two\nlines", "and\ntwo"},
        {"", "empty key"}, {"empty value", ""},     {" spaced ", " out "},
    };
    state().preferences = values;
    const std::string prefs = file("prefs");
    savePrefsFile(prefs);
    state().preferences = {{"other", "value"}};
    EXPECT_EQ(loadPrefsFile(prefs), 0);
    EXPECT_EQ(state().preferences, values);
    state().preferences = {{"kept", "yes"}};
    EXPECT_EQ(loadPrefsFile(file("missing")), 2);
    EXPECT_EQ(loadPrefsFile(file("malformed", "good=1\nbad\n")), 3);
    EXPECT_EQ(loadPrefsFile(file("dangling", "good=1\\\n")), 3);
    EXPECT_EQ(state().preferences, (std::map<std::string, std::string>{{"kept", "yes"}}));
    EXPECT_EQ(PIRegistry::getValue("kept") + PIRegistry::getValue("absent"), "yes");
    PIRegistry::setValue("plugin.size", "12");
    EXPECT_EQ(state().preferences.at("plugin.size"), "12");
}

TEST_F(Sim, dialogs_cursors_and_recording) {
    application().queueDialogAnswer("/data/track.csv");
    application().queueDialogAnswer("");
    application().queueDialogAnswer("/late");
    run({
        S(showFileLoadDialog("Open", "/data", "*.csv", "CSV", true, nullptr, "tracks"), "/data/track.csv"),
        S(showFileSaveDialog("Save as", "/d", "*.kml", false, "KML", nullptr, "exports"), ""),
        S((beginWaitCursor(), beginWaitCursor(), endWaitCursor(), state().waitCursor), "1"),
        S((endWaitCursor(), endWaitCursor(), state().waitCursor), "0"),
        S((beginCursorOverride(PICursorShape_t(4)), beginCursorOverride(PICursorShape_t(7)),
           endCursorOverride(), state().cursorOverrides.back()),
          "4"),
        S((endCursorOverride(), endCursorOverride(), state().cursorOverrides.size()), "0"),
        S(stopRecording(), "1"),
        S(startRecording("", true, true, 1, true, 2, 3), "2"),
        S(startRecording("run.avi", true, false, 25.0, true, 0.5, -3.0), "0"),
        S(startRecording("b.avi", false, false, 0, false, 0, 0), "1"),
        S(stopRecording(), "0"),
        S(stopRecording(), "1"),
    });
    EXPECT_EQ(showDirectorySelectDialog("Pick", "/data", "x", nullptr, "dirs"), "/late");
    EXPECT_EQ(showDirectorySelectDialog("Pick", "/data", "x", nullptr, "dirs"), "") << "nothing queued";
    const auto& dialogs = state().dialogs;
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].kind + dialogs[1].kind + dialogs[2].kind, "loadsavedirectory");
    EXPECT_EQ(dialogs[0].texts, (std::vector<std::string>{"Open", "/data", "*.csv", "CSV", "tracks"}));
    EXPECT_TRUE(dialogs[0].flag);
    EXPECT_EQ(dialogs[1].texts, (std::vector<std::string>{"Save as", "/d", "*.kml", "KML", "exports"}));
    EXPECT_EQ(dialogs[2].answer, "/late");
    const auto& recording = state().recordings.at(0);
    EXPECT_EQ(recording.fileName, "run.avi");
    EXPECT_EQ(recording.flags, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(recording.values, (std::array<double, 3>{25.0, 0.5, -3.0}));
    EXPECT_TRUE(recording.stopped);
}

TEST_F(Sim, time_outs_fire_once_in_order_of_due_time) {
    std::vector<std::string> order;
    Callback slow([&](void*) { order.push_back("slow"); });
    Callback fast([&](void*) { order.push_back("fast"); });
    Callback victim([&](void*) { order.push_back("victim"); });
    Callback later([&](void*) { order.push_back("later"); });
    void* victimHandle = createTimeout(150, &victim);
    Callback first([&](void*) {
        order.push_back("first");
        removeTimeout(victimHandle);
        createTimeout(0, &later);
    });
    void* slowHandle = createTimeout(300, &slow);
    createTimeout(100, &fast);
    createTimeout(100, &first);
    EXPECT_NE(slowHandle, victimHandle);
    EXPECT_EQ(createTimeout(10, nullptr), nullptr);
    EXPECT_EQ(application().fireTimeouts(), 3);
    EXPECT_EQ(order, (std::vector<std::string>{"fast", "first", "slow"}));
    EXPECT_EQ(slow.sources, std::vector<void*>{slowHandle});
    EXPECT_EQ(slow.datas, std::vector<void*>{nullptr});
    ASSERT_EQ(state().timeouts.size(), 1u);
    EXPECT_EQ(state().timeouts[0].due, 100) << "the interval from the time it was created";
    EXPECT_EQ(application().fireTimeouts(), 1);
    EXPECT_EQ(application().fireTimeouts(), 0);
    EXPECT_EQ(removeTimeout(slowHandle), 0);
    EXPECT_EQ(state().timeoutsFired, 4);
}

class Delegate : public FileExportDelegate {
public:
    explicit Delegate(int& destroyed) : destroyed_(destroyed) {}
    ~Delegate() override { ++destroyed_; }
    int processFileWithWidget(const std::string&, const QWidget*) const override { return 0; }
    QWidget* createEditor(QWidget*) const override { return nullptr; }

private:
    int& destroyed_;
};

TEST_F(Sim, a_restart_forgets_the_state_and_deletes_the_delegates) {
    int kept = 0, refused = 0;
    auto* exporter = new Delegate(kept);
    EXPECT_EQ(registerFileExportHandler("Shapefile", "*.shp", exporter, 1), 0);
    EXPECT_EQ(registerFileExportHandler("Shapefile", "*.shp2", new Delegate(refused), 2), 2);
    EXPECT_EQ(registerFileExportHandler("Null", "", static_cast<FileExportDelegate*>(nullptr), 0), 2);
    EXPECT_EQ(refused, 1);
    ASSERT_EQ(state().delegates.size(), 1u);
    const auto& d = state().delegates[0];
    EXPECT_EQ(d.text1 + d.text2 + str(d.value) + str(d.selector), "Shapefile*.shp10");
    EXPECT_EQ(d.object, static_cast<void*>(exporter));
    Callback callback;
    createTimeout(5, &callback);
    application().queueDialogAnswer("/a");
    EXPECT_EQ(kept, 0);

    karvensim::Simulator& restarted = karvensim::Simulator::start();
    EXPECT_EQ(kept, 1);
    const auto& fresh = restarted.application().data();
    EXPECT_TRUE(fresh.timeouts.empty() && fresh.dialogAnswers.empty() && fresh.delegates.empty());
    EXPECT_EQ(fresh.actions.size(), 2u);
    EXPECT_EQ(restarted.application().fireTimeouts(), 0);
    EXPECT_EQ(callback.runs(), 0);
}

TEST_F(Sim, widgets_form_a_tree_and_keep_their_values) {
    PIDialogBox dialog("Settings", nullptr);
    PIVerticalFrame frame(&dialog);
    PITextField field(&frame, 20, nullptr);
    PITextField second(&frame, 10, nullptr);
    PISpinner spinner(&frame, 4, 1, 9, nullptr);
    PICheckButton check(&frame, "Verbose", nullptr);
    auto label = std::make_unique<PILabel>(&frame, "gone soon");
    label->ownsServerObject = true;
    PIMenu menu("Tools", nullptr);
    PIMenuItem item(&menu, "Run", nullptr);
    PIVertFrameWrapper toolbar;
    toolbar.serverHandle = getPluginToolbar();
    toolbar.ownsServerObject = false;
    PIButton tool(&toolbar, "Tool", nullptr);

    const auto tree = gui().tree();
    ASSERT_EQ(tree.size(), 5u);
    EXPECT_EQ(tree[0].kind + tree[1].kind + tree[2].kind, "plugin_toolbarplugin_menu_panemain_window");
    ASSERT_EQ(tree[0].children.size(), 1u);
    EXPECT_EQ(tree[0].children[0].handle, tool.serverHandle);
    EXPECT_EQ(tree[3].kind + tree[3].widget->text, "dialog_boxSettings");
    ASSERT_EQ(tree[3].children.size(), 1u);
    const auto& f = tree[3].children[0].children;
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0].kind + str(f[0].widget->number), "text_field20");
    EXPECT_EQ(f[0].widget->proxy, static_cast<const void*>(&field));
    EXPECT_EQ(f[4].kind, "label");
    EXPECT_EQ(tree[4].kind + tree[4].children.at(0).kind, "menumenu_item");

    run({
        S(field.getValueText(), ""),
        S((field.setValue(std::string("abc")), field.getValueText() + str(field.getValueInt())), "abc0"),
        S((field.setValue(2.5), field.getValueText() + str(field.getValueInt())), "2.52"),
        S(spinner.getValueInt(), "1"),
        S((spinner.setValue(50), spinner.getValueInt()), "9"),
        S((spinner.setRange(1, 3), spinner.getValueInt()), "3"),
        S((check.check(), check.isChecked()), "true"),
        S(label->getValueText(), "gone soon"),
        S(dialog.shown() || !field.shown(), "false"),
        S((field.hide(), dialog.show(), field.shown() || !dialog.shown()), "false"),
        S((field.setFocus(), second.setFocus(), field.hasFocus() || !second.hasFocus()), "false"),
        S((second.updateValue(std::string("typed")), second.getValueText()), ""),
        S((field.updateValue(std::string("set")), field.getValueText()), "set"),
        S((field.disable(), gui().state(field.serverHandle)->enabled), "false"),
    });
    const void* gone = label->serverHandle;
    label.reset();
    EXPECT_EQ(find(gui().tree(), gone), nullptr);
    const std::string json = karvensim::Simulator::running()->stateJson();
    EXPECT_NE(json.find("\"kind\": \"dialog_box\", \"text\": \"Settings\""), std::string::npos);
    EXPECT_EQ(json.find("gone soon"), std::string::npos);
    EXPECT_NE(gui().text().find("value=\"set\" disabled hidden\n"), std::string::npos) << gui().text();
}

TEST_F(Sim, lists_tabs_progress_and_clicks) {
    PIDialogBox dialog("List", nullptr);
    PIList list(&dialog, "files", 1);
    PITabWidget tabs(&dialog);
    int a = 0;
    run({
        S(list.appendItem("a", &a) + list.appendItem("b", nullptr) + list.appendItem("c", nullptr), "3"),
        S(list.getItemText(1) + list.getItemText(7), "b"),
        S(list.getItemData(0) == &a, "true"),
        S((list.setSelectedItem(1), list.setSelectedItem(2), list.getSelectedItem(0)), "2"),
        S((list.setSelectionMode(PIList::MULTIPLE_SELECTION), list.setSelectedItem(0),
           str(list.getSelectedItem(0)) + str(list.getSelectedItem(1))),
          "02"),
        S((list.deselectAll(), list.getSelectedItem(0)), "-1"),
        S((list.removeItem(0), list.getItemText(0)), "b"),
        S((list.clearItems(), list.getNumItems()), "0"),
        S((tabs.addTab("One"), tabs.numTabs()), "1"),
    });
    PILabel onPage(tabs.addTab("Two"), "on the page");
    const auto tree = gui().tree();
    const auto* node = find(tree, tabs.serverHandle);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->children.size(), 2u);
    EXPECT_EQ(node->children[1].kind + node->children[1].widget->text, "tab_pageTwo");
    EXPECT_EQ(node->children[1].children.at(0).kind, "label");

    auto progress = std::make_unique<PIProgressDialog>(nullptr, "Working", "Cancel", true, 10);
    const void* handle = progress->serverHandle;
    EXPECT_FALSE(progress->isCanceled());
    EXPECT_TRUE(gui().cancelProgress(handle));
    EXPECT_TRUE(progress->isCanceled());
    progress.reset();
    EXPECT_EQ(gui().widget(handle), nullptr);

    std::vector<void*> clicked;
    Callback created([&](void* source) { clicked.push_back(source); });
    Callback mapped([&](void* source) { clicked.push_back(source); });
    PIButton button(&dialog, "OK", &created);
    PICheckButton check(&dialog, "Verbose", nullptr);
    using G = karvensim::Gui;
    const struct {
        std::function<void()> arrange;
        const void* handle;
        int status;
        std::size_t callbacks;
    } cases[] = {
        {[] {}, button.serverHandle, G::kClicked, 1},
        {[&] { button.mapFunction(&mapped); }, button.serverHandle, G::kClicked, 2},
        {[&] { button.disable(); }, button.serverHandle, G::kDisabled, 2},
        {[] {}, check.serverHandle, G::kNoCallback, 2},
        {[] {}, &clicked, G::kUnknown, 2},
        {[] {}, nullptr, G::kUnknown, 2},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        cases[i].arrange();
        EXPECT_EQ(gui().click(cases[i].handle), cases[i].status) << i;
        EXPECT_EQ(clicked.size(), cases[i].callbacks) << i;
    }
    EXPECT_EQ(created.runs() + mapped.runs(), 2);
    EXPECT_EQ(clicked.at(0), button.serverHandle);
    EXPECT_TRUE(check.isChecked());
}

}  // namespace
