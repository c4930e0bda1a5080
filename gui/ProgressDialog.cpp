// Progress dialogs (code 162): created with the handle read back from the
// block, hidden before they are destroyed.

#include "gui/GuiRequests.h"
#include "gui/PIProgressDialog.h"
#include "gui/PIWindow.h"

namespace PIGUI {
namespace {

PIBridge::CatchAll progressRequest() { return PIBridge::CatchAll(PI_SERVERFUNC_GUI_PROGRESS_DIALOG); }

}  // namespace

PIProgressDialog::PIProgressDialog(PIWindow* parent, const std::string& text1, const std::string& text2,
                                   bool flag, int number) {
    PIBridge::CatchAll request = progressRequest();
    request.ints(0, flag, number).ptrs(detail::handleOf(parent), nullptr).strs(text1, text2).send();
    serverHandle = request.block().ptrVector[1];
    detail::bindToServer(this);
}

PIProgressDialog::~PIProgressDialog() { hide(); }

void PIProgressDialog::show() { progressRequest().ints(1).ptrs(serverHandle).send(); }
void PIProgressDialog::hide() { progressRequest().ints(2).ptrs(serverHandle).send(); }
void PIProgressDialog::runWhileEvents() { progressRequest().ints(3).ptrs(serverHandle).send(); }

bool PIProgressDialog::isCanceled() const {
    return progressRequest().ints(4, 0).ptrs(serverHandle).sendForBool(1);
}
int PIProgressDialog::maximum() const {
    return progressRequest().ints(5, 0).ptrs(serverHandle).sendForInt(1);
}
int PIProgressDialog::value() const { return progressRequest().ints(6, 0).ptrs(serverHandle).sendForInt(1); }

void PIProgressDialog::setMaximum(int maximum) {
    progressRequest().ints(7, maximum).ptrs(serverHandle).send();
}
void PIProgressDialog::setValue(int value) { progressRequest().ints(8, value).ptrs(serverHandle).send(); }

void PIProgressDialog::setLabelText(const std::string& text) {
    progressRequest().ints(9).ptrs(serverHandle).strs(text).send();
}

}  // namespace PIGUI
