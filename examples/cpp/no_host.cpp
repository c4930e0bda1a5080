// A compiled plug-in's code run outside the application: without a host
// every call prints the no-host diagnostic and returns its pre-set default;
// in debug/ignore mode the same calls answer their defaults silently.

#include <cstdio>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "bridge/PIFunctionMap.h"

int main() {
    _initializePluginFunctionMap();  // no SPI_GetFunctionMap in this process
    std::printf("host found: %s\n", g_FunctionMap != nullptr ? "yes" : "no");

    std::printf("application name: %s\n", PICommon::getApplicationName().c_str());
    std::printf("Tracks.Refresh exists: %s\n", PICommon::doesActionExist("Tracks.Refresh") ? "yes" : "no");

    __setDebugIgnore(true);  // true: without the announcement
    std::printf("debug/ignore: application name %s, executeAction status %d\n",
                PICommon::getApplicationName().c_str(), PICommon::executeAction("Tracks.Refresh"));
    return 0;
}
