// karven-sim: runs a Python plug-in script inside a simulated KARVEN host,
// or loads compiled plug-ins into it (--load, PluginLoader.h).
//
// It embeds Python as the application does: the executable itself exports
// SPI_GetFunctionMap, so the library finds the host through the process-wide
// lookup when the script imports PluginInterfaces (or a plug-in attaches).
// Every request, and every call on the host's services, is printed as it is
// answered. `karven-sim test` runs a plug-in's unittest files the same way.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hostsim/sim/PluginLoader.h"
#include "hostsim/sim/Simulator.h"

extern "C" __attribute__((visibility("default"))) void* SPI_GetFunctionMap() { return testhost::functionMap(); }

namespace {

const char* const kUsage =
    "usage: karven-sim [options] SCRIPT [ARGUMENTS...]\n"
    "       karven-sim [options] --load PLUGIN.so[:ENTRY]...\n"
    "       karven-sim test [--timeout SECONDS] [-v] [PATH...]\n"
    "Runs a Python plug-in script, or loads compiled plug-ins and calls their\n"
    "extern \"C\" int ENTRY(void), against the simulated KARVEN host and prints\n"
    "every request they make and every call on the host's services; or, with\n"
    "'test', runs the test_*.py files under the paths (default: the current\n"
    "folder) with unittest, the host restarted before each file.\n"
    "\n"
    "options:\n"
    "  --trace-json FILE    also write the trace to FILE, one JSON object a line\n"
    "  --summary            print the widget tree (when plug-ins made widgets) and the\n"
    "                       host's final state (JSON) at the end\n"
    "  --dialog-answer PATH queue PATH as the answer of the next file or\n"
    "                       directory dialog ('' cancels it); repeatable:\n"
    "                       dialogs answer in order, then are cancelled\n"
    "  --timeout SECONDS    stop the script (or the test run) after SECONDS and\n"
    "                       show where it was; exit status 124\n"
    "  --quiet              do not print the trace\n"
    "  --load PLUGIN[:ENTRY] load a compiled plug-in (RTLD_GLOBAL) and call ENTRY;\n"
    "                       repeatable, in order; instead of a script\n"
    "  -v, --verbose        (test) name each test as it runs\n"
    "  -h, --help           show this text\n"
    "\n"
    "events after the script or the plug-ins, in the order given (each repeatable):\n"
    "  --fire-signal NAME   fire the signal NAME through the signal service\n"
    "  --run-action NAME    run the action NAME as the user would\n"
    "  --fire-timeouts      fire every pending time-out\n"
    "\n"
    "exit status: the script's own (1 when it raised), for 'test' 0 when every\n"
    "test passed and 1 otherwise (5: no tests found); 2 for bad usage, 124 after\n"
    "the time-out, 130 after SIGINT (Ctrl-C).\n";

// What happens after the script.
struct Event {
    enum Kind { FireSignal, RunAction, FireTimeouts } kind;
    std::string name;
};

struct Options {
    bool test = false;  // karven-sim test: `arguments` are the paths
    std::string script;
    std::vector<std::string> arguments;
    std::string traceJson;
    bool summary = false;
    bool quiet = false;
    bool verbose = false;
    double timeout = 0;  // seconds; 0: none
    std::vector<std::string> dialogAnswers;
    std::vector<Event> events;
    std::vector<std::string> plugins;  // --load, instead of a script
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "karven-sim: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// Parses the command line; returns -1 to go on, else the exit status.
int parse(int argc, char** argv, Options& options) {
    int i = 1;
    options.test = argc > 1 && std::strcmp(argv[1], "test") == 0;
    i += options.test;
    for (; i < argc && options.script.empty(); ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const bool scriptOption =
            !options.test &&
            (arg == "--summary" || arg == "--quiet" || arg == "--fire-timeouts" || arg == "--trace-json" ||
             arg == "--fire-signal" || arg == "--run-action" || arg == "--dialog-answer" || arg == "--load");
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--timeout") {
            char* end = nullptr;
            options.timeout = hasValue ? std::strtod(argv[++i], &end) : 0;
            if (end == nullptr || *end != '\0' || !(options.timeout > 0)) {
                return usageError("option '--timeout' needs a number of seconds above 0");
            }
        } else if (options.test && (arg == "-v" || arg == "--verbose")) {
            options.verbose = true;
        } else if (options.test && !arg.empty() && arg[0] != '-') {
            options.arguments.push_back(arg);
        } else if (!scriptOption && arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + arg + "'");
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--fire-timeouts") {
            options.events.push_back({Event::FireTimeouts, ""});
        } else if (scriptOption) {
            if (!hasValue) {
                return usageError("option '" + arg + "' needs a value");
            }
            const std::string value = argv[++i];
            if (arg == "--trace-json") {
                options.traceJson = value;
            } else if (arg == "--dialog-answer") {
                options.dialogAnswers.push_back(value);
            } else if (arg == "--load") {
                options.plugins.push_back(value);
            } else {
                const auto kind = arg == "--fire-signal" ? Event::FireSignal : Event::RunAction;
                options.events.push_back({kind, value});
            }
        } else {
            options.script = arg;
        }
    }
    if (options.test) {
        return -1;
    }
    if (options.script.empty() == options.plugins.empty()) {
        return usageError(options.script.empty() ? "no script given" : "a script cannot be run with --load");
    }
    options.arguments.assign(argv + i, argv + argc);
    return -1;
}

