// Viewports and drawing.
//
// The host draws its scene into named viewports. Requests here are either
// direct (the data argument is null or the address of one value) or carry a
// PI_DATA_CATCHALL. No operation returns a status except the draw-on-refresh
// registration.
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PICommon {

// Code 315, block: dblVector [d1, d2, d3, d4], intVector [i], strVector
// [name]; no selector. The meaning of i and the four doubles is the host's.
PI_EXPORT void createViewport(int i, const std::string& name, double d1, double d2, double d3, double d4);

// Code 320, block: intVector [0, on as 0 or 1], strVector [name].
PI_EXPORT void toggleViewport(const std::string& name, bool on);

// Code 310, direct: the address of the caller's `name` string object.
PI_EXPORT void setViewport(const std::string& name);

// Code 311, direct: the address of a copy of `index`. Returns the name from
// the characters the host returns; empty when it returns null, and without
// a host.
PI_EXPORT std::string getViewport(int index);

// Code 312, direct: the address of a count pre-set to 0. Returns the count
// the host wrote; 0 without a host.
PI_EXPORT int getNumViewports();

// Code 313, direct: null data.
PI_EXPORT void nextViewport();

// Code 314, direct: the address of the caller's `name` string object (never
// null, even for an empty name).
PI_EXPORT void deleteViewport(const std::string& name);

// Code 314, direct: null data.
PI_EXPORT void deleteAllViewports();

// Code 316, direct: null data.
PI_EXPORT void forceOpenGLRedraw();

// Code 327, block: intVector [0, result 1, priority]. Returns the status
// from intVector[1]; 1 without a host.
PI_EXPORT int registerDrawOnRefreshPriority(int priority);

}  // namespace PICommon
