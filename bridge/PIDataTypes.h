// Value types of the plug-in API shared by the service interfaces.
#pragma once

#include <cstdint>

namespace PIData {

// Entity unique identifier.
typedef uint64_t UniqueID_t;

// Coordinate systems.
enum PICoordSystem_t : int32_t {
    PI_COORDSYS_NED = 0,
    PI_COORDSYS_NWU = 1,
    PI_COORDSYS_ENU = 2,
    PI_COORDSYS_LLA = 3,
    PI_COORDSYS_ECEF = 4,
    PI_COORDSYS_XEAST = 5,
    PI_COORDSYS_GTP = 8,
    PI_COORDSYS_ECI = 9,
};

// A time format; its values are the host's.
enum PITimeFormat_t : int32_t {};

}  // namespace PIData

namespace PIKARVEN {

// How file names are written.
enum PIFilenameType_t : int32_t {
    PI_FILENAME_ABSOLUTE = 0,
    PI_FILENAME_RELATIVE = 1,
    PI_FILENAME_STRIPPED = 2,
    PI_FILENAME_UNCHANGED = 3,
};

}  // namespace PIKARVEN
