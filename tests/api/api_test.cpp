// The application API: every operation's request, its preset result and its
// result with the host's answer, in one table run with the recording host,
// without a host and in debug/ignore mode; then the operations whose
// behaviour goes beyond one request.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "api/PIActions.h"
#include "api/PIApplication.h"
#include "api/PICursors.h"
#include "api/PIEarthModel.h"
#include "api/PIFileDelegates.h"
#include "api/PIFileDialogs.h"
#include "api/PIFileHandlers.h"
#include "api/PIFoxVersion.h"
#include "api/PINotify.h"
#include "api/PIOverlayText.h"
#include "api/PIPreferences.h"
#include "api/PIRecording.h"
#include "api/PIServerStatus.h"
#include "api/PITimeouts.h"
#include "api/PIViewports.h"
#include "bridge/PIPluginConstants.h"
#include "gui/PIWindow.h"
#include "tests/support/Requests.h"

namespace {

using namespace PICommon;
using pitest::fake;
using pitest::Lines;
using pitest::Op;
using pitest::setInt1;
using pitest::setString0;
using pitest::text;
using pitest::writes;
using testhost::Exchange;
using testhost::Responder;

// Delegates that count their destructor runs in a record that outlives them.
struct Calls {
    int destroyed = 0;
};
template <typename Base>
class Counting : public Base {
public:
    explicit Counting(Calls& calls) : calls_(calls) {}
    ~Counting() override { ++calls_.destroyed; }
    QWidget* createEditor(QWidget*) const override { return nullptr; }
    int processFileWithWidget(const std::string&, const QWidget*) const override { return 0; }
    int processFileWithOptions(const std::string&, const std::map<std::string, std::string>&) const {
        return 0;
    }

private:
    Calls& calls_;
};
using Exporter = Counting<FileExportDelegate>;
using ExporterV2 = Counting<FileExportDelegateV2>;
using ImportExporter = Counting<FileImportExportDelegate>;
using ImportExporterV2 = Counting<FileImportExportDelegateV2>;
// An adapter around a counting delegate: deleting it deletes what it wraps.
struct Adapted : FileExportDelegateAdapter {
    explicit Adapted(Calls& calls) : FileExportDelegateAdapter(new Exporter(calls)) {}
};

// Registers a new delegate shown as "delegate": the status and how often it
// was destroyed by the time the registration returned.
template <typename Delegate, typename As = Delegate, typename Register>
std::function<std::string()> registration(Register registerIt) {
    return [registerIt] {
        Calls calls;
        auto* delegate = new Delegate(calls);
        pitest::name(static_cast<As*>(delegate), "delegate");
        const int status = registerIt(static_cast<As*>(delegate));
        const std::string result = text(status) + " destroyed " + text(calls.destroyed);
        if (status == 0) delete delegate;  // the host's to delete
        return result;
    };
}
// A registration row: `call` registers `d`, a new Delegate seen as As*, and
// the host refuses it with `status` (0 accepts it, so nothing is destroyed).
#define PI_REGISTER(Delegate, As, ints, status, ...)                                                     \
    {#Delegate ": " #__VA_ARGS__, registration<Delegate, As>([=](As* d) { return __VA_ARGS__; }),      \
     {"323 all i[" ints "]" + handlers}, "1 destroyed 1", setInt1(status),                              \
     text(status) + ((status) != 0 ? " destroyed 1" : " destroyed 0")}

template <typename T>
T& at(Exchange& e, std::size_t i) {
    return *static_cast<T*>(e.pointerAt(i));
}

int kHostsOwn = 99;
const std::string kPath = "/tmp/keys.hk", kName = "View.Reset";

// The operations, with the variables they read and write.
struct Table {
    std::string seen;  // what an answer read through a pointer
    std::vector<std::string> names{"kept"};
    FunctorTwoParams__* const callback = static_cast<FunctorTwoParams__*>(fake<9>());
    PIOverlayText overlay, out;
    unsigned int color = 0;
    std::unique_ptr<PIGUI::PIWindow> parent = std::make_unique<PIGUI::PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2);
    PIGUI::PIWindow* const window = parent.get();
    PIGUI::PIWindow* const none = nullptr;
    std::vector<Op> ops;

    Table();
    ~Table() { parent->serverHandle = nullptr; }
};

