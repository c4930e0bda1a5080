// Window base operations: the layout record and the requests every widget
// proxy accepts.
//
// Every request carries the proxy's serverHandle; the host decides what it
// means for the kind of widget. Operations marked "nothing with a null
// handle" send no request while serverHandle is null; all others are sent
// whatever the handle.
#pragma once

#include <string>

#include "api/PICursors.h"
#include "bridge/PIExport.h"
#include "bridge/PIFunctorTwoParams.h"
#include "bridge/PILayoutOpts.h"
#include "gui/PIObject.h"

namespace PIGUI {

// Base of every widget proxy. Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIWindow : public PIObject {
public:
    // Allocates layoutOpts holding the nine integers, stored as width,
    // height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing,
    // options. Sends nothing beyond PIObject's add request: the derived
    // class creates the server object.
    PIWindow(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom,
             int hSpacing, int vSpacing);
    // Releases layoutOpts and sets it to null.
    ~PIWindow() override;

    // Code 143, PI_DATA_POINTER_AND_BOOL: handle, false (not hidden).
    // Nothing with a null handle.
    virtual void show();
    // Code 146, PI_DATA_POINTER_AND_FUNCTION: handle, function. The host
    // calls the function back; the library only passes its address.
    // Nothing with a null handle.
    virtual void mapFunction(FunctorTwoParams__* function);

    // Code 143, PI_DATA_POINTER_AND_BOOL: handle, true (hidden). Nothing with a null handle.
    void hide();
    // Code 144, PI_DATA_POINTER_AND_BOOL: handle, true. Nothing with a null handle.
    void enable();
    // Code 144, PI_DATA_POINTER_AND_BOOL: handle, false. Nothing with a null handle.
    void disable();
    // Code 145, PI_DATA_POINTER_AND_BOOL: handle, true. Nothing with a null handle.
    void check();
    // Code 145, PI_DATA_POINTER_AND_BOOL: handle, false. Nothing with a null handle.
    void uncheck();
    // enable() when `on`, else disable().
    void setEnabled(bool on);
    // check() when `on`, else uncheck().
    void setCheck(bool on);

    // Code 147, direct: the handle is the data argument. True when the host
    // returns non-zero; false with no host, and false without a request
    // for a null handle.
    bool hasFocus();
    // Code 156, direct: the handle is the data argument. Nothing with a null handle.
    void setFocus();
    // Code 148, direct: the handle is the data argument. True when the host
    // returns non-zero; false with no host, and false without a request
    // for a null handle.
    bool shown();

    // Code 154, PI_DATA_POINTER_AND_STRING: handle, text. Nothing with a null handle.
    void setValue(const std::string& text);
    // Code 152, PI_DATA_POINTER_AND_INT: handle, value. Nothing with a null handle.
    void setValue(int value);
    // Code 153, PI_DATA_POINTER_AND_DOUBLE: handle, value. Nothing with a null handle.
    void setValue(double value);
    // hasFocus(); when the widget does not have the focus, setValue of the
    // same type. A focused widget keeps what the user is typing.
    void updateValue(const std::string& text);
    void updateValue(int value);
    void updateValue(double value);

    // Code 151, PI_DATA_POINTER_AND_STRING: handle, "". Returns stringValue ("" with no host).
    std::string getValueText() const;
    // Code 149, PI_DATA_POINTER_AND_INT: handle, -1. Returns intValue (-1 with no host).
    int getValueInt() const;
    // Code 150, PI_DATA_POINTER_AND_DOUBLE: handle, -1.0. Returns doubleValue (-1.0 with no host).
    double getValueDouble() const;

    // Code 166, PI_DATA_CATCHALL: intVector [0, width, height], ptrVector [handle].
    void setMinimumSize(int width, int height);
    // Code 166: intVector [1, 0, 0], ptrVector [handle]. width and height
    // are set to intVector[1] and [2] (both 0 with no host).
    void getMinimumSize(int& width, int& height);
    // Code 166: intVector [2, width, height], ptrVector [handle].
    void setMaximumSize(int width, int height);
    // Code 166: intVector [3, 0, 0], ptrVector [handle]. width and height
    // are set to intVector[1] and [2] (both 0 with no host).
    void getMaximumSize(int& width, int& height);
    // Code 166: intVector [4], ptrVector [handle], strVector [sheet].
    void setStyleSheet(const std::string& sheet);
    // Code 166: intVector [5], ptrVector [handle], strVector [""]. Returns
    // strVector[0] ("" with no host).
    std::string getStyleSheet();

    // Code 155, PI_DATA_CATCHALL: intVector [2, shape], ptrVector [handle].
    void beginCursorOverride(PICommon::PICursorShape_t shape);
    // Code 155: intVector [3], ptrVector [handle].
    void endCursorOverride();

    // The layout record, owned; copied into the creation request of most
    // widgets.
    PILayoutOpts_t* layoutOpts;
};

}  // namespace PIGUI
