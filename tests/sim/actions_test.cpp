// The simulated host's actions and hot keys, through the library's calls.

#include <gtest/gtest.h>

#include <fstream>

#include "api/PIActions.h"
#include "api/PIViewports.h"
#include "tests/sim/PluginCallback.h"
#include "tests/sim/SimTestSupport.h"

namespace {

using karvensim::kAlt;
using karvensim::kCtrl;
using karvensim::kMeta;
using karvensim::kShift;
using simtest::Callback;
using simtest::str;
using namespace PICommon;

class Actions : public simtest::WithSimulator {};

TEST_F(Actions, canonical_hot_key_texts_round_trip_through_the_integer_form) {
    const struct {
        const char* text;
        unsigned int code;
    } cases[] = {
        {"Ctrl+Shift+K", kCtrl | kShift | 'K'},
        {"K", 'K'},
        {"F5", 0xFFC2},
        {"F1", 0xFFBE},
        {"F24", 0xFFD5},
        {"Alt+Left", kAlt | 0xFF51},
        {"Ctrl++", kCtrl | '+'},
        {"+", '+'},
        {"Shift+1", kShift | '1'},
        {"Space", 0x20},
        {"Meta+Return", kMeta | 0xFF0D},
        {"Ctrl+Alt+Shift+Meta+Delete", kCtrl | kAlt | kShift | kMeta | 0xFFFF},
        {"Ctrl+PageDown", kCtrl | 0xFF56},
        {"Alt+=", kAlt | '='},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseAccelerator(c.text), c.code);
        EXPECT_EQ(unparseAccelerator(c.code), c.text);
    }
}

