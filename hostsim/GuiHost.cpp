// The test host's GUI side: its widget table and its answers to the GUI
// requests.

#include "hostsim/GuiHost.h"

#include <algorithm>

#include "hostsim/HostDeclarations.h"

namespace testhost {
namespace {

const int32_t kCreationCodes[] = {103, 104, 105, 106, 108, 109, 110, 111, 112, 113,
                                  114, 118, 119, 120, 121, 122, 123, 124, 125, 126};
const int32_t kAnsweredCodes[] = {100, 101, 102, 115, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137,
                                  138, 139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
                                  153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 164, 165, 166, 167, 168};

// The integer at an address the plug-in put in a block.
int32_t intAt(const void* address) { return *static_cast<const int32_t*>(address); }
void writeIntAt(const void* address, int32_t value) {
    *static_cast<int32_t*>(const_cast<void*>(address)) = value;
}

void* answerWith(bool flag) { return flag ? reinterpret_cast<void*>(1) : nullptr; }

bool inRange(const std::vector<std::string>& items, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

}  // namespace

GuiHost::GuiHost() {
    for (int32_t code : kCreationCodes) {
        respond(code, [this, code](Exchange& e) {
            const Block& block = e.request().block;
            const void* parent = code == 104 ? e.request().data : block.pointer;
            return create(code, parent, block);
        });
    }
    answerAll();
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

std::vector<const void*> GuiHost::createdBy(int32_t code) const {
    std::vector<const void*> handles;
    for (const auto& w : widgets_) {
        if (w->createdBy == code) {
            handles.push_back(w.get());
        }
    }
    return handles;
}

void* GuiHost::newWidget(int32_t code) {
    widgets_.push_back(std::make_unique<Widget>());
    widgets_.back()->createdBy = code;
    return widgets_.back().get();
}

void* GuiHost::create(int32_t code, const void* parent, const Block& block) {
    auto* w = static_cast<Widget*>(newWidget(code));
    w->parent = parent;
    w->layout = block.opts;
    w->text = block.stringValue;
    w->function = block.function;
    w->number = block.intValue;
    return w;
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

void GuiHost::answerAll() {
    // The widget a fixed-field request concerns, or a direct request's data.
    auto target = [this](Exchange& e) {
        const Request& r = e.request();
        return widget(r.block.kind == BlockKind::Raw ? r.data : r.block.pointer);
    };
    // The widget in element 0 of ptrVector of a grouped request.
    auto groupTarget = [this](Exchange& e) {
        const auto& ptrs = e.request().block.ptrs;
        return ptrs.empty() ? nullptr : widget(ptrs[0]);
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
        if (e.selector() == 0 && takeGarbage) {
            serverGarbage.push_back(proxy);
            e.setInt(1, 0);
        } else if (e.selector() == 1) {
            const auto found = std::find(serverGarbage.begin(), serverGarbage.end(), proxy);
            if (found != serverGarbage.end()) {
                serverGarbage.erase(found);
                e.setInt(1, 0);
            }
        }
        return nullptr;
    });

    // Window base operations.
    respond(143, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->hidden = e.request().block.boolValue;
        }
        return nullptr;
    });
    respond(144, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->enabled = e.request().block.boolValue;
        }
        return nullptr;
    });
    respond(145, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->checked = e.request().block.boolValue;
        }
        return nullptr;
    });
    respond(146, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->mapped = e.request().block.function;
        }
        return nullptr;
    });
    respond(147,
            [this](Exchange& e) { return answerWith(focused != nullptr && focused == e.request().data); });
    respond(156, [this, target](Exchange& e) {
        if (target(e) != nullptr) {
            focused = e.request().data;
        }
        return nullptr;
    });
    respond(148, [target](Exchange& e) {
        const Widget* w = target(e);
        return answerWith(w != nullptr && !w->hidden);
    });
    respond(149, [target](Exchange& e) {
        if (const Widget* w = target(e)) {
            e.setIntValue(w->createdBy == 122 || w->createdBy == 121 ? w->checked : w->intValue);
        }
        return nullptr;
    });
    respond(150, [target](Exchange& e) {
        if (const Widget* w = target(e)) {
            e.setDoubleValue(w->doubleValue);
        }
        return nullptr;
    });
    respond(151, [target](Exchange& e) {
        if (const Widget* w = target(e)) {
            e.setStringValue(w->textValue);
        }
        return nullptr;
    });
    respond(152, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->intValue = e.request().block.intValue;
        }
        return nullptr;
    });
    respond(153, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->doubleValue = e.request().block.doubleValue;
        }
        return nullptr;
    });
    respond(154, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->textValue = e.request().block.stringValue;
        }
        return nullptr;
    });
    respond(166, [groupTarget](Exchange& e) {
        Widget* w = groupTarget(e);
        if (w == nullptr) {
            return nullptr;
        }
        const auto& ints = e.request().block.ints;
        switch (e.selector()) {
        case 0:
        case 2:
            w->sizeLimits[ints[0]] = ints[1];
            w->sizeLimits[ints[0] + 1] = ints[2];
            break;
        case 1:
        case 3:
            e.setInt(1, w->sizeLimits[ints[0] - 1]);
            e.setInt(2, w->sizeLimits[ints[0]]);
            break;
        case 4: w->styleSheet = e.request().block.strs.at(0); break;
        case 5: e.setString(0, w->styleSheet); break;
        }
        return nullptr;
    });
    respond(155, [this](Exchange& e) {
        const auto& block = e.request().block;
        switch (e.selector()) {
        case 0: mouseGrabbed = true; break;
        case 1: mouseGrabbed = false; break;
        case 2: cursorOverrides[block.ptrs.at(0)] = block.ints.at(1); break;
        case 3: cursorOverrides.erase(block.ptrs.at(0)); break;
        }
        return nullptr;
    });
    respond(157, [this](Exchange& e) {
        const auto& block = e.request().block;
        writeIntAt(block.ptrs.at(0), block.ints.at(1) - mainWindowOrigin[0]);
        writeIntAt(block.ptrs.at(1), block.ints.at(2) - mainWindowOrigin[1]);
        return nullptr;
    });

    // Containers.
    respond(115, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->hidden = false;
        }
        return nullptr;
    });
    respond(141, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->current = intAt(e.request().block.pointerValue);
            e.setIntValue(w->current);
        }
        return nullptr;
    });
    respond(160, [this](Exchange& e) {
        const auto& ptrs = e.request().block.ptrs;
        auto& observers = closeObservers[ptrs.at(0)];
        if (e.selector() == 0) {
            observers.push_back(ptrs.at(1));
        } else {
            observers.erase(std::remove(observers.begin(), observers.end(), ptrs.at(1)), observers.end());
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

    // Controls.
    respond(140, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->sizeLimits[0] = intAt(e.request().block.pointerValue);
            w->sizeLimits[1] = e.request().block.intValue;
        }
        return nullptr;
    });
    respond(164, [groupTarget](Exchange& e) {
        if (Widget* w = groupTarget(e)) {
            w->textValue = e.request().block.strs.at(0);
        }
        return nullptr;
    });
    respond(139, [target](Exchange& e) {
        if (Widget* w = target(e)) {
            w->items.push_back(e.request().block.stringValue);
            e.setIntValue(static_cast<int32_t>(w->items.size()) - 1);
        }
        return nullptr;
    });
    respond(159, [groupTarget](Exchange& e) {
        Widget* w = groupTarget(e);
        if (w == nullptr) {
            return nullptr;
        }
        const auto& ints = e.request().block.ints;
        switch (e.selector()) {
        case 0: e.setInt(1, static_cast<int32_t>(w->items.size())); break;
        case 1:
            if (inRange(w->items, ints.at(1))) {
                e.setString(0, w->items[ints[1]]);
            }
            break;
        case 2:
            if (inRange(w->items, ints.at(1))) {
                w->items[ints[1]] = e.request().block.strs.at(0);
                e.setInt(2, 0);
            }
            break;
        case 3:
            if (inRange(w->items, ints.at(1))) {
                w->items.erase(w->items.begin() + ints[1]);
                e.setInt(2, 0);
            }
            break;
        }
        return nullptr;
    });
    for (int32_t code = 127; code <= 138; ++code) {
        respond(code, [this, code](Exchange& e) { return answerList(code, e); });
    }
    respond(167, [groupTarget](Exchange& e) {
        if (Widget* w = groupTarget(e)) {
            if (e.selector() == 0) {
                w->number = e.request().block.ints.at(1);
            } else {
                e.setInt(1, w->number);
            }
        }
        return nullptr;
    });

    // Menus, icons, registry, progress dialog.
    respond(158, [this](Exchange& e) { return answerIcons(e); });
    respond(101, [this](Exchange& e) {
        registry[e.request().block.stringValue] = e.request().block.stringValue2;
        return nullptr;
    });
    respond(102, [this](Exchange& e) {
        const auto found = registry.find(e.request().block.stringValue);
        e.setStringValue(found == registry.end() ? std::string() : found->second);
        return nullptr;
    });
    respond(162, [this](Exchange& e) { return answerProgress(e); });
}

