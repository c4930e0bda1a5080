// A compiled plug-in built against an installed copy of the library: once
// loaded into the host, it attaches to it, adds an action and says hello.
#include <string>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "api/PINotify.h"
#include "bridge/PIFunctionMap.h"

extern "C" __attribute__((visibility("default"))) int hello_plugin_load() {
    _initializePluginFunctionMap();
    PICommon::debugPrint("hello from a compiled plug-in in " + PICommon::getApplicationName());
    return PICommon::createAction("Hello.Wave", "Wave", nullptr);
}
