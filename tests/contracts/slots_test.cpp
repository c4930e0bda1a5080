// Virtual slot order across the boundary, checked against a host built from
// its own declarations (tests/contracts/host): one table for the calls the
// plug-in makes on the host's objects, one for the calls the host makes on
// the plug-in's objects.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "api/PIFileDelegates.h"
#include "bridge/PIFunctionMap.h"
#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PIMenus.h"
#include "gui/PIOptionMenu.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIRegistry.h"
#include "gui/PITabWidget.h"
#include "gui/PITextField.h"
#include "services/PIClients.h"
#include "services/PIFileLocatorService.h"
#include "tests/contracts/host/ContractHost.h"
#include "tests/sim/PluginCallback.h"

namespace {

using namespace PluginClient::Interfaces;
using contracthost::Service;

template <typename T>
std::string str(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

char tags[8];
void* const kContext = &tags[0];
void* const kResult = &tags[1];
void* const kHandle = &tags[2];
void* const kParentWidget = &tags[3];
void* const kEditor = &tags[4];

class ContractSlots : public ::testing::Test {
protected:
    void SetUp() override {
        // Installed the way a loader writes it.
        g_FunctionMap = static_cast<Functor__*>(contracthost::functionMap());
        g_This = kContext;
        contracthost::mapCalls().clear();
        contracthost::seen().clear();
    }

    // The codes the plug-in sent since the last call, context lookups left out.
    static std::vector<int32_t> codesSent() {
        std::vector<int32_t> codes;
        for (const auto& call : contracthost::mapCalls()) {
            if (call.code != 16) codes.push_back(call.code);
        }
        contracthost::mapCalls().clear();
        return codes;
    }
};

TEST_F(ContractSlots, the_library_sends_every_request_through_slot_1_of_the_hosts_function_map) {
    contracthost::setCallResult(kResult);
    int block = 0;
    EXPECT_EQ(handle(PIServerFunctions_t(321), &block), kResult);
    contracthost::setCallResult(nullptr);

    const auto& calls = contracthost::mapCalls();
    ASSERT_EQ(calls.size(), 2u);
    // The context lookup, with a null context, then the request itself.
    EXPECT_EQ(calls[0].slot, 1);
    EXPECT_EQ(calls[0].context, nullptr);
    EXPECT_EQ(calls[0].code, 16);
    EXPECT_EQ(calls[1].slot, 1);
    EXPECT_EQ(calls[1].context, kContext);
    EXPECT_EQ(calls[1].code, 321);
    EXPECT_EQ(calls[1].data, &block);
}

TEST_F(ContractSlots, the_ignore_map_answers_null_through_both_host_slots) {
    IgnoreFunctor ignore;
    int block = 7;
    for (int slot : {0, 1}) {
        EXPECT_EQ(contracthost::callMap(static_cast<Functor__*>(&ignore), slot, kContext, 322, &block),
                  nullptr);
        EXPECT_EQ(block, 7);
    }
}

// The plug-in's clients, each connected by the host to the host's object.
struct Clients {
    EntityGuiClient entityGui;
    FileLocatorClient fileLocator;
    FileWriterClient fileWriter;
    SignalClient signals;
    SnapShotClient snapShots;
    std::vector<void*> services;

    Clients() {
        attach(entityGui, Service::EntityGui);
        attach(fileLocator, Service::FileLocator);
        attach(fileWriter, Service::FileWriter);
        attach(signals, Service::Signal);
        attach(snapShots, Service::SnapShot);
    }
    ~Clients() {
        for (void* service : services) contracthost::deleteService(service);
    }

    template <typename Client>
    void attach(Client& client, Service service) {
        services.push_back(contracthost::newService(service));
        contracthost::connect(static_cast<PICommon::ServiceClient*>(&client), services.back());
        EXPECT_TRUE(client.isValid());
    }
};

struct InterfaceCall {
    const char* name;
    // The plug-in's call through the library's declaration, checking the
    // host's answer; returns what the host should have seen.
    std::function<std::string(Clients&)> call;
};

std::vector<InterfaceCall> interfaceCalls() {
    static SignalCallback* const callback = reinterpret_cast<SignalCallback*>(&tags[5]);
    static SignalData* const payload = reinterpret_cast<SignalData*>(&tags[6]);
    return {
        {"EntityGui::showGuiAndSelect",
         [](Clients& c) {
             c.entityGui.getInterface()->showGuiAndSelect({1, 2, 18446744073709551615ull});
             return "2 showGuiAndSelect(1 2 18446744073709551615)";
         }},
        {"EntityGui::selectIds",
         [](Clients& c) {
             c.entityGui.getInterface()->selectIds({42});
             return "3 selectIds(42)";
         }},
        {"EntityGui::setTreeView",
         [](Clients& c) {
             c.entityGui.getInterface()->setTreeView(true);
             return "4 setTreeView(true)";
         }},
        {"FileLocator::locate",
         [](Clients& c) {
             EXPECT_EQ(c.fileLocator.getInterface()->locate(FileLocatorInterface::OTHER, "terrain.db"),
                       "/data/terrain.db");
             return "2 locate(11, terrain.db)";
         }},
        {"FileLocator::getModelTextures",
         [](Clients& c) {
             EXPECT_EQ(c.fileLocator.getInterface()->getModelTextures("f16"),
                       (std::vector<std::string>{"f16.png", "shared.png"}));
             return "3 getModelTextures(f16)";
         }},
        {"FileWriter::fileName",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->fileName(), "host.asi");
             return "2 fileName()";
         }},
        {"FileWriter::setFileName",
         [](Clients& c) {
             c.fileWriter.getInterface()->setFileName("out.asi");
             return "3 setFileName(out.asi)";
         }},
        {"FileWriter::startTime",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->startTime(), 1.5);
             return "4 startTime()";
         }},
        {"FileWriter::setStartTime",
         [](Clients& c) {
             c.fileWriter.getInterface()->setStartTime(10.25);
             return "5 setStartTime(10.25)";
         }},
        {"FileWriter::endTime",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->endTime(), 2.5);
             return "6 endTime()";
         }},
        {"FileWriter::setEndTime",
         [](Clients& c) {
             c.fileWriter.getInterface()->setEndTime(20.75);
             return "7 setEndTime(20.75)";
         }},
        {"FileWriter::showGui",
         [](Clients& c) {
             EXPECT_TRUE(c.fileWriter.getInterface()->showGui());
             return "8 showGui()";
         }},
        {"FileWriter::setShowGui",
         [](Clients& c) {
             c.fileWriter.getInterface()->setShowGui(false);
             return "9 setShowGui(false)";
         }},
        {"FileWriter::filePath",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->filePath(), 2);
             return "10 filePath()";
         }},
        {"FileWriter::setFilePath",
         [](Clients& c) {
             c.fileWriter.getInterface()->setFilePath(PIKARVEN::PIFilenameType_t(1));
             return "11 setFilePath(1)";
         }},
        {"FileWriter::timeFormat",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->timeFormat(), 3);
             return "12 timeFormat()";
         }},
        {"FileWriter::setTimeFormat",
         [](Clients& c) {
             c.fileWriter.getInterface()->setTimeFormat(PIData::PITimeFormat_t(6));
             return "13 setTimeFormat(6)";
         }},
        {"FileWriter::isCullEnabled",
         [](Clients& c) {
             EXPECT_TRUE(c.fileWriter.getInterface()->isCullEnabled());
             return "14 isCullEnabled()";
         }},
        {"FileWriter::setCull",
         [](Clients& c) {
             c.fileWriter.getInterface()->setCull(true);
             return "15 setCull(true)";
         }},
        {"FileWriter::cullAngle",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->cullAngle(), 45.5);
             return "16 cullAngle()";
         }},
        {"FileWriter::setCullAngle",
         [](Clients& c) {
             c.fileWriter.getInterface()->setCullAngle(30.5);
             return "17 setCullAngle(30.5)";
         }},
        {"FileWriter::includeModels",
         [](Clients& c) {
             EXPECT_TRUE(c.fileWriter.getInterface()->includeModels());
             return "18 includeModels()";
         }},
        {"FileWriter::setIncludeModels",
         [](Clients& c) {
             c.fileWriter.getInterface()->setIncludeModels(true);
             return "19 setIncludeModels(true)";
         }},
        {"FileWriter::coordinateSystem",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->coordinateSystem(), 4);
             return "20 coordinateSystem()";
         }},
        {"FileWriter::setCoordinateSystem",
         [](Clients& c) {
             c.fileWriter.getInterface()->setCoordinateSystem(PIData::PICoordSystem_t(2));
             return "21 setCoordinateSystem(2)";
         }},
        {"FileWriter::getSaveExternalFiles",
         [](Clients& c) {
             EXPECT_TRUE(c.fileWriter.getInterface()->getSaveExternalFiles());
             return "22 getSaveExternalFiles()";
         }},
        {"FileWriter::setSaveExternalFiles",
         [](Clients& c) {
             c.fileWriter.getInterface()->setSaveExternalFiles(false);
             return "23 setSaveExternalFiles(false)";
         }},
        {"FileWriter::write",
         [](Clients& c) {
             EXPECT_EQ(c.fileWriter.getInterface()->write(FileWriterInterface::ZIP), 11);
             return "24 write(1)";
         }},
        {"Signal::addCallback",
         [](Clients& c) {
             EXPECT_EQ(c.signals.getInterface()->addCallback("sig", callback), 21);
             return "2 addCallback(sig, " + str(callback) + ")";
         }},
        {"Signal::removeCallback",
         [](Clients& c) {
             EXPECT_EQ(c.signals.getInterface()->removeCallback("sig", callback), 22);
             return "3 removeCallback(sig, " + str(callback) + ")";
         }},
        {"Signal::addGlobalCallback",
         [](Clients& c) {
             EXPECT_EQ(c.signals.getInterface()->addGlobalCallback(callback), 23);
             return "4 addGlobalCallback(" + str(callback) + ")";
         }},
        {"Signal::removeGlobalCallback",
         [](Clients& c) {
             EXPECT_EQ(c.signals.getInterface()->removeGlobalCallback(callback), 24);
             return "5 removeGlobalCallback(" + str(callback) + ")";
         }},
        {"Signal::hasCallbacks",
         [](Clients& c) {
             EXPECT_TRUE(c.signals.getInterface()->hasCallbacks("sig"));
             return "6 hasCallbacks(sig)";
         }},
        {"Signal::fireCallbacks",
         [](Clients& c) {
             EXPECT_EQ(c.signals.getInterface()->fireCallbacks("sig", payload), 25);
             return "7 fireCallbacks(sig, " + str(payload) + ")";
         }},
        {"SnapShot::setDirectory",
         [](Clients& c) {
             c.snapShots.getInterface()->setDirectory("/tmp/shots");
             return "2 setDirectory(/tmp/shots)";
         }},
        {"SnapShot::setFileType",
         [](Clients& c) {
             c.snapShots.getInterface()->setFileType(SnapShotInterface::FILE_PNG);
             return "3 setFileType(1)";
         }},
        {"SnapShot::setFilename",
         [](Clients& c) {
             c.snapShots.getInterface()->setFilename("shot");
             return "4 setFilename(shot)";
         }},
        {"SnapShot::setUseScenarioTime",
         [](Clients& c) {
             c.snapShots.getInterface()->setUseScenarioTime(true);
             return "5 setUseScenarioTime(true)";
         }},
        {"SnapShot::setTimerIntervalSeconds",
         [](Clients& c) {
             c.snapShots.getInterface()->setTimerIntervalSeconds(-5);
             return "6 setTimerIntervalSeconds(-5)";
         }},
        {"SnapShot::takeSnapShot",
         [](Clients& c) {
             c.snapShots.getInterface()->takeSnapShot();
             return "7 takeSnapShot()";
         }},
        {"SnapShot::startSnapShotTimer",
         [](Clients& c) {
             c.snapShots.getInterface()->startSnapShotTimer();
             return "8 startSnapShotTimer()";
         }},
        {"SnapShot::stopSnapShotTimer",
         [](Clients& c) {
             c.snapShots.getInterface()->stopSnapShotTimer();
             return "9 stopSnapShotTimer()";
         }},
        {"SnapShot::setPlotTabActive",
         [](Clients& c) {
             EXPECT_EQ(c.snapShots.getInterface()->setPlotTabActive("Range", false), 31);
             return "10 setPlotTabActive(Range, false)";
         }},
        {"SnapShot::setSaveCurrentPlotTab",
         [](Clients& c) {
             EXPECT_EQ(c.snapShots.getInterface()->setSaveCurrentPlotTab(true), 32);
             return "11 setSaveCurrentPlotTab(true)";
         }},
    };
}

