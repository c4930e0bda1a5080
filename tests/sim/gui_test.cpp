// The simulated host's GUI state, through the library's GUI proxies.

#include <gtest/gtest.h>

#include <memory>

#include "api/PIApplication.h"
#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PIOptionMenu.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "tests/sim/PluginCallback.h"
#include "tests/sim/SimTestSupport.h"

namespace {

using namespace PIGUI;
using simtest::after;
using simtest::Callback;
using simtest::str;

class Gui : public simtest::WithSimulator {
protected:
    karvensim::Gui& gui() { return karvensim::Simulator::running()->gui(); }
    // The node of `handle` in the tree, searched depth first.
    const karvensim::WidgetNode* find(const std::vector<karvensim::WidgetNode>& nodes, const void* handle) {
        for (const auto& n : nodes) {
            if (n.handle == handle) return &n;
            if (const auto* inner = find(n.children, handle)) return inner;
        }
        return nullptr;
    }
};

TEST_F(Gui, widgets_form_a_tree_under_their_parents_in_order_of_creation) {
    PIDialogBox dialog("Settings", nullptr);
    PIVerticalFrame frame(&dialog);
    PILabel label(&frame, "Name");
    PITextField field(&frame, 20, nullptr);
    PIHorizontalFrame row(&frame);
    PIButton ok(&row, "OK", nullptr);

    const auto tree = gui().tree();
    ASSERT_EQ(tree.size(), 4u);  // tool bar, menu pane, main window, the dialog
    EXPECT_EQ(tree[0].kind, "plugin_toolbar");
    EXPECT_EQ(tree[1].kind, "plugin_menu_pane");
    EXPECT_EQ(tree[2].kind, "main_window");
    const auto& d = tree[3];
    EXPECT_EQ(d.kind, "dialog_box");
    EXPECT_EQ(d.widget->text, "Settings");
    ASSERT_EQ(d.children.size(), 1u);
    const auto& f = d.children[0];
    EXPECT_EQ(f.kind, "vertical_frame");
    ASSERT_EQ(f.children.size(), 3u);
    EXPECT_EQ(f.children[0].kind, "label");
    EXPECT_EQ(f.children[1].kind, "text_field");
    EXPECT_EQ(f.children[1].widget->number, 20);
    EXPECT_EQ(f.children[2].kind, "horizontal_frame");
    ASSERT_EQ(f.children[2].children.size(), 1u);
    EXPECT_EQ(f.children[2].children[0].handle, ok.serverHandle);
    EXPECT_EQ(f.children[2].children[0].widget->proxy, static_cast<const void*>(&ok));
}

TEST_F(Gui, the_hosts_tool_bar_menu_pane_and_main_window_take_children) {
    PIMenu menu("Tools", nullptr);
    PIMenuItem item(&menu, "Run", nullptr);
    PIMenuSeparator separator(&menu);
    // A proxy for the host's tool bar: a wrapper around its handle.
    PIVertFrameWrapper toolbar;
    toolbar.serverHandle = PICommon::getPluginToolbar();
    toolbar.ownsServerObject = false;
    PIButton tool(&toolbar, "Tool", nullptr);
    EXPECT_EQ(PICommon::getPluginToolbar(), gui().pluginToolbar());
    EXPECT_EQ(PICommon::getPluginMenuPane(), gui().pluginMenuPane());
    EXPECT_EQ(PICommon::getMainWindow(), gui().mainWindow());

    const auto tree = gui().tree();
    const auto* m = find(tree, menu.serverHandle);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->kind, "menu");
    ASSERT_EQ(m->children.size(), 2u);
    EXPECT_EQ(m->children[0].kind, "menu_item");
    EXPECT_EQ(m->children[1].kind, "menu_separator");
    ASSERT_EQ(tree[0].children.size(), 1u);
    EXPECT_EQ(tree[0].children[0].handle, tool.serverHandle);
}

