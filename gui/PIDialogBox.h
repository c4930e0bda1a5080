// Dialog boxes: top-level containers with their own show request, close
// observers and docking.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

class PIIcon;

// Slot order: destructor pair, show (own), mapFunction (PICanvas's).
class PI_EXPORT PIDialogBox : public PICanvas {
public:
    // Told by the host when a dialog box it was registered with closes.
    // Slot order: destructor pair, dialogBoxClosed.
    class PI_EXPORT CloseObserver {
    public:
        virtual ~CloseObserver();
        // Called by the host with the proxy that registered the observer.
        virtual void dialogBoxClosed(PIDialogBox* dialog) = 0;
    };

    // Default layout record; sends nothing but PIObject's add request.
    PIDialogBox();
    // wasShown = false, then code 114, PI_DATA_POINTER_AND_STRING: the
    // icon's handle (null for a null icon), title; layout copied. Then the
    // bind request (code 100).
    explicit PIDialogBox(const std::string& title, PIIcon* icon = nullptr, int options = 0, int width = 0,
                         int height = 0, int padLeft = 2, int padRight = 2, int padTop = 2, int padBottom = 2,
                         int hSpacing = 2, int vSpacing = 2);
    ~PIDialogBox() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxDialogBox();

    // Code 115, direct: the handle is the data argument; then wasShown =
    // true. Nothing (and wasShown unchanged) with a null handle.
    void show() override;

    // Code 158, PI_DATA_CATCHALL: intVector [6], ptrVector [handle, the
    // icon's handle or null].
    void setIcon(PIIcon* icon);
    // Code 160: intVector [0], ptrVector [handle, observer, this dialog].
    void registerCloseObserver(CloseObserver* observer);
    // Code 160: intVector [1], ptrVector [handle, observer].
    void unregisterCloseObserver(CloseObserver* observer);

    // Code 161: intVector [0, result 0], ptrVector [handle]. True when
    // intVector[1] is non-zero; false with no host.
    bool canBeDockable() const;
    // Code 161: intVector [1, result 0], ptrVector [handle]. True when
    // intVector[1] is non-zero; false with no host.
    bool isDockable() const;
    // Code 161: intVector [2, on], ptrVector [handle].
    void setDockable(bool on);
    // Code 161: intVector [3, on], ptrVector [handle].
    void setCanBeDockable(bool on);

    // True once show() sent its request; never cleared, never read by the library.
    bool wasShown;
};

}  // namespace PIGUI