TEST_F(Actions, other_spellings_parse_to_the_canonical_hot_key) {
    const struct {
        const char* text;
        const char* canonical;
    } cases[] = {
        {"ctrl+shift+k", "Ctrl+Shift+K"},
        {"Shift+Ctrl+K", "Ctrl+Shift+K"},
        {" Control + k ", "Ctrl+K"},
        {"Enter", "Return"},
        {"esc", "Escape"},
        {"PgDown", "PageDown"},
        {"Alt+ins", "Alt+Insert"},
        {"f12", "F12"},
        {"META+del", "Meta+Delete"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(unparseAccelerator(parseAccelerator(c.text)), c.canonical);
    }
}

TEST_F(Actions, texts_that_are_no_hot_key_parse_to_0_and_invalid_codes_print_empty) {
    const char* const texts[] = {"",    "Ctrl", "Ctrl+", "+K",      "Ctrl+Ctrl+K", "Hyper+K", "F0",
                                 "F25", "F05",  "KK",    "Ctrl++K", "++",          "Ctrl+ +"};
    for (const char* text : texts) {
        EXPECT_EQ(parseAccelerator(text), 0u) << '"' << text << '"';
    }
    const unsigned int codes[] = {0, 'a', 0x1F, 0x7F, 0xFF00, kCtrl, kCtrl | 0x100000 | 'K', 0xFFBE + 24};
    for (unsigned int code : codes) {
        EXPECT_EQ(unparseAccelerator(code), "") << std::hex << code;
    }
}

TEST_F(Actions, an_action_lives_through_its_states) {
    Callback measure = simtest::actionCallback();
    Callback other = simtest::actionCallback();
    const std::string name = "Tools.Measure";
    simtest::runSteps({
        {"create", [&] { return str(createAction(name, "Measure a distance", &measure)); }, "0"},
        {"create again", [&] { return str(createAction(name, "again", &other)); }, "2"},
        {"create unnamed", [&] { return str(createAction("", "", &other)); }, "2"},
        {"exists", [&] { return str(doesActionExist(name)); }, "true"},
        {"unknown exists", [&] { return str(doesActionExist("Tools.None")); }, "false"},
        {"enabled at first", [&] { return str(isActionEnabled(name)); }, "true"},
        {"unchecked at first", [&] { return str(isActionChecked(name)); }, "false"},
        {"shown at first", [&] { return str(isActionShown(name)); }, "true"},
        {"execute", [&] { return str(executeAction(name)); }, "0"},
        {"disable", [&] { return str(setActionEnabled(name, false)); }, "0"},
        {"disabled", [&] { return str(isActionEnabled(name)); }, "false"},
        {"execute disabled", [&] { return str(executeAction(name)); }, "3"},
        {"enable", [&] { return str(setActionEnabled(name, true)); }, "0"},
        {"check", [&] { return str(setActionChecked(name, true)); }, "0"},
        {"checked", [&] { return str(isActionChecked(name)); }, "true"},
        {"hide", [&] { return str(setActionVisible(name, false)); }, "0"},
        {"hidden", [&] { return str(isActionShown(name)); }, "false"},
        {"execute hidden", [&] { return str(executeAction(name)); }, "0"},
        {"execute unknown", [] { return str(executeAction("Tools.None")); }, "2"},
        {"enable unknown", [] { return str(setActionEnabled("Tools.None", true)); }, "2"},
        {"check unknown", [] { return str(setActionChecked("Tools.None", true)); }, "2"},
        {"show unknown", [] { return str(setActionVisible("Tools.None", true)); }, "2"},
        {"unknown enabled", [] { return str(isActionEnabled("Tools.None")); }, "false"},
    });
    EXPECT_EQ(measure.names, (std::vector<std::string>{name, name}));
    EXPECT_EQ(measure.datas, (std::vector<void*>{nullptr, nullptr}));
    EXPECT_EQ(other.runs(), 0);
    const karvensim::Action& kept = state().actions.at(name);
    EXPECT_EQ(kept.secondText, "Measure a distance");
    EXPECT_EQ(kept.runs, 2);
}

TEST_F(Actions, a_test_runs_an_action_as_the_user_would) {
    Callback callback = simtest::actionCallback();
    ASSERT_EQ(createAction("Tools.Count", "", &callback), 0);
    EXPECT_EQ(application().runAction("Tools.Count"), 0);
    EXPECT_EQ(callback.names, std::vector<std::string>{"Tools.Count"});
    ASSERT_EQ(setActionEnabled("Tools.Count", false), 0);
    EXPECT_EQ(application().runAction("Tools.Count"), 3);
    EXPECT_EQ(application().runAction("Tools.None"), 2);
    EXPECT_EQ(callback.runs(), 1);
}

TEST_F(Actions, a_callback_makes_requests_while_its_action_runs) {
    // Each run toggles the action's own checked state.
    const std::string name = "View.Grid";
    Callback toggle = simtest::actionCallback([&](void*) { setActionChecked(name, !isActionChecked(name)); });
    ASSERT_EQ(createAction(name, "", &toggle), 0);
    EXPECT_EQ(executeAction(name), 0);
    EXPECT_TRUE(isActionChecked(name));
    EXPECT_EQ(executeAction(name), 0);
    EXPECT_FALSE(isActionChecked(name));
    EXPECT_EQ(toggle.runs(), 2);
}

TEST_F(Actions, an_action_without_callback_runs_and_counts) {
    ASSERT_EQ(createAction("Tools.Nothing", "", nullptr), 0);
    EXPECT_EQ(executeAction("Tools.Nothing"), 0);
    EXPECT_EQ(state().actions.at("Tools.Nothing").runs, 1);
}

TEST_F(Actions, the_hosts_own_actions_act_on_the_host) {
    createViewport(1, "Left", 0, 0, 0.5, 1);
    EXPECT_EQ(executeAction(karvensim::Application::kRedrawAction), 0);
    EXPECT_EQ(application().runAction(karvensim::Application::kRedrawAction), 0);
    EXPECT_EQ(state().redraws, 2);
    EXPECT_EQ(executeAction(karvensim::Application::kNextViewportAction), 0);
    EXPECT_EQ(state().currentViewport, "Left");
    EXPECT_EQ(unparseAccelerator(getHotKey(karvensim::Application::kRedrawAction, 0)), "Ctrl+R");
}

TEST_F(Actions, action_names_are_appended_in_order_of_name) {
    Callback callback = simtest::actionCallback();
    createAction("B.Second", "", &callback);
    createAction("A.First", "", &callback);
    std::vector<std::string> names{"kept"};
    getActionNames(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"kept", "A.First", "B.Second", "View.NextViewport", "View.Redraw"}));
}

TEST_F(Actions, hot_keys_are_bound_by_index_and_belong_to_one_action) {
    Callback callback = simtest::actionCallback();
    const std::string name = "Tools.Measure";
    const unsigned int ctrlR = parseAccelerator("Ctrl+R");
    const unsigned int m = parseAccelerator("M");
    const unsigned int altM = parseAccelerator("Alt+M");
    const auto keyOf = [](const std::string& action, int index) {
        return [=] { return unparseAccelerator(getHotKey(action, index)); };
    };
    simtest::runSteps({
        {"host action's key", keyOf("View.Redraw", 0), "Ctrl+R"},
        {"action for Ctrl+R", [=] { return getActionForHotKey(ctrlR); }, "View.Redraw"},
        {"create", [&] { return str(createAction(name, "", &callback)); }, "0"},
        {"no key yet", [&] { return str(getHotKey(name, 0)); }, "0"},
        {"bind M at 0", [&] { return str(setHotKey(name, m, 0)); }, "0"},
        {"key 0", keyOf(name, 0), "M"},
        {"bind Alt+M at 1", [&] { return str(setHotKey(name, altM, 1)); }, "0"},
        {"key 1", keyOf(name, 1), "Alt+M"},
        {"index past the end", [&] { return str(setHotKey(name, m, 3)); }, "2"},
        {"negative index", [&] { return str(setHotKey(name, m, -1)); }, "2"},
        {"unknown action", [&] { return str(setHotKey("Tools.None", m, 0)); }, "2"},
        {"invalid code", [&] { return str(setHotKey(name, 'a', 0)); }, "2"},
        {"key past the end", [&] { return str(getHotKey(name, 2)); }, "0"},
        {"key at negative index", [&] { return str(getHotKey(name, -1)); }, "0"},
        {"take Ctrl+R at 0", [&] { return str(setHotKey(name, ctrlR, 0)); }, "0"},
        {"action for Ctrl+R now", [=] { return getActionForHotKey(ctrlR); }, name},
        {"host action lost it", [] { return str(getHotKey("View.Redraw", 0)); }, "0"},
        {"M is free again", [=] { return getActionForHotKey(m); }, ""},
        {"move Alt+M to 0", [&] { return str(setHotKey(name, altM, 0)); }, "0"},
        {"key 0 after the move", keyOf(name, 0), "Alt+M"},
        {"no key 1 after the move", [&] { return str(getHotKey(name, 1)); }, "0"},
        {"unbind 0", [&] { return str(setHotKey(name, 0, 0)); }, "0"},
        {"no key after unbinding", [&] { return str(getHotKey(name, 0)); }, "0"},
        {"action for no hot key", [] { return getActionForHotKey(0); }, ""},
    });
}

