// Host request codes.
//
// Every request to the host carries one of these codes as a 32-bit integer.
// Each family of operations documents the codes it sends next to the
// operation; only codes that the library sends are named here.
#pragma once

#include <cstdint>

#include "bridge/PIStringAbi.h"

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
    // GUI proxies: creation, binding and operations of host widgets, icons,
    // dialogs and the registry. The grouped codes take a selector.
    PI_SERVERFUNC_GUI_BIND_OBJECT = 100,
    PI_SERVERFUNC_GUI_REGISTRY_SET_VALUE = 101,
    PI_SERVERFUNC_GUI_REGISTRY_GET_VALUE = 102,
    PI_SERVERFUNC_GUI_CREATE_MENU = 103,
    PI_SERVERFUNC_GUI_CREATE_MENU_SEPARATOR = 104,
    PI_SERVERFUNC_GUI_CREATE_MENU_ITEM = 105,
    PI_SERVERFUNC_GUI_CREATE_TOOLBAR_BUTTON = 106,
    PI_SERVERFUNC_GUI_CREATE_VERTICAL_FRAME = 108,
    PI_SERVERFUNC_GUI_CREATE_HORIZONTAL_FRAME = 109,
    PI_SERVERFUNC_GUI_CREATE_GROUP_BOX = 110,
    PI_SERVERFUNC_GUI_CREATE_VERTICAL_MATRIX = 111,
    PI_SERVERFUNC_GUI_CREATE_HORIZONTAL_MATRIX = 112,
    PI_SERVERFUNC_GUI_CREATE_SWITCHER = 113,
    PI_SERVERFUNC_GUI_CREATE_DIALOG_BOX = 114,
    PI_SERVERFUNC_GUI_SHOW_DIALOG_BOX = 115,
    PI_SERVERFUNC_GUI_CREATE_BUTTON = 118,
    PI_SERVERFUNC_GUI_CREATE_TEXT_FIELD = 119,
    PI_SERVERFUNC_GUI_CREATE_LABEL = 120,
    PI_SERVERFUNC_GUI_CREATE_RADIO_BUTTON = 121,
    PI_SERVERFUNC_GUI_CREATE_CHECK_BUTTON = 122,
    PI_SERVERFUNC_GUI_CREATE_COLOR_WELL = 123,
    PI_SERVERFUNC_GUI_CREATE_OPTION_MENU = 124,
    PI_SERVERFUNC_GUI_CREATE_SPINNER = 125,
    PI_SERVERFUNC_GUI_CREATE_LIST = 126,
    PI_SERVERFUNC_GUI_LIST_APPEND_ITEM = 127,
    PI_SERVERFUNC_GUI_LIST_REMOVE_ITEM = 128,
    PI_SERVERFUNC_GUI_LIST_GET_NUM_ITEMS = 129,
    PI_SERVERFUNC_GUI_LIST_GET_SELECTED_ITEM = 130,
    PI_SERVERFUNC_GUI_LIST_SET_SELECTED_ITEM = 131,
    PI_SERVERFUNC_GUI_LIST_DESELECT_ALL = 132,
    PI_SERVERFUNC_GUI_LIST_GET_ITEM_TEXT = 133,
    PI_SERVERFUNC_GUI_LIST_SET_ITEM_TEXT = 134,
    PI_SERVERFUNC_GUI_LIST_GET_ITEM_DATA = 135,
    PI_SERVERFUNC_GUI_LIST_SET_ITEM_DATA = 136,
    PI_SERVERFUNC_GUI_LIST_APPEND_HEADER = 137,
    PI_SERVERFUNC_GUI_LIST_REMOVE_HEADER = 138,
    PI_SERVERFUNC_GUI_OPTION_MENU_APPEND = 139,
    PI_SERVERFUNC_GUI_SPINNER_SET_RANGE = 140,
    PI_SERVERFUNC_GUI_SWITCHER_SET_CURRENT = 141,
    PI_SERVERFUNC_GUI_DESTROY_OBJECT = 142,
    PI_SERVERFUNC_GUI_WINDOW_SET_HIDDEN = 143,
    PI_SERVERFUNC_GUI_WINDOW_SET_ENABLED = 144,
    PI_SERVERFUNC_GUI_WINDOW_SET_CHECKED = 145,
    PI_SERVERFUNC_GUI_WINDOW_MAP_FUNCTION = 146,
    PI_SERVERFUNC_GUI_WINDOW_HAS_FOCUS = 147,
    PI_SERVERFUNC_GUI_WINDOW_SHOWN = 148,
    PI_SERVERFUNC_GUI_WINDOW_GET_INT = 149,
    PI_SERVERFUNC_GUI_WINDOW_GET_DOUBLE = 150,
    PI_SERVERFUNC_GUI_WINDOW_GET_TEXT = 151,
    PI_SERVERFUNC_GUI_WINDOW_SET_INT = 152,
    PI_SERVERFUNC_GUI_WINDOW_SET_DOUBLE = 153,
    PI_SERVERFUNC_GUI_WINDOW_SET_TEXT = 154,
    // Mouse grab and release (selectors 0, 1), widget cursor override (2, 3).
    PI_SERVERFUNC_GUI_MOUSE_AND_CURSOR = 155,
    PI_SERVERFUNC_GUI_WINDOW_SET_FOCUS = 156,
    // Translate coordinates from the main window (selector 0).
    PI_SERVERFUNC_GUI_TRANSLATE_COORDS = 157,
    // Icons: of menu items, labels, dialog boxes, buttons; loading (selectors 0 to 7).
    PI_SERVERFUNC_GUI_ICONS = 158,
    // Option-menu entries (selectors 0 to 3).
    PI_SERVERFUNC_GUI_OPTION_MENU_ENTRIES = 159,
    // Dialog-box close observers: register (selector 0), unregister (1).
    PI_SERVERFUNC_GUI_DIALOG_CLOSE_OBSERVERS = 160,
    // Dialog-box docking (selectors 0 to 3).
    PI_SERVERFUNC_GUI_DIALOG_DOCKING = 161,
    // Progress dialog (selectors 0 to 9).
    PI_SERVERFUNC_GUI_PROGRESS_DIALOG = 162,
    // File and directory dialogs and stored directories (selectors 0 to 3).
    PI_SERVERFUNC_FILE_DIALOGS = 163,
    // Text-field placeholder (selector 0).
    PI_SERVERFUNC_GUI_TEXT_FIELD_PLACEHOLDER = 164,
    // Tab widget (selectors 0 to 9).
    PI_SERVERFUNC_GUI_TAB_WIDGET = 165,
    // Window size limits and style sheet (selectors 0 to 5).
    PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE = 166,
    // List selection mode (selectors 0, 1).
    PI_SERVERFUNC_GUI_LIST_SELECTION_MODE = 167,
    // Server garbage: add (selector 0), remove (1).
    PI_SERVERFUNC_GUI_SERVER_GARBAGE = 168,
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
