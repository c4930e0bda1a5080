// Icons: server objects loaded by the host from a file or from an image in
// memory. Each load replaces the proxy's handle with the new icon's, without
// a destroy request for the old one.
#pragma once

#include <string>

#include "bridge/PIExport.h"
#include "gui/PIObject.h"

namespace PIGUI {

// Slot order: destructor pair only.
class PI_EXPORT PIIcon : public PIObject {
public:
    // loadByFilename(fileName, true); its result is dropped. fileName must
    // not be null.
    explicit PIIcon(const char* fileName);
    ~PIIcon() override;

    // The toolkit object: serverHandle when PICommon::verifyFoxVersionDirectAccess()
    // (code 15, selector 2) answers true, else null.
    void* getFoxIcon();

    // Code 158, PI_DATA_CATCHALL: intVector [2, flag], strVector [fileName].
    // The host's return value becomes serverHandle. Returns true when it is
    // null (so true with no host), false when the host loaded an icon.
    bool loadByFilename(const std::string& fileName, bool flag);
    // Code 158: intVector [3, flag], ptrVector [data], a GIF image whose size
    // the host reads from the data. Handle and result as loadByFilename.
    bool loadGIFByArray(const unsigned char* data, bool flag);
    // Code 158: intVector [4, flag], ptrVector [data], a BMP image.
    bool loadBMPByArray(const unsigned char* data, bool flag);
    // Code 158: intVector [5, flag], ptrVector [data], a PNG image.
    bool loadPNGByArray(const unsigned char* data, bool flag);
};

}  // namespace PIGUI
