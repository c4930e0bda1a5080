#include "hostsim/sim/GuiState.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "hostsim/HostDeclarations.h"
#include "hostsim/HostJson.h"
#include "hostsim/sim/RequestNames.h"

namespace karvensim {
namespace {

using testhost::Exchange;
using testhost::Widget;
namespace json = testhost::json;

constexpr int32_t kDone = 0;
constexpr int32_t kOutOfRange = 2;

// The codes answered here (GuiHost answers the others).
constexpr int32_t kCodes[] = {10,  11,  14,  101, 102, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136,
                              137, 138, 139, 140, 141, 144, 145, 146, 147, 149, 150, 151, 152, 153, 154,
                              156, 159, 162, 164, 166, 167};

// Widgets whose creation text is their value.
bool textIsValue(int32_t code) {
    return code == 105 || code == 106 || code == 110 || code == 114 || code == 118 || code == 120 ||
           code == 121 || code == 122;
}

bool isToggle(int32_t code) { return code == 121 || code == 122; }

int32_t parsedInt(const std::string& text) { return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)); }

template <typename T>
bool inRange(const std::vector<T>& items, int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

std::string hex(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", pointer);
    return text;
}

std::string ints(const std::array<int32_t, 2>& pair) {
    return "[" + std::to_string(pair[0]) + ", " + std::to_string(pair[1]) + "]";
}

}  // namespace