void* GuiHost::answerList(int32_t code, Exchange& e) {
    const Request& r = e.request();
    const bool grouped = code == 127;
    Widget* w = widget(grouped ? r.block.ptrs.at(0) : (code == 132 ? r.data : r.block.pointer));
    if (w == nullptr) {
        return nullptr;
    }
    const int32_t index = r.block.intValue;
    switch (code) {
    case 127:
        w->items.push_back(r.block.strs.at(0));
        w->itemData.push_back(r.block.ptrs.at(1));
        e.setInt(0, static_cast<int32_t>(w->items.size()) - 1);
        break;
    case 128:
        if (inRange(w->items, index)) {
            w->items.erase(w->items.begin() + index);
            w->itemData.erase(w->itemData.begin() + index);
        }
        break;
    case 129: e.setIntValue(static_cast<int32_t>(w->items.size())); break;
    case 130: e.setIntValue(w->current >= index ? w->current : -1); break;
    case 131:
        if (r.block.boolValue && inRange(w->items, index)) {
            w->current = index;
        }
        break;
    case 132: w->current = -1; break;
    case 133:
        if (inRange(w->items, index)) {
            e.setStringValue(w->items[index]);
        }
        break;
    case 134:
        if (inRange(w->items, index)) {
            w->items[index] = r.block.stringValue;
        }
        break;
    case 135: return inRange(w->items, index) ? const_cast<void*>(w->itemData[index]) : nullptr;
    case 136:
        if (inRange(w->items, index)) {
            w->itemData[index] = r.block.pointerValue;
        }
        break;
    case 137: w->headers.push_back(r.block.stringValue); break;
    case 138:
        if (inRange(w->headers, index)) {
            w->headers.erase(w->headers.begin() + index);
        }
        break;
    }
    return nullptr;
}

