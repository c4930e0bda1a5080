// Menus, menu items and separators: creation with the default layout record.

#include "gui/GuiRequests.h"
#include "gui/PIIcon.h"
#include "gui/PIMenus.h"

namespace PIGUI {

using detail::handleOf;

PIMenu::PIMenu() : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIMenu::PIMenu(const std::string& title, PIMenu* parent) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {
    serverHandle = PIBridge::Fixed<PI_DATA_POINTER_AND_STRING>(PI_SERVERFUNC_GUI_CREATE_MENU)
                       .fields(handleOf(parent), title)
                       .send();
    detail::bindToServer(this);
}

PIMenu::~PIMenu() = default;

void* PIMenu::getFoxMenuCascade() { return detail::foxObject(serverHandle); }

PIMenuItem::PIMenuItem() : PIButton(0, 0, 0, 2, 2, 2, 2) {}

PIMenuItem::PIMenuItem(PIMenu* menu, const std::string& text, FunctorTwoParams__* function)
    : PIButton(0, 0, 0, 2, 2, 2, 2) {
    serverHandle = PIBridge::Fixed<PI_DATA_POINTER_STRING_AND_FUNCTION>(PI_SERVERFUNC_GUI_CREATE_MENU_ITEM)
                       .fields(handleOf(menu), text, function)
                       .send();
    detail::bindToServer(this);
}

PIMenuItem::~PIMenuItem() = default;

void PIMenuItem::setIcon(PIIcon* icon) {
    PIBridge::CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(0).ptrs(serverHandle, handleOf(icon)).send();
}

void* PIMenuItem::getFoxMenuItem() { return detail::foxObject(serverHandle); }

void* PIMenuItem::getFoxButton() { return detail::noFoxObject(); }

PIMenuSeparator::PIMenuSeparator() : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIMenuSeparator::PIMenuSeparator(PIMenu* menu) : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {
    if (menu != nullptr) {
        serverHandle = PIBridge::sendDirect(PI_SERVERFUNC_GUI_CREATE_MENU_SEPARATOR, menu->serverHandle);
    }
}

PIMenuSeparator::~PIMenuSeparator() = default;

void* PIMenuSeparator::getFoxMenuSeparator() { return detail::foxObject(serverHandle); }

}  // namespace PIGUI
