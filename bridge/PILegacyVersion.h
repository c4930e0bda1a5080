// The legacy single-number form of an API version (internal to the library).
#pragma once

namespace PIBridge {

// Products first, then sums from left to right:
//   major 0:              minor * 0.01
//   major 1, minor <= 9:  (1.0 + minor * 0.1) + revision * 0.001
//   major 1, minor > 9:   (1.9 + minor * 0.0001) + revision * 0.000001
//   any other major:      (major + minor * 0.01) + revision * 0.0001
double legacyVersionNumber(int major, int minor, int revision);

}  // namespace PIBridge
