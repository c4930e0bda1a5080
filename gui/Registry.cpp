// The registry: two static requests and a proxy without a server object.

#include "gui/GuiRequests.h"
#include "gui/PIRegistry.h"

namespace PIGUI {

PIRegistry::PIRegistry() {
    serverHandle = nullptr;
    ownsServerObject = false;
}

PIRegistry::~PIRegistry() = default;

std::string PIRegistry::getValue(const std::string& key) {
    return PIBridge::Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_REGISTRY_GET_VALUE)
        .fields(nullptr, key)
        .sendFor(&PI_DATA_POINTER_AND_STRING::stringValue);
}

void PIRegistry::setValue(const std::string& key, const std::string& value) {
    PIBridge::Fixed<PI_DATA_POINTER_STRING_AND_STRING>(PI_SERVERFUNC_GUI_REGISTRY_SET_VALUE)
        .fields(nullptr, key, value)
        .send();
}

}  // namespace PIGUI
