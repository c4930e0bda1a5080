// Debug/ignore mode in a process without a host. Each case starts from a
// freshly loaded library (ctest runs each case in its own process): the mode
// cannot be switched off again.

#include <gtest/gtest.h>

#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIRequest.h"
#include "services/PIClients.h"
#include "tests/support/CapturedOutput.h"

namespace {

const std::string kAnnouncement =
    "Turning on debug/ignore mode.  Plug-in API effectively disabled.\n"
    "This is typically done for testing Python scripts and should be avoided\n"
    "in real applications.  When used for testing, any compile errors below\n"
    "this line are likely a problem.\n"
    "------------------------------------------------------------------------\n";

// Unload: a static object made before the ignore map and destroyed after
// every function-local static still sends its request through the map (a
// static client unbinding at unload). The sanitizers and memcheck see a map
// that was freed by then.
struct UnbindsAtUnload {
    ~UnbindsAtUnload() {
        if (g_FunctionMap != nullptr) {
            client.unbind("unload");
        }
    }
    PICommon::BasicClient<PluginClient::Interfaces::SignalInterface> client;
} g_unbindsAtUnload;

class DebugIgnore : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(g_FunctionMap, nullptr) << "run this case in a process of its own (ctest does)";
    }
};

TEST_F(DebugIgnore, the_announcement_is_five_lines_ending_in_72_hyphens) {
    ASSERT_EQ(kAnnouncement.substr(kAnnouncement.size() - 73), std::string(72, '-') + "\n");
    const auto output = pitest::captureOutput([] { __setDebugIgnore(); });
    EXPECT_EQ(output.out, kAnnouncement);
    EXPECT_EQ(output.err, "");
    EXPECT_NE(dynamic_cast<IgnoreFunctor*>(g_FunctionMap), nullptr);
}

TEST_F(DebugIgnore, a_second_call_prints_nothing_and_keeps_the_map) {
    const auto first = pitest::captureOutput([] { __setDebugIgnore(false); });
    Functor__* const map = g_FunctionMap;
    const auto again = pitest::captureOutput([] {
        __setDebugIgnore();
        __setDebugIgnore(true);
    });
    EXPECT_EQ(first.out, kAnnouncement);
    EXPECT_EQ(again.out, "");
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(g_FunctionMap, map);
}

TEST_F(DebugIgnore, quiet_switches_the_mode_on_silently_for_good) {
    const auto output = pitest::captureOutput([] {
        __setDebugIgnore(true);
        __setDebugIgnore(false);
    });
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    EXPECT_NE(dynamic_cast<IgnoreFunctor*>(g_FunctionMap), nullptr);
    EXPECT_EQ(g_This, nullptr);
}

TEST_F(DebugIgnore, requests_answer_their_defaults_silently) {
    __setDebugIgnore(true);
    void* handled = reinterpret_cast<void*>(1);
    void* overridden = reinterpret_cast<void*>(1);
    int pushed = 0;
    int popped = 0;
    int slot = 0;
    const auto output = pitest::captureOutput([&] {
        handled = handle(static_cast<PIServerFunctions_t>(123), &slot);
        overridden = PIBase::getOverriddenThisPointer();
        pushed = PIBase::pushOverrideThisPointer(&slot);
        popped = PIBase::popOverrideThisPointer();
        slot = PIBridge::CatchAll(static_cast<PIServerFunctions_t>(319)).ints(5, -1).sendForInt(1);
    });
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(handled, nullptr);
    EXPECT_EQ(overridden, nullptr);
    EXPECT_EQ(pushed, 1);
    EXPECT_EQ(popped, 1);
    EXPECT_EQ(slot, -1);
}

TEST_F(DebugIgnore, the_ignore_map_answers_null_through_both_slots) {
    IgnoreFunctor map;
    Functor__& asBase = map;
    int data = 5;
    EXPECT_EQ(asBase.Call(&data, static_cast<PIServerFunctions_t>(1), &data), nullptr);
    EXPECT_EQ(asBase(&data, static_cast<PIServerFunctions_t>(1), &data), nullptr);
    EXPECT_EQ(data, 5);
}

}  // namespace
