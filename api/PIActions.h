// Actions and hot keys.
//
// The host keeps a registry of named actions: commands run by name, with an
// enabled, a checked and a visible state, that hot keys can be bound to.
// Every call here is code 319 with a PI_DATA_CATCHALL whose intVector[0] is
// the selector given with the call. An action is addressed by its name in
// strVector[0]. Statuses are 0 when the host carried the request out; they
// are pre-set to 1, so a request no host answers returns 1. Predicates read
// intVector[1], pre-set to 0, and are true when it is non-zero.
//
// A hot key is an accelerator code (key and modifiers, encoded by the host);
// 0 means no hot key.
#pragma once

#include <string>
#include <vector>

#include "bridge/PIExport.h"
#include "bridge/PIFunctorTwoParams.h"

namespace PICommon {

// Selector 0: intVector [0, result 0], strVector [text]. Returns the hot key
// the host parsed from `text` (intVector[1]); 0 without a host.
PI_EXPORT unsigned int parseAccelerator(const std::string& text);

// Selector 1: intVector [1, hotKey], strVector [result ""]. Returns the text
// form of `hotKey` (strVector[0]); empty without a host.
PI_EXPORT std::string unparseAccelerator(unsigned int hotKey);

// Selector 2: intVector [2, result 1], strVector [name, secondText],
// ptrVector [callback]. The host runs `callback` when the action runs; it
// must stay valid as long as the host may do so (actions are never removed).
// Returns the status.
PI_EXPORT int createAction(const std::string& name, const std::string& secondText,
                           FunctorTwoParams__* callback);

// Selector 3: intVector [3, result 1], strVector [name]. Runs the action.
// Returns the status.
PI_EXPORT int executeAction(const std::string& name);

// Selector 4: intVector [4, result 0], strVector [name]. False without a host.
PI_EXPORT bool doesActionExist(const std::string& name);

// Selector 5: intVector [5, result 0, index], strVector [name]. Returns the
// action's hot key number `index` (intVector[1]); 0 (none) without a host.
PI_EXPORT unsigned int getHotKey(const std::string& name, int index);

// Selector 6: intVector [6, result 1, hotKey, index], strVector [name].
// Returns the status.
PI_EXPORT int setHotKey(const std::string& name, unsigned int hotKey, int index);

// Selector 7: intVector [7, hotKey], strVector [result ""]. Returns the name
// of the action bound to `hotKey` (strVector[0]); empty when none, and
// without a host.
PI_EXPORT std::string getActionForHotKey(unsigned int hotKey);

// Selectors 8, 9, 10: intVector [selector, result 0], strVector [name].
// False without a host.
PI_EXPORT bool isActionEnabled(const std::string& name);
PI_EXPORT bool isActionChecked(const std::string& name);
PI_EXPORT bool isActionShown(const std::string& name);

// Selector 11: intVector [11, result 1], strVector [fileName]. Loads the
// host's hot-key file. Returns the status.
PI_EXPORT int loadHotKeyFile(const std::string& fileName);

// Selector 12: intVector [12], strVector [fileName]. Saves the host's
// hot-key file; no result.
PI_EXPORT void saveHotKeyFile(const std::string& fileName);

// Selectors 13, 14, 15: intVector [selector, result 1, flag as 0 or 1],
// strVector [name]. Return the status.
PI_EXPORT int setActionEnabled(const std::string& name, bool enabled);
PI_EXPORT int setActionChecked(const std::string& name, bool checked);
PI_EXPORT int setActionVisible(const std::string& name, bool visible);

// Selector 16: intVector [16], ptrVector [&names]. The host fills the
// caller's list in place; the library neither clears nor reads it.
PI_EXPORT void getActionNames(std::vector<std::string>& names);

// Binds `hotKey` to the action at index 0 only when that disturbs nothing.
// Makes, in order and stopping at the first refusal: doesActionExist (false:
// returns 1), getHotKey(name, 0) (non-zero: returns 2), getActionForHotKey
// (non-empty: returns 3), and returns the status of setHotKey(name, hotKey, 0).
// Without a host it returns 1 after its first request.
PI_EXPORT int initializeHotKey(const std::string& name, unsigned int hotKey);

}  // namespace PICommon
