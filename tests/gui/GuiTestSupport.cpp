// Requests as text, and the expected texts.

#include "tests/gui/GuiTestSupport.h"

#include <sstream>

#include "bridge/PIFunctionMap.h"

namespace guitest {
namespace {

using testhost::Block;
using testhost::BlockKind;
using testhost::Request;

std::string pointerText(const void* pointer) {
    if (pointer == nullptr) {
        return "null";
    }
    std::ostringstream out;
    out << "0x" << std::hex << reinterpret_cast<std::uintptr_t>(pointer);
    return out.str();
}

template <typename T, typename Write>
std::string listText(const std::vector<T>& values, Write write) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : ", ") + write(values[i]);
    }
    return text + "]";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

Request made(int32_t code, BlockKind kind, const Layout& layout = kDefaultLayout) {
    Request request;
    request.code = code;
    request.block.kind = kind;
    request.block.opts = layout;
    return request;
}

}  // namespace

std::string describe(const Request& request) {
    const Block& b = request.block;
    std::ostringstream out;
    out << request.code << ' ' << testhost::kindName(b.kind);
    if (b.kind == BlockKind::Null) {
        return out.str();
    }
    if (b.kind == BlockKind::Raw) {
        out << " data=" << pointerText(request.data);
        return out.str();
    }
    if (b.opts != kDefaultLayout) {
        out << " opts=" << listText(std::vector<int32_t>(b.opts.begin(), b.opts.end()), [](int32_t v) {
            return std::to_string(v);
        });
    }
    const auto number = [](auto v) {
        std::ostringstream text;
        text << v;
        return text.str();
    };
    switch (b.kind) {
    case BlockKind::CatchAll:
        out << " ints=" << listText(b.ints, number);
        if (!b.dbls.empty()) {
            out << " dbls=" << listText(b.dbls, number);
        }
        out << " strs=" << listText(b.strs, quoted) << " ptrs=" << listText(b.ptrs, pointerText);
        break;
    case BlockKind::RegisterHandler:
        out << " string1=" << quoted(b.string1) << " string2=" << quoted(b.string2) << " mask=" << b.mask;
        break;
    default:
        out << " pointer=" << pointerText(b.pointer);
        switch (b.kind) {
        case BlockKind::PointerAndBool: out << " boolValue=" << b.boolValue; break;
        case BlockKind::PointerAndInt: out << " intValue=" << b.intValue; break;
        case BlockKind::PointerAndDouble: out << " doubleValue=" << b.doubleValue; break;
        case BlockKind::PointerAndString: out << " stringValue=" << quoted(b.stringValue); break;
        case BlockKind::PointerAndFunction: out << " function=" << pointerText(b.function); break;
        case BlockKind::PointerAndPointer: out << " pointerValue=" << pointerText(b.pointerValue); break;
        case BlockKind::PointerIntAndBool:
            out << " intValue=" << b.intValue << " boolValue=" << b.boolValue;
            break;
        case BlockKind::PointerIntAndString:
            out << " intValue=" << b.intValue << " stringValue=" << quoted(b.stringValue);
            break;
        case BlockKind::PointerIntAndFunction:
            out << " intValue=" << b.intValue << " function=" << pointerText(b.function);
            break;
        case BlockKind::PointerStringAndString:
            out << " stringValue=" << quoted(b.stringValue) << " stringValue2=" << quoted(b.stringValue2);
            break;
        case BlockKind::PointerStringAndFunction:
            out << " stringValue=" << quoted(b.stringValue) << " function=" << pointerText(b.function);
            break;
        case BlockKind::PointerPointerAndInt:
            out << " pointerValue=" << pointerText(b.pointerValue) << " intValue=" << b.intValue;
            break;
        default: break;
        }
    }
    return out.str();
}

std::vector<std::string> sent() {
    std::vector<std::string> lines;
    for (const auto& request : testhost::requests()) {
        if (request.code != 16) {
            lines.push_back(describe(request));
        }
    }
    return lines;
}

std::string direct(int32_t code, const void* data) {
    Request r = made(code, data == nullptr ? BlockKind::Null : BlockKind::Raw);
    r.data = data;
    return describe(r);
}

std::string catchAll(int32_t code, std::vector<int32_t> ints, std::vector<const void*> ptrs,
                     std::vector<std::string> strs) {
    Request r = made(code, BlockKind::CatchAll);
    r.block.ints = std::move(ints);
    r.block.ptrs = std::move(ptrs);
    r.block.strs = std::move(strs);
    return describe(r);
}

std::string pointerAndBool(int32_t code, const void* pointer, bool value) {
    Request r = made(code, BlockKind::PointerAndBool);
    r.block.pointer = pointer;
    r.block.boolValue = value;
    return describe(r);
}

std::string pointerAndInt(int32_t code, const void* pointer, int32_t value, const Layout& layout) {
    Request r = made(code, BlockKind::PointerAndInt, layout);
    r.block.pointer = pointer;
    r.block.intValue = value;
    return describe(r);
}

std::string pointerAndDouble(int32_t code, const void* pointer, double value) {
    Request r = made(code, BlockKind::PointerAndDouble);
    r.block.pointer = pointer;
    r.block.doubleValue = value;
    return describe(r);
}

