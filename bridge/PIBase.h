// Version of the plug-in API and the call-context override.
//
// Every request carries a context pointer telling the host which plug-in is
// calling. A plug-in may push an override context and pop it again; the host
// keeps that state and the library asks for it before every request.
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PIBase {

// Version of the API this library implements: 1.28.0, build 12800.
PI_EXPORT int majorVersion();
PI_EXPORT int minorVersion();
PI_EXPORT int revisionVersion();
PI_EXPORT int buildNumber();

// "major.minor.revision" in decimal ("1.28.0"); the build number is not part of it.
PI_EXPORT std::string versionString();

// The version in the legacy single-number form (1.9028 for 1.28.0).
PI_EXPORT double legacyApiVersion();

// The three override requests go straight to the function map with a null
// context (they are the only requests whose context is not looked up).
// Code 16, PI_DATA_CATCHALL, dblVector and strVector empty.

// Selector 0: intVector [0], ptrVector [null]. Returns ptrVector[0] as the
// host left it: the override in force, or null (also without a host).
PI_EXPORT void* getOverriddenThisPointer();

// Selector 1: intVector [1, result 1], ptrVector [context]. Returns the
// host's status from intVector[1]; 1 when no host answered.
PI_EXPORT int pushOverrideThisPointer(void* context);

// Selector 2: intVector [2, result 1], ptrVector empty. Returns intVector[1]; 1 without a host.
PI_EXPORT int popOverrideThisPointer();

}  // namespace PIBase
