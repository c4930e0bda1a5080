// Captures what a piece of code writes to the process's standard output and
// standard error, at the file-descriptor level (iostreams and stdio alike).
#pragma once

#include <functional>
#include <string>

namespace pitest {

struct CapturedOutput {
    std::string out;
    std::string err;
};

CapturedOutput captureOutput(const std::function<void()>& body);

// The library's message for a request made without a function map.
inline const std::string kNoHostMessage =
    "Invalid Plug-in API Support Function Map.  Plug-in API calls are being made outside of the "
    "context of a loaded plug-in.\nAPI service request has not been processed.\n";

}  // namespace pitest
