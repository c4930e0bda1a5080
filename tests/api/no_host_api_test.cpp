// The application API in a process without a host, and in debug/ignore
// mode: every operation answers its pre-set default.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "api/PIActions.h"
#include "bridge/PIFunctionMap.h"
#include "tests/support/CapturedOutput.h"

namespace {

std::string text(int value) { return std::to_string(value); }
std::string text(unsigned int value) { return std::to_string(value) + "u"; }
std::string text(bool value) { return value ? "true" : "false"; }
std::string text(const std::string& value) { return '"' + value + '"'; }
std::string text(const std::vector<std::string>& values) {
    std::string joined;
    for (const auto& value : values) {
        joined += text(value) + ";";
    }
    return joined;
}

struct Case {
    const char* operation;
    std::function<std::string()> call;
    std::string result;  // the pre-set default, as text
    int requests = 1;    // requests made, each reported twice without a host
};

std::vector<Case> everyOperation() {
    return {
        {"parseAccelerator", [] { return text(PICommon::parseAccelerator("Ctrl+R")); }, "0u"},
        {"unparseAccelerator", [] { return text(PICommon::unparseAccelerator(0x52)); }, "\"\""},
        {"createAction", [] { return text(PICommon::createAction("a", "b", nullptr)); }, "1"},
        {"executeAction", [] { return text(PICommon::executeAction("a")); }, "1"},
        {"doesActionExist", [] { return text(PICommon::doesActionExist("a")); }, "false"},
        {"getHotKey", [] { return text(PICommon::getHotKey("a", 0)); }, "0u"},
        {"setHotKey", [] { return text(PICommon::setHotKey("a", 0x52, 0)); }, "1"},
        {"getActionForHotKey", [] { return text(PICommon::getActionForHotKey(0x52)); }, "\"\""},
        {"isActionEnabled", [] { return text(PICommon::isActionEnabled("a")); }, "false"},
        {"isActionChecked", [] { return text(PICommon::isActionChecked("a")); }, "false"},
        {"isActionShown", [] { return text(PICommon::isActionShown("a")); }, "false"},
        {"loadHotKeyFile", [] { return text(PICommon::loadHotKeyFile("f")); }, "1"},
        {"saveHotKeyFile",
         [] {
             PICommon::saveHotKeyFile("f");
             return std::string();
         },
         ""},
        {"setActionEnabled", [] { return text(PICommon::setActionEnabled("a", true)); }, "1"},
        {"setActionChecked", [] { return text(PICommon::setActionChecked("a", true)); }, "1"},
        {"setActionVisible", [] { return text(PICommon::setActionVisible("a", true)); }, "1"},
        {"getActionNames",
         [] {
             std::vector<std::string> names = {"x", "y"};
             PICommon::getActionNames(names);
             return text(names);
         },
         "\"x\";\"y\";"},
        {"initializeHotKey", [] { return text(PICommon::initializeHotKey("a", 0x52)); }, "1"},
    };
}

std::string repeated(const std::string& message, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += message;
    }
    return all;
}

TEST(ApiWithoutHost, every_operation_reports_the_missing_host_and_returns_its_default) {
    _initializePluginFunctionMap();
    ASSERT_EQ(g_FunctionMap, nullptr) << "this process must not contain a host";
    for (const auto& c : everyOperation()) {
        SCOPED_TRACE(c.operation);
        std::string result;
        const auto output = pitest::captureOutput([&] { result = c.call(); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(output.err, repeated(pitest::kNoHostMessage, 2 * c.requests));
        EXPECT_EQ(output.out, "");
    }
}

TEST(ApiInDebugIgnoreMode, every_operation_silently_returns_its_default) {
    __setDebugIgnore(true);
    for (const auto& c : everyOperation()) {
        SCOPED_TRACE(c.operation);
        std::string result;
        const auto output = pitest::captureOutput([&] { result = c.call(); });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(output.err, "");
        EXPECT_EQ(output.out, "");
    }
}

}  // namespace
