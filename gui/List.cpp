// Lists: rows, their data and selection, headers and the selection mode.

#include "gui/GuiRequests.h"
#include "gui/PIList.h"

namespace PIGUI {

using PIBridge::CatchAll;
using PIBridge::Fixed;

PIList::PIList() : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2) {}

PIList::PIList(PICanvas* parent, const char* text, int number, int options, int width, int height)
    : PIWindow(options, width, height, 2, 2, 2, 2, 2, 2) {
    serverHandle = Fixed<PI_DATA_POINTER_INT_AND_STRING>(PI_SERVERFUNC_GUI_CREATE_LIST)
                       .fields(detail::handleOf(parent), number, std::string(text != nullptr ? text : ""))
                       .layout(layoutOpts)
                       .send();
    detail::bindToServer(this);
}

PIList::~PIList() = default;

int PIList::appendItem(const std::string& text, void* data) {
    return CatchAll(PI_SERVERFUNC_GUI_LIST_APPEND_ITEM)
        .ints(-1)
        .ptrs(serverHandle, data)
        .strs(text)
        .sendForInt(0);
}

void PIList::removeItem(int index) {
    Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_REMOVE_ITEM).fields(serverHandle, index).send();
}

int PIList::getNumItems() const {
    return Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_GET_NUM_ITEMS)
        .fields(serverHandle, -1)
        .sendFor(&PI_DATA_POINTER_AND_INT::intValue);
}

int PIList::getSelectedItem(int start) {
    return Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_GET_SELECTED_ITEM)
        .fields(serverHandle, start)
        .sendFor(&PI_DATA_POINTER_AND_INT::intValue);
}

void PIList::setSelectedItem(int index) {
    Fixed<PI_DATA_POINTER_INT_AND_BOOL>(PI_SERVERFUNC_GUI_LIST_SET_SELECTED_ITEM)
        .fields(serverHandle, index, true)
        .send();
}

void PIList::deselectAll() { PIBridge::sendDirect(PI_SERVERFUNC_GUI_LIST_DESELECT_ALL, serverHandle); }

std::string PIList::getItemText(int index) {
    return Fixed<PI_DATA_POINTER_INT_AND_STRING>(PI_SERVERFUNC_GUI_LIST_GET_ITEM_TEXT)
        .fields(serverHandle, index, std::string())
        .sendFor(&PI_DATA_POINTER_INT_AND_STRING::stringValue);
}

void PIList::setItemText(int index, const std::string& text) {
    Fixed<PI_DATA_POINTER_INT_AND_STRING>(PI_SERVERFUNC_GUI_LIST_SET_ITEM_TEXT)
        .fields(serverHandle, index, text)
        .send();
}

void* PIList::getItemData(int index) {
    return Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_GET_ITEM_DATA)
        .fields(serverHandle, index)
        .send();
}

void PIList::setItemData(int index, void* data) {
    Fixed<PI_DATA_POINTER_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_SET_ITEM_DATA)
        .fields(serverHandle, data, index)
        .send();
}

void PIList::appendHeader(const std::string& text, int size) {
    Fixed<PI_DATA_POINTER_INT_AND_STRING>(PI_SERVERFUNC_GUI_LIST_APPEND_HEADER)
        .fields(serverHandle, size, text)
        .send();
}

void PIList::removeHeader(int index) {
    Fixed<PI_DATA_POINTER_AND_INT>(PI_SERVERFUNC_GUI_LIST_REMOVE_HEADER).fields(serverHandle, index).send();
}

void PIList::setSelectionMode(SelectionMode mode) {
    CatchAll(PI_SERVERFUNC_GUI_LIST_SELECTION_MODE).ints(0, mode).ptrs(serverHandle).send();
}

PIList::SelectionMode PIList::getSelectionMode() {
    return static_cast<SelectionMode>(
        CatchAll(PI_SERVERFUNC_GUI_LIST_SELECTION_MODE).ints(1, 0).ptrs(serverHandle).sendForInt(1));
}

void PIList::clearItems() {
    while (getNumItems() > 0) {
        removeItem(0);
    }
}

void* PIList::getFoxList() { return detail::foxObject(serverHandle); }

}  // namespace PIGUI
