#include "hostsim/sim/ApplicationState.h"

#include <algorithm>
#include <sstream>

#include "hostsim/HostDeclarations.h"
#include "hostsim/HostJson.h"
#include "hostsim/RecordingHost.h"
#include "hostsim/sim/KeyValueFile.h"

namespace karvensim {

const char* const Application::kRedrawAction = "View.Redraw";
const char* const Application::kNextViewportAction = "View.NextViewport";
const char* const Application::kMainViewport = "Main";

namespace {

using testhost::Exchange;

// Statuses the application writes.
constexpr int32_t kDone = 0;
constexpr int32_t kUnknown = 2;
constexpr int32_t kRefused = 3;

// Recording statuses: a recording already running, no file name, none to stop.
constexpr int32_t kAlreadyRecording = 1;
constexpr int32_t kNoFileName = 2;
constexpr int32_t kNotRecording = 1;

// The codes answered here.
constexpr int32_t kCodes[] = {10,  11,  12,  13,  14,  15,  163, 300, 301, 302, 303, 304,
                              305, 306, 308, 309, 310, 311, 312, 313, 314, 315, 316, 317,
                              318, 319, 320, 321, 323, 324, 325, 326, 327, 500, 501};

// The host objects of codes 10, 11, 12 and 14: their addresses are all a
// plug-in sees of them.
int g_pluginToolbar;
int g_pluginMenuPane;
int g_applicationObject;
int g_mainWindow;

// Time-out handles: opaque values that are never reused within a process.
uintptr_t g_timeoutsCreated = 0;
constexpr uintptr_t kTimeoutHandleBase = 0x7100000;

template <typename T>
T& through(Exchange& e, std::size_t index) {
    return *static_cast<T*>(e.pointerAt(index));
}

const testhost::Block& blockOf(const Exchange& e) { return e.request().block; }

std::vector<std::string> textsOf(const testhost::Block& b, std::size_t count) {
    return std::vector<std::string>(b.strs.begin(), b.strs.begin() + static_cast<std::ptrdiff_t>(count));
}

OverlayText copied(const hostview::OverlayText& from, uint32_t background) {
    OverlayText to;
    to.text = from.text;
    to.viewport = from.viewport;
    to.x = from.x;
    to.y = from.y;
    to.fontName = from.fontName;
    to.fontSize = from.fontSize;
    to.color = from.color;
    to.background = background;
    return to;
}

void deleteDelegate(const Delegate& d) {
    if (d.selector == 0 || d.selector == 3) {
        delete static_cast<PICommon::FileExportDelegate*>(d.object);
    } else {
        delete static_cast<PICommon::FileImportExportDelegate*>(d.object);
    }
}

// ---- Actions and hot keys (code 319) ----

int32_t setHotKey(ApplicationData& data, const std::string& name, uint32_t hotKey, int32_t index) {
    const auto found = data.actions.find(name);
    if (found == data.actions.end() || index < 0 || (hotKey != 0 && printHotKey(hotKey).empty())) {
        return kUnknown;
    }
    auto& keys = found->second.hotKeys;
    auto at = static_cast<std::size_t>(index);
    if (at > keys.size()) {
        return kUnknown;
    }
    if (hotKey == 0) {
        if (at < keys.size()) keys.erase(keys.begin() + index);
        return kDone;
    }
    if (at < keys.size() && keys[at] == hotKey) {
        return kDone;
    }
    // A hot key belongs to one action at most: it moves to this one.
    for (auto& [otherName, other] : data.actions) {
        auto& otherKeys = other.hotKeys;
        const auto it = std::find(otherKeys.begin(), otherKeys.end(), hotKey);
        if (it == otherKeys.end()) continue;
        if (otherName == name && static_cast<std::size_t>(it - otherKeys.begin()) < at) --at;
        otherKeys.erase(it);
    }
    if (at >= keys.size()) {
        keys.push_back(hotKey);
    } else {
        keys[at] = hotKey;
    }
    return kDone;
}

std::string actionForHotKey(const ApplicationData& data, uint32_t hotKey) {
    for (const auto& [name, action] : data.actions) {
        if (hotKey != 0 &&
            std::find(action.hotKeys.begin(), action.hotKeys.end(), hotKey) != action.hotKeys.end()) {
            return name;
        }
    }
    return "";
}

// A hot-key file holds the whole table: "action name=hot key" lines.
int32_t loadHotKeys(ApplicationData& data, const std::string& fileName) {
    Entries entries;
    switch (readEntries(fileName, entries)) {
    case FileRead::Unreadable: return kUnknown;
    case FileRead::Malformed: return kRefused;
    case FileRead::Read: break;
    }
    for (const auto& entry : entries) {
        if (parseHotKey(entry.second) == 0) {
            return kRefused;
        }
    }
    for (auto& named : data.actions) {
        named.second.hotKeys.clear();
    }
    for (const auto& [name, text] : entries) {
        const auto found = data.actions.find(name);
        if (found != data.actions.end()) {
            setHotKey(data, name, parseHotKey(text), static_cast<int32_t>(found->second.hotKeys.size()));
        }
    }
    return kDone;
}

void saveHotKeys(const ApplicationData& data, const std::string& fileName) {
    Entries entries;
    for (const auto& [name, action] : data.actions) {
        for (uint32_t key : action.hotKeys) {
            entries.emplace_back(name, printHotKey(key));
        }
    }
    writeEntries(fileName, "KARVEN hot keys", entries);
}

// ---- Viewports (codes 310 to 316, 320) ----

std::vector<Viewport>::iterator viewportNamed(ApplicationData& data, const std::string& name) {
    return std::find_if(data.viewports.begin(), data.viewports.end(),
                        [&](const Viewport& v) { return v.name == name; });
}

void nextViewport(ApplicationData& data) {
    if (data.viewports.empty()) return;
    auto current = viewportNamed(data, data.currentViewport);
    if (current == data.viewports.end() || ++current == data.viewports.end()) {
        current = data.viewports.begin();
    }
    data.currentViewport = current->name;
}

void deleteViewport(ApplicationData& data, const std::string& name) {
    const auto found = viewportNamed(data, name);
    if (found == data.viewports.end()) return;
    data.viewports.erase(found);
    if (data.currentViewport == name) {
        data.currentViewport = data.viewports.empty() ? "" : data.viewports.front().name;
    }
}

// ---- JSON ----

namespace json = testhost::json;

std::string integer(int64_t value) { return std::to_string(value); }

template <typename Map, typename Format>
std::string object(const Map& map, Format format) {
    std::string out = "{";
    bool first = true;
    for (const auto& [key, value] : map) {
        out += (first ? "" : ", ") + json::quoted(key) + ": " + format(value);
        first = false;
    }
    return out + "}";
}

std::string strings(const std::vector<std::string>& texts) { return json::list(texts, json::quoted); }

}  // namespace

Application::Application() {
    data_.viewports.push_back(Viewport{kMainViewport, 0, {0.0, 0.0, 1.0, 1.0}, true});
    data_.currentViewport = kMainViewport;
    Action redraw;
    redraw.secondText = "Redraw the scene";
    redraw.hostEffect = [this] { ++data_.redraws; };
    redraw.hotKeys = {kCtrl | 'R'};
    data_.actions[kRedrawAction] = redraw;
    Action next;
    next.secondText = "Make the next viewport current";
    next.hostEffect = [this] { nextViewport(data_); };
    next.hotKeys = {kCtrl | parseHotKey("Tab")};
    data_.actions[kNextViewportAction] = next;

    ApplicationData& d = data_;
    auto answer = [](int32_t code, std::function<void(Exchange&)> reply) {
        testhost::respond(code, [reply = std::move(reply)](Exchange& e) -> void* {
            reply(e);
            return nullptr;
        });
    };

    // Application objects and identity.
    testhost::respond(10, [](Exchange&) -> void* { return &g_pluginToolbar; });
    testhost::respond(11, [](Exchange&) -> void* { return &g_pluginMenuPane; });
    testhost::respond(12, [](Exchange&) -> void* { return &g_applicationObject; });
    testhost::respond(14, [](Exchange&) -> void* { return &g_mainWindow; });
    answer(13, [&d](Exchange& e) { *static_cast<uint64_t*>(e.data()) = d.identity.mainWindowHandle; });
    answer(300, [&d](Exchange& e) { e.setDirectString(d.identity.name); });
    answer(301, [&d](Exchange& e) { e.setDirectInt(d.identity.id); });
    answer(302, [&d](Exchange& e) { *static_cast<double*>(e.data()) = d.identity.version; });
    answer(303, [&d](Exchange& e) { *static_cast<double*>(e.data()) = d.identity.pluginVersion; });
    answer(326, [&d](Exchange& e) {
        for (std::size_t i = 0; i < 3; ++i) {
            through<int32_t>(e, i) = d.identity.pluginVersionNumbers[i];
        }
        e.setInt(1, kDone);
    });
    answer(304, [&d](Exchange& e) { d.unloadRequests.push_back(e.request().context); });
    answer(15, [&d](Exchange& e) {
        const auto& ints = blockOf(e).ints;
        const auto& host = d.identity.toolkitVersion;
        const auto& mine = d.registeredToolkit;
        switch (e.selector()) {
        case 0:
            d.registeredToolkit = {ints.at(1), ints.at(2)};
            d.toolkitRegistered = true;
            e.setInt(3, kDone);
            break;
        case 1: e.setInt(1, d.toolkitRegistered && mine[0] == host[0] && mine[1] <= host[1]); break;
        case 2: e.setInt(1, d.toolkitRegistered && mine == host); break;
        }
    });

    // Messages and preferences.
    answer(305, [&d](Exchange& e) { d.debugOutput.emplace_back(static_cast<const char*>(e.data())); });
    answer(306, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        d.messageBoxes.push_back(MessageBox{b.stringValue, b.stringValue2, b.pointer});
    });
    answer(325, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        switch (e.selector()) {
        case 0: d.notifyLevel = b.ints.at(1); break;
        case 1: e.setInt(1, d.notifyLevel); break;
        case 2: d.notifications.push_back(Notification{b.strs.at(0), b.ints.at(1), b.strs.at(1)}); break;
        }
    });
    answer(324, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        if (b.strs.at(0).empty()) {
            e.setInt(1, kUnknown);
            return;
        }
        d.toasts.push_back(Toast{b.strs.at(0), b.ints.at(2)});
        e.setInt(1, kDone);
    });
    answer(321, [&d](Exchange& e) {
        const std::string& fileName = blockOf(e).strs.at(0);
        if (e.selector() == 1) {
            writeEntries(fileName, "KARVEN preferences", Entries(d.preferences.begin(), d.preferences.end()));
            return;
        }
        Entries entries;
        switch (readEntries(fileName, entries)) {
        case FileRead::Unreadable: e.setInt(1, kUnknown); return;
        case FileRead::Malformed: e.setInt(1, kRefused); return;
        case FileRead::Read: break;
        }
        d.preferences = std::map<std::string, std::string>(entries.begin(), entries.end());
        e.setInt(1, kDone);
    });

    // Actions and hot keys.
    answer(319, [this, &d](Exchange& e) {
        const auto& b = blockOf(e);
        const auto action = [&]() -> Action* {
            const auto found = d.actions.find(b.strs.at(0));
            return found == d.actions.end() ? nullptr : &found->second;
        };
        const auto flag = [&](bool Action::*member) {
            Action* a = action();
            if (a) a->*member = b.ints.at(2) != 0;
            e.setInt(1, a ? kDone : kUnknown);
        };
        const auto predicate = [&](bool Action::*member) {
            Action* a = action();
            e.setInt(1, a && a->*member);
        };
        switch (e.selector()) {
        case 0: e.setInt(1, static_cast<int32_t>(parseHotKey(b.strs.at(0)))); break;
        case 1: e.setString(0, printHotKey(static_cast<uint32_t>(b.ints.at(1)))); break;
        case 2: {
            const std::string& name = b.strs.at(0);
            if (name.empty() || action()) {
                e.setInt(1, kUnknown);
                break;
            }
            Action created;
            created.secondText = b.strs.at(1);
            created.callback = b.ptrs.at(0);
            d.actions[name] = created;
            e.setInt(1, kDone);
            break;
        }
        case 3: {
            const int status = runAction(b.strs.at(0));
            e.setInt(1, status);
            break;
        }
        case 4: e.setInt(1, action() != nullptr); break;
        case 5: {
            const Action* a = action();
            const int32_t index = b.ints.at(2);
            const bool held = a && index >= 0 && static_cast<std::size_t>(index) < a->hotKeys.size();
            e.setInt(1, held ? static_cast<int32_t>(a->hotKeys[static_cast<std::size_t>(index)]) : 0);
            break;
        }
        case 6:
            e.setInt(1, setHotKey(d, b.strs.at(0), static_cast<uint32_t>(b.ints.at(2)), b.ints.at(3)));
            break;
        case 7: e.setString(0, actionForHotKey(d, static_cast<uint32_t>(b.ints.at(1)))); break;
        case 8: predicate(&Action::enabled); break;
        case 9: predicate(&Action::checked); break;
        case 10: predicate(&Action::shown); break;
        case 11: e.setInt(1, loadHotKeys(d, b.strs.at(0))); break;
        case 12: saveHotKeys(d, b.strs.at(0)); break;
        case 13: flag(&Action::enabled); break;
        case 14: flag(&Action::checked); break;
        case 15: flag(&Action::shown); break;
        case 16: {
            auto& names = through<std::vector<std::string>>(e, 0);
            for (const auto& named : d.actions) {
                names.push_back(named.first);
            }
            break;
        }
        }
    });

    // Viewports and drawing.
    answer(315, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        const std::string& name = b.strs.at(0);
        if (name.empty() || viewportNamed(d, name) != d.viewports.end()) return;
        d.viewports.push_back(
            Viewport{name, b.ints.at(0), {b.dbls.at(0), b.dbls.at(1), b.dbls.at(2), b.dbls.at(3)}, true});
        if (d.currentViewport.empty()) d.currentViewport = name;
    });
    answer(320, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        const auto found = viewportNamed(d, b.strs.at(0));
        if (found != d.viewports.end()) found->on = b.ints.at(1) != 0;
    });
    answer(310, [&d](Exchange& e) {
        const std::string& name = blockOf(e).directString;
        if (viewportNamed(d, name) != d.viewports.end()) d.currentViewport = name;
    });
    testhost::respond(311, [&d](Exchange& e) -> void* {
        const int32_t index = blockOf(e).directInt;
        if (index < 0 || static_cast<std::size_t>(index) >= d.viewports.size()) return nullptr;
        // Valid while the viewport exists; the library copies it at once.
        return const_cast<char*>(d.viewports[static_cast<std::size_t>(index)].name.c_str());
    });
    answer(312, [&d](Exchange& e) { e.setDirectInt(static_cast<int32_t>(d.viewports.size())); });
    answer(313, [&d](Exchange&) { nextViewport(d); });
    answer(314, [&d](Exchange& e) {
        if (e.data() == nullptr) {
            d.viewports.clear();
            d.currentViewport.clear();
        } else {
            deleteViewport(d, blockOf(e).directString);
        }
    });
    answer(316, [&d](Exchange&) { ++d.redraws; });
    answer(327, [&d](Exchange& e) {
        d.drawOnRefresh[e.request().context] = blockOf(e).ints.at(2);
        e.setInt(1, kDone);
    });

    // Overlay texts: identifiers and records travel by address.
    answer(308, [&d](Exchange& e) {
        if (e.selector() == 0) {
            const auto* text = static_cast<const hostview::OverlayText*>(e.pointerAt(1));
            if (text != nullptr) {
                d.overlayTexts[++d.lastOverlayId] = copied(*text, 0);
                through<int32_t>(e, 0) = d.lastOverlayId;
            }
            return;
        }
        const auto found = d.overlayTexts.find(through<int32_t>(e, 0));
        if (found == d.overlayTexts.end()) {
            e.setInt(1, kUnknown);
            return;
        }
        OverlayText& overlay = found->second;
        int32_t status = kDone;
        switch (e.selector()) {
        case 1:
            if (const auto* text = static_cast<const hostview::OverlayText*>(e.pointerAt(1))) {
                overlay = copied(*text, overlay.background);
            } else {
                status = kUnknown;
            }
            break;
        case 2: d.overlayTexts.erase(found); break;
        case 3:
            if (auto* out = static_cast<hostview::OverlayText*>(e.pointerAt(1))) {
                *out = hostview::OverlayText{overlay.text,     overlay.viewport, overlay.x,    overlay.y,
                                             overlay.fontName, overlay.fontSize, overlay.color};
            } else {
                status = kUnknown;
            }
            break;
        case 4: overlay.background = static_cast<uint32_t>(blockOf(e).ints.at(2)); break;
        case 5:
            if (auto* color = static_cast<uint32_t*>(e.pointerAt(1))) {
                *color = overlay.background;
            } else {
                status = kUnknown;
            }
            break;
        }
        e.setInt(1, status);
    });

    // Dialogs and stored directories.
    answer(163, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        static const char* const kinds[] = {"load", "save", "", "directory"};
        if (e.selector() == 2) {
            d.storedDirectories[b.strs.at(0)] = {b.strs.at(1), b.strs.at(2)};
            return;
        }
        const std::size_t answerAt = e.selector() == 3 ? 4 : 5;
        Dialog dialog;
        dialog.kind = kinds[e.selector()];
        dialog.texts = textsOf(b, answerAt);
        dialog.flag = e.selector() != 3 && b.ints.at(1) != 0;
        dialog.parent = b.ptrs.at(0);
        if (!d.dialogAnswers.empty()) {
            dialog.answer = d.dialogAnswers.front();
            d.dialogAnswers.pop_front();
        }
        e.setString(answerAt, dialog.answer);
        d.dialogs.push_back(dialog);
    });

    // Cursors.
    answer(318, [&d](Exchange& e) {
        switch (e.selector()) {
        case 0: ++d.waitCursor; break;
        case 1: d.waitCursor = std::max(0, d.waitCursor - 1); break;
        case 2: d.cursorOverrides.push_back(blockOf(e).ints.at(1)); break;
        case 3:
            if (!d.cursorOverrides.empty()) d.cursorOverrides.pop_back();
            break;
        }
    });

    // Time-outs.
    answer(317, [&d](Exchange& e) {
        if (e.selector() == 0) {
            const void* callback = e.pointerAt(0);
            if (callback == nullptr) return;
            const int32_t interval = blockOf(e).ints.at(1);
            void* handle = reinterpret_cast<void*>(kTimeoutHandleBase + ++g_timeoutsCreated);
            d.timeouts.push_back(Timeout{handle, interval, d.clock + std::max(0, interval), callback});
            through<void*>(e, 1) = handle;
        } else {
            void* handle = through<void*>(e, 0);
            d.timeouts.erase(std::remove_if(d.timeouts.begin(), d.timeouts.end(),
                                            [handle](const Timeout& t) { return t.handle == handle; }),
                             d.timeouts.end());
        }
    });

    // Server status and network.
    answer(309, [&d](Exchange& e) {
        switch (e.selector()) {
        case 0: d.serverStatus = through<int32_t>(e, 0); break;
        case 1: through<int32_t>(e, 0) = d.serverStatus; break;
        case 2: d.serverStatusColor = through<uint32_t>(e, 0); break;
        case 3: through<uint32_t>(e, 0) = d.serverStatusColor; break;
        case 4: e.setInt(1, d.networkEnabled); break;
        }
    });

    // Recording, and delegate registrations: the host keeps a delegate it
    // accepts and deletes it when the application goes away.
    answer(323, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        switch (e.selector()) {
        case 1:
            if (d.recordingActive) {
                e.setInt(1, kAlreadyRecording);
            } else if (b.strs.at(0).empty()) {
                e.setInt(1, kNoFileName);
            } else {
                d.recordings.push_back(Recording{b.strs.at(0),
                                                 {b.ints.at(2) != 0, b.ints.at(3) != 0, b.ints.at(4) != 0},
                                                 {b.dbls.at(0), b.dbls.at(1), b.dbls.at(2)},
                                                 false});
                d.recordingActive = true;
                e.setInt(1, kDone);
            }
            break;
        case 2:
            if (!d.recordingActive) {
                e.setInt(1, kNotRecording);
                break;
            }
            d.recordings.back().stopped = true;
            d.recordingActive = false;
            e.setInt(1, kDone);
            break;
        default: {
            Delegate delegate;
            delegate.selector = e.selector();
            delegate.text1 = b.strs.at(0);
            delegate.text2 = b.strs.at(1);
            delegate.hasValue = b.ints.size() > 2;
            delegate.value = delegate.hasValue ? b.ints[2] : 0;
            delegate.object = e.pointerAt(0);
            const bool taken =
                std::any_of(d.delegates.begin(), d.delegates.end(), [&](const Delegate& other) {
                    return other.selector == delegate.selector && other.text1 == delegate.text1;
                });
            if (delegate.object == nullptr || taken) {
                e.setInt(1, kUnknown);
                break;
            }
            d.delegates.push_back(delegate);
            e.setInt(1, kDone);
        }
        }
    });
    answer(500, [&d](Exchange& e) {
        const auto& b = blockOf(e);
        d.fileHandlers.push_back(FileHandler{b.string1, b.string2, b.mask});
    });
    answer(501, [&d](Exchange& e) { d.networkHandlers.push_back(blockOf(e).string2); });
}

