// The test host's service side: it publishes services under names, answers
// the service requests (code 322) and calls the clients back, through its own
// declaration of a client's vtable.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "hostsim/MemoryServices.h"

namespace testhost {

// The names the host publishes its services under, spelled out by the host.
#define TESTHOST_VENDOR_PREFIX "com.karven"
inline const char* const kDataBrowserService = TESTHOST_VENDOR_PREFIX "/KARVEN/DataBrowser/1.1";
inline const char* const kFileLocatorService = TESTHOST_VENDOR_PREFIX "/PluginClient/FileLocatorService/1.0";
inline const char* const kFileWriterService = TESTHOST_VENDOR_PREFIX "/PluginClient/FileWriterService/1.0";
inline const char* const kSignalService = TESTHOST_VENDOR_PREFIX "/PluginClient/SignalService/1.0";
inline const char* const kSnapShotService = TESTHOST_VENDOR_PREFIX "/PluginClient/SnapShotService/1.0";

// While it exists, answers code 322:
//   0 bind:   published name -> records the binding, status 0, then calls the
//             client's onServiceConnected with the service; else status 2.
//   1 unbind: bound -> forgets it, status 0, calls onServiceDisconnected; else 2.
//   2, 3 registerSelf / unregisterSelf: keeps the set of registered services, status 0
//             (unregistering a service that is not registered: 2).
//   4 registerServiceType: records the service under the type, status 0.
//   5 getServiceNamesByServiceType: appends the names published under the type
//             to the caller's list, status 0.
// It publishes the five in-memory services under their names, with their
// interface class names as types; the entity GUI is the data browser's.
class TESTHOST_API ServiceHost {
public:
    ServiceHost();
    ~ServiceHost();
    ServiceHost(const ServiceHost&) = delete;
    ServiceHost& operator=(const ServiceHost&) = delete;

    void publish(const std::string& name, PICommon::BindableInterface* service, const std::string& type = "");
    // Removes a service: every client bound to it is disconnected.
    void withdraw(const std::string& name);
    // Withdraws every service, as a host does before it frees them, so that
    // no client keeps an interface about to be freed. The clients still
    // bound must be alive.
    void withdrawAll();

    // Calls the client's slot 2 or slot 3, as the host does.
    static void connect(const void* client, PICommon::BindableInterface* service);
    static void disconnect(const void* client);

    // The service published under a name, or null.
    PICommon::BindableInterface* serviceNamed(const std::string& name) const;

    // Clients bound to a name, in order of binding.
    std::vector<const void*> clientsOf(const std::string& name) const;

    MemoryEntityGui entityGui;
    MemoryFileLocator fileLocator;
    MemoryFileWriter fileWriter;
    MemorySignalService signals;
    MemorySnapShot snapShot;

    std::set<const void*> registeredServices;
    std::map<std::string, std::vector<const void*>> servicesByType;

private:
    void* answer(Exchange& exchange);

    struct Publication {
        PICommon::BindableInterface* service;
        std::string type;
        std::vector<const void*> clients;
    };
    std::map<std::string, Publication> published_;
};

}  // namespace testhost
