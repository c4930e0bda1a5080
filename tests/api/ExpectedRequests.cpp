#include "tests/api/ExpectedRequests.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "bridge/PIFunctionMap.h"

namespace apitest {
namespace {

using Via = Pointer::Via;

std::string doubleText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string addressText(const void* address) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(address));
}

// The value of the variable at `address`, read as the expected type while
// the request is being answered.
std::string readThrough(Via via, const void* address) {
    if (address == nullptr) {
        return "(null address)";
    }
    switch (via) {
    case Via::Exact: break;
    case Via::Int: return std::to_string(*static_cast<const int32_t*>(address));
    case Via::ULong: return std::to_string(*static_cast<const unsigned long*>(address));
    case Via::Bool: return *static_cast<const bool*>(address) ? "true" : "false";
    case Via::Double: return doubleText(*static_cast<const double*>(address));
    case Via::VoidPointer: return addressText(*static_cast<const void* const*>(address));
    case Via::String: return *static_cast<const std::string*>(address);
    case Via::Chars: return static_cast<const char*>(address);
    }
    return {};
}

bool dataIsChecked(testhost::BlockKind kind) {
    using testhost::BlockKind;
    switch (kind) {
    case BlockKind::Null:
    case BlockKind::Raw:
    case BlockKind::DirectString:
    case BlockKind::DirectInt: return true;
    default: return false;
    }
}

void expectPointer(const Pointer& expected, const void* actual, const std::string& seen,
                   const std::string& what) {
    SCOPED_TRACE(what);
    if (expected.via == Via::Exact) {
        EXPECT_EQ(actual, expected.exact);
    } else {
        EXPECT_NE(actual, nullptr);
        EXPECT_EQ(seen, expected.value) << "value of the variable at the address, during the request";
    }
}

}  // namespace

void WithHost::SetUp() {
    testhost::reset();
    _initializePluginFunctionMap();
    g_This = kContext;
    testhost::reset();
}

Pointer at(const void* address) { return {Via::Exact, address, {}}; }
Pointer localInt(int32_t value) { return {Via::Int, nullptr, std::to_string(value)}; }
Pointer localULong(unsigned long value) { return {Via::ULong, nullptr, std::to_string(value)}; }
Pointer localBool(bool value) { return {Via::Bool, nullptr, value ? "true" : "false"}; }
Pointer localDouble(double value) { return {Via::Double, nullptr, doubleText(value)}; }
Pointer localPointer(const void* value) { return {Via::VoidPointer, nullptr, addressText(value)}; }
Pointer localString(const std::string& value) { return {Via::String, nullptr, value}; }
Pointer chars(const std::string& text) { return {Via::Chars, nullptr, text}; }

Expected catchAll(int32_t code, std::vector<int32_t> ints, std::vector<std::string> strs,
                  std::vector<Pointer> ptrs, std::vector<double> dbls) {
    Expected e;
    e.code = code;
    e.ints = std::move(ints);
    e.strs = std::move(strs);
    e.ptrs = std::move(ptrs);
    e.dbls = std::move(dbls);
    return e;
}

Expected direct(int32_t code, testhost::BlockKind kind, Pointer data) {
    Expected e;
    e.code = code;
    e.kind = kind;
    e.data = data;
    return e;
}

void expectRequests(const std::function<void()>& call, const std::vector<Expected>& expected,
                    const void* context, const Answer& answer) {
    testhost::clearRequests();
    std::vector<std::vector<std::string>> seenPtrs(expected.size());
    std::vector<std::string> seenData(expected.size());
    std::size_t answered = 0;
    const auto responder = [&](testhost::Exchange& e) -> void* {
        const std::size_t index = answered++;
        if (index < expected.size()) {
            const auto& want = expected[index];
            const auto& ptrs = e.request().block.ptrs;
            seenPtrs[index].resize(ptrs.size());
            for (std::size_t i = 0; i < ptrs.size() && i < want.ptrs.size(); ++i) {
                seenPtrs[index][i] = readThrough(want.ptrs[i].via, ptrs[i]);
            }
            if (want.data.via != Via::Exact) {
                seenData[index] = readThrough(want.data.via, e.data());
            }
        }
        return answer ? answer(e) : nullptr;
    };
    std::set<int32_t> codes;
    for (const auto& want : expected) {
        codes.insert(want.code);
    }
    for (int32_t code : codes) {
        testhost::respond(code, responder);
    }

    call();

    for (int32_t code : codes) {
        testhost::respond(code, {});
    }
    std::vector<testhost::Request> sent;
    for (const auto& request : testhost::requests()) {
        if (request.code != 16) {
            sent.push_back(request);
        }
    }
    ASSERT_EQ(sent.size(), expected.size()) << "number of requests";
    for (std::size_t r = 0; r < expected.size(); ++r) {
        SCOPED_TRACE("request " + std::to_string(r));
        const auto& want = expected[r];
        const auto& got = sent[r];
        EXPECT_EQ(got.code, want.code);
        EXPECT_EQ(got.context, context);
        EXPECT_EQ(testhost::kindName(got.block.kind), std::string(testhost::kindName(want.kind)));
        EXPECT_EQ(got.block.ints, want.ints);
        EXPECT_EQ(got.block.dbls, want.dbls);
        EXPECT_EQ(got.block.strs, want.strs);
        ASSERT_EQ(got.block.ptrs.size(), want.ptrs.size()) << "ptrVector length";
        for (std::size_t i = 0; i < want.ptrs.size(); ++i) {
            expectPointer(want.ptrs[i], got.block.ptrs[i], seenPtrs[r][i],
                          "ptrVector[" + std::to_string(i) + "]");
        }
        if (dataIsChecked(want.kind) || want.data.via != Via::Exact) {
            expectPointer(want.data, got.data, seenData[r], "data argument");
        }
        EXPECT_EQ(got.block.pointer, want.pointer);
        EXPECT_EQ(got.block.stringValue, want.stringValue);
        EXPECT_EQ(got.block.stringValue2, want.stringValue2);
        EXPECT_EQ(got.block.string1, want.string1);
        EXPECT_EQ(got.block.string2, want.string2);
        EXPECT_EQ(got.block.mask, want.mask);
        EXPECT_EQ(got.block.directString, want.directString);
    }
}

void expectResultSlot(int32_t code, const std::function<int()>& call, int32_t preset) {
    testhost::respond(code, {});
    EXPECT_EQ(call(), preset) << "unanswered";
    for (int32_t written : {0, 7, -2}) {
        testhost::respond(code, [written](testhost::Exchange& e) {
            e.setInt(1, written);
            return nullptr;
        });
        EXPECT_EQ(call(), written);
    }
    testhost::respond(code, {});
}

std::vector<int32_t> codesSent() {
    std::vector<int32_t> codes;
    for (const auto& request : testhost::requests()) {
        if (request.code != 16) {
            codes.push_back(request.code);
        }
    }
    return codes;
}

}  // namespace apitest
