// The function map: the host's one dispatch object, and the single path by
// which every request of the library reaches the host.
//
// The host exports `SPI_GetFunctionMap` (extern "C", no arguments, returns a
// Functor__* or null). The library finds it at module initialisation and
// sends every request through slot 1, `Call(context, code, data)`.
#pragma once

#include <list>
#include <map>

#include "bridge/PIExport.h"
#include "bridge/PIFunctorTwoParams.h"
#include "bridge/PIPluginTypes.h"
#include "bridge/PIServerFunctions.h"

// Host dispatch object, owned by the host. Slot order is binding:
//   0 operator(), 1 Call, 2 and 3 the destructor pair.
// The library only ever calls slot 1.
class PI_EXPORT Functor__ {
public:
    // Same contract as Call; a concrete function map forwards it to Call.
    virtual void* operator()(void* context, PIServerFunctions_t code, void* data) = 0;
    // Performs request `code` for the plug-in identified by `context`,
    // reading arguments from and writing results into `data` (null, a
    // parameter block, or the address of a plain result object).
    virtual void* Call(void* context, PIServerFunctions_t code, void* data) = 0;
    virtual ~Functor__();
};

// The do-nothing function map of debug/ignore mode: every Call returns null
// and leaves `data` untouched, so every operation answers its pre-set default.
class PI_EXPORT IgnoreFunctor : public Functor__ {
public:
    void* operator()(void* context, PIServerFunctions_t code, void* data) override;
    void* Call(void* context, PIServerFunctions_t code, void* data) override;
    ~IgnoreFunctor() override;
};

// The host's function map; null until found by _initializePluginFunctionMap
// or replaced by the ignore map of __setDebugIgnore. Never reset to null.
extern PI_EXPORT Functor__* g_FunctionMap;
// Default call-context pointer, set once at initialisation to the context
// the host reports as current.
extern PI_EXPORT void* g_This;
// Built at load and destroyed at unload; nothing in the library adds to or
// reads them.
extern PI_EXPORT std::list<FunctorTwoParams__*> g_FunctorList;
extern PI_EXPORT ClientMessageMap_t g_ClientMessageMap;

// The dispatch point. Sends the context lookup (code 16) and then `code`
// with `data` through Call, with the override context or g_This, and returns
// what Call returned. Without a function map it writes the no-host message
// to standard error and returns null (the lookup writes it once more).
PI_EXPORT void* handle(PIServerFunctions_t code, void* data);

// Looks up SPI_GetFunctionMap in the whole process and, when it yields a
// map, stores it and sets g_This to the host's current context. A map or
// context already present is kept.
PI_EXPORT void _initializePluginFunctionMap();

// Switches to debug/ignore mode when no function map is present: the
// ignore map is installed (once) and, unless `quiet`, five lines announcing
// the mode go to standard output. With a map present it does nothing.
PI_EXPORT void __setDebugIgnore(bool quiet = false);
