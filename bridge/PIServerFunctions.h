// Host request codes.
//
// Every request to the host carries one of these codes as a 32-bit integer.
// Each family of operations documents the codes it sends next to the
// operation; only codes that the library sends are named here.
#pragma once

#include <cstdint>

enum PIServerFunctions_t : int32_t {
    // Call-context override: get (selector 0), push (1), pop (2).
    PI_SERVERFUNC_CALL_CONTEXT = 16,
    // Actions and hot keys (selectors 0 to 16).
    PI_SERVERFUNC_ACTIONS = 319,
    // Service framework: bind, unbind, register, list by type (selectors 0 to 5).
    PI_SERVERFUNC_SERVICES = 322,
};