TEST_F(Actions, initialize_hot_key_binds_only_what_disturbs_nothing) {
    Callback callback = simtest::actionCallback();
    const unsigned int k = parseAccelerator("Ctrl+K");
    simtest::runSteps({
        {"unknown action", [=] { return str(initializeHotKey("Tools.A", k)); }, "1"},
        {"create", [&] { return str(createAction("Tools.A", "", &callback)); }, "0"},
        {"key of another action", [] { return str(initializeHotKey("Tools.A", parseAccelerator("Ctrl+R"))); },
         "3"},
        {"free key", [=] { return str(initializeHotKey("Tools.A", k)); }, "0"},
        {"bound", [] { return unparseAccelerator(getHotKey("Tools.A", 0)); }, "Ctrl+K"},
        {"already has a key", [] { return str(initializeHotKey("Tools.A", parseAccelerator("Ctrl+L"))); },
         "2"},
    });
}

TEST_F(Actions, the_hot_key_file_holds_the_whole_table) {
    Callback callback = simtest::actionCallback();
    const std::string odd = "Tools.a=b #\\ c";
    ASSERT_EQ(createAction(odd, "", &callback), 0);
    ASSERT_EQ(setHotKey(odd, parseAccelerator("Ctrl+="), 0), 0);
    ASSERT_EQ(setHotKey(odd, parseAccelerator("F2"), 1), 0);
    const std::string file = tempPath("keys");
    saveHotKeyFile(file);

    setHotKey(odd, 0, 1);
    setHotKey("View.Redraw", parseAccelerator("F9"), 0);
    setHotKey("View.NextViewport", 0, 0);
    EXPECT_EQ(loadHotKeyFile(file), 0);
    EXPECT_EQ(unparseAccelerator(getHotKey(odd, 0)), "Ctrl+=");
    EXPECT_EQ(unparseAccelerator(getHotKey(odd, 1)), "F2");
    EXPECT_EQ(unparseAccelerator(getHotKey("View.Redraw", 0)), "Ctrl+R");
    EXPECT_EQ(unparseAccelerator(getHotKey("View.NextViewport", 0)), "Ctrl+Tab");
    EXPECT_EQ(getActionForHotKey(parseAccelerator("F9")), "");
}

TEST_F(Actions, a_hot_key_file_that_cannot_be_read_changes_nothing) {
    const std::string malformed = tempPath("malformed");
    std::ofstream(malformed) << "View.Redraw=F9\nno separator\n";
    const std::string badKey = tempPath("bad_key");
    std::ofstream(badKey) << "View.Redraw=Hyper+Q\n";
    const std::string unknownAction = tempPath("unknown_action");
    std::ofstream(unknownAction) << "# a comment\n\nTools.None=F3\nView.Redraw=F9\n";
    simtest::runSteps({
        {"missing file", [&] { return str(loadHotKeyFile(tempPath("missing"))); }, "2"},
        {"malformed line", [&] { return str(loadHotKeyFile(malformed)); }, "3"},
        {"unknown hot key", [&] { return str(loadHotKeyFile(badKey)); }, "3"},
        {"still bound", [] { return unparseAccelerator(getHotKey("View.Redraw", 0)); }, "Ctrl+R"},
        {"unknown actions are skipped", [&] { return str(loadHotKeyFile(unknownAction)); }, "0"},
        {"bound from the file", [] { return unparseAccelerator(getHotKey("View.Redraw", 0)); }, "F9"},
        {"not in the file", [] { return str(getHotKey("View.NextViewport", 0)); }, "0"},
    });
}

}  // namespace
