// JSON texts of what a host saw and keeps, for tests in other languages and
// for the simulated host's trace and summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hostsim/RecordingHost.h"

namespace testhost {

class ServiceHost;

namespace json {

TESTHOST_API std::string quoted(const std::string& text);
TESTHOST_API std::string address(const void* pointer);
TESTHOST_API std::string number(double value);
TESTHOST_API std::string boolean(bool value);

// A list of any range of items.
template <typename Items, typename Format>
std::string list(const Items& items, Format format) {
    std::string out = "[";
    const char* separator = "";
    for (const auto& item : items) {
        out += separator + format(item);
        separator = ", ";
    }
    return out + "]";
}

// The fields of a block that its class carries.
TESTHOST_API std::string block(const Block& b);
// A request: context, code, data address and block.
TESTHOST_API std::string request(const Request& r);
// Bindings and what each in-memory service keeps.
TESTHOST_API std::string services(const ServiceHost& host);

}  // namespace json
}  // namespace testhost
