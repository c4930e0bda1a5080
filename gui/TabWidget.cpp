// Tab widgets (code 165) and the page factory the host calls during
// addTab and insertTab.

#include "gui/GuiRequests.h"
#include "gui/PIIcon.h"
#include "gui/PITabWidget.h"

namespace PIGUI {
namespace {

using PIBridge::CatchAll;

CatchAll tabRequest() { return CatchAll(PI_SERVERFUNC_GUI_TAB_WIDGET); }

// Sends an addTab or insertTab block with a factory that lives for the
// request, and returns the page proxy the host stored in ptrVector[1].
PIVerticalFrame* newPage(CatchAll& request) {
    const PIVertFrameFactoryImpl factory;
    request.ptrs(static_cast<const PIVerticalFrameFactory*>(&factory)).send();
    return static_cast<PIVerticalFrame*>(request.block().ptrVector[1]);
}

}  // namespace

PIVerticalFrameFactory::~PIVerticalFrameFactory() = default;

PIVertFrameWrapper::PIVertFrameWrapper() = default;
PIVertFrameWrapper::~PIVertFrameWrapper() = default;

PIVertFrameFactoryImpl::~PIVertFrameFactoryImpl() = default;

PIVerticalFrame* PIVertFrameFactoryImpl::newVerticalFrame(void* handle, bool ownsServerObject) const {
    auto* page = new PIVertFrameWrapper;
    page->serverHandle = handle;
    page->ownsServerObject = ownsServerObject;
    return page;
}

PITabWidget::PITabWidget(PICanvas* parent, int options, int width, int height, int padLeft, int padRight,
                         int padTop, int padBottom)
    : PIWindow(options, width, height, padLeft, padRight, padTop, padBottom, 2, 2) {
    CatchAll request = tabRequest();
    request.ints(0).ptrs(nullptr, detail::handleOf(parent), layoutOpts).send();
    serverHandle = request.block().ptrVector[0];
}

PITabWidget::~PITabWidget() = default;

int PITabWidget::numTabs() const { return tabRequest().ints(1, 0).ptrs(serverHandle).sendForInt(1); }

int PITabWidget::current() const { return tabRequest().ints(2, -1).ptrs(serverHandle).sendForInt(1); }

void PITabWidget::setCurrent(int index) { tabRequest().ints(3, index).ptrs(serverHandle).send(); }

void PITabWidget::setTabIcon(int index, PIIcon* icon) {
    tabRequest().ints(4, index).ptrs(serverHandle, detail::handleOf(icon)).send();
}

std::string PITabWidget::tabText(int index) const {
    return tabRequest().ints(5, index).ptrs(serverHandle).strs(std::string()).sendForString(0);
}

void PITabWidget::setTabText(int index, const std::string& text) {
    tabRequest().ints(6, index).ptrs(serverHandle).strs(text).send();
}

PIVerticalFrame* PITabWidget::addTab(const std::string& label) {
    CatchAll request = tabRequest();
    request.ints(7).ptrs(serverHandle, nullptr).strs(label);
    return newPage(request);
}

PIVerticalFrame* PITabWidget::insertTab(int index, const std::string& label) {
    CatchAll request = tabRequest();
    request.ints(8, index).ptrs(serverHandle, nullptr).strs(label);
    return newPage(request);
}

void PITabWidget::removeTab(int index) { tabRequest().ints(9, index).ptrs(serverHandle).send(); }

}  // namespace PIGUI