Application::~Application() {
    for (int32_t code : kCodes) {
        testhost::respond(code, nullptr);
    }
    std::vector<Delegate> owned;
    owned.swap(data_.delegates);
    for (const auto& delegate : owned) {
        deleteDelegate(delegate);
    }
}

int Application::runAction(const std::string& name) {
    const auto found = data_.actions.find(name);
    if (found == data_.actions.end()) {
        return kUnknown;
    }
    Action& action = found->second;
    if (!action.enabled) {
        return kRefused;
    }
    ++action.runs;
    if (action.callback) {
        std::string source = name;
        auto* callback = static_cast<FunctorTwoParams__*>(const_cast<void*>(action.callback));
        (*callback)(&source[0], nullptr);
    } else if (action.hostEffect) {
        const auto effect = action.hostEffect;
        effect();
    }
    return kDone;
}

int Application::fireTimeouts() {
    std::vector<Timeout> due = data_.timeouts;
    std::stable_sort(due.begin(), due.end(),
                     [](const Timeout& a, const Timeout& b) { return a.due < b.due; });
    int fired = 0;
    for (const auto& timeout : due) {
        auto& pending = data_.timeouts;
        const auto still = std::find_if(pending.begin(), pending.end(),
                                        [&](const Timeout& t) { return t.handle == timeout.handle; });
        if (still == pending.end()) {
            continue;  // removed by an earlier callback
        }
        pending.erase(still);
        data_.clock = std::max(data_.clock, timeout.due);
        ++data_.timeoutsFired;
        ++fired;
        (*static_cast<FunctorTwoParams__*>(const_cast<void*>(timeout.callback)))(timeout.handle, nullptr);
    }
    return fired;
}

