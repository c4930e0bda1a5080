// The mouse grab and coordinate translation: requests without a window.

#include "gui/GuiRequests.h"
#include "gui/PIMouse.h"

namespace PIGUI {

void grabMouse() { PIBridge::CatchAll(PI_SERVERFUNC_GUI_MOUSE_AND_CURSOR).ints(0).send(); }

void ungrabMouse() { PIBridge::CatchAll(PI_SERVERFUNC_GUI_MOUSE_AND_CURSOR).ints(1).send(); }

void translateCoordsFromMainWindow(int* x, int* y, int fromX, int fromY) {
    PIBridge::CatchAll(PI_SERVERFUNC_GUI_TRANSLATE_COORDS).ints(0, fromX, fromY).ptrs(x, y).send();
}

}  // namespace PIGUI
