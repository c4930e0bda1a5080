// A plug-in's own C++ test, built against an installed copy: the simulated
// host in the test's process, the plug-in attached to it, and its action
// run as the user would.
#include <cstdio>

#include "hostsim/sim/Simulator.h"

extern "C" int hello_plugin_load();

int main() {
    karvensim::Simulator& host = karvensim::Simulator::start();
    const int status = hello_plugin_load();
    const int ran = host.application().runAction("Hello.Wave");
    std::printf("load %d, run %d\n", status, ran);
    return status == 0 && ran == 0 ? 0 : 1;
}
