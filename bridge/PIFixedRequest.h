// Requests with a fixed-field block (internal to the library; not installed
// for plug-ins).
//
// Like PIBridge::CatchAll, an operation is a few declarative lines: the code,
// the block's fields in declaration order, then where the answer is read, e.g.
//
//   return PIBridge::Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_WINDOW_GET_INT)
//       .fields(serverHandle, -1)
//       .sendFor(&PI_DATA_POINTER_AND_INT::intValue);
//
// fields() takes exactly the block's fields after `opts`, in their order, so
// a block can only be filled completely and in the order the host reads it.
#pragma once

#include <string>
#include <utility>

#include "bridge/PIDispatch.h"
#include "bridge/PILayoutOpts.h"
#include "bridge/PIParameterBlocks.h"

namespace PIBridge {

// The fields of each fixed-field block, in declaration order.
inline void fill(PI_DATA_POINTER_AND_BOOL& b, void* pointer, bool boolValue) {
    b.pointer = pointer;
    b.boolValue = boolValue;
}
inline void fill(PI_DATA_POINTER_AND_INT& b, void* pointer, int32_t intValue) {
    b.pointer = pointer;
    b.intValue = intValue;
}
inline void fill(PI_DATA_POINTER_AND_DOUBLE& b, void* pointer, double doubleValue) {
    b.pointer = pointer;
    b.doubleValue = doubleValue;
}
inline void fill(PI_DATA_POINTER_AND_STRING& b, void* pointer, const std::string& stringValue) {
    b.pointer = pointer;
    b.stringValue = stringValue;
}
inline void fill(PI_DATA_POINTER_AND_FUNCTION& b, void* pointer, FunctorTwoParams__* function) {
    b.pointer = pointer;
    b.function = function;
}
inline void fill(PI_DATA_POINTER_AND_POINTER& b, void* pointer, void* pointerValue) {
    b.pointer = pointer;
    b.pointerValue = pointerValue;
}
inline void fill(PI_DATA_POINTER_AND_OPTS& b, void* pointer) { b.pointer = pointer; }
inline void fill(PI_DATA_POINTER_INT_AND_BOOL& b, void* pointer, int32_t intValue, bool boolValue) {
    b.pointer = pointer;
    b.intValue = intValue;
    b.boolValue = boolValue;
}
inline void fill(PI_DATA_POINTER_INT_AND_STRING& b, void* pointer, int32_t intValue,
                 const std::string& stringValue) {
    b.pointer = pointer;
    b.intValue = intValue;
    b.stringValue = stringValue;
}
inline void fill(PI_DATA_POINTER_INT_AND_FUNCTION& b, void* pointer, int32_t intValue,
                 FunctorTwoParams__* function) {
    b.pointer = pointer;
    b.intValue = intValue;
    b.function = function;
}
inline void fill(PI_DATA_POINTER_STRING_AND_STRING& b, void* pointer, const std::string& stringValue,
                 const std::string& stringValue2) {
    b.pointer = pointer;
    b.stringValue = stringValue;
    b.stringValue2 = stringValue2;
}
inline void fill(PI_DATA_POINTER_STRING_AND_FUNCTION& b, void* pointer, const std::string& stringValue,
                 FunctorTwoParams__* function) {
    b.pointer = pointer;
    b.stringValue = stringValue;
    b.function = function;
}
inline void fill(PI_DATA_POINTER_POINTER_AND_INT& b, void* pointer, void* pointerValue, int32_t intValue) {
    b.pointer = pointer;
    b.pointerValue = pointerValue;
    b.intValue = intValue;
}

template <typename Block>
class Fixed {
public:
    explicit Fixed(PIServerFunctions_t code) : code_(code) {}

    // Every field after `opts`, in declaration order.
    template <typename... Values>
    Fixed& fields(Values&&... values) {
        fill(block_, std::forward<Values>(values)...);
        return *this;
    }
    // Copies a layout record into `opts`; null keeps the default record.
    Fixed& layout(const PILayoutOpts_t* record) {
        if (record != nullptr) {
            *block_.opts = *record;
        }
        return *this;
    }

    // Sends as handle does; returns Call's result (a creation's new handle).
    void* send() { return dispatch(code_, &block_); }
    // Sends, then reads one field back.
    template <typename T>
    T sendFor(T Block::*field) {
        send();
        return block_.*field;
    }

    Block& block() { return block_; }

private:
    PIServerFunctions_t code_;
    Block block_;
};

}  // namespace PIBridge
