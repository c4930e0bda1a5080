// The test host's GUI side: a table of server objects (widgets, icons,
// dialogs) that it creates, binds and destroys, with the behaviour a
// plug-in's proxies rely on beyond single requests: handles that flow from
// parent to child, the server garbage, dialogs that close, and tab pages
// whose proxies the host makes through the tab widget's factory. It reads
// the blocks and calls the plug-in's objects through its own declarations
// (HostDeclarations.h), never through the library's headers.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostsim/RecordingHost.h"

namespace testhost {

// One server object. Its address is the handle the host hands out.
struct Widget {
    int32_t createdBy = 0;  // the creation code; 165 for tab widgets and their pages, 158 for icons
    const void* parent = nullptr;
    std::array<int32_t, 9> layout{};  // the layout record as the creation request carried it
    std::string text;                 // title, label, button text, tab label or icon file name
    const void* function = nullptr;
    int32_t number = 0;           // matrix count, columns, colour, list number
    const void* proxy = nullptr;  // from the bind request, or the page proxy the factory made
    const void* icon = nullptr;   // from the icon requests of code 158
    bool destroyed = false;       // code 142 arrived
    bool hidden = true;

    std::vector<const void*> pages;  // a tab widget's page handles, in tab order
    int32_t current = -1;            // a tab widget's current tab
};

// While it exists, answers:
//   creation codes 103 to 106, 108 to 114 and 118 to 126 with a new widget,
//     returned as the request's value (104 reads the menu's handle from the
//     data argument); 158 selectors 2 to 5 load a new icon each time (an
//     empty file name or a null image: null); the other selectors of 158 set
//     a widget's icon;
//   100 bind, 142 destroy, 168 server garbage (taken only when `takeGarbage`:
//     answer 0, else left at 1);
//   143 and 115 (hidden, shown), 148 (shown: non-null while not hidden);
//   160 close observers, 161 docking (a dialog is dockable only once it can be);
//   165 tab widgets: creation (handle into ptrVector[0], the plug-in's
//     layout record read through ptrVector[2]), and pages made through the
//     factory in ptrVector[2] and owned by their proxies when `pagesOwned`.
class TESTHOST_API GuiHost {
public:
    GuiHost();
    ~GuiHost();
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    // The widget behind a handle, or null for a handle the host never made.
    Widget* widget(const void* handle) const;
    // Every widget the host made, in order of creation (destroyed ones too).
    std::vector<const Widget*> widgets() const;
    // Makes a server object the way a creation code does; for hosts that
    // answer more codes than this one.
    Widget* addWidget(int32_t code, const void* parent) { return newWidget(code, parent); }

    bool takeGarbage = false;
    std::vector<const void*> serverGarbage;
    bool pagesOwned = true;
    // When set, new widgets with a parent start shown (dialog boxes and
    // progress dialogs, icons and parentless widgets still start hidden).
    bool childrenShown = false;

    struct Observer {
        const void* observer;
        const void* dialog;  // the proxy that registered it
    };
    std::map<const void*, std::vector<Observer>> closeObservers;  // dialog handle -> observers
    std::map<const void*, std::array<bool, 2>> docking;           // can be dockable, is dockable

    // Closes a dialog box: hides it and tells its close observers, in order
    // of registration, through their slot 2.
    void closeDialog(const void* handle);

    // Calls a proxy's virtual operations through the host's declarations.
    static void callShow(void* window);
    static void callMapFunction(void* window, void* function);
    static void* callSpinnerFoxTextField(void* spinner);
    static void* callCheckButtonFoxButton(void* checkButton);
    static void* callMenuItemFoxButton(void* menuItem);

private:
    Widget* newWidget(int32_t code, const void* parent);
    void* answerIcons(Exchange& exchange);
    void* answerTabWidget(Exchange& exchange);

    std::vector<std::unique_ptr<Widget>> widgets_;
};

}  // namespace testhost
