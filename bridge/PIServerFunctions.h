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
    // Overlay texts: create, update, remove, get, set and get background colour (selectors 0 to 5).
    PI_SERVERFUNC_OVERLAY_TEXT = 308,
    // Viewports and drawing; direct requests except create and toggle.
    PI_SERVERFUNC_SET_VIEWPORT = 310,
    PI_SERVERFUNC_GET_VIEWPORT = 311,
    PI_SERVERFUNC_GET_NUM_VIEWPORTS = 312,
    PI_SERVERFUNC_NEXT_VIEWPORT = 313,
    // A viewport name deletes that viewport, null data deletes them all.
    PI_SERVERFUNC_DELETE_VIEWPORT = 314,
    PI_SERVERFUNC_CREATE_VIEWPORT = 315,
    PI_SERVERFUNC_FORCE_REDRAW = 316,
    // Actions and hot keys (selectors 0 to 16).
    PI_SERVERFUNC_ACTIONS = 319,
    PI_SERVERFUNC_TOGGLE_VIEWPORT = 320,
    // Service framework: bind, unbind, register, list by type (selectors 0 to 5).
    PI_SERVERFUNC_SERVICES = 322,
    // Import/export delegates (selectors 0, 3, 4, 5) and recording (selectors 1, 2).
    PI_SERVERFUNC_FILE_DELEGATES_AND_RECORDING = 323,
    PI_SERVERFUNC_DRAW_ON_REFRESH_PRIORITY = 327,
    // Earth-model calculations.
    PI_SERVERFUNC_RANGE_CALCULATE_VALUE = 436,
    PI_SERVERFUNC_CHECK_EARTH_ECLIPSE = 438,
    // Simple file and network handlers, with a PI_REGISTER_HANDLER_DATA.
    PI_SERVERFUNC_REGISTER_FILE_HANDLER = 500,
    PI_SERVERFUNC_REGISTER_NETWORK_HANDLER = 501,
};
