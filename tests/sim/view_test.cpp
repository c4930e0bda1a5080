// The simulated host's viewports, overlay texts and drawing, through the
// library's calls.

#include <gtest/gtest.h>

#include "api/PIOverlayText.h"
#include "api/PIViewports.h"
#include "tests/sim/SimTestSupport.h"

namespace {

using simtest::str;
using namespace PICommon;

class View : public simtest::WithSimulator {
protected:
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (int i = 0; i < getNumViewports(); ++i) found.push_back(getViewport(i));
        return found;
    }
    bool isOn(const std::string& name) {
        for (const auto& v : state().viewports) {
            if (v.name == name) return v.on;
        }
        ADD_FAILURE() << "no viewport " << name;
        return false;
    }
};

TEST_F(View, viewports_are_created_selected_toggled_and_deleted) {
    using simtest::after;
    const std::function<std::string()> current = [this] { return state().currentViewport; };
    const std::function<std::string()> count = [] { return str(getNumViewports()); };
    const auto on = [this](const std::string& name) { return [this, name] { return str(isOn(name)); }; };
    simtest::runSteps({
        {"the host starts with one", count, "1"},
        {"named Main", [] { return getViewport(0); }, "Main"},
        {"current", current, "Main"},
        {"create one", after([] { createViewport(1, "Left", 0.0, 0.0, 0.5, 1.0); }, count), "2"},
        {"create another", after([] { createViewport(2, "Right", 0.5, 0.0, 0.5, 1.0); }, count), "3"},
        {"a name given twice is ignored", after([] { createViewport(9, "Left", 0, 0, 1, 1); }, count), "3"},
        {"an empty name is ignored", after([] { createViewport(9, "", 0, 0, 1, 1); }, count), "3"},
        {"index 2", [] { return getViewport(2); }, "Right"},
        {"index past the end", [] { return getViewport(3); }, ""},
        {"negative index", [] { return getViewport(-1); }, ""},
        {"creating keeps the current one", current, "Main"},
        {"select Right", after([] { setViewport("Right"); }, current), "Right"},
        {"select unknown", after([] { setViewport("Nowhere"); }, current), "Right"},
        {"next wraps", after(nextViewport, current), "Main"},
        {"next", after(nextViewport, current), "Left"},
        {"toggle off", after([] { toggleViewport("Left", false); }, on("Left")), "false"},
        {"toggle on", after([] { toggleViewport("Left", true); }, on("Left")), "true"},
        {"delete the current", after([] { deleteViewport("Left"); }, current), "Main"},
        {"delete unknown", after([] { deleteViewport("Nowhere"); }, count), "2"},
        {"delete all", after(deleteAllViewports, count), "0"},
        {"none current", current, ""},
        {"next with none", after(nextViewport, current), ""},
        {"the first new one becomes current", after([] { createViewport(0, "Solo", 0, 0, 1, 1); }, current),
         "Solo"},
    });
}

TEST_F(View, a_viewport_keeps_its_number_and_geometry) {
    createViewport(7, "Inset", 0.75, 0.0, 0.25, 0.5);
    const karvensim::Viewport& inset = state().viewports.back();
    EXPECT_EQ(inset.name, "Inset");
    EXPECT_EQ(inset.number, 7);
    EXPECT_EQ(inset.geometry, (std::array<double, 4>{0.75, 0.0, 0.25, 0.5}));
    EXPECT_TRUE(inset.on);
}

TEST_F(View, redraws_are_counted_and_draw_on_refresh_priorities_kept_per_plugin) {
    forceOpenGLRedraw();
    forceOpenGLRedraw();
    EXPECT_EQ(state().redraws, 2);
    EXPECT_EQ(registerDrawOnRefreshPriority(5), 0);
    EXPECT_EQ(registerDrawOnRefreshPriority(-2), 0);
    const std::map<const void*, int32_t> expected{{karvensim::Simulator::pluginContext(), -2}};
    EXPECT_EQ(state().drawOnRefresh, expected);
}

PIOverlayText overlay(const std::string& text, double x, unsigned int color) {
    PIOverlayText t;
    t.text = text;
    t.viewport = "Main";
    t.x = x;
    t.y = 0.25;
    t.fontName = "Mono";
    t.fontSize = 14;
    t.color = color;
    return t;
}

void expectSame(const PIOverlayText& actual, const PIOverlayText& expected) {
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.viewport, expected.viewport);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.fontName, expected.fontName);
    EXPECT_EQ(actual.fontSize, expected.fontSize);
    EXPECT_EQ(actual.color, expected.color);
}

TEST_F(View, overlay_texts_are_kept_under_their_identifiers) {
    const PIOverlayText speed = overlay("Speed 12 kn", 0.1, 0xFF0000FFu);
    const PIOverlayText time = overlay("12:00:00Z", 0.9, 0x00FF00FFu);
    const int first = createOverlayText(&speed);
    const int second = createOverlayText(&time);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);

    PIOverlayText read;
    ASSERT_EQ(getOverlayText(first, &read), 0);
    expectSame(read, speed);

    const PIOverlayText faster = overlay("Speed 20 kn", 0.2, 0xFFFF00FFu);
    EXPECT_EQ(updateOverlayText(first, &faster), 0);
    ASSERT_EQ(getOverlayText(first, &read), 0);
    expectSame(read, faster);
    ASSERT_EQ(getOverlayText(second, &read), 0);
    expectSame(read, time);

    unsigned int background = 7;
    EXPECT_EQ(getOverlayTextBackgroundColor(second, &background), 0);
    EXPECT_EQ(background, 0u);
    EXPECT_EQ(setOverlayTextBackgroundColor(second, 0x00000080u), 0);
    EXPECT_EQ(getOverlayTextBackgroundColor(second, &background), 0);
    EXPECT_EQ(background, 0x00000080u);
    EXPECT_EQ(updateOverlayText(second, &time), 0);
    EXPECT_EQ(state().overlayTexts.at(second).background, 0x00000080u) << "an update keeps the background";

    EXPECT_EQ(removeOverlayText(first), 0);
    EXPECT_EQ(state().overlayTexts.count(first), 0u);
    EXPECT_EQ(createOverlayText(&speed), 3) << "identifiers are not reused";
}

TEST_F(View, overlay_requests_on_unknown_texts_or_without_a_record_fail) {
    const PIOverlayText text = overlay("x", 0, 0);
    const int id = createOverlayText(&text);
    PIOverlayText read;
    unsigned int color = 0;
    simtest::runSteps({
        {"create without a record", [] { return str(createOverlayText(nullptr)); }, "0"},
        {"update unknown", [&] { return str(updateOverlayText(99, &text)); }, "2"},
        {"update without a record", [&] { return str(updateOverlayText(id, nullptr)); }, "2"},
        {"get unknown", [&] { return str(getOverlayText(99, &read)); }, "2"},
        {"get without a record", [&] { return str(getOverlayText(id, nullptr)); }, "2"},
        {"set colour of unknown", [] { return str(setOverlayTextBackgroundColor(99, 1)); }, "2"},
        {"get colour of unknown", [&] { return str(getOverlayTextBackgroundColor(99, &color)); }, "2"},
        {"get colour without a variable", [&] { return str(getOverlayTextBackgroundColor(id, nullptr)); },
         "2"},
        {"remove", [&] { return str(removeOverlayText(id)); }, "0"},
        {"remove again", [&] { return str(removeOverlayText(id)); }, "2"},
    });
    EXPECT_TRUE(state().overlayTexts.empty());
}

}  // namespace
