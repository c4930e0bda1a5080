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

}  // namespace detail
}  // namespace PIGUI
