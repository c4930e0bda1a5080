// A plug-in's own C++ test, built against an installed copy: the simulated
// host in the test's process, the plug-in attached to it, and what the host
// kept of the plug-in's requests.
#include <cstdio>

#include "hostsim/sim/Simulator.h"

extern "C" int hello_plugin_load();

int main() {
    karvensim::Simulator& host = karvensim::Simulator::start();
    const int status = hello_plugin_load();
    const int ran = host.application().runAction("Hello.Wave");
    std::printf("load %d, run %d, %s\n", status, ran, host.application().data().debugOutput.at(0).c_str());
    return status == 0 && ran == 0 ? 0 : 1;
}