void* GuiHost::answerTabWidget(Exchange& e) {
    const auto& block = e.request().block;
    if (e.selector() == 0) {
        auto* w = static_cast<Widget*>(newWidget(165));
        w->parent = block.ptrs.at(1);
        const auto* record = static_cast<const hostview::LayoutRecord*>(block.ptrs.at(2));
        std::copy(std::begin(record->values), std::end(record->values), w->layout.begin());
        e.setPointer(0, w);
        return nullptr;
    }
    Widget* tabs = widget(block.ptrs.at(0));
    if (tabs == nullptr) {
        return nullptr;
    }
    const int32_t index = block.ints.size() > 1 ? block.ints[1] : -1;
    switch (e.selector()) {
    case 1: e.setInt(1, static_cast<int32_t>(tabs->items.size())); break;
    case 2: e.setInt(1, tabs->current); break;
    case 3:
        if (inRange(tabs->items, index)) {
            tabs->current = index;
        }
        break;
    case 4: break;
    case 5:
        if (inRange(tabs->items, index)) {
            e.setString(0, tabs->items[index]);
        }
        break;
    case 6:
        if (inRange(tabs->items, index)) {
            tabs->items[index] = block.strs.at(0);
        }
        break;
    case 7:
    case 8: {
        const auto at = e.selector() == 7 || index < 0 || static_cast<std::size_t>(index) > tabs->items.size()
                            ? tabs->items.size()
                            : static_cast<std::size_t>(index);
        auto* page = static_cast<Widget*>(newWidget(165));
        page->parent = tabs;
        page->text = block.strs.at(0);
        const auto* factory = static_cast<const PIGUI::PIVerticalFrameFactory*>(e.pointerAt(2));
        PIGUI::PIVerticalFrame* proxy = factory->newVerticalFrame(page, pagesOwned);
        page->proxy = proxy;
        tabs->items.insert(tabs->items.begin() + at, block.strs.at(0));
        tabs->itemData.insert(tabs->itemData.begin() + at, page);
        if (tabs->current < 0) {
            tabs->current = 0;
        }
        e.setPointer(1, proxy);
        break;
    }
    case 9:
        if (inRange(tabs->items, index)) {
            tabs->items.erase(tabs->items.begin() + index);
            tabs->itemData.erase(tabs->itemData.begin() + index);
        }
        break;
    }
    return nullptr;
}

void* GuiHost::answerIcons(Exchange& e) {
    const auto& block = e.request().block;
    const int32_t selector = e.selector();
    if (selector >= 2 && selector <= 5) {
        // A load: an empty file name or a null image finds nothing.
        const bool fromFile = selector == 2;
        if (fromFile ? block.strs.at(0).empty() : block.ptrs.at(0) == nullptr) {
            return nullptr;
        }
        auto* icon = static_cast<Widget*>(newWidget(158));
        icon->text = fromFile ? block.strs[0] : std::string();
        icon->number = selector;
        return icon;
    }
    if (Widget* w = widget(block.ptrs.at(0))) {
        w->icon = block.ptrs.at(1);
    }
    return nullptr;
}

void* GuiHost::answerProgress(Exchange& e) {
    const auto& block = e.request().block;
    if (e.selector() == 0) {
        auto* w = static_cast<Widget*>(newWidget(162));
        w->parent = block.ptrs.at(0);
        w->text = block.strs.at(0);
        progress[w].label = block.strs.at(1);
        e.setPointer(1, w);
        return nullptr;
    }
    const auto found = progress.find(block.ptrs.at(0));
    if (found == progress.end()) {
        return nullptr;
    }
    Progress& p = found->second;
    switch (e.selector()) {
    case 1: p.shown = true; break;
    case 2: p.shown = false; break;
    case 3: ++p.runs; break;
    case 4: e.setInt(1, p.canceled); break;
    case 5: e.setInt(1, p.maximum); break;
    case 6: e.setInt(1, p.value); break;
    case 7: p.maximum = block.ints.at(1); break;
    case 8: p.value = block.ints.at(1); break;
    case 9: p.label = block.strs.at(0); break;
    }
    return nullptr;
}

}  // namespace testhost
