// The simulated host's state through the library's own calls; each test has
// a fresh simulator and a folder of its own, removed afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
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
// clang-format off
#define S(expression, expected) Step{#expression, [&] { return str(expression); }, expected}
// clang-format on

void run(const std::vector<Step>& steps) {
    for (const Step& step : steps) EXPECT_EQ(step.call(), step.expected) << step.what;
}

class Sim : public ::testing::Test {
protected:
    void SetUp() override {
        karvensim::Simulator::start();
        _initializePluginFunctionMap();
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    karvensim::Application& application() { return karvensim::Simulator::running()->application(); }
    karvensim::ApplicationData& state() { return application().data(); }
    karvensim::Gui& gui() { return karvensim::Simulator::running()->gui(); }
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
    // The value of `name` in the application's state as JSON (brackets, commas
    // and braces within its strings are not told apart).
    std::string section(const std::string& name) {
        const std::string json = application().json(), start = "\"" + name + "\": ";
        if (json.find(start) == std::string::npos) return "";
        const std::size_t from = json.find(start) + start.size();
        std::size_t i = from;
        for (int depth = 0; i < json.size() && (depth > 0 || (json[i] != ',' && json[i] != '}')); ++i) {
            depth += (json[i] == '[' || json[i] == '{') - (json[i] == ']' || json[i] == '}');
        }
        return json.substr(from, i - from);
    }
    std::string key(const std::string& action, int index) {
        return unparseAccelerator(getHotKey(action, index));
    }

private:
    std::filesystem::path folder_;
};

TEST_F(Sim, hot_key_texts_and_codes) {
    using namespace karvensim;
    const struct {
        const char* text;
        unsigned int code;  // 0: not checked
        const char* canonical;
    } cases[] = {{"Ctrl+Shift+K", kCtrl | kShift | 'K', "Ctrl+Shift+K"},
                 {"F24", 0xFFD5, "F24"},
                 {"Alt+Left", kAlt | 0xFF51, "Alt+Left"},
                 {"Ctrl++", kCtrl | '+', "Ctrl++"},
                 {"Meta+Return", kMeta | 0xFF0D, "Meta+Return"},
                 {" shift + Control + k ", 0, "Ctrl+Shift+K"},
                 {"esc", 0, "Escape"},
                 {"Alt+ins", 0, "Alt+Insert"}};
    for (const auto& c : cases) {
        EXPECT_EQ(unparseAccelerator(parseAccelerator(c.text)), c.canonical) << c.text;
        EXPECT_TRUE(c.code == 0 || parseAccelerator(c.text) == c.code) << c.text;
    }
    for (const char* text : {"", "Ctrl+", "+K", "Ctrl+Ctrl+K", "Hyper+K", "F25", "F05", "KK", "Ctrl++K"}) {
        EXPECT_EQ(parseAccelerator(text), 0u) << '"' << text << '"';
    }
    for (unsigned int code : {0u, unsigned('a'), 0xFF00u, kCtrl, kCtrl | 0x100000 | 'K', 0xFFBEu + 24}) {
        EXPECT_EQ(unparseAccelerator(code), "") << std::hex << code;
    }
}

TEST_F(Sim, actions_and_their_hot_keys) {
    Callback toggle = simtest::actionCallback([](void*) { setActionChecked("A", !isActionChecked("A")); });
    Callback other = simtest::actionCallback();
    const unsigned int ctrlR = parseAccelerator("Ctrl+R"), m = parseAccelerator("M"),
                       altM = parseAccelerator("Alt+M");
    run({S(createAction("A", "Run it", &toggle), "0"), S(createAction("A", "again", &other), "2"),
         S(createAction("", "", &other), "2"), S(doesActionExist("A") && !doesActionExist("None"), "true"),
         S(isActionEnabled("A") && !isActionChecked("A") && isActionShown("A"), "true"),
         S((executeAction("A"), isActionChecked("A")), "true"), S(setActionEnabled("A", false), "0"),
         S(executeAction("A"), "3"), S(application().runAction("A"), "3"),
         S((setActionEnabled("A", true), setActionVisible("A", false)), "0"), S(isActionShown("A"), "false"),
         S((application().runAction("A"), isActionChecked("A")), "false"), S(executeAction("None"), "2"),
         S(setActionEnabled("None", 1) + setActionChecked("None", 1) + setActionVisible("None", 1), "6"),
         // Hot keys: by index, each bound to one action at most.
         S(getActionForHotKey(ctrlR), "View.Redraw"), S(setHotKey("A", m, 0) + setHotKey("A", altM, 1), "0"),
         S(key("A", 0) + " " + key("A", 1), "M Alt+M"),
         S(setHotKey("A", m, 3) + setHotKey("A", m, -1) + setHotKey("None", m, 0) + setHotKey("A", 'a', 0),
           "8"),
         S(getHotKey("A", 2) + getHotKey("A", -1), "0"), S(setHotKey("A", ctrlR, 0), "0"),
         S(getActionForHotKey(ctrlR) + "|" + getActionForHotKey(m) + "|" + key("View.Redraw", 0), "A||"),
         S((setHotKey("A", altM, 0), key("A", 0) + "|" + key("A", 1)), "Alt+M|"),
         S((setHotKey("A", 0, 0), getHotKey("A", 0)), "0"), S(initializeHotKey("None", altM), "1"),
         S(initializeHotKey("A", parseAccelerator("Ctrl+Tab")), "3"),
         S((initializeHotKey("A", altM), key("A", 0)), "Alt+M"), S(initializeHotKey("A", m), "2")});
    EXPECT_EQ(toggle.names, (std::vector<std::string>{"A", "A"}));
    EXPECT_EQ(toggle.datas, (std::vector<void*>{nullptr, nullptr}));
    EXPECT_EQ(other.runs() + state().actions.at("A").runs, 2);
    EXPECT_EQ(state().actions.at("A").secondText, "Run it");
    std::vector<std::string> names{"kept"};
    getActionNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "A", "View.NextViewport", "View.Redraw"}));
}

