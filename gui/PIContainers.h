// Containers: the canvas every parent argument is, and the frames,
// matrices, group boxes and switchers built inside one.
//
// A creating constructor sends one request with the parent's server handle
// and a copy of the proxy's layout record in the block's `opts`; the host's
// return value becomes the proxy's serverHandle (null with no host). None
// of these sends a bind request. The constructors without arguments build
// the default layout record (options, width, height 0; pads, spacings 2)
// and send nothing but PIObject's add request.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIWindow.h"

namespace PIGUI {

// The base of the containers and the parent type of every widget
// constructor. Built by plug-in code it has no server object. Slot order:
// destructor pair, show, mapFunction.
class PI_EXPORT PICanvas : public PIWindow {
public:
    // The nine layout integers, passed on unchanged. Sends nothing.
    PICanvas(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom,
             int hSpacing, int vSpacing);
    ~PICanvas() override;

    // The same request as PIWindow::mapFunction: code 146,
    // PI_DATA_POINTER_AND_FUNCTION: handle, function. Nothing with a null handle.
    void mapFunction(FunctorTwoParams__* function) override;
};

class PI_EXPORT PIVerticalFrame : public PICanvas {
public:
    PIVerticalFrame();
    // Code 108, PI_DATA_POINTER_AND_OPTS: parent's handle; layout copied.
    PIVerticalFrame(PICanvas* parent, int options = 0, int width = 0, int height = 0, int padLeft = 2,
                    int padRight = 2, int padTop = 2, int padBottom = 2, int hSpacing = 2, int vSpacing = 2);
    ~PIVerticalFrame() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxVerticalFrame();
};

class PI_EXPORT PIHorizontalFrame : public PICanvas {
public:
    PIHorizontalFrame();
    // Code 109, PI_DATA_POINTER_AND_OPTS: parent's handle; layout copied.
    PIHorizontalFrame(PICanvas* parent, int options = 0, int width = 0, int height = 0, int padLeft = 2,
                      int padRight = 2, int padTop = 2, int padBottom = 2, int hSpacing = 2,
                      int vSpacing = 2);
    ~PIHorizontalFrame() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxHorizontalFrame();
};

class PI_EXPORT PIVerticalMatrix : public PICanvas {
public:
    PIVerticalMatrix();
    // Code 111, PI_DATA_POINTER_AND_INT: parent's handle, count; layout copied.
    PIVerticalMatrix(PICanvas* parent, int count, int options = 0, int width = 0, int height = 0,
                     int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2, int hSpacing = 2,
                     int vSpacing = 2);
    ~PIVerticalMatrix() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxMatrix();
};

class PI_EXPORT PIHorizontalMatrix : public PICanvas {
public:
    PIHorizontalMatrix();
    // Code 112, PI_DATA_POINTER_AND_INT: parent's handle, count; layout copied.
    PIHorizontalMatrix(PICanvas* parent, int count, int options = 0, int width = 0, int height = 0,
                       int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2, int hSpacing = 2,
                       int vSpacing = 2);
    ~PIHorizontalMatrix() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxMatrix();
};

class PI_EXPORT PIGroupBox : public PICanvas {
public:
    PIGroupBox();
    // Code 110, PI_DATA_POINTER_AND_STRING: parent's handle, title (a null
    // title is sent as ""); layout copied.
    PIGroupBox(PICanvas* parent, const char* title, int options = 0, int width = 0, int height = 0,
               int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2, int hSpacing = 2,
               int vSpacing = 2);
    ~PIGroupBox() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxGroupBox();
};

// A stack of panels of which one is shown.
class PI_EXPORT PISwitcher : public PICanvas {
public:
    PISwitcher();
    // Code 113, PI_DATA_POINTER_AND_OPTS: parent's handle; layout (spacings
    // 2) copied.
    PISwitcher(PICanvas* parent, int options = 0, int width = 0, int height = 0, int padLeft = 2,
               int padRight = 2, int padTop = 2, int padBottom = 2);
    ~PISwitcher() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxSwitcher();

    // Code 141, PI_DATA_POINTER_POINTER_AND_INT: handle, the address of an
    // int holding `index`, -1. Returns intValue (-1 with no host).
    int setCurrent(int index);
};

}  // namespace PIGUI
