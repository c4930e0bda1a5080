// Services, bindings and clients.
//
// A plug-in uses a host service through a client: it asks the host to bind
// the client to a service name, the host hands the client the service's
// interface object through onServiceConnected, and the plug-in calls the
// interface directly. Every request here is code 322 with a PI_DATA_CATCHALL:
// intVector [selector, result 1], one text in strVector (or none), one
// pointer in ptrVector; the status comes back in intVector[1] (1 when no
// host answered).
#pragma once

#include <string>
#include <vector>

#include "bridge/PIExport.h"
#include "services/PIBindableInterface.h"

namespace PICommon {

// Base of every client. Slot order: destructor pair, onServiceConnected,
// onServiceDisconnected.
class PI_EXPORT ServiceClient {
public:
    virtual ~ServiceClient();

    // Called by the host with the bound service's interface object.
    virtual void onServiceConnected(BindableInterface* iface) = 0;
    // Called by the host when the binding ends.
    virtual void onServiceDisconnected() = 0;

    // Selector 0: strVector [serviceName], ptrVector [this]. The host learns
    // the client's address from the request. Returns the status.
    int bind(const std::string& serviceName);
    // Selector 1: strVector [serviceName], ptrVector [this]. Returns the status.
    int unbind(const std::string& serviceName);
};

// A client that keeps one interface of type T (not owned), null until the
// host connects an object that really is a T.
template <typename T>
class PI_EXPORT BasicClient : public ServiceClient {
public:
    BasicClient() = default;

    // Null keeps the current interface; an object of another type leaves the
    // client unconnected.
    void onServiceConnected(BindableInterface* iface) override {
        if (iface != nullptr) {
            interface_ = dynamic_cast<T*>(iface);
        }
    }
    void onServiceDisconnected() override { interface_ = nullptr; }

    bool isValid() const { return interface_ != nullptr; }
    // The connected interface, borrowed from the host; null when unconnected.
    T* getInterface() const { return interface_; }

private:
    T* interface_ = nullptr;
};

// Base of a service implemented by a plug-in; the library only passes its
// address to the host.
class PI_EXPORT Service {
public:
    virtual ~Service();

    // Selector 2: strVector empty, ptrVector [this]. Returns the status.
    int registerSelf();
    // Selector 3: strVector empty, ptrVector [this]. Returns the status.
    int unregisterSelf();
};

// Selector 4: strVector [serviceType], ptrVector [service]. Returns the status.
PI_EXPORT int registerServiceType(const std::string& serviceType, Service* service);

// Selector 5: strVector [serviceType], ptrVector [names]. The host fills the
// caller's list in place; the library neither clears nor reads it. Returns
// the status.
PI_EXPORT int getServiceNamesByServiceType(const std::string& serviceType, std::vector<std::string>* names);

}  // namespace PICommon
