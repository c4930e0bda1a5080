// One source for two plug-ins loaded into one host: each entry attaches,
// leaves a proxy to the collector and adds an action that reports, through
// the host, the collector of this plug-in's copy of the library.
#include <cstdio>

#include "api/PIActions.h"
#include "api/PINotify.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIFunctorTwoParams.h"
#include "gui/PIContainers.h"
#include "gui/PIObject.h"

namespace {

class Report : public FunctorTwoParams__ {
public:
    void* operator()(void* source, void*) override {
        char text[160];
        std::snprintf(text, sizeof text, "%s: collector %p with %zu", static_cast<const char*>(source),
                      static_cast<void*>(g_PI_GarbageCollector), g_PI_GarbageCollector->objects.size());
        PICommon::debugPrint(text);
        return nullptr;
    }
};

Report report;

int load(const char* action) {
    _initializePluginFunctionMap();
    new PIGUI::PIVerticalFrame(nullptr);
    return PICommon::createAction(action, action, &report);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int probe_a() { return load("Probe.A"); }
extern "C" __attribute__((visibility("default"))) int probe_b() { return load("Probe.B"); }