TEST_F(Gui, values_read_back_what_was_set) {
    PIDialogBox dialog("Values", nullptr);
    PITextField field(&dialog, 10, nullptr);
    PISpinner spinner(&dialog, 4, 1, 9, nullptr);
    PICheckButton check(&dialog, "Verbose", nullptr);
    PILabel label(&dialog, "Caption");
    PIColorWell well(&dialog, 0xFF0000u, nullptr);

    simtest::runSteps({
        {"a new text field is empty", [&] { return field.getValueText(); }, ""},
        {"text", after([&] { field.setValue(std::string("abc")); }, [&] { return field.getValueText(); }), "abc"},
        {"text is not a number", [&] { return str(field.getValueInt()); }, "0"},
        {"int", after([&] { field.setValue(42); }, [&] { return field.getValueText(); }), "42"},
        {"int read as double", [&] { return str(field.getValueDouble() == 42.0); }, "true"},
        {"double", after([&] { field.setValue(2.5); }, [&] { return field.getValueText(); }), "2.5"},
        {"double read as int", [&] { return str(field.getValueInt()); }, "2"},
        {"a spinner starts at its low end", [&] { return str(spinner.getValueInt()); }, "1"},
        {"inside the range", after([&] { spinner.setValue(5); }, [&] { return str(spinner.getValueInt()); }), "5"},
        {"above the range", after([&] { spinner.setValue(50); }, [&] { return str(spinner.getValueInt()); }), "9"},
        {"a narrower range clamps", after([&] { spinner.setRange(1, 3); }, [&] { return str(spinner.getValueInt()); }),
         "3"},
        {"a check button starts unchecked", [&] { return str(check.isChecked()); }, "false"},
        {"check", after([&] { check.check(); }, [&] { return str(check.isChecked()); }), "true"},
        {"an int value checks", after([&] { check.setValue(0); }, [&] { return str(check.getValueInt()); }), "0"},
        {"a label's value is its text", [&] { return label.getValueText(); }, "Caption"},
        {"a colour well's value is its colour", [&] { return str(well.getValueInt()); }, "16711680"},
        {"style sheet", after([&] { field.setStyleSheet("color: red"); }, [&] { return field.getStyleSheet(); }),
         "color: red"},
    });
    int width = 0;
    int height = 0;
    field.setMinimumSize(30, 40);
    field.getMinimumSize(width, height);
    EXPECT_EQ(width, 30);
    EXPECT_EQ(height, 40);
}

TEST_F(Gui, flags_and_focus) {
    PIDialogBox dialog("Flags", nullptr);
    PITextField first(&dialog, 10, nullptr);
    PITextField second(&dialog, 10, nullptr);
    simtest::runSteps({
        {"a dialog starts hidden", [&] { return str(dialog.shown()); }, "false"},
        {"what it holds starts shown", [&] { return str(first.shown()); }, "true"},
        {"hidden", after([&] { first.hide(); }, [&] { return str(first.shown()); }), "false"},
        {"shown", after([&] { dialog.show(); }, [&] { return str(dialog.shown()); }), "true"},
        {"no focus at first", [&] { return str(first.hasFocus()); }, "false"},
        {"focus", after([&] { first.setFocus(); }, [&] { return str(first.hasFocus()); }), "true"},
        {"focus moves", after([&] { second.setFocus(); }, [&] { return str(first.hasFocus()); }), "false"},
        {"updateValue skips the focused widget",
         after([&] { second.updateValue(std::string("typed")); }, [&] { return second.getValueText(); }), ""},
        {"and sets the others",
         after([&] { first.updateValue(std::string("set")); }, [&] { return first.getValueText(); }), "set"},
    });
    first.disable();
    EXPECT_FALSE(gui().state(first.serverHandle)->enabled);
    first.enable();
    EXPECT_TRUE(gui().state(first.serverHandle)->enabled);
}

