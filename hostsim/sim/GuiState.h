// The simulated host's GUI: the widget tree behind the GUI requests.
//
// The recording host's GuiHost makes, binds and destroys the server objects
// (creation codes, 100, 115, 142, 143, 148, 158, 160, 161, 165, 168); this
// class adds what a widget holds and the remaining GUI codes:
//
// Tree: a widget's parent is the handle it was created with; codes 10, 11
//   and 14 (plug-in tool bar, menu pane, main window) answer root widgets
//   of their own, so plug-ins can parent to them. Destroyed widgets leave
//   the tree. Widgets made inside a parent start shown; dialog boxes and
//   progress dialogs start hidden.
// Values (149 to 154): one value per widget, kept as text; ints and doubles
//   are written as their decimal text and read back parsed (0 when the text
//   is not a number). Labels, buttons, group boxes and dialog boxes start
//   with their creation text, colour wells with their colour. Check and
//   radio buttons answer their checked state as their int value, and an
//   int value sets it. A spinner clamps the ints it is given to its range.
// Flags (144, 145, 147, 156): enabled (at first), checked, focus (one
//   widget at a time).
// Lists (127 to 138, 167): items with text, data and selection; headers;
//   the selection mode (0 single: selecting one deselects the others; 3
//   none: selecting is ignored). Out-of-range indexes are ignored (reads answer
//   -1, "" or null). getSelectedItem(start) answers the first selected
//   item at or after start, or -1.
// Option menus (139, 159): entries; append answers the new index; set and
//   remove answer 0 when done, 2 for an index out of range.
// Spinner range (140), switcher panel (141: answers the index it kept,
//   -1 for a negative one), placeholder text (164), minimum and maximum
//   sizes and style sheet (166), selection of list mode (167).
// Registry (101, 102): the application's preferences; an absent key
//   answers "".
// Progress dialogs (162): created hidden with maximum `number` (100 when
//   not positive), value 0; runWhileEvents counts; cancelled only by a test.
// Callbacks: the creation's function, replaced by mapFunction (146).
//   click() runs it as the user would.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostsim/GuiHost.h"
#include "hostsim/sim/ApplicationState.h"

namespace karvensim {

struct ListItem {
    std::string text;
    const void* data = nullptr;
    bool selected = false;
};

struct ListHeader {
    std::string text;
    int32_t size = 0;
};

// What the simulated host keeps for a widget beyond the test host's table.
struct WidgetState {
    std::string value;
    bool enabled = true;
    bool checked = false;
    const void* mapped = nullptr;  // from mapFunction; null: the creation's function
    int clicks = 0;

    std::vector<ListItem> items;
    std::vector<ListHeader> headers;
    int32_t selectionMode = 0;
    std::vector<std::string> options;
    bool hasRange = false;
    std::array<int32_t, 2> range{};  // low, high
    int32_t panel = -1;              // a switcher's current panel
    std::string placeholder;
    std::string styleSheet;
    std::array<int32_t, 2> minimumSize{};
    std::array<int32_t, 2> maximumSize{};

    // Progress dialogs.
    std::string secondText;
    bool flag = false;
    int32_t maximum = 0;
    int32_t progress = 0;
    bool canceled = false;
    int eventRuns = 0;
};

// One widget of the tree, as tests read it.
struct WidgetNode {
    const void* handle = nullptr;
    std::string kind;  // the creation request's name: "button", "dialog_box", "tab_page", "main_window"...
    const testhost::Widget* widget = nullptr;
    const WidgetState* state = nullptr;
    std::vector<WidgetNode> children;
};

class KARVENSIM_API Gui {
public:
    // Installs the responders; the registry reads and writes `preferences`.
    explicit Gui(std::map<std::string, std::string>& preferences);
    ~Gui();
    Gui(const Gui&) = delete;
    Gui& operator=(const Gui&) = delete;

    // Statuses of click().
    static constexpr int kClicked = 0;     // the callback ran
    static constexpr int kNoCallback = 1;  // the widget has none (a check button still toggled)
    static constexpr int kUnknown = 2;     // no such widget, or destroyed
    static constexpr int kDisabled = 3;

    // Clicks a widget as the user would: a check button toggles, a radio
    // button becomes checked, then the widget's callback runs with the
    // widget's handle as source and null as data.
    int click(const void* handle);

    // Cancels a progress dialog, as its cancel button would; false for an
    // unknown handle.
    bool cancelProgress(const void* handle);

    // The widget (test host table) and its state, or null.
    testhost::Widget* widget(const void* handle) const;
    WidgetState* state(const void* handle);

    // The three host objects of codes 10, 11 and 14.
    const void* pluginToolbar() const { return roots_[0]; }
    const void* pluginMenuPane() const { return roots_[1]; }
    const void* mainWindow() const { return roots_[2]; }

    // The tree: roots first (the host objects, then parentless widgets in
    // order of creation), icons aside.
    std::vector<WidgetNode> tree() const;

    // True once plug-ins made a widget (the host's own three aside).
    bool hasPluginWidgets() const;

    std::string json() const;
    // An indented outline, one widget a line.
    std::string text() const;

    testhost::GuiHost& host() { return host_; }

private:
    testhost::GuiHost host_;
    std::map<std::string, std::string>& preferences_;
    std::map<const void*, WidgetState> states_;
    std::vector<const void*> roots_;
    const void* focus_ = nullptr;
};

// The kind name of the code that made a widget ("button" for 118,
// "main_window" for 14); tab pages are told apart by their parent.
KARVENSIM_API std::string widgetKind(const testhost::Widget& widget);

}  // namespace karvensim
