// Parameter blocks: the objects whose address travels as the data argument
// of a host request.
//
// The host is built separately and reads these classes by layout, so the
// classes, their single inheritance from PI_DATA_BASE_CLASS, the order of
// their fields and the field types are part of the binary contract.
// Strings use the reference-counted representation the host also uses
// (the library is built with _GLIBCXX_USE_CXX11_ABI=0).
//
// A block lives for one request: built on the sender's stack, filled, sent,
// read back, destroyed. Destroying a block frees `opts` and its own strings
// and vectors, never the objects, callbacks or variables whose addresses it
// carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/PIExport.h"
#include "bridge/PIFunctorTwoParams.h"
#include "bridge/PILayoutOpts.h"

class PI_EXPORT PI_DATA_BASE_CLASS {
public:
    // Allocates `opts` holding the default layout record.
    PI_DATA_BASE_CLASS();
    virtual ~PI_DATA_BASE_CLASS();

    PI_DATA_BASE_CLASS(const PI_DATA_BASE_CLASS&) = delete;
    PI_DATA_BASE_CLASS& operator=(const PI_DATA_BASE_CLASS&) = delete;

    PILayoutOpts_t* opts;
};

// The general block. Element 0 of intVector selects the operation for codes
// that group several; a result slot pre-set to the no-host answer usually
// follows at element 1. Bools travel as 0 or 1 and unsigned values as the
// same 32 bits in intVector; 64-bit identifiers travel by address.
class PI_EXPORT PI_DATA_CATCHALL : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_CATCHALL();
    ~PI_DATA_CATCHALL() override;

    std::vector<double> dblVector;
    std::vector<int32_t> intVector;
    std::vector<std::string> strVector;
    std::vector<void*> ptrVector;
};

// Fixed-field blocks. `pointer` is the server handle of the object the
// request concerns (of the parent for a creation request), or null.

class PI_EXPORT PI_DATA_POINTER_AND_BOOL : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_BOOL();
    ~PI_DATA_POINTER_AND_BOOL() override;
    void* pointer;
    bool boolValue;
};

class PI_EXPORT PI_DATA_POINTER_AND_INT : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_INT();
    ~PI_DATA_POINTER_AND_INT() override;
    void* pointer;
    int32_t intValue;
};

class PI_EXPORT PI_DATA_POINTER_AND_DOUBLE : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_DOUBLE();
    ~PI_DATA_POINTER_AND_DOUBLE() override;
    void* pointer;
    double doubleValue;
};

class PI_EXPORT PI_DATA_POINTER_AND_STRING : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_STRING();
    ~PI_DATA_POINTER_AND_STRING() override;
    void* pointer;
    std::string stringValue;
};

class PI_EXPORT PI_DATA_POINTER_AND_FUNCTION : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_FUNCTION();
    ~PI_DATA_POINTER_AND_FUNCTION() override;
    void* pointer;
    FunctorTwoParams__* function;
};

class PI_EXPORT PI_DATA_POINTER_AND_POINTER : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_POINTER();
    ~PI_DATA_POINTER_AND_POINTER() override;
    void* pointer;
    void* pointerValue;
};

// The layout of a frame or switcher being created travels in `opts`.
class PI_EXPORT PI_DATA_POINTER_AND_OPTS : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_AND_OPTS();
    ~PI_DATA_POINTER_AND_OPTS() override;
    void* pointer;
};

class PI_EXPORT PI_DATA_POINTER_INT_AND_BOOL : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_INT_AND_BOOL();
    ~PI_DATA_POINTER_INT_AND_BOOL() override;
    void* pointer;
    int32_t intValue;
    bool boolValue;
};

class PI_EXPORT PI_DATA_POINTER_INT_AND_STRING : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_INT_AND_STRING();
    ~PI_DATA_POINTER_INT_AND_STRING() override;
    void* pointer;
    int32_t intValue;
    std::string stringValue;
};

class PI_EXPORT PI_DATA_POINTER_INT_AND_FUNCTION : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_INT_AND_FUNCTION();
    ~PI_DATA_POINTER_INT_AND_FUNCTION() override;
    void* pointer;
    int32_t intValue;
    FunctorTwoParams__* function;
};

class PI_EXPORT PI_DATA_POINTER_STRING_AND_STRING : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_STRING_AND_STRING();
    ~PI_DATA_POINTER_STRING_AND_STRING() override;
    void* pointer;
    std::string stringValue;
    std::string stringValue2;
};

class PI_EXPORT PI_DATA_POINTER_STRING_AND_FUNCTION : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_STRING_AND_FUNCTION();
    ~PI_DATA_POINTER_STRING_AND_FUNCTION() override;
    void* pointer;
    std::string stringValue;
    FunctorTwoParams__* function;
};

class PI_EXPORT PI_DATA_POINTER_POINTER_AND_INT : public PI_DATA_BASE_CLASS {
public:
    PI_DATA_POINTER_POINTER_AND_INT();
    ~PI_DATA_POINTER_POINTER_AND_INT() override;
    void* pointer;
    void* pointerValue;
    int32_t intValue;
};

// File handlers (code 500) fill all three fields; network handlers (code 501)
// fill string2 only, leaving string1 empty and mask 0.
class PI_EXPORT PI_REGISTER_HANDLER_DATA : public PI_DATA_BASE_CLASS {
public:
    PI_REGISTER_HANDLER_DATA();
    ~PI_REGISTER_HANDLER_DATA() override;
    std::string string1;
    std::string string2;
    uint32_t mask;
};
