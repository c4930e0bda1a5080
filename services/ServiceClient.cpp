// Service clients and plug-in services: the six requests of code 322.

#include "bridge/PIRequest.h"
#include "services/PIFileLocatorService.h"
#include "services/PIServiceClient.h"
#include "services/PIServiceNames.h"

namespace PICommon {
namespace {

int serviceRequest(int selector, const std::string* text, const void* pointer) {
    PIBridge::CatchAll request(PI_SERVERFUNC_SERVICES);
    request.ints(selector, 1);
    if (text != nullptr) {
        request.strs(*text);
    }
    return request.ptrs(pointer).sendForInt(1);
}

}  // namespace

ServiceClient::~ServiceClient() = default;

int ServiceClient::bind(const std::string& serviceName) { return serviceRequest(0, &serviceName, this); }

int ServiceClient::unbind(const std::string& serviceName) { return serviceRequest(1, &serviceName, this); }

Service::~Service() = default;

int Service::registerSelf() { return serviceRequest(2, nullptr, this); }

int Service::unregisterSelf() { return serviceRequest(3, nullptr, this); }

int registerServiceType(const std::string& serviceType, Service* service) {
    return serviceRequest(4, &serviceType, service);
}

int getServiceNamesByServiceType(const std::string& serviceType, std::vector<std::string>* names) {
    return serviceRequest(5, &serviceType, names);
}

}  // namespace PICommon

namespace PluginClient {
namespace Interfaces {

FileLocatorService::FileLocatorService() : interface_(nullptr) { bind(FILE_LOCATOR_SERVICE_NAME); }

FileLocatorService::~FileLocatorService() { unbind(FILE_LOCATOR_SERVICE_NAME); }

void FileLocatorService::onServiceConnected(PICommon::BindableInterface* iface) {
    if (iface != nullptr) {
        interface_ = dynamic_cast<FileLocatorInterface*>(iface);
    }
}

void FileLocatorService::onServiceDisconnected() { interface_ = nullptr; }

}  // namespace Interfaces
}  // namespace PluginClient
