// Overlay texts: texts the host lays over the scene.
//
// Every call is code 308 with a PI_DATA_CATCHALL whose intVector[0] is the
// selector given with the call. The identifier travels by address: the
// library copies it into a local variable and sends that variable's address
// in ptrVector[0]; the host must not keep it beyond the request. Statuses
// come back in intVector[1], pre-set to 1 (returned without a host).
#pragma once

#include <string>

#include "bridge/PIExport.h"

namespace PICommon {

// One overlay text, shared by layout with the host. The library only passes
// its address and never reads or writes it.
struct PIOverlayText {
    // The text shown.
    std::string text;
    // The viewport the text is drawn in; empty for every viewport.
    std::string viewport;
    // Position of the text's lower-left corner, as fractions of the
    // viewport's width and height from its lower-left corner.
    double x = 0.0;
    double y = 0.0;
    // Font family and size in points; an empty family is the host's default.
    std::string fontName;
    int fontSize = 12;
    // Text colour, packed 0xRRGGBBAA.
    unsigned int color = 0xFFFFFFFFu;
};

// Selector 0: ptrVector [&id with id pre-set 0, text], intVector [0]; no
// status. Returns the int at the address in ptrVector[0] after the request
// (the identifier the host wrote); 0 without a host, and 0 when the host
// nulled that entry or removed it.
PI_EXPORT int createOverlayText(const PIOverlayText* text);

// Selector 1: ptrVector [&id, text], intVector [1, result 1]. Returns the status.
PI_EXPORT int updateOverlayText(int id, const PIOverlayText* text);

// Selector 2: ptrVector [&id], intVector [2, result 1]. Returns the status.
PI_EXPORT int removeOverlayText(int id);

// Selector 3: ptrVector [&id, out], intVector [3, result 1]. The host fills
// the caller's record. Returns the status.
PI_EXPORT int getOverlayText(int id, PIOverlayText* out);

// Selector 4: intVector [4, result 1, color], ptrVector [&id]. Returns the status.
PI_EXPORT int setOverlayTextBackgroundColor(int id, unsigned int color);

// Selector 5: intVector [5, result 1], ptrVector [&id, color]. The host
// writes the colour through the caller's pointer (left alone without a
// host). Returns the status.
PI_EXPORT int getOverlayTextBackgroundColor(int id, unsigned int* color);

}  // namespace PICommon
