// Controls: buttons, labels, text fields, spinners, option menus and colour
// wells. Creation copies the layout record into the block (except for the
// tool-bar button) and, for all but the label, binds the new handle.

#include "gui/GuiRequests.h"
#include "gui/PIButtons.h"
#include "gui/PIColorWell.h"
#include "gui/PIIcon.h"
#include "gui/PILabel.h"
#include "gui/PIOptionMenu.h"
#include "gui/PITextField.h"

namespace PIGUI {

using detail::handleOf;
using PIBridge::CatchAll;
using PIBridge::Fixed;

namespace {

// A button-like creation: parent's (or icon's) handle, text, function.
void* createWithText(PIServerFunctions_t code, void* pointer, const std::string& text,
                     FunctorTwoParams__* function, const PILayoutOpts_t* layout) {
    return Fixed<PI_DATA_POINTER_STRING_AND_FUNCTION>(code)
        .fields(pointer, text, function)
        .layout(layout)
        .send();
}

// A text-field-like creation: parent's handle, an integer, function.
void* createWithNumber(PIServerFunctions_t code, void* parent, int32_t number, FunctorTwoParams__* function,
                       const PILayoutOpts_t* layout) {
    return Fixed<PI_DATA_POINTER_INT_AND_FUNCTION>(code)
        .fields(parent, number, function)
        .layout(layout)
        .send();
}

}  // namespace

// Buttons.

PIButton::PIButton(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {}

PIButton::PIButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function, int options,
                   int width, int height, int padLeft, int padRight, int padTop, int padBottom)
    : PIButton(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle =
        createWithText(PI_SERVERFUNC_GUI_CREATE_BUTTON, handleOf(parent), text, function, layoutOpts);
    detail::bindToServer(this);
}

PIButton::~PIButton() = default;

void PIButton::setIcon(PIIcon* icon) {
    CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(7).ptrs(serverHandle, handleOf(icon)).send();
}

bool PIButton::isChecked() {
    return Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_WINDOW_GET_INT)
               .fields(serverHandle, -1)
               .sendFor(&PI_DATA_POINTER_AND_INT::intValue) != 0;
}

void* PIButton::getFoxButton() { return detail::foxObject(serverHandle); }

PICheckButton::PICheckButton() : PIButton(0, 0, 0, 2, 2, 2, 2) {}

PICheckButton::PICheckButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function,
                             int options, int width, int height, int padLeft, int padRight, int padTop,
                             int padBottom)
    : PIButton(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle =
        createWithText(PI_SERVERFUNC_GUI_CREATE_CHECK_BUTTON, handleOf(parent), text, function, layoutOpts);
    detail::bindToServer(this);
}

PICheckButton::~PICheckButton() = default;

bool PICheckButton::isChecked() const { return getValueInt() != 0; }

void* PICheckButton::getFoxCheckButton() { return detail::foxObject(serverHandle); }

void* PICheckButton::getFoxButton() { return detail::noFoxObject(); }

PIRadioButton::PIRadioButton() : PIButton(0, 0, 0, 2, 2, 2, 2) {}

PIRadioButton::PIRadioButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function,
                             int options, int width, int height, int padLeft, int padRight, int padTop,
                             int padBottom)
    : PIButton(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle =
        createWithText(PI_SERVERFUNC_GUI_CREATE_RADIO_BUTTON, handleOf(parent), text, function, layoutOpts);
    detail::bindToServer(this);
}

PIRadioButton::~PIRadioButton() = default;

void* PIRadioButton::getFoxRadioButton() { return detail::foxObject(serverHandle); }

void* PIRadioButton::getFoxButton() { return detail::noFoxObject(); }

PIToolbarButton::PIToolbarButton() : PIButton(0, 0, 0, 2, 2, 2, 2) {}

PIToolbarButton::PIToolbarButton(const std::string& text, PIIcon* icon, FunctorTwoParams__* function)
    : PIButton(0, 0, 0, 2, 2, 2, 2) {
    serverHandle =
        createWithText(PI_SERVERFUNC_GUI_CREATE_TOOLBAR_BUTTON, handleOf(icon), text, function, nullptr);
    detail::bindToServer(this);
}

PIToolbarButton::~PIToolbarButton() = default;

// Labels.

PILabel::PILabel() : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PILabel::PILabel(PICanvas* parent, const std::string& text, int options, int width, int height, int padLeft,
                 int padRight, int padTop, int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_CREATE_LABEL)
                       .fields(handleOf(parent), text)
                       .layout(layoutOpts)
                       .send();
}

PILabel::~PILabel() = default;

void PILabel::setIcon(PIIcon* icon) {
    CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(1).ptrs(serverHandle, handleOf(icon)).send();
}

