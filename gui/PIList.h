// Lists: rows of text with an untyped pointer of plug-in data each, and
// optional column headers. Every request is sent whatever the handle.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

// Slot order: destructor pair, show, mapFunction.
class PI_EXPORT PIList : public PIWindow {
public:
    // How rows can be selected; passed to and from the host as an int.
    enum SelectionMode : int32_t {
        SINGLE_SELECTION = 0,
        MULTIPLE_SELECTION = 1,
        EXTENDED_SELECTION = 2,
        NO_SELECTION = 3,
    };

    // Default layout record; sends nothing but PIObject's add request.
    PIList();
    // Code 126, PI_DATA_POINTER_INT_AND_STRING: parent's handle, number,
    // text (a null text is sent as ""); layout (pads and spacings 2)
    // copied. Then the bind request. Text and number mean what the host
    // makes of them.
    PIList(PICanvas* parent, const char* text, int number, int options = 0, int width = 0, int height = 0);
    ~PIList() override;

    // Code 127, PI_DATA_CATCHALL: intVector [result -1], ptrVector [handle,
    // data], strVector [text]. Returns intVector[0] (-1 with no host).
    int appendItem(const std::string& text, void* data);
    // Code 128, PI_DATA_POINTER_AND_INT: handle, index.
    void removeItem(int index);
    // Code 129, PI_DATA_POINTER_AND_INT: handle, -1. Returns intValue (-1 with no host).
    int getNumItems() const;
    // Code 130, PI_DATA_POINTER_AND_INT: handle, start. Returns intValue
    // (start itself with no host).
    int getSelectedItem(int start);
    // Code 131, PI_DATA_POINTER_INT_AND_BOOL: handle, index, true.
    void setSelectedItem(int index);
    // Code 132, direct: the handle is the data argument.
    void deselectAll();
    // Code 133, PI_DATA_POINTER_INT_AND_STRING: handle, index, "". Returns
    // stringValue ("" with no host).
    std::string getItemText(int index);
    // Code 134, PI_DATA_POINTER_INT_AND_STRING: handle, index, text.
    void setItemText(int index, const std::string& text);
    // Code 135, PI_DATA_POINTER_AND_INT: handle, index. Returns the host's
    // return value (null with no host).
    void* getItemData(int index);
    // Code 136, PI_DATA_POINTER_POINTER_AND_INT: handle, data, index.
    void setItemData(int index, void* data);
    // Code 137, PI_DATA_POINTER_INT_AND_STRING: handle, size, text.
    void appendHeader(const std::string& text, int size);
    // Code 138, PI_DATA_POINTER_AND_INT: handle, index.
    void removeHeader(int index);
    // Code 167, PI_DATA_CATCHALL: intVector [0, mode], ptrVector [handle].
    void setSelectionMode(SelectionMode mode);
    // Code 167: intVector [1, result 0], ptrVector [handle]. Returns
    // intVector[1] (0 with no host).
    SelectionMode getSelectionMode();

    // getNumItems(), then removeItem(0) while the count is above 0. Relies
    // on the host removing the first row for each removeItem.
    void clearItems();

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxList();
};

}  // namespace PIGUI
