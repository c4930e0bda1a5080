#include "tests/sim/SimTestSupport.h"

#include <unistd.h>

#include "bridge/PIFunctionMap.h"

namespace simtest {

void WithSimulator::SetUp() {
    simulator_ = &karvensim::Simulator::start();
    _initializePluginFunctionMap();
}

std::string WithSimulator::tempPath(const std::string& name) {
    return ::testing::TempDir() + "karvensim_" + std::to_string(getpid()) + "_" + name;
}

void runSteps(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].call(), steps[i].expected) << "step " << i << ": " << steps[i].what;
    }
}

}  // namespace simtest
