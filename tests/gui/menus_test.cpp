// Menus, icons, the registry, progress dialogs, the mouse grab and
// coordinate translation.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/PIIcon.h"
#include "gui/PIMenus.h"
#include "gui/PIMouse.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "hostsim/GuiHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using namespace guitest;
using namespace PIGUI;

FunctorTwoParams__* const kFunction = static_cast<FunctorTwoParams__*>(fake<9>());
const unsigned char kImage[] = {0x89, 'P', 'N', 'G'};


class Menus : public WithHost {
protected:
    void SetUp() override {
        WithHost::SetUp();
        menu = std::make_unique<PIMenu>();
        menu->serverHandle = fake<1>();
        window = std::make_unique<PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2);
        window->serverHandle = fake<2>();
        icon = std::make_unique<PIIcon>("icon.png");
        icon->serverHandle = fake<3>();
        testhost::clearRequests();
    }
    void TearDown() override {
        menu->serverHandle = nullptr;
        window->serverHandle = nullptr;
        icon->serverHandle = nullptr;
    }
    std::unique_ptr<PIMenu> menu;
    std::unique_ptr<PIWindow> window;
    std::unique_ptr<PIIcon> icon;
};

TEST_F(Menus, each_constructor_sends_its_creation_request_with_the_default_record) {
    struct Case {
        const char* name;
        int32_t code;
        std::function<PIObject*(PIMenu*, PIWindow*)> make;
        std::string creation;
        bool binds;
        bool handleInBlock;  // read back from ptrVector[1], not the return value
    };
    const Case cases[] = {
        {"menu", 103, [](PIMenu* m, PIWindow*) { return new PIMenu("File", m); },
         pointerAndString(103, fake<1>(), "File"), true, false},
        {"menu, null parent", 103, [](PIMenu*, PIWindow*) { return new PIMenu("File"); },
         pointerAndString(103, nullptr, "File"), true, false},
        {"menu item", 105, [](PIMenu* m, PIWindow*) { return new PIMenuItem(m, "Open", kFunction); },
         pointerStringAndFunction(105, fake<1>(), "Open", kFunction), true, false},
        {"menu item, null menu", 105,
         [](PIMenu*, PIWindow*) { return new PIMenuItem(nullptr, "Open", kFunction); },
         pointerStringAndFunction(105, nullptr, "Open", kFunction), true, false},
        {"menu separator", 104, [](PIMenu* m, PIWindow*) { return new PIMenuSeparator(m); },
         direct(104, fake<1>()), false, false},
        {"icon", 158, [](PIMenu*, PIWindow*) { return new PIIcon("open.png"); },
         catchAll(158, {2, 1}, {}, {"open.png"}), false, false},
        {"progress dialog", 162,
         [](PIMenu*, PIWindow* w) { return new PIProgressDialog(w, "Loading", "Please wait", true, 5); },
         catchAll(162, {0, 1, 5}, {fake<2>(), nullptr}, {"Loading", "Please wait"}), true, true},
        {"progress dialog, null parent", 162,
         [](PIMenu*, PIWindow*) { return new PIProgressDialog(nullptr, "a", "b", false, 0); },
         catchAll(162, {0, 0, 0}, {nullptr, nullptr}, {"a", "b"}), true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* answer : {fake<8>(), static_cast<void*>(nullptr)}) {
            testhost::reset();
            const bool inBlock = c.handleInBlock;
            testhost::respond(c.code, [answer, inBlock](testhost::Exchange& e) {
                if (!inBlock) {
                    return answer;
                }
                if (e.selector() == 0) {
                    e.setPointer(1, answer);
                }
                return reinterpret_cast<void*>(0x77);  // not the handle
            });
            PIObject* proxy = c.make(menu.get(), window.get());
            Lines expected = {c.creation};
            if (c.binds) {
                expected.push_back(bind(answer, proxy));
            }
            checkCreated(proxy, expected, answer);
        }
    }
}

TEST_F(Menus, a_separator_without_a_menu_sends_nothing) {
    PIMenuSeparator separator(nullptr);
    EXPECT_EQ(sent(), Lines{addToGarbage(&separator)});
    EXPECT_EQ(separator.serverHandle, nullptr);
}

