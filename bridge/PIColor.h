// Colours: an unsigned 32-bit value packed 0xRRGGBBAA.
#pragma once

#include <cstdint>

#include "bridge/PIStringAbi.h"

typedef uint32_t PIColor_t;

// Packs the low 8 bits of each component; alpha is 255.
inline PIColor_t PIRGB(int red, int green, int blue) {
    return (static_cast<uint32_t>(red) << 24) | ((static_cast<uint32_t>(green) & 0xFFu) << 16) |
           ((static_cast<uint32_t>(blue) & 0xFFu) << 8) | 0xFFu;
}

// Packs the low 8 bits of each component.
inline PIColor_t PIRGBA(int red, int green, int blue, int alpha) {
    return (static_cast<uint32_t>(red) << 24) | ((static_cast<uint32_t>(green) & 0xFFu) << 16) |
           ((static_cast<uint32_t>(blue) & 0xFFu) << 8) | (static_cast<uint32_t>(alpha) & 0xFFu);
}

inline uint32_t PIREDVAL(PIColor_t color) { return color >> 24; }
inline uint32_t PIGREENVAL(PIColor_t color) { return (color >> 16) & 0xFFu; }
inline uint32_t PIBLUEVAL(PIColor_t color) { return (color >> 8) & 0xFFu; }
inline uint32_t PIALPHAVAL(PIColor_t color) { return color & 0xFFu; }
