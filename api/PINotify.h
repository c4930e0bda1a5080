// Talking to the user: debug output, debug message boxes, notifications
// with a severity level, and short-lived toast messages.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIExport.h"

namespace PIGUI {
class PIWindow;
}

namespace PICommon {

// Severity of a notification, sent as a 32-bit integer; the values are the
// host's. 5 is the level reported when no host answers.
enum NotifySeverity : int32_t {};

// How long a toast stays on screen, sent as a 32-bit integer; the values
// are the host's.
enum ToastDuration : int32_t {};

// Code 305, direct: the text's NUL-terminated characters (not the string
// object).
PI_EXPORT void debugPrint(const std::string& text);

// Code 306, PI_DATA_POINTER_STRING_AND_STRING: pointer = the parent proxy's
// server handle (null for a null parent), stringValue = text1,
// stringValue2 = text2.
PI_EXPORT void debugMsgBox(const std::string& text1, const std::string& text2, PIGUI::PIWindow* parent);

// Code 325, selector 0: intVector [0, level].
PI_EXPORT void setNotifyLevel(NotifySeverity level);

// Code 325, selector 1: intVector [1, result 5]. Returns intVector[1]; 5
// without a host.
PI_EXPORT NotifySeverity getNotifyLevel();

// Code 325, selector 2: intVector [2, severity], strVector [text1, text2].
PI_EXPORT void notify(const std::string& text1, NotifySeverity severity, const std::string& text2);

// Code 324: intVector [0, result 1, duration], strVector [text]. Returns the
// status from intVector[1]; 1 without a host.
PI_EXPORT int showToastNotification(const std::string& text, ToastDuration duration);

}  // namespace PICommon
