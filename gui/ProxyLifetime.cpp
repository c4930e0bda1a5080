// Proxy lifetime: the server garbage requests and the library's collector.

#include <algorithm>

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
    if (g_PI_GarbageCollector != nullptr && !g_PI_GarbageCollector->destroying) {
        auto& objects = g_PI_GarbageCollector->objects;
        const auto entry = std::find(objects.begin(), objects.end(), this);
        if (entry != objects.end()) {
            objects.erase(entry);
        }
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

}  // namespace detail
}  // namespace PIGUI
