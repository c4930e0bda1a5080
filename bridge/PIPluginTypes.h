// Types of the plug-in function interface: the functions the host calls in a
// plug-in, identified by PIClientFunctions_t codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "bridge/PIPluginConstants.h"

// The parameters a plug-in function receives, keyed by PI_PARAMNAME_ codes.
typedef std::map<PIParameterName_t, std::string> PIFunctionParamsStringMap_t;
typedef std::map<PIParameterName_t, uint64_t> PIFunctionParamsIntMap_t;
typedef std::map<PIParameterName_t, double> PIFunctionParamsDoubleMap_t;
typedef std::map<PIParameterName_t, void*> PIFunctionParamsPointerMap_t;

struct PIFunctionParams_t {
    PIFunctionParamsStringMap_t strMap;
    PIFunctionParamsIntMap_t intMap;
    PIFunctionParamsDoubleMap_t dblMap;
    PIFunctionParamsPointerMap_t ptrMap;

    // The number of entries of the four maps together.
    size_t size() const { return strMap.size() + intMap.size() + dblMap.size() + ptrMap.size(); }
    // Empties the four maps.
    void clear() {
        strMap.clear();
        intMap.clear();
        dblMap.clear();
        ptrMap.clear();
    }
};

// A plug-in function: called with its client data and the parameter maps.
typedef void* PIPluginFunction_t(void* clientData, PIFunctionParams_t* params);

// A plug-in function together with the client data it is called with.
struct PIClientFuncAndData_t {
    PIClientFuncAndData_t(PIPluginFunction_t* func = nullptr, void* cData = nullptr)
        : funcPointer(func), clientData(cData) {}

    PIPluginFunction_t* funcPointer;
    void* clientData;
};

typedef std::map<PIClientFunctions_t, PIClientFuncAndData_t> ClientMessageMap_t;
