// The layout-options record carried by every parameter block and held by
// every window proxy.
#pragma once

#include <cstdint>

#include "bridge/PIExport.h"

// Nine signed 32-bit integers in this stored order. The default record is
// 0, 0, 2, 2, 2, 2, 2, 2, 0: no fixed size, every pad and spacing 2, no options.
struct PILayoutOpts_t {
    int32_t width = 0;
    int32_t height = 0;
    int32_t padLeft = 2;
    int32_t padRight = 2;
    int32_t padTop = 2;
    int32_t padBottom = 2;
    int32_t hSpacing = 2;
    int32_t vSpacing = 2;
    int32_t options = 0;
};

// The default record, used by proxies that have no record of their own.
extern PI_EXPORT PILayoutOpts_t g_DefaultOpts;
