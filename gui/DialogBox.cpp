// Dialog boxes: creation with bind, their own show request, icon, close
// observers and docking.

#include "gui/GuiRequests.h"
#include "gui/PIDialogBox.h"
#include "gui/PIIcon.h"

namespace PIGUI {

using detail::handleOf;
using PIBridge::CatchAll;

PIDialogBox::CloseObserver::~CloseObserver() = default;

PIDialogBox::PIDialogBox() : PICanvas(0, 0, 0, 2, 2, 2, 2, 2, 2), wasShown(false) {}

PIDialogBox::PIDialogBox(const std::string& title, PIIcon* icon, int options, int width, int height,
                         int padLeft, int padRight, int padTop, int padBottom, int hSpacing, int vSpacing)
    : PICanvas(options, width, height, padLeft, padRight, padTop, padBottom, hSpacing, vSpacing),
      wasShown(false) {
    serverHandle = PIBridge::Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_CREATE_DIALOG_BOX)
                       .fields(handleOf(icon), title)
                       .layout(layoutOpts)
                       .send();
    detail::bindToServer(this);
}

PIDialogBox::~PIDialogBox() = default;

void* PIDialogBox::getFoxDialogBox() { return detail::foxObject(serverHandle); }

void PIDialogBox::show() {
    if (serverHandle != nullptr) {
        PIBridge::sendDirect(PI_SERVERFUNC_GUI_SHOW_DIALOG_BOX, serverHandle);
        wasShown = true;
    }
}

void PIDialogBox::setIcon(PIIcon* icon) {
    CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(6).ptrs(serverHandle, handleOf(icon)).send();
}

void PIDialogBox::registerCloseObserver(CloseObserver* observer) {
    CatchAll(PI_SERVERFUNC_GUI_DIALOG_CLOSE_OBSERVERS).ints(0).ptrs(serverHandle, observer, this).send();
}

void PIDialogBox::unregisterCloseObserver(CloseObserver* observer) {
    CatchAll(PI_SERVERFUNC_GUI_DIALOG_CLOSE_OBSERVERS).ints(1).ptrs(serverHandle, observer).send();
}

bool PIDialogBox::canBeDockable() const {
    return CatchAll(PI_SERVERFUNC_GUI_DIALOG_DOCKING).ints(0, 0).ptrs(serverHandle).sendForBool(1);
}

bool PIDialogBox::isDockable() const {
    return CatchAll(PI_SERVERFUNC_GUI_DIALOG_DOCKING).ints(1, 0).ptrs(serverHandle).sendForBool(1);
}

void PIDialogBox::setDockable(bool on) {
    CatchAll(PI_SERVERFUNC_GUI_DIALOG_DOCKING).ints(2, on).ptrs(serverHandle).send();
}

void PIDialogBox::setCanBeDockable(bool on) {
    CatchAll(PI_SERVERFUNC_GUI_DIALOG_DOCKING).ints(3, on).ptrs(serverHandle).send();
}

}  // namespace PIGUI
