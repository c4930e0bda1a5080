// Text fields and spinners: editable values the host reports back through
// the callback given at creation. Both are bound to their server object
// right after creation (code 100).
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PITextField : public PIWindow {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PITextField();
    // Code 119, PI_DATA_POINTER_INT_AND_FUNCTION: parent's handle, columns,
    // function; layout (spacings 2) copied. Then the bind request.
    PITextField(PICanvas* parent, int columns, FunctorTwoParams__* function, int options = 0, int width = 0,
                int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2);
    ~PITextField() override;

    // Code 164, PI_DATA_CATCHALL: intVector [0], ptrVector [handle], strVector [text].
    void setPlaceholderText(const std::string& text);
    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxTextField();

protected:
    // Only the PIWindow base (spacings 2); sends nothing but PIObject's add request.
    PITextField(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom);
};

// Slot order: destructor pair, show, mapFunction, getFoxTextField.
class PI_EXPORT PISpinner : public PITextField {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PISpinner();
    // Code 125, PI_DATA_POINTER_INT_AND_FUNCTION: parent's handle, columns,
    // function; layout copied. Then the bind request, then setRange(low, high).
    PISpinner(PICanvas* parent, int columns, int low, int high, FunctorTwoParams__* function, int options = 0,
              int width = 0, int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2,
              int padBottom = 2);
    ~PISpinner() override;

    // Code 140, PI_DATA_POINTER_POINTER_AND_INT: handle, the address of an
    // int holding `low`, high.
    void setRange(int low, int high);
    // The toolkit object behind the direct-access check, as PITextField's.
    void* getFoxSpinner();
    // Asks the direct-access question and returns null whatever the answer.
    virtual void* getFoxTextField();
};

}  // namespace PIGUI
