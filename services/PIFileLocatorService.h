// A file-locator client that binds itself for its whole lifetime.
#pragma once

#include "services/PIFileLocatorInterface.h"
#include "services/PIServiceClient.h"

namespace PluginClient {
namespace Interfaces {

// The constructor binds to FILE_LOCATOR_SERVICE_NAME (code 322, selector 0)
// and the destructor unbinds from it (selector 1).
class PI_EXPORT FileLocatorService : public PICommon::ServiceClient {
public:
    FileLocatorService();
    ~FileLocatorService() override;

    // Keeps the object when it is a FileLocatorInterface; null keeps the current one.
    void onServiceConnected(PICommon::BindableInterface* iface) override;
    void onServiceDisconnected() override;

    // The connected interface, borrowed from the host; null when unconnected.
    FileLocatorInterface* getInterface() const { return interface_; }

private:
    FileLocatorInterface* interface_;
};

}  // namespace Interfaces
}  // namespace PluginClient
