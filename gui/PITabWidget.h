// Tab widgets, and the factory through which the host makes the proxies of
// their pages.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIContainers.h"

namespace PIGUI {

class PIIcon;

// Makes the proxy of a page the host has just created. Slot order:
// destructor pair, newVerticalFrame.
class PI_EXPORT PIVerticalFrameFactory {
public:
    virtual ~PIVerticalFrameFactory();
    // Called by the host with the page's server handle and whether the
    // proxy is to own it; returns a new proxy the plug-in deletes (or the
    // collector does).
    virtual PIVerticalFrame* newVerticalFrame(void* handle, bool ownsServerObject) const = 0;
};

// The proxies the factory makes: a vertical frame with the default layout
// record, its server fields set by the factory.
class PI_EXPORT PIVertFrameWrapper : public PIVerticalFrame {
public:
    PIVertFrameWrapper();
    ~PIVertFrameWrapper() override;
};

class PI_EXPORT PIVertFrameFactoryImpl : public PIVerticalFrameFactory {
public:
    ~PIVertFrameFactoryImpl() override;
    // A new PIVertFrameWrapper (listed for collection like any proxy) with
    // serverHandle and ownsServerObject set to the arguments. Sends nothing
    // beyond PIObject's add request.
    PIVerticalFrame* newVerticalFrame(void* handle, bool ownsServerObject) const override;
};

// Every request is code 165 with a PI_DATA_CATCHALL whose intVector[0] is
// the selector; all are sent whatever the handle.
class PI_EXPORT PITabWidget : public PIWindow {
public:
    // Selector 0: intVector [0], ptrVector [null, parent's handle, the
    // address of this proxy's own layout record (spacings 2)]. The new
    // handle is read from ptrVector[0] (null with no host). No bind request.
    PITabWidget(PICanvas* parent, int options = 0, int width = 0, int height = 0, int padLeft = 2,
                int padRight = 2, int padTop = 2, int padBottom = 2);
    ~PITabWidget() override;

    // intVector [1, result 0], ptrVector [handle]. Returns intVector[1] (0 with no host).
    int numTabs() const;
    // intVector [2, result -1], ptrVector [handle]. Returns intVector[1] (-1 with no host).
    int current() const;
    // intVector [3, index], ptrVector [handle].
    void setCurrent(int index);
    // intVector [4, index], ptrVector [handle, the icon's handle or null].
    void setTabIcon(int index, PIIcon* icon);
    // intVector [5, index], ptrVector [handle], strVector [""]. Returns
    // strVector[0] ("" with no host).
    std::string tabText(int index) const;
    // intVector [6, index], ptrVector [handle], strVector [text].
    void setTabText(int index, const std::string& text);
    // intVector [7], ptrVector [handle, null, the address of a
    // PIVertFrameFactoryImpl], strVector [label]. The host creates the page,
    // has the factory make its proxy and stores the proxy in ptrVector[1],
    // which is returned (null with no host).
    PIVerticalFrame* addTab(const std::string& label);
    // intVector [8, index], otherwise as addTab.
    PIVerticalFrame* insertTab(int index, const std::string& label);
    // intVector [9, index], ptrVector [handle].
    void removeTab(int index);
};

}  // namespace PIGUI