std::string pointerAndString(int32_t code, const void* pointer, const std::string& value,
                             const Layout& layout) {
    Request r = made(code, BlockKind::PointerAndString, layout);
    r.block.pointer = pointer;
    r.block.stringValue = value;
    return describe(r);
}

std::string pointerAndFunction(int32_t code, const void* pointer, const void* function) {
    Request r = made(code, BlockKind::PointerAndFunction);
    r.block.pointer = pointer;
    r.block.function = function;
    return describe(r);
}

std::string pointerAndPointer(int32_t code, const void* pointer, const void* value) {
    Request r = made(code, BlockKind::PointerAndPointer);
    r.block.pointer = pointer;
    r.block.pointerValue = value;
    return describe(r);
}

std::string pointerAndOpts(int32_t code, const void* pointer, const Layout& layout) {
    Request r = made(code, BlockKind::PointerAndOpts, layout);
    r.block.pointer = pointer;
    return describe(r);
}

std::string pointerIntAndBool(int32_t code, const void* pointer, int32_t value, bool flag) {
    Request r = made(code, BlockKind::PointerIntAndBool);
    r.block.pointer = pointer;
    r.block.intValue = value;
    r.block.boolValue = flag;
    return describe(r);
}

std::string pointerIntAndString(int32_t code, const void* pointer, int32_t value, const std::string& text,
                                const Layout& layout) {
    Request r = made(code, BlockKind::PointerIntAndString, layout);
    r.block.pointer = pointer;
    r.block.intValue = value;
    r.block.stringValue = text;
    return describe(r);
}

std::string pointerIntAndFunction(int32_t code, const void* pointer, int32_t value, const void* function,
                                  const Layout& layout) {
    Request r = made(code, BlockKind::PointerIntAndFunction, layout);
    r.block.pointer = pointer;
    r.block.intValue = value;
    r.block.function = function;
    return describe(r);
}

std::string pointerStringAndString(int32_t code, const void* pointer, const std::string& first,
                                   const std::string& second) {
    Request r = made(code, BlockKind::PointerStringAndString);
    r.block.pointer = pointer;
    r.block.stringValue = first;
    r.block.stringValue2 = second;
    return describe(r);
}

std::string pointerStringAndFunction(int32_t code, const void* pointer, const std::string& text,
                                     const void* function, const Layout& layout) {
    Request r = made(code, BlockKind::PointerStringAndFunction, layout);
    r.block.pointer = pointer;
    r.block.stringValue = text;
    r.block.function = function;
    return describe(r);
}

std::string pointerPointerAndInt(int32_t code, const void* pointer, const void* value, int32_t number) {
    Request r = made(code, BlockKind::PointerPointerAndInt);
    r.block.pointer = pointer;
    r.block.pointerValue = value;
    r.block.intValue = number;
    return describe(r);
}

std::string bind(const void* handle, const void* proxy) { return pointerAndPointer(100, handle, proxy); }

void WithHost::SetUp() {
    testhost::reset();
    _initializePluginFunctionMap();
    ASSERT_EQ(g_FunctionMap, testhost::functionMap());
    testhost::reset();
}

void WithParent::SetUp() {
    WithHost::SetUp();
    parent = std::make_unique<PIGUI::PICanvas>(0, 0, 0, 2, 2, 2, 2, 2, 2);
    parent->serverHandle = fake<1>();
    icon = std::make_unique<PIGUI::PIIcon>("icon.png");
    icon->serverHandle = fake<2>();
    testhost::clearRequests();
}

void WithParent::TearDown() {
    parent->serverHandle = nullptr;
    icon->serverHandle = nullptr;
}

std::string addToGarbage(const void* proxy) { return catchAll(168, {0, 1}, {proxy}); }
std::string removeFromGarbage(const void* proxy) { return catchAll(168, {1, 1}, {proxy}); }

Layout recordOf(const PIGUI::PIWindow& window) {
    const PILayoutOpts_t& r = *window.layoutOpts;
    return {r.width, r.height, r.padLeft, r.padRight, r.padTop, r.padBottom, r.hSpacing, r.vSpacing, r.options};
}

void checkCreated(PIObject* proxy, const Lines& requests, void* handle) {
    Lines expected = {addToGarbage(proxy)};
    expected.insert(expected.end(), requests.begin(), requests.end());
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(proxy->serverHandle, handle);
    EXPECT_TRUE(proxy->ownsServerObject);
    proxy->serverHandle = nullptr;
    delete proxy;
}

void checkBaseOnly(PIGUI::PIWindow* proxy, const Layout& layout) {
    const std::unique_ptr<PIGUI::PIWindow> owned(proxy);
    EXPECT_EQ(sent(), Lines{addToGarbage(proxy)});
    EXPECT_EQ(proxy->serverHandle, nullptr);
    EXPECT_EQ(recordOf(*proxy), layout);
}

testhost::Responder setInt1(int32_t value) {
    return [value](testhost::Exchange& e) {
        e.setInt(1, value);
        return nullptr;
    };
}

}  // namespace guitest
