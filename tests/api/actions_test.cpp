// Actions and hot keys against the recording host: the request of every
// operation, the answers read back, and initializeHotKey's checks.

#include <gtest/gtest.h>

#include <map>

#include "api/PIActions.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::Expected;

constexpr int32_t kActions = 319;

Expected actions(std::vector<int32_t> ints, std::vector<std::string> strs,
                 std::vector<apitest::Pointer> ptrs = {}) {
    return apitest::catchAll(kActions, std::move(ints), std::move(strs), std::move(ptrs));
}

// Answers every request of code 319 by writing `value` into intVector[1]
// or, for the two text results, `text` into strVector[0].
void answerWith(int32_t value, const std::string& text = {}) {
    testhost::respond(kActions, [value, text](testhost::Exchange& e) {
        if (e.selector() == 1 || e.selector() == 7) {
            e.setString(0, text);
        } else {
            e.setInt(1, value);
        }
        return nullptr;
    });
}

class Actions : public apitest::WithHost {};

TEST_F(Actions, every_operation_sends_its_selector_and_entries_in_order) {
    int callbackObject = 0;
    auto* callback = reinterpret_cast<FunctorTwoParams__*>(&callbackObject);
    std::vector<std::string> names;
    const std::string name = "View.Reset";
    const struct {
        const char* operation;
        std::function<void()> call;
        Expected expected;
    } cases[] = {
        {"parseAccelerator", [] { PICommon::parseAccelerator("Ctrl+R"); }, actions({0, 0}, {"Ctrl+R"})},
        {"unparseAccelerator", [] { PICommon::unparseAccelerator(0x80000052u); },
         actions({1, static_cast<int32_t>(0x80000052u)}, {""})},
        {"createAction", [&] { PICommon::createAction(name, "Reset the view", callback); },
         actions({2, 1}, {name, "Reset the view"}, {at(callback)})},
        {"createAction without callback", [&] { PICommon::createAction("", "", nullptr); },
         actions({2, 1}, {"", ""}, {at(nullptr)})},
        {"executeAction", [&] { PICommon::executeAction(name); }, actions({3, 1}, {name})},
        {"doesActionExist", [&] { PICommon::doesActionExist(name); }, actions({4, 0}, {name})},
        {"getHotKey", [&] { PICommon::getHotKey(name, 3); }, actions({5, 0, 3}, {name})},
        {"getHotKey negative index", [&] { PICommon::getHotKey(name, -1); }, actions({5, 0, -1}, {name})},
        {"setHotKey", [&] { PICommon::setHotKey(name, 0x52, 2); }, actions({6, 1, 0x52, 2}, {name})},
        {"getActionForHotKey", [] { PICommon::getActionForHotKey(0x52); }, actions({7, 0x52}, {""})},
        {"isActionEnabled", [&] { PICommon::isActionEnabled(name); }, actions({8, 0}, {name})},
        {"isActionChecked", [&] { PICommon::isActionChecked(name); }, actions({9, 0}, {name})},
        {"isActionShown", [&] { PICommon::isActionShown(name); }, actions({10, 0}, {name})},
        {"loadHotKeyFile", [] { PICommon::loadHotKeyFile("/tmp/keys.hk"); },
         actions({11, 1}, {"/tmp/keys.hk"})},
        {"saveHotKeyFile", [] { PICommon::saveHotKeyFile("/tmp/keys.hk"); }, actions({12}, {"/tmp/keys.hk"})},
        {"setActionEnabled true", [&] { PICommon::setActionEnabled(name, true); },
         actions({13, 1, 1}, {name})},
        {"setActionEnabled false", [&] { PICommon::setActionEnabled(name, false); },
         actions({13, 1, 0}, {name})},
        {"setActionChecked true", [&] { PICommon::setActionChecked(name, true); },
         actions({14, 1, 1}, {name})},
        {"setActionChecked false", [&] { PICommon::setActionChecked(name, false); },
         actions({14, 1, 0}, {name})},
        {"setActionVisible true", [&] { PICommon::setActionVisible(name, true); },
         actions({15, 1, 1}, {name})},
        {"setActionVisible false", [&] { PICommon::setActionVisible(name, false); },
         actions({15, 1, 0}, {name})},
        {"getActionNames", [&] { PICommon::getActionNames(names); }, actions({16}, {}, {at(&names)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext);
    }
}

TEST_F(Actions, statuses_are_read_from_the_result_slot_and_stay_1_when_unanswered) {
    const std::function<int()> operations[] = {
        [] { return PICommon::createAction("a", "b", nullptr); },
        [] { return PICommon::executeAction("a"); },
        [] { return PICommon::setHotKey("a", 1, 0); },
        [] { return PICommon::loadHotKeyFile("f"); },
        [] { return PICommon::setActionEnabled("a", true); },
        [] { return PICommon::setActionChecked("a", true); },
        [] { return PICommon::setActionVisible("a", false); },
    };
    for (std::size_t i = 0; i < std::size(operations); ++i) {
        SCOPED_TRACE(i);
        apitest::expectResultSlot(kActions, operations[i], 1);
    }
}

TEST_F(Actions, predicates_are_true_exactly_when_the_host_writes_non_zero) {
    const std::function<bool()> predicates[] = {
        [] { return PICommon::doesActionExist("a"); },
        [] { return PICommon::isActionEnabled("a"); },
        [] { return PICommon::isActionChecked("a"); },
        [] { return PICommon::isActionShown("a"); },
    };
    for (std::size_t i = 0; i < std::size(predicates); ++i) {
        SCOPED_TRACE(i);
        testhost::respond(kActions, {});
        EXPECT_FALSE(predicates[i]());
        const std::map<int32_t, bool> answers = {{0, false}, {1, true}, {-3, true}, {2, true}};
        for (const auto& [written, expected] : answers) {
            answerWith(written);
            EXPECT_EQ(predicates[i](), expected) << "host wrote " << written;
        }
    }
}

TEST_F(Actions, hot_keys_come_back_with_all_32_bits) {
    EXPECT_EQ(PICommon::parseAccelerator("x"), 0u);
    EXPECT_EQ(PICommon::getHotKey("x", 0), 0u);
    answerWith(static_cast<int32_t>(0xFFFF0052u));
    EXPECT_EQ(PICommon::parseAccelerator("x"), 0xFFFF0052u);
    EXPECT_EQ(PICommon::getHotKey("x", 0), 0xFFFF0052u);
}

TEST_F(Actions, texts_are_copies_of_what_the_host_wrote_into_the_placeholder) {
    EXPECT_EQ(PICommon::unparseAccelerator(0x52), "");
    EXPECT_EQ(PICommon::getActionForHotKey(0x52), "");
    answerWith(0, "Ctrl+R");
    EXPECT_EQ(PICommon::unparseAccelerator(0x52), "Ctrl+R");
    EXPECT_EQ(PICommon::getActionForHotKey(0x52), "Ctrl+R");
}

TEST_F(Actions, the_host_fills_the_callers_list_of_names_without_it_being_cleared) {
    std::vector<std::string> names = {"kept"};
    PICommon::getActionNames(names);
    EXPECT_EQ(names, std::vector<std::string>{"kept"}) << "unanswered";

    testhost::respond(kActions, [](testhost::Exchange& e) {
        static_cast<std::vector<std::string>*>(e.pointerAt(0))->push_back("File.Open");
        return nullptr;
    });
    PICommon::getActionNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "File.Open"}));
}