TEST_F(ContractSlots, every_interface_operation_reaches_the_hosts_object_at_its_slot) {
    Clients clients;
    for (const auto& c : interfaceCalls()) {
        SCOPED_TRACE(c.name);
        contracthost::seen().clear();
        const std::string expected = c.call(clients);
        EXPECT_EQ(contracthost::seen(), std::vector<std::string>{expected});
    }
}

// What the plug-in's objects were asked, in order.
std::vector<std::string> pluginSeen;

struct Receiver : SignalCallback {
    void callback(const std::string& name, SignalData* data) override {
        pluginSeen.push_back("callback(" + name + ", " + str(data) + ")");
    }
};

struct ImportExport : PICommon::FileImportExportDelegate {
    ~ImportExport() override { pluginSeen.push_back("~ImportExport"); }
    QWidget* createEditor(QWidget* parent) const override {
        pluginSeen.push_back("createEditor(" + str(parent) + ")");
        return static_cast<QWidget*>(kEditor);
    }
    int processFileWithWidget(const std::string& fileName, const QWidget* editor) const override {
        pluginSeen.push_back("processFileWithWidget(" + fileName + ", " + str(editor) + ")");
        return 41;
    }
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const override {
        pluginSeen.push_back("processFileWithOptions(" + fileName + ", " + options.at(APPEND) + ")");
        return 42;
    }
};

