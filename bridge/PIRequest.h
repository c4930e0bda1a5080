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

#include <cstddef>
#include <string>
#include <utility>

#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"

namespace PIBridge {

// Calls the function map's Call with exactly these arguments and returns its
// result. Without a function map: writes the no-host message to standard
// error and returns null.
void* callFunctionMap(void* context, PIServerFunctions_t code, void* data);

class CatchAll {
public:
    explicit CatchAll(PIServerFunctions_t code) : code_(code) {}

    template <typename... Ints>
    CatchAll& ints(Ints... values) {
        (block_.intVector.push_back(static_cast<int32_t>(values)), ...);
        return *this;
    }
    template <typename... Doubles>
    CatchAll& dbls(Doubles... values) {
        (block_.dblVector.push_back(static_cast<double>(values)), ...);
        return *this;
    }
    template <typename... Strings>
    CatchAll& strs(const Strings&... values) {
        (block_.strVector.emplace_back(values), ...);
        return *this;
    }
    template <typename... Pointers>
    CatchAll& ptrs(Pointers... values) {
        (block_.ptrVector.push_back(const_cast<void*>(static_cast<const void*>(values))), ...);
        return *this;
    }

    // Sends through handle (context looked up first); returns Call's result.
    void* send() { return handle(code_, &block_); }
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
    PIServerFunctions_t code_;
    PI_DATA_CATCHALL block_;
};

}  // namespace PIBridge
