// The signal callbacks a script registered with a signal interface.
//
// Included into the generated wrapper after SWIG's runtime and director
// support; not a header of the client library.
//
// The host keeps only the native pointer of a registered callback, so a
// registration keeps the Python object alive: every add that the host accepts
// (status 0) takes a counted reference to the callback's Python instance, and
// every remove that the host accepts gives one back. A script may therefore
// drop a registered callback (it keeps receiving signals until it is
// removed). A callback freed explicitly while still registered is removed
// from each signal interface it was added to first, so the host is never
// left with a dangling callback.
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
    PyObject* instance;  // counted; null for a callback that is no director
};

inline std::multimap<const ifc::SignalCallback*, Registration>& registrations() {
    // Never destroyed: callbacks may still be freed while the process exits.
    static auto* all = new std::multimap<const ifc::SignalCallback*, Registration>;
    return *all;
}

inline PyObject* instanceOf(ifc::SignalCallback* callback) {
    auto* director = dynamic_cast<Swig::Director*>(callback);
    return director ? director->swig_get_self() : nullptr;
}

inline void remember(ifc::SignalInterface& signals, const std::string& name, bool global,
                     ifc::SignalCallback* callback) {
    PyObject* instance = instanceOf(callback);
    Py_XINCREF(instance);
    registrations().emplace(callback, Registration{&signals, name, global, instance});
}

inline void forget(ifc::SignalInterface& signals, const std::string& name, bool global,
                   const ifc::SignalCallback* callback) {
    auto range = registrations().equal_range(callback);
    for (auto it = range.first; it != range.second; ++it) {
        const Registration& entry = it->second;
        if (entry.signals == &signals && entry.global == global && entry.name == name) {
            PyObject* instance = entry.instance;
            registrations().erase(it);
            // Last: the instance may go with it, and its native object with it.
            Py_XDECREF(instance);
            return;
        }
    }
}

inline int addCallback(ifc::SignalInterface& signals, const std::string& name,
                       ifc::SignalCallback* callback) {
    const int status = signals.addCallback(name, callback);
    if (status == 0 && callback) {
        remember(signals, name, false, callback);
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
        remember(signals, std::string(), true, callback);
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
    // The instances go last: the script that freed the callback still holds
    // its own reference, so none of them is deallocated here.
    for (const Registration& entry : stillRegistered) {
        Py_XDECREF(entry.instance);
    }
}

}  // namespace pysignals