struct ImportExportV2 : PICommon::FileImportExportDelegateV2 {
    ~ImportExportV2() override { pluginSeen.push_back("~ImportExportV2"); }
    QWidget* createEditor(QWidget* parent) const override {
        pluginSeen.push_back("v2 createEditor(" + str(parent) + ")");
        return static_cast<QWidget*>(kEditor);
    }
    int processFileWithWidget(const std::string& fileName, const QWidget*) const override {
        pluginSeen.push_back("v2 processFileWithWidget(" + fileName + ")");
        return 43;
    }
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>&) const override {
        pluginSeen.push_back("v2 processFileWithOptions(" + fileName + ")");
        return 44;
    }
};

struct Export : PICommon::FileExportDelegate {
    ~Export() override { pluginSeen.push_back("~Export"); }
    int processFileWithWidget(const std::string& fileName, const QWidget* editor) const override {
        pluginSeen.push_back("export processFileWithWidget(" + fileName + ", " + str(editor) + ")");
        return 51;
    }
    QWidget* createEditor(QWidget* parent) const override {
        pluginSeen.push_back("export createEditor(" + str(parent) + ")");
        return static_cast<QWidget*>(kEditor);
    }
};

struct ExportV2 : PICommon::FileExportDelegateV2 {
    ~ExportV2() override { pluginSeen.push_back("~ExportV2"); }
    int processFileWithWidget(const std::string& fileName, const QWidget*) const override {
        pluginSeen.push_back("export v2 processFileWithWidget(" + fileName + ")");
        return 53;
    }
    QWidget* createEditor(QWidget* parent) const override {
        pluginSeen.push_back("export v2 createEditor(" + str(parent) + ")");
        return static_cast<QWidget*>(kEditor);
    }
    int processFileWithOptions(const std::string& fileName,
                               const std::map<std::string, std::string>& options) const override {
        pluginSeen.push_back("export v2 processFileWithOptions(" + fileName + ", " + options.at(APPEND) +
                             ")");
        return 52;
    }
};

