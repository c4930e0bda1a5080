// The callback object the host calls: actions, time-outs, widgets and
// mapFunction take one. Plug-in code derives from it, creates it, keeps it
// alive while the host may call it, and hands its address to the host. The
// library only passes that address along: it never calls, copies or
// deletes one.
#pragma once

#include "bridge/PIStringAbi.h"

// The host's layout: slot 0 the call, slots 1 and 2 the destructor pair.
class FunctorTwoParams__ {
public:
    // Called by the host only. What `source` and `data` are is the host's to
    // say (the simulated host passes an action's name as NUL-terminated
    // characters or a time-out's handle as `source`, and null as `data`);
    // the host ignores the result.
    virtual void* operator()(void* source, void* data) = 0;
    virtual ~FunctorTwoParams__() = default;
};
