// The GUI proxies: every constructor's creation requests, every operation's
// request and result in one table (run with the recording host, without a
// host and in debug/ignore mode), the collector's lifetime rules, the
// toolkit accessors, and the test GUI host calling the proxies through its
// own declarations of their slots.

#include <gtest/gtest.h>

#include <memory>

#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PIMouse.h"
#include "gui/PIOptionMenu.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "hostsim/GuiHost.h"
#include "tests/support/Requests.h"

namespace {

using namespace PIGUI;
using pitest::fake;
using pitest::Lines;
using pitest::Op;
using pitest::sent;
using pitest::setInt1;
using pitest::setString0;
using pitest::writes;
using testhost::Exchange;
using testhost::GuiHost;

auto* const kFunction = static_cast<FunctorTwoParams__*>(fake<9>());
auto* const kObserver = static_cast<PIDialogBox::CloseObserver*>(fake<5>());
const std::string kNine = " opts[2,3,4,5,6,7,8,9,1]";   // layout integers 1 to 9, options last
const std::string kSeven = " opts[2,3,4,5,6,7,2,2,1]";  // 1 to 7, the spacings 2
const unsigned char kImage[] = {0x89, 'P', 'N', 'G'};

PIWindow* newWindow() { return new PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2); }
std::string garbage(int selector, const void* proxy) {
    return "168 all i[" + std::to_string(selector) + ",1] p[" + pitest::ptr(proxy) + "]";
}
std::string layoutOf(const PIWindow& w) {
    const PILayoutOpts_t& r = *w.layoutOpts;
    testhost::Request request;
    request.block.kind = testhost::BlockKind::PointerAndOpts;
    request.block.opts = {r.width,     r.height,   r.padLeft,  r.padRight, r.padTop,
                          r.padBottom, r.hSpacing, r.vSpacing, r.options};
    return pitest::describe(request).substr(6);  // after "0 po 0": the record, if not the default
}

// With a parent canvas (f1), an icon (f2) and a menu (f4).
class Proxies : public pitest::WithHost {
protected:
    void SetUp() override {
        WithHost::SetUp();
        canvas = std::make_unique<PICanvas>(0, 0, 0, 2, 2, 2, 2, 2, 2);
        icon = std::make_unique<PIIcon>("icon.png");
        menu = std::make_unique<PIMenu>();
        canvas->serverHandle = fake<1>();
        icon->serverHandle = fake<2>();
        menu->serverHandle = fake<4>();
        testhost::clearRequests();
    }
    void TearDown() override { canvas->serverHandle = icon->serverHandle = menu->serverHandle = nullptr; }
    std::unique_ptr<PICanvas> canvas;
    std::unique_ptr<PIIcon> icon;
    std::unique_ptr<PIMenu> menu;
};

