// Value types of the plug-in API shared by the service interfaces.
#pragma once

#include <cstdint>

#include "bridge/PIPluginConstants.h"

namespace PIData {

// Entity unique identifier.
typedef uint64_t UniqueID_t;

// A time format; its values are the host's.
enum PITimeFormat_t : int32_t {};

}  // namespace PIData
