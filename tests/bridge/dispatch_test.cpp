// Finding the host's function map and dispatching through it.

#include <gtest/gtest.h>

#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"
#include "hostsim/RecordingHost.h"
#include "tests/support/CapturedOutput.h"

namespace {

void* const kHostContext = reinterpret_cast<void*>(0xC0);
void* const kLoaderContext = reinterpret_cast<void*>(0xD0);
const PIServerFunctions_t kSomeCode = static_cast<PIServerFunctions_t>(4321);

void reportContext(void* context) {
    testhost::respond(16, [context](testhost::Exchange& e) {
        if (e.selector() == 0) {
            e.setPointer(0, context);
        }
        return nullptr;
    });
}

// These cases start from the state of a freshly loaded library; ctest runs
// each case in its own process.
class FreshProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(g_FunctionMap, nullptr) << "run this case in a process of its own (ctest does)";
        ASSERT_EQ(g_This, nullptr);
        testhost::reset();
    }
};

TEST_F(FreshProcess, initialisation_stores_the_host_map_and_the_context_it_reports) {
    reportContext(kHostContext);
    _initializePluginFunctionMap();

    EXPECT_EQ(g_FunctionMap, testhost::functionMap());
    EXPECT_EQ(g_This, kHostContext);
    const auto& sent = testhost::requests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 16);
    EXPECT_EQ(sent[0].context, nullptr);
    EXPECT_EQ(sent[0].block.ints, std::vector<int32_t>{0});
}

TEST_F(FreshProcess, initialisation_keeps_a_context_a_loader_wrote) {
    g_This = kLoaderContext;
    reportContext(kHostContext);
    _initializePluginFunctionMap();

    EXPECT_EQ(g_FunctionMap, testhost::functionMap());
    EXPECT_EQ(g_This, kLoaderContext);
    EXPECT_TRUE(testhost::requests().empty()) << "no context lookup when g_This is already set";
}

TEST_F(FreshProcess, initialisation_keeps_a_map_a_loader_wrote) {
    IgnoreFunctor loaderMap;
    g_FunctionMap = &loaderMap;
    _initializePluginFunctionMap();

    EXPECT_EQ(g_FunctionMap, &loaderMap);
    EXPECT_EQ(g_This, nullptr);
    EXPECT_TRUE(testhost::requests().empty());
    g_FunctionMap = nullptr;  // the map dies with this scope
}

TEST_F(FreshProcess, initialisation_twice_changes_nothing) {
    reportContext(kHostContext);
    _initializePluginFunctionMap();
    reportContext(kLoaderContext);
    _initializePluginFunctionMap();

    EXPECT_EQ(g_This, kHostContext);
    EXPECT_EQ(testhost::requests().size(), 1u);
}

TEST_F(FreshProcess, debug_ignore_does_not_replace_a_host) {
    _initializePluginFunctionMap();
    const auto output = pitest::captureOutput([] {
        __setDebugIgnore();
        __setDebugIgnore(true);
    });
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(g_FunctionMap, testhost::functionMap());
}

TEST_F(FreshProcess, initialisation_does_not_replace_the_ignore_map) {
    __setDebugIgnore(true);
    Functor__* const ignoreMap = g_FunctionMap;
    ASSERT_NE(dynamic_cast<IgnoreFunctor*>(ignoreMap), nullptr);
    _initializePluginFunctionMap();

    EXPECT_EQ(g_FunctionMap, ignoreMap);
    EXPECT_EQ(g_This, nullptr);
    EXPECT_TRUE(testhost::requests().empty());
}

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        testhost::reset();
    }
};

TEST_F(Dispatch, handle_looks_up_the_context_then_sends_the_request_through_call) {
    PI_DATA_CATCHALL block;
    g_This = kLoaderContext;
    const auto output = pitest::captureOutput([&] { handle(kSomeCode, &block); });

    EXPECT_EQ(output.err, "");
    const auto& sent = testhost::requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].code, 16);
    EXPECT_EQ(sent[0].context, nullptr);
    EXPECT_EQ(sent[0].block.ints, std::vector<int32_t>{0});
    EXPECT_EQ(sent[1].code, kSomeCode);
    EXPECT_EQ(sent[1].context, kLoaderContext);
    EXPECT_EQ(sent[1].data, &block);
    EXPECT_EQ(testhost::slotZeroCalls(), 0) << "the library only calls slot 1";
}

TEST_F(Dispatch, handle_carries_the_override_when_there_is_one_else_g_this) {
    struct Case {
        void* override;
        void* defaultContext;
        void* expected;
    };
    const Case cases[] = {
        {kHostContext, kLoaderContext, kHostContext},
        {nullptr, kLoaderContext, kLoaderContext},
        {kHostContext, nullptr, kHostContext},
        {nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        testhost::reset();
        reportContext(c.override);
        g_This = c.defaultContext;
        handle(kSomeCode, nullptr);
        ASSERT_EQ(testhost::requestsWithCode(kSomeCode).size(), 1u);
        EXPECT_EQ(testhost::requestsWithCode(kSomeCode)[0].context, c.expected);
    }
}

TEST_F(Dispatch, handle_returns_exactly_what_call_returned) {
    for (void* answer : {static_cast<void*>(nullptr), reinterpret_cast<void*>(0x1), kHostContext}) {
        testhost::respond(kSomeCode, [answer](testhost::Exchange&) { return answer; });
        EXPECT_EQ(handle(kSomeCode, nullptr), answer);
    }
}

TEST_F(Dispatch, a_request_made_while_answering_a_request_is_recorded_after_it) {
    testhost::respond(kSomeCode, [](testhost::Exchange&) {
        return handle(static_cast<PIServerFunctions_t>(kSomeCode + 1), nullptr);
    });
    handle(kSomeCode, nullptr);
    std::vector<int32_t> codes;
    for (const auto& request : testhost::requests()) {
        codes.push_back(request.code);
    }
    EXPECT_EQ(codes, (std::vector<int32_t>{16, kSomeCode, 16, kSomeCode + 1}));
}

TEST_F(Dispatch, the_observer_sees_each_request_as_answered_after_the_requests_it_caused) {
    const auto kCatchAllCode = static_cast<PIServerFunctions_t>(322);
    testhost::respond(kCatchAllCode, [](testhost::Exchange& e) {
        e.setInt(1, 0);
        return handle(kSomeCode, nullptr);
    });
    testhost::respond(kSomeCode, [](testhost::Exchange&) { return kHostContext; });
    struct Seen {
        int32_t code;
        std::vector<int32_t> sentInts;
        std::vector<int32_t> answeredInts;
        void* result;
    };
    std::vector<Seen> seen;
    testhost::observe([&](const testhost::Request& request, const testhost::Block& answered, void* result) {
        seen.push_back({request.code, request.block.ints, answered.ints, result});
    });

    PI_DATA_CATCHALL block;
    block.intVector = {4, 1};
    handle(kCatchAllCode, &block);

    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].code, 16);
    EXPECT_EQ(seen[1].code, 16);
    EXPECT_EQ(seen[2].code, kSomeCode);
    EXPECT_EQ(seen[2].result, kHostContext);
    EXPECT_EQ(seen[3].code, kCatchAllCode);
    EXPECT_EQ(seen[3].sentInts, (std::vector<int32_t>{4, 1}));
    EXPECT_EQ(seen[3].answeredInts, (std::vector<int32_t>{4, 0}));
    EXPECT_EQ(seen[3].result, kHostContext);
}

}  // namespace
