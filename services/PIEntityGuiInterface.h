// The entity GUI service: shows and selects entities by unique identifier.
// Implemented by the host; called directly on the host's object.
#pragma once

#include <cstdint>
#include <vector>

#include "services/PIBindableInterface.h"

namespace PluginClient {
namespace Interfaces {

// Slots 0 and 1 are the destructor pair; the operations follow in this order.
class PI_EXPORT EntityGuiInterface : public PICommon::BindableInterface {
public:
    ~EntityGuiInterface() override = default;
    virtual void showGuiAndSelect(const std::vector<uint64_t>& ids) = 0;  // slot 2
    virtual void selectIds(const std::vector<uint64_t>& ids) = 0;         // slot 3
    virtual void setTreeView(bool useTreeView) = 0;                       // slot 4
};

}  // namespace Interfaces
}  // namespace PluginClient
