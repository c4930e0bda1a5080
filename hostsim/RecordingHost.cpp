// The recording test host: a function map that records and answers.

#include "hostsim/RecordingHost.h"

#include <map>
#include <stdexcept>

#include "hostsim/HostDeclarations.h"

namespace testhost {
namespace {

// Block classes of the codes the library sends.
const std::map<int32_t, BlockKind>& builtInKinds() {
    static const std::map<int32_t, BlockKind> kinds = {
        {16, BlockKind::CatchAll},   // call-context override

        // GUI proxies.
        {100, BlockKind::PointerAndPointer},         // bind a proxy
        {101, BlockKind::PointerStringAndString},    // registry write
        {102, BlockKind::PointerAndString},          // registry read
        {103, BlockKind::PointerAndString},          // create menu
        {104, BlockKind::Raw},                       // create menu separator: the menu handle
        {105, BlockKind::PointerStringAndFunction},  // create menu item
        {106, BlockKind::PointerStringAndFunction},  // create toolbar button
        {108, BlockKind::PointerAndOpts},            // create vertical frame
        {109, BlockKind::PointerAndOpts},            // create horizontal frame
        {110, BlockKind::PointerAndString},          // create group box
        {111, BlockKind::PointerAndInt},             // create vertical matrix
        {112, BlockKind::PointerAndInt},             // create horizontal matrix
        {113, BlockKind::PointerAndOpts},            // create switcher
        {114, BlockKind::PointerAndString},          // create dialog box
        {115, BlockKind::Raw},                       // show dialog box: the handle
        {118, BlockKind::PointerStringAndFunction},  // create button
        {119, BlockKind::PointerIntAndFunction},     // create text field
        {120, BlockKind::PointerAndString},          // create label
        {121, BlockKind::PointerStringAndFunction},  // create radio button
        {122, BlockKind::PointerStringAndFunction},  // create check button
        {123, BlockKind::PointerIntAndFunction},     // create colour well
        {124, BlockKind::PointerStringAndFunction},  // create option menu
        {125, BlockKind::PointerIntAndFunction},     // create spinner
        {126, BlockKind::PointerIntAndString},       // create list
        {127, BlockKind::CatchAll},                  // list: append item
        {128, BlockKind::PointerAndInt},             // list: remove item
        {129, BlockKind::PointerAndInt},             // list: number of items
        {130, BlockKind::PointerAndInt},             // list: selected item
        {131, BlockKind::PointerIntAndBool},         // list: select item
        {132, BlockKind::Raw},                       // list: deselect all: the handle
        {133, BlockKind::PointerIntAndString},       // list: item text
        {134, BlockKind::PointerIntAndString},       // list: set item text
        {135, BlockKind::PointerAndInt},             // list: item data
        {136, BlockKind::PointerPointerAndInt},      // list: set item data
        {137, BlockKind::PointerIntAndString},       // list: append header
        {138, BlockKind::PointerAndInt},             // list: remove header
        {139, BlockKind::PointerIntAndString},       // option menu: append
        {140, BlockKind::PointerPointerAndInt},      // spinner range
        {141, BlockKind::PointerPointerAndInt},      // switcher current panel
        {142, BlockKind::Raw},                       // destroy: the handle
        {143, BlockKind::PointerAndBool},            // window hidden
        {144, BlockKind::PointerAndBool},            // window enabled
        {145, BlockKind::PointerAndBool},            // window checked
        {146, BlockKind::PointerAndFunction},        // window map function
        {147, BlockKind::Raw},                       // window has focus: the handle
        {148, BlockKind::Raw},                       // window shown: the handle
        {149, BlockKind::PointerAndInt},             // window int value
        {150, BlockKind::PointerAndDouble},          // window double value
        {151, BlockKind::PointerAndString},          // window text value
        {152, BlockKind::PointerAndInt},             // window set int
        {153, BlockKind::PointerAndDouble},          // window set double
        {154, BlockKind::PointerAndString},          // window set text
        {155, BlockKind::CatchAll},                  // mouse grab, cursor override
        {156, BlockKind::Raw},                       // window set focus: the handle
        {157, BlockKind::CatchAll},                  // coordinates from the main window
        {158, BlockKind::CatchAll},                  // icons
        {159, BlockKind::CatchAll},                  // option-menu entries
        {160, BlockKind::CatchAll},                  // dialog close observers
        {161, BlockKind::CatchAll},                  // dialog docking
        {162, BlockKind::CatchAll},                  // progress dialog
        {164, BlockKind::CatchAll},                  // text-field placeholder
        {165, BlockKind::CatchAll},                  // tab widget
        {166, BlockKind::CatchAll},                  // window size limits, style sheet
        {167, BlockKind::CatchAll},                  // list selection mode
        {168, BlockKind::CatchAll},                  // server garbage

        {319, BlockKind::CatchAll},  // actions and hot keys
        {322, BlockKind::CatchAll},  // services
        // Viewports, overlay texts, drawing, earth model.
        {308, BlockKind::CatchAll},
        {310, BlockKind::DirectString},
        {311, BlockKind::DirectInt},
        {312, BlockKind::DirectInt},
        {314, BlockKind::DirectString},
        {315, BlockKind::CatchAll},
        {320, BlockKind::CatchAll},
        {327, BlockKind::CatchAll},
        {436, BlockKind::CatchAll},
        {438, BlockKind::CatchAll},
        // File and network handlers, import/export delegates, recording.
        {323, BlockKind::CatchAll},
        {500, BlockKind::RegisterHandler},
        {501, BlockKind::RegisterHandler},
        // Application information, notification, preferences (codes 10 to 14
        // and 302 to 305 carry null or raw data).
        {15, BlockKind::CatchAll},
        {300, BlockKind::DirectString},
        {301, BlockKind::DirectInt},
        {306, BlockKind::PointerStringAndString},
        {321, BlockKind::CatchAll},
        {324, BlockKind::CatchAll},
        {325, BlockKind::CatchAll},
        {326, BlockKind::CatchAll},
        // Dialogs, cursors, time-outs, server status (recording is 323).
        {163, BlockKind::CatchAll},
        {309, BlockKind::CatchAll},
        {317, BlockKind::CatchAll},
        {318, BlockKind::CatchAll},
    };
    return kinds;
}

struct HostState {
    std::vector<Request> requests;
    std::map<int32_t, Responder> responders;
    Observer observer;
    std::map<int32_t, BlockKind> kinds = builtInKinds();
    int slotZeroCalls = 0;
};

// Never destroyed: hosts built on this one (a service host held in a static
// of another library) still reach it while the process exits.
HostState& state() {
    static HostState* const instance = new HostState();
    return *instance;
}

template <typename View>
View& as(void* data) {
    return *static_cast<View*>(data);
}

template <typename View>
void readHeader(const View& view, Block& block) {
    for (std::size_t i = 0; i < block.opts.size(); ++i) {
        block.opts[i] = view.header.opts->values[i];
    }
}

Block decode(BlockKind kind, void* data) {
    Block block;
    if (data == nullptr) {
        return block;
    }
    block.kind = kind;
    using namespace hostview;
    switch (kind) {
    case BlockKind::Null:
    case BlockKind::Raw: break;
    case BlockKind::CatchAll: {
        const auto& v = as<CatchAll>(data);
        readHeader(v, block);
        block.dbls = v.dblVector;
        block.ints = v.intVector;
        block.strs = v.strVector;
        block.ptrs.assign(v.ptrVector.begin(), v.ptrVector.end());
        break;
    }
    case BlockKind::PointerAndBool: {
        const auto& v = as<PointerAndBool>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.boolValue = v.boolValue;
        break;
    }
    case BlockKind::PointerAndInt: {
        const auto& v = as<PointerAndInt>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.intValue = v.intValue;
        break;
    }
    case BlockKind::PointerAndDouble: {
        const auto& v = as<PointerAndDouble>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.doubleValue = v.doubleValue;
        break;
    }
    case BlockKind::PointerAndString: {
        const auto& v = as<PointerAndString>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.stringValue = v.stringValue;
        break;
    }
    case BlockKind::PointerAndFunction: {
        const auto& v = as<PointerAndFunction>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.function = v.function;
        break;
    }
    case BlockKind::PointerAndPointer: {
        const auto& v = as<PointerAndPointer>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.pointerValue = v.pointerValue;
        break;
    }
    case BlockKind::PointerAndOpts: {
        const auto& v = as<PointerAndOpts>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        break;
    }
    case BlockKind::PointerIntAndBool: {
        const auto& v = as<PointerIntAndBool>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.intValue = v.intValue;
        block.boolValue = v.boolValue;
        break;
    }
    case BlockKind::PointerIntAndString: {
        const auto& v = as<PointerIntAndString>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.intValue = v.intValue;
        block.stringValue = v.stringValue;
        break;
    }
    case BlockKind::PointerIntAndFunction: {
        const auto& v = as<PointerIntAndFunction>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.intValue = v.intValue;
        block.function = v.function;
        break;
    }
    case BlockKind::PointerStringAndString: {
        const auto& v = as<PointerStringAndString>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.stringValue = v.stringValue;
        block.stringValue2 = v.stringValue2;
        break;
    }
    case BlockKind::PointerStringAndFunction: {
        const auto& v = as<PointerStringAndFunction>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.stringValue = v.stringValue;
        block.function = v.function;
        break;
    }
    case BlockKind::PointerPointerAndInt: {
        const auto& v = as<PointerPointerAndInt>(data);
        readHeader(v, block);
        block.pointer = v.pointer;
        block.pointerValue = v.pointerValue;
        block.intValue = v.intValue;
        break;
    }
    case BlockKind::RegisterHandler: {
        const auto& v = as<RegisterHandler>(data);
        readHeader(v, block);
        block.string1 = v.string1;
        block.string2 = v.string2;
        block.mask = v.mask;
        break;
    }
    case BlockKind::DirectString: block.directString = as<std::string>(data); break;
    case BlockKind::DirectInt: block.directInt = as<int32_t>(data); break;
    }
    return block;
}

BlockKind kindOf(int32_t code) {
    const auto& kinds = state().kinds;
    const auto found = kinds.find(code);
    return found == kinds.end() ? BlockKind::Raw : found->second;
}

class RecordingFunctionMap final : public Functor__ {
public:
    void* operator()(void* context, int32_t code, void* data) override {
        ++state().slotZeroCalls;
        return Call(context, code, data);
    }

