// The signal service: named publish/subscribe callbacks. Implemented by the
// host; called directly on the host's object. Callbacks and payloads are
// passed by address and stay with the plug-in code that made them.
#pragma once

#include <string>

#include "services/PIBindableInterface.h"

namespace PluginClient {
namespace Interfaces {

// Root of every signal payload; a bare SignalData carries nothing.
class PI_EXPORT SignalData {
public:
    SignalData() = default;
    virtual ~SignalData() = default;
};

// Receiver of signals, implemented by plug-in code. Slots 0 and 1 are the
// destructor pair, slot 2 callback.
class PI_EXPORT SignalCallback {
public:
    virtual ~SignalCallback() = default;
    // Called by the signal service with the signal's name and payload.
    virtual void callback(const std::string& name, SignalData* data) = 0;
};

// Slots 0 and 1 are the destructor pair; the operations follow in this order.
class PI_EXPORT SignalInterface : public PICommon::BindableInterface {
public:
    ~SignalInterface() override = default;
    virtual int addCallback(const std::string& name, SignalCallback* callback) = 0;     // 2
    virtual int removeCallback(const std::string& name, SignalCallback* callback) = 0;  // 3
    virtual int addGlobalCallback(SignalCallback* callback) = 0;                        // 4
    virtual int removeGlobalCallback(SignalCallback* callback) = 0;                     // 5
    virtual bool hasCallbacks(const std::string& name) = 0;                             // 6
    // Slot 7: publishes `data` under `name` to the callbacks registered for it.
    virtual int fireCallbacks(const std::string& name, SignalData* data) = 0;
};

}  // namespace Interfaces
}  // namespace PluginClient