TEST_F(Sim, the_hot_key_file_holds_the_whole_table) {
    Callback callback = simtest::actionCallback();
    const std::string odd = "Tools.a=b #\\ c";
    ASSERT_EQ(createAction(odd, "", &callback), 0);
    ASSERT_EQ(setHotKey(odd, parseAccelerator("Ctrl+="), 0) + setHotKey(odd, parseAccelerator("F2"), 1), 0);
    saveHotKeyFile(file("keys"));
    setHotKey(odd, 0, 1);
    setHotKey("View.Redraw", parseAccelerator("F9"), 0);
    setHotKey("View.NextViewport", 0, 0);
    run({S(loadHotKeyFile(file("keys")), "0"),
         S(key(odd, 0) + key(odd, 1) + key("View.Redraw", 0) + key("View.NextViewport", 0),
           "Ctrl+=F2Ctrl+RCtrl+Tab"),
         S(loadHotKeyFile(file("missing")), "2"),
         S(loadHotKeyFile(file("malformed", "View.Redraw=F9\nno separator\n")), "3"),
         S(loadHotKeyFile(file("bad_key", "View.Redraw=Hyper+Q\n")), "3"), S(key("View.Redraw", 0), "Ctrl+R"),
         S(loadHotKeyFile(file("unknown", "# a comment\n\nTools.None=F3\nView.Redraw=F9\n")), "0"),
         S(key("View.Redraw", 0) + key("View.NextViewport", 0), "F9")});
}