TEST_F(Proxies, each_constructor_sends_its_creation_request_then_binds_the_answer) {
    PICanvas* const p = canvas.get();
    PIIcon* const i = icon.get();
    PIMenu* const m = menu.get();
    const struct {
        const char* name;
        std::function<PIObject*()> make;
        std::string creation;
        bool binds;
        int handleEntry = -1;  // read back from this ptrVector entry, not the return value
#define PI_NEW(...) #__VA_ARGS__, [&]() -> PIObject* { return new __VA_ARGS__; }
        // clang-format off
    } cases[] = {
        {PI_NEW(PIVerticalFrame(p, 1, 2, 3, 4, 5, 6, 7, 8, 9)), "108 po f1" + kNine, 0},
        {PI_NEW(PIHorizontalFrame(p, 1, 2, 3, 4, 5, 6, 7, 8, 9)), "109 po f1" + kNine, 0},
        {PI_NEW(PIVerticalMatrix(p, 4, 1, 2, 3, 4, 5, 6, 7, 8, 9)), "111 pi f1 4" + kNine, 0},
        {PI_NEW(PIHorizontalMatrix(p, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9)), "112 pi f1 3" + kNine, 0},
        {PI_NEW(PIGroupBox(p, "Title", 1, 2, 3, 4, 5, 6, 7, 8, 9)), "110 ps f1 'Title'" + kNine, 0},
        {PI_NEW(PIGroupBox(p, nullptr)), "110 ps f1 ''", 0},
        {PI_NEW(PISwitcher(p, 1, 2, 3, 4, 5, 6, 7)), "113 po f1" + kSeven, 0},
        {PI_NEW(PIDialogBox("Dialog", i, 1, 2, 3, 4, 5, 6, 7, 8, 9)), "114 ps f2 'Dialog'" + kNine, 1},
        {PI_NEW(PIDialogBox("Dialog", nullptr)), "114 ps 0 'Dialog'", 1},
        {PI_NEW(PITabWidget(p, 1, 2, 3, 4, 5, 6, 7)), "165 all i[0] p[0,f1,&]", 0, 0},
        {PI_NEW(PIButton(p, "OK", kFunction, 1, 2, 3, 4, 5, 6, 7)), "118 psf f1 'OK' f9" + kSeven, 1},
        {PI_NEW(PICheckButton(p, "On", kFunction, 1, 2, 3, 4, 5, 6, 7)), "122 psf f1 'On' f9" + kSeven, 1},
        {PI_NEW(PIRadioButton(p, "One", kFunction, 1, 2, 3, 4, 5, 6, 7)), "121 psf f1 'One' f9" + kSeven, 1},
        {PI_NEW(PIToolbarButton("Tool", i, kFunction)), "106 psf f2 'Tool' f9", 1},
        {PI_NEW(PIToolbarButton("Tool", nullptr, kFunction)), "106 psf 0 'Tool' f9", 1},
        {PI_NEW(PILabel(p, "Name", 1, 2, 3, 4, 5, 6, 7)), "120 ps f1 'Name'" + kSeven, 0},
        {PI_NEW(PITextField(p, 12, kFunction, 1, 2, 3, 4, 5, 6, 7)), "119 pif f1 12 f9" + kSeven, 1},
        {PI_NEW(PIOptionMenu(p, kFunction, 1, 2, 3, 4, 5, 6, 7)), "124 psf f1 '' f9" + kSeven, 1},
        {PI_NEW(PIColorWell(p, 0xFF8000FFu, kFunction, 1, 2, 3, 4, 5, 6, 7)), "123 pif f1 -8388353 f9" + kSeven, 1},
        {PI_NEW(PIList(p, "Items", 3, 1, 2, 3)), "126 pis f1 3 'Items' opts[2,3,2,2,2,2,2,2,1]", 1},
        {PI_NEW(PIList(p, nullptr, 0)), "126 pis f1 0 ''", 1},
        {PI_NEW(PIMenu("File", m)), "103 ps f4 'File'", 1},
        {PI_NEW(PIMenu("File")), "103 ps 0 'File'", 1},
        {PI_NEW(PIMenuItem(m, "Open", kFunction)), "105 psf f4 'Open' f9", 1},
        {PI_NEW(PIMenuItem(nullptr, "Open", kFunction)), "105 psf 0 'Open' f9", 1},
        {PI_NEW(PIMenuSeparator(m)), "104 raw f4", 0},
        {PI_NEW(PIIcon("open.png")), "158 all i[2,1] s['open.png']", 0},
        {PI_NEW(PIProgressDialog(p, "Loading", "Please wait", true, 5)),
         "162 all i[0,1,5] s['Loading','Please wait'] p[f1,0]", 1, 1},
        {PI_NEW(PIProgressDialog(nullptr, "a", "b", false, 0)), "162 all i[0,0,0] s['a','b'] p[0,0]", 1, 1},
    };
    // clang-format on
#undef PI_NEW
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* answer : {fake<8>(), static_cast<void*>(nullptr)}) {
            testhost::reset();
            const int entry = c.handleEntry;
            testhost::respond(std::stoi(c.creation), [answer, entry](Exchange& e) -> void* {
                if (entry < 0) return answer;
                if (e.selector() == 0) e.setPointer(static_cast<std::size_t>(entry), answer);
                return fake<6>();  // not the handle
            });
            PIObject* proxy = c.make();
            pitest::name(proxy, "P");
            Lines expected = {garbage(0, proxy), c.creation};
            if (c.binds) expected.push_back("100 pp " + pitest::ptr(answer) + " P");
            EXPECT_EQ(sent(), expected);
            EXPECT_EQ(proxy->serverHandle, answer);
            EXPECT_TRUE(proxy->ownsServerObject);
            proxy->serverHandle = nullptr;
            delete proxy;
            pitest::name(proxy, "");
        }
    }
}

