// Progress dialogs: a host dialog with a bar, a label and a cancel button.
// Every request is code 162 with a PI_DATA_CATCHALL whose intVector[0] is
// the selector; all are sent whatever the handle.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIObject.h"

namespace PIGUI {

class PIWindow;

// Slot order: destructor pair only.
class PI_EXPORT PIProgressDialog : public PIObject {
public:
    // Selector 0: intVector [0, flag, number], ptrVector [the parent's
    // handle or null, null], strVector [text1, text2]; the block keeps the
    // default layout record. ptrVector[1] after the request becomes
    // serverHandle (null with no host); then the bind request (code 100).
    // Texts, flag and number mean what the host makes of them.
    PIProgressDialog(PIWindow* parent, const std::string& text1, const std::string& text2, bool flag,
                     int number);
    // hide() first, then PIObject's destroy and remove requests.
    ~PIProgressDialog() override;

    // intVector [1], ptrVector [handle].
    void show();
    // intVector [2], ptrVector [handle].
    void hide();
    // intVector [3], ptrVector [handle]: lets the host process its pending events.
    void runWhileEvents();
    // intVector [4, result 0], ptrVector [handle]. True when intVector[1] is
    // non-zero; false with no host.
    bool isCanceled() const;
    // intVector [5, result 0], ptrVector [handle]. Returns intVector[1] (0 with no host).
    int maximum() const;
    // intVector [6, result 0], ptrVector [handle]. Returns intVector[1] (0 with no host).
    int value() const;
    // intVector [7, maximum], ptrVector [handle].
    void setMaximum(int maximum);
    // intVector [8, value], ptrVector [handle].
    void setValue(int value);
    // intVector [9], ptrVector [handle], strVector [text].
    void setLabelText(const std::string& text);
};

}  // namespace PIGUI
