// A compiled plug-in's session with the host: an action with a hot key, a
// time-out, two export delegates (one accepted, one refused) and a proxy left
// to the collector. It runs against the simulated host in this process,
// which plays the user: it runs the action and fires the time-out.

#include <cstdio>
#include <map>
#include <string>

#include "api/PIActions.h"
#include "api/PIFileHandlers.h"
#include "api/PITimeouts.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIFunctorTwoParams.h"
#include "gui/PIContainers.h"
#include "gui/PIObject.h"
#include "hostsim/sim/Simulator.h"

namespace {

// An action's callback; the simulated host passes the action's name as `source`.
class RefreshTracks : public FunctorTwoParams__ {
public:
    void* operator()(void* source, void*) override {
        std::printf("action %s ran\n", static_cast<const char*>(source));
        return nullptr;
    }
};

// A time-out's callback; the simulated host passes the time-out's handle as `source`.
class SaveReminder : public FunctorTwoParams__ {
public:
    void* operator()(void*, void*) override {
        std::printf("time-out fired\n");
        return nullptr;
    }
};

// An export-only delegate that also takes an options map. Whoever owns it
// deletes it: the host once it accepted it, the library when the host refused.
class CsvExport : public PICommon::FileExportDelegateV2 {
public:
    explicit CsvExport(const char* label) : label_(label) {}
    ~CsvExport() override { std::printf("delegate %s deleted\n", label_); }

    QWidget* createEditor(QWidget*) const override { return nullptr; }
    int processFileWithWidget(const std::string&, const QWidget*) const override { return 0; }
    int processFileWithOptions(const std::string&, const std::map<std::string, std::string>&) const override {
        return 0;
    }

private:
    const char* label_;
};

// Callbacks stay the plug-in's and must live as long as the host may call
// them: actions are never removed, so these live as long as the plug-in.
RefreshTracks refreshTracks;
SaveReminder saveReminder;

}  // namespace

int main() {
    karvensim::Simulator& host = karvensim::Simulator::start();
    _initializePluginFunctionMap();

    // An action with a hot key; the user (here the simulated host) runs it.
    std::printf("createAction: %d\n", PICommon::createAction("Tracks.Refresh", "Refresh the tracks", &refreshTracks));
    const unsigned int hotKey = PICommon::parseAccelerator("Ctrl+Shift+T");
    std::printf("setHotKey: %d\n", PICommon::setHotKey("Tracks.Refresh", hotKey, 0));
    std::printf("hot key of Tracks.Refresh: %s\n",
                PICommon::unparseAccelerator(PICommon::getHotKey("Tracks.Refresh", 0)).c_str());
    host.application().runAction("Tracks.Refresh");

    // A time-out: the host keeps only the callback's address.
    void* timeout = PICommon::createTimeout(60000, &saveReminder);
    std::printf("time-out created: %s\n", timeout != nullptr ? "yes" : "no");
    host.application().fireTimeouts();

    // Delegates: with status 0 the host owns the delegate; with any other
    // status the library has deleted it before the call returns.
    std::printf("first registration: %d\n",
                PICommon::registerFileExportHandler("Tracks (CSV)", "*.csv", new CsvExport("first"), 0));
    std::printf("second registration: %d\n",
                PICommon::registerFileExportHandler("Tracks (CSV)", "*.csv", new CsvExport("second"), 0));

    // A proxy the plug-in never deletes: the host declined it for its server
    // garbage, so the library's collector lists it, and unloading the
    // plug-in deletes the collector and with it every proxy left behind.
    new PIGUI::PIVerticalFrame(nullptr);
    std::printf("proxies left to the collector: %zu\n", g_PI_GarbageCollector->objects.size());
    delete g_PI_GarbageCollector;
    std::printf("collector after unloading: %s\n", g_PI_GarbageCollector == nullptr ? "gone" : "still there");
    return 0;
}