TEST_F(Gui, lists_keep_items_headers_and_selection) {
    PIDialogBox dialog("List", nullptr);
    PIList list(&dialog, "files", 1);
    int a = 0;
    int b = 0;
    simtest::runSteps({
        {"empty", [&] { return str(list.getNumItems()); }, "0"},
        {"append answers the index", [&] { return str(list.appendItem("a", &a)); }, "0"},
        {"second", [&] { return str(list.appendItem("b", &b)); }, "1"},
        {"third", [&] { return str(list.appendItem("c", nullptr)); }, "2"},
        {"count", [&] { return str(list.getNumItems()); }, "3"},
        {"text", [&] { return list.getItemText(1); }, "b"},
        {"text out of range", [&] { return list.getItemText(7); }, ""},
        {"data", [&] { return str(list.getItemData(1) == &b); }, "true"},
        {"set data", after([&] { list.setItemData(2, &a); }, [&] { return str(list.getItemData(2) == &a); }), "true"},
        {"nothing selected", [&] { return str(list.getSelectedItem(0)); }, "-1"},
        {"select", after([&] { list.setSelectedItem(1); }, [&] { return str(list.getSelectedItem(0)); }), "1"},
        {"single selection", after([&] { list.setSelectedItem(2); }, [&] { return str(list.getSelectedItem(0)); }),
         "2"},
        {"multiple selection", after([&] {
             list.setSelectionMode(PIList::MULTIPLE_SELECTION);
             list.setSelectedItem(0);
         }, [&] { return str(list.getSelectedItem(0)) + str(list.getSelectedItem(1)); }), "02"},
        {"mode", [&] { return str(static_cast<int>(list.getSelectionMode())); }, "1"},
        {"deselect all", after([&] { list.deselectAll(); }, [&] { return str(list.getSelectedItem(0)); }), "-1"},
        {"set text", after([&] { list.setItemText(0, "A"); }, [&] { return list.getItemText(0); }), "A"},
        {"remove", after([&] { list.removeItem(0); }, [&] { return list.getItemText(0); }), "b"},
        {"clear", after([&] { list.clearItems(); }, [&] { return str(list.getNumItems()); }), "0"},
    });
    list.appendHeader("Name", 120);
    list.appendHeader("Size", 60);
    list.removeHeader(0);
    const auto& headers = gui().state(list.serverHandle)->headers;
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0].text, "Size");
    EXPECT_EQ(headers[0].size, 60);
}

TEST_F(Gui, option_menus_switchers_and_tabs) {
    PIDialogBox dialog("Options", nullptr);
    PIOptionMenu menu(&dialog, nullptr);
    PISwitcher switcher(&dialog);
    PITabWidget tabs(&dialog);
    simtest::runSteps({
        {"append", [&] { return str(menu.appendOption("red")); }, "0"},
        {"append again", [&] { return str(menu.appendOption("blue")); }, "1"},
        {"count", [&] { return str(menu.getNumOptions()); }, "2"},
        {"text", [&] { return menu.getOptionText(1); }, "blue"},
        {"set text", [&] { return str(menu.setOptionText(0, "green")); }, "0"},
        {"text set", [&] { return menu.getOptionText(0); }, "green"},
        {"set text out of range", [&] { return str(menu.setOptionText(5, "x")); }, "2"},
        {"remove", [&] { return str(menu.removeOption(0)); }, "0"},
        {"the next moves up", [&] { return menu.getOptionText(0); }, "blue"},
        {"remove out of range", [&] { return str(menu.removeOption(3)); }, "2"},
        {"switcher", [&] { return str(switcher.setCurrent(1)); }, "1"},
        {"tabs", after([&] { tabs.addTab("One"); tabs.addTab("Two"); }, [&] { return str(tabs.numTabs()); }), "2"},
    });
    PIVerticalFrame* page = tabs.addTab("Three");
    ASSERT_NE(page, nullptr);
    PILabel onPage(page, "on the page");
    const auto tree = gui().tree();
    const auto* node = find(tree, tabs.serverHandle);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(node->children.size(), 3u);
    EXPECT_EQ(node->children[2].kind, "tab_page");
    EXPECT_EQ(node->children[2].widget->text, "Three");
    ASSERT_EQ(node->children[2].children.size(), 1u);
    EXPECT_EQ(node->children[2].children[0].kind, "label");
}

TEST_F(Gui, the_registry_shares_the_applications_preferences) {
    state().preferences["plugin.path"] = "/data";
    EXPECT_EQ(PIRegistry::getValue("plugin.path"), "/data");
    EXPECT_EQ(PIRegistry::getValue("absent"), "");
    PIRegistry::setValue("plugin.size", "12");
    EXPECT_EQ(state().preferences.at("plugin.size"), "12");
}

