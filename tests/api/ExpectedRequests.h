// Checking the requests an operation sends against a table of expected
// requests, as the recording host read them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/RecordingHost.h"

namespace apitest {

// The context every request of a WithHost test carries.
inline void* const kContext = reinterpret_cast<void*>(0xC0DE);

// The recording host is attached and answers nothing until told to; the
// default context is kContext and no override is in force.
class WithHost : public ::testing::Test {
protected:
    void SetUp() override;
};

// An expected pointer (a ptrVector entry or the data argument): either an
// exact address, or the address of a variable of the library's own that
// holds a given value while the host answers.
struct Pointer {
    enum class Via { Exact, Int, ULong, Bool, Double, VoidPointer, String, Chars };
    Via via = Via::Exact;
    const void* exact = nullptr;
    std::string value;  // the local's value as text, for Via other than Exact
};

Pointer at(const void* address);
Pointer localInt(int32_t value);
Pointer localULong(unsigned long value);
Pointer localBool(bool value);
Pointer localDouble(double value);
Pointer localPointer(const void* value);
Pointer localString(const std::string& value);
// NUL-terminated characters equal to `text` (the data of a request that
// carries a string's characters).
Pointer chars(const std::string& text);

struct Expected {
    int32_t code = 0;
    testhost::BlockKind kind = testhost::BlockKind::CatchAll;
    std::vector<int32_t> ints;
    std::vector<double> dbls;
    std::vector<std::string> strs;
    std::vector<Pointer> ptrs;
    Pointer data;  // checked for direct requests and null data only
    // Fixed-field and direct blocks.
    const void* pointer = nullptr;
    std::string stringValue;
    std::string stringValue2;
    std::string string1;
    std::string string2;
    uint32_t mask = 0;
    std::string directString;
};

// A PI_DATA_CATCHALL request with these vectors.
Expected catchAll(int32_t code, std::vector<int32_t> ints, std::vector<std::string> strs = {},
                  std::vector<Pointer> ptrs = {}, std::vector<double> dbls = {});
// A direct request: `data` is null, or the address of one object of `kind`.
Expected direct(int32_t code, testhost::BlockKind kind, Pointer data);

using Answer = std::function<void*(testhost::Exchange&)>;

// Runs `call` and checks that it made exactly the `expected` requests in
// order (context lookups aside), each with `context`. Every request is
// answered by `answer` when given, after its pointers were checked, and left
// alone otherwise. Responders already installed are replaced.
void expectRequests(const std::function<void()>& call, const std::vector<Expected>& expected,
                    const void* context, const Answer& answer = {});

// Checks that `call` returns intVector[1] of its request with `code`:
// `preset` when the host leaves the block alone, else what the host wrote.
void expectResultSlot(int32_t code, const std::function<int()>& call, int32_t preset);

// The codes of the requests made since the last reset, context lookups aside.
std::vector<int32_t> codesSent();

}  // namespace apitest
