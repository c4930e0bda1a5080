// A plug-in dialog built with the GUI proxies, run against the simulated
// host in this process: the plug-in builds its dialog, the "user" fills it
// in and clicks OK, and the program prints the widget tree and every
// request the plug-in made.

#include <cstdio>
#include <string>

#include "bridge/PIFunctionMap.h"
#include "bridge/PIFunctorTwoParams.h"
#include "gui/PIButtons.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PILabel.h"
#include "gui/PIList.h"
#include "gui/PITextField.h"
#include "hostsim/sim/Simulator.h"

namespace {

using namespace PIGUI;

// The plug-in's dialog: a name, a count, a flag and a list of choices.
class ExportDialog {
public:
    ExportDialog()
        : dialog_("Export", nullptr),
          frame_(&dialog_),
          label_(&frame_, "File name"),
          name_(&frame_, 30, nullptr),
          count_(&frame_, 4, 1, 10, nullptr),
          compress_(&frame_, "Compress", nullptr),
          formats_(&frame_, "formats", 1),
          ok_(&frame_, "OK", &onOk_) {
        formats_.appendItem("CSV", nullptr);
        formats_.appendItem("JSON", nullptr);
        onOk_.dialog = this;
    }

    void show() { dialog_.show(); }
    const void* okHandle() const { return ok_.serverHandle; }

    // What the "user" does before clicking OK.
    void fillIn() {
        name_.setValue(std::string("track.csv"));
        count_.setValue(3);
        compress_.check();
        formats_.setSelectedItem(0);
    }

private:
    // OK reads the dialog's values back from the host and hides the dialog.
    struct OnOk : FunctorTwoParams__ {
        ExportDialog* dialog = nullptr;
        void* operator()(void*, void*) override {
            ExportDialog& d = *dialog;
            const int format = d.formats_.getSelectedItem(0);
            std::printf("OK: export %s, %d copies, %s, as %s\n", d.name_.getValueText().c_str(), d.count_.getValueInt(),
                        d.compress_.isChecked() ? "compressed" : "plain", d.formats_.getItemText(format).c_str());
            d.dialog_.hide();
            return nullptr;
        }
    };

    OnOk onOk_;
    PIDialogBox dialog_;
    PIVerticalFrame frame_;
    PILabel label_;
    PITextField name_;
    PISpinner count_;
    PICheckButton compress_;
    PIList formats_;
    PIButton ok_;
};

}  // namespace

int main() {
    // The host first, then the plug-in attaches to it.
    karvensim::Simulator& host = karvensim::Simulator::start();
    _initializePluginFunctionMap();

    ExportDialog dialog;
    dialog.show();
    dialog.fillIn();
    const int clicked = host.gui().click(dialog.okHandle());

    std::printf("click: status %d\n\nwidgets:\n%s\ntrace:\n", clicked, host.gui().text().c_str());
    for (const auto& entry : host.trace()) {
        std::printf("%s\n", karvensim::describe(entry).c_str());
    }
    return clicked == karvensim::Gui::kClicked ? 0 : 1;
}
