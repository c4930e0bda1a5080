// Labels: text (and an icon) shown in a container.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

class PIIcon;

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PILabel : public PIWindow {
public:
    // Default layout record; sends nothing but PIObject's add request.
    PILabel();
    // Code 120, PI_DATA_POINTER_AND_STRING: parent's handle, text; layout
    // (spacings 2) copied. No bind request.
    PILabel(PICanvas* parent, const std::string& text, int options = 0, int width = 0, int height = 0,
            int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2);
    ~PILabel() override;

    // Code 158, PI_DATA_CATCHALL: intVector [1], ptrVector [handle, the
    // icon's handle or null].
    void setIcon(PIIcon* icon);
    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxLabel();
};

}  // namespace PIGUI