TEST_F(Proxies, a_spinner_is_created_then_bound_then_given_its_range_with_the_low_end_by_address) {
    testhost::respond(125, [](Exchange&) { return fake<8>(); });
    std::vector<int> lows;
    testhost::respond(140, [&lows](Exchange& e) {
        lows.push_back(*static_cast<const int*>(e.request().block.pointerValue));
        return nullptr;
    });
    PISpinner spinner(canvas.get(), 5, -3, 9, kFunction, 1, 2, 3, 4, 5, 6, 7);
    pitest::name(&spinner, "P");
    spinner.setRange(10, 20);
    EXPECT_EQ(sent(), (Lines{garbage(0, &spinner), "125 pif f1 5 f9" + kSeven, "100 pp f8 P",
                             "140 ppi f8 & 9", "140 ppi f8 & 20"}));
    EXPECT_EQ(lows, (std::vector<int>{-3, 10}));
    spinner.serverHandle = nullptr;
}

// The constructors that build only the window base.
struct BareButton : PIButton {
    BareButton() : PIButton(1, 2, 3, 4, 5, 6, 7) {}
};
struct BareTextField : PITextField {
    BareTextField() : PITextField(1, 2, 3, 4, 5, 6, 7) {}
};
struct BareOptionMenu : PIOptionMenu {
    BareOptionMenu() : PIOptionMenu(1, 2, 3, 4, 5, 6, 7) {}
};

TEST_F(Proxies, constructors_that_only_build_the_base_are_listed_and_send_nothing_else) {
    // clang-format off
    const std::vector<std::pair<std::function<PIWindow*()>, std::string>> cases = {
        {[] { return new PIVerticalFrame; }, ""},    {[] { return new PIHorizontalFrame; }, ""},
        {[] { return new PIVerticalMatrix; }, ""},   {[] { return new PIHorizontalMatrix; }, ""},
        {[] { return new PIGroupBox; }, ""},         {[] { return new PISwitcher; }, ""},
        {[] { return new PIDialogBox; }, ""},        {[] { return new PICheckButton; }, ""},
        {[] { return new PIRadioButton; }, ""},      {[] { return new PIToolbarButton; }, ""},
        {[] { return new PILabel; }, ""},            {[] { return new PITextField; }, ""},
        {[] { return new PISpinner; }, ""},          {[] { return new PIColorWell; }, ""},
        {[] { return new PIList; }, ""},             {[] { return new PIMenu; }, ""},
        {[] { return new PIMenuItem; }, ""},         {[] { return new PIMenuSeparator; }, ""},
        {[] { return new PIMenuSeparator(nullptr); }, ""},
        {[] { return new BareButton; }, kSeven},     {[] { return new BareTextField; }, kSeven},
        {[] { return new BareOptionMenu; }, kSeven}, {[] { return new PIWindow(1, 2, 3, 4, 5, 6, 7, 8, 9); }, kNine},
    };
    // clang-format on
    for (const auto& [make, layout] : cases) {
        testhost::clearRequests();
        const std::unique_ptr<PIWindow> proxy(make());
        SCOPED_TRACE(typeid(*proxy).name());
        EXPECT_EQ(sent(), Lines{garbage(0, proxy.get())});
        EXPECT_EQ(proxy->serverHandle, nullptr);
        EXPECT_EQ(layoutOf(*proxy), layout);
    }
}

// Every operation of every proxy, on proxies built without the host.
struct GuiTable {
    PIWindow window{0, 0, 0, 2, 2, 2, 2, 2, 2};
    PIDialogBox dialog;
    PITabWidget tabs{nullptr};
    PISwitcher switcher;
    PICheckButton button;
    PILabel label;
    PISpinner spinner;
    BareOptionMenu options;
    PIList list;
    PIMenuItem item;
    PIProgressDialog progress{nullptr, "", "", false, 0};
    PIIcon loaded{"a.png"};
    int x = -5, y = -6;
    std::vector<Op> ops;

    PIIcon* const icon;
    explicit GuiTable(PIIcon* shared);
    std::string loadedBy(bool failed) const {
        return std::to_string(failed) + pitest::ptr(loaded.serverHandle);
    }
};