std::string widgetKind(const Widget& widget) {
    std::string name = requestName(widget.createdBy);
    for (const char* prefix : {"PI_SERVERFUNC_GUI_CREATE_", "PI_SERVERFUNC_GUI_", "PI_SERVERFUNC_GET_"}) {
        const std::string p = prefix;
        if (name.compare(0, p.size(), p) == 0) {
            name = name.substr(p.size());
            break;
        }
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == "icons" ? "icon" : name;
}

Gui::Gui(std::map<std::string, std::string>& preferences) : preferences_(preferences) {
    host_.childrenShown = true;
    for (int32_t code : {10, 11, 14}) {
        Widget* root = host_.addWidget(code, nullptr);
        root->hidden = false;
        roots_.push_back(root);
        testhost::respond(code, [root](Exchange&) -> void* { return root; });
    }
    // The widget and state a fixed-field request concerns, or a direct
    // request's handle; null state for a handle the host never made.
    auto target = [this](Exchange& e) -> WidgetState* {
        const auto& r = e.request();
        const void* handle = r.block.kind == testhost::BlockKind::Raw ? r.data : r.block.pointer;
        return state(handle);
    };
    auto reply = [](int32_t code, std::function<void(Exchange&)> body) {
        testhost::respond(code, [body = std::move(body)](Exchange& e) -> void* {
            body(e);
            return nullptr;
        });
    };
    auto block = [](Exchange& e) -> const testhost::Block& { return e.request().block; };

    // Registry.
    reply(101, [this, block](Exchange& e) { preferences_[block(e).stringValue] = block(e).stringValue2; });
    reply(102, [this, block](Exchange& e) {
        const auto found = preferences_.find(block(e).stringValue);
        e.setStringValue(found == preferences_.end() ? std::string() : found->second);
    });

    // Flags, focus, callbacks.
    reply(144, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->enabled = block(e).boolValue;
    });
    reply(145, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->checked = block(e).boolValue;
    });
    reply(146, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->mapped = block(e).function;
    });
    testhost::respond(147, [this](Exchange& e) -> void* {
        return focus_ != nullptr && focus_ == e.request().data ? reinterpret_cast<void*>(1) : nullptr;
    });
    reply(156, [this](Exchange& e) {
        if (state(e.request().data) != nullptr) focus_ = e.request().data;
    });

    // Values.
    auto isToggleWidget = [this](Exchange& e) {
        const Widget* w = widget(e.request().block.pointer);
        return w != nullptr && isToggle(w->createdBy);
    };
    reply(149, [target, isToggleWidget](Exchange& e) {
        if (WidgetState* s = target(e)) e.setIntValue(isToggleWidget(e) ? s->checked : parsedInt(s->value));
    });
    reply(150, [target](Exchange& e) {
        if (WidgetState* s = target(e)) e.setDoubleValue(std::strtod(s->value.c_str(), nullptr));
    });
    reply(151, [target](Exchange& e) {
        if (WidgetState* s = target(e)) e.setStringValue(s->value);
    });
    reply(152, [target, isToggleWidget, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr) return;
        int32_t value = block(e).intValue;
        if (isToggleWidget(e)) {
            s->checked = value != 0;
            return;
        }
        if (s->hasRange) value = std::min(std::max(value, s->range[0]), s->range[1]);
        s->value = std::to_string(value);
    });
    reply(153, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->value = json::number(block(e).doubleValue);
    });
    reply(154, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->value = block(e).stringValue;
    });

    // Lists.
    reply(127, [this, block](Exchange& e) {
        WidgetState* s = state(block(e).ptrs.at(0));
        if (s == nullptr) return;
        s->items.push_back(ListItem{block(e).strs.at(0), block(e).ptrs.at(1), false});
        e.setInt(0, static_cast<int32_t>(s->items.size()) - 1);
    });
    reply(128, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s != nullptr && inRange(s->items, block(e).intValue)) s->items.erase(s->items.begin() + block(e).intValue);
    });
    reply(129, [target](Exchange& e) {
        if (WidgetState* s = target(e)) e.setIntValue(static_cast<int32_t>(s->items.size()));
    });
    reply(130, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr) return;
        int32_t found = -1;
        for (int32_t i = std::max(0, block(e).intValue); i < static_cast<int32_t>(s->items.size()); ++i) {
            if (s->items[static_cast<std::size_t>(i)].selected) {
                found = i;
                break;
            }
        }
        e.setIntValue(found);
    });
    reply(131, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr || !inRange(s->items, block(e).intValue) || s->selectionMode == 3) return;
        if (s->selectionMode == 0) {
            for (auto& item : s->items) item.selected = false;
        }
        s->items[static_cast<std::size_t>(block(e).intValue)].selected = block(e).boolValue;
    });
    reply(132, [target](Exchange& e) {
        if (WidgetState* s = target(e)) {
            for (auto& item : s->items) item.selected = false;
        }
    });
    reply(133, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        const int32_t i = block(e).intValue;
        if (s != nullptr) e.setStringValue(inRange(s->items, i) ? s->items[static_cast<std::size_t>(i)].text : "");
    });
    reply(134, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        const int32_t i = block(e).intValue;
        if (s != nullptr && inRange(s->items, i)) s->items[static_cast<std::size_t>(i)].text = block(e).stringValue;
    });
    testhost::respond(135, [target](Exchange& e) -> void* {
        WidgetState* s = target(e);
        const int32_t i = e.request().block.intValue;
        return s != nullptr && inRange(s->items, i) ? const_cast<void*>(s->items[static_cast<std::size_t>(i)].data)
                                                    : nullptr;
    });
    reply(136, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        const int32_t i = block(e).intValue;
        if (s != nullptr && inRange(s->items, i)) s->items[static_cast<std::size_t>(i)].data = block(e).pointerValue;
    });
    reply(137, [target, block](Exchange& e) {
        if (WidgetState* s = target(e)) s->headers.push_back(ListHeader{block(e).stringValue, block(e).intValue});
    });
    reply(138, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s != nullptr && inRange(s->headers, block(e).intValue))
            s->headers.erase(s->headers.begin() + block(e).intValue);
    });
    reply(167, [this, block](Exchange& e) {
        WidgetState* s = state(block(e).ptrs.at(0));
        if (s == nullptr) return;
        if (e.selector() == 0) {
            s->selectionMode = block(e).ints.at(1);
        } else {
            e.setInt(1, s->selectionMode);
        }
    });

    // Option menus.
    reply(139, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr) return;
        s->options.push_back(block(e).stringValue);
        e.setIntValue(static_cast<int32_t>(s->options.size()) - 1);
    });
    reply(159, [this, block](Exchange& e) {
        WidgetState* s = state(block(e).ptrs.at(0));
        if (s == nullptr) return;
        const auto& b = block(e);
        const int32_t index = b.ints.size() > 1 ? b.ints[1] : -1;
        const bool valid = inRange(s->options, index);
        switch (e.selector()) {
        case 0: e.setInt(1, static_cast<int32_t>(s->options.size())); break;
        case 1: e.setString(0, valid ? s->options[static_cast<std::size_t>(index)] : ""); break;
        case 2:
            if (valid) s->options[static_cast<std::size_t>(index)] = b.strs.at(0);
            e.setInt(2, valid ? kDone : kOutOfRange);
            break;
        case 3:
            if (valid) s->options.erase(s->options.begin() + index);
            e.setInt(2, valid ? kDone : kOutOfRange);
            break;
        }
    });

    // Spinner range, switcher panel, placeholder, sizes and style.
    reply(140, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr) return;
        s->hasRange = true;
        s->range = {*static_cast<const int32_t*>(block(e).pointerValue), block(e).intValue};
        const int32_t value = std::min(std::max(parsedInt(s->value), s->range[0]), s->range[1]);
        s->value = std::to_string(value);
    });
    reply(141, [target, block](Exchange& e) {
        WidgetState* s = target(e);
        if (s == nullptr) return;
        const int32_t index = *static_cast<const int32_t*>(block(e).pointerValue);
        s->panel = index < 0 ? s->panel : index;
        e.setIntValue(index < 0 ? -1 : index);
    });
    reply(164, [this, block](Exchange& e) {
        if (WidgetState* s = state(block(e).ptrs.at(0))) s->placeholder = block(e).strs.at(0);
    });
    reply(166, [this, block](Exchange& e) {
        WidgetState* s = state(block(e).ptrs.at(0));
        if (s == nullptr) return;
        const auto& b = block(e);
        switch (e.selector()) {
        case 0: s->minimumSize = {b.ints.at(1), b.ints.at(2)}; break;
        case 1: e.setInt(1, s->minimumSize[0]); e.setInt(2, s->minimumSize[1]); break;
        case 2: s->maximumSize = {b.ints.at(1), b.ints.at(2)}; break;
        case 3: e.setInt(1, s->maximumSize[0]); e.setInt(2, s->maximumSize[1]); break;
        case 4: s->styleSheet = b.strs.at(0); break;
        case 5: e.setString(0, s->styleSheet); break;
        }
    });

    // Progress dialogs.
    reply(162, [this, block](Exchange& e) {
        const auto& b = block(e);
        if (e.selector() == 0) {
            Widget* dialog = host_.addWidget(162, b.ptrs.at(0));
            dialog->text = b.strs.at(0);
            WidgetState& s = states_[dialog];
            s.secondText = b.strs.at(1);
            s.flag = b.ints.at(1) != 0;
            s.maximum = b.ints.at(2) > 0 ? b.ints.at(2) : 100;
            e.setPointer(1, dialog);
            return;
        }
        Widget* dialog = widget(b.ptrs.at(0));
        if (dialog == nullptr || dialog->createdBy != 162) return;
        WidgetState& s = states_[dialog];
        switch (e.selector()) {
        case 1: dialog->hidden = false; break;
        case 2: dialog->hidden = true; break;
        case 3: ++s.eventRuns; break;
        case 4: e.setInt(1, s.canceled); break;
        case 5: e.setInt(1, s.maximum); break;
        case 6: e.setInt(1, s.progress); break;
        case 7: s.maximum = b.ints.at(1); break;
        case 8: s.progress = b.ints.at(1); break;
        case 9: s.value = b.strs.at(0); break;
        }
    });
}

