// Buttons: push, check, radio and tool-bar buttons. Each is created with a
// callback the host calls when the button is pressed, and bound to its
// server object right after creation (code 100).
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

class PIIcon;

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIButton : public PIWindow {
public:
    // Code 118, PI_DATA_POINTER_STRING_AND_FUNCTION: parent's handle, text,
    // function; layout (spacings 2) copied. Then the bind request.
    PIButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function, int options = 0,
             int width = 0, int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2,
             int padBottom = 2);
    ~PIButton() override;

    // Code 158, PI_DATA_CATCHALL: intVector [7], ptrVector [handle, the
    // icon's handle or null].
    void setIcon(PIIcon* icon);
    // Code 149, PI_DATA_POINTER_AND_INT: handle, -1. True when intValue is
    // non-zero, so true with no host.
    bool isChecked();
    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxButton();

protected:
    // Only the PIWindow base (spacings 2); sends nothing but PIObject's add request.
    PIButton(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom);
};

// Slot order: destructor pair, show, mapFunction, getFoxButton.
class PI_EXPORT PICheckButton : public PIButton {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PICheckButton();
    // Code 122, PI_DATA_POINTER_STRING_AND_FUNCTION: parent's handle, text,
    // function; layout copied. Then the bind request.
    PICheckButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function, int options = 0,
                  int width = 0, int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2,
                  int padBottom = 2);
    ~PICheckButton() override;

    // getValueInt() (code 149) is non-zero; true with no host.
    bool isChecked() const;
    // The toolkit object behind the direct-access check, as PIButton's.
    void* getFoxCheckButton();
    // Asks the direct-access question and returns null whatever the answer.
    virtual void* getFoxButton();
};

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIRadioButton : public PIButton {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PIRadioButton();
    // Code 121, PI_DATA_POINTER_STRING_AND_FUNCTION: parent's handle, text,
    // function; layout copied. Then the bind request.
    PIRadioButton(PICanvas* parent, const std::string& text, FunctorTwoParams__* function, int options = 0,
                  int width = 0, int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2,
                  int padBottom = 2);
    ~PIRadioButton() override;

    // The toolkit object behind the direct-access check, as PIButton's.
    void* getFoxRadioButton();
    // Asks the direct-access question and returns null whatever the answer.
    void* getFoxButton();
};

// A button of the host's plug-in tool bar. Slot order: destructor pair,
// show, mapFunction.
class PI_EXPORT PIToolbarButton : public PIButton {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PIToolbarButton();
    // Code 106, PI_DATA_POINTER_STRING_AND_FUNCTION: the icon's handle (null
    // for a null icon), text, function; the block keeps the default layout
    // record. Then the bind request.
    PIToolbarButton(const std::string& text, PIIcon* icon, FunctorTwoParams__* function);
    ~PIToolbarButton() override;
};

}  // namespace PIGUI