// A host with a registry of actions and their hot keys at index 0.
struct ActionRegistry {
    std::map<std::string, unsigned int> hotKeyOf;
    int setHotKeyStatus = 0;

    void* answer(testhost::Exchange& e) {
        const auto& block = e.request().block;
        switch (e.selector()) {
        case 4: e.setInt(1, hotKeyOf.count(block.strs[0]) ? 1 : 0); break;
        case 5: e.setInt(1, static_cast<int32_t>(hotKeyOf.at(block.strs[0]))); break;
        case 7:
            for (const auto& [action, key] : hotKeyOf) {
                if (key == static_cast<unsigned int>(block.ints[1])) {
                    e.setString(0, action);
                }
            }
            break;
        case 6:
            if (setHotKeyStatus == 0) {
                hotKeyOf[block.strs[0]] = static_cast<unsigned int>(block.ints[2]);
            }
            e.setInt(1, setHotKeyStatus);
            break;
        }
        return nullptr;
    }
};

TEST_F(Actions, initialize_hot_key_binds_only_when_nothing_is_disturbed) {
    const struct {
        const char* situation;
        std::map<std::string, unsigned int> registry;
        int setHotKeyStatus;
        std::vector<int32_t> selectors;
        int result;
        unsigned int hotKeyAfter;
    } cases[] = {
        {"no such action", {{"Other", 0}}, 0, {4}, 1, 0},
        {"action already has a hot key", {{"Act", 0x41}, {"Other", 0}}, 0, {4, 5}, 2, 0x41},
        {"action already has this very hot key", {{"Act", 0x52}}, 0, {4, 5}, 2, 0x52},
        {"hot key used by another action", {{"Act", 0}, {"Other", 0x52}}, 0, {4, 5, 7}, 3, 0},
        {"free", {{"Act", 0}, {"Other", 0x41}}, 0, {4, 5, 7, 6}, 0, 0x52},
        {"free, but the host refuses", {{"Act", 0}}, 9, {4, 5, 7, 6}, 9, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        ActionRegistry host{c.registry, c.setHotKeyStatus};
        testhost::clearRequests();
        testhost::respond(kActions, [&host](testhost::Exchange& e) { return host.answer(e); });

        EXPECT_EQ(PICommon::initializeHotKey("Act", 0x52), c.result);

        std::vector<int32_t> selectors;
        for (const auto& request : testhost::requestsWithCode(kActions)) {
            selectors.push_back(request.selector());
        }
        EXPECT_EQ(selectors, c.selectors);
        if (host.hotKeyOf.count("Act")) {
            EXPECT_EQ(host.hotKeyOf["Act"], c.hotKeyAfter);
        }
    }
}

TEST_F(Actions, initialize_hot_key_sends_the_four_requests_with_index_0) {
    ActionRegistry host{{{"Act", 0}}, 0};
    apitest::expectRequests([] { EXPECT_EQ(PICommon::initializeHotKey("Act", 0x52), 0); },
                            {
                                actions({4, 0}, {"Act"}),
                                actions({5, 0, 0}, {"Act"}),
                                actions({7, 0x52}, {""}),
                                actions({6, 1, 0x52, 0}, {"Act"}),
                            },
                            apitest::kContext, [&host](testhost::Exchange& e) { return host.answer(e); });
}

}  // namespace
