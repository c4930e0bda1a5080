// The test host's service registry and bindings.

#include "hostsim/ServiceHost.h"

#include <algorithm>

#include "hostsim/HostDeclarations.h"

namespace testhost {
namespace {

const int32_t kServicesCode = 322;
const int32_t kDone = 0;
const int32_t kNotDone = 2;

PICommon::ServiceClient* asClient(const void* client) {
    return static_cast<PICommon::ServiceClient*>(const_cast<void*>(client));
}

}  // namespace

ServiceHost::ServiceHost() {
    publish(kDataBrowserService, &entityGui, "EntityGuiInterface");
    publish(kFileLocatorService, &fileLocator, "FileLocatorInterface");
    publish(kFileWriterService, &fileWriter, "FileWriterInterface");
    publish(kSignalService, &signals, "SignalInterface");
    publish(kSnapShotService, &snapShot, "SnapShotInterface");
    respond(kServicesCode, [this](Exchange& exchange) { return answer(exchange); });
}

ServiceHost::~ServiceHost() { respond(kServicesCode, nullptr); }

void ServiceHost::publish(const std::string& name, PICommon::BindableInterface* service,
                          const std::string& type) {
    published_[name] = Publication{service, type, {}};
}

void ServiceHost::withdraw(const std::string& name) {
    const auto found = published_.find(name);
    if (found == published_.end()) {
        return;
    }
    const std::vector<const void*> clients = found->second.clients;
    published_.erase(found);
    for (const void* client : clients) {
        disconnect(client);
    }
}

void ServiceHost::withdrawAll() {
    while (!published_.empty()) {
        withdraw(published_.begin()->first);
    }
}

void ServiceHost::connect(const void* client, PICommon::BindableInterface* service) {
    asClient(client)->onServiceConnected(service);
}

void ServiceHost::disconnect(const void* client) { asClient(client)->onServiceDisconnected(); }

PICommon::BindableInterface* ServiceHost::serviceNamed(const std::string& name) const {
    const auto found = published_.find(name);
    return found == published_.end() ? nullptr : found->second.service;
}

std::vector<const void*> ServiceHost::clientsOf(const std::string& name) const {
    const auto found = published_.find(name);
    return found == published_.end() ? std::vector<const void*>() : found->second.clients;
}

void* ServiceHost::answer(Exchange& exchange) {
    const Block& block = exchange.request().block;
    const std::string text = block.strs.empty() ? std::string() : block.strs[0];
    const void* pointer = block.ptrs.empty() ? nullptr : block.ptrs[0];
    int32_t status = kNotDone;
    switch (exchange.selector()) {
    case 0: {
        const auto found = published_.find(text);
        if (found != published_.end()) {
            auto& clients = found->second.clients;
            if (std::find(clients.begin(), clients.end(), pointer) == clients.end()) {
                clients.push_back(pointer);
            }
            exchange.setInt(1, kDone);
            connect(pointer, found->second.service);
            return nullptr;
        }
        break;
    }
    case 1: {
        const auto found = published_.find(text);
        if (found != published_.end()) {
            auto& clients = found->second.clients;
            const auto bound = std::find(clients.begin(), clients.end(), pointer);
            if (bound != clients.end()) {
                clients.erase(bound);
                exchange.setInt(1, kDone);
                disconnect(pointer);
                return nullptr;
            }
        }
        break;
    }
    case 2:
        registeredServices.insert(pointer);
        status = kDone;
        break;
    case 3: status = registeredServices.erase(pointer) != 0 ? kDone : kNotDone; break;
    case 4:
        servicesByType[text].push_back(pointer);
        status = kDone;
        break;
    case 5: {
        auto* names = static_cast<std::vector<std::string>*>(exchange.pointerAt(0));
        for (const auto& [name, publication] : published_) {
            if (publication.type == text) {
                names->push_back(name);
            }
        }
        status = kDone;
        break;
    }
    default: return nullptr;
    }
    exchange.setInt(1, status);
    return nullptr;
}

}  // namespace testhost
