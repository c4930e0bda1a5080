#include "hostsim/sim/TracedServices.h"

#include <cstdint>
#include <cstdlib>
#include <type_traits>

#include "hostsim/sim/Simulator.h"

namespace karvensim {
namespace {

namespace ifc = PluginClient::Interfaces;
using Kind = CallValue::Kind;

#define KARVENSIM_ARGUMENT_NAMES(...) \
    { __VA_ARGS__ }
const OperationInfo kOperations[] = {
#define KARVENSIM_OPERATION_INFO(interface, operation, result, arguments) \
    {#interface "Interface", #operation, Kind::result, KARVENSIM_ARGUMENT_NAMES arguments},
    KARVENSIM_OPERATIONS(KARVENSIM_OPERATION_INFO)
#undef KARVENSIM_OPERATION_INFO
};
#undef KARVENSIM_ARGUMENT_NAMES

std::size_t slot(Operation operation) { return static_cast<std::size_t>(operation); }

// A value into a trace slot. A text shares the caller's until either
// changes (a caller that reuses its string for the next call gets a text of
// its own then).
void store(CallValue& v, bool value) {
    v.kind = Kind::Bool;
    v.integer = value;
}
void store(CallValue& v, int value) {
    v.kind = Kind::Int;
    v.integer = value;
}
template <typename Enum, std::enable_if_t<std::is_enum_v<Enum>, int> = 0>
void store(CallValue& v, Enum value) {
    store(v, static_cast<int>(value));
}
void store(CallValue& v, double value) {
    v.kind = Kind::Double;
    v.number = value;
}
void store(CallValue& v, const std::string& value) {
    v.kind = Kind::Text;
    v.text = value;
}
void store(CallValue& v, const void* value) {
    v.kind = Kind::Address;
    v.address = value;
}
void store(CallValue& v, const std::vector<uint64_t>& value) {
    v.kind = Kind::Ids;
    v.ids.assign(value.begin(), value.end());
}
void store(CallValue& v, const std::vector<std::string>& value) {
    v.kind = Kind::Texts;
    v.texts = value;
}

// A scripted answer as the operation's result type.
template <typename Result>
Result as(const CallValue& v) {
    if constexpr (std::is_same_v<Result, std::string>) {
        return v.text;
    } else if constexpr (std::is_same_v<Result, std::vector<std::string>>) {
        return v.texts;
    } else if constexpr (std::is_same_v<Result, double>) {
        return v.number;
    } else if constexpr (std::is_same_v<Result, bool>) {
        return v.integer != 0;
    } else {
        return static_cast<Result>(v.integer);
    }
}

// A scripted answer from its texts, or nothing when they do not fit.
std::optional<CallValue> parse(Kind kind, const std::vector<std::string>& values) {
    CallValue v;
    v.kind = kind;
    if (kind == Kind::Texts) {
        v.texts = values;
        return v;
    }
    if (values.size() != 1) {
        return std::nullopt;
    }
    const std::string& text = values[0];
    char* end = nullptr;
    switch (kind) {
    case Kind::Text: v.text = text; return v;
    case Kind::Bool:
        if (text != "true" && text != "false") return std::nullopt;
        v.integer = text == "true";
        return v;
    case Kind::Int: {
        const long long value = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || value < INT32_MIN || value > INT32_MAX) return std::nullopt;
        v.integer = value;
        return v;
    }
    case Kind::Double:
        v.number = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0') return std::nullopt;
        return v;
    default: return std::nullopt;
    }
}

}  // namespace

const OperationInfo& info(Operation operation) { return kOperations[slot(operation)]; }

Operation operationNamed(const std::string& qualifiedName) {
    for (std::size_t i = 0; i < std::size(kOperations); ++i) {
        if (qualifiedName == std::string(kOperations[i].interface) + "." + kOperations[i].name) {
            return static_cast<Operation>(i);
        }
    }
    return Operation::Count;
}

template <typename Result, typename Body, typename... Arguments>
Result TracedServices::call(Operation operation, Body body, const Arguments&... arguments) {
    const auto record = [&](auto&&... result) {
        TraceEntry& entry = trace_.add(TraceEntry::Kind::Call);
        InterfaceCall& c = entry.call;
        c.operation = operation;
        [[maybe_unused]] std::size_t i = 0;
        (store(c.arguments[i++], arguments), ...);
        c.result.kind = Kind::None;
        (store(c.result, result), ...);
        c.scripted = sizeof...(result) != 0 && answers_[slot(operation)].has_value();
        trace_.added();
    };
    if constexpr (std::is_void_v<Result>) {
        body();
        record();
    } else {
        const std::optional<CallValue>& answer = answers_[slot(operation)];
        const Result result = answer ? as<Result>(*answer) : body();
        record(result);
        return result;
    }
}

// The wrappers, one per interface, each over the in-memory service.
struct TracedServices::Wrappers {
    using Op = Operation;

