#include "tests/support/Requests.h"

#include <map>
#include <set>
#include <sstream>

#include "bridge/PIFunctionMap.h"

namespace pitest {
namespace {

using testhost::BlockKind;

std::map<const void*, std::string>& names() {
    static std::map<const void*, std::string> known;
    return known;
}

template <typename T, typename Write>
std::string list(const std::vector<T>& values, Write write) {
    std::string shown = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        shown += (i == 0 ? "" : ",") + write(values[i]);
    }
    return shown + "]";
}

std::string quoted(const std::string& value) { return "'" + value + "'"; }
std::string number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

const char* shortKind(BlockKind kind) {
    static const char* const shown[] = {"null", "raw", "all",     "pb",     "pi",  "pd",  "ps",
                                        "pf",   "pp",  "po",      "pib",    "pis", "pif", "pss",
                                        "psf",  "ppi", "handler", "string", "int*"};
    return shown[static_cast<int>(kind)];
}

std::string replaced(std::string line, const std::string& from, const std::string& to) {
    for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size())) {
        line.replace(at, from.size(), to);
    }
    return line;
}

}  // namespace

void name(const void* address, const std::string& shown) {
    if (shown.empty()) {
        names().erase(address);
    } else {
        names()[address] = shown;
    }
}

std::string ptr(const void* address) {
    const auto value = reinterpret_cast<std::uintptr_t>(address);
    if (address == nullptr) return "0";
    if (value % 0x1000 == 0 && value <= 0xF000) return "f" + std::to_string(value / 0x1000);
    const auto found = names().find(address);
    return found != names().end() ? found->second : "&";
}

std::string describe(const testhost::Request& request) {
    const testhost::Block& b = request.block;
    std::string line = std::to_string(request.code) + " " + shortKind(b.kind);
    switch (b.kind) {
    case BlockKind::Null: return line;
    case BlockKind::Raw: return line + " " + ptr(request.data);
    case BlockKind::DirectString: return line + " " + quoted(b.directString);
    case BlockKind::DirectInt: return line + " " + std::to_string(b.directInt);
    case BlockKind::CatchAll:
        line += " i" + list(b.ints, [](int32_t v) { return std::to_string(v); });
        if (!b.strs.empty()) line += " s" + list(b.strs, quoted);
        if (!b.ptrs.empty()) line += " p" + list(b.ptrs, ptr);
        if (!b.dbls.empty()) line += " d" + list(b.dbls, number);
        break;
    case BlockKind::RegisterHandler:
        line += " " + quoted(b.string1) + " " + quoted(b.string2) + " " + std::to_string(b.mask);
        break;
    default: {
        line += " " + ptr(b.pointer);
        const std::string i = " " + std::to_string(b.intValue), f = " " + ptr(b.function),
                          s = " " + quoted(b.stringValue), p = " " + ptr(b.pointerValue),
                          flag = b.boolValue ? " true" : " false";
        switch (b.kind) {
        case BlockKind::PointerAndBool: line += flag; break;
        case BlockKind::PointerAndInt: line += i; break;
        case BlockKind::PointerAndDouble: line += " " + number(b.doubleValue); break;
        case BlockKind::PointerAndString: line += s; break;
        case BlockKind::PointerAndFunction: line += f; break;
        case BlockKind::PointerAndPointer: line += p; break;
        case BlockKind::PointerIntAndBool: line += i + flag; break;
        case BlockKind::PointerIntAndString: line += i + s; break;
        case BlockKind::PointerIntAndFunction: line += i + f; break;
        case BlockKind::PointerStringAndString: line += s + " " + quoted(b.stringValue2); break;
        case BlockKind::PointerStringAndFunction: line += s + f; break;
        case BlockKind::PointerPointerAndInt: line += p + i; break;
        default: break;
        }
    }
    }
    static const std::array<int32_t, 9> kDefault{0, 0, 2, 2, 2, 2, 2, 2, 0};
    if (b.opts != kDefault) {
        line += " opts" + list(std::vector<int32_t>(b.opts.begin(), b.opts.end()),
                               [](int32_t v) { return std::to_string(v); });
    }
    return line;
}

Lines sent() {
    Lines lines;
    for (const auto& request : testhost::requests()) {
        if (request.code != 16) lines.push_back(describe(request));
    }
    return lines;
}

testhost::Responder writes(std::function<void(testhost::Exchange&)> body) {
    return [body](testhost::Exchange& e) {
        body(e);
        return nullptr;
    };
}
testhost::Responder setInt1(int32_t value) {
    return writes([value](testhost::Exchange& e) { e.setInt(1, value); });
}
testhost::Responder setString0(std::string value) {
    return writes([value](testhost::Exchange& e) { e.setString(0, value); });
}

std::string text(double value) { return number(value); }

void WithHost::SetUp() {
    names().clear();
    testhost::reset();
    _initializePluginFunctionMap();
    ASSERT_EQ(g_FunctionMap, testhost::functionMap());
    g_This = kContext;
    testhost::reset();
}

void append(std::vector<Op>& ops, PIObject* proxy, bool needsHandle, std::vector<Op> rows) {
    for (Op& row : rows) {
        if (row.proxy == nullptr) row.proxy = proxy;
        row.needsHandle = row.needsHandle || needsHandle;
        ops.push_back(std::move(row));
    }
}

void checkWithHost(const std::vector<Op>& ops) {
    for (const auto& op : ops) {
        SCOPED_TRACE(op.name);
        testhost::reset();
        if (op.proxy != nullptr) op.proxy->serverHandle = fake<7>();
        EXPECT_EQ(op.call(), op.preset) << "unanswered";
        EXPECT_EQ(sent(), op.sent);
        std::set<int32_t> codes;
        for (const auto& line : op.sent) codes.insert(std::stoi(line));
        for (int32_t code : codes) testhost::respond(code, op.answer);
        if (op.answer) {
            EXPECT_EQ(op.call(), op.answered) << "answered";
        }
        if (op.proxy != nullptr) {
            op.proxy->serverHandle = nullptr;
            testhost::clearRequests();
            const std::string result = op.call();
            Lines expected;
            if (!op.needsHandle) {
                for (const auto& line : op.sent) {
                    expected.push_back(replaced(replaced(line, "f7", "0"), "raw 0", "null"));
                }
            }
            EXPECT_EQ(sent(), expected) << "null handle";
            if (op.needsHandle) {
                EXPECT_EQ(result, op.preset) << "null handle";
            }
        }
        testhost::reset();
    }
}

void checkWithoutHost(const std::vector<Op>& ops) {
    for (bool ignoreMode : {false, true}) {
        if (ignoreMode) __setDebugIgnore(true);
        for (const auto& op : ops) {
            SCOPED_TRACE(op.name);
            if (op.proxy != nullptr) op.proxy->serverHandle = fake<7>();
            std::string result;
            const auto output = captureOutput([&] { result = op.call(); });
            EXPECT_EQ(result, op.preset);
            EXPECT_EQ(output.err, ignoreMode ? "" : noHostMessages(op.sent.size()));
            EXPECT_EQ(output.out, "");
            if (op.proxy != nullptr) op.proxy->serverHandle = nullptr;
        }
    }
}

}  // namespace pitest
