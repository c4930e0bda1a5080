// Colour wells: a colour the user picks, reported through the callback
// given at creation. Colours are packed 0xRRGGBBAA.
#pragma once

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIColorWell : public PIWindow {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PIColorWell();
    // Code 123, PI_DATA_POINTER_INT_AND_FUNCTION: parent's handle, colour
    // (the same 32 bits), function; layout (spacings 2) copied. Then the
    // bind request.
    PIColorWell(PICanvas* parent, unsigned int colour, FunctorTwoParams__* function, int options = 0,
                int width = 0, int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2,
                int padBottom = 2);
    ~PIColorWell() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxColorWell();
};

}  // namespace PIGUI
