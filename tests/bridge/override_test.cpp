// Call-context override requests (code 16) against the recording host.

#include <gtest/gtest.h>

#include <vector>

#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"
#include "hostsim/RecordingHost.h"

namespace {

void* const kContextA = reinterpret_cast<void*>(0xA000);
void* const kContextB = reinterpret_cast<void*>(0xB000);

class OverrideRequests : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        ASSERT_EQ(g_FunctionMap, testhost::functionMap());
        testhost::reset();
    }
};

struct OverrideCase {
    const char* name;
    int (*call)();
    std::vector<int32_t> ints;
    std::vector<const void*> ptrs;
};

int pushA() { return PIBase::pushOverrideThisPointer(kContextA); }
int pushNull() { return PIBase::pushOverrideThisPointer(nullptr); }
int pop() { return PIBase::popOverrideThisPointer(); }

const OverrideCase kStatusRequests[] = {
    {"push", pushA, {1, 1}, {kContextA}},
    {"push null", pushNull, {1, 1}, {nullptr}},
    {"pop", pop, {2, 1}, {}},
};

TEST_F(OverrideRequests, status_requests_go_directly_with_null_context_and_return_the_slot) {
    for (const auto& c : kStatusRequests) {
        SCOPED_TRACE(c.name);
        for (int answer : {-1, 0, 1, 7}) {
            testhost::reset();
            testhost::respond(16, [answer](testhost::Exchange& e) {
                e.setInt(1, answer);
                return reinterpret_cast<void*>(0x99);  // ignored by the library
            });
            EXPECT_EQ(c.call(), answer);
        }
        testhost::reset();
        EXPECT_EQ(c.call(), 1) << "pre-set status when the host leaves the block alone";

        const auto& sent = testhost::requests();
        ASSERT_EQ(sent.size(), 1u) << "no context lookup before an override request";
        EXPECT_EQ(sent[0].code, 16);
        EXPECT_EQ(sent[0].context, nullptr);
        EXPECT_EQ(sent[0].block.kind, testhost::BlockKind::CatchAll);
        EXPECT_EQ(sent[0].block.ints, c.ints);
        EXPECT_EQ(sent[0].block.ptrs, c.ptrs);
        EXPECT_TRUE(sent[0].block.dbls.empty());
        EXPECT_TRUE(sent[0].block.strs.empty());
        EXPECT_EQ(sent[0].block.opts, (std::array<int32_t, 9>{0, 0, 2, 2, 2, 2, 2, 2, 0}));
    }
}

TEST_F(OverrideRequests, get_sends_selector_and_null_entry_and_reads_pointer_back) {
    EXPECT_EQ(PIBase::getOverriddenThisPointer(), nullptr);
    testhost::respond(16, [](testhost::Exchange& e) {
        e.setPointer(0, kContextB);
        return nullptr;
    });
    EXPECT_EQ(PIBase::getOverriddenThisPointer(), kContextB);

    const auto& sent = testhost::requests();
    ASSERT_EQ(sent.size(), 2u);
    for (const auto& request : sent) {
        EXPECT_EQ(request.code, 16);
        EXPECT_EQ(request.context, nullptr);
        EXPECT_EQ(request.block.ints, std::vector<int32_t>{0});
        EXPECT_EQ(request.block.ptrs, std::vector<const void*>{nullptr});
        EXPECT_TRUE(request.block.dbls.empty());
        EXPECT_TRUE(request.block.strs.empty());
    }
}

// A host that keeps an override stack, as the application does.
void installOverrideStack(std::vector<void*>& stack) {
    testhost::respond(16, [&stack](testhost::Exchange& e) -> void* {
        switch (e.selector()) {
        case 0: e.setPointer(0, stack.empty() ? nullptr : stack.back()); break;
        case 1:
            stack.push_back(e.pointerAt(0));
            e.setInt(1, 0);
            break;
        case 2:
            if (!stack.empty()) {
                stack.pop_back();
                e.setInt(1, 0);
            }
            break;
        }
        return nullptr;
    });
}

TEST_F(OverrideRequests, requests_carry_the_override_while_it_is_in_force) {
    std::vector<void*> stack;
    installOverrideStack(stack);
    g_This = kContextA;

    handle(static_cast<PIServerFunctions_t>(900), nullptr);
    ASSERT_EQ(PIBase::pushOverrideThisPointer(kContextB), 0);
    handle(static_cast<PIServerFunctions_t>(901), nullptr);
    ASSERT_EQ(PIBase::popOverrideThisPointer(), 0);
    handle(static_cast<PIServerFunctions_t>(902), nullptr);
    EXPECT_EQ(PIBase::popOverrideThisPointer(), 1) << "nothing left to pop";

    EXPECT_EQ(testhost::requestsWithCode(900).at(0).context, kContextA);
    EXPECT_EQ(testhost::requestsWithCode(901).at(0).context, kContextB);
    EXPECT_EQ(testhost::requestsWithCode(902).at(0).context, kContextA);
}

}  // namespace