GuiTable::GuiTable(PIIcon* shared) : icon(shared) {
    pitest::name(&dialog, "dialog");
    pitest::name(kImage, "image");
    pitest::name(&x, "x");
    pitest::name(&y, "y");
    const auto size = [](PIWindow& w, void (PIWindow::*get)(int&, int&)) {
        return [&w, get] {
            int width = 99, height = 99;  // stale values must not survive
            (w.*get)(width, height);
            return std::to_string(width) + "x" + std::to_string(height);
        };
    };
    const auto element = [](std::size_t index, int32_t value) {
        return writes([=](Exchange& e) { e.setInt(index, value); });
    };
    const auto intValue = [](int32_t value) { return writes([=](Exchange& e) { e.setIntValue(value); }); };
    const auto stringValue = [](std::string value) {
        return writes([=](Exchange& e) { e.setStringValue(value); });
    };
    const auto returns = [](void* value) { return [value](Exchange&) { return value; }; };
    const auto newTab = writes([](Exchange& e) { e.setPointer(1, fake<9>()); });
    const auto windowSize = [](int width, int height) {
        return writes([=](Exchange& e) { e.setInt(1, width), e.setInt(2, height); });
    };
    // clang-format off
    pitest::append(ops, &window, true, {
        {PI_DO(window.show()), {"143 pb f7 false"}},
        {PI_DO(window.hide()), {"143 pb f7 true"}},
        {PI_DO(window.enable()), {"144 pb f7 true"}},
        {PI_DO(window.disable()), {"144 pb f7 false"}},
        {PI_DO(window.check()), {"145 pb f7 true"}},
        {PI_DO(window.uncheck()), {"145 pb f7 false"}},
        {PI_DO(window.setEnabled(false)), {"144 pb f7 false"}},
        {PI_DO(window.setCheck(true)), {"145 pb f7 true"}},
        {PI_RET(window.hasFocus()), {"147 raw f7"}, "false", returns(fake<1>()), "true"},
        {PI_DO(window.setFocus()), {"156 raw f7"}},
        {PI_RET(window.shown()), {"148 raw f7"}, "false", returns(fake<1>()), "true"},
        {PI_DO(window.mapFunction(kFunction)), {"146 pf f7 f9"}},
        {PI_DO(window.setValue(std::string("abc"))), {"154 ps f7 'abc'"}},
        {PI_DO(window.setValue(5)), {"152 pi f7 5"}},
        {PI_DO(window.setValue(2.5)), {"153 pd f7 2.5"}},
        {PI_DO(window.updateValue(std::string("x"))), {"147 raw f7", "154 ps f7 'x'"}},
        {PI_DO(window.updateValue(7)), {"147 raw f7", "152 pi f7 7"}},
        {PI_DO(window.updateValue(0.5)), {"147 raw f7", "153 pd f7 0.5"}},
        {PI_DO(dialog.show()), {"115 raw f7"}, "", {}, "", &dialog},
    });
    pitest::append(ops, &window, false, {
        {PI_RET(window.getValueText()), {"151 ps f7 ''"}, "", stringValue("typed"), "typed"},
        {PI_RET(window.getValueInt()), {"149 pi f7 -1"}, "-1", intValue(42), "42"},
        {PI_RET(window.getValueDouble()), {"150 pd f7 -1"}, "-1", writes([](Exchange& e) { e.setDoubleValue(0.25); }),
         "0.25"},
        {PI_DO(window.setMinimumSize(30, 40)), {"166 all i[0,30,40] p[f7]"}},
        {"getMinimumSize", size(window, &PIWindow::getMinimumSize), {"166 all i[1,0,0] p[f7]"}, "0x0",
         windowSize(320, 200), "320x200"},
        {PI_DO(window.setMaximumSize(50, 60)), {"166 all i[2,50,60] p[f7]"}},
        {"getMaximumSize", size(window, &PIWindow::getMaximumSize), {"166 all i[3,0,0] p[f7]"}, "0x0",
         windowSize(32, 20), "32x20"},
        {PI_DO(window.setStyleSheet("color: red")), {"166 all i[4] s['color: red'] p[f7]"}},
        {PI_RET(window.getStyleSheet()), {"166 all i[5] s[''] p[f7]"}, "", setString0("font: bold"), "font: bold"},
        {PI_DO(window.beginCursorOverride(PICommon::PICursorShape_t(4))), {"155 all i[2,4] p[f7]"}},
        {PI_DO(window.endCursorOverride()), {"155 all i[3] p[f7]"}},
    });
    pitest::append(ops, &dialog, false, {
        {PI_DO(dialog.setIcon(icon)), {"158 all i[6] p[f7,f2]"}},
        {PI_DO(dialog.setIcon(nullptr)), {"158 all i[6] p[f7,0]"}},
        {PI_DO(dialog.registerCloseObserver(kObserver)), {"160 all i[0] p[f7,f5,dialog]"}},
        {PI_DO(dialog.unregisterCloseObserver(kObserver)), {"160 all i[1] p[f7,f5]"}},
        {PI_RET(dialog.canBeDockable()), {"161 all i[0,0] p[f7]"}, "false", setInt1(5), "true"},
        {PI_RET(dialog.isDockable()), {"161 all i[1,0] p[f7]"}, "false", setInt1(1), "true"},
        {PI_DO(dialog.setDockable(true)), {"161 all i[2,1] p[f7]"}},
        {PI_DO(dialog.setCanBeDockable(false)), {"161 all i[3,0] p[f7]"}},
    });
    pitest::append(ops, &tabs, false, {
        {PI_RET(tabs.numTabs()), {"165 all i[1,0] p[f7]"}, "0", setInt1(3), "3"},
        {PI_RET(tabs.current()), {"165 all i[2,-1] p[f7]"}, "-1", setInt1(2), "2"},
        {PI_DO(tabs.setCurrent(2)), {"165 all i[3,2] p[f7]"}},
        {PI_DO(tabs.setTabIcon(1, icon)), {"165 all i[4,1] p[f7,f2]"}},
        {PI_RET(tabs.tabText(3)), {"165 all i[5,3] s[''] p[f7]"}, "", setString0("Page"), "Page"},
        {PI_DO(tabs.setTabText(1, "Two")), {"165 all i[6,1] s['Two'] p[f7]"}},
        {PI_RET(tabs.addTab("One")), {"165 all i[7] s['One'] p[f7,0,&]"}, "0", newTab, "f9"},
        {PI_RET(tabs.insertTab(4, "Two")), {"165 all i[8,4] s['Two'] p[f7,0,&]"}, "0", newTab, "f9"},
        {PI_DO(tabs.removeTab(0)), {"165 all i[9,0] p[f7]"}},
    });
    pitest::append(ops, nullptr, false, {
        {PI_RET(switcher.setCurrent(4)), {"141 ppi f7 & -1"}, "-1",
         writes([](Exchange& e) { e.setIntValue(*static_cast<const int*>(e.request().block.pointerValue) * 10); }),
         "40", &switcher},
        {PI_DO(button.setIcon(icon)), {"158 all i[7] p[f7,f2]"}, "", {}, "", &button},
        {PI_RET(static_cast<PIButton&>(button).isChecked()), {"149 pi f7 -1"}, "true", intValue(0), "false", &button},
        {PI_RET(button.isChecked()), {"149 pi f7 -1"}, "true", intValue(0), "false", &button},
        {PI_DO(label.setIcon(icon)), {"158 all i[1] p[f7,f2]"}, "", {}, "", &label},
        {PI_DO(spinner.setPlaceholderText("Search")), {"164 all i[0] s['Search'] p[f7]"}, "", {}, "", &spinner},
        {PI_DO(item.setIcon(icon)), {"158 all i[0] p[f7,f2]"}, "", {}, "", &item},
    });
    pitest::append(ops, &options, false, {
        {PI_RET(options.appendOption("Red")), {"139 pis f7 -1 'Red'"}, "-1", intValue(3), "3"},
        {PI_RET(options.getNumOptions()), {"159 all i[0,0] p[f7]"}, "0", element(1, 4), "4"},
        {PI_RET(options.getOptionText(2)), {"159 all i[1,2] s[''] p[f7]"}, "", setString0("Red"), "Red"},
        {PI_RET(options.setOptionText(2, "Blue")), {"159 all i[2,2,1] s['Blue'] p[f7]"}, "1", element(2, 0), "0"},
        {PI_RET(options.removeOption(1)), {"159 all i[3,1,1] p[f7]"}, "1", element(2, 0), "0"},
    });
    pitest::append(ops, &list, false, {
        {PI_RET(list.appendItem("row", fake<5>())), {"127 all i[-1] s['row'] p[f7,f5]"}, "-1", element(0, 6), "6"},
        {PI_DO(list.removeItem(2)), {"128 pi f7 2"}},
        {PI_RET(list.getNumItems()), {"129 pi f7 -1"}, "-1", intValue(8), "8"},
        {PI_RET(list.getSelectedItem(3)), {"130 pi f7 3"}, "3", intValue(5), "5"},
        {PI_DO(list.setSelectedItem(4)), {"131 pib f7 4 true"}},
        {PI_DO(list.deselectAll()), {"132 raw f7"}},
        {PI_RET(list.getItemText(1)), {"133 pis f7 1 ''"}, "", stringValue("row"), "row"},
        {PI_DO(list.setItemText(1, "text")), {"134 pis f7 1 'text'"}},
        {PI_RET(list.getItemData(5)), {"135 pi f7 5"}, "0", returns(fake<5>()), "f5"},
        {PI_DO(list.setItemData(5, fake<5>())), {"136 ppi f7 f5 5"}},
        {PI_DO(list.appendHeader("Name", 120)), {"137 pis f7 120 'Name'"}},
        {PI_DO(list.removeHeader(0)), {"138 pi f7 0"}},
        {PI_DO(list.setSelectionMode(PIList::MULTIPLE_SELECTION)), {"167 all i[0,1] p[f7]"}},
        {PI_RET(list.getSelectionMode()), {"167 all i[1,0] p[f7]"}, "0", element(1, 2), "2"},
    });
    pitest::append(ops, &progress, false, {
        {PI_DO(progress.show()), {"162 all i[1] p[f7]"}},
        {PI_DO(progress.hide()), {"162 all i[2] p[f7]"}},
        {PI_DO(progress.runWhileEvents()), {"162 all i[3] p[f7]"}},
        {PI_RET(progress.isCanceled()), {"162 all i[4,0] p[f7]"}, "false", setInt1(2), "true"},
        {PI_RET(progress.maximum()), {"162 all i[5,0] p[f7]"}, "0", setInt1(100), "100"},
        {PI_RET(progress.value()), {"162 all i[6,0] p[f7]"}, "0", setInt1(30), "30"},
        {PI_DO(progress.setMaximum(100)), {"162 all i[7,100] p[f7]"}},
        {PI_DO(progress.setValue(30)), {"162 all i[8,30] p[f7]"}},
        {PI_DO(progress.setLabelText("Step 2")), {"162 all i[9] s['Step 2'] p[f7]"}},
    });
    // An icon load replaces the handle and answers whether it failed.
    pitest::append(ops, nullptr, false, {
        {PI_RET(loadedBy(loaded.loadByFilename("a.png", false))), {"158 all i[2,0] s['a.png']"}, "10",
         returns(fake<4>()), "0f4"},
        {PI_RET(loadedBy(loaded.loadGIFByArray(kImage, true))), {"158 all i[3,1] p[image]"}, "10", returns(fake<5>()),
         "0f5"},
        {PI_RET(loadedBy(loaded.loadBMPByArray(kImage, false))), {"158 all i[4,0] p[image]"}, "10", returns(fake<4>()),
         "0f4"},
        {PI_RET(loadedBy(loaded.loadPNGByArray(kImage, true))), {"158 all i[5,1] p[image]"}, "10", returns(fake<5>()),
         "0f5"},
        {PI_DO(grabMouse()), {"155 all i[0]"}},
        {PI_DO(ungrabMouse()), {"155 all i[1]"}},
        {"translateCoordsFromMainWindow",
         [this] {
             x = -5, y = -6;
             translateCoordsFromMainWindow(&x, &y, 10, 20);
             return std::to_string(x) + "," + std::to_string(y);
         },
         {"157 all i[0,10,20] p[x,y]"}, "-5,-6",
         writes([](Exchange& e) { *static_cast<int*>(e.pointerAt(0)) = 1, *static_cast<int*>(e.pointerAt(1)) = 2; }),
         "1,2"},
        {PI_DO(PIRegistry::setValue("key", "value")), {"101 pss 0 'key' 'value'"}},
        {PI_RET(PIRegistry::getValue("key")), {"102 ps 0 'key'"}, "key", stringValue("blue"), "blue"},
    });
    // clang-format on
}

