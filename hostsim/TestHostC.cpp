#include "hostsim/TestHostC.h"

#include <memory>

#include "hostsim/HostJson.h"
#include "hostsim/ServiceHost.h"

namespace testhost {
namespace {

std::unique_ptr<ServiceHost>& serviceHost() {
    static std::unique_ptr<ServiceHost> host;
    return host;
}

}  // namespace
}  // namespace testhost

using namespace testhost;

void testhost_reset(void) {
    // The script's clients are alive (the module unbinds a client before
    // deleting it): they are disconnected before the services go.
    if (serviceHost()) {
        serviceHost()->withdrawAll();
    }
    serviceHost().reset();
    reset();
}

void testhost_forget_history(void) {
    clearRequests();
    if (ServiceHost* host = serviceHost().get()) {
        host->entityGui.history.clear();
        host->fileWriter.writes.clear();
        host->signals.fired.clear();
    }
}

void testhost_serve(void) { serviceHost() = std::make_unique<ServiceHost>(); }

void testhost_report_context(void* context) {
    respond(16, [context](Exchange& e) {
        if (e.selector() == 0) {
            e.setPointer(0, context);
        }
        return nullptr;
    });
}

const char* testhost_requests_json(void) {
    static std::string text;
    text = json::list(requests(), json::request);
    return text.c_str();
}

const char* testhost_state_json(void) {
    static std::string text;
    ServiceHost* host = serviceHost().get();
    if (host == nullptr) {
        text = "null";
        return text.c_str();
    }
    text = json::services(*host);
    return text.c_str();
}

void testhost_connect(void* client, const char* serviceName) {
    ServiceHost* host = serviceHost().get();
    PICommon::BindableInterface* service = host ? host->serviceNamed(serviceName) : nullptr;
    ServiceHost::connect(client, service);
}

void testhost_disconnect(void* client) { ServiceHost::disconnect(client); }

void testhost_publish_as(const char* existingName, const char* newName) {
    if (ServiceHost* host = serviceHost().get()) {
        host->publish(newName, host->serviceNamed(existingName));
    }
}

void testhost_withdraw(const char* serviceName) {
    if (ServiceHost* host = serviceHost().get()) {
        host->withdraw(serviceName);
    }
}

void testhost_add_file(int type, const char* filename, const char* path) {
    if (ServiceHost* host = serviceHost().get()) {
        host->fileLocator.addFile(static_cast<PluginClient::Interfaces::FileLocatorInterface::FileType>(type),
                                  filename, path);
    }
}

void testhost_add_model_texture(const char* modelName, const char* texture) {
    if (ServiceHost* host = serviceHost().get()) {
        std::vector<std::string> textures = host->fileLocator.getModelTextures(modelName);
        textures.push_back(texture);
        host->fileLocator.setModelTextures(modelName, textures);
    }
}
