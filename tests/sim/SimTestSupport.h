// Tests of the simulated host's application state through the library's own
// calls: each test starts the simulator and attaches the library to it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hostsim/sim/Simulator.h"

namespace simtest {

class WithSimulator : public ::testing::Test {
protected:
    void SetUp() override;

    karvensim::Application& application() { return simulator_->application(); }
    karvensim::ApplicationData& state() { return application().data(); }

    // A path in the test's temporary directory, unique to this process.
    static std::string tempPath(const std::string& name);

private:
    karvensim::Simulator* simulator_ = nullptr;
};

// One step of a scenario: a call and its result, both as text.
struct Step {
    std::string what;
    std::function<std::string()> call;
    std::string expected;
};

// Runs the steps in order, checking each result.
void runSteps(const std::vector<Step>& steps);

// A step's call that does `act`, then answers `query`.
inline std::function<std::string()> after(std::function<void()> act, std::function<std::string()> query) {
    return [act, query] {
        act();
        return query();
    };
}

inline std::string str(const std::string& text) { return text; }
inline std::string str(const char* text) { return text; }
inline std::string str(bool value) { return value ? "true" : "false"; }
inline std::string str(int value) { return std::to_string(value); }
inline std::string str(unsigned int value) { return std::to_string(value); }

}  // namespace simtest
