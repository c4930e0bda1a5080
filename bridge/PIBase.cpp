// Version numbers and the call-context override requests.

#include "bridge/PIBase.h"

#include "bridge/PILegacyVersion.h"
#include "bridge/PIRequest.h"

namespace PIBridge {

double legacyVersionNumber(int major, int minor, int revision) {
    const double M = major;
    const double m = minor;
    const double R = revision;
    if (major == 0) {
        return m * 0.01;
    }
    if (major == 1 && minor <= 9) {
        return (1.0 + m * 0.1) + R * 0.001;
    }
    if (major == 1) {
        return (1.9 + m * 0.0001) + R * 0.000001;
    }
    return (M + m * 0.01) + R * 0.0001;
}

}  // namespace PIBridge

namespace PIBase {

int majorVersion() { return 1; }
int minorVersion() { return 28; }
int revisionVersion() { return 0; }
int buildNumber() { return 12800; }

std::string versionString() {
    return std::to_string(majorVersion()) + "." + std::to_string(minorVersion()) + "." +
           std::to_string(revisionVersion());
}

double legacyApiVersion() {
    return PIBridge::legacyVersionNumber(majorVersion(), minorVersion(), revisionVersion());
}

// Every request sends this one first, so it is built by hand: one
// allocation per vector, nothing else.
void* getOverriddenThisPointer() {
    PI_DATA_CATCHALL block;
    block.intVector.assign(1, 0);
    block.ptrVector.assign(1, nullptr);
    PIBridge::callFunctionMap(nullptr, PI_SERVERFUNC_CALL_CONTEXT, &block);
    return block.ptrVector[0];
}

int pushOverrideThisPointer(void* context) {
    PIBridge::CatchAll request(PI_SERVERFUNC_CALL_CONTEXT);
    request.ints(1, 1).ptrs(context).sendWithoutContext();
    return request.block().intVector[1];
}

int popOverrideThisPointer() {
    PIBridge::CatchAll request(PI_SERVERFUNC_CALL_CONTEXT);
    request.ints(2, 1).sendWithoutContext();
    return request.block().intVector[1];
}

}  // namespace PIBase
