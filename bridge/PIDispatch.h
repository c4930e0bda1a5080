// The steps of a request, for the request builders (internal to the
// library; not installed for plug-ins). handle() is exactly dispatch(); the
// builders perform the same steps in place, which spares every request one
// call.
#pragma once

#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"

namespace PIBridge {

// Writes the no-host message to standard error; returns null.
[[gnu::cold]] void* reportMissingHost();

// Calls the function map's Call with exactly these arguments and returns its
// result. Without a function map: writes the no-host message to standard
// error and returns null.
inline void* callFunctionMap(void* context, PIServerFunctions_t code, void* data) {
    return g_FunctionMap != nullptr ? g_FunctionMap->Call(context, code, data) : reportMissingHost();
}

// The context lookup (code 16), then Call with the override or, when there
// is none, g_This; returns what Call returned.
inline void* dispatch(PIServerFunctions_t code, void* data) {
    void* const context = PIBase::getOverriddenThisPointer();
    return callFunctionMap(context != nullptr ? context : g_This, code, data);
}

}  // namespace PIBridge
