// Menus, menu items and separators. Their creation requests carry the
// default layout record, and their proxies are built with it.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIButtons.h"

namespace PIGUI {

class PIIcon;

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIMenu : public PIWindow {
public:
    // Sends nothing but PIObject's add request.
    PIMenu();
    // Code 103, PI_DATA_POINTER_AND_STRING: the parent menu's handle (null
    // for a null parent), title. Then the bind request (code 100).
    explicit PIMenu(const std::string& title, PIMenu* parent = nullptr);
    ~PIMenu() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxMenuCascade();
};

// Slot order: destructor pair, show, mapFunction, getFoxButton.
class PI_EXPORT PIMenuItem : public PIButton {
public:
    // Sends nothing but PIObject's add request.
    PIMenuItem();
    // Code 105, PI_DATA_POINTER_STRING_AND_FUNCTION: the menu's handle (null
    // for a null menu), text, function. Then the bind request (code 100).
    PIMenuItem(PIMenu* menu, const std::string& text, FunctorTwoParams__* function);
    ~PIMenuItem() override;

    // Code 158, PI_DATA_CATCHALL: intVector [0], ptrVector [handle, the
    // icon's handle or null].
    void setIcon(PIIcon* icon);
    // The toolkit object behind the direct-access check, as PIButton's.
    void* getFoxMenuItem();
    // Asks the direct-access question and returns null whatever the answer.
    virtual void* getFoxButton();
};

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIMenuSeparator : public PIWindow {
public:
    // Sends nothing but PIObject's add request.
    PIMenuSeparator();
    // Code 104, direct: the menu's handle is the data argument; the return
    // value becomes serverHandle. A null menu sends nothing and leaves the
    // handle null. No bind request.
    explicit PIMenuSeparator(PIMenu* menu);
    ~PIMenuSeparator() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxMenuSeparator();
};

}  // namespace PIGUI
