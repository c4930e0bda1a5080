// Controls: creation requests and bind requests, the spinner's request
// order, every control operation as tabled, and clearItems.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIIcon.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIOptionMenu.h"
#include "gui/PITextField.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using namespace PIGUI;

// Layout integers 1 to 7, spacings filled in with 2: options last.
const Layout kSeven = {2, 3, 4, 5, 6, 7, 2, 2, 1};
FunctorTwoParams__* const kFunction = static_cast<FunctorTwoParams__*>(fake<9>());


class Controls : public WithParent {};

TEST_F(Controls, each_constructor_sends_its_creation_request_then_binds_the_answer) {
    struct Case {
        const char* name;
        int32_t code;
        std::function<PIObject*(PICanvas*, PIIcon*)> make;
        std::string creation;
        bool binds;
    };
    const Case cases[] = {
        {"button", 118,
         [](PICanvas* p, PIIcon*) { return new PIButton(p, "OK", kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerStringAndFunction(118, fake<1>(), "OK", kFunction, kSeven), true},
        {"check button", 122,
         [](PICanvas* p, PIIcon*) { return new PICheckButton(p, "On", kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerStringAndFunction(122, fake<1>(), "On", kFunction, kSeven), true},
        {"radio button", 121,
         [](PICanvas* p, PIIcon*) { return new PIRadioButton(p, "One", kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerStringAndFunction(121, fake<1>(), "One", kFunction, kSeven), true},
        {"toolbar button", 106,
         [](PICanvas*, PIIcon* i) { return new PIToolbarButton("Tool", i, kFunction); },
         pointerStringAndFunction(106, fake<2>(), "Tool", kFunction), true},
        {"toolbar button, null icon", 106,
         [](PICanvas*, PIIcon*) { return new PIToolbarButton("Tool", nullptr, kFunction); },
         pointerStringAndFunction(106, nullptr, "Tool", kFunction), true},
        {"label", 120, [](PICanvas* p, PIIcon*) { return new PILabel(p, "Name", 1, 2, 3, 4, 5, 6, 7); },
         pointerAndString(120, fake<1>(), "Name", kSeven), false},
        {"text field", 119,
         [](PICanvas* p, PIIcon*) { return new PITextField(p, 12, kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerIntAndFunction(119, fake<1>(), 12, kFunction, kSeven), true},
        {"option menu", 124,
         [](PICanvas* p, PIIcon*) { return new PIOptionMenu(p, kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerStringAndFunction(124, fake<1>(), "", kFunction, kSeven), true},
        {"colour well", 123,
         [](PICanvas* p, PIIcon*) { return new PIColorWell(p, 0xFF8000FFu, kFunction, 1, 2, 3, 4, 5, 6, 7); },
         pointerIntAndFunction(123, fake<1>(), static_cast<int32_t>(0xFF8000FFu), kFunction, kSeven), true},
        {"list", 126, [](PICanvas* p, PIIcon*) { return new PIList(p, "Items", 3, 1, 2, 3); },
         pointerIntAndString(126, fake<1>(), 3, "Items", {2, 3, 2, 2, 2, 2, 2, 2, 1}), true},
        {"list, null text", 126, [](PICanvas* p, PIIcon*) { return new PIList(p, nullptr, 0); },
         pointerIntAndString(126, fake<1>(), 0, ""), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* answer : {fake<8>(), static_cast<void*>(nullptr)}) {
            testhost::reset();
            testhost::respond(c.code, [answer](testhost::Exchange&) { return answer; });
            PIObject* proxy = c.make(parent.get(), icon.get());
            Lines expected = {c.creation};
            if (c.binds) {
                expected.push_back(bind(answer, proxy));
            }
            checkCreated(proxy, expected, answer);
        }
    }
}

TEST_F(Controls, a_spinner_is_created_then_bound_then_given_its_range) {
    testhost::respond(125, [](testhost::Exchange&) { return fake<8>(); });
    std::vector<int> lowSeenByHost;
    testhost::respond(140, [&lowSeenByHost](testhost::Exchange& e) {
        lowSeenByHost.push_back(*static_cast<const int*>(e.request().block.pointerValue));
        return nullptr;
    });
    PISpinner spinner(parent.get(), 5, -3, 9, kFunction, 1, 2, 3, 4, 5, 6, 7);

    const Lines lines = sent();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], addToGarbage(&spinner));
    EXPECT_EQ(lines[1], pointerIntAndFunction(125, fake<1>(), 5, kFunction, kSeven));
    EXPECT_EQ(lines[2], bind(fake<8>(), &spinner));
    const auto range = testhost::requests().back();
    EXPECT_EQ(range.code, 140);
    EXPECT_EQ(range.block.kind, testhost::BlockKind::PointerPointerAndInt);
    EXPECT_EQ(range.block.pointer, fake<8>());
    EXPECT_EQ(range.block.intValue, 9);
    EXPECT_EQ(lowSeenByHost, std::vector<int>{-3}) << "the low end travels by address";

    spinner.setRange(10, 20);
    EXPECT_EQ(lowSeenByHost, (std::vector<int>{-3, 10}));
    EXPECT_EQ(testhost::requests().back().block.intValue, 20);
    spinner.serverHandle = nullptr;
}

// Exposes the constructors that build only the window base.
struct BareButton : PIButton {
    BareButton() : PIButton(1, 2, 3, 4, 5, 6, 7) {}
};
struct BareTextField : PITextField {
    BareTextField() : PITextField(1, 2, 3, 4, 5, 6, 7) {}
};
struct BareOptionMenu : PIOptionMenu {
    BareOptionMenu() : PIOptionMenu(1, 2, 3, 4, 5, 6, 7) {}
};

TEST_F(Controls, constructors_that_only_build_the_base_send_nothing) {
    const std::vector<std::tuple<const char*, std::function<PIWindow*()>, Layout>> cases = {
        {"check button", [] { return new PICheckButton; }, kDefaultLayout},
        {"radio button", [] { return new PIRadioButton; }, kDefaultLayout},
        {"toolbar button", [] { return new PIToolbarButton; }, kDefaultLayout},
        {"label", [] { return new PILabel; }, kDefaultLayout},
        {"text field", [] { return new PITextField; }, kDefaultLayout},
        {"spinner", [] { return new PISpinner; }, kDefaultLayout},
        {"colour well", [] { return new PIColorWell; }, kDefaultLayout},
        {"list", [] { return new PIList; }, kDefaultLayout},
        {"button base", [] { return new BareButton; }, kSeven},
        {"text field base", [] { return new BareTextField; }, kSeven},
        {"option menu base", [] { return new BareOptionMenu; }, kSeven},
    };
    for (const auto& [name, make, layout] : cases) {
        SCOPED_TRACE(name);
        testhost::clearRequests();
        checkBaseOnly(make(), layout);
    }
}

TEST_F(Controls, each_operation_sends_its_request_whatever_the_handle) {
    PICheckButton button;
    PILabel label;
    PISpinner spinner;
    BareOptionMenu options;
    PIList list;
    void* data = fake<5>();
    PIIcon* i = icon.get();
    struct Case {
        const char* name;
        PIWindow* proxy;
        std::function<void()> call;
        std::function<Lines(const void* handle)> expected;
    };
    const Case cases[] = {
        {"button setIcon", &button, [&] { button.setIcon(i); },
         [](auto h) {
             return Lines{catchAll(158, {7}, {h, fake<2>()})};
         }},
        {"button setIcon(null)", &button, [&] { button.setIcon(nullptr); },
         [](auto h) {
             return Lines{catchAll(158, {7}, {h, nullptr})};
         }},
        {"PIButton::isChecked", &button, [&] { static_cast<PIButton&>(button).isChecked(); },
         [](auto h) { return Lines{pointerAndInt(149, h, -1)}; }},
        {"PICheckButton::isChecked", &button, [&] { button.isChecked(); },
         [](auto h) { return Lines{pointerAndInt(149, h, -1)}; }},
        {"label setIcon", &label, [&] { label.setIcon(i); },
         [](auto h) {
             return Lines{catchAll(158, {1}, {h, fake<2>()})};
         }},
        {"label setIcon(null)", &label, [&] { label.setIcon(nullptr); },
         [](auto h) {
             return Lines{catchAll(158, {1}, {h, nullptr})};
         }},
        {"setPlaceholderText", &spinner, [&] { spinner.setPlaceholderText("Search"); },
         [](auto h) { return Lines{catchAll(164, {0}, {h}, {"Search"})}; }},
        {"appendOption", &options, [&] { options.appendOption("Red"); },
         [](auto h) { return Lines{pointerIntAndString(139, h, -1, "Red")}; }},
        {"getNumOptions", &options, [&] { options.getNumOptions(); },
         [](auto h) {
             return Lines{catchAll(159, {0, 0}, {h})};
         }},
        {"getOptionText", &options, [&] { options.getOptionText(2); },
         [](auto h) {
             return Lines{catchAll(159, {1, 2}, {h}, {""})};
         }},
        {"setOptionText", &options, [&] { options.setOptionText(2, "Blue"); },
         [](auto h) {
             return Lines{catchAll(159, {2, 2, 1}, {h}, {"Blue"})};
         }},
        {"removeOption", &options, [&] { options.removeOption(1); },
         [](auto h) {
             return Lines{catchAll(159, {3, 1, 1}, {h})};
         }},
        {"appendItem", &list, [&] { list.appendItem("row", data); },
         [](auto h) {
             return Lines{catchAll(127, {-1}, {h, fake<5>()}, {"row"})};
         }},
        {"removeItem", &list, [&] { list.removeItem(2); },
         [](auto h) { return Lines{pointerAndInt(128, h, 2)}; }},
        {"getNumItems", &list, [&] { list.getNumItems(); },
         [](auto h) { return Lines{pointerAndInt(129, h, -1)}; }},
        {"getSelectedItem", &list, [&] { list.getSelectedItem(3); },
         [](auto h) { return Lines{pointerAndInt(130, h, 3)}; }},
        {"setSelectedItem", &list, [&] { list.setSelectedItem(4); },
         [](auto h) { return Lines{pointerIntAndBool(131, h, 4, true)}; }},
        {"deselectAll", &list, [&] { list.deselectAll(); }, [](auto h) { return Lines{direct(132, h)}; }},
        {"getItemText", &list, [&] { list.getItemText(1); },
         [](auto h) { return Lines{pointerIntAndString(133, h, 1, "")}; }},
        {"setItemText", &list, [&] { list.setItemText(1, "text"); },
         [](auto h) { return Lines{pointerIntAndString(134, h, 1, "text")}; }},
        {"getItemData", &list, [&] { list.getItemData(5); },
         [](auto h) { return Lines{pointerAndInt(135, h, 5)}; }},
        {"setItemData", &list, [&] { list.setItemData(5, data); },
         [](auto h) { return Lines{pointerPointerAndInt(136, h, fake<5>(), 5)}; }},
        {"appendHeader", &list, [&] { list.appendHeader("Name", 120); },
         [](auto h) { return Lines{pointerIntAndString(137, h, 120, "Name")}; }},
        {"removeHeader", &list, [&] { list.removeHeader(0); },
         [](auto h) { return Lines{pointerAndInt(138, h, 0)}; }},
        {"setSelectionMode", &list, [&] { list.setSelectionMode(PIList::MULTIPLE_SELECTION); },
         [](auto h) {
             return Lines{catchAll(167, {0, 1}, {h})};
         }},
        {"getSelectionMode", &list, [&] { list.getSelectionMode(); },
         [](auto h) {
             return Lines{catchAll(167, {1, 0}, {h})};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* handle : {fake<7>(), static_cast<void*>(nullptr)}) {
            c.proxy->serverHandle = handle;
            testhost::clearRequests();
            c.call();
            EXPECT_EQ(sent(), c.expected(handle));
        }
    }
}

TEST_F(Controls, results_are_the_presets_without_an_answer_and_the_host_values_with_one) {
    PICheckButton button;
    BareOptionMenu options;
    PIList list;
    const auto intValue = [](int32_t value) {
        return [value](testhost::Exchange& e) {
            e.setIntValue(value);
            return nullptr;
        };
    };
    const auto element = [](std::size_t index, int32_t value) {
        return [index, value](testhost::Exchange& e) {
            e.setInt(index, value);
            return nullptr;
        };
    };
    const auto text = [](const std::string& value) {
        return [value](testhost::Exchange& e) {
            if (e.request().block.kind == testhost::BlockKind::CatchAll) {
                e.setString(0, value);
            } else {
                e.setStringValue(value);
            }
            return nullptr;
        };
    };
    const ResultCase cases[] = {
        {"PIButton::isChecked", 149,
         [&] { return std::to_string(static_cast<PIButton&>(button).isChecked()); }, "1", intValue(0), "0"},
        {"PICheckButton::isChecked", 149, [&] { return std::to_string(button.isChecked()); }, "1",
         intValue(0), "0"},
        {"appendOption", 139, [&] { return std::to_string(options.appendOption("x")); }, "-1", intValue(3),
         "3"},
        {"getNumOptions", 159, [&] { return std::to_string(options.getNumOptions()); }, "0", element(1, 4),
         "4"},
        {"getOptionText", 159, [&] { return options.getOptionText(0); }, "", text("Red"), "Red"},
        {"setOptionText", 159, [&] { return std::to_string(options.setOptionText(0, "x")); }, "1",
         element(2, 0), "0"},
        {"removeOption", 159, [&] { return std::to_string(options.removeOption(0)); }, "1", element(2, 0),
         "0"},
        {"appendItem", 127, [&] { return std::to_string(list.appendItem("x", nullptr)); }, "-1",
         element(0, 6), "6"},
        {"getNumItems", 129, [&] { return std::to_string(list.getNumItems()); }, "-1", intValue(8), "8"},
        {"getSelectedItem", 130, [&] { return std::to_string(list.getSelectedItem(3)); }, "3", intValue(5),
         "5"},
        {"getItemText", 133, [&] { return list.getItemText(0); }, "", text("row"), "row"},
        {"getItemData", 135, [&] { return std::to_string(list.getItemData(0) == fake<5>()); }, "0",
         [](testhost::Exchange&) { return fake<5>(); }, "1"},
        {"getSelectionMode", 167, [&] { return std::to_string(list.getSelectionMode()); }, "0", element(1, 2),
         "2"},
    };
    checkResults(cases);
}

TEST_F(Controls, clear_items_removes_the_first_row_until_the_count_is_not_positive) {
    PIList list;
    list.serverHandle = fake<7>();
    const std::string count = pointerAndInt(129, fake<7>(), -1);
    const std::string removeFirst = pointerAndInt(128, fake<7>(), 0);

    testhost::clearRequests();
    list.clearItems();
    EXPECT_EQ(sent(), Lines{count}) << "no host: -1 items";

    int rows = 3;
    testhost::respond(129, [&rows](testhost::Exchange& e) {
        e.setIntValue(rows);
        return nullptr;
    });
    testhost::respond(128, [&rows](testhost::Exchange&) {
        --rows;
        return nullptr;
    });
    testhost::clearRequests();
    list.clearItems();
    EXPECT_EQ(sent(), (Lines{count, removeFirst, count, removeFirst, count, removeFirst, count}));
    list.serverHandle = nullptr;
}

}  // namespace
