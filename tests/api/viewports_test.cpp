// Viewports, overlay texts, drawing and the earth-model calculations
// against the recording host.

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "api/PIEarthModel.h"
#include "api/PIOverlayText.h"
#include "api/PIViewports.h"
#include "bridge/PIPluginConstants.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::direct;
using apitest::Expected;
using apitest::localBool;
using apitest::localDouble;
using apitest::localInt;
using apitest::localULong;
using testhost::BlockKind;

constexpr int32_t kOverlay = 308;

Expected block(int32_t code, std::vector<int32_t> ints, std::vector<apitest::Pointer> ptrs = {}) {
    return apitest::catchAll(code, std::move(ints), {}, std::move(ptrs));
}

Expected directString(int32_t code, const std::string& name) {
    Expected e = direct(code, BlockKind::DirectString, at(&name));
    e.directString = name;
    return e;
}

class Viewports : public apitest::WithHost {};

TEST_F(Viewports, every_operation_sends_its_tabled_request) {
    const std::string name = "Left";
    const std::string empty;
    PICommon::PIOverlayText text;
    PICommon::PIOverlayText out;
    unsigned int color = 0;
    const unsigned long big = std::numeric_limits<unsigned long>::max();

    Expected create = block(315, {3});
    create.dbls = {0.5, -1.25, 0.0, 1e9};
    create.strs = {name};
    Expected toggleOn = block(320, {0, 1});
    toggleOn.strs = {name};
    Expected toggleOff = block(320, {0, 0});
    toggleOff.strs = {name};

    const struct {
        const char* operation;
        std::function<void()> call;
        Expected expected;
    } cases[] = {
        {"createViewport", [&] { PICommon::createViewport(3, name, 0.5, -1.25, 0.0, 1e9); }, create},
        {"toggleViewport on", [&] { PICommon::toggleViewport(name, true); }, toggleOn},
        {"toggleViewport off", [&] { PICommon::toggleViewport(name, false); }, toggleOff},
        {"setViewport", [&] { PICommon::setViewport(name); }, directString(310, name)},
        {"getViewport", [] { PICommon::getViewport(4); }, direct(311, BlockKind::DirectInt, localInt(4))},
        {"getNumViewports", [] { PICommon::getNumViewports(); },
         direct(312, BlockKind::DirectInt, localInt(0))},
        {"nextViewport", [] { PICommon::nextViewport(); }, direct(313, BlockKind::Null, at(nullptr))},
        {"deleteViewport", [&] { PICommon::deleteViewport(name); }, directString(314, name)},
        {"deleteViewport empty name", [&] { PICommon::deleteViewport(empty); }, directString(314, empty)},
        {"deleteAllViewports", [] { PICommon::deleteAllViewports(); },
         direct(314, BlockKind::Null, at(nullptr))},
        {"forceOpenGLRedraw", [] { PICommon::forceOpenGLRedraw(); },
         direct(316, BlockKind::Null, at(nullptr))},
        {"registerDrawOnRefreshPriority", [] { PICommon::registerDrawOnRefreshPriority(40); },
         block(327, {0, 1, 40})},
        {"createOverlayText", [&] { PICommon::createOverlayText(&text); },
         block(kOverlay, {0}, {localInt(0), at(&text)})},
        {"updateOverlayText", [&] { PICommon::updateOverlayText(17, &text); },
         block(kOverlay, {1, 1}, {localInt(17), at(&text)})},
        {"removeOverlayText", [] { PICommon::removeOverlayText(17); },
         block(kOverlay, {2, 1}, {localInt(17)})},
        {"getOverlayText", [&] { PICommon::getOverlayText(17, &out); },
         block(kOverlay, {3, 1}, {localInt(17), at(&out)})},
        {"getOverlayText into null", [] { PICommon::getOverlayText(-5, nullptr); },
         block(kOverlay, {3, 1}, {localInt(-5), at(nullptr)})},
        {"setOverlayTextBackgroundColor", [] { PICommon::setOverlayTextBackgroundColor(17, 0x80FF00FFu); },
         block(kOverlay, {4, 1, static_cast<int32_t>(0x80FF00FFu)}, {localInt(17)})},
        {"getOverlayTextBackgroundColor", [&] { PICommon::getOverlayTextBackgroundColor(17, &color); },
         block(kOverlay, {5, 1}, {localInt(17), at(&color)})},
        {"rangeCalculateValue",
         [&] { PICommon::rangeCalculateValue(1, 2, big, PICommon::PIEarthModelCalculations_t(CALC_MACH)); },
         block(436, {0, CALC_MACH},
               {localULong(1), localULong(2), localULong(big), localDouble(PI_INVALID_DOUBLE)})},
        {"checkEarthEclipse", [] { PICommon::checkEarthEclipse(77); },
         block(438, {0, -1}, {localULong(77), localBool(false)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext);
    }
}

TEST_F(Viewports, statuses_are_read_from_the_result_slot_and_stay_1_when_unanswered) {
    PICommon::PIOverlayText text;
    unsigned int color = 0;
    const struct {
        int32_t code;
        std::function<int()> call;
    } cases[] = {
        {327, [] { return PICommon::registerDrawOnRefreshPriority(1); }},
        {kOverlay, [&] { return PICommon::updateOverlayText(1, &text); }},
        {kOverlay, [] { return PICommon::removeOverlayText(1); }},
        {kOverlay, [&] { return PICommon::getOverlayText(1, &text); }},
        {kOverlay, [] { return PICommon::setOverlayTextBackgroundColor(1, 2); }},
        {kOverlay, [&] { return PICommon::getOverlayTextBackgroundColor(1, &color); }},
    };
    for (const auto& c : cases) {
        apitest::expectResultSlot(c.code, c.call, 1);
    }
}

TEST_F(Viewports, a_viewport_name_comes_from_the_characters_the_host_returns) {
    EXPECT_EQ(PICommon::getViewport(0), "") << "unanswered";
    static const char kLeft[] = "Left";
    testhost::respond(311, [](testhost::Exchange& e) -> void* {
        return e.request().block.directInt == 1 ? const_cast<char*>(kLeft) : nullptr;
    });
    EXPECT_EQ(PICommon::getViewport(1), "Left");
    EXPECT_EQ(PICommon::getViewport(2), "") << "the host returned null";
}

TEST_F(Viewports, the_count_is_what_the_host_wrote_through_the_address) {
    EXPECT_EQ(PICommon::getNumViewports(), 0);
    testhost::respond(312, [](testhost::Exchange& e) {
        e.setDirectInt(3);
        return nullptr;
    });
    EXPECT_EQ(PICommon::getNumViewports(), 3);
}

TEST_F(Viewports, a_new_overlay_text_has_the_identifier_found_through_the_first_pointer) {
    EXPECT_EQ(PICommon::createOverlayText(nullptr), 0) << "unanswered";

    testhost::respond(kOverlay, [](testhost::Exchange& e) {
        *static_cast<int*>(e.pointerAt(0)) = 42;
        return nullptr;
    });
    EXPECT_EQ(PICommon::createOverlayText(nullptr), 42);

    static int hostsOwnIdentifier = 99;
    testhost::respond(kOverlay, [](testhost::Exchange& e) {
        e.setPointer(0, &hostsOwnIdentifier);
        return nullptr;
    });
    EXPECT_EQ(PICommon::createOverlayText(nullptr), 99) << "the host replaced the entry";

    testhost::respond(kOverlay, [](testhost::Exchange& e) {
        e.setPointer(0, nullptr);
        return nullptr;
    });
    EXPECT_EQ(PICommon::createOverlayText(nullptr), 0) << "the host nulled the entry";
}

TEST_F(Viewports, the_host_writes_overlay_records_and_colours_into_the_callers_variables) {
    PICommon::PIOverlayText out;
    unsigned int color = 0x11223344u;
    PICommon::getOverlayText(5, &out);
    PICommon::getOverlayTextBackgroundColor(5, &color);
    EXPECT_EQ(out.text, "");
    EXPECT_EQ(color, 0x11223344u) << "unanswered: left alone";

    testhost::respond(kOverlay, [](testhost::Exchange& e) {
        if (e.selector() == 3) {
            static_cast<PICommon::PIOverlayText*>(e.pointerAt(1))->text = "12:00:00";
        } else {
            *static_cast<unsigned int*>(e.pointerAt(1)) = 0xFF000080u;
        }
        e.setInt(1, 0);
        return nullptr;
    });
    EXPECT_EQ(PICommon::getOverlayText(5, &out), 0);
    EXPECT_EQ(PICommon::getOverlayTextBackgroundColor(5, &color), 0);
    EXPECT_EQ(out.text, "12:00:00");
    EXPECT_EQ(color, 0xFF000080u);
}

TEST_F(Viewports, a_range_calculation_returns_the_value_the_host_left) {
    EXPECT_EQ(PICommon::rangeCalculateValue(1, 2, 3, {}), PI_INVALID_DOUBLE);
    EXPECT_EQ(PICommon::rangeCalculateValue(1, 2, 3, {}), -999999999.0);

    testhost::respond(436, [](testhost::Exchange& e) {
        const auto object = [&e](std::size_t i) { return *static_cast<unsigned long*>(e.pointerAt(i)); };
        *static_cast<double*>(e.pointerAt(3)) = 100.0 * object(0) + 10.0 * object(1) + object(2);
        return nullptr;
    });
    EXPECT_EQ(PICommon::rangeCalculateValue(1, 2, 3, {}), 123.0);
}

TEST_F(Viewports, an_eclipse_check_is_minus_1_unless_the_host_reports_success) {
    const struct {
        std::optional<int32_t> status;
        std::optional<bool> eclipsed;
        int result;
    } cases[] = {
        {{}, {}, -1}, {0, {}, 0}, {0, false, 0}, {0, true, 1}, {5, true, -1}, {-1, true, -1}, {1, false, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "status " << c.status.value_or(-100) << " eclipsed "
                                        << (c.eclipsed ? int(*c.eclipsed) : -100));
        testhost::respond(438, [&c](testhost::Exchange& e) {
            if (c.status) {
                e.setInt(1, *c.status);
            }
            if (c.eclipsed) {
                *static_cast<bool*>(e.pointerAt(1)) = *c.eclipsed;
            }
            return nullptr;
        });
        EXPECT_EQ(PICommon::checkEarthEclipse(9), c.result);
    }
}

}  // namespace