TEST_F(Proxies, every_operation_sends_its_request_and_reads_its_answer) {
    GuiTable table(icon.get());
    pitest::checkWithHost(table.ops);
    table.loaded.serverHandle = nullptr;
}

TEST_F(Proxies, update_value_and_clear_items_follow_the_hosts_answers) {
    PIList list;
    list.serverHandle = fake<7>();
    testhost::respond(147, [](Exchange&) { return fake<1>(); });  // focused: left alone
    list.updateValue(5);
    int rows = 2;
    testhost::respond(129, writes([&rows](Exchange& e) { e.setIntValue(rows); }));
    testhost::respond(128, [&rows](Exchange&) { return --rows, nullptr; });
    testhost::clearRequests();
    list.clearItems();
    EXPECT_EQ(sent(), (Lines{"129 pi f7 -1", "128 pi f7 0", "129 pi f7 -1", "128 pi f7 0", "129 pi f7 -1"}));
    list.serverHandle = nullptr;
}

class GuiWithoutHost : public pitest::NoHost {};

TEST_F(GuiWithoutHost, every_operation_answers_its_preset) {
    PIIcon icon("icon.png");
    icon.serverHandle = fake<2>();
    GuiTable table(&icon);
    pitest::checkWithoutHost(table.ops);
    icon.serverHandle = table.loaded.serverHandle = nullptr;
}

