// The test host's GUI side: its widget table and its answers to the GUI
// requests.

#include "hostsim/GuiHost.h"

#include <algorithm>

#include "hostsim/HostDeclarations.h"

namespace testhost {
namespace {

const int32_t kCreationCodes[] = {103, 104, 105, 106, 108, 109, 110, 111, 112, 113,
                                  114, 118, 119, 120, 121, 122, 123, 124, 125, 126};
const int32_t kAnsweredCodes[] = {100, 115, 142, 143, 148, 158, 160, 161, 165, 168};

}  // namespace

GuiHost::GuiHost() {
    for (int32_t code : kCreationCodes) {
        respond(code, [this, code](Exchange& e) {
            const Block& block = e.request().block;
            Widget* w = newWidget(code, code == 104 ? e.request().data : block.pointer);
            w->layout = block.opts;
            w->text = block.stringValue;
            w->function = block.function;
            w->number = block.intValue;
            return w;
        });
    }
    // The widget a fixed-field request concerns, or a direct request's data.
    auto target = [this](Exchange& e) {
        const Request& r = e.request();
        return widget(r.block.kind == BlockKind::Raw ? r.data : r.block.pointer);
    };

    respond(100, [this](Exchange& e) {
        if (Widget* w = widget(e.request().block.pointer)) {
            w->proxy = e.request().block.pointerValue;
        }
        return nullptr;
    });
    respond(142, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->destroyed = true;
        }
        return nullptr;
    });
    respond(168, [this](Exchange& e) {
        const void* proxy = e.request().block.ptrs.at(0);
        const auto listed = std::find(serverGarbage.begin(), serverGarbage.end(), proxy);
        if (e.selector() == 0 && takeGarbage) {
            serverGarbage.push_back(proxy);
            e.setInt(1, 0);
        } else if (e.selector() == 1 && listed != serverGarbage.end()) {
            serverGarbage.erase(listed);
            e.setInt(1, 0);
        }
        return nullptr;
    });
    respond(143, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->hidden = e.request().block.boolValue;
        }
        return nullptr;
    });
    respond(115, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->hidden = false;
        }
        return nullptr;
    });
    respond(148, [target](Exchange& e) {
        const Widget* w = target(e);
        return w != nullptr && !w->hidden ? reinterpret_cast<void*>(1) : nullptr;
    });
    respond(158, [this](Exchange& e) { return answerIcons(e); });
    respond(160, [this](Exchange& e) {
        const auto& ptrs = e.request().block.ptrs;
        auto& observers = closeObservers[ptrs.at(0)];
        if (e.selector() == 0) {
            observers.push_back(Observer{ptrs.at(1), ptrs.at(2)});
        } else {
            observers.erase(std::remove_if(observers.begin(), observers.end(),
                                           [&ptrs](const Observer& o) { return o.observer == ptrs.at(1); }),
                            observers.end());
        }
        return nullptr;
    });
    respond(161, [this](Exchange& e) {
        auto& flags = docking[e.request().block.ptrs.at(0)];
        const auto& ints = e.request().block.ints;
        switch (e.selector()) {
        case 0: e.setInt(1, flags[0]); break;
        case 1: e.setInt(1, flags[1]); break;
        case 2: flags[1] = flags[0] && ints.at(1) != 0; break;
        case 3: flags[0] = ints.at(1) != 0; break;
        }
        return nullptr;
    });
    respond(165, [this](Exchange& e) { return answerTabWidget(e); });
}

GuiHost::~GuiHost() {
    for (int32_t code : kCreationCodes) {
        respond(code, nullptr);
    }
    for (int32_t code : kAnsweredCodes) {
        respond(code, nullptr);
    }
}

Widget* GuiHost::widget(const void* handle) const {
    for (const auto& w : widgets_) {
        if (w.get() == handle) {
            return w.get();
        }
    }
    return nullptr;
}

std::vector<const Widget*> GuiHost::widgets() const {
    std::vector<const Widget*> all;
    for (const auto& w : widgets_) {
        all.push_back(w.get());
    }
    return all;
}