Table::Table() {
    pitest::name(&names, "names");
    pitest::name(&overlay, "overlay");
    pitest::name(&out, "out");
    pitest::name(&color, "color");
    parent->serverHandle = fake<2>();
    const Responder idEcho = writes([](Exchange& e) { e.setInt(1, at<int>(e, 0)); });
    const Responder seeUint = writes([this](Exchange& e) { seen = text(at<uint32_t>(e, 0)); });
    const Responder lastText = writes([](Exchange& e) {
        const auto count = e.request().block.strs.size();
        for (std::size_t i = 0; i < count; ++i) e.setString(i, i + 1 == count ? "/data/chosen.asi" : "other");
    });
    const auto version = [](int32_t status, int major, int minor, int revision) {
        return writes([=](Exchange& e) {
            at<int>(e, 0) += major;
            at<int>(e, 1) += minor;
            at<int>(e, 2) += revision;
            e.setInt(1, status);
        });
    };
    const auto eclipse = [](int32_t status) {
        return writes([status](Exchange& e) {
            e.setInt(1, status);
            at<bool>(e, 1) = at<unsigned long>(e, 0) == 77;
        });
    };
    const Responder returnsF1 = [](Exchange&) { return fake<1>(); };
    // The call's result, then what the host's answer saw.
    const auto andSeen = [this](std::function<std::string()> call) {
        return [this, call] {
            seen.clear();
            const std::string result = call();
            return result + seen;
        };
    };
    // Static: rows capture them by reference and run after the constructor.
    static const std::string t1 = "Scenario (*.asi)", t2 = "asi",
                             handlers = " s['Scenario (*.asi)','asi'] p[delegate]";
    // clang-format off
    ops = {
        {PI_RET(parseAccelerator("Ctrl+R")), {"319 all i[0,0] s['Ctrl+R']"}, "0",
         setInt1(static_cast<int32_t>(0xFFFF0052u)), "4294901842"},
        {PI_RET(unparseAccelerator(0x80000052u)), {"319 all i[1,-2147483566] s['']"}, "", setString0("Ctrl+R"),
         "Ctrl+R"},
        {PI_RET(createAction(kName, "Reset the view", callback)),
         {"319 all i[2,1] s['View.Reset','Reset the view'] p[f9]"}, "1", setInt1(0), "0"},
        {PI_RET(executeAction(kName)), {"319 all i[3,1] s['View.Reset']"}, "1", setInt1(7), "7"},
        {PI_RET(doesActionExist(kName)), {"319 all i[4,0] s['View.Reset']"}, "false", setInt1(-3), "true"},
        {PI_RET(getHotKey(kName, 3)), {"319 all i[5,0,3] s['View.Reset']"}, "0",
         setInt1(static_cast<int32_t>(0xFFFF0052u)), "4294901842"},
        {PI_RET(setHotKey(kName, 0x52, 2)), {"319 all i[6,1,82,2] s['View.Reset']"}, "1", setInt1(0), "0"},
        {PI_RET(getActionForHotKey(0x52)), {"319 all i[7,82] s['']"}, "", setString0("File.Open"), "File.Open"},
        {PI_RET(isActionEnabled(kName)), {"319 all i[8,0] s['View.Reset']"}, "false", setInt1(2), "true"},
        {PI_RET(isActionChecked(kName)), {"319 all i[9,0] s['View.Reset']"}, "false", setInt1(1), "true"},
        {PI_RET(isActionShown(kName)), {"319 all i[10,0] s['View.Reset']"}, "false", setInt1(1), "true"},
        {PI_RET(loadHotKeyFile(kPath)), {"319 all i[11,1] s['/tmp/keys.hk']"}, "1", setInt1(0), "0"},
        {PI_DO(saveHotKeyFile(kPath)), {"319 all i[12] s['/tmp/keys.hk']"}},
        {PI_RET(setActionEnabled(kName, true)), {"319 all i[13,1,1] s['View.Reset']"}, "1", setInt1(0), "0"},
        {PI_RET(setActionChecked(kName, false)), {"319 all i[14,1,0] s['View.Reset']"}, "1", setInt1(0), "0"},
        {PI_RET(setActionVisible(kName, true)), {"319 all i[15,1,1] s['View.Reset']"}, "1", setInt1(0), "0"},
        {"getActionNames",
         [this] {
             names = {"kept"};
             getActionNames(names);
             return names.back();
         },
         {"319 all i[16] p[names]"}, "kept",
         writes([](Exchange& e) { at<std::vector<std::string>>(e, 0).push_back("File.Open"); }), "File.Open"},
        {PI_RET(initializeHotKey("Act", 0x52)), {"319 all i[4,0] s['Act']"}, "1"},

        {PI_DO(createViewport(3, "Left", 0.5, -1.25, 0.0, 1e9)), {"315 all i[3] s['Left'] d[0.5,-1.25,0,1e+09]"}},
        {PI_DO(toggleViewport("Left", true)), {"320 all i[0,1] s['Left']"}},
        {PI_DO(setViewport("Left")), {"310 string 'Left'"}},
        {PI_RET(getViewport(4)), {"311 int* 4"}, "",
         [](Exchange&) { return static_cast<void*>(const_cast<char*>("Left")); }, "Left"},
        {PI_RET(getNumViewports()), {"312 int* 0"}, "0", writes([](Exchange& e) { e.setDirectInt(3); }), "3"},
        {PI_DO(nextViewport()), {"313 null"}},
        {PI_DO(deleteViewport("Left")), {"314 string 'Left'"}},
        {PI_DO(deleteAllViewports()), {"314 null"}},
        {PI_DO(forceOpenGLRedraw()), {"316 null"}},
        {PI_RET(registerDrawOnRefreshPriority(40)), {"327 all i[0,1,40]"}, "1", setInt1(0), "0"},
        {PI_RET(createOverlayText(&overlay)), {"308 all i[0] p[&,overlay]"}, "0",
         writes([](Exchange& e) { at<int>(e, 0) = 42; }), "42"},
        {PI_RET(createOverlayText(nullptr)), {"308 all i[0] p[&,0]"}, "0",
         writes([](Exchange& e) { e.setPointer(0, &kHostsOwn); }), "99"},  // the host replaced the entry
        {PI_RET(createOverlayText(nullptr)), {"308 all i[0] p[&,0]"}, "0",
         writes([](Exchange& e) { e.setPointer(0, nullptr); }), "0"},
        {PI_RET(updateOverlayText(17, &overlay)), {"308 all i[1,1] p[&,overlay]"}, "1", idEcho, "17"},
        {PI_RET(removeOverlayText(17)), {"308 all i[2,1] p[&]"}, "1", idEcho, "17"},
        {PI_RET(getOverlayText(17, &out)), {"308 all i[3,1] p[&,out]"}, "1", idEcho, "17"},
        {PI_RET(setOverlayTextBackgroundColor(17, 0x80FF00FFu)),
         {"308 all i[4,1,-2130771713] p[&]"}, "1", idEcho, "17"},
        {PI_RET(getOverlayTextBackgroundColor(17, &color)), {"308 all i[5,1] p[&,color]"}, "1", idEcho, "17"},
        {PI_RET(rangeCalculateValue(1, 2, 3, PIEarthModelCalculations_t(CALC_MACH))),
         {"436 all i[0,4] p[&,&,&,&]"}, "-1e+09", writes([](Exchange& e) {
             at<double>(e, 3) = 100.0 * at<unsigned long>(e, 0) + 10.0 * at<unsigned long>(e, 1) +
                                at<unsigned long>(e, 2);
         }),
         "123"},
        {PI_RET(checkEarthEclipse(77)), {"438 all i[0,-1] p[&,&]"}, "-1", eclipse(0), "1"},
        {PI_RET(checkEarthEclipse(77)), {"438 all i[0,-1] p[&,&]"}, "-1", eclipse(5), "-1"},

        {PI_DO(registerFileHandler("Scenario", "*.asi", 0xFFFFFFFFu)),
         {"500 handler 'Scenario' '*.asi' 4294967295"}, ""},
        {PI_DO(registerNetworkHandler("udp")), {"501 handler '' 'udp' 0"}},
        PI_REGISTER(Exporter, Exporter, "0,1,7", 2, registerFileExportHandler(t1, t2, d, 7)),
        PI_REGISTER(ExporterV2, FileExportDelegate, "3,1", -1, registerFileOpenAdvancedGui(t1, t2, d)),
        PI_REGISTER(ImportExporter, ImportExporter, "4,1,-8", 2, registerFileExportHandler(t1, t2, d, -8)),
        PI_REGISTER(ImportExporterV2, ImportExporterV2, "4,1,9", 2, registerFileExportHandler(t1, t2, d, 9)),
        PI_REGISTER(ImportExporter, ImportExporter, "5,1", 2, registerFileOpenAdvancedGui(t1, t2, d)),
        PI_REGISTER(ImportExporterV2, ImportExporterV2, "5,1,10", 2,
                    registerFileOpenAdvancedGui(t1, t2, d, 10)),
        PI_REGISTER(ImportExporter, ImportExporter, "4,1,1", 0, registerFileExportHandler(t1, t2, d, 1)),
        PI_REGISTER(Adapted, FileImportExportDelegate, "5,1", 4, registerFileOpenAdvancedGui(t1, t2, d)),
        {PI_RET(registerFileOpenAdvancedGui(t1, t2, static_cast<FileImportExportDelegateV2*>(nullptr), 1)),
         {"323 all i[5,1,1] s['Scenario (*.asi)','asi'] p[0]"}, "1", setInt1(4), "4"},

        {PI_RET(getPluginToolbar()), {"10 null"}, "0", returnsF1, "f1"},
        {PI_RET(getPluginMenuPane()), {"11 null"}, "0", returnsF1, "f1"},
        {PI_RET(getApplication()), {"12 null"}, "0", returnsF1, "f1"},
        {PI_RET(getMainWindowHandle()), {"13 raw &"}, "0",
         writes([](Exchange& e) { *static_cast<uint64_t*>(e.data()) = 0x123456789u; }), "4886718345"},
        {PI_RET(getMainWindow()), {"14 null"}, "0", returnsF1, "f1"},
        {PI_RET(getApplicationName()), {"300 string 'Unknown'"}, "Unknown",
         writes([](Exchange& e) { e.setDirectString("KARVEN"); }), "KARVEN"},
        {PI_RET(getApplicationId()), {"301 int* 0"}, "0", writes([](Exchange& e) { e.setDirectInt(42); }), "42"},
        {PI_RET(getApplicationVersion()), {"302 raw &"}, "0",
         writes([](Exchange& e) { *static_cast<double*>(e.data()) = 12.5; }), "12.5"},
        {PI_RET(getApplicationPluginVersion()), {"303 raw &"}, "0",
         writes([](Exchange& e) { *static_cast<double*>(e.data()) = 1.9028; }), "1.9028"},
        {"getApplicationPluginVersion(major, minor, revision)",
         [] {
             int major = 9, minor = 9, revision = 9;
             const int status = getApplicationPluginVersion(major, minor, revision);
             return text(status) + " " + text(major) + "." + text(minor) + "." + text(revision);
         },
         {"326 all i[0,1] p[&,&,&]"}, "1 0.0.0", version(0, 10, 11, 12), "0 10.11.12"},
        {PI_RET(getApplicationPluginVersionBuildNumber()),
         {"326 all i[0,1] p[&,&,&]"}, "0", version(0, 10, 4, 7), "100407"},
        {PI_RET(getApplicationPluginVersionBuildNumber()), {"326 all i[0,1] p[&,&,&]"}, "0", version(1, 1, 28, 0), "0"},
        {PI_DO(unloadSelf()), {"304 null"}},
        {PI_RET(registerFoxVersion(1, 7)), {"15 all i[0,1,7,1]"}, "1",
         writes([](Exchange& e) { e.setInt(3, 0); }), "0"},
        {PI_RET(verifyFoxVersion()), {"15 all i[1,0]"}, "false", setInt1(-1), "true"},
        {PI_RET(verifyFoxVersionDirectAccess()), {"15 all i[2,0]"}, "false", setInt1(1), "true"},
        {"debugPrint", andSeen([] { return debugPrint("loaded 3 files"), std::string(); }), {"305 raw &"}, "",
         writes([this](Exchange& e) { seen = static_cast<const char*>(e.data()); }), "loaded 3 files"},
        {PI_DO(debugMsgBox("Title", "Body", window)), {"306 pss f2 'Title' 'Body'"}},
        {PI_DO(debugMsgBox("", "Body", none)), {"306 pss 0 '' 'Body'"}},
        {PI_DO(setNotifyLevel(NotifySeverity(3))), {"325 all i[0,3]"}},
        {PI_RET(getNotifyLevel()), {"325 all i[1,5]"}, "5", setInt1(2), "2"},
        {PI_DO(notify("Import", NotifySeverity(2), "3 tracks dropped")),
         {"325 all i[2,2] s['Import','3 tracks dropped']"}, ""},
        {PI_RET(showToastNotification("Saved", ToastDuration(1))),
         {"324 all i[0,1,1] s['Saved']"}, "1", setInt1(0), "0"},
        {PI_RET(loadPrefsFile("/u/.prefs")), {"321 all i[0,1] s['/u/.prefs']"}, "1", setInt1(0), "0"},
        {PI_DO(savePrefsFile("/u/.prefs")), {"321 all i[1] s['/u/.prefs']"}},

        {PI_RET(showFileLoadDialog("a", "b", "c", "d", true, window, "e")),
         {"163 all i[0,1] s['a','b','c','d','e',''] p[f2]"}, "", lastText, "/data/chosen.asi"},
        {PI_RET(showFileSaveDialog("a", "b", "c", true, "d", none, "e")),
         {"163 all i[1,1] s['a','b','c','d','e',''] p[0]"}, "", lastText, "/data/chosen.asi"},
        {PI_DO(setStoredDirectory("a", "b", "c")), {"163 all i[2] s['a','b','c']"}},
        {PI_RET(showDirectorySelectDialog("a", "b", "c", window, "d")),
         {"163 all i[3] s['a','b','c','d',''] p[f2]"}, "", lastText, "/data/chosen.asi"},

        {PI_DO(beginWaitCursor()), {"318 all i[0]"}},
        {PI_DO(endWaitCursor()), {"318 all i[1]"}},
        {PI_DO(beginCursorOverride(PICursorShape_t(6))), {"318 all i[2,6]"}},
        {PI_DO(endCursorOverride()), {"318 all i[3]"}},
        {PI_RET(createTimeout(250, callback)), {"317 all i[0,250] p[f9,&]"}, "0",
         writes([](Exchange& e) { at<void*>(e, 1) = fake<4>(); }), "f4"},
        {"removeTimeout", andSeen([] { return text(removeTimeout(fake<5>())); }), {"317 all i[1] p[&]"}, "0",
         writes([this](Exchange& e) { seen = pitest::ptr(at<void*>(e, 0)); }), "0f5"},
        {PI_RET(removeTimeout(nullptr)), {}, "0"},
        {PI_RET(startRecording("/tmp/rec.avi", true, false, 25.0, true, 0.5, -3.0)),
         {"323 all i[1,3,1,0,1] s['/tmp/rec.avi'] d[25,0.5,-3]"}, "3", setInt1(0), "0"},
        {PI_RET(stopRecording()), {"323 all i[2,3]"}, "3", setInt1(0), "0"},
        {"setServerStatus", andSeen([] { return setServerStatus(PIServerStatus_t(2)), std::string(); }),
         {"309 all i[0] p[&]"}, "", seeUint, "2"},
        {PI_RET(getServerStatus()), {"309 all i[1] p[&]"}, "3",
         writes([](Exchange& e) { at<uint32_t>(e, 0) = 1; }), "1"},
        {"setServerStatusColor", andSeen([] { return setServerStatusColor(0xFF00FF80u), std::string(); }),
         {"309 all i[2] p[&]"}, "", seeUint, "4278255488"},
        {PI_RET(getServerStatusColor()), {"309 all i[3] p[&]"}, "0",
         writes([](Exchange& e) { at<uint32_t>(e, 0) = 0x80FF00FFu; }), "2164195583"},
        {PI_RET(isNetworkEnabled()), {"309 all i[4,1]"}, "true", setInt1(0), "false"},
    };
    // clang-format on
}
#undef PI_REGISTER