class Lifetime : public pitest::WithHost {};

TEST_F(Lifetime, the_garbage_requests_and_a_host_that_takes_the_proxies) {
    {
        GuiHost host;
        host.takeGarbage = true;
        auto* window = newWindow();
        EXPECT_EQ(host.serverGarbage, std::vector<const void*>{window});
        EXPECT_EQ(g_PI_GarbageCollector, nullptr) << "the host took it: no collector";
        delete window;
        EXPECT_TRUE(host.serverGarbage.empty()) << "the destructor withdrew it";
    }
    testhost::reset();
    PIObject object;
    EXPECT_EQ(AddObjectToServerGarbage(&object), 1) << "unanswered";
    EXPECT_EQ(RemoveObjectFromServerGarbage(&object), 1);
    testhost::respond(168, writes([](Exchange& e) { e.setInt(1, e.selector() == 0 ? 0 : 7); }));
    EXPECT_EQ(AddObjectToServerGarbage(&object), 0);
    EXPECT_EQ(RemoveObjectFromServerGarbage(&object), 7);
}

// A proxy that deletes another from its destructor, as a dialog that owns
// its controls may, and one that builds a proxy while it is destroyed.
struct Owner : PIWindow {
    explicit Owner(PIWindow* child) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2), owned(child) {}
    ~Owner() override { delete owned; }
    PIWindow* owned;
};
struct Spawner : PIWindow {
    explicit Spawner(PIWindow*& made) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2), spawned(made) {}
    ~Spawner() override { spawned = newWindow(); }
    PIWindow*& spawned;
};

