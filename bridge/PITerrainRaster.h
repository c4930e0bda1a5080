// The records a terrain-raster plug-in exchanges with the host through its
// plug-in functions (PI_CLIENTFUNC_INITIALIZETERRAINRASTERSET to
// PI_CLIENTFUNC_GETTERRAINRASTERSETINFO). The host fills and reads them; the
// meaning of each field is the host's.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/PIStringAbi.h"

// A request for the raster of one node.
struct PITerrainRasterNodeRequest {
    uint8_t** buffer = nullptr;
    uint32_t* bufferSize = nullptr;
    uint32_t* currentRasterSize = nullptr;
    const uint8_t* nodeID = nullptr;
    int16_t threadIndex = 0;
    void* userData = nullptr;
};

// One token of a raster set's description.
struct PITerrainRasterSetParseToken {
    std::string tokenName;
    std::string tokenValue;
    void** userData = nullptr;
};

// What the host asks of a raster set. Each "has" flag tells whether the value
// after it is meaningful.
struct PITerrainRasterSetRequestInfo {
    std::string rasterSetName;
    int activeRequestLimit = 3;
    int pixelLength = 256;
    int shallowestLevel = 0;
    int deepestLevel = 18;
    int rasterFormat = 0;
    std::string source = "none";
    std::string classification = "none";
    std::string description = "none";
    bool timeSpecified = false;
    int timeValueYear = 1990;
    double timeValueSecondsSinceRefYear = 0.0;
    bool hasNoDataValue = false;
    float noDataValue = 0.0f;
    bool hasIgnoreAboveValue = false;
    float ignoreAboveValue = 0.0f;
    bool hasIgnoreBelowValue = false;
    float ignoreBelowValue = 0.0f;
    bool hasReplacementValue = false;
    float replacementValue = 0.0f;
    uint64_t wwExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    uint64_t wExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    uint64_t eExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    uint64_t eeExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    uint64_t nExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    uint64_t sExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    void* userData = nullptr;
};
