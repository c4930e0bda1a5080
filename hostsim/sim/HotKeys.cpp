#include "hostsim/sim/HotKeys.h"

#include <cctype>
#include <vector>

namespace karvensim {
namespace {

struct Name {
    const char* text;
    uint32_t value;
};

// Modifiers in the order they are printed.
const Name kModifiers[] = {{"Ctrl", kCtrl}, {"Alt", kAlt}, {"Shift", kShift}, {"Meta", kMeta}};
const Name kModifierAliases[] = {{"Control", kCtrl}};

constexpr uint32_t kFirstFunctionKey = 0xFFBE;  // F1
constexpr int kFunctionKeys = 24;

// Named keys; the first name of a value is the one printed.
const Name kKeys[] = {
    {"Space", 0x20},    {"Backspace", 0xFF08}, {"Tab", 0xFF09},    {"Return", 0xFF0D}, {"Enter", 0xFF0D},
    {"Escape", 0xFF1B}, {"Esc", 0xFF1B},       {"Home", 0xFF50},   {"Left", 0xFF51},   {"Up", 0xFF52},
    {"Right", 0xFF53},  {"Down", 0xFF54},      {"PageUp", 0xFF55}, {"PgUp", 0xFF55},   {"PageDown", 0xFF56},
    {"PgDown", 0xFF56}, {"End", 0xFF57},       {"Insert", 0xFF63}, {"Ins", 0xFF63},    {"Delete", 0xFFFF},
    {"Del", 0xFFFF},
};

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

uint32_t modifierNamed(const std::string& name) {
    for (const auto& m : kModifiers) {
        if (sameName(name, m.text)) return m.value;
    }
    for (const auto& m : kModifierAliases) {
        if (sameName(name, m.text)) return m.value;
    }
    return 0;
}

uint32_t keyNamed(const std::string& name) {
    if (name.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(name[0]);
        return c > 0x20 && c < 0x7F ? static_cast<uint32_t>(std::toupper(c)) : 0;
    }
    for (const auto& k : kKeys) {
        if (sameName(name, k.text)) return k.value;
    }
    if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f') &&
        name.find_first_not_of("0123456789", 1) == std::string::npos && name[1] != '0') {
        const int number = std::stoi(name.substr(1));
        if (number >= 1 && number <= kFunctionKeys) {
            return kFirstFunctionKey + static_cast<uint32_t>(number - 1);
        }
    }
    return 0;
}

std::string keyText(uint32_t key) {
    if (key > 0x20 && key < 0x7F && !(key >= 'a' && key <= 'z')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeys) {
        return "F" + std::to_string(key - kFirstFunctionKey + 1);
    }
    for (const auto& k : kKeys) {
        if (k.value == key) return k.text;
    }
    return "";
}

}  // namespace

uint32_t parseHotKey(const std::string& text) {
    const std::string whole = trimmed(text);
    // The key is what follows the last '+', unless the key is '+' itself.
    std::string key;
    std::string modifiers;
    if (whole == "+") {
        key = "+";
    } else if (whole.size() >= 2 && whole.compare(whole.size() - 2, 2, "++") == 0) {
        key = "+";
        modifiers = whole.substr(0, whole.size() - 2);
    } else {
        const auto plus = whole.rfind('+');
        key = plus == std::string::npos ? whole : whole.substr(plus + 1);
        modifiers = plus == std::string::npos ? "" : whole.substr(0, plus);
    }
    uint32_t code = keyNamed(trimmed(key));
    if (code == 0) {
        return 0;
    }
    if (whole.size() > key.size()) {
        // Every part before the key names one modifier, once.
        std::size_t start = 0;
        while (true) {
            const auto end = modifiers.find('+', start);
            const uint32_t modifier = modifierNamed(trimmed(modifiers.substr(start, end - start)));
            if (modifier == 0 || (code & modifier) != 0) {
                return 0;
            }
            code |= modifier;
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return code;
}

std::string printHotKey(uint32_t code) {
    const uint32_t allModifiers = kShift | kCtrl | kAlt | kMeta;
    if ((code & ~(allModifiers | 0xFFFFu)) != 0) {
        return "";
    }
    const std::string key = keyText(code & 0xFFFFu);
    if (key.empty()) {
        return "";
    }
    std::string text;
    for (const auto& m : kModifiers) {
        if (code & m.value) {
            text += std::string(m.text) + "+";
        }
    }
    return text + key;
}

}  // namespace karvensim
