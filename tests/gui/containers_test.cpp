// Containers: creation requests with their copied layout records, the
// switcher, dialog boxes and tab widgets, and the tab pages the host makes
// through the factory.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"
#include "gui/PITabWidget.h"
#include "hostsim/GuiHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using namespace PIGUI;

// Layout integers 1 to 9 in argument order, as stored: options last.
const Layout kNine = {2, 3, 4, 5, 6, 7, 8, 9, 1};
// Layout integers 1 to 7, spacings filled in with 2.
const Layout kSeven = {2, 3, 4, 5, 6, 7, 2, 2, 1};


class Containers : public WithParent {};

TEST_F(Containers, each_constructor_sends_its_creation_request_and_keeps_the_answer_as_its_handle) {
    struct Case {
        const char* name;
        int32_t code;
        std::function<PIObject*(PICanvas*, PIIcon*)> make;
        // The requests after the add request, for the proxy and the handle the host answered.
        std::function<Lines(const PIObject*, const void* handle)> expected;
    };
    const Case cases[] = {
        {"vertical frame", 108,
         [](PICanvas* p, PIIcon*) { return new PIVerticalFrame(p, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject*, const void*) { return Lines{pointerAndOpts(108, fake<1>(), kNine)}; }},
        {"horizontal frame", 109,
         [](PICanvas* p, PIIcon*) { return new PIHorizontalFrame(p, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject*, const void*) { return Lines{pointerAndOpts(109, fake<1>(), kNine)}; }},
        {"vertical matrix", 111,
         [](PICanvas* p, PIIcon*) { return new PIVerticalMatrix(p, 4, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject*, const void*) { return Lines{pointerAndInt(111, fake<1>(), 4, kNine)}; }},
        {"horizontal matrix", 112,
         [](PICanvas* p, PIIcon*) { return new PIHorizontalMatrix(p, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject*, const void*) { return Lines{pointerAndInt(112, fake<1>(), 3, kNine)}; }},
        {"group box", 110,
         [](PICanvas* p, PIIcon*) { return new PIGroupBox(p, "Title", 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject*, const void*) {
             return Lines{pointerAndString(110, fake<1>(), "Title", kNine)};
         }},
        {"group box, null title", 110, [](PICanvas* p, PIIcon*) { return new PIGroupBox(p, nullptr); },
         [](const PIObject*, const void*) { return Lines{pointerAndString(110, fake<1>(), "")}; }},
        {"switcher", 113, [](PICanvas* p, PIIcon*) { return new PISwitcher(p, 1, 2, 3, 4, 5, 6, 7); },
         [](const PIObject*, const void*) { return Lines{pointerAndOpts(113, fake<1>(), kSeven)}; }},
        {"dialog box", 114,
         [](PICanvas*, PIIcon* i) { return new PIDialogBox("Dialog", i, 1, 2, 3, 4, 5, 6, 7, 8, 9); },
         [](const PIObject* proxy, const void* handle) {
             return Lines{pointerAndString(114, fake<2>(), "Dialog", kNine), bind(handle, proxy)};
         }},
        {"dialog box, null icon", 114, [](PICanvas*, PIIcon*) { return new PIDialogBox("Dialog", nullptr); },
         [](const PIObject* proxy, const void* handle) {
             return Lines{pointerAndString(114, nullptr, "Dialog"), bind(handle, proxy)};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* answer : {fake<8>(), static_cast<void*>(nullptr)}) {
            testhost::reset();
            testhost::respond(c.code, [answer](testhost::Exchange&) { return answer; });
            PIObject* proxy = c.make(parent.get(), icon.get());
            checkCreated(proxy, c.expected(proxy, answer), answer);
        }
    }
}

TEST_F(Containers, a_tab_widget_sends_its_own_record_and_reads_its_handle_from_the_block) {
    testhost::respond(165, [](testhost::Exchange& e) {
        e.setPointer(0, fake<8>());
        return reinterpret_cast<void*>(0x77);  // not the handle
    });
    PITabWidget tabs(parent.get(), 1, 2, 3, 4, 5, 6, 7);
    EXPECT_EQ(sent(), (Lines{addToGarbage(&tabs), catchAll(165, {0}, {nullptr, fake<1>(), tabs.layoutOpts})}))
        << "no bind request";
    EXPECT_EQ(tabs.serverHandle, fake<8>());
    EXPECT_EQ(recordOf(tabs), kSeven);
    EXPECT_EQ(testhost::requestsWithCode(165).at(0).block.opts, kDefaultLayout) << "the block's own record";
    tabs.serverHandle = nullptr;

    testhost::reset();
    const PITabWidget unanswered(parent.get());
    EXPECT_EQ(unanswered.serverHandle, nullptr);
}

TEST_F(Containers, constructors_without_arguments_send_nothing_and_keep_the_default_record) {
    const std::vector<std::pair<const char*, std::function<PIWindow*()>>> cases = {
        {"canvas", [] { return new PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2); }},
        {"vertical frame", [] { return new PIVerticalFrame; }},
        {"horizontal frame", [] { return new PIHorizontalFrame; }},
        {"vertical matrix", [] { return new PIVerticalMatrix; }},
        {"horizontal matrix", [] { return new PIHorizontalMatrix; }},
        {"group box", [] { return new PIGroupBox; }},
        {"switcher", [] { return new PISwitcher; }},
        {"dialog box", [] { return new PIDialogBox; }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        testhost::clearRequests();
        checkBaseOnly(make(), kDefaultLayout);
    }
    EXPECT_FALSE(PIDialogBox().wasShown);
}

TEST_F(Containers, each_operation_sends_its_request_whatever_the_handle_except_the_dialogs_show) {
    PIDialogBox dialog;
    PITabWidget tabs(nullptr);
    auto* observer = static_cast<PIDialogBox::CloseObserver*>(fake<5>());
    struct Case {
        const char* name;
        PIWindow* proxy;
        std::function<void()> call;
        std::function<Lines(const void* handle)> expected;
        bool sentWithNullHandle;
    };
    PIIcon* i = icon.get();
    const Case cases[] = {
        {"dialog show", &dialog, [&] { dialog.show(); }, [](auto h) { return Lines{direct(115, h)}; }, false},
        {"dialog setIcon", &dialog, [&] { dialog.setIcon(i); },
         [](auto h) {
             return Lines{catchAll(158, {6}, {h, fake<2>()})};
         },
         true},
        {"dialog setIcon(null)", &dialog, [&] { dialog.setIcon(nullptr); },
         [](auto h) {
             return Lines{catchAll(158, {6}, {h, nullptr})};
         },
         true},
        {"registerCloseObserver", &dialog, [&] { dialog.registerCloseObserver(observer); },
         [&](auto h) {
             return Lines{catchAll(160, {0}, {h, observer, &dialog})};
         },
         true},
        {"unregisterCloseObserver", &dialog, [&] { dialog.unregisterCloseObserver(observer); },
         [&](auto h) {
             return Lines{catchAll(160, {1}, {h, observer})};
         },
         true},
        {"canBeDockable", &dialog, [&] { dialog.canBeDockable(); },
         [](auto h) {
             return Lines{catchAll(161, {0, 0}, {h})};
         },
         true},
        {"isDockable", &dialog, [&] { dialog.isDockable(); },
         [](auto h) {
             return Lines{catchAll(161, {1, 0}, {h})};
         },
         true},
        {"setDockable(true)", &dialog, [&] { dialog.setDockable(true); },
         [](auto h) {
             return Lines{catchAll(161, {2, 1}, {h})};
         },
         true},
        {"setDockable(false)", &dialog, [&] { dialog.setDockable(false); },
         [](auto h) {
             return Lines{catchAll(161, {2, 0}, {h})};
         },
         true},
        {"setCanBeDockable(true)", &dialog, [&] { dialog.setCanBeDockable(true); },
         [](auto h) {
             return Lines{catchAll(161, {3, 1}, {h})};
         },
         true},
        {"setCanBeDockable(false)", &dialog, [&] { dialog.setCanBeDockable(false); },
         [](auto h) {
             return Lines{catchAll(161, {3, 0}, {h})};
         },
         true},
        {"numTabs", &tabs, [&] { tabs.numTabs(); },
         [](auto h) {
             return Lines{catchAll(165, {1, 0}, {h})};
         },
         true},
        {"current", &tabs, [&] { tabs.current(); },
         [](auto h) {
             return Lines{catchAll(165, {2, -1}, {h})};
         },
         true},
        {"setCurrent", &tabs, [&] { tabs.setCurrent(2); },
         [](auto h) {
             return Lines{catchAll(165, {3, 2}, {h})};
         },
         true},
        {"setTabIcon", &tabs, [&] { tabs.setTabIcon(1, i); },
         [](auto h) {
             return Lines{catchAll(165, {4, 1}, {h, fake<2>()})};
         },
         true},
        {"setTabIcon(null)", &tabs, [&] { tabs.setTabIcon(1, nullptr); },
         [](auto h) {
             return Lines{catchAll(165, {4, 1}, {h, nullptr})};
         },
         true},
        {"tabText", &tabs, [&] { tabs.tabText(3); },
         [](auto h) {
             return Lines{catchAll(165, {5, 3}, {h}, {""})};
         },
         true},
        {"setTabText", &tabs, [&] { tabs.setTabText(1, "Two"); },
         [](auto h) {
             return Lines{catchAll(165, {6, 1}, {h}, {"Two"})};
         },
         true},
        {"removeTab", &tabs, [&] { tabs.removeTab(0); },
         [](auto h) {
             return Lines{catchAll(165, {9, 0}, {h})};
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.proxy->serverHandle = fake<7>();
        testhost::clearRequests();
        c.call();
        EXPECT_EQ(sent(), c.expected(fake<7>()));

        c.proxy->serverHandle = nullptr;
        testhost::clearRequests();
        c.call();
        EXPECT_EQ(sent(), c.sentWithNullHandle ? c.expected(nullptr) : Lines{});
    }
}

TEST_F(Containers, the_dialog_is_marked_shown_only_when_its_show_request_went_out) {
    PIDialogBox dialog;
    dialog.show();
    EXPECT_FALSE(dialog.wasShown);
    dialog.serverHandle = fake<7>();
    dialog.show();
    EXPECT_TRUE(dialog.wasShown);
    dialog.serverHandle = nullptr;
    dialog.show();
    EXPECT_TRUE(dialog.wasShown) << "never cleared";
}

TEST_F(Containers, results_are_the_presets_without_an_answer_and_the_host_values_with_one) {
    PIDialogBox dialog;
    PITabWidget tabs(nullptr);
    dialog.serverHandle = fake<7>();
    tabs.serverHandle = fake<7>();
    const ResultCase cases[] = {
        {"canBeDockable", 161, [&] { return std::to_string(dialog.canBeDockable()); }, "0", setInt1(5), "1"},
        {"isDockable", 161, [&] { return std::to_string(dialog.isDockable()); }, "0", setInt1(1), "1"},
        {"numTabs", 165, [&] { return std::to_string(tabs.numTabs()); }, "0", setInt1(3), "3"},
        {"current", 165, [&] { return std::to_string(tabs.current()); }, "-1", setInt1(2), "2"},
        {"tabText", 165, [&] { return tabs.tabText(0); }, "",
         [](testhost::Exchange& e) {
             e.setString(0, "Page");
             return nullptr;
         },
         "Page"},
        {"addTab", 165, [&] { return std::to_string(tabs.addTab("x") == fake<9>()); }, "0",
         [](testhost::Exchange& e) {
             e.setPointer(1, fake<9>());
             return nullptr;
         },
         "1"},
        {"insertTab", 165, [&] { return std::to_string(tabs.insertTab(0, "x") == fake<9>()); }, "0",
         [](testhost::Exchange& e) {
             e.setPointer(1, fake<9>());
             return nullptr;
         },
         "1"},
        {"switcher setCurrent", 141,
         [] {
             PISwitcher switcher;
             return std::to_string(switcher.setCurrent(4));
         },
         "-1",
         [](testhost::Exchange& e) {
             e.setIntValue(*static_cast<const int*>(e.request().block.pointerValue) * 10);
             return nullptr;
         },
         "40"},
    };
    checkResults(cases);
    dialog.serverHandle = nullptr;
    tabs.serverHandle = nullptr;
}

TEST_F(Containers, the_switcher_sends_the_index_by_address_and_minus_one_in_int_value) {
    PISwitcher switcher;
    switcher.serverHandle = fake<7>();
    int seenIndex = 0;
    testhost::respond(141, [&seenIndex](testhost::Exchange& e) {
        seenIndex = *static_cast<const int*>(e.request().block.pointerValue);
        return nullptr;
    });
    switcher.setCurrent(3);
    const auto request = testhost::requestsWithCode(141).at(0);
    EXPECT_EQ(request.block.kind, testhost::BlockKind::PointerPointerAndInt);
    EXPECT_EQ(request.block.pointer, fake<7>());
    EXPECT_EQ(request.block.intValue, -1);
    EXPECT_EQ(seenIndex, 3);
    switcher.serverHandle = nullptr;
}

TEST_F(Containers, add_and_insert_tab_hand_the_host_a_factory_for_the_request) {
    PITabWidget tabs(nullptr);
    tabs.serverHandle = fake<7>();
    testhost::clearRequests();
    tabs.addTab("One");
    tabs.insertTab(4, "Two");
    const auto requests = testhost::requestsWithCode(165);
    ASSERT_EQ(requests.size(), 2u);
    const std::vector<std::vector<int32_t>> selectors = {{7}, {8, 4}};
    const std::vector<std::string> labels = {"One", "Two"};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& block = requests[i].block;
        EXPECT_EQ(block.ints, selectors[i]);
        EXPECT_EQ(block.strs, std::vector<std::string>{labels[i]});
        ASSERT_EQ(block.ptrs.size(), 3u);
        EXPECT_EQ(block.ptrs[0], fake<7>());
        EXPECT_EQ(block.ptrs[1], nullptr);
        EXPECT_NE(block.ptrs[2], nullptr) << "the factory";
    }
    tabs.serverHandle = nullptr;
}

TEST_F(Containers, the_host_makes_tab_pages_through_the_factory) {
    testhost::GuiHost host;
    PITabWidget tabs(parent.get());
    ASSERT_NE(tabs.serverHandle, nullptr);
    EXPECT_EQ(host.widget(tabs.serverHandle)->parent, fake<1>());

    PIVerticalFrame* one = tabs.addTab("One");
    ASSERT_NE(one, nullptr);
    EXPECT_NE(dynamic_cast<PIVertFrameWrapper*>(one), nullptr);
    const testhost::Widget* page = host.widget(one->serverHandle);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->proxy, one);
    EXPECT_EQ(page->parent, tabs.serverHandle);
    EXPECT_TRUE(one->ownsServerObject);
    EXPECT_EQ(recordOf(*one), kDefaultLayout);
    EXPECT_EQ(g_PI_GarbageCollector->objects.back(), one) << "listed like any proxy";

    host.pagesOwned = false;
    PIVerticalFrame* zero = tabs.insertTab(0, "Zero");
    EXPECT_FALSE(zero->ownsServerObject);
    EXPECT_EQ(tabs.numTabs(), 2);
    EXPECT_EQ(tabs.tabText(0), "Zero");
    EXPECT_EQ(tabs.tabText(1), "One");
    tabs.setTabText(1, "First");
    EXPECT_EQ(tabs.tabText(1), "First");
    tabs.setCurrent(1);
    EXPECT_EQ(tabs.current(), 1);
    tabs.removeTab(0);
    EXPECT_EQ(tabs.numTabs(), 1);

    testhost::clearRequests();
    const void* zeroHandle = zero->serverHandle;
    delete zero;
    EXPECT_TRUE(testhost::requestsWithCode(142).empty()) << "the page was not the proxy's";
    EXPECT_FALSE(host.widget(zeroHandle)->destroyed);
    delete one;
    EXPECT_TRUE(host.widget(page)->destroyed);
}

// Remembers which dialog it was told about.
class Observer : public PIDialogBox::CloseObserver {
public:
    void dialogBoxClosed(PIDialogBox* dialog) override { closed.push_back(dialog); }
    std::vector<PIDialogBox*> closed;
};

TEST_F(Containers, the_host_tells_registered_close_observers_about_their_dialog) {
    testhost::GuiHost host;
    PIDialogBox dialog("Settings", icon.get());
    ASSERT_NE(dialog.serverHandle, nullptr);
    EXPECT_EQ(host.widget(dialog.serverHandle)->proxy, &dialog) << "bound after creation";
    EXPECT_EQ(host.widget(dialog.serverHandle)->text, "Settings");

    Observer stays, leaves;
    dialog.registerCloseObserver(&stays);
    dialog.registerCloseObserver(&leaves);
    dialog.unregisterCloseObserver(&leaves);
    dialog.show();
    EXPECT_TRUE(dialog.shown());
    host.closeDialog(dialog.serverHandle);
    EXPECT_EQ(stays.closed, std::vector<PIDialogBox*>{&dialog});
    EXPECT_TRUE(leaves.closed.empty());
    EXPECT_FALSE(dialog.shown());

    EXPECT_FALSE(dialog.canBeDockable());
    dialog.setDockable(true);
    EXPECT_FALSE(dialog.isDockable()) << "the host docks only what can be docked";
    dialog.setCanBeDockable(true);
    dialog.setDockable(true);
    EXPECT_TRUE(dialog.canBeDockable());
    EXPECT_TRUE(dialog.isDockable());
}

}  // namespace
