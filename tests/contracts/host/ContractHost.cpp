// The contract host: every object here is declared by the host alone.

#include "tests/contracts/host/ContractHost.h"

#include <sstream>

#include "tests/contracts/host/HostInterfaces.h"

namespace contracthost {
namespace {

using namespace PluginClient::Interfaces;

std::string join(const std::vector<uint64_t>& ids) {
    std::ostringstream out;
    for (std::size_t i = 0; i < ids.size(); ++i) out << (i ? " " : "") << ids[i];
    return out.str();
}

// One entry of seen(): "slot name(args)".
template <typename... Args>
void note(int slot, const char* name, const Args&... args) {
    std::ostringstream out;
    out << std::boolalpha << slot << ' ' << name << '(';
    [[maybe_unused]] const char* separator = "";
    ((out << separator << args, separator = ", "), ...);
    out << ')';
    seen().push_back(out.str());
}

class HostEntityGui : public EntityGuiInterface {
public:
    void showGuiAndSelect(const std::vector<uint64_t>& ids) override {
        note(2, "showGuiAndSelect", join(ids));
    }
    void selectIds(const std::vector<uint64_t>& ids) override { note(3, "selectIds", join(ids)); }
    void setTreeView(bool useTreeView) override { note(4, "setTreeView", useTreeView); }
};

class HostFileLocator : public FileLocatorInterface {
public:
    std::string locate(int32_t type, const std::string& filename) const override {
        note(2, "locate", type, filename);
        return "/data/" + filename;
    }
    std::vector<std::string> getModelTextures(const std::string& modelName) const override {
        note(3, "getModelTextures", modelName);
        return {modelName + ".png", "shared.png"};
    }
};

// A getter answering `value` and its setter, from `slot`.
#define HOST_PROPERTY(Type, get, Arg, set, slot, value)           \
    Type get() const override { return note(slot, #get), value; } \
    void set(Arg argument) override { note(slot + 1, #set, argument); }

class HostFileWriter : public FileWriterInterface {
public:
    HOST_PROPERTY(std::string, fileName, const std::string&, setFileName, 2, "host.asi")
    HOST_PROPERTY(double, startTime, double, setStartTime, 4, 1.5)
    HOST_PROPERTY(double, endTime, double, setEndTime, 6, 2.5)
    HOST_PROPERTY(bool, showGui, bool, setShowGui, 8, true)
    HOST_PROPERTY(int32_t, filePath, int32_t, setFilePath, 10, 2)
    HOST_PROPERTY(int32_t, timeFormat, int32_t, setTimeFormat, 12, 3)
    HOST_PROPERTY(bool, isCullEnabled, bool, setCull, 14, true)
    HOST_PROPERTY(double, cullAngle, double, setCullAngle, 16, 45.5)
    HOST_PROPERTY(bool, includeModels, bool, setIncludeModels, 18, true)
    HOST_PROPERTY(int32_t, coordinateSystem, int32_t, setCoordinateSystem, 20, 4)
    HOST_PROPERTY(bool, getSaveExternalFiles, bool, setSaveExternalFiles, 22, true)
    int write(int32_t format) override { return note(24, "write", format), 10 + format; }
};

class HostSignals : public SignalInterface {
public:
    int addCallback(const std::string& name, SignalCallback* callback) override {
        return note(2, "addCallback", name, callback), 21;
    }
    int removeCallback(const std::string& name, SignalCallback* callback) override {
        return note(3, "removeCallback", name, callback), 22;
    }
    int addGlobalCallback(SignalCallback* callback) override {
        return note(4, "addGlobalCallback", callback), 23;
    }
    int removeGlobalCallback(SignalCallback* callback) override {
        return note(5, "removeGlobalCallback", callback), 24;
    }
    bool hasCallbacks(const std::string& name) override { return note(6, "hasCallbacks", name), true; }
    int fireCallbacks(const std::string& name, SignalData* data) override {
        return note(7, "fireCallbacks", name, data), 25;
    }
};

class HostSnapShots : public SnapShotInterface {
public:
    void setDirectory(const std::string& snapShotDir) override { note(2, "setDirectory", snapShotDir); }
    void setFileType(int32_t fileType) override { note(3, "setFileType", fileType); }
    void setFilename(const std::string& filename) override { note(4, "setFilename", filename); }
    void setUseScenarioTime(bool useScenarioTime) override { note(5, "setUseScenarioTime", useScenarioTime); }
    void setTimerIntervalSeconds(int intervalSeconds) override {
        note(6, "setTimerIntervalSeconds", intervalSeconds);
    }
    void takeSnapShot() override { note(7, "takeSnapShot"); }
    void startSnapShotTimer() override { note(8, "startSnapShotTimer"); }
    void stopSnapShotTimer() override { note(9, "stopSnapShotTimer"); }
    int setPlotTabActive(const std::string& name, bool active) override {
        return note(10, "setPlotTabActive", name, active), 31;
    }
    int setSaveCurrentPlotTab(bool save) override { return note(11, "setSaveCurrentPlotTab", save), 32; }
};

class RecordingMap : public Functor__ {
public:
    void* operator()(void*, int32_t, void*) override { return nullptr; }
    void* Call(void*, int32_t code, void*) override {
        if (code != 16) mapCodes().push_back(code);
        return nullptr;
    }
};

}  // namespace

std::vector<std::string>& seen() {
    static std::vector<std::string> calls;
    return calls;
}

void* newService(Service service) {
    PICommon::BindableInterface* iface = nullptr;
    switch (service) {
    case Service::EntityGui: iface = new HostEntityGui; break;
    case Service::FileLocator: iface = new HostFileLocator; break;
    case Service::FileWriter: iface = new HostFileWriter; break;
    case Service::Signal: iface = new HostSignals; break;
    case Service::SnapShot: iface = new HostSnapShots; break;
    }
    return iface;
}

void deleteService(void* iface) { delete static_cast<PICommon::BindableInterface*>(iface); }

void* functionMap() {
    static RecordingMap map;
    return static_cast<Functor__*>(&map);
}

std::vector<int32_t>& mapCodes() {
    static std::vector<int32_t> codes;
    return codes;
}

void connect(void* client, void* iface) {
    static_cast<PICommon::ServiceClient*>(client)->onServiceConnected(
        static_cast<PICommon::BindableInterface*>(iface));
}

void signal(void* callback, const std::string& name, void* data) {
    static_cast<SignalCallback*>(callback)->callback(name, static_cast<SignalData*>(data));
}

void* callFunctor(void* functor, void* source, void* data) {
    return (*static_cast<FunctorTwoParams__*>(functor))(source, data);
}

namespace {
const PICommon::FileImportExportDelegate* importExport(const void* delegate) {
    return static_cast<const PICommon::FileImportExportDelegate*>(delegate);
}
const PICommon::FileExportDelegate* exportOnly(const void* delegate) {
    return static_cast<const PICommon::FileExportDelegate*>(delegate);
}
}  // namespace

void* importExportCreateEditor(const void* delegate, void* parent) {
    return importExport(delegate)->createEditor(static_cast<QWidget*>(parent));
}
int importExportWithWidget(const void* delegate, const std::string& fileName, const void* editor) {
    return importExport(delegate)->processFileWithWidget(fileName, static_cast<const QWidget*>(editor));
}
int importExportWithOptions(const void* delegate, const std::string& fileName,
                            const std::map<std::string, std::string>& options) {
    return importExport(delegate)->processFileWithOptions(fileName, options);
}
void deleteImportExport(void* delegate) { delete static_cast<PICommon::FileImportExportDelegate*>(delegate); }

int exportWithWidget(const void* delegate, const std::string& fileName, const void* editor) {
    return exportOnly(delegate)->processFileWithWidget(fileName, static_cast<const QWidget*>(editor));
}
void* exportCreateEditor(const void* delegate, void* parent) {
    return exportOnly(delegate)->createEditor(static_cast<QWidget*>(parent));
}
int exportWithOptions(const void* delegate, const std::string& fileName,
                      const std::map<std::string, std::string>& options) {
    return static_cast<const PICommon::FileExportDelegateV2*>(delegate)->processFileWithOptions(fileName,
                                                                                                options);
}
void deleteExport(void* delegate) { delete static_cast<PICommon::FileExportDelegate*>(delegate); }

void deleteProxy(void* proxy) { delete static_cast<PIObject*>(proxy); }

// The host knows the page only as a proxy: a PIObject at the same address.
void* newPage(const void* factory, void* handle, bool owns) {
    return static_cast<const PIGUI::PIVerticalFrameFactory*>(factory)->newVerticalFrame(handle, owns);
}

void* serverHandleOf(const void* proxy) { return static_cast<const PIObject*>(proxy)->serverHandle; }
bool ownsServerObjectOf(const void* proxy) { return static_cast<const PIObject*>(proxy)->ownsServerObject; }

void dialogClosed(void* observer, void* dialog) {
    static_cast<PIGUI::PIDialogBox::CloseObserver*>(observer)->dialogBoxClosed(
        static_cast<PIGUI::PIDialogBox*>(dialog));
}

void show(void* window) { static_cast<PIGUI::PIWindow*>(window)->show(); }
void mapFunction(void* window, void* function) {
    static_cast<PIGUI::PIWindow*>(window)->mapFunction(static_cast<FunctorTwoParams__*>(function));
}

}  // namespace contracthost
