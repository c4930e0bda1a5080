// The getFox accessors: each asks the host whether direct toolkit access is
// allowed (code 15, selector 2) and hands out the server handle only then;
// the accessors that shadow one of their base answer null regardless.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PITextField.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using namespace PIGUI;

class FoxAccess : public WithHost {};

TEST_F(FoxAccess, accessors_return_the_handle_only_when_the_host_allows_direct_access) {
    struct Case {
        const char* name;
        std::function<PIObject*()> make;
        std::function<void*(PIObject*)> access;
        bool shadowing;  // always null
    };
    const Case cases[] = {
        {"PIVerticalFrame::getFoxVerticalFrame", [] { return new PIVerticalFrame; },
         [](PIObject* p) { return static_cast<PIVerticalFrame*>(p)->getFoxVerticalFrame(); }, false},
        {"PIHorizontalFrame::getFoxHorizontalFrame", [] { return new PIHorizontalFrame; },
         [](PIObject* p) { return static_cast<PIHorizontalFrame*>(p)->getFoxHorizontalFrame(); }, false},
        {"PIVerticalMatrix::getFoxMatrix", [] { return new PIVerticalMatrix; },
         [](PIObject* p) { return static_cast<PIVerticalMatrix*>(p)->getFoxMatrix(); }, false},
        {"PIHorizontalMatrix::getFoxMatrix", [] { return new PIHorizontalMatrix; },
         [](PIObject* p) { return static_cast<PIHorizontalMatrix*>(p)->getFoxMatrix(); }, false},
        {"PIGroupBox::getFoxGroupBox", [] { return new PIGroupBox; },
         [](PIObject* p) { return static_cast<PIGroupBox*>(p)->getFoxGroupBox(); }, false},
        {"PISwitcher::getFoxSwitcher", [] { return new PISwitcher; },
         [](PIObject* p) { return static_cast<PISwitcher*>(p)->getFoxSwitcher(); }, false},
        {"PIDialogBox::getFoxDialogBox", [] { return new PIDialogBox; },
         [](PIObject* p) { return static_cast<PIDialogBox*>(p)->getFoxDialogBox(); }, false},
        {"PIIcon::getFoxIcon", [] { return new PIIcon("icon.png"); },
         [](PIObject* p) { return static_cast<PIIcon*>(p)->getFoxIcon(); }, false},
        {"PIButton::getFoxButton", [] { return new PIButton(nullptr, "", nullptr); },
         [](PIObject* p) { return static_cast<PIButton*>(p)->getFoxButton(); }, false},
        {"PICheckButton::getFoxCheckButton", [] { return new PICheckButton; },
         [](PIObject* p) { return static_cast<PICheckButton*>(p)->getFoxCheckButton(); }, false},
        {"PICheckButton::getFoxButton", [] { return new PICheckButton; },
         [](PIObject* p) { return static_cast<PICheckButton*>(p)->getFoxButton(); }, true},
        {"PIRadioButton::getFoxRadioButton", [] { return new PIRadioButton; },
         [](PIObject* p) { return static_cast<PIRadioButton*>(p)->getFoxRadioButton(); }, false},
        {"PIRadioButton::getFoxButton", [] { return new PIRadioButton; },
         [](PIObject* p) { return static_cast<PIRadioButton*>(p)->getFoxButton(); }, true},
        {"PILabel::getFoxLabel", [] { return new PILabel; },
         [](PIObject* p) { return static_cast<PILabel*>(p)->getFoxLabel(); }, false},
        {"PITextField::getFoxTextField", [] { return new PITextField; },
         [](PIObject* p) { return static_cast<PITextField*>(p)->getFoxTextField(); }, false},
        {"PISpinner::getFoxSpinner", [] { return new PISpinner; },
         [](PIObject* p) { return static_cast<PISpinner*>(p)->getFoxSpinner(); }, false},
        {"PISpinner::getFoxTextField", [] { return new PISpinner; },
         [](PIObject* p) { return static_cast<PISpinner*>(p)->getFoxTextField(); }, true},
        {"PIColorWell::getFoxColorWell", [] { return new PIColorWell; },
         [](PIObject* p) { return static_cast<PIColorWell*>(p)->getFoxColorWell(); }, false},
        {"PIList::getFoxList", [] { return new PIList; },
         [](PIObject* p) { return static_cast<PIList*>(p)->getFoxList(); }, false},
        {"PIMenu::getFoxMenuCascade", [] { return new PIMenu; },
         [](PIObject* p) { return static_cast<PIMenu*>(p)->getFoxMenuCascade(); }, false},
        {"PIMenuItem::getFoxMenuItem", [] { return new PIMenuItem; },
         [](PIObject* p) { return static_cast<PIMenuItem*>(p)->getFoxMenuItem(); }, false},
        {"PIMenuItem::getFoxButton", [] { return new PIMenuItem; },
         [](PIObject* p) { return static_cast<PIMenuItem*>(p)->getFoxButton(); }, true},
        {"PIMenuSeparator::getFoxMenuSeparator", [] { return new PIMenuSeparator; },
         [](PIObject* p) { return static_cast<PIMenuSeparator*>(p)->getFoxMenuSeparator(); }, false},
    };
    const std::vector<std::string> verify = {catchAll(15, {2, 0})};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PIObject> proxy(c.make());
        proxy->serverHandle = fake<6>();
        for (int32_t answer : {0, 1}) {
            testhost::reset();
            testhost::respond(15, [answer](testhost::Exchange& e) {
                e.setInt(1, answer);
                return nullptr;
            });
            EXPECT_EQ(c.access(proxy.get()), answer != 0 && !c.shadowing ? fake<6>() : nullptr);
            EXPECT_EQ(sent(), verify);
        }
        testhost::reset();
        EXPECT_EQ(c.access(proxy.get()), nullptr) << "no answer: no access";
        proxy->serverHandle = nullptr;
    }
}

}  // namespace
