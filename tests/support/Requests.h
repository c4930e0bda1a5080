// What the C++ tests share: the recording host attached (or no host at all),
// every request the host received written as one line of text, and one
// runner for tables of operations.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bridge/PIFunctionMap.h"
#include "gui/PIObject.h"
#include "hostsim/RecordingHost.h"

namespace pitest {

// The context every request of a WithHost test carries.
inline void* const kContext = reinterpret_cast<void*>(0xC0DE);

// Stand-ins the tests hand to the library, never dereferenced; a request
// line shows fake<N>() as "fN".
template <int N>
void* fake() {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 * N));
}

// Names one of the test's addresses in request lines until the next WithHost
// set-up (an empty name forgets it); others show as "&", null as "0".
void name(const void* address, const std::string& shown);
std::string ptr(const void* address);

// "code kind fields...": the block's class and exactly its fields in their
// order, strings quoted; a catch-all's empty vectors (but the integers) are
// left out, and the layout record shows only when it is not the default.
std::string describe(const testhost::Request& request);

using Lines = std::vector<std::string>;
// The requests received since the last clear, context lookups (code 16) left out.
Lines sent();

// Answers null after `body` wrote into the block; setInt1 writes `value`
// into intVector[1], setString0 into strVector[0].
testhost::Responder writes(std::function<void(testhost::Exchange&)> body);
testhost::Responder setInt1(int32_t value);
testhost::Responder setString0(std::string value);

// The recording host is attached and answers nothing until told to; the
// default context is kContext and no override is in force.
class WithHost : public ::testing::Test {
protected:
    void SetUp() override;
};

// The function map was never looked up, as in a process without a host.
class NoHost : public ::testing::Test {
protected:
    void SetUp() override;
};

// The library's message for a request made without a function map.
inline const std::string kNoHostMessage =
    "Invalid Plug-in API Support Function Map.  Plug-in API calls are being made outside of the "
    "context of a loaded plug-in.\nAPI service request has not been processed.\n";
std::string noHostMessages(std::size_t requests);  // each request also looks up its context

struct CapturedOutput {
    std::string out;
    std::string err;
};
// What `body` writes to standard output and error, at the descriptor level.
CapturedOutput captureOutput(const std::function<void()>& body);

// One operation: its call (the result as text), the requests it sends, its
// result while the host leaves the blocks alone, and, when `answer` is set
// (installed for every code in `sent`), its result with that answer.
// With `proxy`, the call is made with the proxy's handle fake<7>() ("f7"),
// then with a null handle: an operation that `needsHandle` then sends
// nothing and answers its preset, the others send the same with "0".
struct Op {
    const char* name;
    std::function<std::string()> call;
    Lines sent;
    std::string preset = {};
    testhost::Responder answer = {};
    std::string answered = {};
    PIObject* proxy = nullptr;
    bool needsHandle = false;
};
// Appends `rows`, made on `proxy` unless a row names its own.
void append(std::vector<Op>& ops, PIObject* proxy, bool needsHandle, std::vector<Op> rows);
void checkWithHost(const std::vector<Op>& ops);
// Every request reported once per request and context lookup, then, with
// debug/ignore mode switched on for good, nothing at all; every result its preset.
void checkWithoutHost(const std::vector<Op>& ops);

// Results as text, for Op::call.
inline std::string text(const std::string& value) { return value; }
inline std::string text(const char* value) { return value; }
inline std::string text(bool value) { return value ? "true" : "false"; }
inline std::string text(const void* value) { return ptr(value); }
std::string text(double value);
template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number> || std::is_enum_v<Number>>>
std::string text(Number value) {
    return std::to_string(static_cast<long long>(value));
}

}  // namespace pitest

// An Op's name and call: a call whose result is `expr`, and one that
// returns nothing.
#define PI_RET(...) #__VA_ARGS__, [&] { return pitest::text(__VA_ARGS__); }
#define PI_DO(...) \
#__VA_ARGS__, [&] {       \
        __VA_ARGS__;          \
        return std::string(); \
    }
