// The host application: its objects, its identity and versions, and the
// request to unload the calling plug-in.
//
// The host objects returned here belong to the host; the library returns
// the value of the request unchanged and never dereferences it. Nothing
// here is computed in the library except the build number.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIExport.h"

namespace PICommon {

// Codes 10, 11, 12, 14, null data. Return the host's plug-in tool bar, its
// plug-in menu pane, its application object and its main window: the value
// the request returns; null without a host.
PI_EXPORT void* getPluginToolbar();
PI_EXPORT void* getPluginMenuPane();
PI_EXPORT void* getApplication();
PI_EXPORT void* getMainWindow();

// Code 13, direct: the address of a 64-bit handle pre-set to 0. Returns the
// main window's native handle as the host wrote it; 0 without a host.
PI_EXPORT uint64_t getMainWindowHandle();

// Code 300, direct: the address of the result string, pre-set to "Unknown";
// the host assigns to it. Returns it; "Unknown" without a host.
PI_EXPORT std::string getApplicationName();

// Code 301, direct: the address of an int pre-set to 0. Returns it as the
// host left it; 0 without a host.
PI_EXPORT int getApplicationId();

// Codes 302 and 303, direct: the address of a double pre-set to 0.0.
// Return the application's version and the plug-in interface version as
// the host left them; 0.0 without a host.
PI_EXPORT double getApplicationVersion();
PI_EXPORT double getApplicationPluginVersion();

// Code 326: sets major, minor and revision to 0, then sends intVector [0,
// result 1], ptrVector [&major, &minor, &revision] (the caller's own
// variables, which the host writes). Returns the status from intVector[1];
// 1 without a host, with the three numbers left at 0.
PI_EXPORT int getApplicationPluginVersion(int& major, int& minor, int& revision);

// The plug-in interface version as major * 10000 + minor * 100 + revision,
// from the three-number getApplicationPluginVersion (one request); 0 when
// that returns a non-zero status, also without a host.
PI_EXPORT int getApplicationPluginVersionBuildNumber();

// Code 304, null data: asks the host to unload the calling plug-in.
PI_EXPORT void unloadSelf();

}  // namespace PICommon
