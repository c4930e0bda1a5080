// Types of the plug-in function interface: the functions the host calls in a
// plug-in, identified by PIClientFunctions_t codes.
#pragma once

#include <cstdint>
#include <map>

#include "bridge/PIPluginConstants.h"

struct PIFunctionParams_t;

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
