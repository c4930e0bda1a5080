// Bindings of the clients that Python scripts create.
//
// A script may drop a client while the host still holds it as bound. The
// binding layer therefore remembers every name a Python-created client was
// bound to (with status 0) and unbinds the ones still bound before the client
// is deleted, so the host is never left with a dangling client pointer.
#pragma once

#include <string>

#include "services/PIServiceClient.h"

namespace pybinding {

// ServiceClient::bind; remembers the name when the host answers 0.
int bind(PICommon::ServiceClient& client, const std::string& serviceName);
// ServiceClient::unbind; forgets one binding of the name.
int unbind(PICommon::ServiceClient& client, const std::string& serviceName);
// Unbinds every name still remembered for the client, then deletes it.
void destroy(PICommon::ServiceClient* client);

}  // namespace pybinding
