// Proxy object lifetime: the root of every GUI proxy and the two lists that
// make sure every proxy is deleted when the plug-in goes away.
//
// A proxy stands for a server object (widget, icon, dialog) that the host
// creates, owns and draws; it keeps the host's handle of it. Every proxy is
// offered to the host's per-plug-in list, the server garbage, when it is
// built; when the host declines (any answer but 0, and always without a
// host), the library's own collector lists it instead.
#pragma once

#include <vector>

#include "bridge/PIExport.h"

// Root of the proxy tree. Slot order: destructor pair only.
class PI_EXPORT PIObject {
public:
    // serverHandle null, ownsServerObject true; then sends the add request
    // (code 168, selector 0) and, unless the host answers 0, lists the proxy
    // in g_PI_GarbageCollector (creating it when absent, skipping the
    // listing while it is destroying).
    PIObject();
    // Sends code 142 with serverHandle when the proxy owns a non-null server
    // object, then the remove request (code 168, selector 1), then takes the
    // proxy's first entry out of the collector unless it is destroying.
    virtual ~PIObject();

    PIObject(const PIObject&) = delete;
    PIObject& operator=(const PIObject&) = delete;

    // The host's handle of the server object; null until the creation
    // request answers, and for proxies without a server object.
    void* serverHandle;
    // When true, destroying the proxy asks the host to destroy the server object.
    bool ownsServerObject;
};

// The proxies that the library itself deletes at the end, in order of
// construction. Slot order: destructor pair only.
class PI_EXPORT PIGarbageCollector {
public:
    PIGarbageCollector();
    // Sets `destroying`, deletes every listed proxy from the last to the
    // first (skipping nulls) after clearing its ownsServerObject, so no
    // destroy request is sent, only remove requests; then releases the list
    // and clears g_PI_GarbageCollector if it points here.
    virtual ~PIGarbageCollector();

    PIGarbageCollector(const PIGarbageCollector&) = delete;
    PIGarbageCollector& operator=(const PIGarbageCollector&) = delete;

    std::vector<PIObject*> objects;
    // True from the start of the destructor: proxies destroyed meanwhile
    // leave `objects` alone and proxies built meanwhile are not listed.
    bool destroying;
};

// The one collector: null until the first proxy the host declines; created
// on the heap and never deleted by the library. Whoever unloads the plug-in
// deletes it to delete every proxy the plug-in left behind.
extern PI_EXPORT PIGarbageCollector* g_PI_GarbageCollector;

namespace PIGUI {

// Code 168, PI_DATA_CATCHALL: intVector [0, result 1], ptrVector [object].
// Returns intVector[1]: 0 when the host took the proxy into its server
// garbage; 1 when no host answers.
PI_EXPORT int AddObjectToServerGarbage(PIObject* object);
// Code 168: intVector [1, result 1], ptrVector [object]. Returns
// intVector[1]; 1 when no host answers.
PI_EXPORT int RemoveObjectFromServerGarbage(PIObject* object);

}  // namespace PIGUI