// The exit status a SystemExit asks for (its exception is pending).
int systemExitStatus() {
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    int status = 1;
    PyObject* code = value ? PyObject_GetAttrString(value, "code") : nullptr;
    if (code == nullptr || code == Py_None) {
        status = 0;
    } else if (PyLong_Check(code)) {
        status = static_cast<int>(PyLong_AsLong(code));
    } else {
        PyObject_Print(code, stderr, Py_PRINT_RAW);
        std::fputc('\n', stderr);
    }
    PyErr_Clear();
    Py_XDECREF(code);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    return status;
}

// Calls a function of karven_sim._runner, the Python side of karven-sim;
// returns its new reference, or null with the error pending.
PyObject* callRunner(const char* function, const char* format, ...) {
    PyObject* runner = PyImport_ImportModule("karven_sim._runner");
    PyObject* callable = runner ? PyObject_GetAttrString(runner, function) : nullptr;
    std::va_list values;
    va_start(values, format);
    PyObject* arguments = callable ? Py_VaBuildValue(format, values) : nullptr;
    va_end(values);
    PyObject* result = arguments ? PyObject_CallObject(callable, arguments) : nullptr;
    Py_XDECREF(arguments);
    Py_XDECREF(callable);
    Py_XDECREF(runner);
    return result;
}

const int kTimedOut = 124;
const int kInterrupted = 130;

// A run stopped by the time-out or by SIGINT (a KeyboardInterrupt is
// pending): prints what was running and where.
int stopped(const Options& options) {
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    if (traceback != nullptr) {
        PyException_SetTraceback(value, traceback);
    }
    PyObject* runner = PyImport_ImportModule("karven_sim._runner");
    PyObject* timedOut = runner ? PyObject_GetAttrString(runner, "TimedOut") : nullptr;
    const int status = timedOut && PyObject_IsInstance(value, timedOut) == 1 ? kTimedOut : kInterrupted;
    PyObject* report = callRunner("stop_report", "(Ozd)", value,
                                  options.test ? nullptr : options.script.c_str(), options.timeout);
    const char* text = report ? PyUnicode_AsUTF8(report) : nullptr;
    if (text != nullptr) {
        std::fputs(text, stderr);
    } else {
        PyErr_Print();
    }
    Py_XDECREF(report);
    Py_XDECREF(timedOut);
    Py_XDECREF(runner);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    return status;
}

// The status of a failed call: a SystemExit's code, the report of a stopped
// run, or 1 after printing the traceback.
int failure(const Options& options) {
    if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
        return systemExitStatus();
    }
    if (PyErr_ExceptionMatches(PyExc_KeyboardInterrupt)) {
        return stopped(options);
    }
    PyErr_Print();
    return 1;
}

// Ends a run that outlasts its time-out, should the TimedOut raised in the
// script (karven_sim._runner.limit) not end it within a grace period, as
// when native code never returns to Python.
class Watchdog {
public:
    static constexpr double kGraceSeconds = 3;