struct Observer : PIGUI::PIDialogBox::CloseObserver {
    void dialogBoxClosed(PIGUI::PIDialogBox* dialog) override {
        pluginSeen.push_back("dialogBoxClosed(" + str(static_cast<void*>(dialog)) + ")");
    }
};

const std::map<std::string, std::string> kOptions = {{"Append", "yes"}};
const std::string kWidget = str(kParentWidget);
const std::string kEditorText = str(kEditor);

// The host's calls on one plug-in object: each returns the plug-in's answer
// as the host received it.
struct HostCall {
    const char* name;
    // Makes the host's calls; returns what the plug-in's object should have seen.
    std::function<std::vector<std::string>()> call;
};

std::vector<HostCall> hostCalls() {
    using Seen = std::vector<std::string>;
    return {
        {"SignalCallback slot 2",
         [] {
             Receiver receiver;
             SignalData payload;
             contracthost::signal(static_cast<SignalCallback*>(&receiver), "/signal/1.0", &payload);
             return Seen{"callback(/signal/1.0, " + str(&payload) + ")"};
         }},
        {"FileImportExportDelegate slots 1 to 4",
         [] {
             auto* delegate = new ImportExport;
             const void* d = static_cast<PICommon::FileImportExportDelegate*>(delegate);
             EXPECT_EQ(contracthost::importExportCreateEditor(d, kParentWidget), kEditor);
             EXPECT_EQ(contracthost::importExportWithWidget(d, "a.csv", kEditor), 41);
             EXPECT_EQ(contracthost::importExportWithOptions(d, "b.csv", kOptions), 42);
             contracthost::deleteImportExport(static_cast<PICommon::FileImportExportDelegate*>(delegate));
             return Seen{"createEditor(" + kWidget + ")", "processFileWithWidget(a.csv, " + kEditorText + ")",
                         "processFileWithOptions(b.csv, yes)", "~ImportExport"};
         }},
        {"FileImportExportDelegateV2 used as the first version",
         [] {
             auto* delegate = new ImportExportV2;
             const void* d = static_cast<PICommon::FileImportExportDelegate*>(delegate);
             EXPECT_EQ(contracthost::importExportCreateEditor(d, kParentWidget), kEditor);
             EXPECT_EQ(contracthost::importExportWithWidget(d, "a.csv", kEditor), 43);
             EXPECT_EQ(contracthost::importExportWithOptions(d, "b.csv", kOptions), 44);
             contracthost::deleteImportExport(static_cast<PICommon::FileImportExportDelegate*>(delegate));
             return Seen{"v2 createEditor(" + kWidget + ")", "v2 processFileWithWidget(a.csv)",
                         "v2 processFileWithOptions(b.csv)", "~ImportExportV2"};
         }},
        {"FileExportDelegate slots 1 to 3, in their own order",
         [] {
             auto* delegate = new Export;
             const void* d = static_cast<PICommon::FileExportDelegate*>(delegate);
             EXPECT_EQ(contracthost::exportWithWidget(d, "c.kml", kEditor), 51);
             EXPECT_EQ(contracthost::exportCreateEditor(d, kParentWidget), kEditor);
             contracthost::deleteExport(static_cast<PICommon::FileExportDelegate*>(delegate));
             return Seen{"export processFileWithWidget(c.kml, " + kEditorText + ")",
                         "export createEditor(" + kWidget + ")", "~Export"};
         }},
        {"FileExportDelegateV2 slot 4",
         [] {
             auto* delegate = new ExportV2;
             const void* d = static_cast<PICommon::FileExportDelegate*>(delegate);
             EXPECT_EQ(contracthost::exportWithOptions(d, "d.kml", kOptions), 52);
             contracthost::deleteExport(static_cast<PICommon::FileExportDelegate*>(delegate));
             return Seen{"export v2 processFileWithOptions(d.kml, yes)", "~ExportV2"};
         }},
        {"FileExportDelegateAdapter as an import/export delegate",
         [] {
             auto* adapter = new PICommon::FileExportDelegateAdapter(new ExportV2);
             const void* d = static_cast<PICommon::FileImportExportDelegate*>(adapter);
             EXPECT_EQ(contracthost::importExportCreateEditor(d, kParentWidget), kEditor);
             EXPECT_EQ(contracthost::importExportWithWidget(d, "e.kml", kEditor), 53);
             EXPECT_EQ(contracthost::importExportWithOptions(d, "f.kml", kOptions), 52);
             contracthost::deleteImportExport(static_cast<PICommon::FileImportExportDelegate*>(adapter));
             return Seen{"export v2 createEditor(" + kWidget + ")", "export v2 processFileWithWidget(e.kml)",
                         "export v2 processFileWithOptions(f.kml, yes)", "~ExportV2"};
         }},
        {"FileExportDelegateAdapter over a first-version export delegate",
         [] {
             auto* wrapped = new Export;
             auto* adapter = new PICommon::FileExportDelegateAdapter(wrapped);
             const void* d = static_cast<PICommon::FileImportExportDelegate*>(adapter);
             // The wrapped delegate as the host reads it: the one pointer after the vtable.
             EXPECT_EQ(static_cast<void* const*>(d)[1], static_cast<PICommon::FileExportDelegate*>(wrapped));
             EXPECT_EQ(contracthost::importExportWithOptions(d, "g.kml", kOptions), 1);
             contracthost::deleteImportExport(static_cast<PICommon::FileImportExportDelegate*>(adapter));
             return Seen{"~Export"};
         }},
        {"CloseObserver slot 2",
         [] {
             Observer observer;
             PIGUI::PIDialogBox dialog;
             contracthost::dialogClosed(static_cast<PIGUI::PIDialogBox::CloseObserver*>(&observer), &dialog);
             return Seen{"dialogBoxClosed(" + str(static_cast<void*>(&dialog)) + ")"};
         }},
        {"FunctorTwoParams__ slot 0, as the library declares it",
         [] {
             simtest::Callback callback;
             EXPECT_EQ(
                 contracthost::callFunctor(static_cast<FunctorTwoParams__*>(&callback), kHandle, kEditor),
                 nullptr);
             EXPECT_EQ(callback.sources, std::vector<void*>{kHandle});
             EXPECT_EQ(callback.datas, std::vector<void*>{kEditor});
             return Seen{};
         }},
    };
}