Gui::~Gui() {
    for (int32_t code : kCodes) {
        testhost::respond(code, nullptr);
    }
}

Widget* Gui::widget(const void* handle) const {
    Widget* w = handle != nullptr ? host_.widget(handle) : nullptr;
    return w != nullptr && !w->destroyed ? w : nullptr;
}

WidgetState* Gui::state(const void* handle) {
    Widget* w = widget(handle);
    if (w == nullptr) {
        return nullptr;
    }
    const auto found = states_.find(handle);
    if (found != states_.end()) {
        return &found->second;
    }
    WidgetState& s = states_[handle];
    if (textIsValue(w->createdBy)) {
        s.value = w->text;
    } else if (w->createdBy == 123) {
        s.value = std::to_string(w->number);
    }
    return &s;
}

int Gui::click(const void* handle) {
    WidgetState* s = state(handle);
    if (s == nullptr) {
        return kUnknown;
    }
    if (!s->enabled) {
        return kDisabled;
    }
    const Widget* w = widget(handle);
    if (w->createdBy == 122) {
        s->checked = !s->checked;
    } else if (w->createdBy == 121) {
        s->checked = true;
    }
    ++s->clicks;
    const void* callback = s->mapped != nullptr ? s->mapped : w->function;
    if (callback == nullptr) {
        return kNoCallback;
    }
    (*static_cast<FunctorTwoParams__*>(const_cast<void*>(callback)))(const_cast<void*>(handle), nullptr);
    return kClicked;
}

