// The binary layout of every block and record, checked at compile time three
// ways: the contract's numbers (LP64, reference-counted strings of 8 bytes,
// vectors of 24, maps of 48), the host's own declarations
// (hostsim/HostBlocks.h, which does not see the library's headers), and the
// library's classes. The recording host reads every block through those
// declarations at run time (tests/bridge).

#include <cstddef>

#include "api/PIOverlayText.h"
#include "bridge/PIColor.h"
#include "bridge/PIParameterBlocks.h"
#include "bridge/PIPluginTypes.h"
#include "bridge/PITerrainRaster.h"
#include "gui/PIDialogBox.h"
#include "gui/PIObject.h"
#include "hostsim/HostBlocks.h"

namespace {

// offsetof on classes with a vtable is what this file is about.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

#define PI_SIZE(L, H, size) static_assert(sizeof(L) == (size) && sizeof(hostview::H) == (size), #L);
#define PI_AT(L, field, H, hostField, at) \
    static_assert(offsetof(L, field) == (at) && offsetof(hostview::H, hostField) == (at), #L "::" #field);
#define PI_BLOCK(L, H, size, f1, o1, f2, o2) \
    PI_SIZE(L, H, size)                      \
    PI_AT(L, opts, H, header.opts, 8)        \
    PI_AT(L, f1, H, f1, o1) PI_AT(L, f2, H, f2, o2)
#define PI_BLOCK3(L, H, size, f1, o1, f2, o2, f3, o3) \
    PI_BLOCK(L, H, size, f1, o1, f2, o2) PI_AT(L, f3, H, f3, o3)
#define PI_SAME(L, H, field, at) PI_AT(L, field, H, field, at)

// clang-format off
#define PI_OPT(field, i) PI_AT(PILayoutOpts_t, field, LayoutRecord, values[i], 4 * (i))
PI_SIZE(PILayoutOpts_t, LayoutRecord, 36) PI_OPT(width, 0) PI_OPT(height, 1) PI_OPT(padLeft, 2) PI_OPT(padRight, 3)
PI_OPT(padTop, 4) PI_OPT(padBottom, 5) PI_OPT(hSpacing, 6) PI_OPT(vSpacing, 7) PI_OPT(options, 8)
PI_SIZE(PI_DATA_BASE_CLASS, Header, 16) PI_AT(PI_DATA_BASE_CLASS, opts, Header, opts, 8)
PI_BLOCK3(PI_DATA_CATCHALL, CatchAll, 112, dblVector, 16, intVector, 40, strVector, 64)
PI_SAME(PI_DATA_CATCHALL, CatchAll, ptrVector, 88)
PI_BLOCK(PI_DATA_POINTER_AND_BOOL, PointerAndBool, 32, pointer, 16, boolValue, 24)
PI_BLOCK(PI_DATA_POINTER_AND_INT, PointerAndInt, 32, pointer, 16, intValue, 24)
PI_BLOCK(PI_DATA_POINTER_AND_DOUBLE, PointerAndDouble, 32, pointer, 16, doubleValue, 24)
PI_BLOCK(PI_DATA_POINTER_AND_STRING, PointerAndString, 32, pointer, 16, stringValue, 24)
PI_BLOCK(PI_DATA_POINTER_AND_FUNCTION, PointerAndFunction, 32, pointer, 16, function, 24)
PI_BLOCK(PI_DATA_POINTER_AND_POINTER, PointerAndPointer, 32, pointer, 16, pointerValue, 24)
PI_SIZE(PI_DATA_POINTER_AND_OPTS, PointerAndOpts, 24)
PI_AT(PI_DATA_POINTER_AND_OPTS, opts, PointerAndOpts, header.opts, 8)
PI_SAME(PI_DATA_POINTER_AND_OPTS, PointerAndOpts, pointer, 16)
PI_BLOCK3(PI_DATA_POINTER_INT_AND_BOOL, PointerIntAndBool, 32, pointer, 16, intValue, 24, boolValue, 28)
PI_BLOCK3(PI_DATA_POINTER_INT_AND_STRING, PointerIntAndString, 40, pointer, 16, intValue, 24, stringValue, 32)
PI_BLOCK3(PI_DATA_POINTER_INT_AND_FUNCTION, PointerIntAndFunction, 40, pointer, 16, intValue, 24, function, 32)
PI_BLOCK3(PI_DATA_POINTER_STRING_AND_STRING, PointerStringAndString, 40, pointer, 16, stringValue, 24, stringValue2, 32)
PI_BLOCK3(PI_DATA_POINTER_STRING_AND_FUNCTION, PointerStringAndFunction, 40, pointer, 16, stringValue, 24, function, 32)
PI_BLOCK3(PI_DATA_POINTER_POINTER_AND_INT, PointerPointerAndInt, 40, pointer, 16, pointerValue, 24, intValue, 32)
PI_BLOCK3(PI_REGISTER_HANDLER_DATA, RegisterHandler, 40, string1, 16, string2, 24, mask, 32)

#define PI_NODE(field, at) PI_SAME(PITerrainRasterNodeRequest, TerrainRasterNodeRequest, field, at)
PI_SIZE(PITerrainRasterNodeRequest, TerrainRasterNodeRequest, 48) PI_NODE(bufferSize, 8) PI_NODE(currentRasterSize, 16)
PI_NODE(nodeID, 24) PI_NODE(threadIndex, 32) PI_NODE(userData, 40)
PI_SIZE(PITerrainRasterSetParseToken, TerrainRasterSetParseToken, 24)
PI_SAME(PITerrainRasterSetParseToken, TerrainRasterSetParseToken, tokenValue, 8)
PI_SAME(PITerrainRasterSetParseToken, TerrainRasterSetParseToken, userData, 16)
#define PI_INFO(field, at) PI_SAME(PITerrainRasterSetRequestInfo, TerrainRasterSetRequestInfo, field, at)
PI_SIZE(PITerrainRasterSetRequestInfo, TerrainRasterSetRequestInfo, 304) PI_INFO(activeRequestLimit, 8)
PI_INFO(pixelLength, 12) PI_INFO(shallowestLevel, 16) PI_INFO(deepestLevel, 20) PI_INFO(rasterFormat, 24)
PI_INFO(source, 32) PI_INFO(classification, 40) PI_INFO(description, 48) PI_INFO(timeSpecified, 56)
PI_INFO(timeValueYear, 60) PI_INFO(timeValueSecondsSinceRefYear, 64) PI_INFO(hasNoDataValue, 72)
PI_INFO(noDataValue, 76) PI_INFO(hasIgnoreAboveValue, 80) PI_INFO(ignoreAboveValue, 84)
PI_INFO(hasIgnoreBelowValue, 88) PI_INFO(ignoreBelowValue, 92) PI_INFO(hasReplacementValue, 96)
PI_INFO(replacementValue, 100) PI_INFO(wwExtents, 104) PI_INFO(wExtents, 136) PI_INFO(eExtents, 168)
PI_INFO(eeExtents, 200) PI_INFO(nExtents, 232) PI_INFO(sExtents, 264) PI_INFO(userData, 296)
PI_SIZE(PIFunctionParams_t, FunctionParams, 192) PI_SAME(PIFunctionParams_t, FunctionParams, intMap, 48)
PI_SAME(PIFunctionParams_t, FunctionParams, dblMap, 96)
PI_SAME(PIFunctionParams_t, FunctionParams, ptrMap, 144)
PI_SIZE(PIClientFuncAndData_t, ClientFuncAndData, 16)
PI_SAME(PIClientFuncAndData_t, ClientFuncAndData, clientData, 8)
// The library's own choice of fields, which the host shares.
using PICommon::PIOverlayText;
PI_SIZE(PIOverlayText, OverlayText, 48) PI_SAME(PIOverlayText, OverlayText, viewport, 8)
PI_SAME(PIOverlayText, OverlayText, x, 16) PI_SAME(PIOverlayText, OverlayText, y, 24)
PI_SAME(PIOverlayText, OverlayText, fontName, 32) PI_SAME(PIOverlayText, OverlayText, fontSize, 40)
PI_SAME(PIOverlayText, OverlayText, color, 44)
PI_SIZE(PIObject, ProxyObject, 24) PI_SAME(PIObject, ProxyObject, serverHandle, 8)
PI_SAME(PIObject, ProxyObject, ownsServerObject, 16)
PI_SIZE(PIGUI::PIWindow, ProxyWindow, 32) PI_AT(PIGUI::PIWindow, layoutOpts, ProxyWindow, layoutOpts, 24)
PI_SIZE(PIGUI::PIDialogBox, ProxyDialogBox, 40)
PI_AT(PIGUI::PIDialogBox, wasShown, ProxyDialogBox, wasShown, 32)
PI_SIZE(PIGarbageCollector, GarbageCollector, 40) PI_SAME(PIGarbageCollector, GarbageCollector, objects, 8)
PI_SAME(PIGarbageCollector, GarbageCollector, destroying, 32)
static_assert(sizeof(PIColor_t) == 4);
// clang-format on

}  // namespace
