// Proxy lifetime: the server garbage requests, the library's collector with
// its three states, and the destroy request.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gui/PIObject.h"
#include "gui/PIWindow.h"
#include "hostsim/GuiHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace {

using guitest::addToGarbage;
using guitest::catchAll;
using guitest::direct;
using guitest::fake;
using guitest::removeFromGarbage;
using guitest::sent;


PIGUI::PIWindow* newWindow() { return new PIGUI::PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2); }

class Lifetime : public guitest::WithHost {};

TEST_F(Lifetime, the_garbage_requests_carry_the_object_and_return_the_host_answer) {
    PIObject object;
    testhost::clearRequests();
    EXPECT_EQ(PIGUI::AddObjectToServerGarbage(&object), 1) << "pre-set when the host does not answer";
    EXPECT_EQ(PIGUI::RemoveObjectFromServerGarbage(&object), 1);
    EXPECT_EQ(sent(), (std::vector<std::string>{addToGarbage(&object), removeFromGarbage(&object)}));

    testhost::respond(168, [](testhost::Exchange& e) {
        e.setInt(1, e.selector() == 0 ? 0 : 7);
        return nullptr;
    });
    EXPECT_EQ(PIGUI::AddObjectToServerGarbage(&object), 0);
    EXPECT_EQ(PIGUI::RemoveObjectFromServerGarbage(&object), 7);
}

TEST_F(Lifetime, a_proxy_the_host_declines_is_listed_by_a_collector_created_once) {
    ASSERT_EQ(g_PI_GarbageCollector, nullptr);
    auto* first = newWindow();
    ASSERT_NE(g_PI_GarbageCollector, nullptr);
    PIGarbageCollector* collector = g_PI_GarbageCollector;
    EXPECT_FALSE(collector->destroying);
    auto* second = newWindow();
    auto* third = newWindow();
    EXPECT_EQ(g_PI_GarbageCollector, collector);
    EXPECT_EQ(collector->objects, (std::vector<PIObject*>{first, second, third}));
    EXPECT_EQ(sent(),
              (std::vector<std::string>{addToGarbage(first), addToGarbage(second), addToGarbage(third)}))
        << "construction sends nothing but the add request";

    EXPECT_EQ(first->serverHandle, nullptr);
    EXPECT_TRUE(first->ownsServerObject);
    delete collector;
}

TEST_F(Lifetime, a_proxy_the_host_takes_is_not_listed_and_no_collector_is_made) {
    testhost::GuiHost host;
    host.takeGarbage = true;
    auto* window = newWindow();
    EXPECT_EQ(g_PI_GarbageCollector, nullptr);
    EXPECT_EQ(host.serverGarbage, std::vector<const void*>{window});

    delete window;
    EXPECT_TRUE(host.serverGarbage.empty()) << "the destructor withdrew it";
    EXPECT_EQ(g_PI_GarbageCollector, nullptr);
}

TEST_F(Lifetime, the_collector_deletes_from_last_to_first_with_remove_but_no_destroy_requests) {
    std::vector<std::uintptr_t> addresses;
    for (void* handle : {fake<1>(), fake<2>(), fake<3>()}) {
        auto* window = newWindow();
        window->serverHandle = handle;
        addresses.push_back(reinterpret_cast<std::uintptr_t>(window));
    }
    testhost::clearRequests();

    delete g_PI_GarbageCollector;

    std::vector<std::uintptr_t> removed;
    for (const auto& request : testhost::requests()) {
        EXPECT_NE(request.code, 142) << "the collector never asks the host to destroy";
        if (request.code == 168) {
            EXPECT_EQ(request.block.ints, (std::vector<int32_t>{1, 1}));
            removed.push_back(reinterpret_cast<std::uintptr_t>(request.block.ptrs.at(0)));
        }
    }
    EXPECT_EQ(removed, (std::vector<std::uintptr_t>{addresses[2], addresses[1], addresses[0]}));
    EXPECT_EQ(g_PI_GarbageCollector, nullptr) << "a deleted collector is no longer reachable";
}

