// Finding the host's function map, dispatching through it, the override
// requests, the version numbers, and every block class as the recording host
// reads it through its own declarations of the layout.

#include <gtest/gtest.h>

#include <memory>

#include "bridge/PIBase.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PILegacyVersion.h"
#include "bridge/PIParameterBlocks.h"
#include "bridge/PIRequest.h"
#include "tests/support/Requests.h"

namespace {

using pitest::fake;
using pitest::sent;
using testhost::BlockKind;

const auto kCode = static_cast<PIServerFunctions_t>(7000);

// Answers the context lookup with `context`.
void reportContext(void* context) {
    testhost::respond(16, [context](testhost::Exchange& e) {
        if (e.selector() == 0) e.setPointer(0, context);
        return nullptr;
    });
}

// Cases that start from a freshly loaded library (a process of its own).
class FreshProcess : public pitest::NoHost {};

TEST_F(FreshProcess, initialisation_stores_the_host_map_and_the_context_it_reports_once) {
    reportContext(fake<1>());
    _initializePluginFunctionMap();
    EXPECT_EQ(g_FunctionMap, testhost::functionMap());
    EXPECT_EQ(g_This, fake<1>());
    reportContext(fake<2>());
    _initializePluginFunctionMap();
    EXPECT_EQ(g_This, fake<1>()) << "initialisation twice changes nothing";
    ASSERT_EQ(testhost::requests().size(), 1u);
    EXPECT_EQ(testhost::requests()[0].context, nullptr);
    EXPECT_EQ(pitest::describe(testhost::requests()[0]), "16 all i[0] p[0]");
}

TEST_F(FreshProcess, debug_ignore_and_the_host_map_do_not_replace_each_other) {
    _initializePluginFunctionMap();
    const auto output = pitest::captureOutput([] { __setDebugIgnore(); });
    EXPECT_EQ(output.out + output.err, "");
    EXPECT_EQ(g_FunctionMap, testhost::functionMap()) << "debug/ignore mode does not replace the host";
    g_FunctionMap = nullptr;
    __setDebugIgnore(true);
    Functor__* const ignoreMap = g_FunctionMap;
    _initializePluginFunctionMap();
    EXPECT_EQ(g_FunctionMap, ignoreMap) << "nor the host the ignore map";
}

class Dispatch : public pitest::WithHost {};

TEST_F(Dispatch, handle_carries_the_override_else_g_this_and_returns_what_call_returned) {
    const struct {
        void* override;
        void* defaultContext;
        void* expected;
    } cases[] = {{fake<1>(), fake<2>(), fake<1>()},
                 {nullptr, fake<2>(), fake<2>()},
                 {fake<1>(), nullptr, fake<1>()},
                 {nullptr, nullptr, nullptr}};
    for (const auto& c : cases) {
        testhost::reset();
        reportContext(c.override);
        g_This = c.defaultContext;
        testhost::respond(kCode, [](testhost::Exchange& e) { return e.data(); });
        int block = 0;
        EXPECT_EQ(handle(kCode, &block), &block);
        const auto& requests = testhost::requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].code, 16) << "the lookup comes first";
        EXPECT_EQ(requests[1].context, c.expected);
        EXPECT_EQ(requests[1].data, &block);
    }
    EXPECT_EQ(testhost::slotZeroCalls(), 0) << "the library only calls slot 1";
}

