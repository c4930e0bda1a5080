// The five services as the simulated host hands them to plug-ins. Each one
// wraps the in-memory service of its interface: every call a plug-in makes
// on it reaches the trace with its arguments and result, and an operation
// for which a test scripted an answer returns that answer without the
// in-memory service being called.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hostsim/ServiceHost.h"
#include "hostsim/sim/ApplicationState.h"

namespace karvensim {

// A value that crossed an interface: an argument or a result.
struct CallValue {
    enum class Kind { None, Bool, Int, Double, Text, Address, Ids, Texts };
    Kind kind = Kind::None;
    std::string text;
    const void* address = nullptr;
    int64_t integer = 0;  // Bool (0 or 1) and Int
    double number = 0.0;
    std::vector<uint64_t> ids;
    std::vector<std::string> texts;
};

// Every operation of the five interfaces, in slot order: interface (without
// "Interface"), operation, kind of result, names of the arguments.
#define KARVENSIM_OPERATIONS(X)                                     \
    X(EntityGui, showGuiAndSelect, None, ("ids"))                   \
    X(EntityGui, selectIds, None, ("ids"))                          \
    X(EntityGui, setTreeView, None, ("useTreeView"))                \
    X(FileLocator, locate, Text, ("type", "filename"))              \
    X(FileLocator, getModelTextures, Texts, ("modelName"))          \
    X(FileWriter, fileName, Text, ())                               \
    X(FileWriter, setFileName, None, ("fileName"))                  \
    X(FileWriter, startTime, Double, ())                            \
    X(FileWriter, setStartTime, None, ("startTime"))                \
    X(FileWriter, endTime, Double, ())                              \
    X(FileWriter, setEndTime, None, ("endTime"))                    \
    X(FileWriter, showGui, Bool, ())                                \
    X(FileWriter, setShowGui, None, ("show"))                       \
    X(FileWriter, filePath, Int, ())                                \
    X(FileWriter, setFilePath, None, ("type"))                      \
    X(FileWriter, timeFormat, Int, ())                              \
    X(FileWriter, setTimeFormat, None, ("format"))                  \
    X(FileWriter, isCullEnabled, Bool, ())                          \
    X(FileWriter, setCull, None, ("value"))                         \
    X(FileWriter, cullAngle, Double, ())                            \
    X(FileWriter, setCullAngle, None, ("value"))                    \
    X(FileWriter, includeModels, Bool, ())                          \
    X(FileWriter, setIncludeModels, None, ("value"))                \
    X(FileWriter, coordinateSystem, Int, ())                        \
    X(FileWriter, setCoordinateSystem, None, ("value"))             \
    X(FileWriter, getSaveExternalFiles, Bool, ())                   \
    X(FileWriter, setSaveExternalFiles, None, ("value"))            \
    X(FileWriter, write, Int, ("type"))                             \
    X(Signal, addCallback, Int, ("name", "callback"))               \
    X(Signal, removeCallback, Int, ("name", "callback"))            \
    X(Signal, addGlobalCallback, Int, ("callback"))                 \
    X(Signal, removeGlobalCallback, Int, ("callback"))              \
    X(Signal, hasCallbacks, Bool, ("name"))                         \
    X(Signal, fireCallbacks, Int, ("name", "data"))                 \
    X(SnapShot, setDirectory, None, ("snapShotDir"))                \
    X(SnapShot, setFileType, None, ("fileType"))                    \
    X(SnapShot, setFilename, None, ("filename"))                    \
    X(SnapShot, setUseScenarioTime, None, ("useScenarioTime"))      \
    X(SnapShot, setTimerIntervalSeconds, None, ("intervalSeconds")) \
    X(SnapShot, takeSnapShot, None, ())                             \
    X(SnapShot, startSnapShotTimer, None, ())                       \
    X(SnapShot, stopSnapShotTimer, None, ())                        \
    X(SnapShot, setPlotTabActive, Int, ("name", "active"))          \
    X(SnapShot, setSaveCurrentPlotTab, Int, ("save"))

enum class Operation {
#define KARVENSIM_OPERATION_ENUMERATOR(interface, operation, result, arguments) interface##_##operation,
    KARVENSIM_OPERATIONS(KARVENSIM_OPERATION_ENUMERATOR)
#undef KARVENSIM_OPERATION_ENUMERATOR
        Count
};

struct OperationInfo {
    const char* interface;  // "SignalInterface"
    const char* name;       // "addCallback"
    CallValue::Kind result;
    std::array<const char*, 2> arguments;  // null past the last
};

KARVENSIM_API const OperationInfo& info(Operation operation);
// The operation named "Interface.operation" ("FileWriterInterface.write"),
// or Operation::Count.
KARVENSIM_API Operation operationNamed(const std::string& qualifiedName);

// A call a plug-in made on one of the host's interface objects, once it
// returned.
struct InterfaceCall {
    Operation operation = Operation::Count;
    bool scripted = false;               // the result is a test's scripted answer
    std::array<CallValue, 2> arguments;  // as many as info(operation) names
    CallValue result;                    // kind None for an operation without one
};

class Trace;

class KARVENSIM_API TracedServices {
public:
    // Publishes the wrappers of the host's in-memory services under the five
    // service names, in their place; the calls go to `trace`.
    TracedServices(testhost::ServiceHost& services, Trace& trace);
    ~TracedServices();
    TracedServices(const TracedServices&) = delete;
    TracedServices& operator=(const TracedServices&) = delete;

    // Scripts the answer of an operation with a result, given as text (for
    // getModelTextures one text per texture; "true" or "false" for a bool):
    // 0 done, 1 no such operation, 2 it has no result, 3 a value that does
    // not fit its result. An empty `values` for a single-valued operation is
    // refused (3).
    int script(const std::string& qualifiedName, const std::vector<std::string>& values);
    // Forgets a scripted answer (0, or 1 for no such operation) or all of them.
    int forget(const std::string& qualifiedName);
    void forgetAll();

private:
    struct Wrappers;

    // Calls `body`, or answers from the script, and traces the call.
    template <typename Result, typename Body, typename... Arguments>
    Result call(Operation operation, Body body, const Arguments&... arguments);

    Trace& trace_;
    std::array<std::optional<CallValue>, static_cast<std::size_t>(Operation::Count)> answers_;
    std::unique_ptr<Wrappers> wrappers_;
};

}  // namespace karvensim