TEST_F(Menus, constructors_without_arguments_send_nothing_and_keep_the_default_record) {
    const std::vector<std::pair<const char*, std::function<PIWindow*()>>> cases = {
        {"menu", [] { return new PIMenu; }},
        {"menu item", [] { return new PIMenuItem; }},
        {"menu separator", [] { return new PIMenuSeparator; }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        testhost::clearRequests();
        checkBaseOnly(make(), kDefaultLayout);
    }
}

TEST_F(Menus, each_operation_sends_its_request_whatever_the_handle) {
    PIMenuItem item;
    PIProgressDialog progress(nullptr, "", "", false, 0);
    PIIcon* i = icon.get();
    int x = 0, y = 0;
    struct Case {
        const char* name;
        PIObject* proxy;
        std::function<void()> call;
        std::function<Lines(const void* handle)> expected;
    };
    const Case cases[] = {
        {"menu item setIcon", &item, [&] { item.setIcon(i); },
         [](auto h) {
             return Lines{catchAll(158, {0}, {h, fake<3>()})};
         }},
        {"menu item setIcon(null)", &item, [&] { item.setIcon(nullptr); },
         [](auto h) {
             return Lines{catchAll(158, {0}, {h, nullptr})};
         }},
        {"progress show", &progress, [&] { progress.show(); },
         [](auto h) { return Lines{catchAll(162, {1}, {h})}; }},
        {"progress hide", &progress, [&] { progress.hide(); },
         [](auto h) { return Lines{catchAll(162, {2}, {h})}; }},
        {"runWhileEvents", &progress, [&] { progress.runWhileEvents(); },
         [](auto h) { return Lines{catchAll(162, {3}, {h})}; }},
        {"isCanceled", &progress, [&] { progress.isCanceled(); },
         [](auto h) {
             return Lines{catchAll(162, {4, 0}, {h})};
         }},
        {"maximum", &progress, [&] { progress.maximum(); },
         [](auto h) {
             return Lines{catchAll(162, {5, 0}, {h})};
         }},
        {"value", &progress, [&] { progress.value(); },
         [](auto h) {
             return Lines{catchAll(162, {6, 0}, {h})};
         }},
        {"setMaximum", &progress, [&] { progress.setMaximum(100); },
         [](auto h) {
             return Lines{catchAll(162, {7, 100}, {h})};
         }},
        {"setValue", &progress, [&] { progress.setValue(30); },
         [](auto h) {
             return Lines{catchAll(162, {8, 30}, {h})};
         }},
        {"setLabelText", &progress, [&] { progress.setLabelText("Step 2"); },
         [](auto h) { return Lines{catchAll(162, {9}, {h}, {"Step 2"})}; }},
        {"loadByFilename", i, [&] { i->loadByFilename("a.png", false); },
         [](auto) {
             return Lines{catchAll(158, {2, 0}, {}, {"a.png"})};
         }},
        {"loadGIFByArray", i, [&] { i->loadGIFByArray(kImage, true); },
         [](auto) {
             return Lines{catchAll(158, {3, 1}, {kImage})};
         }},
        {"loadBMPByArray", i, [&] { i->loadBMPByArray(kImage, false); },
         [](auto) {
             return Lines{catchAll(158, {4, 0}, {kImage})};
         }},
        {"loadPNGByArray", i, [&] { i->loadPNGByArray(kImage, true); },
         [](auto) {
             return Lines{catchAll(158, {5, 1}, {kImage})};
         }},
        {"grabMouse", nullptr, [] { grabMouse(); }, [](auto) { return Lines{catchAll(155, {0})}; }},
        {"ungrabMouse", nullptr, [] { ungrabMouse(); }, [](auto) { return Lines{catchAll(155, {1})}; }},
        {"translateCoordsFromMainWindow", nullptr, [&] { translateCoordsFromMainWindow(&x, &y, 10, 20); },
         [&](auto) {
             return Lines{catchAll(157, {0, 10, 20}, {&x, &y})};
         }},
        {"registry setValue", nullptr, [] { PIRegistry::setValue("key", "value"); },
         [](auto) { return Lines{pointerStringAndString(101, nullptr, "key", "value")}; }},
        {"registry getValue", nullptr, [] { PIRegistry::getValue("key"); },
         [](auto) { return Lines{pointerAndString(102, nullptr, "key")}; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (void* handle : {fake<7>(), static_cast<void*>(nullptr)}) {
            if (c.proxy != nullptr) {
                c.proxy->serverHandle = handle;
            }
            testhost::clearRequests();
            c.call();
            EXPECT_EQ(sent(), c.expected(handle));
        }
    }
    item.serverHandle = nullptr;
    progress.serverHandle = nullptr;
}

TEST_F(Menus, results_are_the_presets_without_an_answer_and_the_host_values_with_one) {
    PIProgressDialog progress(nullptr, "", "", false, 0);
    const ResultCase cases[] = {
        {"isCanceled", 162, [&] { return std::to_string(progress.isCanceled()); }, "0", setInt1(2), "1"},
        {"maximum", 162, [&] { return std::to_string(progress.maximum()); }, "0", setInt1(100), "100"},
        {"value", 162, [&] { return std::to_string(progress.value()); }, "0", setInt1(30), "30"},
        {"registry getValue", 102, [] { return PIRegistry::getValue("colour"); }, "colour",
         [](testhost::Exchange& e) {
             e.setStringValue("blue");
             return nullptr;
         },
         "blue"},
    };
    checkResults(cases);
}

TEST_F(Menus, each_icon_load_replaces_the_handle_and_reports_a_failed_load) {
    const std::vector<std::pair<const char*, std::function<bool(PIIcon&)>>> loaders = {
        {"file", [](PIIcon& i) { return i.loadByFilename("a.png", true); }},
        {"GIF", [](PIIcon& i) { return i.loadGIFByArray(kImage, true); }},
        {"BMP", [](PIIcon& i) { return i.loadBMPByArray(kImage, true); }},
        {"PNG", [](PIIcon& i) { return i.loadPNGByArray(kImage, true); }},
    };
    for (const auto& [name, load] : loaders) {
        SCOPED_TRACE(name);
        testhost::reset();
        icon->serverHandle = fake<3>();
        EXPECT_TRUE(load(*icon)) << "no host: no icon";
        EXPECT_EQ(icon->serverHandle, nullptr);

        void* next = fake<4>();
        testhost::respond(158, [&next](testhost::Exchange&) { return next; });
        EXPECT_FALSE(load(*icon));
        EXPECT_EQ(icon->serverHandle, fake<4>());
        next = fake<5>();
        EXPECT_FALSE(load(*icon));
        EXPECT_EQ(icon->serverHandle, fake<5>());
        EXPECT_TRUE(testhost::requestsWithCode(142).empty()) << "the replaced icon is not destroyed";
    }
}

TEST_F(Menus, a_progress_dialog_is_hidden_before_it_is_destroyed) {
    auto* progress = new PIProgressDialog(window.get(), "", "", false, 0);
    progress->serverHandle = fake<6>();
    const std::string remove = removeFromGarbage(progress);
    testhost::clearRequests();
    delete progress;
    EXPECT_EQ(sent(), (Lines{catchAll(162, {2}, {fake<6>()}), direct(142, fake<6>()), remove}));
}

TEST_F(Menus, the_registry_has_no_server_object_and_never_asks_for_one_to_be_destroyed) {
    auto* registry = new PIRegistry;
    EXPECT_EQ(sent(), Lines{addToGarbage(registry)});
    EXPECT_EQ(registry->serverHandle, nullptr);
    EXPECT_FALSE(registry->ownsServerObject);
    registry->serverHandle = fake<6>();
    const std::string remove = removeFromGarbage(registry);
    testhost::clearRequests();
    delete registry;
    EXPECT_EQ(sent(), Lines{remove});
}

TEST_F(Menus, translation_leaves_the_outputs_alone_without_an_answer) {
    int x = -5, y = -6;
    translateCoordsFromMainWindow(&x, &y, 300, 200);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(-5, -6));
}

TEST_F(Menus, handles_flow_from_parent_proxies_into_their_childrens_creation) {
    testhost::GuiHost host;
    PIMenu file("File");
    PIMenu recent("Recent", &file);
    PIMenuItem open(&file, "Open", kFunction);
    PIMenuSeparator separator(&file);
    EXPECT_EQ(host.widget(file.serverHandle)->proxy, &file);
    EXPECT_EQ(host.widget(recent.serverHandle)->parent, file.serverHandle);
    EXPECT_EQ(host.widget(open.serverHandle)->parent, file.serverHandle);
    EXPECT_EQ(host.widget(open.serverHandle)->proxy, &open);
    EXPECT_EQ(host.widget(open.serverHandle)->function, kFunction);
    EXPECT_EQ(host.widget(separator.serverHandle)->parent, file.serverHandle);
    EXPECT_EQ(host.widget(separator.serverHandle)->proxy, nullptr) << "separators are not bound";

    PIIcon openIcon("open.png");
    ASSERT_NE(openIcon.serverHandle, nullptr);
    EXPECT_EQ(host.widget(openIcon.serverHandle)->text, "open.png");
    open.setIcon(&openIcon);
    EXPECT_EQ(host.widget(open.serverHandle)->icon, openIcon.serverHandle);
    EXPECT_TRUE(openIcon.loadByFilename("", true)) << "nothing to load";
    EXPECT_EQ(openIcon.serverHandle, nullptr);
}

}  // namespace