void* PILabel::getFoxLabel() { return detail::foxObject(serverHandle); }

// Text fields and spinners.

PITextField::PITextField() : PITextField(0, 0, 0, 2, 2, 2, 2) {}

PITextField::PITextField(int options, int width, int height, int padLeft, int padRight, int padTop,
                         int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {}

PITextField::PITextField(PICanvas* parent, int columns, FunctorTwoParams__* function, int options, int width,
                         int height, int padLeft, int padRight, int padTop, int padBottom)
    : PITextField(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle = createWithNumber(PI_SERVERFUNC_GUI_CREATE_TEXT_FIELD, handleOf(parent), columns, function,
                                    layoutOpts);
    detail::bindToServer(this);
}

PITextField::~PITextField() = default;

void PITextField::setPlaceholderText(const std::string& text) {
    CatchAll(PI_SERVERFUNC_GUI_TEXT_FIELD_PLACEHOLDER).ints(0).ptrs(serverHandle).strs(text).send();
}

void* PITextField::getFoxTextField() { return detail::foxObject(serverHandle); }

PISpinner::PISpinner() : PITextField(0, 0, 0, 2, 2, 2, 2) {}

PISpinner::PISpinner(PICanvas* parent, int columns, int low, int high, FunctorTwoParams__* function,
                     int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom)
    : PITextField(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle =
        createWithNumber(PI_SERVERFUNC_GUI_CREATE_SPINNER, handleOf(parent), columns, function, layoutOpts);
    detail::bindToServer(this);
    setRange(low, high);
}

PISpinner::~PISpinner() = default;

void PISpinner::setRange(int low, int high) {
    Fixed<PI_DATA_POINTER_POINTER_AND_INT>(PI_SERVERFUNC_GUI_SPINNER_SET_RANGE)
        .fields(serverHandle, static_cast<void*>(&low), high)
        .send();
}

void* PISpinner::getFoxSpinner() { return detail::foxObject(serverHandle); }

void* PISpinner::getFoxTextField() { return detail::noFoxObject(); }

// Option menus.

PIOptionMenu::PIOptionMenu(int options, int width, int height, int padLeft, int padRight, int padTop,
                           int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {}

PIOptionMenu::PIOptionMenu(PICanvas* parent, FunctorTwoParams__* function, int options, int width, int height,
                           int padLeft, int padRight, int padTop, int padBottom)
    : PIOptionMenu(options, width, height, padLeft, padRight, padTop, padBottom) {
    serverHandle = createWithText(PI_SERVERFUNC_GUI_CREATE_OPTION_MENU, handleOf(parent), std::string(),
                                  function, layoutOpts);
    detail::bindToServer(this);
}

PIOptionMenu::~PIOptionMenu() = default;

int PIOptionMenu::appendOption(const std::string& text) {
    return Fixed<PI_DATA_POINTER_INT_AND_STRING>(PI_SERVERFUNC_GUI_OPTION_MENU_APPEND)
        .fields(serverHandle, -1, text)
        .sendFor(&PI_DATA_POINTER_INT_AND_STRING::intValue);
}

int PIOptionMenu::getNumOptions() const {
    return CatchAll(PI_SERVERFUNC_GUI_OPTION_MENU_ENTRIES).ints(0, 0).ptrs(serverHandle).sendForInt(1);
}

std::string PIOptionMenu::getOptionText(int index) const {
    return CatchAll(PI_SERVERFUNC_GUI_OPTION_MENU_ENTRIES)
        .ints(1, index)
        .ptrs(serverHandle)
        .strs(std::string())
        .sendForString(0);
}

int PIOptionMenu::setOptionText(int index, const std::string& text) {
    return CatchAll(PI_SERVERFUNC_GUI_OPTION_MENU_ENTRIES)
        .ints(2, index, 1)
        .ptrs(serverHandle)
        .strs(text)
        .sendForInt(2);
}

int PIOptionMenu::removeOption(int index) {
    return CatchAll(PI_SERVERFUNC_GUI_OPTION_MENU_ENTRIES).ints(3, index, 1).ptrs(serverHandle).sendForInt(2);
}

// Colour wells.

PIColorWell::PIColorWell() : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIColorWell::PIColorWell(PICanvas* parent, unsigned int colour, FunctorTwoParams__* function, int options,
                         int width, int height, int padLeft, int padRight, int padTop, int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {
    serverHandle = createWithNumber(PI_SERVERFUNC_GUI_CREATE_COLOR_WELL, handleOf(parent),
                                    static_cast<int32_t>(colour), function, layoutOpts);
    detail::bindToServer(this);
}

PIColorWell::~PIColorWell() = default;

void* PIColorWell::getFoxColorWell() { return detail::foxObject(serverHandle); }

}  // namespace PIGUI