TEST_F(Sim, viewports_overlay_texts_and_drawing) {
    const auto current = [this] { return state().currentViewport; };
    PIOverlayText text, read;
    text.text = "Speed";
    text.fontName = "Mono";
    text.x = 0.25;
    text.color = 255;
    unsigned int color = 7;
    run({S(str(getNumViewports()) + getViewport(0) + current(), "1MainMain"),
         S((createViewport(1, "L", 0, 0, 0.5, 1), createViewport(2, "R", 0.5, 0, 0.5, 1), getNumViewports()),
           "3"),
         S((createViewport(9, "L", 0, 0, 1, 1), createViewport(9, "", 0, 0, 1, 1), getNumViewports()), "3"),
         S(getViewport(2) + "|" + getViewport(3) + "|" + getViewport(-1) + "|" + current(), "R|||Main"),
         S((setViewport("R"), setViewport("Nowhere"), current()), "R"),
         S((nextViewport(), current()), "Main"),
         S((nextViewport(), toggleViewport("L", false), current() + section("viewports")),
           "L[{\"name\": \"Main\", \"number\": 0, \"geometry\": [0, 0, 1, 1], \"on\": true}, {\"name\": "
           "\"L\", "
           "\"number\": 1, \"geometry\": [0, 0, 0.5, 1], \"on\": false}, {\"name\": \"R\", \"number\": 2, "
           "\"geometry\": [0.5, 0, 0.5, 1], \"on\": true}]"),
         S((deleteViewport("L"), deleteViewport("Nowhere"), current() + str(getNumViewports())), "Main2"),
         S((deleteAllViewports(), nextViewport(), current() + str(getNumViewports())), "0"),
         S((createViewport(7, "Solo", 0, 0, 1, 1), current()), "Solo"),
         S((forceOpenGLRedraw(), executeAction(karvensim::Application::kRedrawAction), state().redraws), "2"),
         S(registerDrawOnRefreshPriority(5) + registerDrawOnRefreshPriority(-2), "0"),
         S(state().drawOnRefresh.at(karvensim::Simulator::pluginContext()), "-2"),
         // Overlay texts: identifiers 1, 2, ... never reused.
         S(createOverlayText(&text), "1"), S((text.y = 0.5, createOverlayText(&text)), "2"),
         S(createOverlayText(nullptr), "0"), S((text.text = "Fast", updateOverlayText(1, &text)), "0"),
         S((getOverlayText(1, &read),
            read.text + read.fontName + str(read.x) + str(read.y) + str(read.color)),
           "FastMono0.2500000.500000255"),
         S(getOverlayTextBackgroundColor(2, &color), "0"), S(color, "0"),
         S(setOverlayTextBackgroundColor(2, 0x80u) + updateOverlayText(2, &text), "0"),
         S((getOverlayTextBackgroundColor(2, &color), color), "128"),
         S(updateOverlayText(99, &text) + updateOverlayText(1, nullptr), "4"),
         S(getOverlayText(99, &read) + getOverlayText(1, nullptr), "4"),
         S(setOverlayTextBackgroundColor(99, 1) + getOverlayTextBackgroundColor(99, &color) +
               getOverlayTextBackgroundColor(1, nullptr),
           "6"),
         S(removeOverlayText(1), "0"), S(removeOverlayText(1), "2"), S(createOverlayText(&text), "3")});
}

