// The requests that take a parent window: the debug message box and the
// file and directory dialogs. A parent travels as its server handle.

#include "api/PIFileDialogs.h"
#include "api/PINotify.h"
#include "bridge/PIFixedRequest.h"
#include "bridge/PIRequest.h"
#include "gui/GuiRequests.h"
#include "gui/PIWindow.h"

namespace PICommon {

using PIBridge::CatchAll;
using PIGUI::detail::handleOf;

void debugMsgBox(const std::string& text1, const std::string& text2, PIGUI::PIWindow* parent) {
    PIBridge::Fixed<PI_DATA_POINTER_STRING_AND_STRING>(PI_SERVERFUNC_DEBUG_MSG_BOX)
        .fields(handleOf(parent), text1, text2)
        .send();
}

std::string showFileLoadDialog(const std::string& text1, const std::string& text2, const std::string& text3,
                               const std::string& text4, bool flag, PIGUI::PIWindow* parent,
                               const std::string& text5) {
    return CatchAll(PI_SERVERFUNC_FILE_DIALOGS)
        .ints(0, flag)
        .strs(text1, text2, text3, text4, text5, "")
        .ptrs(handleOf(parent))
        .sendForString(5);
}

std::string showFileSaveDialog(const std::string& text1, const std::string& text2, const std::string& text3,
                               bool flag, const std::string& text4, PIGUI::PIWindow* parent,
                               const std::string& text5) {
    return CatchAll(PI_SERVERFUNC_FILE_DIALOGS)
        .ints(1, flag)
        .strs(text1, text2, text3, text4, text5, "")
        .ptrs(handleOf(parent))
        .sendForString(5);
}

void setStoredDirectory(const std::string& text1, const std::string& text2, const std::string& text3) {
    CatchAll(PI_SERVERFUNC_FILE_DIALOGS).ints(2).strs(text1, text2, text3).send();
}

std::string showDirectorySelectDialog(const std::string& text1, const std::string& text2,
                                      const std::string& text3, PIGUI::PIWindow* parent,
                                      const std::string& text4) {
    return CatchAll(PI_SERVERFUNC_FILE_DIALOGS)
        .ints(3)
        .strs(text1, text2, text3, text4, "")
        .ptrs(handleOf(parent))
        .sendForString(4);
}

}  // namespace PICommon
