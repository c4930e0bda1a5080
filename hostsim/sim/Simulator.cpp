#include "hostsim/sim/Simulator.h"

#include <cstdio>
#include <memory>
#include <sstream>

#include "hostsim/HostJson.h"
#include "hostsim/sim/RequestNames.h"

namespace karvensim {
namespace {

std::unique_ptr<Simulator>& instance() {
    static std::unique_ptr<Simulator> simulator;
    return simulator;
}

std::string hex(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

template <typename T, typename Format>
void field(std::ostringstream& out, const char* name, const std::vector<T>& values, Format format) {
    if (!values.empty()) {
        out << ' ' << name << '=' << testhost::json::list(values, format);
    }
}

std::string integer(int32_t value) { return std::to_string(value); }

// The fields the block's class carries, the vectors only when not empty.
std::string fields(const testhost::Block& b) {
    using testhost::BlockKind;
    namespace json = testhost::json;
    std::ostringstream out;
    switch (b.kind) {
    case BlockKind::Null:
        return " (no data)";
    case BlockKind::Raw:
        return "";
    case BlockKind::CatchAll:
        field(out, "ints", b.ints, integer);
        field(out, "dbls", b.dbls, json::number);
        field(out, "strs", b.strs, json::quoted);
        field(out, "ptrs", b.ptrs, hex);
        break;
    case BlockKind::DirectString:
        out << " string=" << json::quoted(b.directString);
        break;
    case BlockKind::DirectInt:
        out << " int=" << b.directInt;
        break;
    case BlockKind::RegisterHandler:
        out << " string1=" << json::quoted(b.string1) << " string2=" << json::quoted(b.string2)
            << " mask=" << b.mask;
        break;
    default:
        out << " pointer=" << hex(b.pointer);
        if (b.pointerValue) out << " pointerValue=" << hex(b.pointerValue);
        if (b.function) out << " function=" << hex(b.function);
        if (b.intValue) out << " int=" << b.intValue;
        if (b.doubleValue != 0.0) out << " double=" << json::number(b.doubleValue);
        if (b.boolValue) out << " bool=true";
        if (!b.stringValue.empty()) out << " string=" << json::quoted(b.stringValue);
        if (!b.stringValue2.empty()) out << " string2=" << json::quoted(b.stringValue2);
    }
    return out.str();
}

// What the host changed in a vector: "name[i]=value" per changed element,
// or the whole vector when its length changed.
template <typename T, typename Format>
void changes(std::ostringstream& out, const char* name, const std::vector<T>& before, const std::vector<T>& after,
             Format format) {
    if (before.size() != after.size()) {
        out << ' ' << name << '=' << testhost::json::list(after, format);
        return;
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (!(before[i] == after[i])) {
            out << ' ' << name << '[' << i << "]=" << format(after[i]);
        }
    }
}

// What the host wrote into the block.
std::string answer(const testhost::Block& before, const testhost::Block& after) {
    if (after.kind != testhost::BlockKind::CatchAll) {
        const std::string written = fields(after);
        return written == fields(before) ? "" : written;
    }
    std::ostringstream out;
    changes(out, "ints", before.ints, after.ints, integer);
    changes(out, "dbls", before.dbls, after.dbls, testhost::json::number);
    changes(out, "strs", before.strs, after.strs, testhost::json::quoted);
    changes(out, "ptrs", before.ptrs, after.ptrs, hex);
    return out.str();
}

}  // namespace

std::string describe(const TraceEntry& entry) {
    const auto& r = entry.request;
    std::ostringstream out;
    out << '[' << entry.index << "] " << r.code;
    const std::string name = requestName(r.code);
    out << ' ' << (name.empty() ? "(unknown request)" : name);
    out << fields(r.block);
    const std::string written = answer(r.block, entry.answered);
    if (!written.empty() || entry.result) {
        out << " ->" << written;
        if (entry.result) out << " result=" << hex(entry.result);
    }
    return out.str();
}

void* Simulator::pluginContext() {
    static int plugin;
    return &plugin;
}

Simulator::Simulator() {
    testhost::respond(16, [this](testhost::Exchange& e) {
        if (e.selector() == 0) {
            e.setPointer(0, reported_);
        }
        return nullptr;
    });
    testhost::observe([this](const testhost::Request& request, const testhost::Block& answered, void* result) {
        TraceEntry entry;
        entry.index = trace_.size();
        entry.request = request;
        entry.answered = answered;
        entry.result = result;
        trace_.push_back(entry);
        if (sink_) {
            sink_(trace_.back());
        }
    });
}

Simulator::~Simulator() {
    testhost::observe(nullptr);
    services_.withdrawAll();
}

Simulator& Simulator::start() {
    instance().reset();
    testhost::reset();
    instance().reset(new Simulator());
    return *instance();
}

Simulator* Simulator::running() { return instance().get(); }

int Simulator::fireSignal(const std::string& name) {
    PluginClient::Interfaces::SignalData data;
    try {
        return services_.signals.fireCallbacks(name, &data);
    } catch (...) {
        // A callback failed; a Python callback leaves its exception pending.
        return -1;
    }
}

std::string Simulator::traceJson() const {
    return testhost::json::list(trace_, [](const TraceEntry& e) {
        return "{\"index\": " + std::to_string(e.index) + ", \"name\": " +
               testhost::json::quoted(requestName(e.request.code)) + ", \"request\": " +
               testhost::json::request(e.request) + ", \"answered\": " + testhost::json::block(e.answered) +
               ", \"result\": " + testhost::json::address(e.result) + "}";
    });
}

std::string Simulator::stateJson() const {
    return "{\"services\": " + testhost::json::services(services_) + ", \"application\": " + application_.json() +
           ", \"gui\": " + gui_.json() + "}";
}

}  // namespace karvensim
