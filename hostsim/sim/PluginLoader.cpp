#include "hostsim/sim/PluginLoader.h"

#include <dlfcn.h>

#include <cstdio>

namespace karvensim {
namespace {

// The status of one plug-in's load, as loadPlugins returns it.
int loadPlugin(const std::string& plugin, Simulator& simulator) {
    const std::size_t colon = plugin.rfind(':');
    const bool named = colon != std::string::npos && plugin.find('/', colon) == std::string::npos;
    const std::string path = named ? plugin.substr(0, colon) : plugin;
    const std::string entry = named ? plugin.substr(colon + 1) : "";
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;

    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "karven-sim: cannot load '%s': %s\n", path.c_str(), dlerror());
        return 2;
    }
    void* symbol = entry.empty() ? nullptr : dlsym(handle, entry.c_str());
    if (!entry.empty() && symbol == nullptr) {
        std::fprintf(stderr, "karven-sim: '%s' has no entry function '%s'\n", path.c_str(), entry.c_str());
        return 2;
    }
    // The plug-in's identity while it initialises: its handle, unique while
    // it is loaded.
    simulator.reportContext(handle);
    std::printf("karven-sim: loading %s (context %p)\n", path.c_str(), handle);
    if (symbol == nullptr) {
        return 0;
    }
    using Entry = int();
    const int status = reinterpret_cast<Entry*>(symbol)();
    std::printf("karven-sim: %s returned %d\n", entry.c_str(), status);
    return status == 0 ? 0 : 1;
}

}  // namespace

int loadPlugins(const std::vector<std::string>& plugins, Simulator& simulator) {
    for (const auto& plugin : plugins) {
        if (const int status = loadPlugin(plugin, simulator)) {
            return status;
        }
    }
    simulator.reportContext(nullptr);
    std::fflush(stdout);
    return 0;
}

}  // namespace karvensim
