// Signal callbacks made by scripts: what the binding remembers of their
// registrations, and how long their native objects live.
//
// Included into the generated wrapper after SWIG's runtime and director
// support; not a header of the client library.
//
// The host keeps only the native pointer of a registered callback, and a
// registration changes neither ownership nor reference counts. So that the
// host is never left holding a freed callback, and the binding never calls
// a signal interface that the host may have freed:
//
// - The binding knows a signal interface to be alive while a client of the
//   script holds it (python/HeldInterfaces.h).
// - It remembers a registration the host accepted (status 0) only through
//   such an interface, until the script removes it.
// - When the last of the script's clients lets go of an interface, that is
//   the last moment it is known to be alive: the callbacks registered
//   through it are removed from it then, and nothing of it is remembered.
// - A callback destroyed while still registered is removed from each of
//   those interfaces before its native object goes.
//
// A director (the native object of a Python subclass) that Python owns dies
// with its Python object: when that object is collected, the director is
// destroyed and every pointer object still naming it is cleared, so a
// `this` kept after its proxy is refused instead of calling into a freed
// Python object. Once disowned (`__disown__`), the director keeps its
// Python object alive and lives until native code deletes it.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "python/HeldInterfaces.h"
#include "services/PISignalInterface.h"

namespace pysignals {

namespace ifc = PluginClient::Interfaces;

struct Registration {
    ifc::SignalInterface* signals;
    std::string name;  // empty for a global callback
    bool global;
};

// Never destroyed: callbacks and clients may still be freed while the
// process exits.
inline std::multimap<const ifc::SignalCallback*, Registration>& registrations() {
    static auto* all = new std::multimap<const ifc::SignalCallback*, Registration>;
    return *all;
}
inline void removeFromHost(ifc::SignalCallback* callback, const Registration& entry) {
    if (entry.global) {
        entry.signals->removeGlobalCallback(callback);
    } else {
        entry.signals->removeCallback(entry.name, callback);
    }
}

// No client of the script holds the interface at `address` any more: the
// callbacks registered through it are removed from it, and forgotten.
inline void connectionEnded(const void* address) {
    std::vector<std::pair<ifc::SignalCallback*, Registration> > ending;
    for (auto it = registrations().begin(); it != registrations().end();) {
        if (static_cast<const void*>(it->second.signals) == address) {
            ending.emplace_back(const_cast<ifc::SignalCallback*>(it->first), it->second);
            it = registrations().erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [callback, entry] : ending) {
        removeFromHost(callback, entry);
    }
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

inline void remember(ifc::SignalInterface& signals, const std::string& name, bool global,
                     ifc::SignalCallback* callback) {
    if (callback && pyheld::held(&signals)) {
        registrations().emplace(callback, Registration{&signals, name, global});
    }
}

inline int addCallback(ifc::SignalInterface& signals, const std::string& name,
                       ifc::SignalCallback* callback) {
    const int status = signals.addCallback(name, callback);
    if (status == 0) {
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
    if (status == 0) {
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

// The directors that Python owns, each watched through a weak reference to
// its Python object.
struct Watch {
    PyObject* weakref;        // to the Python object (counted)
    PyObject* pointerObject;  // the director's pointer object (counted)
};

inline std::unordered_map<const ifc::SignalCallback*, Watch>& watches() {
    static auto* all = new std::unordered_map<const ifc::SignalCallback*, Watch>;
    return *all;
}

inline void destroy(ifc::SignalCallback* callback);

// The Python object of the watched director at `address` was collected:
// its pointer object is cleared and the director destroyed.
inline PyObject* pythonObjectGone(PyObject* address, PyObject*) {
    const auto found = watches().find(static_cast<const ifc::SignalCallback*>(PyLong_AsVoidPtr(address)));
    if (found != watches().end()) {
        SwigPyObject* pointer = reinterpret_cast<SwigPyObject*>(found->second.pointerObject);
        pointer->ptr = nullptr;
        pointer->own = 0;
        destroy(const_cast<ifc::SignalCallback*>(found->first));
    }
    Py_RETURN_NONE;
}

// Watches a new director: `self` is its Python object, `pointerObject` the
// owned pointer object made for it. False with a Python error when `self`
// cannot be weakly referenced (the director is then not usable).
inline bool watch(ifc::SignalCallback* callback, PyObject* self, PyObject* pointerObject) {
    static PyMethodDef definition = {"pythonObjectGone", pythonObjectGone, METH_O, nullptr};
    PyObject* address = PyLong_FromVoidPtr(callback);
    PyObject* onGone = address ? PyCFunction_New(&definition, address) : nullptr;
    Py_XDECREF(address);
    PyObject* weakref = onGone ? PyWeakref_NewRef(self, onGone) : nullptr;
    Py_XDECREF(onGone);
    if (!weakref) {
        return false;
    }
    Py_INCREF(pointerObject);
    watches()[callback] = Watch{weakref, pointerObject};
    return true;
}

// Native code takes over the director (disowned) or it goes: no longer
// watched.
inline void unwatch(const ifc::SignalCallback* callback) {
    const auto found = watches().find(callback);
    if (found == watches().end()) {
        return;
    }
    const Watch watch = found->second;
    watches().erase(found);
    Py_DECREF(watch.weakref);
    Py_DECREF(watch.pointerObject);
}

// Removes the callback from every interface it is still registered with,
// then deletes it.
inline void destroy(ifc::SignalCallback* callback) {
    unwatch(callback);
    auto range = registrations().equal_range(callback);
    std::vector<Registration> stillRegistered;
    for (auto it = range.first; it != range.second; ++it) {
        stillRegistered.push_back(it->second);
    }
    registrations().erase(range.first, range.second);
    for (const Registration& entry : stillRegistered) {
        removeFromHost(callback, entry);
    }
    delete callback;
}

}  // namespace pysignals
