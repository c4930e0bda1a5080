// Recording the host's display to a file. Both calls are code 323 (shared
// with the delegate registrations) with a PI_DATA_CATCHALL whose
// intVector[0] is the selector. Their statuses are pre-set to 3.
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PICommon {

// Selector 1: intVector [1, result 3, b1, b2, b3] (the flags as 0 or 1),
// dblVector [d1, d2, d3], strVector [fileName]. Returns the status from
// intVector[1]; 3 without a host.
PI_EXPORT int startRecording(const std::string& fileName, bool b1, bool b2, double d1, bool b3, double d2,
                             double d3);

// Selector 2: intVector [2, result 3]. Returns the status; 3 without a host.
PI_EXPORT int stopRecording();

}  // namespace PICommon
