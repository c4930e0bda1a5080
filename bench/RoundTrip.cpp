// The library's request paths and their floors, against an idle host.

#include "bench/RoundTrip.h"

#include "api/PIServerStatus.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"
#include "gui/PILabel.h"

namespace {

long g_requests = 0;

// A host that carries nothing out: every block comes back as it was sent.
class IdleHost : public Functor__ {
public:
    void* operator()(void* context, PIServerFunctions_t code, void* data) override {
        return Call(context, code, data);
    }
    void* Call(void*, PIServerFunctions_t, void*) override {
        ++g_requests;
        return nullptr;
    }
};

PIGUI::PILabel* g_label = nullptr;

// The context lookup every request starts with, done by hand: one block
// holding exactly the selector and the null pointer the host fills in.
void* lookUpContext() {
    PI_DATA_CATCHALL lookup;
    lookup.intVector.assign(1, 0);
    lookup.ptrVector.assign(1, nullptr);
    g_FunctionMap->Call(nullptr, PI_SERVERFUNC_CALL_CONTEXT, &lookup);
    void* context = lookup.ptrVector[0];
    return context != nullptr ? context : g_This;
}

}  // namespace

namespace roundtrip {

void installIdleHost() {
    // Never freed: proxies still alive at exit may send requests to it.
    static IdleHost* const host = new IdleHost;
    g_FunctionMap = host;
    g_This = host;
    g_label = new PIGUI::PILabel;
}

bool libraryIsNetworkEnabled() { return PICommon::isNetworkEnabled(); }

bool floorIsNetworkEnabled() {
    void* context = lookUpContext();
    PI_DATA_CATCHALL block;
    block.intVector = {4, 1};
    g_FunctionMap->Call(context, PI_SERVERFUNC_SERVER_STATUS, &block);
    return block.intVector[1] != 0;
}

int libraryGetValueInt() { return g_label->getValueInt(); }

int floorGetValueInt() {
    void* context = lookUpContext();
    PI_DATA_POINTER_AND_INT block;
    block.pointer = g_label->serverHandle;
    block.intValue = -1;
    g_FunctionMap->Call(context, PI_SERVERFUNC_GUI_WINDOW_GET_INT, &block);
    return block.intValue;
}

long requestsSeen() { return g_requests; }

}  // namespace roundtrip