TEST_F(Lifetime, the_collector_deletes_last_first_once_each_and_hands_the_server_objects_back) {
    auto* owned = newWindow();
    auto* owner = new Owner(owned);
    auto* twice = newWindow();
    const std::uintptr_t gone = reinterpret_cast<std::uintptr_t>(newWindow());
    delete reinterpret_cast<PIWindow*>(gone);
    PIWindow* spawned = nullptr;
    auto* spawner = new Spawner(spawned);
    PIGarbageCollector* const collector = g_PI_GarbageCollector;
    collector->objects.push_back(twice);
    EXPECT_EQ(collector->objects, (std::vector<PIObject*>{owned, owner, twice, spawner, twice}));
    EXPECT_FALSE(collector->destroying);
    for (PIObject* proxy : collector->objects) proxy->serverHandle = fake<5>();
    pitest::name(owned, "owned");
    pitest::name(owner, "owner");
    pitest::name(twice, "twice");
    pitest::name(spawner, "spawner");
    testhost::clearRequests();

    delete collector;
    // The owner deletes what it owns, which still owns its server object.
    EXPECT_EQ(sent(), (Lines{garbage(1, twice), garbage(0, spawned), garbage(1, spawner), "142 raw f5",
                             garbage(1, owned), garbage(1, owner)}))
        << "no destroy request from the collector, each proxy once, the one built meanwhile is its creator's";
    EXPECT_EQ(g_PI_GarbageCollector, nullptr);
    delete spawned;
}

TEST_F(Lifetime, the_destroy_request_goes_out_only_for_an_owned_non_null_handle) {
    for (const auto& [handle, owns] : {std::pair{fake<5>(), true}, {fake<5>(), false}, {nullptr, true}}) {
        auto* window = newWindow();
        window->serverHandle = handle;
        window->ownsServerObject = owns;
        const std::string remove = garbage(1, window);
        testhost::clearRequests();
        delete window;
        EXPECT_EQ(sent(), (handle && owns ? Lines{"142 raw f5", remove} : Lines{remove}));
    }
    auto* progress = new PIProgressDialog(nullptr, "", "", false, 0);
    progress->serverHandle = fake<6>();
    const Lines expected = {"162 all i[2] p[f6]", "142 raw f6", garbage(1, progress)};
    testhost::clearRequests();
    delete progress;
    EXPECT_EQ(sent(), expected) << "a progress dialog is hidden first";
}