    void* Call(void* context, int32_t code, void* data) override {
        Request request;
        request.context = context;
        request.code = code;
        request.data = data;
        request.block = decode(kindOf(code), data);
        state().requests.push_back(request);

        void* result = nullptr;
        const auto responder = state().responders.find(code);
        if (responder != state().responders.end()) {
            Exchange exchange(request, data);
            // Copied: a responder may install responders while it runs.
            Responder answer = responder->second;
            result = answer(exchange);
        }
        if (state().observer) {
            Observer observer = state().observer;
            observer(request, decode(kindOf(code), data), result);
        }
        return result;
    }
};

RecordingFunctionMap& recordingMap() {
    static RecordingFunctionMap map;
    return map;
}

void expectKind(const Request& request, BlockKind kind) {
    if (request.block.kind != kind) {
        throw std::logic_error(std::string("responder writes a ") + kindName(kind) + " field into a " +
                               kindName(request.block.kind) + " request");
    }
}

}  // namespace

int32_t Request::selector() const {
    return block.kind == BlockKind::CatchAll && !block.ints.empty() ? block.ints[0] : -1;
}

const char* kindName(BlockKind kind) {
    switch (kind) {
    case BlockKind::Null: return "null";
    case BlockKind::Raw: return "raw";
    case BlockKind::CatchAll: return "PI_DATA_CATCHALL";
    case BlockKind::PointerAndBool: return "PI_DATA_POINTER_AND_BOOL";
    case BlockKind::PointerAndInt: return "PI_DATA_POINTER_AND_INT";
    case BlockKind::PointerAndDouble: return "PI_DATA_POINTER_AND_DOUBLE";
    case BlockKind::PointerAndString: return "PI_DATA_POINTER_AND_STRING";
    case BlockKind::PointerAndFunction: return "PI_DATA_POINTER_AND_FUNCTION";
    case BlockKind::PointerAndPointer: return "PI_DATA_POINTER_AND_POINTER";
    case BlockKind::PointerAndOpts: return "PI_DATA_POINTER_AND_OPTS";
    case BlockKind::PointerIntAndBool: return "PI_DATA_POINTER_INT_AND_BOOL";
    case BlockKind::PointerIntAndString: return "PI_DATA_POINTER_INT_AND_STRING";
    case BlockKind::PointerIntAndFunction: return "PI_DATA_POINTER_INT_AND_FUNCTION";
    case BlockKind::PointerStringAndString: return "PI_DATA_POINTER_STRING_AND_STRING";
    case BlockKind::PointerStringAndFunction: return "PI_DATA_POINTER_STRING_AND_FUNCTION";
    case BlockKind::PointerPointerAndInt: return "PI_DATA_POINTER_POINTER_AND_INT";
    case BlockKind::RegisterHandler: return "PI_REGISTER_HANDLER_DATA";
    case BlockKind::DirectString: return "std::string";
    case BlockKind::DirectInt: return "int";
    }
    return "?";
}

void Exchange::setInt(std::size_t index, int32_t value) {
    expectKind(request_, BlockKind::CatchAll);
    as<hostview::CatchAll>(data_).intVector.at(index) = value;
}

void Exchange::setDouble(std::size_t index, double value) {
    expectKind(request_, BlockKind::CatchAll);
    as<hostview::CatchAll>(data_).dblVector.at(index) = value;
}

void Exchange::setString(std::size_t index, const std::string& value) {
    expectKind(request_, BlockKind::CatchAll);
    as<hostview::CatchAll>(data_).strVector.at(index) = value;
}

void Exchange::setPointer(std::size_t index, void* value) {
    expectKind(request_, BlockKind::CatchAll);
    as<hostview::CatchAll>(data_).ptrVector.at(index) = value;
}

void* Exchange::pointerAt(std::size_t index) const {
    expectKind(request_, BlockKind::CatchAll);
    return as<hostview::CatchAll>(data_).ptrVector.at(index);
}

void Exchange::setIntValue(int32_t value) {
    using namespace hostview;
    switch (request_.block.kind) {
    case BlockKind::PointerAndInt: as<PointerAndInt>(data_).intValue = value; break;
    case BlockKind::PointerIntAndBool: as<PointerIntAndBool>(data_).intValue = value; break;
    case BlockKind::PointerIntAndString: as<PointerIntAndString>(data_).intValue = value; break;
    case BlockKind::PointerIntAndFunction: as<PointerIntAndFunction>(data_).intValue = value; break;
    case BlockKind::PointerPointerAndInt: as<PointerPointerAndInt>(data_).intValue = value; break;
    default: expectKind(request_, BlockKind::PointerAndInt);
    }
}

void Exchange::setDoubleValue(double value) {
    expectKind(request_, BlockKind::PointerAndDouble);
    as<hostview::PointerAndDouble>(data_).doubleValue = value;
}

void Exchange::setBoolValue(bool value) {
    using namespace hostview;
    switch (request_.block.kind) {
    case BlockKind::PointerAndBool: as<PointerAndBool>(data_).boolValue = value; break;
    case BlockKind::PointerIntAndBool: as<PointerIntAndBool>(data_).boolValue = value; break;
    default: expectKind(request_, BlockKind::PointerAndBool);
    }
}

void Exchange::setStringValue(const std::string& value) {
    using namespace hostview;
    switch (request_.block.kind) {
    case BlockKind::PointerAndString: as<PointerAndString>(data_).stringValue = value; break;
    case BlockKind::PointerIntAndString: as<PointerIntAndString>(data_).stringValue = value; break;
    case BlockKind::PointerStringAndString: as<PointerStringAndString>(data_).stringValue = value; break;
    case BlockKind::PointerStringAndFunction: as<PointerStringAndFunction>(data_).stringValue = value; break;
    default: expectKind(request_, BlockKind::PointerAndString);
    }
}

void Exchange::setPointerValue(void* value) {
    using namespace hostview;
    switch (request_.block.kind) {
    case BlockKind::PointerAndPointer: as<PointerAndPointer>(data_).pointerValue = value; break;
    case BlockKind::PointerPointerAndInt: as<PointerPointerAndInt>(data_).pointerValue = value; break;
    default: expectKind(request_, BlockKind::PointerAndPointer);
    }
}

void Exchange::setDirectString(const std::string& value) {
    expectKind(request_, BlockKind::DirectString);
    as<std::string>(data_) = value;
}

void Exchange::setDirectInt(int32_t value) {
    expectKind(request_, BlockKind::DirectInt);
    as<int32_t>(data_) = value;
}

void respond(int32_t code, Responder responder) {
    if (responder) {
        state().responders[code] = std::move(responder);
    } else {
        state().responders.erase(code);
    }
}

void observe(Observer observer) { state().observer = std::move(observer); }

void setBlockKind(int32_t code, BlockKind kind) { state().kinds[code] = kind; }

const std::vector<Request>& requests() { return state().requests; }

std::vector<Request> requestsWithCode(int32_t code) {
    std::vector<Request> matching;
    for (const auto& request : state().requests) {
        if (request.code == code) {
            matching.push_back(request);
        }
    }
    return matching;
}

int slotZeroCalls() { return state().slotZeroCalls; }

void clearRequests() { state().requests.clear(); }

void reset() {
    auto& s = state();
    s.requests.clear();
    s.responders.clear();
    s.observer = nullptr;
    s.kinds = builtInKinds();
    s.slotZeroCalls = 0;
}

void* functionMap() { return static_cast<Functor__*>(&recordingMap()); }

}  // namespace testhost

extern "C" void* SPI_GetFunctionMap() { return testhost::functionMap(); }
