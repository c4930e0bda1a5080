// Time-outs: the host runs a callback after a delay. A time-out is known by
// the opaque handle the host returns for it. The library never calls,
// copies or deletes the callback; it must stay valid until the time-out
// has fired or been removed.
//
// Both calls are code 317 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector.
#pragma once

#include "bridge/PIExport.h"
#include "bridge/PIFunctorTwoParams.h"

namespace PICommon {

// Selector 0: intVector [0, interval], ptrVector [callback, &handle with
// handle a void* pre-set null]. Returns the handle the host wrote; null
// without a host.
PI_EXPORT void* createTimeout(int interval, FunctorTwoParams__* callback);

// A null handle sends nothing. Otherwise selector 1: intVector [1],
// ptrVector [&handle] (the address of a local copy). Returns 0 in every case.
PI_EXPORT int removeTimeout(void* handle);

}  // namespace PICommon
