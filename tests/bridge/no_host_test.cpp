// A process without a host (SPI_GetFunctionMap is nowhere to be found), and
// debug/ignore mode switched on in it. Each case starts from a freshly loaded
// library (ctest runs each in a process of its own): the mode cannot be
// switched off again.

#include <gtest/gtest.h>

#include "bridge/PIFunctionMap.h"
#include "services/PIClients.h"
#include "tests/support/Requests.h"

namespace {

const std::string kAnnouncement =
    "Turning on debug/ignore mode.  Plug-in API effectively disabled.\n"
    "This is typically done for testing Python scripts and should be avoided\n"
    "in real applications.  When used for testing, any compile errors below\n"
    "this line are likely a problem.\n" +
    std::string(72, '-') + "\n";

// Unload: a static object made before the ignore map and destroyed after
// every function-local static still sends its request through the map (a
// static client unbinding at unload). The sanitizers and memcheck see a map
// that was freed by then.
struct UnbindsAtUnload {
    ~UnbindsAtUnload() {
        if (g_FunctionMap != nullptr) client.unbind("unload");
    }
    PICommon::BasicClient<PluginClient::Interfaces::SignalInterface> client;
} g_unbindsAtUnload;

class NoHost : public pitest::NoHost {};

TEST_F(NoHost, debug_ignore_announces_itself_once_and_keeps_its_map) {
    const auto first = pitest::captureOutput([] { __setDebugIgnore(false); });
    Functor__* const map = g_FunctionMap;
    EXPECT_NE(dynamic_cast<IgnoreFunctor*>(map), nullptr);
    const auto again = pitest::captureOutput([] {
        __setDebugIgnore();
        __setDebugIgnore(true);
    });
    EXPECT_EQ(first.out, kAnnouncement);
    EXPECT_EQ(first.err + again.out + again.err, "");
    EXPECT_EQ(g_FunctionMap, map);
}

TEST_F(NoHost, quiet_switches_the_mode_on_silently_for_good) {
    const auto output = pitest::captureOutput([] {
        __setDebugIgnore(true);
        __setDebugIgnore(false);
    });
    EXPECT_EQ(output.out + output.err, "");
    EXPECT_NE(dynamic_cast<IgnoreFunctor*>(g_FunctionMap), nullptr);
    IgnoreFunctor map;
    int data = 5;
    EXPECT_EQ(static_cast<Functor__&>(map)(&data, static_cast<PIServerFunctions_t>(1), &data), nullptr);
    EXPECT_EQ(data, 5);
}

}  // namespace