    Watchdog(double seconds, std::string what) {
        if (seconds > 0) {
            thread_ = std::thread([this, seconds, what] {
                std::unique_lock<std::mutex> lock(mutex_);
                const auto limit = std::chrono::duration<double>(seconds + kGraceSeconds);
                if (!ended_.wait_for(lock, limit, [this] { return done_; })) {
                    std::fprintf(stderr, "karven-sim: %s timed out after %g s and did not stop within %g s\n",
                                 what.c_str(), seconds, kGraceSeconds);
                    std::fflush(stdout);
                    _exit(kTimedOut);
                }
            });
        }
    }
    // The run is over.
    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    ~Watchdog() { stop(); }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    std::thread thread_;
};

// Where the Python modules are: beside an installed karven-sim
// (<prefix>/bin/../lib/pythonX.Y/site-packages), else in the build, both
// found relative to the executable.
std::string moduleDirectory() {
    char executable[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    std::string here(executable, static_cast<std::size_t>(length > 0 ? length : 0));
    here = here.substr(0, here.rfind('/') + 1);
    const std::string installed = here + KARVENSIM_INSTALLED_MODULE_DIR;
    if (access((installed + "/PluginInterfaces.py").c_str(), R_OK) == 0) {
        return installed;
    }
    return here + KARVENSIM_BUILD_MODULE_DIR;
}

bool prependPath(const std::string& directory) {
    PyObject* path = PySys_GetObject("path");
    PyObject* entry = PyUnicode_DecodeFSDefault(directory.c_str());
    const bool done = path && entry && PyList_Insert(path, 0, entry) == 0;
    Py_XDECREF(entry);
    return done;
}

PyObject* stringList(const std::vector<std::string>& items) {
    PyObject* list = PyList_New(0);
    for (const auto& item : items) {
        PyObject* text = list ? PyUnicode_DecodeFSDefault(item.c_str()) : nullptr;
        if (text == nullptr || PyList_Append(list, text) != 0) {
            Py_XDECREF(text);
            Py_XDECREF(list);
            return nullptr;
        }
        Py_DECREF(text);
    }
    return list;
}

bool setArguments(const Options& options) {
    std::vector<std::string> all{options.script};
    all.insert(all.end(), options.arguments.begin(), options.arguments.end());
    PyObject* argv = stringList(all);
    const bool done = argv && PySys_SetObject("argv", argv) == 0;
    Py_XDECREF(argv);
    return done;
}

int runEvent(const Event& event, karvensim::Simulator& simulator) {
    switch (event.kind) {
    case Event::FireSignal: return simulator.fireSignal(event.name);
    case Event::RunAction: return simulator.application().runAction(event.name);
    case Event::FireTimeouts: return simulator.application().fireTimeouts();
    }
    return 0;
}

// Makes the events happen in order.
int runEvents(const Options& options, karvensim::Simulator& simulator) {
    for (const auto& event : options.events) {
        const int outcome = runEvent(event, simulator);
        if (PyErr_Occurred()) {
            return failure(options);
        }
        const char* const plural = outcome == 1 ? "" : "s";
        switch (event.kind) {
        case Event::FireSignal:
            std::printf("karven-sim: fired %s: %d callback%s\n", event.name.c_str(), outcome, plural);
            break;
        case Event::RunAction:
            std::printf("karven-sim: ran %s: status %d\n", event.name.c_str(), outcome);
            break;
        case Event::FireTimeouts: std::printf("karven-sim: fired %d time-out%s\n", outcome, plural); break;
        }
    }
    return 0;
}

// Imports PluginInterfaces (it attaches to the host) and starts the time
// limit.
bool prepare(const Options& options) {
    PyObject* module = PyImport_ImportModule("PluginInterfaces");
    if (module == nullptr) {
        return false;
    }
    Py_DECREF(module);
    if (options.timeout > 0) {
        PyObject* limited = callRunner("limit", "(d)", options.timeout);
        if (limited == nullptr) {
            return false;
        }
        Py_DECREF(limited);
    }
    return true;
}

// Runs the script as __main__ (or, with --load, loads the compiled
// plug-ins), then makes the events happen in order.
int runScript(const Options& options) {
    karvensim::Simulator& simulator = *karvensim::Simulator::running();
    if (!options.plugins.empty()) {
        const int loaded = karvensim::loadPlugins(options.plugins, simulator);
        return loaded != 0 ? loaded : runEvents(options, simulator);
    }
    const std::string directory = options.script.find('/') == std::string::npos
                                      ? "."
                                      : options.script.substr(0, options.script.rfind('/'));
    if (!prependPath(moduleDirectory()) || !prependPath(directory) || !setArguments(options) ||
        !prepare(options)) {
        return failure(options);
    }
    PyObject* runpy = PyImport_ImportModule("runpy");
    PyObject* runPath = runpy ? PyObject_GetAttrString(runpy, "run_path") : nullptr;
    PyObject* arguments = Py_BuildValue("(s)", options.script.c_str());
    PyObject* keywords = Py_BuildValue("{ss}", "run_name", "__main__");
    PyObject* result =
        runPath && arguments && keywords ? PyObject_Call(runPath, arguments, keywords) : nullptr;
    Py_XDECREF(keywords);
    Py_XDECREF(arguments);
    Py_XDECREF(runPath);
    Py_XDECREF(runpy);
    if (result == nullptr) {
        return failure(options);
    }
    Py_DECREF(result);
    return runEvents(options, *karvensim::Simulator::running());
}

// karven-sim test: karven_sim._runner.run_tests gives the status.
int runTests(const Options& options) {
    PyObject* paths = stringList(options.arguments);
    const bool ready = paths && prependPath(moduleDirectory()) && prepare(options);
    PyObject* result = ready ? callRunner("run_tests", "(Oi)", paths, options.verbose ? 2 : 1) : nullptr;
    Py_XDECREF(paths);
    const int status = result ? static_cast<int>(PyLong_AsLong(result)) : failure(options);
    Py_XDECREF(result);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = parse(argc, argv, options);
    if (parsed >= 0) {
        return parsed;
    }
    if (options.test) {
        options.quiet = true;
    } else if (options.script.empty()) {
        // compiled plug-ins instead (--load)
    } else if (std::FILE* script = std::fopen(options.script.c_str(), "r")) {
        std::fclose(script);
    } else {
        std::fprintf(stderr, "karven-sim: cannot open '%s': %s\n", options.script.c_str(),
                     std::strerror(errno));
        return 2;
    }
    // The trace file: a header line, then each entry as it is added.
    std::ofstream traceFile;
    if (!options.traceJson.empty()) {
        traceFile.open(options.traceJson);
        traceFile << "{\"trace\": \"karven-sim\", \"version\": 1}\n";
        if (!traceFile) {
            std::fprintf(stderr, "karven-sim: cannot write '%s'\n", options.traceJson.c_str());
            return 2;
        }
    }

    karvensim::Simulator::start();
    for (const auto& answer : options.dialogAnswers) {
        karvensim::Simulator::running()->application().queueDialogAnswer(answer);
    }
    karvensim::Simulator::running()->onRequest([&options, &traceFile](const karvensim::TraceEntry& entry) {
        if (!options.quiet) {
            std::printf("karven: %s\n", karvensim::describe(entry).c_str());
            std::fflush(stdout);
        }
        if (traceFile.is_open()) {
            traceFile << karvensim::jsonOf(entry) << '\n';
        }
    });

    Py_UnbufferedStdioFlag = 1;
    Py_InitializeEx(1);
    Watchdog watchdog(options.timeout, options.test ? "the test run" : options.script);
    const int status = options.test ? runTests(options) : runScript(options);
    if (options.timeout > 0) {
        Py_XDECREF(callRunner("unlimit", "()"));
        PyErr_Clear();
    }

    // The script may have restarted the host.
    karvensim::Simulator& simulator = *karvensim::Simulator::running();
    if (options.summary) {
        // The widget tree, once plug-ins made widgets of their own.
        if (simulator.gui().hasPluginWidgets()) {
            std::printf("karven-sim: widgets\n%s", simulator.gui().text().c_str());
        }
        std::printf("karven-sim: final state %s\n", simulator.stateJson().c_str());
    }
    // Finalising deletes the script's objects: clients still bound unbind.
    const bool finalized = Py_FinalizeEx() == 0;
    watchdog.stop();
    simulator.onRequest(nullptr);
    bool written = true;
    if (traceFile.is_open()) {
        traceFile.close();
        written = static_cast<bool>(traceFile);
        if (!written) {
            std::fprintf(stderr, "karven-sim: cannot write '%s'\n", options.traceJson.c_str());
        }
    }
    if (status != 0) {
        return status;
    }
    return !finalized ? 120 : (written ? 0 : 2);
}