bool Gui::cancelProgress(const void* handle) {
    const Widget* w = widget(handle);
    if (w == nullptr || w->createdBy != 162) {
        return false;
    }
    states_[handle].canceled = true;
    return true;
}

std::vector<WidgetNode> Gui::tree() const {
    auto& self = const_cast<Gui&>(*this);  // states are made on first sight
    const auto all = host_.widgets();
    std::function<WidgetNode(const Widget*)> node = [&](const Widget* w) {
        WidgetNode n;
        n.handle = w;
        const Widget* parent = host_.widget(w->parent);
        n.kind = w->createdBy == 165 && parent != nullptr && parent->createdBy == 165 ? "tab_page" : widgetKind(*w);
        n.widget = w;
        n.state = self.state(w);
        // A tab widget's pages in tab order, then any other children.
        std::vector<const Widget*> children;
        for (const void* page : w->pages) {
            if (const Widget* p = widget(page)) children.push_back(p);
        }
        for (const Widget* c : all) {
            if (!c->destroyed && c->parent == w && c->createdBy != 158 &&
                std::find(children.begin(), children.end(), c) == children.end() &&
                !(c->createdBy == 165 && w->createdBy == 165)) {
                children.push_back(c);
            }
        }
        for (const Widget* c : children) n.children.push_back(node(c));
        return n;
    };
    std::vector<WidgetNode> roots;
    for (const Widget* w : all) {
        const bool orphan = w->parent == nullptr || host_.widget(w->parent) == nullptr;
        if (!w->destroyed && orphan && w->createdBy != 158) {
            roots.push_back(node(w));
        }
    }
    return roots;
}

