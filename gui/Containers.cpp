// Containers: creation requests with the parent's handle and a copy of the
// layout record, and the switcher's current panel.

#include "gui/GuiRequests.h"
#include "gui/PIContainers.h"

namespace PIGUI {

using detail::handleOf;
using PIBridge::Fixed;

PICanvas::PICanvas(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom,
                   int hSpacing, int vSpacing)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {}

PICanvas::~PICanvas() = default;

void PICanvas::mapFunction(FunctorTwoParams__* function) { PIWindow::mapFunction(function); }

PIVerticalFrame::PIVerticalFrame() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIVerticalFrame::PIVerticalFrame(PICanvas* parent, int options, int width, int height, int padLeft,
                                 int padRight, int padTop, int padBottom, int hSpacing, int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_OPTS>(PI_SERVERFUNC_GUI_CREATE_VERTICAL_FRAME)
                       .fields(handleOf(parent))
                       .layout(layoutOpts)
                       .send();
}

PIVerticalFrame::~PIVerticalFrame() = default;

void* PIVerticalFrame::getFoxVerticalFrame() { return detail::foxObject(serverHandle); }

PIHorizontalFrame::PIHorizontalFrame() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIHorizontalFrame::PIHorizontalFrame(PICanvas* parent, int options, int width, int height, int padLeft,
                                     int padRight, int padTop, int padBottom, int hSpacing, int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_OPTS>(PI_SERVERFUNC_GUI_CREATE_HORIZONTAL_FRAME)
                       .fields(handleOf(parent))
                       .layout(layoutOpts)
                       .send();
}

PIHorizontalFrame::~PIHorizontalFrame() = default;

void* PIHorizontalFrame::getFoxHorizontalFrame() { return detail::foxObject(serverHandle); }

PIVerticalMatrix::PIVerticalMatrix() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIVerticalMatrix::PIVerticalMatrix(PICanvas* parent, int count, int options, int width, int height,
                                   int padLeft, int padRight, int padTop, int padBottom, int hSpacing,
                                   int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_CREATE_VERTICAL_MATRIX)
                       .fields(handleOf(parent), count)
                       .layout(layoutOpts)
                       .send();
}

PIVerticalMatrix::~PIVerticalMatrix() = default;

void* PIVerticalMatrix::getFoxMatrix() { return detail::foxObject(serverHandle); }

PIHorizontalMatrix::PIHorizontalMatrix() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIHorizontalMatrix::PIHorizontalMatrix(PICanvas* parent, int count, int options, int width, int height,
                                       int padLeft, int padRight, int padTop, int padBottom, int hSpacing,
                                       int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_CREATE_HORIZONTAL_MATRIX)
                       .fields(handleOf(parent), count)
                       .layout(layoutOpts)
                       .send();
}

PIHorizontalMatrix::~PIHorizontalMatrix() = default;

void* PIHorizontalMatrix::getFoxMatrix() { return detail::foxObject(serverHandle); }

PIGroupBox::PIGroupBox() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIGroupBox::PIGroupBox(PICanvas* parent, const char* title, int options, int width, int height, int padLeft,
                       int padRight, int padTop, int padBottom, int hSpacing, int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_CREATE_GROUP_BOX)
                       .fields(handleOf(parent), std::string(title != nullptr ? title : ""))
                       .layout(layoutOpts)
                       .send();
}

PIGroupBox::~PIGroupBox() = default;

void* PIGroupBox::getFoxGroupBox() { return detail::foxObject(serverHandle); }

PISwitcher::PISwitcher() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PISwitcher::PISwitcher(PICanvas* parent, int options, int width, int height, int padLeft, int padRight,
                       int padTop, int padBottom)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {
    serverHandle = Fixed<PI_DATA_POINTER_AND_OPTS>(PI_SERVERFUNC_GUI_CREATE_SWITCHER)
                       .fields(handleOf(parent))
                       .layout(layoutOpts)
                       .send();
}

PISwitcher::~PISwitcher() = default;

void* PISwitcher::getFoxSwitcher() { return detail::foxObject(serverHandle); }

int PISwitcher::setCurrent(int index) {
    return Fixed<PI_DATA_POINTER_POINTER_AND_INT>(PI_SERVERFUNC_GUI_SWITCHER_SET_CURRENT)
        .fields(serverHandle, static_cast<void*>(&index), -1)
        .sendFor(&PI_DATA_POINTER_POINTER_AND_INT::intValue);
}

}  // namespace PIGUI
