// Icons: each load asks the host for a new icon object.

#include "gui/GuiRequests.h"
#include "gui/PIIcon.h"

namespace PIGUI {
namespace {

// Code 158 with the loader's selector; the answer replaces the handle.
bool load(PIObject& icon, PIBridge::CatchAll& request) {
    icon.serverHandle = request.send();
    return icon.serverHandle == nullptr;
}

}  // namespace

PIIcon::PIIcon(const char* fileName) { loadByFilename(fileName, true); }

PIIcon::~PIIcon() = default;

void* PIIcon::getFoxIcon() { return detail::foxObject(serverHandle); }

bool PIIcon::loadByFilename(const std::string& fileName, bool flag) {
    return load(*this, PIBridge::CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(2, flag).strs(fileName));
}

bool PIIcon::loadGIFByArray(const unsigned char* data, bool flag) {
    return load(*this, PIBridge::CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(3, flag).ptrs(data));
}

bool PIIcon::loadBMPByArray(const unsigned char* data, bool flag) {
    return load(*this, PIBridge::CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(4, flag).ptrs(data));
}

bool PIIcon::loadPNGByArray(const unsigned char* data, bool flag) {
    return load(*this, PIBridge::CatchAll(PI_SERVERFUNC_GUI_ICONS).ints(5, flag).ptrs(data));
}

}  // namespace PIGUI
