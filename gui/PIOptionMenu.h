// Option menus: a choice among text entries, reported through the callback
// given at creation.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIOptionMenu : public PIWindow {
public:
    // Code 124, PI_DATA_POINTER_STRING_AND_FUNCTION: parent's handle, "",
    // function; layout (spacings 2) copied. Then the bind request.
    PIOptionMenu(PICanvas* parent, FunctorTwoParams__* function, int options = 0, int width = 0,
                 int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2);
    ~PIOptionMenu() override;

    // Code 139, PI_DATA_POINTER_INT_AND_STRING: handle, -1, text. Returns
    // intValue (-1 with no host).
    int appendOption(const std::string& text);
    // Code 159, PI_DATA_CATCHALL: intVector [0, result 0], ptrVector [handle].
    // Returns intVector[1] (0 with no host).
    int getNumOptions() const;
    // Code 159: intVector [1, index], ptrVector [handle], strVector [""].
    // Returns strVector[0] ("" with no host).
    std::string getOptionText(int index) const;
    // Code 159: intVector [2, index, result 1], ptrVector [handle], strVector
    // [text]. Returns intVector[2] (1 with no host).
    int setOptionText(int index, const std::string& text);
    // Code 159: intVector [3, index, result 1], ptrVector [handle]. Returns
    // intVector[2] (1 with no host).
    int removeOption(int index);

protected:
    // Only the PIWindow base (spacings 2); sends nothing but PIObject's add request.
    PIOptionMenu(int options, int width, int height, int padLeft, int padRight, int padTop, int padBottom);
};

}  // namespace PIGUI
