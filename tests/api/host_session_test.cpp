// Cursors, time-outs, recording and the server status against the
// recording host.

#include <gtest/gtest.h>

#include "api/PICursors.h"
#include "api/PIRecording.h"
#include "api/PIServerStatus.h"
#include "api/PITimeouts.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::catchAll;
using apitest::localInt;
using apitest::localPointer;

class HostSession : public apitest::WithHost {};

TEST_F(HostSession, every_operation_sends_its_tabled_request) {
    int callbackObject = 0;
    auto* callback = reinterpret_cast<FunctorTwoParams__*>(&callbackObject);
    void* const timeout = reinterpret_cast<void*>(0x7133);

    const struct {
        const char* operation;
        std::function<void()> call;
        apitest::Expected expected;
    } cases[] = {
        {"beginWaitCursor", PICommon::beginWaitCursor, catchAll(318, {0})},
        {"endWaitCursor", PICommon::endWaitCursor, catchAll(318, {1})},
        {"beginCursorOverride", [] { PICommon::beginCursorOverride(PICommon::PICursorShape_t(6)); },
         catchAll(318, {2, 6})},
        {"endCursorOverride", PICommon::endCursorOverride, catchAll(318, {3})},
        {"createTimeout", [&] { PICommon::createTimeout(250, callback); },
         catchAll(317, {0, 250}, {}, {at(callback), localPointer(nullptr)})},
        {"removeTimeout", [&] { PICommon::removeTimeout(timeout); },
         catchAll(317, {1}, {}, {localPointer(timeout)})},
        {"startRecording",
         [] { PICommon::startRecording("/tmp/rec.avi", true, false, 25.0, true, 0.5, -3.0); },
         catchAll(323, {1, 3, 1, 0, 1}, {"/tmp/rec.avi"}, {}, {25.0, 0.5, -3.0})},
        {"startRecording other flags",
         [] { PICommon::startRecording("r", false, true, 1.0, false, 2.0, 3.0); },
         catchAll(323, {1, 3, 0, 1, 0}, {"r"}, {}, {1.0, 2.0, 3.0})},
        {"stopRecording", [] { PICommon::stopRecording(); }, catchAll(323, {2, 3})},
        {"setServerStatus", [] { PICommon::setServerStatus(PICommon::PIServerStatus_t(2)); },
         catchAll(309, {0}, {}, {localInt(2)})},
        {"getServerStatus", [] { PICommon::getServerStatus(); }, catchAll(309, {1}, {}, {localInt(3)})},
        {"setServerStatusColor", [] { PICommon::setServerStatusColor(0xFF00FF80u); },
         catchAll(309, {2}, {}, {localInt(static_cast<int32_t>(0xFF00FF80u))})},
        {"getServerStatusColor", [] { PICommon::getServerStatusColor(); },
         catchAll(309, {3}, {}, {localInt(0)})},
        {"isNetworkEnabled", [] { PICommon::isNetworkEnabled(); }, catchAll(309, {4, 1})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext);
    }
}

TEST_F(HostSession, removing_a_null_time_out_sends_nothing_and_every_removal_returns_0) {
    EXPECT_EQ(PICommon::removeTimeout(nullptr), 0);
    EXPECT_TRUE(testhost::requests().empty()) << "not even a context lookup";

    testhost::respond(317, [](testhost::Exchange& e) {
        e.setPointer(0, nullptr);
        return reinterpret_cast<void*>(1);
    });
    EXPECT_EQ(PICommon::removeTimeout(reinterpret_cast<void*>(0x44)), 0);
    EXPECT_EQ(apitest::codesSent(), std::vector<int32_t>{317});
}

TEST_F(HostSession, a_time_out_is_known_by_the_handle_the_host_wrote) {
    EXPECT_EQ(PICommon::createTimeout(10, nullptr), nullptr) << "unanswered";
    void* const handle = reinterpret_cast<void*>(0x7133);
    testhost::respond(317, [handle](testhost::Exchange& e) {
        *static_cast<void**>(e.pointerAt(1)) = handle;
        return nullptr;
    });
    EXPECT_EQ(PICommon::createTimeout(10, nullptr), handle);
}

TEST_F(HostSession, recording_statuses_are_read_from_the_result_slot_and_stay_3_when_unanswered) {
    apitest::expectResultSlot(
        323, [] { return PICommon::startRecording("f", true, true, 1, true, 2, 3); }, 3);
    apitest::expectResultSlot(
        323, [] { return PICommon::stopRecording(); }, 3);
}

TEST_F(HostSession, server_status_and_colour_are_what_the_host_wrote_through_the_address) {
    EXPECT_EQ(PICommon::getServerStatus(), 3);
    EXPECT_EQ(PICommon::getServerStatusColor(), 0u);
    testhost::respond(309, [](testhost::Exchange& e) {
        *static_cast<uint32_t*>(e.pointerAt(0)) = e.selector() == 1 ? 1u : 0x80FF00FFu;
        return nullptr;
    });
    EXPECT_EQ(PICommon::getServerStatus(), 1);
    EXPECT_EQ(PICommon::getServerStatusColor(), 0x80FF00FFu);
}

TEST_F(HostSession, networking_is_enabled_unless_the_host_writes_0) {
    EXPECT_TRUE(PICommon::isNetworkEnabled());
    const std::pair<int32_t, bool> answers[] = {{0, false}, {1, true}, {-7, true}};
    for (const auto& [written, enabled] : answers) {
        testhost::respond(309, [written = written](testhost::Exchange& e) {
            e.setInt(1, written);
            return nullptr;
        });
        EXPECT_EQ(PICommon::isNetworkEnabled(), enabled) << written;
    }
}

}  // namespace
