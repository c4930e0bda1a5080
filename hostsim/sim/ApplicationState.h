// The simulated host's application: the state behind the application
// requests (actions and hot keys, viewports and overlay texts, application
// information, notifications, preferences, dialogs, cursors, time-outs,
// recording, server status, file handlers and delegates), and the events a
// test triggers (running an action, firing time-outs, answering dialogs).
//
// While an Application exists it answers codes 10 to 15, 163, 300 to 306,
// 308 to 327 (322, the services, aside), 500 and 501. Statuses it writes:
// 0 when it carried the request out, 2 for an unknown or invalid target
// (an action, a hot key, an overlay text, a file, a delegate), 3 when the
// target refuses in its current state (a disabled action, a malformed file).
// The GUI codes (100 to 168 but 163) are not answered here.
//
// Identity, toolkit (10-15, 300-304, 326): answered from Identity; 10, 11,
//   12, 14 return the addresses of host objects; 304 records the context.
// Actions (319): names are unique and not empty; a new action is enabled,
//   unchecked, shown, without hot keys. Running one calls its callback with
//   its name. A hot key (HotKeys.h) belongs to one action at most: binding
//   it elsewhere moves it. setHotKey at an index appends at the count,
//   replaces below it, unbinds with 0. getActionNames appends the names in
//   order. A hot-key file (KeyValueFile.h, "action=hot key" lines) holds the
//   whole table; lines of unknown actions are skipped.
// Viewports (310-316, 320): kept in order of creation; an empty name or one
//   already used is ignored; the first one created with none current becomes
//   current; deleting the current one makes the first left current.
// Overlay texts (308): identifiers 1, 2, ... never reused; a null record is
//   refused (create answers 0); the background colour starts at 0.
// Drawing (316, 327): redraws counted, one priority kept per context.
// Messages (305, 306, 324, 325): collected in order; an empty toast is
//   refused.
// Preferences (321): the registry of string values; a load replaces it, a
//   save writes it whole (KeyValueFile.h).
// Dialogs (163): answered from the queue of answers, then "" (cancelled).
// Cursors (318): a wait depth (never below 0) and a stack of overrides.
// Time-outs (317): fire once, when a test fires them; a null callback is
//   refused (null handle); handles are opaque and never reused.
// Recording (323, selectors 1, 2): start answers 1 while a recording runs
//   and 2 without a file name; stop answers 1 when none runs.
// Server status (309): status and colour kept (0 at first); networkEnabled.
// Handlers (500, 501): kept in order.
// Delegates (323, selectors 0, 3, 4, 5): accepted when not null and their
//   first text is not yet registered with the same selector; the host then
//   owns them and deletes them when the application goes away.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "hostsim/sim/HotKeys.h"

#define KARVENSIM_API __attribute__((visibility("default")))

