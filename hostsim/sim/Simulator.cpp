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
    case BlockKind::Null: return " (no data)";
    case BlockKind::Raw: return "";
    case BlockKind::CatchAll:
        field(out, "ints", b.ints, integer);
        field(out, "dbls", b.dbls, json::number);
        field(out, "strs", b.strs, json::quoted);
        field(out, "ptrs", b.ptrs, hex);
        break;
    case BlockKind::DirectString: out << " string=" << json::quoted(b.directString); break;
    case BlockKind::DirectInt: out << " int=" << b.directInt; break;
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
void changes(std::ostringstream& out, const char* name, const std::vector<T>& before,
             const std::vector<T>& after, Format format) {
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

// A value of an interface call, as text (addresses in hex) or as JSON.
std::string value(const CallValue& v, bool asJson) {
    namespace json = testhost::json;
    using Kind = CallValue::Kind;
    switch (v.kind) {
    case Kind::None: return "null";
    case Kind::Bool: return json::boolean(v.integer != 0);
    case Kind::Int: return std::to_string(v.integer);
    case Kind::Double: return json::number(v.number);
    case Kind::Text: return json::quoted(v.text);
    case Kind::Address: return asJson ? json::address(v.address) : hex(v.address);
    case Kind::Ids: return json::list(v.ids, [](uint64_t id) { return std::to_string(id); });
    case Kind::Texts: return json::list(v.texts, json::quoted);
    }
    return "null";
}

std::string describeCall(const TraceEntry& entry) {
    const InterfaceCall& c = entry.call;
    const OperationInfo& op = info(c.operation);
    std::ostringstream out;
    out << '[' << entry.index << "] call " << op.interface << '.' << op.name << '(';
    for (std::size_t i = 0; i < op.arguments.size() && op.arguments[i]; ++i) {
        out << (i ? ", " : "") << op.arguments[i] << '=' << value(c.arguments[i], false);
    }
    out << ')';
    if (c.result.kind != CallValue::Kind::None) {
        out << " -> " << value(c.result, false) << (c.scripted ? " (scripted)" : "");
    }
    return out.str();
}

std::string describeRequest(const TraceEntry& entry) {
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
    if (!entry.note.empty()) {
        out << " (" << entry.note << ')';
    }
    return out.str();
}

}  // namespace

std::string describe(const TraceEntry& entry) {
    return entry.kind == TraceEntry::Kind::Call ? describeCall(entry) : describeRequest(entry);
}

std::string jsonOf(const TraceEntry& e) {
    namespace json = testhost::json;
    const std::string index = "{\"index\": " + std::to_string(e.index);
    if (e.kind == TraceEntry::Kind::Call) {
        const InterfaceCall& c = e.call;
        const OperationInfo& op = info(c.operation);
        std::string arguments = "{";
        for (std::size_t i = 0; i < op.arguments.size() && op.arguments[i]; ++i) {
            arguments += (i ? ", " : "") + json::quoted(op.arguments[i]) + ": " + value(c.arguments[i], true);
        }
        return index + ", \"kind\": \"call\", \"interface\": " + json::quoted(op.interface) +
               ", \"operation\": " + json::quoted(op.name) + ", \"arguments\": " + arguments +
               "}, \"result\": " + value(c.result, true) + ", \"scripted\": " + json::boolean(c.scripted) +
               "}";
    }
    return index + ", \"kind\": \"request\", \"name\": " + json::quoted(requestName(e.request.code)) +
           ", \"request\": " + json::request(e.request) + ", \"answered\": " + json::block(e.answered) +
           ", \"result\": " + json::address(e.result) +
           (e.note.empty() ? "" : ", \"note\": " + json::quoted(e.note)) + "}";
}

TraceEntry& Trace::add(TraceEntry::Kind kind) {
    const std::size_t index = entries.added();
    TraceEntry& entry = entries.add();
    entry.kind = kind;
    entry.index = index;
    return entry;
}

void Trace::added() const {
    if (sink) {
        sink(entries.back());
    }
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
    testhost::observe(
        [this](const testhost::Request& request, const testhost::Block& answered, void* result) {
            std::string note = noteOn(request);
            TraceEntry& entry = trace_.add(TraceEntry::Kind::Request);
            entry.request = request;
            entry.answered = answered;
            entry.result = result;
            entry.note = std::move(note);
            trace_.added();
        });
}

std::string Simulator::noteOn(const testhost::Request& request) const {
    const auto& strs = request.block.strs;
    const bool bindOrUnbind = request.code == 322 && (request.selector() == 0 || request.selector() == 1);
    if (bindOrUnbind && !strs.empty() && services_.serviceNamed(strs[0]) == nullptr) {
        return "no service is published under " + testhost::json::quoted(strs[0]);
    }
    return "";
}

void Simulator::setHistoryLimit(std::size_t limit) {
    trace_.entries.setLimit(limit);
    services_.signals.fired.setLimit(limit);
}

Simulator::~Simulator() {
    testhost::observe(nullptr);
    services_.withdrawAll();
}

Simulator& Simulator::start() {
    std::function<void(const TraceEntry&)> sink;
    std::size_t limit = testhost::History<TraceEntry>::kDefaultLimit;
    if (instance()) {
        sink = std::move(instance()->trace_.sink);
        limit = instance()->historyLimit();
    }
    instance().reset();
    testhost::reset();
    instance().reset(new Simulator());
    instance()->onRequest(std::move(sink));
    instance()->setHistoryLimit(limit);
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
    return testhost::json::list(trace_.entries, [](const TraceEntry& e) { return jsonOf(e); });
}

std::string Simulator::stateJson() const {
    return "{\"services\": " + testhost::json::services(services_) +
           ", \"application\": " + application_.json() + ", \"gui\": " + gui_.json() + "}";
}

}  // namespace karvensim
