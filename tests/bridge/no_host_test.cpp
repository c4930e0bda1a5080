// A process without a host: SPI_GetFunctionMap is nowhere to be found.

#include <gtest/gtest.h>

#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIRequest.h"
#include "tests/support/CapturedOutput.h"

namespace {

const PIServerFunctions_t kSomeCode = static_cast<PIServerFunctions_t>(4321);

class NoHost : public ::testing::Test {
protected:
    void SetUp() override {
        _initializePluginFunctionMap();
        ASSERT_EQ(g_FunctionMap, nullptr) << "this process must not contain a host";
    }
};

TEST_F(NoHost, initialisation_finds_nothing_and_says_nothing) {
    const auto output = pitest::captureOutput([] { _initializePluginFunctionMap(); });
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(g_FunctionMap, nullptr);
    EXPECT_EQ(g_This, nullptr);
}

TEST_F(NoHost, a_request_through_handle_writes_the_message_twice_and_returns_null) {
    void* result = reinterpret_cast<void*>(1);
    const auto output = pitest::captureOutput([&] { result = handle(kSomeCode, nullptr); });
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(output.err, pitest::kNoHostMessage + pitest::kNoHostMessage);
    EXPECT_EQ(output.out, "");
}

TEST_F(NoHost, a_block_comes_back_with_its_preset_slots) {
    int status = 0;
    std::string text;
    const auto output = pitest::captureOutput([&] {
        status = PIBridge::CatchAll(kSomeCode).ints(4, 1).sendForInt(1);
        text = PIBridge::CatchAll(kSomeCode).strs("Unknown").sendForString(0);
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Unknown");
    EXPECT_EQ(output.err, pitest::kNoHostMessage + pitest::kNoHostMessage + pitest::kNoHostMessage +
                              pitest::kNoHostMessage);
}

TEST_F(NoHost, override_requests_write_the_message_once_and_return_their_defaults) {
    struct Case {
        const char* name;
        std::function<void()> call;
    };
    void* overridden = reinterpret_cast<void*>(1);
    int pushed = 0;
    int popped = 0;
    const Case cases[] = {
        {"get", [&] { overridden = PIBase::getOverriddenThisPointer(); }},
        {"push", [&] { pushed = PIBase::pushOverrideThisPointer(&pushed); }},
        {"pop", [&] { popped = PIBase::popOverrideThisPointer(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto output = pitest::captureOutput(c.call);
        EXPECT_EQ(output.err, pitest::kNoHostMessage);
        EXPECT_EQ(output.out, "");
    }
    EXPECT_EQ(overridden, nullptr);
    EXPECT_EQ(pushed, 1);
    EXPECT_EQ(popped, 1);
}

}  // namespace
