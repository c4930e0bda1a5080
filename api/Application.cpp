// Application objects and identity, the toolkit-version handshake,
// notifications and the preferences file.

#include "api/PIApplication.h"
#include "api/PIFoxVersion.h"
#include "api/PINotify.h"
#include "api/PIPreferences.h"
#include "bridge/PIDirectRequest.h"
#include "bridge/PIRequest.h"

namespace PICommon {

using PIBridge::CatchAll;
using PIBridge::sendDirect;
using PIBridge::sendForValue;

void* getPluginToolbar() { return sendDirect(PI_SERVERFUNC_GET_PLUGIN_TOOLBAR, nullptr); }

void* getPluginMenuPane() { return sendDirect(PI_SERVERFUNC_GET_PLUGIN_MENU_PANE, nullptr); }

void* getApplication() { return sendDirect(PI_SERVERFUNC_GET_APPLICATION, nullptr); }

void* getMainWindow() { return sendDirect(PI_SERVERFUNC_GET_MAIN_WINDOW, nullptr); }

uint64_t getMainWindowHandle() { return sendForValue<uint64_t>(PI_SERVERFUNC_GET_MAIN_WINDOW_HANDLE, 0); }

std::string getApplicationName() {
    return sendForValue<std::string>(PI_SERVERFUNC_GET_APPLICATION_NAME, "Unknown");
}

int getApplicationId() { return sendForValue<int>(PI_SERVERFUNC_GET_APPLICATION_ID, 0); }

double getApplicationVersion() { return sendForValue<double>(PI_SERVERFUNC_GET_APPLICATION_VERSION, 0.0); }

double getApplicationPluginVersion() {
    return sendForValue<double>(PI_SERVERFUNC_GET_APPLICATION_PLUGIN_VERSION, 0.0);
}

int getApplicationPluginVersion(int& major, int& minor, int& revision) {
    major = 0;
    minor = 0;
    revision = 0;
    return CatchAll(PI_SERVERFUNC_PLUGIN_VERSION_NUMBERS)
        .ints(0, 1)
        .ptrs(&major, &minor, &revision)
        .sendForInt(1);
}

int getApplicationPluginVersionBuildNumber() {
    int major = 0;
    int minor = 0;
    int revision = 0;
    if (getApplicationPluginVersion(major, minor, revision) != 0) {
        return 0;
    }
    // 32-bit arithmetic that wraps instead of overflowing for huge numbers.
    const uint32_t build = static_cast<uint32_t>(major) * 10000u + static_cast<uint32_t>(minor) * 100u +
                           static_cast<uint32_t>(revision);
    return static_cast<int>(build);
}

void unloadSelf() { sendDirect(PI_SERVERFUNC_UNLOAD_SELF, nullptr); }

int registerFoxVersion(int first, int second) {
    return CatchAll(PI_SERVERFUNC_FOX_VERSION).ints(0, first, second, 1).sendForInt(3);
}

bool verifyFoxVersion() { return CatchAll(PI_SERVERFUNC_FOX_VERSION).ints(1, 0).sendForBool(1); }

bool verifyFoxVersionDirectAccess() { return CatchAll(PI_SERVERFUNC_FOX_VERSION).ints(2, 0).sendForBool(1); }

void debugPrint(const std::string& text) { sendDirect(PI_SERVERFUNC_DEBUG_PRINT, text.c_str()); }

void setNotifyLevel(NotifySeverity level) { CatchAll(PI_SERVERFUNC_NOTIFY).ints(0, level).send(); }

NotifySeverity getNotifyLevel() {
    return static_cast<NotifySeverity>(CatchAll(PI_SERVERFUNC_NOTIFY).ints(1, 5).sendForInt(1));
}

void notify(const std::string& text1, NotifySeverity severity, const std::string& text2) {
    CatchAll(PI_SERVERFUNC_NOTIFY).ints(2, severity).strs(text1, text2).send();
}

int showToastNotification(const std::string& text, ToastDuration duration) {
    return CatchAll(PI_SERVERFUNC_TOAST_NOTIFICATION).ints(0, 1, duration).strs(text).sendForInt(1);
}

int loadPrefsFile(const std::string& fileName) {
    return CatchAll(PI_SERVERFUNC_PREFS_FILE).ints(0, 1).strs(fileName).sendForInt(1);
}

void savePrefsFile(const std::string& fileName) {
    CatchAll(PI_SERVERFUNC_PREFS_FILE).ints(1).strs(fileName).send();
}

}  // namespace PICommon
