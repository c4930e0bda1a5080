// Types of the plug-in function interface: the functions the host calls in a
// plug-in, identified by PIClientFunctions_t codes.
#pragma once

#include <cstdint>
#include <map>

struct PIFunctionParams_t;

// The plug-in functions the host calls.
enum PIClientFunctions_t : int32_t {
    PI_CLIENTFUNC_INITIALIZE = 0,
    PI_CLIENTFUNC_CALLBACK = 1,
    PI_CLIENTFUNC_QUIT = 2,
    PI_CLIENTFUNC_NAME = 3,
    PI_CLIENTFUNC_CLOSELOCATION = 4,
    PI_CLIENTFUNC_OPENLOCATION = 5,
    PI_CLIENTFUNC_FINDNETWORK = 6,
    PI_CLIENTFUNC_HANDLECONFIG = 7,
    PI_CLIENTFUNC_SAVECONFIG = 8,
    PI_CLIENTFUNC_EVENTANNOUNCEMENT = 9,
    PI_CLIENTFUNC_DRAWONREFRESH = 10,
    PI_CLIENTFUNC_LOADINKARVEN = 11,
    PI_CLIENTFUNC_LOADINGRAFYN = 12,
    PI_CLIENTFUNC_LOADINZENTRIK = 13,
    PI_CLIENTFUNC_LOADINTESSIVAR = 14,
    PI_CLIENTFUNC_PREDRAWONREFRESH = 15,
    PI_CLIENTFUNC_HANDLEMOUSEEVENT = 16,
    PI_CLIENTFUNC_INITIALIZETERRAINRASTERSET = 17,
    PI_CLIENTFUNC_PARSETERRAINRASTERSETTOKEN = 18,
    PI_CLIENTFUNC_GETTERRAINRASTERSETTOKENSTRING = 19,
    PI_CLIENTFUNC_GETTERRAINRASTERNODE = 20,
    PI_CLIENTFUNC_DEREFERENCETERRAINRASTERSET = 21,
    PI_CLIENTFUNC_GETTERRAINRASTERSETINFO = 22,
    PI_CLIENTFUNC_DESCRIPTION = 23,
    PI_CLIENTFUNC_AUTHOR = 24,
    PI_CLIENTFUNC_VERSION = 25,
    PI_CLIENTFUNC_URL = 26,
    PI_CLIENTFUNC_CONTACTINFO = 27,
    PI_CLIENTFUNC_LOADINKARVEN10 = 28,
    PI_CLIENTFUNC_REGISTERCMDLINE = 29,
    PI_CLIENTFUNC_LOADINGRAFYN10 = 30,
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