void Application::queueDialogAnswer(const std::string& path) { data_.dialogAnswers.push_back(path); }

std::string Application::json() const {
    const ApplicationData& d = data_;
    std::ostringstream out;
    const auto& id = d.identity;
    out << "{\"identity\": {\"name\": " << json::quoted(id.name) << ", \"id\": " << id.id
        << ", \"version\": " << json::number(id.version)
        << ", \"pluginVersion\": " << json::number(id.pluginVersion) << ", \"pluginVersionNumbers\": "
        << json::list(std::vector<int64_t>(id.pluginVersionNumbers.begin(), id.pluginVersionNumbers.end()),
                      integer)
        << ", \"mainWindowHandle\": " << id.mainWindowHandle << "}";
    out << ", \"toolkit\": {\"host\": [" << id.toolkitVersion[0] << ", " << id.toolkitVersion[1]
        << "], \"registered\": ";
    if (d.toolkitRegistered) {
        out << "[" << d.registeredToolkit[0] << ", " << d.registeredToolkit[1] << "]}";
    } else {
        out << "null}";
    }
    out << ", \"unloadRequests\": " << json::list(d.unloadRequests, json::address);

    out << ", \"actions\": " << object(d.actions, [](const Action& a) {
        std::vector<std::string> keys;
        for (uint32_t key : a.hotKeys) keys.push_back(printHotKey(key));
        return "{\"secondText\": " + json::quoted(a.secondText) +
               ", \"callback\": " + json::address(a.callback) +
               ", \"host\": " + json::boolean(static_cast<bool>(a.hostEffect)) +
               ", \"enabled\": " + json::boolean(a.enabled) + ", \"checked\": " + json::boolean(a.checked) +
               ", \"shown\": " + json::boolean(a.shown) + ", \"hotKeys\": " + strings(keys) +
               ", \"runs\": " + std::to_string(a.runs) + "}";
    });

    out << ", \"viewports\": " << json::list(d.viewports, [](const Viewport& v) {
        return "{\"name\": " + json::quoted(v.name) + ", \"number\": " + std::to_string(v.number) +
               ", \"geometry\": " +
               json::list(std::vector<double>(v.geometry.begin(), v.geometry.end()), json::number) +
               ", \"on\": " + json::boolean(v.on) + "}";
    });
    out << ", \"currentViewport\": " << json::quoted(d.currentViewport) << ", \"redraws\": " << d.redraws;
    std::vector<std::pair<const void*, int32_t>> refresh(d.drawOnRefresh.begin(), d.drawOnRefresh.end());
    out << ", \"drawOnRefresh\": " << json::list(refresh, [](const std::pair<const void*, int32_t>& r) {
        return "{\"context\": " + json::address(r.first) + ", \"priority\": " + std::to_string(r.second) +
               "}";
    });
    std::vector<std::pair<int32_t, OverlayText>> overlays(d.overlayTexts.begin(), d.overlayTexts.end());
    out << ", \"overlayTexts\": " << json::list(overlays, [](const std::pair<int32_t, OverlayText>& entry) {
        const OverlayText& t = entry.second;
        return "{\"id\": " + std::to_string(entry.first) + ", \"text\": " + json::quoted(t.text) +
               ", \"viewport\": " + json::quoted(t.viewport) + ", \"x\": " + json::number(t.x) +
               ", \"y\": " + json::number(t.y) + ", \"fontName\": " + json::quoted(t.fontName) +
               ", \"fontSize\": " + std::to_string(t.fontSize) + ", \"color\": " + std::to_string(t.color) +
               ", \"background\": " + std::to_string(t.background) + "}";
    });

    out << ", \"notifyLevel\": " << d.notifyLevel;
    out << ", \"notifications\": " << json::list(d.notifications, [](const Notification& n) {
        return "{\"text1\": " + json::quoted(n.text1) + ", \"severity\": " + std::to_string(n.severity) +
               ", \"text2\": " + json::quoted(n.text2) + "}";
    });
    out << ", \"toasts\": " << json::list(d.toasts, [](const Toast& t) {
        return "{\"text\": " + json::quoted(t.text) + ", \"duration\": " + std::to_string(t.duration) + "}";
    });
    out << ", \"debugOutput\": " << strings(d.debugOutput);
    out << ", \"messageBoxes\": " << json::list(d.messageBoxes, [](const MessageBox& m) {
        return "{\"text1\": " + json::quoted(m.text1) + ", \"text2\": " + json::quoted(m.text2) +
               ", \"parent\": " + json::address(m.parent) + "}";
    });
    out << ", \"preferences\": " << object(d.preferences, json::quoted);

    out << ", \"dialogs\": " << json::list(d.dialogs, [](const Dialog& g) {
        return "{\"kind\": " + json::quoted(g.kind) + ", \"texts\": " + strings(g.texts) +
               ", \"flag\": " + json::boolean(g.flag) + ", \"parent\": " + json::address(g.parent) +
               ", \"answer\": " + json::quoted(g.answer) + "}";
    });
    out << ", \"dialogAnswers\": "
        << strings(std::vector<std::string>(d.dialogAnswers.begin(), d.dialogAnswers.end()));
    out << ", \"storedDirectories\": "
        << object(d.storedDirectories, [](const std::array<std::string, 2>& dirs) {
               return strings(std::vector<std::string>(dirs.begin(), dirs.end()));
           });
    out << ", \"cursor\": {\"wait\": " << d.waitCursor
        << ", \"overrides\": " << json::list(d.cursorOverrides, [](int32_t s) { return std::to_string(s); })
        << "}";

    out << ", \"timeouts\": " << json::list(d.timeouts, [](const Timeout& t) {
        return "{\"handle\": " + json::address(t.handle) + ", \"interval\": " + std::to_string(t.interval) +
               ", \"due\": " + std::to_string(t.due) + ", \"callback\": " + json::address(t.callback) + "}";
    });
    out << ", \"clock\": " << d.clock << ", \"timeoutsFired\": " << d.timeoutsFired;

    out << ", \"recording\": {\"active\": " << json::boolean(d.recordingActive) << ", \"sessions\": "
        << json::list(
               d.recordings,
               [](const Recording& r) {
                   return "{\"fileName\": " + json::quoted(r.fileName) + ", \"flags\": " +
                          json::list(std::vector<bool>(r.flags.begin(), r.flags.end()), json::boolean) +
                          ", \"values\": " +
                          json::list(std::vector<double>(r.values.begin(), r.values.end()), json::number) +
                          ", \"stopped\": " + json::boolean(r.stopped) + "}";
               })
        << "}";
    out << ", \"server\": {\"status\": " << d.serverStatus << ", \"color\": " << d.serverStatusColor
        << ", \"networkEnabled\": " << json::boolean(d.networkEnabled) << "}";

    out << ", \"fileHandlers\": " << json::list(d.fileHandlers, [](const FileHandler& h) {
        return "{\"text1\": " + json::quoted(h.text1) + ", \"text2\": " + json::quoted(h.text2) +
               ", \"mask\": " + std::to_string(h.mask) + "}";
    });
    out << ", \"networkHandlers\": " << strings(d.networkHandlers);
    out << ", \"delegates\": " << json::list(d.delegates, [](const Delegate& g) {
        return "{\"selector\": " + std::to_string(g.selector) + ", \"text1\": " + json::quoted(g.text1) +
               ", \"text2\": " + json::quoted(g.text2) +
               ", \"value\": " + (g.hasValue ? std::to_string(g.value) : std::string("null")) +
               ", \"delegate\": " + json::address(g.object) + "}";
    });
    out << "}";
    return out.str();
}

}  // namespace karvensim
