// The one way the library builds and sends a request (internal to the
// library; not installed for plug-ins).
//
// An operation is a few declarative lines: the code, then the values
// appended to each vector in order, then where its answer is read, e.g.
//
//   return PIBridge::CatchAll(PI_SERVERFUNC_SERVICES)
//       .ints(0, 1).strs(serviceName).ptrs(this)
//       .sendForInt(1);
//
// The block lives inside the request object, on the caller's stack, for
// exactly one send.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "bridge/PIDispatch.h"
#include "bridge/PIParameterBlocks.h"

namespace PIBridge {

class CatchAll {
public:
    explicit CatchAll(PIServerFunctions_t code) : code_(code) {}

    // Each call appends its values in one step: a vector filled in one call
    // is allocated exactly once, at its final size.
    template <typename... Ints>
    CatchAll& ints(Ints... values) {
        append(block_.intVector, {static_cast<int32_t>(values)...});
        return *this;
    }
    template <typename... Doubles>
    CatchAll& dbls(Doubles... values) {
        append(block_.dblVector, {static_cast<double>(values)...});
        return *this;
    }
    template <typename... Strings>
    CatchAll& strs(const Strings&... values) {
        std::vector<std::string>& strings = block_.strVector;
        if (strings.capacity() - strings.size() < sizeof...(values)) {
            strings.reserve(std::max(strings.size() + sizeof...(values), 2 * strings.size()));
        }
        (strings.emplace_back(values), ...);
        return *this;
    }
    template <typename... Pointers>
    CatchAll& ptrs(Pointers... values) {
        append(block_.ptrVector, {const_cast<void*>(static_cast<const void*>(values))...});
        return *this;
    }

    // Sends as handle does (context looked up first); returns Call's result.
    void* send() { return dispatch(code_, &block_); }
    // Sends with a null context and no context lookup (override requests only).
    void* sendWithoutContext() { return callFunctionMap(nullptr, code_, &block_); }

    int sendForInt(std::size_t slot) {
        send();
        return block_.intVector[slot];
    }
    bool sendForBool(std::size_t slot) { return sendForInt(slot) != 0; }
    std::string sendForString(std::size_t slot) {
        send();
        return block_.strVector[slot];
    }

    PI_DATA_CATCHALL& block() { return block_; }

private:
    template <typename T>
    static void append(std::vector<T>& vector, std::initializer_list<T> values) {
        if (vector.empty()) {
            std::vector<T>(values).swap(vector);
        } else {
            vector.insert(vector.end(), values);
        }
    }

    PIServerFunctions_t code_;
    PI_DATA_CATCHALL block_;
};

}  // namespace PIBridge
