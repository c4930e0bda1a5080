// Actions and hot keys: the seventeen requests of code 319 and the local
// checks of initializeHotKey.

#include "api/PIActions.h"
#include "bridge/PIRequest.h"

namespace PICommon {

using PIBridge::CatchAll;

constexpr PIServerFunctions_t kActions = PI_SERVERFUNC_ACTIONS;

unsigned int parseAccelerator(const std::string& text) {
    return static_cast<unsigned int>(CatchAll(kActions).ints(0, 0).strs(text).sendForInt(1));
}

std::string unparseAccelerator(unsigned int hotKey) {
    return CatchAll(kActions).ints(1, hotKey).strs("").sendForString(0);
}

int createAction(const std::string& name, const std::string& secondText, FunctorTwoParams__* callback) {
    return CatchAll(kActions).ints(2, 1).strs(name, secondText).ptrs(callback).sendForInt(1);
}

int executeAction(const std::string& name) { return CatchAll(kActions).ints(3, 1).strs(name).sendForInt(1); }

bool doesActionExist(const std::string& name) {
    return CatchAll(kActions).ints(4, 0).strs(name).sendForBool(1);
}

unsigned int getHotKey(const std::string& name, int index) {
    return static_cast<unsigned int>(CatchAll(kActions).ints(5, 0, index).strs(name).sendForInt(1));
}

int setHotKey(const std::string& name, unsigned int hotKey, int index) {
    return CatchAll(kActions).ints(6, 1, hotKey, index).strs(name).sendForInt(1);
}

std::string getActionForHotKey(unsigned int hotKey) {
    return CatchAll(kActions).ints(7, hotKey).strs("").sendForString(0);
}

bool isActionEnabled(const std::string& name) {
    return CatchAll(kActions).ints(8, 0).strs(name).sendForBool(1);
}

bool isActionChecked(const std::string& name) {
    return CatchAll(kActions).ints(9, 0).strs(name).sendForBool(1);
}

bool isActionShown(const std::string& name) {
    return CatchAll(kActions).ints(10, 0).strs(name).sendForBool(1);
}

int loadHotKeyFile(const std::string& fileName) {
    return CatchAll(kActions).ints(11, 1).strs(fileName).sendForInt(1);
}

void saveHotKeyFile(const std::string& fileName) { CatchAll(kActions).ints(12).strs(fileName).send(); }

int setActionEnabled(const std::string& name, bool enabled) {
    return CatchAll(kActions).ints(13, 1, enabled).strs(name).sendForInt(1);
}

int setActionChecked(const std::string& name, bool checked) {
    return CatchAll(kActions).ints(14, 1, checked).strs(name).sendForInt(1);
}

int setActionVisible(const std::string& name, bool visible) {
    return CatchAll(kActions).ints(15, 1, visible).strs(name).sendForInt(1);
}

void getActionNames(std::vector<std::string>& names) { CatchAll(kActions).ints(16).ptrs(&names).send(); }

int initializeHotKey(const std::string& name, unsigned int hotKey) {
    if (!doesActionExist(name)) {
        return 1;
    }
    if (getHotKey(name, 0) != 0) {
        return 2;
    }
    if (!getActionForHotKey(hotKey).empty()) {
        return 3;
    }
    return setHotKey(name, hotKey, 0);
}

}  // namespace PICommon
