// A first look at the library: a few requests made against the recording
// test host, printed as the host saw them.

#include <cstdio>
#include <vector>

#include "api/PIActions.h"
#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"
#include "hostsim/RecordingHost.h"

namespace {

// A host that keeps a stack of call-context overrides; with none in force it
// reports `current` (the plug-in being loaded, while the library initialises).
void answerContextRequests(std::vector<void*>& overrides, void* current) {
    testhost::respond(PI_SERVERFUNC_CALL_CONTEXT, [&overrides, current](testhost::Exchange& e) -> void* {
        switch (e.selector()) {
        case 0: e.setPointer(0, overrides.empty() ? current : overrides.back()); break;
        case 1:
            overrides.push_back(e.pointerAt(0));
            e.setInt(1, 0);
            break;
        case 2:
            if (!overrides.empty()) {
                overrides.pop_back();
                e.setInt(1, 0);
            }
            break;
        }
        return nullptr;
    });
}

void printRequests() {
    for (const auto& request : testhost::requests()) {
        std::printf("  code %3d  context %-14p %s", request.code, request.context,
                    testhost::kindName(request.block.kind));
        if (request.block.kind == testhost::BlockKind::CatchAll) {
            std::printf("  ints [");
            for (std::size_t i = 0; i < request.block.ints.size(); ++i) {
                std::printf("%s%d", i ? ", " : "", request.block.ints[i]);
            }
            std::printf("]  strs [");
            for (std::size_t i = 0; i < request.block.strs.size(); ++i) {
                std::printf("%s\"%s\"", i ? ", " : "", request.block.strs[i].c_str());
            }
            std::printf("]  ptrs [");
            for (std::size_t i = 0; i < request.block.ptrs.size(); ++i) {
                std::printf("%s%p", i ? ", " : "", request.block.ptrs[i]);
            }
            std::printf("]");
        }
        std::printf("\n");
    }
    testhost::clearRequests();
}

}  // namespace

int main() {
    static int hostContext;
    static int otherPlugin;
    std::vector<void*> overrides;
    answerContextRequests(overrides, &hostContext);

    std::printf("plug-in API %s (legacy %.4f, build %d)\n", PIBase::versionString().c_str(),
                PIBase::legacyApiVersion(), PIBase::buildNumber());

    _initializePluginFunctionMap();
    std::printf("\nfound the host's function map: %s; default context %p\n",
                g_FunctionMap != nullptr ? "yes" : "no", g_This);
    printRequests();
    answerContextRequests(overrides, nullptr);

    std::printf("\npush an override (status %d), then a request carries it:\n",
                PIBase::pushOverrideThisPointer(&otherPlugin));
    PICommon::doesActionExist("File.Open");
    printRequests();

    std::printf("\npop it (status %d), and the next request carries the default context again:\n",
                PIBase::popOverrideThisPointer());
    PICommon::doesActionExist("File.Open");
    printRequests();
    return 0;
}
