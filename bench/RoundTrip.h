// The request round trips the C++ benchmark times, each next to its floor.
//
// Built with the library's string ABI (RoundTrip.cpp) and called from the
// benchmark driver, which is built with Google Benchmark's: nothing here
// takes or returns a standard library type.
#pragma once

namespace roundtrip {

// Installs a host whose Call does nothing and returns null, so that only
// the library's own work is measured. Call once, before the first request.
void installIdleHost();

// PICommon::isNetworkEnabled(), through the library.
bool libraryIsNetworkEnabled();
// The least that request can cost: the context lookup (code 16, its block
// with one selector and one null pointer), then code 309 with selector 4 and
// the result slot, each one Call on the function map.
bool floorIsNetworkEnabled();

// PIWindow::getValueInt() of a label, through the library.
int libraryGetValueInt();
// Its floor: the context lookup, then code 149 with the label's handle and
// the value pre-set to -1.
int floorGetValueInt();

// How many requests the idle host received (for a check that the floors and
// the library paths send the same number of calls).
long requestsSeen();

}  // namespace roundtrip
