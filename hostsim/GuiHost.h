// The test host's GUI side: a table of server objects (widgets, icons,
// dialogs) that it creates, binds and destroys, answering the GUI requests
// the way a host with real widgets would. It reads the blocks and calls the
// plug-in's proxies and the tab widget's page factory through its own
// declarations (HostDeclarations.h), never through the library's headers.
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
    std::string text;                 // title, label, button text or icon file name
    const void* function = nullptr;
    int32_t number = 0;           // matrix count, columns, colour, list number, tab index
    const void* proxy = nullptr;  // from the bind request, or the page proxy the factory made
    bool destroyed = false;       // code 142 arrived

    bool hidden = true;
    bool enabled = true;
    bool checked = false;
    int32_t intValue = 0;
    double doubleValue = 0;
    std::string textValue;
    const void* icon = nullptr;
    const void* mapped = nullptr;  // the function of mapFunction
    std::string styleSheet;
    std::array<int32_t, 4> sizeLimits{};  // minimum width, height, maximum width, height

    std::vector<std::string> items;     // list items, option entries, tab labels
    std::vector<const void*> itemData;  // list item data, tab page handles
    std::vector<std::string> headers;   // list headers
    int32_t current = -1;               // current tab or switcher panel
};

// While it exists, answers:
//   creation codes 103 to 106, 108 to 114, 118 to 126: a new widget, returned
//     as the request's value (104 reads the menu's handle from the data
//     argument); 165 selector 0 and 162 selector 0 write the handle into
//     ptrVector; 158 selectors 2 to 5 load a new icon each time (a file
//     name that is empty fails: null);
//   100 bind, 142 destroy, 168 server garbage (taken only when
//     `takeGarbage` is true: answer 0, else 1);
//   the window requests 143 to 156, 166 and the cursor selectors of 155;
//   list items 127 to 136 (item 0 removal for 128), option entries 139 and
//   159, switcher 141, spinner range 140, icons 158, docking 161, close
//   observers 160, tab widgets 165 (pages through the factory, owned by
//   the plug-in's proxies when `pagesOwned`), progress dialogs 162, the
//   registry 101/102, the mouse grab 155 and coordinates 157 (main window at
//   `mainWindowOrigin`).
class TESTHOST_API GuiHost {
public:
    GuiHost();
    ~GuiHost();
    GuiHost(const GuiHost&) = delete;
    GuiHost& operator=(const GuiHost&) = delete;

    // The widget behind a handle, or null for a handle the host never made.
    Widget* widget(const void* handle) const;
    // Handles made with a creation code, in order of creation.
    std::vector<const void*> createdBy(int32_t code) const;
    // A widget for a test to give a proxy by hand.
    void* newWidget(int32_t createdBy = 0);

    bool takeGarbage = false;
    std::vector<const void*> serverGarbage;
    bool pagesOwned = true;
    std::map<std::string, std::string> registry;
    std::array<int32_t, 2> mainWindowOrigin{100, 50};
    bool mouseGrabbed = false;
    const void* focused = nullptr;
    std::map<const void*, int32_t> cursorOverrides;  // widget handle -> shape
    std::map<const void*, std::vector<const void*>> closeObservers;
    std::map<const void*, std::array<bool, 2>> docking;  // can be dockable, is dockable
    struct Progress {
        bool shown = false;
        bool canceled = false;
        int32_t maximum = 0;
        int32_t value = 0;
        int runs = 0;
        std::string label;
    };
    std::map<const void*, Progress> progress;

    // Calls a proxy's virtual operations through the host's declarations.
    static void callShow(void* window);
    static void callMapFunction(void* window, void* function);
    static void* callSpinnerFoxTextField(void* spinner);
    static void* callCheckButtonFoxButton(void* checkButton);
    static void* callMenuItemFoxButton(void* menuItem);

private:
    void answerAll();
    void* create(int32_t code, const void* parent, const Block& block);
    void* answerTabWidget(Exchange& exchange);
    void* answerProgress(Exchange& exchange);
    void* answerIcons(Exchange& exchange);
    void* answerList(int32_t code, Exchange& exchange);

    std::vector<std::unique_ptr<Widget>> widgets_;
};

}  // namespace testhost
