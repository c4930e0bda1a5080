// Virtual slot order across the boundary, checked against a host built from
// its own declarations (tests/contracts/host), never the library's headers:
// the calls the plug-in makes on the host's objects, and the calls the host
// makes on the plug-in's objects.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <utility>

#include "api/PIFileDelegates.h"
#include "bridge/PIFunctionMap.h"
#include "gui/PIButtons.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"
#include "gui/PIList.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "services/PIClients.h"
#include "tests/contracts/host/ContractHost.h"
#include "tests/sim/PluginCallback.h"

namespace {

using namespace PluginClient::Interfaces;
using contracthost::Service;

template <typename T>
std::string str(const T& value) {
    std::ostringstream out;
    out << std::boolalpha << value;
    return out.str();
}

char tags[8];
void* const kContext = &tags[0];
void* const kHandle = &tags[2];
void* const kParent = &tags[3];
void* const kEditor = &tags[4];

class ContractSlots : public ::testing::Test {
protected:
    void SetUp() override {
        // Installed the way a loader writes it.
        g_FunctionMap = static_cast<Functor__*>(contracthost::functionMap());
        g_This = kContext;
        contracthost::mapCodes().clear();
        contracthost::seen().clear();
    }
    // The codes the plug-in sent since the last call.
    static std::vector<int32_t> codesSent() { return std::exchange(contracthost::mapCodes(), {}); }
};

// The plug-in's clients, each connected by the host to one of its objects.
template <typename Client>
Client* attach(Client& client, Service service, std::vector<void*>& services) {
    services.push_back(contracthost::newService(service));
    contracthost::connect(static_cast<PICommon::ServiceClient*>(&client), services.back());
    return &client;
}

TEST_F(ContractSlots, every_interface_operation_reaches_the_hosts_object_at_its_slot) {
    std::vector<void*> services;
    EntityGuiClient guiClient;
    FileLocatorClient locatorClient;
    FileWriterClient writerClient;
    SignalClient signalClient;
    SnapShotClient shotClient;
    auto* gui = attach(guiClient, Service::EntityGui, services)->getInterface();
    auto* locator = attach(locatorClient, Service::FileLocator, services)->getInterface();
    auto* writer = attach(writerClient, Service::FileWriter, services)->getInterface();
    auto* signals = attach(signalClient, Service::Signal, services)->getInterface();
    auto* shots = attach(shotClient, Service::SnapShot, services)->getInterface();
    auto* const callback = reinterpret_cast<SignalCallback*>(&tags[5]);
    auto* const payload = reinterpret_cast<SignalData*>(&tags[6]);
    const std::string cb = str(callback);
// A writer property: the getter's answer at `slot`, then its setter in the next slot.
#define PI_PROPERTY(slot, get, answer, set, value)                         \
    {[&] {                                                                 \
         EXPECT_EQ(writer->get(), answer);                                 \
         writer->set(value);                                               \
     },                                                                    \
     #slot " " #get "()|" + str(slot + 1) + " " #set "(" + str(value) + ")"}
    // clang-format off
    const std::pair<std::function<void()>, std::string> calls[] = {
        {[&] { gui->showGuiAndSelect({1, 2, 18446744073709551615ull}); },
         "2 showGuiAndSelect(1 2 18446744073709551615)"},
        {[&] { gui->selectIds({42}); }, "3 selectIds(42)"},
        {[&] { gui->setTreeView(true); }, "4 setTreeView(true)"},
        {[&] { EXPECT_EQ(locator->locate(FileLocatorInterface::OTHER, "terrain.db"), "/data/terrain.db"); },
         "2 locate(11, terrain.db)"},
        {[&] { EXPECT_EQ(locator->getModelTextures("f16"), (std::vector<std::string>{"f16.png", "shared.png"})); },
         "3 getModelTextures(f16)"},
        PI_PROPERTY(2, fileName, "host.asi", setFileName, "out.asi"),
        PI_PROPERTY(4, startTime, 1.5, setStartTime, 10.25),
        PI_PROPERTY(6, endTime, 2.5, setEndTime, 20.75),
        PI_PROPERTY(8, showGui, true, setShowGui, false),
        PI_PROPERTY(10, filePath, 2, setFilePath, PIKARVEN::PIFilenameType_t(1)),
        PI_PROPERTY(12, timeFormat, 3, setTimeFormat, PIData::PITimeFormat_t(6)),
        PI_PROPERTY(14, isCullEnabled, true, setCull, true),
        PI_PROPERTY(16, cullAngle, 45.5, setCullAngle, 30.5),
        PI_PROPERTY(18, includeModels, true, setIncludeModels, true),
        PI_PROPERTY(20, coordinateSystem, 4, setCoordinateSystem, PIData::PICoordSystem_t(2)),
        PI_PROPERTY(22, getSaveExternalFiles, true, setSaveExternalFiles, false),
        {[&] { EXPECT_EQ(writer->write(FileWriterInterface::ZIP), 11); }, "24 write(1)"},
        {[&] { EXPECT_EQ(signals->addCallback("sig", callback), 21); }, "2 addCallback(sig, " + cb + ")"},
        {[&] { EXPECT_EQ(signals->removeCallback("sig", callback), 22); }, "3 removeCallback(sig, " + cb + ")"},
        {[&] { EXPECT_EQ(signals->addGlobalCallback(callback), 23); }, "4 addGlobalCallback(" + cb + ")"},
        {[&] { EXPECT_EQ(signals->removeGlobalCallback(callback), 24); }, "5 removeGlobalCallback(" + cb + ")"},
        {[&] { EXPECT_TRUE(signals->hasCallbacks("sig")); }, "6 hasCallbacks(sig)"},
        {[&] { EXPECT_EQ(signals->fireCallbacks("sig", payload), 25); }, "7 fireCallbacks(sig, " + str(payload) + ")"},
        {[&] { shots->setDirectory("/tmp/shots"); }, "2 setDirectory(/tmp/shots)"},
        {[&] { shots->setFileType(SnapShotInterface::FILE_PNG); }, "3 setFileType(1)"},
        {[&] { shots->setFilename("shot"); }, "4 setFilename(shot)"},
        {[&] { shots->setUseScenarioTime(true); }, "5 setUseScenarioTime(true)"},
        {[&] { shots->setTimerIntervalSeconds(-5); }, "6 setTimerIntervalSeconds(-5)"},
        {[&] { shots->takeSnapShot(); }, "7 takeSnapShot()"},
        {[&] { shots->startSnapShotTimer(); }, "8 startSnapShotTimer()"},
        {[&] { shots->stopSnapShotTimer(); }, "9 stopSnapShotTimer()"},
        {[&] { EXPECT_EQ(shots->setPlotTabActive("Range", false), 31); }, "10 setPlotTabActive(Range, false)"},
        {[&] { EXPECT_EQ(shots->setSaveCurrentPlotTab(true), 32); }, "11 setSaveCurrentPlotTab(true)"},
    };
    // clang-format on
#undef PI_PROPERTY
    for (const auto& [call, expected] : calls) {
        contracthost::seen().clear();
        call();
        std::string seen;
        for (const auto& entry : contracthost::seen()) seen += (seen.empty() ? "" : "|") + entry;
        EXPECT_EQ(seen, expected);
    }
    for (void* service : services) contracthost::deleteService(service);
}

// What the plug-in's objects were asked, in order.
std::vector<std::string> pluginSeen;

// A delegate of any kind recording the host's calls, tagged by `name`.
template <typename Base>
struct Recorder : Base {
    explicit Recorder(std::string name) : name_(std::move(name)) {}
    ~Recorder() override { pluginSeen.push_back("~" + name_); }
    QWidget* createEditor(QWidget* parent) const override {
        pluginSeen.push_back(name_ + " createEditor(" + str(parent) + ")");
        return static_cast<QWidget*>(kEditor);
    }
    int processFileWithWidget(const std::string& fileName, const QWidget*) const override {
        pluginSeen.push_back(name_ + " withWidget(" + fileName + ")");
        return 41;
    }
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const {
        pluginSeen.push_back(name_ + " withOptions(" + fileName + ", " + options.at("Append") + ")");
        return 42;
    }
    std::string name_;
};

struct Receiver : SignalCallback {
    void callback(const std::string& name, SignalData* data) override {
        pluginSeen.push_back("callback(" + name + ", " + str(data) + ")");
    }
};
struct Observer : PIGUI::PIDialogBox::CloseObserver {
    void dialogBoxClosed(PIGUI::PIDialogBox* dialog) override {
        pluginSeen.push_back("closed(" + str(static_cast<void*>(dialog)) + ")");
    }
};

TEST_F(ContractSlots, the_host_reaches_every_plug_in_object_at_its_slots) {
    using PICommon::FileExportDelegate;
    using PICommon::FileImportExportDelegate;
    const std::map<std::string, std::string> options = {{"Append", "yes"}};
    const std::string parent = str(kParent);
    // Import/export delegates of both versions, and the adapter, in slots 1 to 4.
    const auto importExport = [&](FileImportExportDelegate* d) {
        EXPECT_EQ(contracthost::importExportCreateEditor(d, kParent), kEditor);
        EXPECT_EQ(contracthost::importExportWithWidget(d, "a.csv", kEditor), 41);
        EXPECT_EQ(contracthost::importExportWithOptions(d, "b.csv", options), 42);
        contracthost::deleteImportExport(d);
    };
    importExport(new Recorder<FileImportExportDelegate>("v1"));
    importExport(new Recorder<PICommon::FileImportExportDelegateV2>("v2"));
    importExport(new PICommon::FileExportDelegateAdapter(new Recorder<PICommon::FileExportDelegateV2>("e2")));
    // Export delegates: slot 2 processFileWithWidget, slot 3 createEditor, slot 4 the options.
    auto* exporter = new Recorder<FileExportDelegate>("e1");
    EXPECT_EQ(contracthost::exportWithWidget(static_cast<FileExportDelegate*>(exporter), "c.kml", kEditor),
              41);
    EXPECT_EQ(contracthost::exportCreateEditor(static_cast<FileExportDelegate*>(exporter), kParent), kEditor);
    auto* adapter = new PICommon::FileExportDelegateAdapter(exporter);
    // The wrapped delegate as the host reads it: the one pointer after the vtable.
    EXPECT_EQ(reinterpret_cast<void* const*>(static_cast<FileImportExportDelegate*>(adapter))[1],
              static_cast<FileExportDelegate*>(exporter));
    PICommon::FileExportDelegateAdapter wrapsNothing(nullptr);
    for (FileImportExportDelegate* d : {static_cast<FileImportExportDelegate*>(adapter),
                                        static_cast<FileImportExportDelegate*>(&wrapsNothing)}) {
        EXPECT_EQ(contracthost::importExportWithOptions(d, "g", options), 1)
            << "a version 1 delegate has none";
    }
    contracthost::deleteImportExport(static_cast<FileImportExportDelegate*>(adapter));
    auto* exporter2 = new Recorder<PICommon::FileExportDelegateV2>("e2");
    EXPECT_EQ(contracthost::exportWithOptions(static_cast<FileExportDelegate*>(exporter2), "d.kml", options),
              42);
    contracthost::deleteExport(static_cast<FileExportDelegate*>(exporter2));

    Receiver receiver;
    SignalData payload;
    contracthost::signal(static_cast<SignalCallback*>(&receiver), "/signal/1.0", &payload);
    Observer observer;
    PIGUI::PIDialogBox dialog;
    contracthost::dialogClosed(static_cast<PIGUI::PIDialogBox::CloseObserver*>(&observer), &dialog);
    EXPECT_EQ(
        pluginSeen,
        (std::vector<std::string>{
            "v1 createEditor(" + parent + ")", "v1 withWidget(a.csv)", "v1 withOptions(b.csv, yes)", "~v1",
            "v2 createEditor(" + parent + ")", "v2 withWidget(a.csv)", "v2 withOptions(b.csv, yes)", "~v2",
            "e2 createEditor(" + parent + ")", "e2 withWidget(a.csv)", "e2 withOptions(b.csv, yes)", "~e2",
            "e1 withWidget(c.kml)", "e1 createEditor(" + parent + ")", "~e1", "e2 withOptions(d.kml, yes)",
            "~e2", "callback(/signal/1.0, " + str(&payload) + ")", "closed(" + str(&dialog) + ")"}));

    simtest::Callback callback;
    EXPECT_EQ(contracthost::callFunctor(static_cast<FunctorTwoParams__*>(&callback), kHandle, kEditor),
              nullptr);
    EXPECT_EQ(callback.sources, std::vector<void*>{kHandle});
    EXPECT_EQ(callback.datas, std::vector<void*>{kEditor});
}

TEST_F(ContractSlots, the_host_deletes_proxies_through_slot_1_and_makes_tab_pages_through_slot_2) {
    // clang-format off
    const std::vector<std::pair<std::function<PIObject*()>, std::vector<int32_t>>> cases = {
        {[] { return new PIGUI::PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2); }, {142, 168}},
        {[] { return new PIGUI::PIDialogBox; }, {142, 168}},
        {[] { return new PIGUI::PITabWidget(nullptr); }, {142, 168}},
        {[] { return new PIGUI::PISpinner; }, {142, 168}},
        {[] { return new PIGUI::PIList; }, {142, 168}},
        {[] { return new PIGUI::PIIcon(""); }, {142, 168}},
        {[] { return new PIGUI::PIProgressDialog(nullptr, "a", "b", false, 1); }, {162, 142, 168}},
        {[] { return new PIGUI::PIRegistry; }, {168}},  // no server object of its own
    };
    // clang-format on
    for (const auto& [make, sent] : cases) {
        PIObject* proxy = make();
        SCOPED_TRACE(typeid(*proxy).name());
        proxy->serverHandle = kHandle;
        codesSent();
        contracthost::deleteProxy(proxy);
        EXPECT_EQ(codesSent(), sent);
    }
    PIGUI::PIVertFrameFactoryImpl factory;
    for (bool owns : {true, false}) {
        void* page =
            contracthost::newPage(static_cast<PIGUI::PIVerticalFrameFactory*>(&factory), kHandle, owns);
        EXPECT_EQ(contracthost::serverHandleOf(page), kHandle);
        EXPECT_EQ(contracthost::ownsServerObjectOf(page), owns);
        codesSent();
        // A page is a window like any other: slot 2 shows it, slot 3 maps a function.
        contracthost::show(page);
        contracthost::mapFunction(page, kEditor);
        EXPECT_EQ(codesSent(), (std::vector<int32_t>{143, 146}));
        contracthost::deleteProxy(page);
        EXPECT_EQ(codesSent(), owns ? (std::vector<int32_t>{142, 168}) : std::vector<int32_t>{168});
    }
}

}  // namespace
