// Host request codes.
//
// Every request to the host carries one of these codes as a 32-bit integer.
// Each family of operations documents the codes it sends next to the
// operation; only codes that the library sends are named here.
#pragma once

#include <cstdint>

enum PIServerFunctions_t : int32_t {
    // Host objects, returned as the value of the request (null data), and the
    // main window's native handle (written through the data address).
    PI_SERVERFUNC_GET_PLUGIN_TOOLBAR = 10,
    PI_SERVERFUNC_GET_PLUGIN_MENU_PANE = 11,
    PI_SERVERFUNC_GET_APPLICATION = 12,
    PI_SERVERFUNC_GET_MAIN_WINDOW_HANDLE = 13,
    PI_SERVERFUNC_GET_MAIN_WINDOW = 14,
    // Toolkit-version handshake: register (selector 0), verify (1), verify for direct access (2).
    PI_SERVERFUNC_FOX_VERSION = 15,
    // Call-context override: get (selector 0), push (1), pop (2).
    PI_SERVERFUNC_CALL_CONTEXT = 16,
    // File and directory dialogs and stored directories (selectors 0 to 3).
    PI_SERVERFUNC_FILE_DIALOGS = 163,
    // Application identity, direct requests: the host writes through the data address.
    PI_SERVERFUNC_GET_APPLICATION_NAME = 300,
    PI_SERVERFUNC_GET_APPLICATION_ID = 301,
    PI_SERVERFUNC_GET_APPLICATION_VERSION = 302,
    PI_SERVERFUNC_GET_APPLICATION_PLUGIN_VERSION = 303,
    PI_SERVERFUNC_UNLOAD_SELF = 304,
    // Debug output: the data is the text's characters.
    PI_SERVERFUNC_DEBUG_PRINT = 305,
    // Debug message box, with a PI_DATA_POINTER_STRING_AND_STRING.
    PI_SERVERFUNC_DEBUG_MSG_BOX = 306,
    // Overlay texts: create, update, remove, get, set and get background colour (selectors 0 to 5).
    PI_SERVERFUNC_OVERLAY_TEXT = 308,
    // Server status and networking (selectors 0 to 4).
    PI_SERVERFUNC_SERVER_STATUS = 309,
    // Viewports and drawing; direct requests except create and toggle.
    PI_SERVERFUNC_SET_VIEWPORT = 310,
    PI_SERVERFUNC_GET_VIEWPORT = 311,
    PI_SERVERFUNC_GET_NUM_VIEWPORTS = 312,
    PI_SERVERFUNC_NEXT_VIEWPORT = 313,
    // A viewport name deletes that viewport, null data deletes them all.
    PI_SERVERFUNC_DELETE_VIEWPORT = 314,
    PI_SERVERFUNC_CREATE_VIEWPORT = 315,
    PI_SERVERFUNC_FORCE_REDRAW = 316,
    // Time-outs: create (selector 0), remove (1).
    PI_SERVERFUNC_TIMEOUTS = 317,
    // Wait cursor and cursor override (selectors 0 to 3).
    PI_SERVERFUNC_CURSORS = 318,
    // Actions and hot keys (selectors 0 to 16).
    PI_SERVERFUNC_ACTIONS = 319,
    PI_SERVERFUNC_TOGGLE_VIEWPORT = 320,
    // Preferences file: load (selector 0), save (1).
    PI_SERVERFUNC_PREFS_FILE = 321,
    // Service framework: bind, unbind, register, list by type (selectors 0 to 5).
    PI_SERVERFUNC_SERVICES = 322,
    // Import/export delegates (selectors 0, 3, 4, 5) and recording (selectors 1, 2).
    PI_SERVERFUNC_FILE_DELEGATES_AND_RECORDING = 323,
    PI_SERVERFUNC_TOAST_NOTIFICATION = 324,
    // Notification level and notifications: set level (selector 0), get level (1), notify (2).
    PI_SERVERFUNC_NOTIFY = 325,
    // The plug-in interface version as three numbers.
    PI_SERVERFUNC_PLUGIN_VERSION_NUMBERS = 326,
    PI_SERVERFUNC_DRAW_ON_REFRESH_PRIORITY = 327,
    // Earth-model calculations.
    PI_SERVERFUNC_RANGE_CALCULATE_VALUE = 436,
    PI_SERVERFUNC_CHECK_EARTH_ECLIPSE = 438,
    // Simple file and network handlers, with a PI_REGISTER_HANDLER_DATA.
    PI_SERVERFUNC_REGISTER_FILE_HANDLER = 500,
    PI_SERVERFUNC_REGISTER_NETWORK_HANDLER = 501,
};
