// The simulated host's hot keys: the integer form it hands to plug-ins and
// the text form it parses and prints.
//
// Integer form: the key in bits 0 to 15, the modifiers in bits 16 to 19.
//   key: a printable character 0x21 to 0x7E (letters upper case), 0x20 for
//        Space, or a named key at 0xFF00 and above (Backspace, Tab, Return,
//        Escape, Home, Left, Up, Right, Down, PageUp, PageDown, End, Insert,
//        Delete, F1 to F24);
//   modifiers: Shift 0x10000, Ctrl 0x20000, Alt 0x40000, Meta 0x80000.
// 0 is no hot key; any other bit set makes a code invalid.
//
// Text form: the modifiers in the order Ctrl, Alt, Shift, Meta, then the
// key, joined by '+': "Ctrl+Shift+K", "F5", "Alt+Left", "Ctrl++".
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIStringAbi.h"

namespace karvensim {

constexpr uint32_t kShift = 0x10000;
constexpr uint32_t kCtrl = 0x20000;
constexpr uint32_t kAlt = 0x40000;
constexpr uint32_t kMeta = 0x80000;

// The code of an accelerator text; 0 when the text is not one. Modifier and
// key names are case-insensitive, a letter key stands for its upper-case
// letter, blanks around each part are ignored, and "Control", "Enter",
// "Esc", "Del", "Ins", "PgUp", "PgDown" are accepted for their keys. A
// modifier given twice, a missing key or an unknown name give 0.
uint32_t parseHotKey(const std::string& text);

// The canonical text of a code; empty for 0 and for invalid codes.
// parseHotKey(printHotKey(code)) == code for every valid code.
std::string printHotKey(uint32_t code);

}  // namespace karvensim
