// A recording callback for the tests of compiled plug-in code. The simulated
// host passes an action's name (NUL-terminated characters) or a time-out's
// handle as source, and null as data.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/PIFunctorTwoParams.h"

namespace simtest {

// Records what the host passed on each call, then runs `body` (if any).
// The source is kept as the host's value (a time-out's handle) or, for an
// action, as a copy of the name it points to while the call lasts.
class Callback : public FunctorTwoParams__ {
public:
    enum class Source { Handle, ActionName };

    explicit Callback(std::function<void(void* source)> body = {}, Source kind = Source::Handle)
        : body_(std::move(body)), kind_(kind) {}

    void* operator()(void* source, void* data) override {
        if (kind_ == Source::ActionName) {
            names.emplace_back(static_cast<const char*>(source));
        } else {
            sources.push_back(source);
        }
        datas.push_back(data);
        if (body_) body_(source);
        return nullptr;
    }

    int runs() const { return static_cast<int>(datas.size()); }

    std::vector<void*> sources;
    std::vector<std::string> names;
    std::vector<void*> datas;

private:
    std::function<void(void*)> body_;
    Source kind_;
};

// A callback for actions: it keeps the names it was called with.
inline Callback actionCallback(std::function<void(void*)> body = {}) {
    return Callback(std::move(body), Callback::Source::ActionName);
}

}  // namespace simtest
