// The proxies' virtual slots as the host calls them: through the host's own
// declarations of the slot order, never through the library's headers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/PIWindow.h"
#include "hostsim/GuiHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using testhost::GuiHost;

class Slots : public WithHost {};

TEST_F(Slots, a_window_has_show_in_slot_2_and_map_function_in_slot_3) {
    PIGUI::PIWindow window(0, 0, 0, 2, 2, 2, 2, 2, 2);
    window.serverHandle = fake<3>();
    testhost::clearRequests();
    GuiHost::callShow(&window);
    GuiHost::callMapFunction(&window, fake<4>());
    EXPECT_EQ(sent(), (std::vector<std::string>{pointerAndBool(143, fake<3>(), false),
                                                pointerAndFunction(146, fake<3>(), fake<4>())}));
    window.serverHandle = nullptr;
}

}  // namespace
