// The simulated KARVEN host: the recording test host with the behaviour of
// the application behind its requests, as far as this library can see it,
// and a readable trace of every request.
//
// One simulator per process. start() resets the recording host and answers
// from then on: the plug-in context, the five services (signals fire for
// real), and the state kept behind the application and GUI requests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/RecordingHost.h"
#include "hostsim/ServiceHost.h"
#include "hostsim/sim/ApplicationState.h"
#include "hostsim/sim/GuiState.h"

namespace karvensim {

// One request as the host saw it, and what it answered.
struct TraceEntry {
    std::size_t index = 0;
    testhost::Request request;
    testhost::Block answered;
    void* result = nullptr;
};

// One line: index, code, request name, selector, what was sent and what the
// host changed or returned.
KARVENSIM_API std::string describe(const TraceEntry& entry);

class KARVENSIM_API Simulator {
public:
    // The context pointer the host reports for the plug-in.
    static void* pluginContext();
    // What the host reports from now on as the plug-in's current context
    // (code 16, selector 0): pluginContext() after start; null reports no
    // override, so that each plug-in's requests carry its own g_This.
    void reportContext(void* context) { reported_ = context; }

    // Starts (or restarts) the simulated host.
    static Simulator& start();
    // The running simulator; null before start.
    static Simulator* running();

    // Every request since start (or clearTrace), in order.
    const std::vector<TraceEntry>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }
    // Called with each request once it has been answered.
    void onRequest(std::function<void(const TraceEntry&)> sink) { sink_ = std::move(sink); }

    // Fires a signal through the signal service; returns how many callbacks
    // ran, or -1 when one failed (a Python callback's exception stays pending).
    int fireSignal(const std::string& name);

    std::string traceJson() const;
    // The host's state: {"services": ..., "application": ..., "gui": ...}.
    std::string stateJson() const;

    testhost::ServiceHost& services() { return services_; }
    Application& application() { return application_; }
    Gui& gui() { return gui_; }

    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    ~Simulator();

private:
    Simulator();

    testhost::ServiceHost services_;
    Application application_;
    Gui gui_{application_.data().preferences};  // after the application: it answers 10, 11 and 14
    std::vector<TraceEntry> trace_;
    std::function<void(const TraceEntry&)> sink_;
    void* reported_ = pluginContext();
};

}  // namespace karvensim
