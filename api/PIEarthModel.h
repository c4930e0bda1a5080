// Calculations the host makes on its earth model.
//
// Arguments and results travel by address in ptrVector: the library copies
// each object argument into a local variable and sends the local's address;
// the host reads and writes through those addresses during the request only.
#pragma once

#include <cstdint>

#include "bridge/PIExport.h"

namespace PICommon {

// The kind of a range calculation, sent as a 32-bit integer. Its values are
// the CALC_ constants (CALC_SUN_POSITION to CALC_COURSE), e.g.
// PICommon::PIEarthModelCalculations_t(CALC_MACH).
enum PIEarthModelCalculations_t : int32_t {};

// Code 436: intVector [0, kind], ptrVector [&a, &b, &c, &value with value
// pre-set to PI_INVALID_DOUBLE]. Returns the value as the host left it;
// PI_INVALID_DOUBLE (-999999999.0) without a host. There is no status.
PI_EXPORT double rangeCalculateValue(unsigned long a, unsigned long b, unsigned long c,
                                     PIEarthModelCalculations_t kind);

// Code 438: intVector [0, result -1], ptrVector [&object, &eclipsed with
// eclipsed a bool pre-set false]. Returns -1 when intVector[1] is non-zero
// after the request (also without a host), else 1 when eclipsed, 0 when not.
PI_EXPORT int checkEarthEclipse(unsigned long object);

}  // namespace PICommon