TEST_F(Lifetime, deleting_a_proxy_erases_its_first_entry_and_clears_any_other_so_the_collector_skips_it) {
    auto* a = newWindow();
    auto* b = newWindow();
    auto& objects = g_PI_GarbageCollector->objects;
    objects.push_back(a);

    delete a;
    ASSERT_EQ(objects, (std::vector<PIObject*>{b, nullptr}));

    testhost::clearRequests();
    delete g_PI_GarbageCollector;
    EXPECT_EQ(testhost::requestsWithCode(168).size(), 1u) << "b only";
}

// A proxy that deletes another proxy from its destructor, as a dialog that
// owns its controls may.
class Owner : public PIGUI::PIWindow {
public:
    explicit Owner(PIGUI::PIWindow* owned) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2), owned_(owned) {}
    ~Owner() override { delete owned_; }

private:
    PIGUI::PIWindow* owned_;
};

TEST_F(Lifetime, the_collector_deletes_each_proxy_once_when_one_deletes_another_or_is_listed_twice) {
    auto* owned = newWindow();
    auto* owner = new Owner(owned);
    auto* twice = newWindow();
    g_PI_GarbageCollector->objects.push_back(twice);
    const std::vector<const void*> expected{twice, owned, owner};
    testhost::clearRequests();

    delete g_PI_GarbageCollector;

    std::vector<const void*> removed;
    for (const auto& request : testhost::requestsWithCode(168)) {
        removed.push_back(request.block.ptrs.at(0));
    }
    EXPECT_EQ(removed, expected) << "one remove request per proxy: none deleted twice";
}

TEST_F(Lifetime, the_destroy_request_goes_out_only_for_an_owned_non_null_handle) {
    struct Case {
        const char* name;
        void* handle;
        bool owns;
    };
    for (const auto& c : {Case{"owned", fake<5>(), true}, Case{"not owned", fake<5>(), false},
                          Case{"null handle", nullptr, true}}) {
        SCOPED_TRACE(c.name);
        auto* window = newWindow();
        window->serverHandle = c.handle;
        window->ownsServerObject = c.owns;
        const std::string remove = removeFromGarbage(window);
        testhost::clearRequests();
        delete window;
        if (c.owns && c.handle != nullptr) {
            EXPECT_EQ(sent(), (std::vector<std::string>{direct(142, c.handle), remove}));
        } else {
            EXPECT_EQ(sent(), std::vector<std::string>{remove});
        }
    }
    EXPECT_TRUE(g_PI_GarbageCollector->objects.empty());
}

// A proxy that builds another one while it is being destroyed.
class Spawner : public PIGUI::PIWindow {
public:
    explicit Spawner(PIGUI::PIWindow** spawned) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2), spawned_(spawned) {}
    ~Spawner() override {
        *spawned_ = newWindow();
        listedWhileDestroying = g_PI_GarbageCollector->objects.back() == *spawned_;
    }
    static inline bool listedWhileDestroying = true;

private:
    PIGUI::PIWindow** spawned_;
};

TEST_F(Lifetime, a_proxy_built_while_the_collector_is_destroying_is_left_to_its_creator) {
    PIGUI::PIWindow* spawned = nullptr;
    auto* spawner = new Spawner(&spawned);
    ASSERT_EQ(g_PI_GarbageCollector->objects, std::vector<PIObject*>{spawner});

    delete g_PI_GarbageCollector;
    ASSERT_NE(spawned, nullptr);
    EXPECT_FALSE(Spawner::listedWhileDestroying);

    testhost::clearRequests();
    delete spawned;
    EXPECT_EQ(sent(), std::vector<std::string>{removeFromGarbage(spawned)});
}

TEST_F(Lifetime, deleting_the_collector_after_the_plugin_deleted_a_proxy_does_not_touch_it_again) {
    const auto kept = reinterpret_cast<std::uintptr_t>(newWindow());
    delete newWindow();
    testhost::clearRequests();

    delete g_PI_GarbageCollector;
    const auto removes = testhost::requestsWithCode(168);
    ASSERT_EQ(removes.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(removes[0].block.ptrs.at(0)), kept);
}

}  // namespace
