// A compiled plug-in built against an installed copy of the library. Once
// the host has loaded it, it calls hello_plugin_load: the plug-in attaches
// to the host and adds an action whose callback says hello.
#include <cstdio>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIFunctorTwoParams.h"

namespace {

// The action's callback; the host passes the action's name as `source`.
class Wave : public FunctorTwoParams__ {
public:
    void* operator()(void* source, void*) override {
        std::printf("%s: hello from %s\n", static_cast<const char*>(source),
                    PICommon::getApplicationName().c_str());
        return nullptr;
    }
};

Wave wave;  // as long as the plug-in: actions are never removed

}  // namespace

// The entry the host calls: 0 when the host added the action.
extern "C" __attribute__((visibility("default"))) int hello_plugin_load() {
    _initializePluginFunctionMap();
    return PICommon::createAction("Hello.Wave", "Wave", &wave);
}