TEST_F(Gui, progress_dialogs) {
    auto progress = std::make_unique<PIProgressDialog>(nullptr, "Working", "Cancel", true, 10);
    const void* handle = progress->serverHandle;
    ASSERT_NE(handle, nullptr);
    simtest::runSteps({
        {"maximum", [&] { return str(progress->maximum()); }, "10"},
        {"value", after([&] { progress->setValue(4); }, [&] { return str(progress->value()); }), "4"},
        {"new maximum", after([&] { progress->setMaximum(20); }, [&] { return str(progress->maximum()); }), "20"},
        {"not cancelled", [&] { return str(progress->isCanceled()); }, "false"},
        {"cancelled by the user", after([&] { gui().cancelProgress(handle); }, [&] {
             return str(progress->isCanceled());
         }), "true"},
    });
    progress->show();
    progress->setLabelText("step 2");
    EXPECT_FALSE(gui().widget(handle)->hidden);
    EXPECT_EQ(gui().state(handle)->value, "step 2");
    progress.reset();
    EXPECT_EQ(gui().widget(handle), nullptr);  // hidden, then destroyed
}

TEST_F(Gui, clicks_run_the_widgets_callback) {
    std::vector<void*> clicked;
    Callback created([&](void* source) { clicked.push_back(source); });
    Callback mapped([&](void* source) { clicked.push_back(source); });
    PIDialogBox dialog("Click", nullptr);
    PIButton button(&dialog, "OK", &created);
    PICheckButton check(&dialog, "Verbose", nullptr);
    PILabel label(&dialog, "no callback");

    struct Case {
        const char* what;
        std::function<void()> arrange;
        const void* handle;
        int status;
        std::size_t callbacks;
    } cases[] = {
        {"the creation's callback", [] {}, button.serverHandle, karvensim::Gui::kClicked, 1},
        {"mapFunction replaces it", [&] { button.mapFunction(&mapped); }, button.serverHandle,
         karvensim::Gui::kClicked, 2},
        {"disabled", [&] { button.disable(); }, button.serverHandle, karvensim::Gui::kDisabled, 2},
        {"without a callback", [] {}, label.serverHandle, karvensim::Gui::kNoCallback, 2},
        {"a check button toggles", [] {}, check.serverHandle, karvensim::Gui::kNoCallback, 2},
        {"an unknown handle", [] {}, &clicked, karvensim::Gui::kUnknown, 2},
        {"null", [] {}, nullptr, karvensim::Gui::kUnknown, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        EXPECT_EQ(gui().click(c.handle), c.status);
        EXPECT_EQ(clicked.size(), c.callbacks);
    }
    EXPECT_EQ(created.runs(), 1);
    EXPECT_EQ(mapped.runs(), 1);
    EXPECT_EQ(clicked.at(0), button.serverHandle);
    EXPECT_EQ(mapped.datas.at(0), nullptr);
    EXPECT_TRUE(check.isChecked());
}

TEST_F(Gui, destroyed_widgets_leave_the_tree_and_the_state_json_shows_it) {
    PIDialogBox dialog("Tree", nullptr);
    auto label = std::make_unique<PILabel>(&dialog, "gone soon");
    label->ownsServerObject = true;
    const void* handle = label->serverHandle;
    label.reset();
    EXPECT_EQ(find(gui().tree(), handle), nullptr);
    const std::string json = karvensim::Simulator::running()->stateJson();
    EXPECT_NE(json.find("\"gui\": {\"widgets\": ["), std::string::npos);
    EXPECT_NE(json.find("\"kind\": \"dialog_box\", \"text\": \"Tree\""), std::string::npos);
    EXPECT_EQ(json.find("gone soon"), std::string::npos);
    const std::string text = gui().text();
    EXPECT_NE(text.find("dialog_box "), std::string::npos);
    EXPECT_NE(text.find("\"Tree\" hidden"), std::string::npos);
}

}  // namespace
