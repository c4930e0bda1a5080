// karven-sim --load: compiled plug-ins loaded into the simulated host as
// the application loads them.
#pragma once

#include <string>
#include <vector>

#include "hostsim/sim/Simulator.h"

namespace karvensim {

// Loads each plug-in, given as "PATH[:ENTRY]", in order: opens PATH with
// RTLD_NOW | RTLD_GLOBAL (a PATH without '/' is taken from the current
// directory) and calls its `extern "C" int ENTRY(void)`, if named, while
// the host reports a context of the plug-in's own. Once all are loaded the
// host reports no override, so that each plug-in's later requests carry
// the context its initialisation stored (g_This). Prints
// "karven-sim: loading PATH (context 0x...)" before the entry runs and
// "karven-sim: ENTRY returned N" after it.
// Returns 0; 1 when an entry returned non-zero; 2, after a message on
// standard error, when a plug-in or its entry cannot be found. Stops at the
// first failure. The plug-ins stay loaded until the process exits.
int loadPlugins(const std::vector<std::string>& plugins, Simulator& simulator);

}  // namespace karvensim
