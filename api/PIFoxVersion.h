// The toolkit-version handshake: a plug-in registers the two version
// numbers of the FOX toolkit it was built against, and the host judges
// whether they are compatible. The comparison is the host's.
//
// Every call is code 15 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector given with the call.
#pragma once

#include "bridge/PIExport.h"

namespace PICommon {

// Selector 0: intVector [0, first, second, result 1]; the result is the
// fourth entry. Returns intVector[3]; 1 without a host.
PI_EXPORT int registerFoxVersion(int first, int second);

// Selector 1: intVector [1, result 0]. True when the host judges the
// registered version compatible; false without a host.
PI_EXPORT bool verifyFoxVersion();

// Selector 2: intVector [2, result 0]. True when the registered version may
// be used for direct work on toolkit objects (checked by the GUI proxies'
// getFox accessors); false without a host.
PI_EXPORT bool verifyFoxVersionDirectAccess();

}  // namespace PICommon