Widget* GuiHost::newWidget(int32_t code, const void* parent) {
    widgets_.push_back(std::make_unique<Widget>());
    widgets_.back()->createdBy = code;
    widgets_.back()->parent = parent;
    widgets_.back()->hidden = !(childrenShown && parent != nullptr && code != 114 && code != 162 && code != 158);
    return widgets_.back().get();
}

void GuiHost::closeDialog(const void* handle) {
    if (Widget* w = widget(handle)) {
        w->hidden = true;
    }
    for (const Observer& o : closeObservers[handle]) {
        auto* observer = static_cast<PIGUI::PIDialogBox::CloseObserver*>(const_cast<void*>(o.observer));
        observer->dialogBoxClosed(static_cast<PIGUI::PIDialogBox*>(const_cast<void*>(o.dialog)));
    }
}

void GuiHost::callShow(void* window) { static_cast<PIGUI::PIWindow*>(window)->show(); }

void GuiHost::callMapFunction(void* window, void* function) {
    static_cast<PIGUI::PIWindow*>(window)->mapFunction(static_cast<FunctorTwoParams__*>(function));
}

void* GuiHost::callSpinnerFoxTextField(void* spinner) {
    return static_cast<PIGUI::PISpinner*>(spinner)->getFoxTextField();
}

void* GuiHost::callCheckButtonFoxButton(void* checkButton) {
    return static_cast<PIGUI::PICheckButton*>(checkButton)->getFoxButton();
}

void* GuiHost::callMenuItemFoxButton(void* menuItem) {
    return static_cast<PIGUI::PIMenuItem*>(menuItem)->getFoxButton();
}

void* GuiHost::answerIcons(Exchange& e) {
    const auto& block = e.request().block;
    const int32_t selector = e.selector();
    if (selector >= 2 && selector <= 5) {
        const bool fromFile = selector == 2;
        if (fromFile ? block.strs.at(0).empty() : block.ptrs.at(0) == nullptr) {
            return nullptr;
        }
        Widget* icon = newWidget(158, nullptr);
        icon->text = fromFile ? block.strs[0] : std::string();
        icon->number = selector;
        return icon;
    }
    if (Widget* w = widget(block.ptrs.at(0))) {
        w->icon = block.ptrs.at(1);
    }
    return nullptr;
}

void* GuiHost::answerTabWidget(Exchange& e) {
    const auto& block = e.request().block;
    if (e.selector() == 0) {
        Widget* tabs = newWidget(165, block.ptrs.at(1));
        const auto* record = static_cast<const hostview::LayoutRecord*>(block.ptrs.at(2));
        std::copy(std::begin(record->values), std::end(record->values), tabs->layout.begin());
        e.setPointer(0, tabs);
        return nullptr;
    }
    Widget* tabs = widget(block.ptrs.at(0));
    if (tabs == nullptr) {
        return nullptr;
    }
    auto& pages = tabs->pages;
    const int32_t index = block.ints.size() > 1 ? block.ints[1] : -1;
    const bool inRange = index >= 0 && static_cast<std::size_t>(index) < pages.size();
    switch (e.selector()) {
    case 1: e.setInt(1, static_cast<int32_t>(pages.size())); break;
    case 2: e.setInt(1, tabs->current); break;
    case 3: tabs->current = inRange ? index : tabs->current; break;
    case 5:
        if (inRange) {
            e.setString(0, widget(pages[index])->text);
        }
        break;
    case 6:
        if (inRange) {
            widget(pages[index])->text = block.strs.at(0);
        }
        break;
    case 7:
    case 8: {
        Widget* page = newWidget(165, tabs);
        page->text = block.strs.at(0);
        const auto* factory = static_cast<const PIGUI::PIVerticalFrameFactory*>(e.pointerAt(2));
        page->proxy = factory->newVerticalFrame(page, pagesOwned);
        const bool append = e.selector() == 7 || index < 0 || static_cast<std::size_t>(index) > pages.size();
        pages.insert(append ? pages.end() : pages.begin() + index, page);
        tabs->current = tabs->current < 0 ? 0 : tabs->current;
        e.setPointer(1, const_cast<void*>(page->proxy));
        break;
    }
    case 9:
        if (inRange) {
            pages.erase(pages.begin() + index);
        }
        break;
    }
    return nullptr;
}

}  // namespace testhost
