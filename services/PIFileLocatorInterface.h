// The file locator service: finds data files by kind. Implemented by the
// host; called directly on the host's object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/PIBindableInterface.h"

namespace PluginClient {
namespace Interfaces {

// Slots 0 and 1 are the destructor pair; the operations follow in this order.
class PI_EXPORT FileLocatorInterface : public PICommon::BindableInterface {
public:
    enum FileType : int32_t {
        MODEL = 0,
        GOG = 1,
        MEDIA = 2,
        TERRAIN = 3,
        PREFERENCE_RULE = 4,
        VIEW = 5,
        HOTKEY = 6,
        DISCN = 7,
        ANTENNAPATTERN = 8,
        RFPROP = 9,
        SCREENTEXT = 10,
        OTHER = 11,
    };

    ~FileLocatorInterface() override = default;
    // Slot 2: the full path of a file of the given kind.
    virtual std::string locate(FileType type, const std::string& filename) const = 0;
    // Slot 3: the texture files of a model.
    virtual std::vector<std::string> getModelTextures(const std::string& modelName) const = 0;
};

}  // namespace Interfaces
}  // namespace PluginClient