TEST_F(ContractSlots, the_host_reaches_every_plug_in_object_at_its_slots) {
    for (const auto& c : hostCalls()) {
        SCOPED_TRACE(c.name);
        pluginSeen.clear();
        const auto expected = c.call();
        EXPECT_EQ(pluginSeen, expected);
    }
}

TEST_F(ContractSlots, the_host_connects_and_disconnects_each_kind_of_client_through_slots_2_and_3) {
    struct Case {
        const char* name;
        Service service;
        std::function<std::unique_ptr<PICommon::ServiceClient>()> make;
        std::function<void*(PICommon::ServiceClient&)> held;  // the interface the client keeps
    };
    auto basic = [](auto* client) -> std::unique_ptr<PICommon::ServiceClient> {
        return std::unique_ptr<PICommon::ServiceClient>(client);
    };
    const Case cases[] = {
        {"entity GUI", Service::EntityGui, [&] { return basic(new EntityGuiClient); },
         [](PICommon::ServiceClient& c) -> void* { return static_cast<EntityGuiClient&>(c).getInterface(); }},
        {"file locator", Service::FileLocator, [&] { return basic(new FileLocatorClient); },
         [](PICommon::ServiceClient& c) -> void* {
             return static_cast<FileLocatorClient&>(c).getInterface();
         }},
        {"file writer", Service::FileWriter, [&] { return basic(new FileWriterClient); },
         [](PICommon::ServiceClient& c) -> void* {
             return static_cast<FileWriterClient&>(c).getInterface();
         }},
        {"signals", Service::Signal, [&] { return basic(new SignalClient); },
         [](PICommon::ServiceClient& c) -> void* { return static_cast<SignalClient&>(c).getInterface(); }},
        {"snapshots", Service::SnapShot, [&] { return basic(new SnapShotClient); },
         [](PICommon::ServiceClient& c) -> void* { return static_cast<SnapShotClient&>(c).getInterface(); }},
        {"file locator service", Service::FileLocator, [&] { return basic(new FileLocatorService); },
         [](PICommon::ServiceClient& c) -> void* {
             return static_cast<FileLocatorService&>(c).getInterface();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto client = c.make();
        void* service = contracthost::newService(c.service);
        // A service of another kind is refused by its type, which the
        // library checks against the host's own type information.
        void* other =
            contracthost::newService(c.service == Service::Signal ? Service::SnapShot : Service::Signal);
        contracthost::connect(client.get(), other);
        EXPECT_EQ(c.held(*client), nullptr);
        contracthost::connect(client.get(), service);
        EXPECT_NE(c.held(*client), nullptr);
        // The client keeps the host's object: the one pointer after the vtable.
        EXPECT_EQ(reinterpret_cast<void* const*>(client.get())[1], c.held(*client));
        contracthost::disconnect(client.get());
        EXPECT_EQ(c.held(*client), nullptr);
        client.reset();
        contracthost::deleteService(other);
        contracthost::deleteService(service);
    }
}

TEST_F(ContractSlots, the_host_deletes_any_proxy_through_slot_1) {
    struct Case {
        const char* name;
        std::function<PIObject*()> make;
        std::vector<int32_t> sent;  // by the proxy's destructor
    };
    const std::vector<int32_t> destroyAndRemove = {142, 168};
    const Case cases[] = {
        {"window", [] { return new PIGUI::PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2); }, destroyAndRemove},
        {"canvas", [] { return new PIGUI::PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2); }, destroyAndRemove},
        {"vertical frame", [] { return new PIGUI::PIVerticalFrame; }, destroyAndRemove},
        {"horizontal frame", [] { return new PIGUI::PIHorizontalFrame; }, destroyAndRemove},
        {"vertical matrix", [] { return new PIGUI::PIVerticalMatrix; }, destroyAndRemove},
        {"horizontal matrix", [] { return new PIGUI::PIHorizontalMatrix; }, destroyAndRemove},
        {"group box", [] { return new PIGUI::PIGroupBox; }, destroyAndRemove},
        {"switcher", [] { return new PIGUI::PISwitcher; }, destroyAndRemove},
        {"page wrapper", [] { return new PIGUI::PIVertFrameWrapper; }, destroyAndRemove},
        {"tab widget", [] { return new PIGUI::PITabWidget(nullptr); }, destroyAndRemove},
        {"dialog box", [] { return new PIGUI::PIDialogBox; }, destroyAndRemove},
        {"button", [] { return new PIGUI::PIButton(nullptr, "", nullptr); }, destroyAndRemove},
        {"check button", [] { return new PIGUI::PICheckButton; }, destroyAndRemove},
        {"radio button", [] { return new PIGUI::PIRadioButton; }, destroyAndRemove},
        {"toolbar button", [] { return new PIGUI::PIToolbarButton; }, destroyAndRemove},
        {"label", [] { return new PIGUI::PILabel; }, destroyAndRemove},
        {"text field", [] { return new PIGUI::PITextField; }, destroyAndRemove},
        {"spinner", [] { return new PIGUI::PISpinner; }, destroyAndRemove},
        {"option menu", [] { return new PIGUI::PIOptionMenu(nullptr, nullptr); }, destroyAndRemove},
        {"colour well", [] { return new PIGUI::PIColorWell; }, destroyAndRemove},
        {"list", [] { return new PIGUI::PIList; }, destroyAndRemove},
        {"menu", [] { return new PIGUI::PIMenu; }, destroyAndRemove},
        {"menu item", [] { return new PIGUI::PIMenuItem; }, destroyAndRemove},
        {"menu separator", [] { return new PIGUI::PIMenuSeparator; }, destroyAndRemove},
        {"icon", [] { return new PIGUI::PIIcon(""); }, destroyAndRemove},
        // Hidden first (code 162), then the server object goes.
        {"progress dialog",
         [] { return new PIGUI::PIProgressDialog(nullptr, "a", "b", false, 1); },
         {162, 142, 168}},
        // No server object of its own: never a destroy request.
        {"registry", [] { return new PIGUI::PIRegistry; }, {168}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PIObject* proxy = c.make();
        if (proxy->ownsServerObject) proxy->serverHandle = kHandle;
        codesSent();
        contracthost::deleteProxy(proxy);
        for (const auto& call : contracthost::mapCalls()) {
            if (call.code == 142) {
                EXPECT_EQ(call.data, kHandle);
            }
        }
        EXPECT_EQ(codesSent(), c.sent);
    }
}

TEST_F(ContractSlots, the_host_makes_tab_pages_through_slot_2_of_the_factory) {
    PIGUI::PIVertFrameFactoryImpl factory;
    for (bool owns : {true, false}) {
        SCOPED_TRACE(owns);
        void* page =
            contracthost::newPage(static_cast<PIGUI::PIVerticalFrameFactory*>(&factory), kHandle, owns);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(contracthost::serverHandleOf(page), kHandle);
        EXPECT_EQ(contracthost::ownsServerObjectOf(page), owns);
        // A page is a window like any other: slot 2 shows it.
        codesSent();
        contracthost::show(page);
        EXPECT_EQ(codesSent(), std::vector<int32_t>{143});
        contracthost::deleteProxy(page);
        EXPECT_EQ(codesSent(), owns ? (std::vector<int32_t>{142, 168}) : std::vector<int32_t>{168});
    }
}

}  // namespace
