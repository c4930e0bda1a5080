// The simulated KARVEN host: the recording test host with the behaviour of
// the application behind its requests, as far as this library can see it,
// and a trace of every request and of every call on its service interfaces.
//
// One simulator per process. start() resets the recording host and answers
// from then on: the plug-in context, the five services (signals fire for
// real), and the state kept behind the application and GUI requests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hostsim/History.h"
#include "hostsim/RecordingHost.h"
#include "hostsim/ServiceHost.h"
#include "hostsim/sim/ApplicationState.h"
#include "hostsim/sim/GuiState.h"
#include "hostsim/sim/TracedServices.h"

namespace karvensim {

// One step of the conversation: a request as the host saw it and what it
// answered, or a call on one of the host's interface objects. An entry is
// added once the request is answered or the call returns, so what happened
// meanwhile (a callback's own calls) comes first.
struct TraceEntry {
    enum class Kind { Request, Call };
    Kind kind = Kind::Request;
    std::size_t index = 0;  // counted from start (or clearTrace), dropped entries included

    // Kind Call (first: what a call writes shares the few cache lines of the
    // entry's start).
    InterfaceCall call;

    // Kind Request.
    testhost::Request request;
    testhost::Block answered;
    void* result = nullptr;
    std::string note;  // what the host has to say about it ("" when nothing)
};

// One line. A request: index, code, request name, what was sent and after
// "->" what the host changed or returned, and its note. A call: index,
// "call", Interface.operation(arguments) and after "->" its result.
KARVENSIM_API std::string describe(const TraceEntry& entry);
// One JSON object, as host.trace() and --trace-json give it.
KARVENSIM_API std::string jsonOf(const TraceEntry& entry);

// The last entries, oldest first, and who hears of each new one.
class KARVENSIM_API Trace {
public:
    // The slot of the next entry, with its kind and index set.
    TraceEntry& add(TraceEntry::Kind kind);
    // Hands the entry last added to the sink.
    void added() const;

    testhost::History<TraceEntry> entries;
    std::function<void(const TraceEntry&)> sink;
};

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

    // The last historyLimit() entries since start (or clearTrace), in order.
    const testhost::History<TraceEntry>& trace() const { return trace_.entries; }
    void clearTrace() { trace_.entries.clear(); }
    // Called with each entry once it is added. Kept by a restart.
    void onRequest(std::function<void(const TraceEntry&)> sink) { trace_.sink = std::move(sink); }

    // How many trace entries and fired signals the host keeps (the newest;
    // 0 keeps everything). Kept by a restart.
    void setHistoryLimit(std::size_t limit);
    std::size_t historyLimit() const { return trace_.entries.limit(); }

    // Fires a signal through the signal service; returns how many callbacks
    // ran, or -1 when one failed (a Python callback's exception stays pending).
    int fireSignal(const std::string& name);

    // The trace as a JSON list of jsonOf(entry).
    std::string traceJson() const;
    // The host's state: {"services": ..., "application": ..., "gui": ...}.
    std::string stateJson() const;

    testhost::ServiceHost& services() { return services_; }
    // The services as plug-ins see them, with the answers tests script.
    TracedServices& tracedServices() { return traced_; }
    Application& application() { return application_; }
    Gui& gui() { return gui_; }

    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;
    ~Simulator();

private:
    Simulator();

    // A note on a request, or "".
    std::string noteOn(const testhost::Request& request) const;

    Trace trace_;
    testhost::ServiceHost services_;
    TracedServices traced_{services_, trace_};
    Application application_;
    Gui gui_{application_.data().preferences};  // after the application: it answers 10, 11 and 14
    void* reported_ = pluginContext();
};

}  // namespace karvensim
