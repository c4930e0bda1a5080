// Parameter-block constructors and destructors, and the binary layout the
// host relies on, checked at compile time for LP64.

#include <cstddef>

#include "bridge/PIParameterBlocks.h"

PI_DATA_BASE_CLASS::PI_DATA_BASE_CLASS() : opts(new PILayoutOpts_t) {}
PI_DATA_BASE_CLASS::~PI_DATA_BASE_CLASS() { delete opts; }

PI_DATA_CATCHALL::PI_DATA_CATCHALL() = default;
PI_DATA_CATCHALL::~PI_DATA_CATCHALL() = default;

PI_DATA_POINTER_AND_BOOL::PI_DATA_POINTER_AND_BOOL() : pointer(nullptr), boolValue(false) {}
PI_DATA_POINTER_AND_BOOL::~PI_DATA_POINTER_AND_BOOL() = default;
PI_DATA_POINTER_AND_INT::PI_DATA_POINTER_AND_INT() : pointer(nullptr), intValue(0) {}
PI_DATA_POINTER_AND_INT::~PI_DATA_POINTER_AND_INT() = default;
PI_DATA_POINTER_AND_DOUBLE::PI_DATA_POINTER_AND_DOUBLE() : pointer(nullptr), doubleValue(0.0) {}
PI_DATA_POINTER_AND_DOUBLE::~PI_DATA_POINTER_AND_DOUBLE() = default;
PI_DATA_POINTER_AND_STRING::PI_DATA_POINTER_AND_STRING() : pointer(nullptr) {}
PI_DATA_POINTER_AND_STRING::~PI_DATA_POINTER_AND_STRING() = default;
PI_DATA_POINTER_AND_FUNCTION::PI_DATA_POINTER_AND_FUNCTION() : pointer(nullptr), function(nullptr) {}
PI_DATA_POINTER_AND_FUNCTION::~PI_DATA_POINTER_AND_FUNCTION() = default;
PI_DATA_POINTER_AND_POINTER::PI_DATA_POINTER_AND_POINTER() : pointer(nullptr), pointerValue(nullptr) {}
PI_DATA_POINTER_AND_POINTER::~PI_DATA_POINTER_AND_POINTER() = default;
PI_DATA_POINTER_AND_OPTS::PI_DATA_POINTER_AND_OPTS() : pointer(nullptr) {}
PI_DATA_POINTER_AND_OPTS::~PI_DATA_POINTER_AND_OPTS() = default;
PI_DATA_POINTER_INT_AND_BOOL::PI_DATA_POINTER_INT_AND_BOOL()
    : pointer(nullptr), intValue(0), boolValue(false) {}
PI_DATA_POINTER_INT_AND_BOOL::~PI_DATA_POINTER_INT_AND_BOOL() = default;
PI_DATA_POINTER_INT_AND_STRING::PI_DATA_POINTER_INT_AND_STRING() : pointer(nullptr), intValue(0) {}
PI_DATA_POINTER_INT_AND_STRING::~PI_DATA_POINTER_INT_AND_STRING() = default;
PI_DATA_POINTER_INT_AND_FUNCTION::PI_DATA_POINTER_INT_AND_FUNCTION()
    : pointer(nullptr), intValue(0), function(nullptr) {}
PI_DATA_POINTER_INT_AND_FUNCTION::~PI_DATA_POINTER_INT_AND_FUNCTION() = default;
PI_DATA_POINTER_STRING_AND_STRING::PI_DATA_POINTER_STRING_AND_STRING() : pointer(nullptr) {}
PI_DATA_POINTER_STRING_AND_STRING::~PI_DATA_POINTER_STRING_AND_STRING() = default;
PI_DATA_POINTER_STRING_AND_FUNCTION::PI_DATA_POINTER_STRING_AND_FUNCTION()
    : pointer(nullptr), function(nullptr) {}
PI_DATA_POINTER_STRING_AND_FUNCTION::~PI_DATA_POINTER_STRING_AND_FUNCTION() = default;
PI_DATA_POINTER_POINTER_AND_INT::PI_DATA_POINTER_POINTER_AND_INT()
    : pointer(nullptr), pointerValue(nullptr), intValue(0) {}
PI_DATA_POINTER_POINTER_AND_INT::~PI_DATA_POINTER_POINTER_AND_INT() = default;
PI_REGISTER_HANDLER_DATA::PI_REGISTER_HANDLER_DATA() : mask(0) {}
PI_REGISTER_HANDLER_DATA::~PI_REGISTER_HANDLER_DATA() = default;

// The layout of the blocks as the host reads them: vtable pointer, `opts`,
// then the fields in declaration order. Strings are one pointer wide in the
// reference-counted representation.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(void*) == 8, "the block layout is fixed for LP64");
static_assert(sizeof(std::string) == 8,
              "blocks need the reference-counted string (_GLIBCXX_USE_CXX11_ABI=0)");
static_assert(sizeof(PILayoutOpts_t) == 36 && offsetof(PILayoutOpts_t, options) == 32, "PILayoutOpts_t");
static_assert(sizeof(PI_DATA_BASE_CLASS) == 16 && offsetof(PI_DATA_BASE_CLASS, opts) == 8,
              "PI_DATA_BASE_CLASS");
