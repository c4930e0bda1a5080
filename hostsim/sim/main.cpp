// karven-sim: runs a Python plug-in script inside a simulated KARVEN host,
// or loads compiled plug-ins into it (--load, PluginLoader.h).
//
// It embeds Python as the application does: the executable itself exports
// SPI_GetFunctionMap, so the library finds the host through the process-wide
// lookup when the script imports PluginInterfaces (or a plug-in attaches).
// Every request is printed as it is answered.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "hostsim/sim/PluginLoader.h"
#include "hostsim/sim/Simulator.h"

extern "C" __attribute__((visibility("default"))) void* SPI_GetFunctionMap() { return testhost::functionMap(); }

namespace {

const char* const kUsage =
    "usage: karven-sim [options] SCRIPT [ARGUMENTS...]\n"
    "       karven-sim [options] --load PLUGIN.so[:ENTRY]...\n"
    "Runs a Python plug-in script, or loads compiled plug-ins and calls their\n"
    "extern \"C\" int ENTRY(void), against the simulated KARVEN host and prints\n"
    "every request they make.\n"
    "\n"
    "options:\n"
    "  --trace-json FILE    also write the trace as JSON to FILE\n"
    "  --summary            print the widget tree (when plug-ins made widgets) and the\n"
    "                       host's final state (JSON) at the end\n"
    "  --dialog-answer PATH queue PATH as the answer of the next file or\n"
    "                       directory dialog ('' cancels it); repeatable:\n"
    "                       dialogs answer in order, then are cancelled\n"
    "  --quiet              do not print the trace\n"
    "  --load PLUGIN[:ENTRY] load a compiled plug-in (RTLD_GLOBAL) and call ENTRY;\n"
    "                       repeatable, in order; instead of a script\n"
    "  -h, --help           show this text\n"
    "\n"
    "events after the script or the plug-ins, in the order given (each repeatable):\n"
    "  --fire-signal NAME   fire the signal NAME through the signal service\n"
    "  --run-action NAME    run the action NAME as the user would\n"
    "  --fire-timeouts      fire every pending time-out\n";

// What happens after the script.
struct Event {
    enum Kind { FireSignal, RunAction, FireTimeouts } kind;
    std::string name;
};

struct Options {
    std::string script;
    std::vector<std::string> arguments;
    std::string traceJson;
    bool summary = false;
    bool quiet = false;
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
    for (; i < argc && options.script.empty(); ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--summary") {
            options.summary = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--fire-timeouts") {
            options.events.push_back({Event::FireTimeouts, ""});
        } else if (arg == "--trace-json" || arg == "--fire-signal" || arg == "--run-action" ||
                   arg == "--dialog-answer" || arg == "--load") {
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
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option '" + arg + "'");
        } else {
            options.script = arg;
        }
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

// The status of a failed call: a SystemExit's code, or 1 after printing the
// traceback.
int failure() {
    if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
        return systemExitStatus();
    }
    PyErr_Print();
    return 1;
}

// Where PluginInterfaces is: beside an installed karven-sim
// (<prefix>/bin/../lib/pythonX.Y/site-packages), else in the build.
std::string moduleDirectory() {
    char executable[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length > 0) {
        std::string installed(executable, static_cast<std::size_t>(length));
        installed = installed.substr(0, installed.rfind('/') + 1) + KARVENSIM_INSTALLED_MODULE_DIR;
        if (access((installed + "/PluginInterfaces.py").c_str(), R_OK) == 0) {
            return installed;
        }
    }
    return KARVENSIM_MODULE_DIR;
}

bool prependPath(const std::string& directory) {
    PyObject* path = PySys_GetObject("path");
    PyObject* entry = PyUnicode_DecodeFSDefault(directory.c_str());
    const bool done = path && entry && PyList_Insert(path, 0, entry) == 0;
    Py_XDECREF(entry);
    return done;
}

bool setArguments(const Options& options) {
    PyObject* argv = PyList_New(0);
    bool done = argv != nullptr;
    std::vector<std::string> all{options.script};
    all.insert(all.end(), options.arguments.begin(), options.arguments.end());
    for (const auto& argument : all) {
        PyObject* item = done ? PyUnicode_DecodeFSDefault(argument.c_str()) : nullptr;
        done = item && PyList_Append(argv, item) == 0;
        Py_XDECREF(item);
    }
    done = done && PySys_SetObject("argv", argv) == 0;
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
            return failure();
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

// Imports the module, runs the script as __main__ (or, with --load, loads
// the compiled plug-ins), then makes the events happen in order.
int runScript(const Options& options, karvensim::Simulator& simulator) {
    if (!options.plugins.empty()) {
        const int loaded = karvensim::loadPlugins(options.plugins, simulator);
        return loaded != 0 ? loaded : runEvents(options, simulator);
    }
    const std::string directory = options.script.find('/') == std::string::npos
                                      ? "."
                                      : options.script.substr(0, options.script.rfind('/'));
    if (!prependPath(moduleDirectory()) || !prependPath(directory) || !setArguments(options)) {
        return failure();
    }
    PyObject* module = PyImport_ImportModule("PluginInterfaces");
    if (module == nullptr) {
        return failure();
    }
    Py_DECREF(module);
    PyObject* runpy = PyImport_ImportModule("runpy");
    PyObject* runPath = runpy ? PyObject_GetAttrString(runpy, "run_path") : nullptr;
    PyObject* arguments = Py_BuildValue("(s)", options.script.c_str());
    PyObject* keywords = Py_BuildValue("{ss}", "run_name", "__main__");
    PyObject* result = runPath && arguments && keywords ? PyObject_Call(runPath, arguments, keywords) : nullptr;
    Py_XDECREF(keywords);
    Py_XDECREF(arguments);
    Py_XDECREF(runPath);
    Py_XDECREF(runpy);
    if (result == nullptr) {
        return failure();
    }
    Py_DECREF(result);
    return runEvents(options, simulator);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = parse(argc, argv, options);
    if (parsed >= 0) {
        return parsed;
    }
    if (options.script.empty()) {
        // compiled plug-ins instead (--load)
    } else if (std::FILE* script = std::fopen(options.script.c_str(), "r")) {
        std::fclose(script);
    } else {
        std::fprintf(stderr, "karven-sim: cannot open '%s': %s\n", options.script.c_str(), std::strerror(errno));
        return 2;
    }

    karvensim::Simulator& simulator = karvensim::Simulator::start();
    for (const auto& answer : options.dialogAnswers) {
        simulator.application().queueDialogAnswer(answer);
    }
    if (!options.quiet) {
        simulator.onRequest([](const karvensim::TraceEntry& entry) {
            std::printf("karven: %s\n", karvensim::describe(entry).c_str());
            std::fflush(stdout);
        });
    }

    Py_UnbufferedStdioFlag = 1;
    Py_InitializeEx(1);
    const int status = runScript(options, simulator);

    if (options.summary) {
        // The widget tree, once plug-ins made widgets of their own.
        if (simulator.gui().hasPluginWidgets()) {
            std::printf("karven-sim: widgets\n%s", simulator.gui().text().c_str());
        }
        std::printf("karven-sim: final state %s\n", simulator.stateJson().c_str());
    }
    // Finalising deletes the script's objects: clients still bound unbind.
    const bool finalized = Py_FinalizeEx() == 0;
    simulator.onRequest(nullptr);
    bool written = true;
    if (!options.traceJson.empty()) {
        std::ofstream out(options.traceJson);
        out << simulator.traceJson() << '\n';
        written = static_cast<bool>(out);
        if (!written) {
            std::fprintf(stderr, "karven-sim: cannot write '%s'\n", options.traceJson.c_str());
        }
    }
    if (status != 0) {
        return status;
    }
    return !finalized ? 120 : (written ? 0 : 2);
}
