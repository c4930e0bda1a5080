// Root of every service interface.
#pragma once

#include "bridge/PIExport.h"

namespace PICommon {

// Polymorphic so that a client can safely down-cast it to the interface it
// expects; the library calls no operation of its own on it. The type
// information is exported, so the down-cast works across shared objects.
class PI_EXPORT BindableInterface {
public:
    virtual ~BindableInterface() = default;
};

}  // namespace PICommon