namespace karvensim {

struct Identity {
    std::string name = "KARVEN";
    int32_t id = 1;
    double version = 7.4;
    double pluginVersion = 1.28;
    std::array<int32_t, 3> pluginVersionNumbers{1, 28, 0};  // major, minor, revision
    uint64_t mainWindowHandle = 0x3A00007;
    // The toolkit version the host was built with: a plug-in's registered
    // version is compatible with the same first number and a second number
    // not above the host's, and fit for direct access only when equal.
    std::array<int32_t, 2> toolkitVersion{1, 6};
};

struct Action {
    std::string secondText;
    const void* callback = nullptr;    // the plug-in's FunctorTwoParams__, or null
    std::function<void()> hostEffect;  // what a host action does, empty for plug-in actions
    bool enabled = true;
    bool checked = false;
    bool shown = true;
    std::vector<uint32_t> hotKeys;  // by index
    int runs = 0;
};

struct Viewport {
    std::string name;
    int32_t number = 0;
    std::array<double, 4> geometry{};
    bool on = true;
};

struct OverlayText {
    std::string text;
    std::string viewport;
    double x = 0;
    double y = 0;
    std::string fontName;
    int32_t fontSize = 0;
    uint32_t color = 0;
    uint32_t background = 0;
};

struct Notification {
    std::string text1;
    int32_t severity = 0;
    std::string text2;
};

struct Toast {
    std::string text;
    int32_t duration = 0;
};

struct MessageBox {
    std::string text1;
    std::string text2;
    const void* parent = nullptr;
};

struct Timeout {
    void* handle = nullptr;
    int32_t interval = 0;
    int64_t due = 0;  // on the host's clock, in interval units
    const void* callback = nullptr;
};

// A dialog the host showed: kind "load", "save" or "directory", its texts
// in the order they were sent, and the answer it gave.
struct Dialog {
    std::string kind;
    std::vector<std::string> texts;
    bool flag = false;
    const void* parent = nullptr;
    std::string answer;
};

struct Recording {
    std::string fileName;
    std::array<bool, 3> flags{};
    std::array<double, 3> values{};
    bool stopped = false;
};

struct FileHandler {
    std::string text1;
    std::string text2;
    uint32_t mask = 0;
};

// A delegate the host accepted: it owns `object` from then on.
struct Delegate {
    int32_t selector = 0;  // 0, 3: a FileExportDelegate; 4, 5: a FileImportExportDelegate
    std::string text1;
    std::string text2;
    bool hasValue = false;
    int32_t value = 0;
    void* object = nullptr;
};

// Everything the application keeps, readable by tests.
struct ApplicationData {
    Identity identity;
    std::array<int32_t, 2> registeredToolkit{};
    bool toolkitRegistered = false;
    std::vector<const void*> unloadRequests;  // the contexts that asked

    std::map<std::string, Action> actions;

    std::vector<Viewport> viewports;
    std::string currentViewport;
    int redraws = 0;
    std::map<const void*, int32_t> drawOnRefresh;  // context -> priority
    std::map<int32_t, OverlayText> overlayTexts;
    int32_t lastOverlayId = 0;

    int32_t notifyLevel = 2;
    std::vector<Notification> notifications;
    std::vector<Toast> toasts;
    std::vector<std::string> debugOutput;
    std::vector<MessageBox> messageBoxes;
    // The registry of string values that the preferences files hold.
    std::map<std::string, std::string> preferences;

    std::deque<std::string> dialogAnswers;  // queued by tests, first answered first
    std::vector<Dialog> dialogs;
    std::map<std::string, std::array<std::string, 2>> storedDirectories;  // text1 -> text2, text3

    int waitCursor = 0;                    // begins not yet ended
    std::vector<int32_t> cursorOverrides;  // a stack of shapes

    std::vector<Timeout> timeouts;  // pending, in order of creation
    int64_t clock = 0;
    int timeoutsFired = 0;

    std::vector<Recording> recordings;
    bool recordingActive = false;

    int32_t serverStatus = 0;
    uint32_t serverStatusColor = 0;
    bool networkEnabled = true;

    std::vector<FileHandler> fileHandlers;
    std::vector<std::string> networkHandlers;
    std::vector<Delegate> delegates;
};

class KARVENSIM_API Application {
public:
    // The actions the host itself offers, with their hot keys: "View.Redraw"
    // (Ctrl+R, forces a redraw) and "View.NextViewport" (Ctrl+Tab).
    // A fresh application also has one viewport, "Main", current.
    static const char* const kRedrawAction;
    static const char* const kNextViewportAction;
    static const char* const kMainViewport;

    // Installs the responders of the application codes on the recording host.
    Application();
    // Removes them, then deletes the delegates the host accepted.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs an action as the user would: 0 when it ran (its callback, or the
    // host's own effect), 2 when there is no such action, 3 when it is
    // disabled.
    int runAction(const std::string& name);

    // Fires every time-out pending when called, in order of due time (then
    // of creation), each removed before its callback runs; time-outs created
    // by those callbacks wait for the next call. Returns how many ran.
    int fireTimeouts();

    // The answer of the next dialog not yet answered (an empty one cancels).
    // Without a queued answer a dialog is cancelled: it answers "".
    void queueDialogAnswer(const std::string& path);

    const ApplicationData& data() const { return data_; }
    // For tests that arrange the host's state before the plug-in runs.
    ApplicationData& data() { return data_; }

    // The state as a JSON object.
    std::string json() const;

private:
    ApplicationData data_;
};

}  // namespace karvensim
