// A recording callback for tests of compiled plug-in code. The simulated
// host passes an action's name (NUL-terminated) or a time-out's handle as
// source, and null as data.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/PIFunctorTwoParams.h"

namespace simtest {

// Records each call (for an action, a copy of its name), then runs `body`.
class Callback : public FunctorTwoParams__ {
public:
    explicit Callback(std::function<void(void*)> body = {}, bool action = false)
        : body_(std::move(body)), action_(action) {}
    void* operator()(void* source, void* data) override {
        if (action_) names.emplace_back(static_cast<const char*>(source));
        if (!action_) sources.push_back(source);
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
    bool action_;
};

inline Callback actionCallback(std::function<void(void*)> body = {}) {
    return Callback(std::move(body), true);
}

}  // namespace simtest
