// Cursors, time-outs, recording and the server status.

#include "api/PICursors.h"
#include "api/PIRecording.h"
#include "api/PIServerStatus.h"
#include "api/PITimeouts.h"
#include "bridge/PIRequest.h"

namespace PICommon {

using PIBridge::CatchAll;

void beginWaitCursor() { CatchAll(PI_SERVERFUNC_CURSORS).ints(0).send(); }

void endWaitCursor() { CatchAll(PI_SERVERFUNC_CURSORS).ints(1).send(); }

void beginCursorOverride(PICursorShape_t shape) { CatchAll(PI_SERVERFUNC_CURSORS).ints(2, shape).send(); }

void endCursorOverride() { CatchAll(PI_SERVERFUNC_CURSORS).ints(3).send(); }

void* createTimeout(int interval, FunctorTwoParams__* callback) {
    void* handle = nullptr;
    CatchAll(PI_SERVERFUNC_TIMEOUTS).ints(0, interval).ptrs(callback, &handle).send();
    return handle;
}

int removeTimeout(void* handle) {
    if (handle != nullptr) {
        CatchAll(PI_SERVERFUNC_TIMEOUTS).ints(1).ptrs(&handle).send();
    }
    return 0;
}

int startRecording(const std::string& fileName, bool b1, bool b2, double d1, bool b3, double d2, double d3) {
    return CatchAll(PI_SERVERFUNC_FILE_DELEGATES_AND_RECORDING)
        .ints(1, 3, b1, b2, b3)
        .dbls(d1, d2, d3)
        .strs(fileName)
        .sendForInt(1);
}

int stopRecording() { return CatchAll(PI_SERVERFUNC_FILE_DELEGATES_AND_RECORDING).ints(2, 3).sendForInt(1); }

void setServerStatus(PIServerStatus_t status) {
    CatchAll(PI_SERVERFUNC_SERVER_STATUS).ints(0).ptrs(&status).send();
}

PIServerStatus_t getServerStatus() {
    PIServerStatus_t status = static_cast<PIServerStatus_t>(3);
    CatchAll(PI_SERVERFUNC_SERVER_STATUS).ints(1).ptrs(&status).send();
    return status;
}

void setServerStatusColor(unsigned int color) {
    CatchAll(PI_SERVERFUNC_SERVER_STATUS).ints(2).ptrs(&color).send();
}

unsigned int getServerStatusColor() {
    unsigned int color = 0;
    CatchAll(PI_SERVERFUNC_SERVER_STATUS).ints(3).ptrs(&color).send();
    return color;
}

bool isNetworkEnabled() { return CatchAll(PI_SERVERFUNC_SERVER_STATUS).ints(4, 1).sendForBool(1); }

}  // namespace PICommon
