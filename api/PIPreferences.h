// The host's preferences file. Both calls are code 321 with a
// PI_DATA_CATCHALL whose intVector[0] is the selector.
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PICommon {

// Selector 0: intVector [0, result 1], strVector [fileName]. Returns the
// status from intVector[1]; 1 without a host.
PI_EXPORT int loadPrefsFile(const std::string& fileName);

// Selector 1: intVector [1], strVector [fileName]. No result.
PI_EXPORT void savePrefsFile(const std::string& fileName);

}  // namespace PICommon
