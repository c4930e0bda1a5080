// The mouse grab and the translation of coordinates from the host's main
// window. None of these names a window.
#pragma once

#include "bridge/PIExport.h"

namespace PIGUI {

// Code 155, PI_DATA_CATCHALL: intVector [0].
PI_EXPORT void grabMouse();
// Code 155: intVector [1].
PI_EXPORT void ungrabMouse();
// Code 157, PI_DATA_CATCHALL: intVector [0, fromX, fromY], ptrVector [x, y].
// The host writes the translated point through x and y; with no host they
// are left unchanged.
PI_EXPORT void translateCoordsFromMainWindow(int* x, int* y, int fromX, int fromY);

}  // namespace PIGUI