static_assert(sizeof(PI_DATA_CATCHALL) == 112, "PI_DATA_CATCHALL");
static_assert(offsetof(PI_DATA_CATCHALL, dblVector) == 16 && offsetof(PI_DATA_CATCHALL, intVector) == 40 &&
                  offsetof(PI_DATA_CATCHALL, strVector) == 64 && offsetof(PI_DATA_CATCHALL, ptrVector) == 88,
              "PI_DATA_CATCHALL");
static_assert(sizeof(PI_DATA_POINTER_AND_BOOL) == 32 && offsetof(PI_DATA_POINTER_AND_BOOL, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_BOOL, boolValue) == 24,
              "PI_DATA_POINTER_AND_BOOL");
static_assert(sizeof(PI_DATA_POINTER_AND_INT) == 32 && offsetof(PI_DATA_POINTER_AND_INT, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_INT, intValue) == 24,
              "PI_DATA_POINTER_AND_INT");
static_assert(sizeof(PI_DATA_POINTER_AND_DOUBLE) == 32 &&
                  offsetof(PI_DATA_POINTER_AND_DOUBLE, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_DOUBLE, doubleValue) == 24,
              "PI_DATA_POINTER_AND_DOUBLE");
static_assert(sizeof(PI_DATA_POINTER_AND_STRING) == 32 &&
                  offsetof(PI_DATA_POINTER_AND_STRING, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_STRING, stringValue) == 24,
              "PI_DATA_POINTER_AND_STRING");
static_assert(sizeof(PI_DATA_POINTER_AND_FUNCTION) == 32 &&
                  offsetof(PI_DATA_POINTER_AND_FUNCTION, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_FUNCTION, function) == 24,
              "PI_DATA_POINTER_AND_FUNCTION");
static_assert(sizeof(PI_DATA_POINTER_AND_POINTER) == 32 &&
                  offsetof(PI_DATA_POINTER_AND_POINTER, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_AND_POINTER, pointerValue) == 24,
              "PI_DATA_POINTER_AND_POINTER");
static_assert(sizeof(PI_DATA_POINTER_AND_OPTS) == 24 && offsetof(PI_DATA_POINTER_AND_OPTS, pointer) == 16,
              "PI_DATA_POINTER_AND_OPTS");
static_assert(sizeof(PI_DATA_POINTER_INT_AND_BOOL) == 32 &&
                  offsetof(PI_DATA_POINTER_INT_AND_BOOL, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_INT_AND_BOOL, intValue) == 24 &&
                  offsetof(PI_DATA_POINTER_INT_AND_BOOL, boolValue) == 28,
              "PI_DATA_POINTER_INT_AND_BOOL");
static_assert(sizeof(PI_DATA_POINTER_INT_AND_STRING) == 40 &&
                  offsetof(PI_DATA_POINTER_INT_AND_STRING, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_INT_AND_STRING, intValue) == 24 &&
                  offsetof(PI_DATA_POINTER_INT_AND_STRING, stringValue) == 32,
              "PI_DATA_POINTER_INT_AND_STRING");
static_assert(sizeof(PI_DATA_POINTER_INT_AND_FUNCTION) == 40 &&
                  offsetof(PI_DATA_POINTER_INT_AND_FUNCTION, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_INT_AND_FUNCTION, intValue) == 24 &&
                  offsetof(PI_DATA_POINTER_INT_AND_FUNCTION, function) == 32,
              "PI_DATA_POINTER_INT_AND_FUNCTION");
static_assert(sizeof(PI_DATA_POINTER_STRING_AND_STRING) == 40 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_STRING, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_STRING, stringValue) == 24 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_STRING, stringValue2) == 32,
              "PI_DATA_POINTER_STRING_AND_STRING");
static_assert(sizeof(PI_DATA_POINTER_STRING_AND_FUNCTION) == 40 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_FUNCTION, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_FUNCTION, stringValue) == 24 &&
                  offsetof(PI_DATA_POINTER_STRING_AND_FUNCTION, function) == 32,
              "PI_DATA_POINTER_STRING_AND_FUNCTION");
static_assert(sizeof(PI_DATA_POINTER_POINTER_AND_INT) == 40 &&
                  offsetof(PI_DATA_POINTER_POINTER_AND_INT, pointer) == 16 &&
                  offsetof(PI_DATA_POINTER_POINTER_AND_INT, pointerValue) == 24 &&
                  offsetof(PI_DATA_POINTER_POINTER_AND_INT, intValue) == 32,
              "PI_DATA_POINTER_POINTER_AND_INT");
static_assert(sizeof(PI_REGISTER_HANDLER_DATA) == 40 && offsetof(PI_REGISTER_HANDLER_DATA, string1) == 16 &&
                  offsetof(PI_REGISTER_HANDLER_DATA, string2) == 24 &&
                  offsetof(PI_REGISTER_HANDLER_DATA, mask) == 32,
              "PI_REGISTER_HANDLER_DATA");
#pragma GCC diagnostic pop
