// What the GUI proxies share when they build their requests (internal to
// the library; not installed for plug-ins).
#pragma once

#include "bridge/PIDirectRequest.h"
#include "bridge/PIFixedRequest.h"
#include "bridge/PIRequest.h"
#include "gui/PIObject.h"

namespace PIGUI {
namespace detail {

// A proxy argument as the host sees it: its server handle, or null for a
// null proxy.
inline void* handleOf(const PIObject* proxy) { return proxy != nullptr ? proxy->serverHandle : nullptr; }

// The bind request after a creation: code 100, PI_DATA_POINTER_AND_POINTER:
// the proxy's new handle, the proxy. Sent even when the handle is null.
void bindToServer(PIObject* proxy);

// What a getFox accessor returns: `handle` when the host approves direct
// work on toolkit objects (PICommon::verifyFoxVersionDirectAccess), else null.
void* foxObject(void* handle);
// What an accessor shadowing its base's accessor returns: it asks the same
// question and answers null whatever the host says.
void* noFoxObject();

}  // namespace detail
}  // namespace PIGUI
