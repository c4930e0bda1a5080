// The signal callbacks a script registered with a signal interface.
//
// Included into the generated wrapper after SWIG's runtime and director
// support; not a header of the client library.
//
// The host keeps only the native pointer of a registered callback, and a
// registration changes neither ownership nor reference counts. So that the
// host is never left holding a freed callback, the binding remembers every
// registration the host accepted (status 0) until it is removed, and a
// callback destroyed while still registered (its Python object collected, or
// freed with delete_SignalCallback) is removed from each signal interface it
// was added to before its native object goes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "services/PISignalInterface.h"

namespace pysignals {

namespace ifc = PluginClient::Interfaces;

struct Registration {
    ifc::SignalInterface* signals;
    std::string name;  // empty for a global callback
    bool global;
};

inline std::multimap<const ifc::SignalCallback*, Registration>& registrations() {
    // Never destroyed: callbacks may still be freed while the process exits.
    static auto* all = new std::multimap<const ifc::SignalCallback*, Registration>;
    return *all;
}

inline void forget(ifc::SignalInterface& signals, const std::string& name, bool global,
                   const ifc::SignalCallback* callback) {
    auto range = registrations().equal_range(callback);
    for (auto it = range.first; it != range.second; ++it) {
        const Registration& entry = it->second;
        if (entry.signals == &signals && entry.global == global && entry.name == name) {
            registrations().erase(it);
            return;
        }
    }
}

inline int addCallback(ifc::SignalInterface& signals, const std::string& name,
                       ifc::SignalCallback* callback) {
    const int status = signals.addCallback(name, callback);
    if (status == 0 && callback) {
        registrations().emplace(callback, Registration{&signals, name, false});
    }
    return status;
}

inline int removeCallback(ifc::SignalInterface& signals, const std::string& name,
                          ifc::SignalCallback* callback) {
    const int status = signals.removeCallback(name, callback);
    if (status == 0) {
        forget(signals, name, false, callback);
    }
    return status;
}

inline int addGlobalCallback(ifc::SignalInterface& signals, ifc::SignalCallback* callback) {
    const int status = signals.addGlobalCallback(callback);
    if (status == 0 && callback) {
        registrations().emplace(callback, Registration{&signals, std::string(), true});
    }
    return status;
}

inline int removeGlobalCallback(ifc::SignalInterface& signals, ifc::SignalCallback* callback) {
    const int status = signals.removeGlobalCallback(callback);
    if (status == 0) {
        forget(signals, std::string(), true, callback);
    }
    return status;
}

// Removes the callback from every interface it is still registered with,
// then deletes it.
inline void destroy(ifc::SignalCallback* callback) {
    auto range = registrations().equal_range(callback);
    std::vector<Registration> stillRegistered;
    for (auto it = range.first; it != range.second; ++it) {
        stillRegistered.push_back(it->second);
    }
    registrations().erase(range.first, range.second);
    for (const Registration& entry : stillRegistered) {
        if (entry.global) {
            entry.signals->removeGlobalCallback(callback);
        } else {
            entry.signals->removeCallback(entry.name, callback);
        }
    }
    delete callback;
}

}  // namespace pysignals
