// The host's side of the binary contract, written from the contract alone
// and deliberately independent of the library's headers: the function map
// as the host implements it, the plug-in objects it calls (clients,
// callbacks, GUI proxies, delegates), and, through HostBlocks.h, the
// parameter blocks and records as the host reads them.
//
// Included only by the host's own sources.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hostsim/HostBlocks.h"

namespace PICommon {

class BindableInterface;

// A plug-in's service client as the host calls it: slots 0 and 1 the
// destructor pair, slot 2 onServiceConnected, slot 3 onServiceDisconnected.
// The host never constructs or destroys one.
class ServiceClient {
public:
    virtual ~ServiceClient() = default;
    virtual void onServiceConnected(BindableInterface* iface) = 0;
    virtual void onServiceDisconnected() = 0;
};

}  // namespace PICommon

// A plug-in's callback object (actions, time-outs, widgets) as the host
// calls it: slot 0 operator()(source, data), slots 1 and 2 the destructor
// pair. The host calls slot 0 only, and never copies or deletes one. What
// it passes: for an action, source is the action's name as NUL-terminated
// characters; for a time-out, source is the time-out's handle; data is null
// for both. The result is ignored.
class FunctorTwoParams__ {
public:
    virtual void* operator()(void* source, void* data) = 0;
    virtual ~FunctorTwoParams__() = default;
};

class QWidget;

// Import/export delegates as the host calls them. Class names are the
// plug-in's, for a sanitizer's dynamic-type check; the slot order is the
// host's reading of the contract. The host deletes a delegate it accepted
// (through the deleting destructor) and never constructs one.
namespace PICommon {

// Slots 0 and 1 the destructor pair, then createEditor,
// processFileWithWidget, processFileWithOptions.
class FileImportExportDelegate {
public:
    virtual ~FileImportExportDelegate() = default;
    virtual QWidget* createEditor(QWidget* parent) const = 0;
    virtual int processFileWithWidget(const std::string& fileName, const QWidget* editor) const = 0;
    virtual int processFileWithOptions(const std::string& fileName,
                                       const std::map<std::string, std::string>& options) const = 0;
};

// Slots 0 and 1 the destructor pair, then processFileWithWidget,
// createEditor (the opposite order of the import/export delegate).
class FileExportDelegate {
public:
    virtual ~FileExportDelegate() = default;
    virtual int processFileWithWidget(const std::string& fileName, const QWidget* editor) const = 0;
    virtual QWidget* createEditor(QWidget* parent) const = 0;
};

}  // namespace PICommon

// The plug-in's GUI proxies as the host calls them. The class names are the
// plug-in's, so that a sanitizer's dynamic-type check accepts the calls; the
// slot order is the host's own reading of the contract. The host never
// constructs or destroys one.
namespace PIGUI {

class PIVerticalFrame;

// Slots 0 and 1 the destructor pair, slot 2 show, slot 3 mapFunction.
class PIWindow {
public:
    virtual ~PIWindow() = default;
    virtual void show() = 0;
    virtual void mapFunction(FunctorTwoParams__* function) = 0;
};

// A spinner adds slot 4, getFoxTextField.
class PISpinner : public PIWindow {
public:
    virtual void* getFoxTextField() = 0;
};

// Check buttons and menu items add slot 4, getFoxButton.
class PICheckButton : public PIWindow {
public:
    virtual void* getFoxButton() = 0;
};
class PIMenuItem : public PIWindow {
public:
    virtual void* getFoxButton() = 0;
};

// A dialog box's close observer: slots 0 and 1 the destructor pair, slot 2
// dialogBoxClosed(the dialog proxy it was registered with).
class PIDialogBox {
public:
    class CloseObserver {
    public:
        virtual ~CloseObserver() = default;
        virtual void dialogBoxClosed(PIDialogBox* dialog) = 0;
    };
};

// The factory a tab widget hands over with addTab and insertTab: slots 0
// and 1 the destructor pair, slot 2 newVerticalFrame(page handle, owns).
class PIVerticalFrameFactory {
public:
    virtual ~PIVerticalFrameFactory() = default;
    virtual PIVerticalFrame* newVerticalFrame(void* handle, bool ownsServerObject) const = 0;
};

}  // namespace PIGUI

// Slot 0 operator(), slot 1 Call, slots 2 and 3 the destructor pair.
class Functor__ {
public:
    virtual void* operator()(void* context, int32_t code, void* data) = 0;
    virtual void* Call(void* context, int32_t code, void* data) = 0;
    virtual ~Functor__() = default;
};
