// The proxies' virtual slots as the host calls them: through the host's own
// declarations of the slot order, never through the library's headers.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PIOptionMenu.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "gui/PIWindow.h"
#include "hostsim/GuiHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using testhost::GuiHost;

class Slots : public WithHost {};

TEST_F(Slots, every_window_has_show_in_slot_2_and_map_function_in_slot_3) {
    const std::string windowShow = pointerAndBool(143, fake<3>(), false);
    const std::string dialogShow = direct(115, fake<3>());
    const std::string mapped = pointerAndFunction(146, fake<3>(), fake<4>());
    struct Case {
        const char* name;
        std::function<PIGUI::PIWindow*()> make;
        std::string show;
    };
    const Case cases[] = {
        {"window", [] { return new PIGUI::PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2); }, windowShow},
        {"canvas", [] { return new PIGUI::PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2); }, windowShow},
        {"vertical frame", [] { return new PIGUI::PIVerticalFrame; }, windowShow},
        {"horizontal frame", [] { return new PIGUI::PIHorizontalFrame; }, windowShow},
        {"vertical matrix", [] { return new PIGUI::PIVerticalMatrix; }, windowShow},
        {"horizontal matrix", [] { return new PIGUI::PIHorizontalMatrix; }, windowShow},
        {"group box", [] { return new PIGUI::PIGroupBox; }, windowShow},
        {"switcher", [] { return new PIGUI::PISwitcher; }, windowShow},
        {"page wrapper", [] { return new PIGUI::PIVertFrameWrapper; }, windowShow},
        {"tab widget", [] { return new PIGUI::PITabWidget(nullptr); }, windowShow},
        {"dialog box", [] { return new PIGUI::PIDialogBox; }, dialogShow},
        {"button", [] { return new PIGUI::PIButton(nullptr, "", nullptr); }, windowShow},
        {"check button", [] { return new PIGUI::PICheckButton; }, windowShow},
        {"radio button", [] { return new PIGUI::PIRadioButton; }, windowShow},
        {"toolbar button", [] { return new PIGUI::PIToolbarButton; }, windowShow},
        {"label", [] { return new PIGUI::PILabel; }, windowShow},
        {"text field", [] { return new PIGUI::PITextField; }, windowShow},
        {"spinner", [] { return new PIGUI::PISpinner; }, windowShow},
        {"option menu", [] { return new PIGUI::PIOptionMenu(nullptr, nullptr); }, windowShow},
        {"colour well", [] { return new PIGUI::PIColorWell; }, windowShow},
        {"list", [] { return new PIGUI::PIList; }, windowShow},
        {"menu", [] { return new PIGUI::PIMenu; }, windowShow},
        {"menu item", [] { return new PIGUI::PIMenuItem; }, windowShow},
        {"menu separator", [] { return new PIGUI::PIMenuSeparator; }, windowShow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PIGUI::PIWindow> proxy(c.make());
        proxy->serverHandle = fake<3>();
        testhost::clearRequests();
        GuiHost::callShow(proxy.get());
        GuiHost::callMapFunction(proxy.get(), fake<4>());
        EXPECT_EQ(sent(), (std::vector<std::string>{c.show, mapped}));
        proxy->serverHandle = nullptr;
    }
}

TEST_F(Slots, spinners_check_buttons_and_menu_items_have_their_shadowing_accessor_in_slot_4) {
    testhost::respond(15, [](testhost::Exchange& e) {
        e.setInt(1, 1);  // direct access allowed: only the shadowing accessors still answer null
        return nullptr;
    });
    struct Case {
        const char* name;
        std::function<PIGUI::PIWindow*()> make;
        void* (*slot4)(void*);
    };
    const Case cases[] = {
        {"spinner", [] { return new PIGUI::PISpinner; }, &GuiHost::callSpinnerFoxTextField},
        {"check button", [] { return new PIGUI::PICheckButton; }, &GuiHost::callCheckButtonFoxButton},
        {"menu item", [] { return new PIGUI::PIMenuItem; }, &GuiHost::callMenuItemFoxButton},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PIGUI::PIWindow> proxy(c.make());
        proxy->serverHandle = fake<3>();
        testhost::clearRequests();
        EXPECT_EQ(c.slot4(proxy.get()), nullptr);
        EXPECT_EQ(sent(), std::vector<std::string>{catchAll(15, {2, 0})});
        proxy->serverHandle = nullptr;
    }
}

}  // namespace