TEST_F(Dispatch, override_requests_go_directly_and_return_their_status_slot) {
    const struct {
        const char* name;
        int (*call)();
        std::string line;
        // clang-format off
    } cases[] = {
        {"push", [] { return PIBase::pushOverrideThisPointer(fake<1>()); }, "16 all i[1,1] p[f1]"},
        {"pop", [] { return PIBase::popOverrideThisPointer(); }, "16 all i[2,1]"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        EXPECT_EQ(c.call(), 1) << "unanswered";
        ASSERT_EQ(testhost::requests().size(), 1u) << "no context lookup before an override request";
        EXPECT_EQ(testhost::requests()[0].context, nullptr);
        EXPECT_EQ(pitest::describe(testhost::requests()[0]), c.line);
        for (int answer : {-1, 0, 7}) {
            testhost::respond(16, pitest::setInt1(answer));
            EXPECT_EQ(c.call(), answer);
        }
    }
    reportContext(fake<2>());
    EXPECT_EQ(PIBase::getOverriddenThisPointer(), fake<2>());
}

TEST(Version, the_library_implements_1_28_0_and_its_legacy_number) {
    EXPECT_EQ(PIBase::majorVersion(), 1);
    EXPECT_EQ(PIBase::minorVersion(), 28);
    EXPECT_EQ(PIBase::revisionVersion(), 0);
    EXPECT_EQ(PIBase::buildNumber(), 12800);
    EXPECT_EQ(PIBase::versionString(), "1.28.0");
    EXPECT_DOUBLE_EQ(PIBase::legacyApiVersion(), 1.9028);
    const struct {
        int major, minor, revision;
        double expected;
        // clang-format off
    } cases[] = {
        {0, 5, 9, 0.05},    {1, 0, 0, 1.0},     {1, 2, 3, 1.203}, {1, 9, 0, 1.9},   {1, 10, 5, 1.901005},
        {1, 28, 0, 1.9028}, {2, 3, 4, 2.0304}, {3, 0, 0, 3.0},   {-1, 2, 0, -0.98},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.major << "." << c.minor << "." << c.revision);
        EXPECT_DOUBLE_EQ(PIBridge::legacyVersionNumber(c.major, c.minor, c.revision), c.expected);
    }
}

// Long enough to live on the heap, so the host really follows the pointer.
const std::string kText = "a text the host reads through its own declarations";
auto* const kFunction = static_cast<FunctorTwoParams__*>(fake<3>());

void customOpts(PI_DATA_BASE_CLASS& block) {
    *block.opts = PILayoutOpts_t{11, 12, 13, 14, 15, 16, 17, 18, 19};
}

struct BlockRow {
    BlockKind kind;
    std::function<void(bool fill)> send;
    std::string filled;  // the fields the row sets, with the custom record
    std::string fresh;   // a block as constructed
};
// clang-format off
#define PI_BLOCK(Class, kind, fill, filled, fresh) \
    {BlockKind::kind, [](bool f) {                 \
         Class b;                                  \
         if (f) customOpts(b), fill;               \
         handle(kCode, &b);                        \
     }, filled, fresh}
// clang-format on
const std::string kOpts = " opts[11,12,13,14,15,16,17,18,19]";

