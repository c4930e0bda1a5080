// The parameter blocks, records and plug-in objects as the host reads them:
// plain structs written from the binary contract alone, with the vtable
// pointer spelled out, so that reading a block never depends on the
// library's class definitions. Layout for LP64 with the reference-counted
// std::string (8 bytes) that host and plug-ins share.
//
// Free of polymorphic classes, so that tests may include it next to the
// library's headers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bridge/PIStringAbi.h"

namespace hostview {

struct LayoutRecord {
    int32_t values[9];
};

struct Header {
    const void* vtable;
    LayoutRecord* opts;
};

struct CatchAll {
    Header header;
    std::vector<double> dblVector;
    std::vector<int32_t> intVector;
    std::vector<std::string> strVector;
    std::vector<void*> ptrVector;
};

struct PointerAndBool {
    Header header;
    void* pointer;
    bool boolValue;
};
struct PointerAndInt {
    Header header;
    void* pointer;
    int32_t intValue;
};
struct PointerAndDouble {
    Header header;
    void* pointer;
    double doubleValue;
};
struct PointerAndString {
    Header header;
    void* pointer;
    std::string stringValue;
};
struct PointerAndFunction {
    Header header;
    void* pointer;
    void* function;
};
struct PointerAndPointer {
    Header header;
    void* pointer;
    void* pointerValue;
};
struct PointerAndOpts {
    Header header;
    void* pointer;
};
struct PointerIntAndBool {
    Header header;
    void* pointer;
    int32_t intValue;
    bool boolValue;
};
struct PointerIntAndString {
    Header header;
    void* pointer;
    int32_t intValue;
    std::string stringValue;
};
struct PointerIntAndFunction {
    Header header;
    void* pointer;
    int32_t intValue;
    void* function;
};
struct PointerStringAndString {
    Header header;
    void* pointer;
    std::string stringValue;
    std::string stringValue2;
};
struct PointerStringAndFunction {
    Header header;
    void* pointer;
    std::string stringValue;
    void* function;
};
struct PointerPointerAndInt {
    Header header;
    void* pointer;
    void* pointerValue;
    int32_t intValue;
};
struct RegisterHandler {
    Header header;
    std::string string1;
    std::string string2;
    uint32_t mask;
};

// An overlay-text record, which the host reads for create and update and
// fills for get.
struct OverlayText {
    std::string text;
    std::string viewport;
    double x;
    double y;
    std::string fontName;
    int32_t fontSize;
    uint32_t color;
};

// The records of the plug-in function interface, which the host fills and
// reads when it calls a plug-in's functions.
struct TerrainRasterNodeRequest {
    uint8_t** buffer;
    uint32_t* bufferSize;
    uint32_t* currentRasterSize;
    const uint8_t* nodeID;
    int16_t threadIndex;
    void* userData;
};

struct TerrainRasterSetParseToken {
    std::string tokenName;
    std::string tokenValue;
    void** userData;
};

struct TerrainRasterSetRequestInfo {
    std::string rasterSetName;
    int32_t activeRequestLimit;
    int32_t pixelLength;
    int32_t shallowestLevel;
    int32_t deepestLevel;
    int32_t rasterFormat;
    std::string source;
    std::string classification;
    std::string description;
    bool timeSpecified;
    int32_t timeValueYear;
    double timeValueSecondsSinceRefYear;
    bool hasNoDataValue;
    float noDataValue;
    bool hasIgnoreAboveValue;
    float ignoreAboveValue;
    bool hasIgnoreBelowValue;
    float ignoreBelowValue;
    bool hasReplacementValue;
    float replacementValue;
    uint64_t wwExtents[4];
    uint64_t wExtents[4];
    uint64_t eExtents[4];
    uint64_t eeExtents[4];
    uint64_t nExtents[4];
    uint64_t sExtents[4];
    void* userData;
};

// The parameter maps, keyed by the 32-bit parameter names.
struct FunctionParams {
    std::map<int32_t, std::string> strMap;
    std::map<int32_t, uint64_t> intMap;
    std::map<int32_t, double> dblMap;
    std::map<int32_t, void*> ptrMap;
};

struct ClientFuncAndData {
    void* (*funcPointer)(void* clientData, FunctionParams* params);
    void* clientData;
};

// The plug-in objects whose fields the host may read: every GUI proxy
// starts with these two fields, a window adds its layout record, a dialog
// box one bool after that.
struct ProxyObject {
    const void* vtable;
    void* serverHandle;
    bool ownsServerObject;
};
struct ProxyWindow {
    ProxyObject object;
    LayoutRecord* layoutOpts;
};
struct ProxyDialogBox {
    ProxyWindow window;
    bool wasShown;
};

// The library's own collector of proxies, reached through
// g_PI_GarbageCollector by whoever unloads the plug-in.
struct GarbageCollector {
    const void* vtable;
    std::vector<void*> objects;
    bool destroying;
};

// A client holding one interface, and the adapter holding the export
// delegate it owns: one pointer after the vtable.
struct OnePointerObject {
    const void* vtable;
    void* pointer;
};

}  // namespace hostview