namespace {

std::string nodeJson(const WidgetNode& n) {
    const Widget& w = *n.widget;
    const WidgetState& s = *n.state;
    std::ostringstream out;
    out << "{\"handle\": " << json::address(n.handle) << ", \"kind\": " << json::quoted(n.kind)
        << ", \"text\": " << json::quoted(w.text) << ", \"value\": " << json::quoted(s.value)
        << ", \"number\": " << w.number << ", \"hidden\": " << json::boolean(w.hidden)
        << ", \"enabled\": " << json::boolean(s.enabled) << ", \"checked\": " << json::boolean(s.checked)
        << ", \"proxy\": " << json::address(w.proxy) << ", \"icon\": " << json::address(w.icon)
        << ", \"callback\": " << json::address(s.mapped != nullptr ? s.mapped : w.function)
        << ", \"clicks\": " << s.clicks;
    if (!s.items.empty() || w.createdBy == 126) {
        out << ", \"items\": " << json::list(s.items, [](const ListItem& i) {
            return "{\"text\": " + json::quoted(i.text) + ", \"data\": " + json::address(i.data) +
                   ", \"selected\": " + json::boolean(i.selected) + "}";
        });
        out << ", \"headers\": " << json::list(s.headers, [](const ListHeader& h) {
            return "{\"text\": " + json::quoted(h.text) + ", \"size\": " + std::to_string(h.size) + "}";
        });
        out << ", \"selectionMode\": " << s.selectionMode;
    }
    if (!s.options.empty() || w.createdBy == 124) out << ", \"options\": " << json::list(s.options, json::quoted);
    if (s.hasRange) out << ", \"range\": " << ints(s.range);
    if (s.panel >= 0) out << ", \"panel\": " << s.panel;
    if (!s.placeholder.empty()) out << ", \"placeholder\": " << json::quoted(s.placeholder);
    if (!s.styleSheet.empty()) out << ", \"styleSheet\": " << json::quoted(s.styleSheet);
    if (s.minimumSize != std::array<int32_t, 2>{}) out << ", \"minimumSize\": " << ints(s.minimumSize);
    if (s.maximumSize != std::array<int32_t, 2>{}) out << ", \"maximumSize\": " << ints(s.maximumSize);
    if (w.createdBy == 165 && !w.pages.empty()) out << ", \"currentTab\": " << w.current;
    if (w.createdBy == 162) {
        out << ", \"progress\": {\"secondText\": " << json::quoted(s.secondText)
            << ", \"flag\": " << json::boolean(s.flag) << ", \"maximum\": " << s.maximum
            << ", \"value\": " << s.progress << ", \"canceled\": " << json::boolean(s.canceled)
            << ", \"eventRuns\": " << s.eventRuns << "}";
    }
    out << ", \"children\": " << json::list(n.children, nodeJson) << "}";
    return out.str();
}

void nodeText(std::ostringstream& out, const WidgetNode& n, int depth) {
    const Widget& w = *n.widget;
    const WidgetState& s = *n.state;
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << n.kind << ' ' << hex(n.handle);
    if (!w.text.empty()) out << ' ' << json::quoted(w.text);
    if (!s.value.empty() && s.value != w.text) out << " value=" << json::quoted(s.value);
    if (isToggle(w.createdBy) || s.checked) out << (s.checked ? " checked" : " unchecked");
    if (!s.enabled) out << " disabled";
    if (w.hidden && w.createdBy != 10 && w.createdBy != 11 && w.createdBy != 14) out << " hidden";
    if (s.hasRange) out << " range=" << ints(s.range);
    if (!s.options.empty()) out << " options=" << json::list(s.options, json::quoted);
    if (!s.headers.empty()) {
        out << " headers=" << json::list(s.headers, [](const ListHeader& h) { return json::quoted(h.text); });
    }
    if (!s.items.empty()) {
        out << " items=" << json::list(s.items, [](const ListItem& i) {
            return json::quoted(i.text) + (i.selected ? "*" : "");
        });
    }
    if (s.mapped != nullptr || w.function != nullptr) out << " callback";
    if (s.clicks > 0) out << " clicks=" << s.clicks;
    out << '\n';
    for (const auto& c : n.children) nodeText(out, c, depth + 1);
}

}  // namespace

std::string Gui::json() const {
    std::vector<const Widget*> icons;
    for (const Widget* w : host_.widgets()) {
        if (w->createdBy == 158 && !w->destroyed) icons.push_back(w);
    }
    return "{\"widgets\": " + json::list(tree(), nodeJson) + ", \"icons\": " +
           json::list(icons,
                      [](const Widget* w) {
                          return "{\"handle\": " + json::address(w) + ", \"file\": " + json::quoted(w->text) +
                                 ", \"loader\": " + std::to_string(w->number) + "}";
                      }) +
           ", \"focus\": " + json::address(focus_) +
           ", \"serverGarbage\": " + json::list(host_.serverGarbage, json::address) + "}";
}

bool Gui::hasPluginWidgets() const { return host_.widgets().size() > roots_.size(); }

std::string Gui::text() const {
    std::ostringstream out;
    for (const auto& root : tree()) nodeText(out, root, 0);
    return out.str();
}

}  // namespace karvensim
