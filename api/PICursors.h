// The host's wait cursor and cursor override: two independent pairs of
// begin and end requests, which the library neither counts nor pairs.
//
// Every call is code 318 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector; none has a result.
#pragma once

#include <cstdint>

#include "bridge/PIExport.h"

namespace PICommon {

// A cursor shape, sent as a 32-bit integer; the values are the host's.
enum PICursorShape_t : int32_t {};

// Selector 0: intVector [0].
PI_EXPORT void beginWaitCursor();
// Selector 1: intVector [1].
PI_EXPORT void endWaitCursor();
// Selector 2: intVector [2, shape].
PI_EXPORT void beginCursorOverride(PICursorShape_t shape);
// Selector 3: intVector [3].
PI_EXPORT void endCursorOverride();

}  // namespace PICommon
