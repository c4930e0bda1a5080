// Dispatch, function-map discovery and debug/ignore mode.

#include <dlfcn.h>

#include <iostream>
#include <new>

#include "bridge/PIBase.h"
#include "bridge/PIDispatch.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PILayoutOpts.h"
#include "bridge/PIPluginConstants.h"

Functor__* g_FunctionMap = nullptr;
void* g_This = nullptr;
PILayoutOpts_t g_DefaultOpts;
const double PI_INVALID_DOUBLE = -999999999.0;
std::list<FunctorTwoParams__*> g_FunctorList;
ClientMessageMap_t g_ClientMessageMap;

Functor__::~Functor__() = default;

void* IgnoreFunctor::operator()(void* context, PIServerFunctions_t code, void* data) {
    return Call(context, code, data);
}

void* IgnoreFunctor::Call(void*, PIServerFunctions_t, void*) { return nullptr; }

IgnoreFunctor::~IgnoreFunctor() = default;

namespace PIBridge {

void* reportMissingHost() {
    std::cerr << "Invalid Plug-in API Support Function Map.  Plug-in API calls are being made "
                 "outside of the context of a loaded plug-in.\n"
              << "API service request has not been processed." << std::endl;
    return nullptr;
}

}  // namespace PIBridge

void* handle(PIServerFunctions_t code, void* data) { return PIBridge::dispatch(code, data); }

extern "C" {
typedef Functor__* GetFunctionMapFn();
}

void _initializePluginFunctionMap() {
    if (g_FunctionMap == nullptr) {
        if (void* symbol = dlsym(RTLD_DEFAULT, "SPI_GetFunctionMap")) {
            g_FunctionMap = reinterpret_cast<GetFunctionMapFn*>(symbol)();
        }
    }
    if (g_FunctionMap == nullptr) {
        return;
    }
    if (g_This == nullptr) {
        g_This = PIBase::getOverriddenThisPointer();
    }
}

void __setDebugIgnore(bool quiet) {
    if (g_FunctionMap != nullptr) {
        return;
    }
    // Built in static storage and never destroyed: g_FunctionMap is never
    // reset, and requests may still come from static destructors that run
    // after this function's own statics would have gone (a static client's
    // unbind, the collector deleted at unload).
    alignas(IgnoreFunctor) static unsigned char storage[sizeof(IgnoreFunctor)];
    static IgnoreFunctor* const s_IgnoreFunctor = new (storage) IgnoreFunctor;
    g_FunctionMap = s_IgnoreFunctor;
    if (!quiet) {
        std::cout << "Turning on debug/ignore mode.  Plug-in API effectively disabled.\n"
                  << "This is typically done for testing Python scripts and should be avoided\n"
                  << "in real applications.  When used for testing, any compile errors below\n"
                  << "this line are likely a problem.\n"
                  << std::string(72, '-') << '\n';
    }
}
