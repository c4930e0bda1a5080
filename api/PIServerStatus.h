// The host's server status, its colour, and whether networking is enabled.
//
// Every call is code 309 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector. The status and the colour travel by address in ptrVector (the
// address of a local variable), never in intVector.
#pragma once

#include <cstdint>

#include "bridge/PIExport.h"

namespace PICommon {

// The host's server status, sent as a 32-bit integer; the values are the
// host's. 3 is the status reported when no host answers.
enum PIServerStatus_t : int32_t {};

// Selector 0: intVector [0], ptrVector [&status].
PI_EXPORT void setServerStatus(PIServerStatus_t status);

// Selector 1: intVector [1], ptrVector [&status with status pre-set 3].
// Returns the status the host wrote; 3 without a host.
PI_EXPORT PIServerStatus_t getServerStatus();

// Selector 2: intVector [2], ptrVector [&color].
PI_EXPORT void setServerStatusColor(unsigned int color);

// Selector 3: intVector [3], ptrVector [&color with color pre-set 0].
// Returns the colour the host wrote; 0 without a host.
PI_EXPORT unsigned int getServerStatusColor();

// Selector 4: intVector [4, result 1]. True when intVector[1] is non-zero
// after the request; true without a host.
PI_EXPORT bool isNetworkEnabled();

}  // namespace PICommon
