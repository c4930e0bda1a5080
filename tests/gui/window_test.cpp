// Window base operations: each request as tabled, with and without a server
// handle, and each result with and without an answer.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIWindow.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using PIGUI::PIWindow;

FunctorTwoParams__* const kFunction = static_cast<FunctorTwoParams__*>(fake<9>());
const auto kShape = static_cast<PICommon::PICursorShape_t>(4);

class Window : public WithHost {
protected:
    void SetUp() override {
        WithHost::SetUp();
        window = std::make_unique<PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2);
        testhost::clearRequests();
    }
    std::unique_ptr<PIWindow> window;
};

TEST_F(Window, each_operation_sends_its_request_and_a_null_handle_sends_only_the_grouped_ones) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* name;
        std::function<void(PIWindow&)> call;
        std::function<Lines(const void* handle)> expected;
        bool sentWithNullHandle;
    };
    const Case cases[] = {
        {"show", [](PIWindow& w) { w.show(); }, [](auto h) { return Lines{pointerAndBool(143, h, false)}; },
         false},
        {"hide", [](PIWindow& w) { w.hide(); }, [](auto h) { return Lines{pointerAndBool(143, h, true)}; },
         false},
        {"enable", [](PIWindow& w) { w.enable(); },
         [](auto h) { return Lines{pointerAndBool(144, h, true)}; }, false},
        {"disable", [](PIWindow& w) { w.disable(); },
         [](auto h) { return Lines{pointerAndBool(144, h, false)}; }, false},
        {"check", [](PIWindow& w) { w.check(); }, [](auto h) { return Lines{pointerAndBool(145, h, true)}; },
         false},
        {"uncheck", [](PIWindow& w) { w.uncheck(); },
         [](auto h) { return Lines{pointerAndBool(145, h, false)}; }, false},
        {"setEnabled(true)", [](PIWindow& w) { w.setEnabled(true); },
         [](auto h) { return Lines{pointerAndBool(144, h, true)}; }, false},
        {"setEnabled(false)", [](PIWindow& w) { w.setEnabled(false); },
         [](auto h) { return Lines{pointerAndBool(144, h, false)}; }, false},
        {"setCheck(true)", [](PIWindow& w) { w.setCheck(true); },
         [](auto h) { return Lines{pointerAndBool(145, h, true)}; }, false},
        {"setCheck(false)", [](PIWindow& w) { w.setCheck(false); },
         [](auto h) { return Lines{pointerAndBool(145, h, false)}; }, false},
        {"hasFocus", [](PIWindow& w) { w.hasFocus(); }, [](auto h) { return Lines{direct(147, h)}; }, false},
        {"setFocus", [](PIWindow& w) { w.setFocus(); }, [](auto h) { return Lines{direct(156, h)}; }, false},
        {"shown", [](PIWindow& w) { w.shown(); }, [](auto h) { return Lines{direct(148, h)}; }, false},
        {"mapFunction", [](PIWindow& w) { w.mapFunction(kFunction); },
         [](auto h) { return Lines{pointerAndFunction(146, h, kFunction)}; }, false},
        {"setValue(text)", [](PIWindow& w) { w.setValue(std::string("abc")); },
         [](auto h) { return Lines{pointerAndString(154, h, "abc")}; }, false},
        {"setValue(int)", [](PIWindow& w) { w.setValue(5); },
         [](auto h) { return Lines{pointerAndInt(152, h, 5)}; }, false},
        {"setValue(double)", [](PIWindow& w) { w.setValue(2.5); },
         [](auto h) { return Lines{pointerAndDouble(153, h, 2.5)}; }, false},
        {"getValueText", [](PIWindow& w) { w.getValueText(); },
         [](auto h) { return Lines{pointerAndString(151, h, "")}; }, true},
        {"getValueInt", [](PIWindow& w) { w.getValueInt(); },
         [](auto h) { return Lines{pointerAndInt(149, h, -1)}; }, true},
        {"getValueDouble", [](PIWindow& w) { w.getValueDouble(); },
         [](auto h) { return Lines{pointerAndDouble(150, h, -1.0)}; }, true},
        {"setMinimumSize", [](PIWindow& w) { w.setMinimumSize(30, 40); },
         [](auto h) {
             return Lines{catchAll(166, {0, 30, 40}, {h})};
         },
         true},
        {"getMinimumSize",
         [](PIWindow& w) {
             int width = 0, height = 0;
             w.getMinimumSize(width, height);
         },
         [](auto h) {
             return Lines{catchAll(166, {1, 0, 0}, {h})};
         },
         true},
        {"setMaximumSize", [](PIWindow& w) { w.setMaximumSize(50, 60); },
         [](auto h) {
             return Lines{catchAll(166, {2, 50, 60}, {h})};
         },
         true},
        {"getMaximumSize",
         [](PIWindow& w) {
             int width = 0, height = 0;
             w.getMaximumSize(width, height);
         },
         [](auto h) {
             return Lines{catchAll(166, {3, 0, 0}, {h})};
         },
         true},
        {"setStyleSheet", [](PIWindow& w) { w.setStyleSheet("color: red"); },
         [](auto h) { return Lines{catchAll(166, {4}, {h}, {"color: red"})}; }, true},
        {"getStyleSheet", [](PIWindow& w) { w.getStyleSheet(); },
         [](auto h) { return Lines{catchAll(166, {5}, {h}, {""})}; }, true},
        {"beginCursorOverride", [](PIWindow& w) { w.beginCursorOverride(kShape); },
         [](auto h) {
             return Lines{catchAll(155, {2, 4}, {h})};
         },
         true},
        {"endCursorOverride", [](PIWindow& w) { w.endCursorOverride(); },
         [](auto h) { return Lines{catchAll(155, {3}, {h})}; }, true},
        {"updateValue(text)", [](PIWindow& w) { w.updateValue(std::string("x")); },
         [](auto h) {
             return Lines{direct(147, h), pointerAndString(154, h, "x")};
         },
         false},
        {"updateValue(int)", [](PIWindow& w) { w.updateValue(7); },
         [](auto h) {
             return Lines{direct(147, h), pointerAndInt(152, h, 7)};
         },
         false},
        {"updateValue(double)", [](PIWindow& w) { w.updateValue(0.5); },
         [](auto h) {
             return Lines{direct(147, h), pointerAndDouble(153, h, 0.5)};
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->serverHandle = fake<7>();
        testhost::clearRequests();
        c.call(*window);
        EXPECT_EQ(sent(), c.expected(fake<7>()));

        window->serverHandle = nullptr;
        testhost::clearRequests();
        c.call(*window);
        EXPECT_EQ(sent(), c.sentWithNullHandle ? c.expected(nullptr) : Lines{});
    }
}

TEST_F(Window, results_are_the_presets_without_an_answer_and_the_host_values_with_one) {
    struct Case {
        const char* name;
        int32_t code;
        std::function<std::string(PIWindow&)> call;
        std::string preset;
        testhost::Responder answer;
        std::string answered;
    };
    const auto sizeOf = [](void (PIWindow::*get)(int&, int&)) {
        return [get](PIWindow& w) {
            int width = 99, height = 99;  // stale values must not survive
            (w.*get)(width, height);
            return std::to_string(width) + "x" + std::to_string(height);
        };
    };
    const auto answerSize = [](testhost::Exchange& e) {
        e.setInt(1, 320);
        e.setInt(2, 200);
        return nullptr;
    };
    const Case cases[] = {
        {"hasFocus", 147, [](PIWindow& w) { return std::to_string(w.hasFocus()); }, "0",
         [](testhost::Exchange&) { return reinterpret_cast<void*>(0x100); }, "1"},
        {"shown", 148, [](PIWindow& w) { return std::to_string(w.shown()); }, "0",
         [](testhost::Exchange&) { return reinterpret_cast<void*>(1); }, "1"},
        {"getValueText", 151, [](PIWindow& w) { return w.getValueText(); }, "",
         [](testhost::Exchange& e) {
             e.setStringValue("typed");
             return nullptr;
         },
         "typed"},
        {"getValueInt", 149, [](PIWindow& w) { return std::to_string(w.getValueInt()); }, "-1",
         [](testhost::Exchange& e) {
             e.setIntValue(42);
             return nullptr;
         },
         "42"},
        {"getValueDouble", 150, [](PIWindow& w) { return std::to_string(w.getValueDouble()); },
         std::to_string(-1.0),
         [](testhost::Exchange& e) {
             e.setDoubleValue(0.25);
             return nullptr;
         },
         std::to_string(0.25)},
        {"getMinimumSize", 166, sizeOf(&PIWindow::getMinimumSize), "0x0", answerSize, "320x200"},
        {"getMaximumSize", 166, sizeOf(&PIWindow::getMaximumSize), "0x0", answerSize, "320x200"},
        {"getStyleSheet", 166, [](PIWindow& w) { return w.getStyleSheet(); }, "",
         [](testhost::Exchange& e) {
             e.setString(0, "font: bold");
             return nullptr;
         },
         "font: bold"},
    };
    window->serverHandle = fake<7>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        EXPECT_EQ(c.call(*window), c.preset);
        testhost::respond(c.code, c.answer);
        EXPECT_EQ(c.call(*window), c.answered);
    }
}

TEST_F(Window, focus_and_shown_are_false_for_a_null_handle_whatever_the_host_would_say) {
    testhost::respond(147, [](testhost::Exchange&) { return reinterpret_cast<void*>(1); });
    testhost::respond(148, [](testhost::Exchange&) { return reinterpret_cast<void*>(1); });
    EXPECT_FALSE(window->hasFocus());
    EXPECT_FALSE(window->shown());
    EXPECT_TRUE(sent().empty());
}

TEST_F(Window, update_value_leaves_a_focused_widget_alone) {
    testhost::respond(147, [](testhost::Exchange&) { return reinterpret_cast<void*>(1); });
    window->serverHandle = fake<7>();
    window->updateValue(5);
    window->updateValue(1.5);
    window->updateValue(std::string("text"));
    EXPECT_EQ(sent(), std::vector<std::string>(3, direct(147, fake<7>())));
}

TEST_F(Window, the_layout_record_stores_options_last) {
    const PIWindow numbered(1, 2, 3, 4, 5, 6, 7, 8, 9);
    EXPECT_EQ(recordOf(numbered), (Layout{2, 3, 4, 5, 6, 7, 8, 9, 1}));
    EXPECT_EQ(numbered.serverHandle, nullptr);
}

}  // namespace
