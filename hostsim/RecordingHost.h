// The recording test host.
//
// A shared library that exports SPI_GetFunctionMap. Its function map records
// every request (context pointer, code, the raw data pointer and the block
// decoded by its class, as the host reads it) and answers through responders
// that a test installs per code. Without a responder the block is left
// untouched and Call returns null, as a host that does not handle the code.
//
// The host reads blocks through its own declarations of the binary layout,
// never through the library's headers, so every test made against it also
// checks the layout of the blocks it sends and the slot order of Functor__.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bridge/PIStringAbi.h"

#define TESTHOST_API __attribute__((visibility("default")))

namespace testhost {

// The class of block a code carries, as the host knows it.
enum class BlockKind {
    Null,  // data was null
    Raw,   // a code the host has no block class for: only the address is kept
    CatchAll,
    PointerAndBool,
    PointerAndInt,
    PointerAndDouble,
    PointerAndString,
    PointerAndFunction,
    PointerAndPointer,
    PointerAndOpts,
    PointerIntAndBool,
    PointerIntAndString,
    PointerIntAndFunction,
    PointerStringAndString,
    PointerStringAndFunction,
    PointerPointerAndInt,
    RegisterHandler,
    DirectString,  // data is the address of a std::string
    DirectInt,     // data is the address of an int
};

TESTHOST_API const char* kindName(BlockKind kind);

// What the host read from the data argument before answering. Only the
// fields of the block's class are filled; the others keep their defaults.
struct Block {
    BlockKind kind = BlockKind::Null;
    std::array<int32_t, 9> opts{};
    std::vector<double> dbls;
    std::vector<int32_t> ints;
    std::vector<std::string> strs;
    std::vector<const void*> ptrs;
    const void* pointer = nullptr;
    const void* pointerValue = nullptr;
    const void* function = nullptr;
    int32_t intValue = 0;
    double doubleValue = 0;
    bool boolValue = false;
    std::string stringValue;
    std::string stringValue2;
    std::string string1;
    std::string string2;
    uint32_t mask = 0;
    std::string directString;
    int32_t directInt = 0;
};

struct TESTHOST_API Request {
    const void* context = nullptr;
    int32_t code = 0;
    const void* data = nullptr;
    Block block;

    // Element 0 of intVector, or -1 when the block has none.
    int32_t selector() const;
};

// The live request being answered: a responder writes its answer through it
// into the caller's block, as the real host does.
class TESTHOST_API Exchange {
public:
    Exchange(const Request& request, void* data) : request_(request), data_(data) {}

    const Request& request() const { return request_; }
    int32_t selector() const { return request_.selector(); }
    void* data() const { return data_; }

    // PI_DATA_CATCHALL elements, written in place.
    void setInt(std::size_t index, int32_t value);
    void setDouble(std::size_t index, double value);
    void setString(std::size_t index, const std::string& value);
    void setPointer(std::size_t index, void* value);
    void* pointerAt(std::size_t index) const;

    // Fixed-field blocks.
    void setIntValue(int32_t value);
    void setDoubleValue(double value);
    void setBoolValue(bool value);
    void setStringValue(const std::string& value);
    void setPointerValue(void* value);

    // Direct requests.
    void setDirectString(const std::string& value);
    void setDirectInt(int32_t value);

private:
    const Request& request_;
    void* data_;
};

// Answers one request; its result is what Call returns.
using Responder = std::function<void*(Exchange&)>;

// Installs (or replaces) the responder for `code`; an empty one removes it.
TESTHOST_API void respond(int32_t code, Responder responder);

// Sees every request once it has been answered: the request as it arrived,
// the block as the host left it, and what Call returned. An empty one removes
// it.
using Observer = std::function<void(const Request& request, const Block& answered, void* result)>;
TESTHOST_API void observe(Observer observer);

// Tells the host which block class `code` carries (the built-in table knows
// the codes the library sends).
TESTHOST_API void setBlockKind(int32_t code, BlockKind kind);

// Every request since the last reset, in order, context lookups included.
TESTHOST_API const std::vector<Request>& requests();
// The requests with one code, in order.
TESTHOST_API std::vector<Request> requestsWithCode(int32_t code);
// How often the library called slot 0 (operator()) instead of Call.
TESTHOST_API int slotZeroCalls();

// Forgets the requests recorded so far.
TESTHOST_API void clearRequests();

// Forgets requests, responders, the observer and block-kind changes.
TESTHOST_API void reset();

// The host's function map, as SPI_GetFunctionMap returns it.
TESTHOST_API void* functionMap();

}  // namespace testhost

extern "C" TESTHOST_API void* SPI_GetFunctionMap();