TEST_F(Dispatch, every_block_class_reaches_the_host_with_its_fields_in_order) {
    // clang-format off
    const BlockRow rows[] = {
        PI_BLOCK(PI_DATA_CATCHALL, CatchAll,
                 (b.dblVector = {1.5, -2.25}, b.intVector = {3, -4}, b.strVector = {kText, ""},
                  b.ptrVector = {fake<1>(), nullptr}),
                 "all i[3,-4] s['" + kText + "',''] p[f1,0] d[1.5,-2.25]", "all i[]"),
        PI_BLOCK(PI_DATA_POINTER_AND_BOOL, PointerAndBool, (b.pointer = fake<1>(), b.boolValue = true),
                 "pb f1 true", "pb 0 false"),
        PI_BLOCK(PI_DATA_POINTER_AND_INT, PointerAndInt, (b.pointer = fake<1>(), b.intValue = -123456),
                 "pi f1 -123456", "pi 0 0"),
        PI_BLOCK(PI_DATA_POINTER_AND_DOUBLE, PointerAndDouble, (b.pointer = fake<1>(), b.doubleValue = 6.5e23),
                 "pd f1 6.5e+23", "pd 0 0"),
        PI_BLOCK(PI_DATA_POINTER_AND_STRING, PointerAndString, (b.pointer = fake<1>(), b.stringValue = kText),
                 "ps f1 '" + kText + "'", "ps 0 ''"),
        PI_BLOCK(PI_DATA_POINTER_AND_FUNCTION, PointerAndFunction, (b.pointer = fake<1>(), b.function = kFunction),
                 "pf f1 f3", "pf 0 0"),
        PI_BLOCK(PI_DATA_POINTER_AND_POINTER, PointerAndPointer, (b.pointer = fake<1>(), b.pointerValue = fake<2>()),
                 "pp f1 f2", "pp 0 0"),
        PI_BLOCK(PI_DATA_POINTER_AND_OPTS, PointerAndOpts, b.pointer = fake<1>(), "po f1", "po 0"),
        PI_BLOCK(PI_DATA_POINTER_INT_AND_BOOL, PointerIntAndBool,
                 (b.pointer = fake<1>(), b.intValue = 42, b.boolValue = true), "pib f1 42 true", "pib 0 0 false"),
        PI_BLOCK(PI_DATA_POINTER_INT_AND_STRING, PointerIntAndString,
                 (b.pointer = fake<1>(), b.intValue = 43, b.stringValue = kText), "pis f1 43 '" + kText + "'",
                 "pis 0 0 ''"),
        PI_BLOCK(PI_DATA_POINTER_INT_AND_FUNCTION, PointerIntAndFunction,
                 (b.pointer = fake<1>(), b.intValue = 44, b.function = kFunction), "pif f1 44 f3", "pif 0 0 0"),
        PI_BLOCK(PI_DATA_POINTER_STRING_AND_STRING, PointerStringAndString,
                 (b.pointer = fake<1>(), b.stringValue = kText, b.stringValue2 = "second"),
                 "pss f1 '" + kText + "' 'second'", "pss 0 '' ''"),
        PI_BLOCK(PI_DATA_POINTER_STRING_AND_FUNCTION, PointerStringAndFunction,
                 (b.pointer = fake<1>(), b.stringValue = kText, b.function = kFunction), "psf f1 '" + kText + "' f3",
                 "psf 0 '' 0"),
        PI_BLOCK(PI_DATA_POINTER_POINTER_AND_INT, PointerPointerAndInt,
                 (b.pointer = fake<1>(), b.pointerValue = fake<2>(), b.intValue = -45), "ppi f1 f2 -45",
                 "ppi 0 0 0"),
        PI_BLOCK(PI_REGISTER_HANDLER_DATA, RegisterHandler,
                 (b.string1 = kText, b.string2 = "two", b.mask = 0xFFFFFFF0u),
                 "handler '" + kText + "' 'two' 4294967280", "handler '' '' 0"),
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(testhost::kindName(row.kind));
        testhost::setBlockKind(kCode, row.kind);
        for (bool fill : {true, false}) {
            testhost::clearRequests();
            row.send(fill);
            EXPECT_EQ(sent(), pitest::Lines{"7000 " + (fill ? row.filled + kOpts : row.fresh)});
        }
    }
}

class WithoutHost : public pitest::NoHost {};

TEST_F(WithoutHost, requests_report_the_missing_host_and_answer_their_presets) {
    void* handled = fake<1>();
    void* overridden = fake<1>();
    int pushed = 0, popped = 0, status = 0;
    std::string text;
    for (bool ignoreMode : {false, true}) {
        if (ignoreMode) __setDebugIgnore(true);
        const auto output = pitest::captureOutput([&] {
            handled = handle(kCode, &status);  // with its context lookup
            overridden = PIBase::getOverriddenThisPointer();
            pushed = PIBase::pushOverrideThisPointer(&pushed);
            popped = PIBase::popOverrideThisPointer();
            status = PIBridge::CatchAll(kCode).ints(4, -1).sendForInt(1);
            text = PIBridge::CatchAll(kCode).strs("Unknown").sendForString(0);
        });
        EXPECT_EQ(output.err, ignoreMode ? "" : pitest::noHostMessages(4) + pitest::kNoHostMessage);
        EXPECT_EQ(output.out, "");
        EXPECT_EQ(std::make_tuple(handled, overridden, pushed, popped, status, text),
                  std::make_tuple(nullptr, nullptr, 1, 1, -1, std::string("Unknown")));
    }
}

}  // namespace