TEST_F(Proxies, a_dialog_is_marked_shown_once_its_show_request_went_out_and_tab_pages_are_listed) {
    PIDialogBox dialog;
    dialog.show();
    EXPECT_FALSE(dialog.wasShown) << "no handle, no request";
    for (void* handle : {fake<7>(), fake<7>(), static_cast<void*>(nullptr)}) {
        dialog.serverHandle = handle;
        dialog.show();
        EXPECT_TRUE(dialog.wasShown) << "never cleared";
    }
    GuiHost host;
    PITabWidget tabs(canvas.get());
    PIVerticalFrame* page = tabs.addTab("One");
    EXPECT_NE(dynamic_cast<PIVertFrameWrapper*>(page), nullptr);
    EXPECT_EQ(host.widget(page->serverHandle)->proxy, page);
    EXPECT_EQ(g_PI_GarbageCollector->objects.back(), page) << "listed like any proxy";
    delete page;
}

TEST_F(Proxies, toolkit_accessors_hand_out_the_handle_only_when_the_host_allows_direct_access) {
    // clang-format off
    using HostCall = void* (*)(void*);  // the test GUI host calling a shadowing accessor in slot 4
    using Access = std::function<void*(PIObject*)>;
    const std::vector<std::tuple<std::function<PIObject*()>, Access, bool, HostCall>> cases = {
#define PI_ACCESS(Class, make, accessor, shadowing, hostCall) \
    {[] { return make; }, [](PIObject* p) { return static_cast<Class*>(p)->accessor(); }, shadowing, hostCall}
#define PI_FOX(Class, make, accessor) PI_ACCESS(Class, make, accessor, false, nullptr)
#define PI_SHADOWING(Class, make, accessor, hostCall) PI_ACCESS(Class, make, accessor, true, hostCall)
        PI_FOX(PIVerticalFrame, new PIVerticalFrame, getFoxVerticalFrame),
        PI_FOX(PIVerticalMatrix, new PIVerticalMatrix, getFoxMatrix),
        PI_FOX(PIGroupBox, new PIGroupBox, getFoxGroupBox),
        PI_FOX(PISwitcher, new PISwitcher, getFoxSwitcher),
        PI_FOX(PIDialogBox, new PIDialogBox, getFoxDialogBox),
        PI_FOX(PIIcon, new PIIcon("icon.png"), getFoxIcon),
        PI_FOX(PIButton, new PIButton(nullptr, "", nullptr), getFoxButton),
        PI_FOX(PICheckButton, new PICheckButton, getFoxCheckButton),
        PI_SHADOWING(PICheckButton, new PICheckButton, getFoxButton, GuiHost::callCheckButtonFoxButton),
        PI_SHADOWING(PIRadioButton, new PIRadioButton, getFoxButton, nullptr),
        PI_FOX(PITextField, new PITextField, getFoxTextField),
        PI_FOX(PISpinner, new PISpinner, getFoxSpinner),
        PI_SHADOWING(PISpinner, new PISpinner, getFoxTextField, GuiHost::callSpinnerFoxTextField),
        PI_FOX(PIList, new PIList, getFoxList),
        PI_FOX(PIMenu, new PIMenu, getFoxMenuCascade),
        PI_FOX(PIMenuItem, new PIMenuItem, getFoxMenuItem),
        PI_SHADOWING(PIMenuItem, new PIMenuItem, getFoxButton, GuiHost::callMenuItemFoxButton),
#undef PI_SHADOWING
#undef PI_FOX
#undef PI_ACCESS
    };
    // clang-format on
    for (const auto& [make, access, shadowing, hostCall] : cases) {
        std::unique_ptr<PIObject> proxy(make());
        SCOPED_TRACE(typeid(*proxy).name());
        proxy->serverHandle = fake<6>();
        for (int32_t allowed : {0, 1}) {
            testhost::reset();
            testhost::respond(15, setInt1(allowed));
            EXPECT_EQ(access(proxy.get()), allowed && !shadowing ? fake<6>() : nullptr);
            if (hostCall) {
                EXPECT_EQ(hostCall(proxy.get()), nullptr);
            }
            EXPECT_EQ(sent(), Lines(hostCall ? 2 : 1, "15 all i[2,0]"));
        }
        testhost::reset();
        EXPECT_EQ(access(proxy.get()), nullptr) << "no answer: no access";
        proxy->serverHandle = nullptr;
    }
}

}  // namespace
