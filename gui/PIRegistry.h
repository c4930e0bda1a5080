// The registry: string settings the host keeps for the plug-in, by key.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIObject.h"

namespace PIGUI {

// Has no server object: the proxy keeps nothing and never sends a destroy
// request. Slot order: destructor pair only.
class PI_EXPORT PIRegistry : public PIObject {
public:
    // PIObject's add request, then serverHandle null and ownsServerObject false.
    PIRegistry();
    ~PIRegistry() override;

    // Code 102, PI_DATA_POINTER_AND_STRING: null, key. Returns stringValue
    // as the host left it: the key itself with no host.
    static std::string getValue(const std::string& key);
    // Code 101, PI_DATA_POINTER_STRING_AND_STRING: null, key, value.
    static void setValue(const std::string& key, const std::string& value);
};

}  // namespace PIGUI
