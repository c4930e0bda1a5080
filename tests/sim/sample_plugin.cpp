// A compiled plug-in for the Python tests of the simulated host, driven with
// ctypes; it reports what it is called back for with debugPrint.

#include <memory>
#include <string>
#include <vector>

#include "api/PIActions.h"
#include "api/PIFileDialogs.h"
#include "api/PINotify.h"
#include "api/PITimeouts.h"
#include "bridge/PIFunctionMap.h"
#include "gui/PIButtons.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PITextField.h"
#include "tests/sim/PluginCallback.h"

#define SAMPLE_API extern "C" __attribute__((visibility("default")))

namespace {

// The callbacks live as long as the plug-in.
simtest::Callback countAction = simtest::actionCallback(
    [](void* name) { PICommon::debugPrint(std::string(static_cast<const char*>(name)) + " ran"); });
std::vector<std::unique_ptr<simtest::Callback>> timeoutCallbacks;

// A text field and an OK button whose callback prints "OK: " and the text.
struct SampleDialog {
    simtest::Callback onOk{[this](void*) { PICommon::debugPrint("OK: " + field.getValueText()); }};
    PIGUI::PIDialogBox dialog{"Sample", nullptr};
    PIGUI::PIVerticalFrame frame{&dialog};
    PIGUI::PITextField field{&frame, 20, nullptr};
    PIGUI::PIButton ok{&frame, "OK", &onOk};
};
std::unique_ptr<SampleDialog> sampleDialog;

}  // namespace

// Attaches and creates the action "Sample.Count": createAction's status.
SAMPLE_API int sample_plugin_load(void) {
    _initializePluginFunctionMap();
    return PICommon::createAction("Sample.Count", "Count the runs", &countAction);
}

// A time-out whose callback prints "time-out INTERVAL fired".
SAMPLE_API void* sample_plugin_add_timeout(int interval) {
    const std::string text = "time-out " + std::to_string(interval) + " fired";
    timeoutCallbacks.push_back(
        std::make_unique<simtest::Callback>([text](void*) { PICommon::debugPrint(text); }));
    return PICommon::createTimeout(interval, timeoutCallbacks.back().get());
}

// The path chosen in a load dialog ("" when cancelled), valid until the next call.
SAMPLE_API const char* sample_plugin_open_file(const char* title) {
    static std::string chosen;
    chosen = PICommon::showFileLoadDialog(title, "", "*", "All files", false, nullptr, "sample");
    return chosen.c_str();
}

// Shows the sample dialog anew with `text` in its field: the OK button's handle.
SAMPLE_API void* sample_plugin_show_dialog(const char* text) {
    sampleDialog.reset();
    sampleDialog = std::make_unique<SampleDialog>();
    sampleDialog->field.setValue(std::string(text));
    sampleDialog->dialog.show();
    return sampleDialog->ok.serverHandle;
}

SAMPLE_API void sample_plugin_close_dialog(void) { sampleDialog.reset(); }
