// Window base operations: one request each, with the proxy's server handle.

#include "gui/GuiRequests.h"
#include "gui/PIWindow.h"

namespace PIGUI {
namespace {

using PIBridge::CatchAll;
using PIBridge::Fixed;

void sendFlag(PIServerFunctions_t code, void* handle, bool flag) {
    if (handle != nullptr) {
        Fixed<PI_DATA_POINTER_AND_BOOL>(code).fields(handle, flag).send();
    }
}

bool askDirect(PIServerFunctions_t code, void* handle) {
    return handle != nullptr && PIBridge::sendDirect(code, handle) != nullptr;
}

void readSize(int selector, void* handle, int& width, int& height) {
    CatchAll request(PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE);
    request.ints(selector, 0, 0).ptrs(handle).send();
    width = request.block().intVector[1];
    height = request.block().intVector[2];
}

}  // namespace

PIWindow::PIWindow(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom,
                   int hSpacing, int vSpacing)
    : layoutOpts(new PILayoutOpts_t{width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing,
                                    options}) {}

PIWindow::~PIWindow() {
    delete layoutOpts;
    layoutOpts = nullptr;
}

void PIWindow::show() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_HIDDEN, serverHandle, false); }
void PIWindow::hide() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_HIDDEN, serverHandle, true); }
void PIWindow::enable() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_ENABLED, serverHandle, true); }
void PIWindow::disable() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_ENABLED, serverHandle, false); }
void PIWindow::check() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_CHECKED, serverHandle, true); }
void PIWindow::uncheck() { sendFlag(PI_SERVERFUNC_GUI_WINDOW_SET_CHECKED, serverHandle, false); }

void PIWindow::setEnabled(bool on) {
    if (on) {
        enable();
    } else {
        disable();
    }
}

void PIWindow::setCheck(bool on) {
    if (on) {
        check();
    } else {
        uncheck();
    }
}

void PIWindow::mapFunction(FunctorTwoParams__* function) {
    if (serverHandle != nullptr) {
        Fixed<PI_DATA_POINTER_AND_FUNCTION>(PI_SERVERFUNC_GUI_WINDOW_MAP_FUNCTION)
            .fields(serverHandle, function)
            .send();
    }
}

bool PIWindow::hasFocus() { return askDirect(PI_SERVERFUNC_GUI_WINDOW_HAS_FOCUS, serverHandle); }
bool PIWindow::shown() { return askDirect(PI_SERVERFUNC_GUI_WINDOW_SHOWN, serverHandle); }

void PIWindow::setFocus() {
    if (serverHandle != nullptr) {
        PIBridge::sendDirect(PI_SERVERFUNC_GUI_WINDOW_SET_FOCUS, serverHandle);
    }
}

void PIWindow::setValue(const std::string& text) {
    if (serverHandle != nullptr) {
        Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_WINDOW_SET_TEXT)
            .fields(serverHandle, text)
            .send();
    }
}

void PIWindow::setValue(int value) {
    if (serverHandle != nullptr) {
        Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_WINDOW_SET_INT).fields(serverHandle, value).send();
    }
}

void PIWindow::setValue(double value) {
    if (serverHandle != nullptr) {
        Fixed<PI_DATA_POINTER_AND_DOUBLE>(PI_SERVERFUNC_GUI_WINDOW_SET_DOUBLE)
            .fields(serverHandle, value)
            .send();
    }
}

void PIWindow::updateValue(const std::string& text) {
    if (!hasFocus()) {
        setValue(text);
    }
}

void PIWindow::updateValue(int value) {
    if (!hasFocus()) {
        setValue(value);
    }
}

void PIWindow::updateValue(double value) {
    if (!hasFocus()) {
        setValue(value);
    }
}

std::string PIWindow::getValueText() const {
    return Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_WINDOW_GET_TEXT)
        .fields(serverHandle, std::string())
        .sendFor(&PI_DATA_POINTER_AND_STRING::stringValue);
}

int PIWindow::getValueInt() const {
    return Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_WINDOW_GET_INT)
        .fields(serverHandle, -1)
        .sendFor(&PI_DATA_POINTER_AND_INT::intValue);
}

double PIWindow::getValueDouble() const {
    return Fixed<PI_DATA_POINTER_AND_DOUBLE>(PI_SERVERFUNC_GUI_WINDOW_GET_DOUBLE)
        .fields(serverHandle, -1.0)
        .sendFor(&PI_DATA_POINTER_AND_DOUBLE::doubleValue);
}

void PIWindow::setMinimumSize(int width, int height) {
    CatchAll(PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE).ints(0, width, height).ptrs(serverHandle).send();
}

void PIWindow::getMinimumSize(int& width, int& height) { readSize(1, serverHandle, width, height); }

void PIWindow::setMaximumSize(int width, int height) {
    CatchAll(PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE).ints(2, width, height).ptrs(serverHandle).send();
}

void PIWindow::getMaximumSize(int& width, int& height) { readSize(3, serverHandle, width, height); }

void PIWindow::setStyleSheet(const std::string& sheet) {
    CatchAll(PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE).ints(4).ptrs(serverHandle).strs(sheet).send();
}

std::string PIWindow::getStyleSheet() {
    return CatchAll(PI_SERVERFUNC_GUI_WINDOW_SIZE_AND_STYLE)
        .ints(5)
        .ptrs(serverHandle)
        .strs(std::string())
        .sendForString(0);
}

void PIWindow::beginCursorOverride(PICommon::PICursorShape_t shape) {
    CatchAll(PI_SERVERFUNC_GUI_MOUSE_AND_CURSOR).ints(2, shape).ptrs(serverHandle).send();
}

void PIWindow::endCursorOverride() {
    CatchAll(PI_SERVERFUNC_GUI_MOUSE_AND_CURSOR).ints(3).ptrs(serverHandle).send();
}

}  // namespace PIGUI