    struct EntityGui : ifc::EntityGuiInterface {
        TracedServices& t;
        testhost::MemoryEntityGui& s;
        EntityGui(TracedServices& tracer, testhost::MemoryEntityGui& service) : t(tracer), s(service) {}
        void showGuiAndSelect(const std::vector<uint64_t>& ids) override {
            t.call<void>(
                Op::EntityGui_showGuiAndSelect, [&] { s.showGuiAndSelect(ids); }, ids);
        }
        void selectIds(const std::vector<uint64_t>& ids) override {
            t.call<void>(
                Op::EntityGui_selectIds, [&] { s.selectIds(ids); }, ids);
        }
        void setTreeView(bool useTreeView) override {
            t.call<void>(
                Op::EntityGui_setTreeView, [&] { s.setTreeView(useTreeView); }, useTreeView);
        }
    };

    struct FileLocator : ifc::FileLocatorInterface {
        TracedServices& t;
        testhost::MemoryFileLocator& s;
        FileLocator(TracedServices& tracer, testhost::MemoryFileLocator& service) : t(tracer), s(service) {}
        std::string locate(FileType type, const std::string& filename) const override {
            return t.call<std::string>(
                Op::FileLocator_locate, [&] { return s.locate(type, filename); }, type, filename);
        }
        std::vector<std::string> getModelTextures(const std::string& modelName) const override {
            return t.call<std::vector<std::string>>(
                Op::FileLocator_getModelTextures, [&] { return s.getModelTextures(modelName); }, modelName);
        }
    };

