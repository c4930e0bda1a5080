// Viewports, overlay texts, drawing and the earth-model calculations.

#include "api/PIEarthModel.h"
#include "api/PIOverlayText.h"
#include "api/PIViewports.h"
#include "bridge/PIDirectRequest.h"
#include "bridge/PIPluginConstants.h"
#include "bridge/PIRequest.h"

namespace PICommon {

using PIBridge::CatchAll;
using PIBridge::sendDirect;

void createViewport(int i, const std::string& name, double d1, double d2, double d3, double d4) {
    CatchAll(PI_SERVERFUNC_CREATE_VIEWPORT).dbls(d1, d2, d3, d4).ints(i).strs(name).send();
}

void toggleViewport(const std::string& name, bool on) {
    CatchAll(PI_SERVERFUNC_TOGGLE_VIEWPORT).ints(0, on).strs(name).send();
}

void setViewport(const std::string& name) { sendDirect(PI_SERVERFUNC_SET_VIEWPORT, &name); }

std::string getViewport(int index) {
    const char* name = static_cast<const char*>(sendDirect(PI_SERVERFUNC_GET_VIEWPORT, &index));
    return name != nullptr ? name : "";
}

int getNumViewports() { return PIBridge::sendForValue<int>(PI_SERVERFUNC_GET_NUM_VIEWPORTS, 0); }

void nextViewport() { sendDirect(PI_SERVERFUNC_NEXT_VIEWPORT, nullptr); }

void deleteViewport(const std::string& name) { sendDirect(PI_SERVERFUNC_DELETE_VIEWPORT, &name); }

void deleteAllViewports() { sendDirect(PI_SERVERFUNC_DELETE_VIEWPORT, nullptr); }

void forceOpenGLRedraw() { sendDirect(PI_SERVERFUNC_FORCE_REDRAW, nullptr); }

int registerDrawOnRefreshPriority(int priority) {
    return CatchAll(PI_SERVERFUNC_DRAW_ON_REFRESH_PRIORITY).ints(0, 1, priority).sendForInt(1);
}

int createOverlayText(const PIOverlayText* text) {
    int id = 0;
    CatchAll request(PI_SERVERFUNC_OVERLAY_TEXT);
    request.ptrs(&id, text).ints(0).send();
    // The host may replace the entry with the address of its own identifier;
    // an entry it cleared or nulled reads as no identifier.
    const auto& entries = request.block().ptrVector;
    return entries.empty() || entries[0] == nullptr ? 0 : *static_cast<const int*>(entries[0]);
}

int updateOverlayText(int id, const PIOverlayText* text) {
    return CatchAll(PI_SERVERFUNC_OVERLAY_TEXT).ptrs(&id, text).ints(1, 1).sendForInt(1);
}

int removeOverlayText(int id) {
    return CatchAll(PI_SERVERFUNC_OVERLAY_TEXT).ptrs(&id).ints(2, 1).sendForInt(1);
}

int getOverlayText(int id, PIOverlayText* out) {
    return CatchAll(PI_SERVERFUNC_OVERLAY_TEXT).ptrs(&id, out).ints(3, 1).sendForInt(1);
}

int setOverlayTextBackgroundColor(int id, unsigned int color) {
    return CatchAll(PI_SERVERFUNC_OVERLAY_TEXT).ints(4, 1, color).ptrs(&id).sendForInt(1);
}

int getOverlayTextBackgroundColor(int id, unsigned int* color) {
    return CatchAll(PI_SERVERFUNC_OVERLAY_TEXT).ints(5, 1).ptrs(&id, color).sendForInt(1);
}

double rangeCalculateValue(unsigned long a, unsigned long b, unsigned long c,
                           PIEarthModelCalculations_t kind) {
    double value = PI_INVALID_DOUBLE;
    CatchAll(PI_SERVERFUNC_RANGE_CALCULATE_VALUE).ints(0, kind).ptrs(&a, &b, &c, &value).send();
    return value;
}

int checkEarthEclipse(unsigned long object) {
    bool eclipsed = false;
    CatchAll request(PI_SERVERFUNC_CHECK_EARTH_ECLIPSE);
    request.ints(0, -1).ptrs(&object, &eclipsed).send();
    if (request.block().intVector[1] != 0) {
        return -1;
    }
    return eclipsed ? 1 : 0;
}

}  // namespace PICommon
