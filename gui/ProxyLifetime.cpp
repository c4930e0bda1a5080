// Proxy lifetime: the server garbage requests and the library's collector.

#include <algorithm>

#include "api/PIFoxVersion.h"
#include "gui/GuiRequests.h"
#include "gui/PIObject.h"

PIGarbageCollector* g_PI_GarbageCollector = nullptr;

PIObject::PIObject() : serverHandle(nullptr), ownsServerObject(true) {
    if (PIGUI::AddObjectToServerGarbage(this) == 0) {
        return;
    }
    if (g_PI_GarbageCollector == nullptr) {
        g_PI_GarbageCollector = new PIGarbageCollector;
    }
    if (!g_PI_GarbageCollector->destroying) {
        g_PI_GarbageCollector->objects.push_back(this);
    }
}

PIObject::~PIObject() {
    if (ownsServerObject && serverHandle != nullptr) {
        PIBridge::sendDirect(PI_SERVERFUNC_GUI_DESTROY_OBJECT, serverHandle);
    }
    PIGUI::RemoveObjectFromServerGarbage(this);
    if (g_PI_GarbageCollector != nullptr) {
        auto& objects = g_PI_GarbageCollector->objects;
        if (!g_PI_GarbageCollector->destroying) {
            const auto entry = std::find(objects.begin(), objects.end(), this);
            if (entry != objects.end()) {
                objects.erase(entry);
            }
        }
        // Any entry still naming this proxy would be deleted a second time by
        // the collector: a duplicate, or while the collector is destroying, a
        // proxy deleted by another proxy's destructor. Clearing it keeps the
        // list's length, so the collector's walk stays stable.
        std::replace(objects.begin(), objects.end(), static_cast<PIObject*>(this),
                     static_cast<PIObject*>(nullptr));
    }
}

PIGarbageCollector::PIGarbageCollector() : destroying(false) {}

PIGarbageCollector::~PIGarbageCollector() {
    destroying = true;
    for (auto entry = objects.rbegin(); entry != objects.rend(); ++entry) {
        if (PIObject* proxy = *entry) {
            proxy->ownsServerObject = false;
            delete proxy;
        }
    }
    std::vector<PIObject*>().swap(objects);
    if (g_PI_GarbageCollector == this) {
        g_PI_GarbageCollector = nullptr;
    }
}

namespace PIGUI {

int AddObjectToServerGarbage(PIObject* object) {
    return PIBridge::CatchAll(PI_SERVERFUNC_GUI_SERVER_GARBAGE).ints(0, 1).ptrs(object).sendForInt(1);
}

int RemoveObjectFromServerGarbage(PIObject* object) {
    return PIBridge::CatchAll(PI_SERVERFUNC_GUI_SERVER_GARBAGE).ints(1, 1).ptrs(object).sendForInt(1);
}

namespace detail {

void bindToServer(PIObject* proxy) {
    PIBridge::Fixed<PI_DATA_POINTER_AND_POINTER>(PI_SERVERFUNC_GUI_BIND_OBJECT)
        .fields(proxy->serverHandle, static_cast<void*>(proxy))
        .send();
}

void* foxObject(void* handle) { return PICommon::verifyFoxVersionDirectAccess() ? handle : nullptr; }

void* noFoxObject() {
    PICommon::verifyFoxVersionDirectAccess();
    return nullptr;
}

}  // namespace detail
}  // namespace PIGUI