    struct FileWriter : ifc::FileWriterInterface {
        TracedServices& t;
        testhost::MemoryFileWriter& s;
        FileWriter(TracedServices& tracer, testhost::MemoryFileWriter& service) : t(tracer), s(service) {}
        std::string fileName() const override {
            return t.call<std::string>(Op::FileWriter_fileName, [&] { return s.fileName(); });
        }
        void setFileName(const std::string& fileName) override {
            t.call<void>(
                Op::FileWriter_setFileName, [&] { s.setFileName(fileName); }, fileName);
        }
// A getter and its setter, in slot order.
#define KARVENSIM_FIELD(Type, getter, setter, argument)                           \
    Type getter() const override {                                                \
        return t.call<Type>(Op::FileWriter_##getter, [&] { return s.getter(); }); \
    }                                                                             \
    void setter(Type argument) override {                                         \
        t.call<void>(                                                             \
            Op::FileWriter_##setter, [&] { s.setter(argument); }, argument);      \
    }
        KARVENSIM_FIELD(double, startTime, setStartTime, startTime)
        KARVENSIM_FIELD(double, endTime, setEndTime, endTime)
        KARVENSIM_FIELD(bool, showGui, setShowGui, show)
        KARVENSIM_FIELD(PIKARVEN::PIFilenameType_t, filePath, setFilePath, type)
        KARVENSIM_FIELD(PIData::PITimeFormat_t, timeFormat, setTimeFormat, format)
        KARVENSIM_FIELD(bool, isCullEnabled, setCull, value)
        KARVENSIM_FIELD(double, cullAngle, setCullAngle, value)
        KARVENSIM_FIELD(bool, includeModels, setIncludeModels, value)
        KARVENSIM_FIELD(PIData::PICoordSystem_t, coordinateSystem, setCoordinateSystem, value)
        KARVENSIM_FIELD(bool, getSaveExternalFiles, setSaveExternalFiles, value)
#undef KARVENSIM_FIELD
        int write(FileFormat type) override {
            return t.call<int>(
                Op::FileWriter_write, [&] { return s.write(type); }, type);
        }
    };

    struct Signals : ifc::SignalInterface {
        TracedServices& t;
        testhost::MemorySignalService& s;
        Signals(TracedServices& tracer, testhost::MemorySignalService& service) : t(tracer), s(service) {}
        int addCallback(const std::string& name, ifc::SignalCallback* callback) override {
            return t.call<int>(
                Op::Signal_addCallback, [&] { return s.addCallback(name, callback); }, name, callback);
        }
        int removeCallback(const std::string& name, ifc::SignalCallback* callback) override {
            return t.call<int>(
                Op::Signal_removeCallback, [&] { return s.removeCallback(name, callback); }, name, callback);
        }
        int addGlobalCallback(ifc::SignalCallback* callback) override {
            return t.call<int>(
                Op::Signal_addGlobalCallback, [&] { return s.addGlobalCallback(callback); }, callback);
        }
        int removeGlobalCallback(ifc::SignalCallback* callback) override {
            return t.call<int>(
                Op::Signal_removeGlobalCallback, [&] { return s.removeGlobalCallback(callback); }, callback);
        }
        bool hasCallbacks(const std::string& name) override {
            return t.call<bool>(
                Op::Signal_hasCallbacks, [&] { return s.hasCallbacks(name); }, name);
        }
        int fireCallbacks(const std::string& name, ifc::SignalData* data) override {
            return t.call<int>(
                Op::Signal_fireCallbacks, [&] { return s.fireCallbacks(name, data); }, name, data);
        }
    };

    struct SnapShot : ifc::SnapShotInterface {
        TracedServices& t;
        testhost::MemorySnapShot& s;
        SnapShot(TracedServices& tracer, testhost::MemorySnapShot& service) : t(tracer), s(service) {}
        void setDirectory(const std::string& dir) override {
            t.call<void>(
                Op::SnapShot_setDirectory, [&] { s.setDirectory(dir); }, dir);
        }
        void setFileType(FileType type) override {
            t.call<void>(
                Op::SnapShot_setFileType, [&] { s.setFileType(type); }, type);
        }
        void setFilename(const std::string& name) override {
            t.call<void>(
                Op::SnapShot_setFilename, [&] { s.setFilename(name); }, name);
        }
        void setUseScenarioTime(bool use) override {
            t.call<void>(
                Op::SnapShot_setUseScenarioTime, [&] { s.setUseScenarioTime(use); }, use);
        }
        void setTimerIntervalSeconds(int seconds) override {
            t.call<void>(
                Op::SnapShot_setTimerIntervalSeconds, [&] { s.setTimerIntervalSeconds(seconds); }, seconds);
        }
        void takeSnapShot() override {
            t.call<void>(Op::SnapShot_takeSnapShot, [&] { s.takeSnapShot(); });
        }
        void startSnapShotTimer() override {
            t.call<void>(Op::SnapShot_startSnapShotTimer, [&] { s.startSnapShotTimer(); });
        }
        void stopSnapShotTimer() override {
            t.call<void>(Op::SnapShot_stopSnapShotTimer, [&] { s.stopSnapShotTimer(); });
        }
        int setPlotTabActive(const std::string& name, bool active) override {
            return t.call<int>(
                Op::SnapShot_setPlotTabActive, [&] { return s.setPlotTabActive(name, active); }, name,
                active);
        }
        int setSaveCurrentPlotTab(bool save) override {
            return t.call<int>(
                Op::SnapShot_setSaveCurrentPlotTab, [&] { return s.setSaveCurrentPlotTab(save); }, save);
        }
    };

    Wrappers(TracedServices& t, testhost::ServiceHost& s)
        : entityGui(t, s.entityGui),
          fileLocator(t, s.fileLocator),
          fileWriter(t, s.fileWriter),
          signals(t, s.signals),
          snapShot(t, s.snapShot) {}

    EntityGui entityGui;
    FileLocator fileLocator;
    FileWriter fileWriter;
    Signals signals;
    SnapShot snapShot;
};

TracedServices::TracedServices(testhost::ServiceHost& services, Trace& trace)
    : trace_(trace), wrappers_(std::make_unique<Wrappers>(*this, services)) {
    services.publish(testhost::kDataBrowserService, &wrappers_->entityGui, "EntityGuiInterface");
    services.publish(testhost::kFileLocatorService, &wrappers_->fileLocator, "FileLocatorInterface");
    services.publish(testhost::kFileWriterService, &wrappers_->fileWriter, "FileWriterInterface");
    services.publish(testhost::kSignalService, &wrappers_->signals, "SignalInterface");
    services.publish(testhost::kSnapShotService, &wrappers_->snapShot, "SnapShotInterface");
}

TracedServices::~TracedServices() = default;

int TracedServices::script(const std::string& qualifiedName, const std::vector<std::string>& values) {
    const Operation operation = operationNamed(qualifiedName);
    if (operation == Operation::Count) {
        return 1;
    }
    const Kind result = info(operation).result;
    if (result == Kind::None) {
        return 2;
    }
    std::optional<CallValue> answer = parse(result, values);
    if (!answer) {
        return 3;
    }
    answers_[slot(operation)] = std::move(answer);
    return 0;
}

int TracedServices::forget(const std::string& qualifiedName) {
    const Operation operation = operationNamed(qualifiedName);
    if (operation == Operation::Count) {
        return 1;
    }
    answers_[slot(operation)].reset();
    return 0;
}

void TracedServices::forgetAll() {
    for (auto& answer : answers_) {
        answer.reset();
    }
}

}  // namespace karvensim