class Api : public pitest::WithHost {};

TEST_F(Api, every_operation_sends_its_request_and_reads_its_answer) { pitest::checkWithHost(Table().ops); }

class ApiWithoutHost : public pitest::NoHost {};

TEST_F(ApiWithoutHost, every_operation_reports_the_missing_host_then_in_debug_ignore_mode_nothing) {
    pitest::checkWithoutHost(Table().ops);
}

TEST_F(Api, initialize_hot_key_binds_only_when_nothing_is_disturbed) {
    const Lines all = {"319 all i[4,0] s['Act']", "319 all i[5,0,0] s['Act']", "319 all i[7,82] s['']",
                       "319 all i[6,1,82,0] s['Act']"};
    // What the host answers: whether the action exists, its hot key at index 0, the action the
    // new key is bound to, and the status of setHotKey.
    const struct {
        const char* situation;
        int32_t exists, hotKey;
        const char* keyHolder;
        int32_t setStatus;
        std::size_t requests;
        int result;
    } cases[] = {
        {"no such action", 0, 0, "", 0, 1, 1},
        {"action already has a hot key", 1, 0x41, "", 0, 2, 2},
        {"hot key used by another action", 1, 0, "Other", 0, 3, 3},
        {"free", 1, 0, "", 0, 4, 0},
        {"free, but the host refuses", 1, 0, "", 9, 4, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.situation);
        testhost::clearRequests();
        testhost::respond(
            319, writes([&c](Exchange& e) {
                if (e.selector() == 7) {
                    e.setString(0, c.keyHolder);
                } else {
                    e.setInt(1, e.selector() == 4 ? c.exists : e.selector() == 5 ? c.hotKey : c.setStatus);
                }
            }));
        EXPECT_EQ(initializeHotKey("Act", 0x52), c.result);
        EXPECT_EQ(pitest::sent(), Lines(all.begin(), all.begin() + c.requests));
    }
}

}  // namespace