TEST_F(Sim, the_application_keeps_what_the_plugin_sends) {
    int major = -1, minor = -1, revision = -1;
    run({S(getApplicationName() + str(getApplicationId()) + str(getMainWindowHandle()), "KARVEN160817415"),
         S(getApplicationVersion() + getApplicationPluginVersion(), std::to_string(7.4 + 1.28)),
         S((getApplicationPluginVersion(major, minor, revision), major * 10000 + minor * 100 + revision),
           "12800"),
         S(verifyFoxVersion(), "false"),
         S((registerFoxVersion(1, 5), verifyFoxVersion() && !verifyFoxVersionDirectAccess()), "true"),
         S((registerFoxVersion(1, 6), verifyFoxVersionDirectAccess()), "true"),
         S((registerFoxVersion(1, 7), verifyFoxVersion()), "false"),
         S((registerFoxVersion(2, 6), verifyFoxVersion()), "false"),
         S((setNotifyLevel(NotifySeverity(4)), getNotifyLevel()), "4"),
         S(showToastNotification("Saved", ToastDuration(2)) + showToastNotification("", ToastDuration(1)),
           "2"),
         S((setServerStatus(PIServerStatus_t(2)), setServerStatusColor(9),
            getServerStatus() + getServerStatusColor()),
           "11"),
         S((state().networkEnabled = false, isNetworkEnabled()), "false"),
         S((state().identity.pluginVersionNumbers = {2, 3, 4}, getApplicationPluginVersionBuildNumber()),
           "20304")});
    const std::set<const void*> objects{getPluginToolbar(), getPluginMenuPane(), getApplication(),
                                        getMainWindow()};
    EXPECT_EQ(objects.size(), 4u);
    EXPECT_EQ(getPluginToolbar(), gui().pluginToolbar());

    notify("Lost", NotifySeverity(3), "Radar");
    debugPrint("first");
    debugMsgBox("Title", "Body", nullptr);
    registerFileHandler("Shapefile", "*.shp", 0x3);
    registerNetworkHandler("dis://");
    for (const char* answer : {"/data/track.csv", "", "/late"}) application().queueDialogAnswer(answer);
    EXPECT_EQ(showFileLoadDialog("Open", "/d", "*.csv", "CSV", true, nullptr, "tracks"), "/data/track.csv");
    EXPECT_EQ(showFileSaveDialog("Save", "/e", "*.kml", false, "KML", nullptr, "exports"), "");
    EXPECT_EQ(showDirectorySelectDialog("Pick", "/f", "x", nullptr, "dirs"), "/late");
    EXPECT_EQ(showDirectorySelectDialog("Pick", "/f", "x", nullptr, "dirs"), "");
    beginWaitCursor();
    beginWaitCursor();
    endWaitCursor();
    beginCursorOverride(PICursorShape_t(4));
    beginCursorOverride(PICursorShape_t(7));
    endCursorOverride();
    EXPECT_EQ(stopRecording() + startRecording("", true, true, 1, true, 2, 3), 3);
    EXPECT_EQ(startRecording("run.avi", true, false, 25.0, true, 0.5, -3.0), 0);
    EXPECT_EQ(startRecording("b.avi", false, false, 0, false, 0, 0), 1);
    EXPECT_EQ(stopRecording() * 10 + stopRecording(), 1);
    unloadSelf();
    const std::map<std::string, std::string> expected = {
        {"notifications", R"([{"text1": "Lost", "severity": 3, "text2": "Radar"}])"},
        {"toasts", R"([{"text": "Saved", "duration": 2}])"},
        {"debugOutput", R"(["first"])"},
        {"messageBoxes", R"([{"text1": "Title", "text2": "Body", "parent": 0}])"},
        {"fileHandlers", R"([{"text1": "Shapefile", "text2": "*.shp", "mask": 3}])"},
        {"networkHandlers", R"(["dis://"])"},
        {"dialogs",
         R"([{"kind": "load", "texts": ["Open", "/d", "*.csv", "CSV", "tracks"], "flag": true, "parent": 0, )"
         R"("answer": "/data/track.csv"}, {"kind": "save", "texts": ["Save", "/e", "*.kml", "KML", "exports"], )"
         R"("flag": false, "parent": 0, "answer": ""}, {"kind": "directory", "texts": ["Pick", "/f", "x", "dirs"], )"
         R"("flag": false, "parent": 0, "answer": "/late"}, {"kind": "directory", "texts": ["Pick", "/f", "x", )"
         R"("dirs"], "flag": false, "parent": 0, "answer": ""}])"},
        {"cursor", R"({"wait": 1, "overrides": [4]})"},
        {"recording",
         R"({"active": false, "sessions": [{"fileName": "run.avi", "flags": [true, false, true], )"
         R"("values": [25, 0.5, -3], "stopped": true}]})"},
    };
    for (const auto& [name, json] : expected) EXPECT_EQ(section(name), json) << name;
    EXPECT_EQ(state().unloadRequests, std::vector<const void*>{karvensim::Simulator::pluginContext()});
    endWaitCursor();
    endWaitCursor();
    endCursorOverride();
    endCursorOverride();
    EXPECT_EQ(section("cursor"), R"({"wait": 0, "overrides": []})") << "an unmatched end is ignored";
}

TEST_F(Sim, preferences_files) {
    const std::map<std::string, std::string> values = {{"a=b", "c=d"},         {"#not a comment", "x"},
                                                       {"back\\slash", "\\n"}, {"two\nlines", "and\ntwo"},
                                                       {"", "empty key"},      {" spaced ", ""}};
    state().preferences = values;
    savePrefsFile(file("prefs"));
    state().preferences = {{"other", "value"}};
    EXPECT_EQ(loadPrefsFile(file("prefs")), 0);
    EXPECT_EQ(state().preferences, values);
    state().preferences = {{"kept", "yes"}};
    run({S(loadPrefsFile(file("missing")), "2"), S(loadPrefsFile(file("malformed", "good=1\nbad\n")), "3"),
         S(loadPrefsFile(file("dangling", "good=1\\\n")), "3"),
         S(PIRegistry::getValue("kept") + PIRegistry::getValue("absent"), "yes")});
    PIRegistry::setValue("size", "12");
    EXPECT_EQ(state().preferences, (std::map<std::string, std::string>{{"kept", "yes"}, {"size", "12"}}));
}

TEST_F(Sim, time_outs_fire_once_in_order_of_due_time_until_a_restart) {
    std::string order;
    Callback slow([&](void*) { order += "slow "; }), fast([&](void*) { order += "fast "; });
    Callback victim([&](void*) { order += "victim "; }), later([&](void*) { order += "later "; });
    void* victimHandle = createTimeout(150, &victim);
    Callback first([&](void*) {
        order += "first ";
        removeTimeout(victimHandle);
        createTimeout(0, &later);  // waits for the next round
    });
    void* slowHandle = createTimeout(300, &slow);
    createTimeout(100, &fast);
    createTimeout(100, &first);
    EXPECT_NE(slowHandle, victimHandle);
    EXPECT_EQ(createTimeout(10, nullptr), nullptr);
    EXPECT_EQ(application().fireTimeouts(), 3);
    EXPECT_EQ(order, "fast first slow ");
    EXPECT_EQ(slow.sources, std::vector<void*>{slowHandle});
    EXPECT_EQ(slow.datas, std::vector<void*>{nullptr});
    EXPECT_NE(section("timeouts").find("\"interval\": 0, \"due\": 100,"), std::string::npos)
        << "due the interval after the time it was created";
    EXPECT_EQ(application().fireTimeouts() * 10 + application().fireTimeouts(), 10);
    EXPECT_EQ(removeTimeout(slowHandle) + state().timeoutsFired, 4);
    createTimeout(5, &later);
    application().queueDialogAnswer("/a");
    karvensim::Simulator::start();
    EXPECT_EQ(section("timeouts") + section("dialogAnswers") + str(state().actions.size()), "[][]2");
    EXPECT_EQ(application().fireTimeouts() + later.runs(), 1);
}

TEST_F(Sim, widgets_form_a_tree_keep_their_state_and_take_clicks) {
    std::vector<void*> clicked;
    Callback created([&](void* source) { clicked.push_back(source); });
    Callback mapped([&](void* source) { clicked.push_back(source); });
    PIVertFrameWrapper toolbar;  // a proxy for the host's tool bar
    toolbar.serverHandle = getPluginToolbar();
    toolbar.ownsServerObject = false;
    PIButton tool(&toolbar, "Tool", nullptr);
    PIDialogBox dialog("Settings", nullptr);
    PIVerticalFrame frame(&dialog);
    PITextField field(&frame, 20, nullptr);
    PITextField second(&frame, 10, nullptr);
    PISpinner spinner(&frame, 4, 1, 9, nullptr);
    PICheckButton check(&frame, "Verbose", nullptr);
    PIList list(&frame, "files", 1);
    PITabWidget tabs(&frame);
    PIButton button(&frame, "OK", &created);
    auto label = std::make_unique<PILabel>(&frame, "gone soon");
    label->ownsServerObject = true;
    PIMenu menu("Tools", nullptr);
    PIMenuItem item(&menu, "Run", nullptr);
    int a = 0;
    run({S(field.getValueText() + label->getValueText(), "gone soon"),
         S((field.setValue(std::string("abc")), field.getValueText() + str(field.getValueInt())), "abc0"),
         S((field.setValue(2.5), field.getValueText() + str(field.getValueInt())), "2.52"),
         S(spinner.getValueInt(), "1"), S((spinner.setValue(50), spinner.getValueInt()), "9"),
         S((spinner.setRange(1, 3), spinner.getValueInt()), "3"),
         S(dialog.shown() || !field.shown(), "false"),
         S((field.hide(), dialog.show(), field.shown() || !dialog.shown()), "false"),
         S((field.setFocus(), second.setFocus(), field.hasFocus() || !second.hasFocus()), "false"),
         S((second.updateValue(std::string("typed")), second.getValueText()), ""),
         S((field.updateValue(std::string("set")), field.disable(), field.getValueText()), "set"),
         S(list.appendItem("a", &a) + list.appendItem("b", nullptr) + list.appendItem("c", nullptr), "3"),
         S(list.getItemText(1) + list.getItemText(7), "b"), S(list.getItemData(0) == &a, "true"),
         S((list.setSelectedItem(1), list.setSelectedItem(0), list.getSelectedItem(0)), "0"),
         S((list.setSelectionMode(PIList::MULTIPLE_SELECTION), list.setSelectedItem(2), list.removeItem(1),
            str(list.getSelectedItem(0)) + str(list.getSelectedItem(1))),
           "01"),
         S((tabs.addTab("One"), tabs.numTabs()), "1")});
    PILabel onPage(tabs.addTab("Two"), "on the page");
    label.reset();  // gone from the tree below

    using G = karvensim::Gui;
    const struct {
        std::function<void()> arrange;
        const void* handle;
        int status;
        std::size_t callbacks;
    } clicks[] = {{[] {}, button.serverHandle, G::kClicked, 1},
                  {[&] { button.mapFunction(&mapped); }, button.serverHandle, G::kClicked, 2},
                  {[&] { button.disable(); }, button.serverHandle, G::kDisabled, 2},
                  {[] {}, check.serverHandle, G::kNoCallback, 2},
                  {[] {}, &clicked, G::kUnknown, 2}};
    for (std::size_t i = 0; i < std::size(clicks); ++i) {
        clicks[i].arrange();
        EXPECT_EQ(gui().click(clicks[i].handle), clicks[i].status) << i;
        EXPECT_EQ(clicked.size(), clicks[i].callbacks) << i;
    }
    EXPECT_EQ(created.runs() + mapped.runs(), 2);
    EXPECT_EQ(clicked.at(0), button.serverHandle);
    EXPECT_EQ(std::regex_replace(gui().text(), std::regex(" 0x[0-9a-f]+"), ""),
              "plugin_toolbar\n"
              "  button \"Tool\"\n"
              "plugin_menu_pane\n"
              "main_window\n"
              "dialog_box \"Settings\"\n"
              "  vertical_frame\n"
              "    text_field value=\"set\" disabled hidden\n"
              "    text_field\n"
              "    spinner value=\"3\" range=[1, 3]\n"
              "    check_button \"Verbose\" checked clicks=1\n"
              "    list \"files\" items=[\"a\"*, \"c\"*]\n"
              "    tab_widget\n"
              "      tab_page \"One\"\n"
              "      tab_page \"Two\"\n"
              "        label \"on the page\"\n"
              "    button \"OK\" disabled callback clicks=2\n"
              "menu \"Tools\" hidden\n"
              "  menu_item \"Run\"\n");

    auto progress = std::make_unique<PIProgressDialog>(nullptr, "Working", "Cancel", true, 10);
    const void* handle = progress->serverHandle;
    run({S(progress->isCanceled(), "false"),
         S(gui().cancelProgress(handle) && progress->isCanceled(), "true")});
    progress.reset();
    EXPECT_EQ(gui().widget(handle), nullptr);
}

}  // namespace
