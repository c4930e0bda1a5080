#include "python/ClientBindings.h"

#include <map>
#include <vector>

namespace pybinding {
namespace {

std::multimap<const PICommon::ServiceClient*, std::string>& boundNames() {
    // Never destroyed: clients may still be deleted while the process exits.
    static auto* names = new std::multimap<const PICommon::ServiceClient*, std::string>;
    return *names;
}

}  // namespace

int bind(PICommon::ServiceClient& client, const std::string& serviceName) {
    const int status = client.bind(serviceName);
    if (status == 0) {
        boundNames().emplace(&client, serviceName);
    }
    return status;
}

int unbind(PICommon::ServiceClient& client, const std::string& serviceName) {
    auto range = boundNames().equal_range(&client);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == serviceName) {
            boundNames().erase(it);
            break;
        }
    }
    return client.unbind(serviceName);
}

void destroy(PICommon::ServiceClient* client) {
    auto range = boundNames().equal_range(client);
    std::vector<std::string> stillBound;
    for (auto it = range.first; it != range.second; ++it) {
        stillBound.push_back(it->second);
    }
    boundNames().erase(range.first, range.second);
    for (const auto& name : stillBound) {
        client->unbind(name);
    }
    delete client;
}

}  // namespace pybinding
