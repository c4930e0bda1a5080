// Direct requests: requests whose data argument is not a parameter block but
// null or the address of one plain object (internal to the library).
//
//   PIBridge::sendDirect(PI_SERVERFUNC_SET_VIEWPORT, &name);          // the host reads the string
//   return PIBridge::sendForValue<int>(PI_SERVERFUNC_GET_NUM_VIEWPORTS, 0);  // the host writes the int
#pragma once

#include "bridge/PIFunctionMap.h"

namespace PIBridge {

// Sends `code` through handle with `data` as it is (null, or the address of
// an object the host reads) and returns what Call returned.
inline void* sendDirect(PIServerFunctions_t code, const void* data) {
    return handle(code, const_cast<void*>(data));
}

// Sends `code` with the address of a local variable holding `preset`, which
// the host may overwrite, and returns the variable as the host left it
// (`preset` when no host answered).
template <typename T>
T sendForValue(PIServerFunctions_t code, T preset) {
    T value = preset;
    handle(code, &value);
    return value;
}

}  // namespace PIBridge
