// Parameter blocks as the host reads them: every class is sent through the
// recording host, which decodes it with its own declarations of the layout.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"
#include "bridge/PIRequest.h"
#include "hostsim/RecordingHost.h"

namespace {

using testhost::Block;
using testhost::BlockKind;

const std::array<int32_t, 9> kDefaultOpts{0, 0, 2, 2, 2, 2, 2, 2, 0};
const std::array<int32_t, 9> kCustomOpts{11, 12, 13, 14, 15, 16, 17, 18, 19};
const PIServerFunctions_t kTestCode = static_cast<PIServerFunctions_t>(7000);

void* const kHandle = reinterpret_cast<void*>(0x1111);
void* const kOther = reinterpret_cast<void*>(0x2222);
FunctorTwoParams__* const kFunction = reinterpret_cast<FunctorTwoParams__*>(0x3333);

// Long enough to live on the heap, so the host really follows the string's pointer.
const std::string kText = "a text the host reads through its own declarations";
const std::string kText2 = "the second text";

void setOpts(PI_DATA_BASE_CLASS& block, const std::array<int32_t, 9>& values) {
    *block.opts = PILayoutOpts_t{values[0], values[1], values[2], values[3], values[4],
                                 values[5], values[6], values[7], values[8]};
}

template <typename BlockClass>
void send(BlockClass& block) {
    setOpts(block, kCustomOpts);
    handle(kTestCode, &block);
}

void expectSameBlock(const Block& actual, const Block& expected) {
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.opts, expected.opts);
    EXPECT_EQ(actual.dbls, expected.dbls);
    EXPECT_EQ(actual.ints, expected.ints);
    EXPECT_EQ(actual.strs, expected.strs);
    EXPECT_EQ(actual.ptrs, expected.ptrs);
    EXPECT_EQ(actual.pointer, expected.pointer);
    EXPECT_EQ(actual.pointerValue, expected.pointerValue);
    EXPECT_EQ(actual.function, expected.function);
    EXPECT_EQ(actual.intValue, expected.intValue);
    EXPECT_EQ(actual.doubleValue, expected.doubleValue);
    EXPECT_EQ(actual.boolValue, expected.boolValue);
    EXPECT_EQ(actual.stringValue, expected.stringValue);
    EXPECT_EQ(actual.stringValue2, expected.stringValue2);
    EXPECT_EQ(actual.string1, expected.string1);
    EXPECT_EQ(actual.string2, expected.string2);
    EXPECT_EQ(actual.mask, expected.mask);
}

template <typename BlockClass>
void sendFresh() {
    BlockClass block;
    handle(kTestCode, &block);
}

struct LayoutCase {
    const char* name;
    BlockKind kind;
    void (*sendUntouched)();
    std::function<void()> fillAndSend;
    std::function<void(Block&)> expectedFields;
};

const LayoutCase kLayoutCases[] = {
    {"PI_DATA_CATCHALL", BlockKind::CatchAll, sendFresh<PI_DATA_CATCHALL>,
     [] {
         PI_DATA_CATCHALL b;
         b.dblVector = {1.5, -2.25};
         b.intVector = {3, -4, 5};
         b.strVector = {kText, "", kText2};
         b.ptrVector = {kHandle, nullptr, kOther};
         send(b);
     },
     [](Block& e) {
         e.dbls = {1.5, -2.25};
         e.ints = {3, -4, 5};
         e.strs = {kText, "", kText2};
         e.ptrs = {kHandle, nullptr, kOther};
     }},
    {"PI_DATA_POINTER_AND_BOOL", BlockKind::PointerAndBool, sendFresh<PI_DATA_POINTER_AND_BOOL>,
     [] {
         PI_DATA_POINTER_AND_BOOL b;
         b.pointer = kHandle;
         b.boolValue = true;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.boolValue = true;
     }},
    {"PI_DATA_POINTER_AND_INT", BlockKind::PointerAndInt, sendFresh<PI_DATA_POINTER_AND_INT>,
     [] {
         PI_DATA_POINTER_AND_INT b;
         b.pointer = kHandle;
         b.intValue = -123456;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.intValue = -123456;
     }},
    {"PI_DATA_POINTER_AND_DOUBLE", BlockKind::PointerAndDouble, sendFresh<PI_DATA_POINTER_AND_DOUBLE>,
     [] {
         PI_DATA_POINTER_AND_DOUBLE b;
         b.pointer = kHandle;
         b.doubleValue = 6.02e23;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.doubleValue = 6.02e23;
     }},
    {"PI_DATA_POINTER_AND_STRING", BlockKind::PointerAndString, sendFresh<PI_DATA_POINTER_AND_STRING>,
     [] {
         PI_DATA_POINTER_AND_STRING b;
         b.pointer = kHandle;
         b.stringValue = kText;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.stringValue = kText;
     }},
    {"PI_DATA_POINTER_AND_FUNCTION", BlockKind::PointerAndFunction, sendFresh<PI_DATA_POINTER_AND_FUNCTION>,
     [] {
         PI_DATA_POINTER_AND_FUNCTION b;
         b.pointer = kHandle;
         b.function = kFunction;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.function = kFunction;
     }},
    {"PI_DATA_POINTER_AND_POINTER", BlockKind::PointerAndPointer, sendFresh<PI_DATA_POINTER_AND_POINTER>,
     [] {
         PI_DATA_POINTER_AND_POINTER b;
         b.pointer = kHandle;
         b.pointerValue = kOther;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.pointerValue = kOther;
     }},
    {"PI_DATA_POINTER_AND_OPTS", BlockKind::PointerAndOpts, sendFresh<PI_DATA_POINTER_AND_OPTS>,
     [] {
         PI_DATA_POINTER_AND_OPTS b;
         b.pointer = kHandle;
         send(b);
     },
     [](Block& e) { e.pointer = kHandle; }},
    {"PI_DATA_POINTER_INT_AND_BOOL", BlockKind::PointerIntAndBool, sendFresh<PI_DATA_POINTER_INT_AND_BOOL>,
     [] {
         PI_DATA_POINTER_INT_AND_BOOL b;
         b.pointer = kHandle;
         b.intValue = 42;
         b.boolValue = true;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.intValue = 42;
         e.boolValue = true;
     }},
    {"PI_DATA_POINTER_INT_AND_STRING", BlockKind::PointerIntAndString,
     sendFresh<PI_DATA_POINTER_INT_AND_STRING>,
     [] {
         PI_DATA_POINTER_INT_AND_STRING b;
         b.pointer = kHandle;
         b.intValue = 43;
         b.stringValue = kText;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.intValue = 43;
         e.stringValue = kText;
     }},
    {"PI_DATA_POINTER_INT_AND_FUNCTION", BlockKind::PointerIntAndFunction,
     sendFresh<PI_DATA_POINTER_INT_AND_FUNCTION>,
     [] {
         PI_DATA_POINTER_INT_AND_FUNCTION b;
         b.pointer = kHandle;
         b.intValue = 44;
         b.function = kFunction;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.intValue = 44;
         e.function = kFunction;
     }},
    {"PI_DATA_POINTER_STRING_AND_STRING", BlockKind::PointerStringAndString,
     sendFresh<PI_DATA_POINTER_STRING_AND_STRING>,
     [] {
         PI_DATA_POINTER_STRING_AND_STRING b;
         b.pointer = kHandle;
         b.stringValue = kText;
         b.stringValue2 = kText2;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.stringValue = kText;
         e.stringValue2 = kText2;
     }},
    {"PI_DATA_POINTER_STRING_AND_FUNCTION", BlockKind::PointerStringAndFunction,
     sendFresh<PI_DATA_POINTER_STRING_AND_FUNCTION>,
     [] {
         PI_DATA_POINTER_STRING_AND_FUNCTION b;
         b.pointer = kHandle;
         b.stringValue = kText;
         b.function = kFunction;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.stringValue = kText;
         e.function = kFunction;
     }},
    {"PI_DATA_POINTER_POINTER_AND_INT", BlockKind::PointerPointerAndInt,
     sendFresh<PI_DATA_POINTER_POINTER_AND_INT>,
     [] {
         PI_DATA_POINTER_POINTER_AND_INT b;
         b.pointer = kHandle;
         b.pointerValue = kOther;
         b.intValue = -45;
         send(b);
     },
     [](Block& e) {
         e.pointer = kHandle;
         e.pointerValue = kOther;
         e.intValue = -45;
     }},
    {"PI_REGISTER_HANDLER_DATA", BlockKind::RegisterHandler, sendFresh<PI_REGISTER_HANDLER_DATA>,
     [] {
         PI_REGISTER_HANDLER_DATA b;
         b.string1 = kText;
         b.string2 = kText2;
         b.mask = 0xFFFFFFF0u;
         send(b);
     },
     [](Block& e) {
         e.string1 = kText;
         e.string2 = kText2;
         e.mask = 0xFFFFFFF0u;
     }},
};

class Blocks : public ::testing::Test {
protected:
    void SetUp() override {
        testhost::reset();
        _initializePluginFunctionMap();
        testhost::reset();
    }
};

TEST_F(Blocks, every_class_reaches_the_host_with_its_fields_in_order) {
    for (const auto& c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        testhost::setBlockKind(kTestCode, c.kind);
        c.fillAndSend();

        const auto sent = testhost::requestsWithCode(kTestCode);
        ASSERT_EQ(sent.size(), 1u);
        Block expected;
        expected.kind = c.kind;
        expected.opts = kCustomOpts;
        c.expectedFields(expected);
        expectSameBlock(sent[0].block, expected);
    }
}

TEST_F(Blocks, a_fresh_block_of_every_class_is_defaulted) {
    for (const auto& c : kLayoutCases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        testhost::setBlockKind(kTestCode, c.kind);
        c.sendUntouched();
        const auto sent = testhost::requestsWithCode(kTestCode);
        ASSERT_EQ(sent.size(), 1u);
        Block expected;
        expected.kind = c.kind;
        expected.opts = kDefaultOpts;
        expectSameBlock(sent[0].block, expected);
    }
}

TEST_F(Blocks, the_default_layout_record_is_the_global_default) {
    const PILayoutOpts_t& d = g_DefaultOpts;
    EXPECT_EQ((std::array<int32_t, 9>{d.width, d.height, d.padLeft, d.padRight, d.padTop, d.padBottom,
                                      d.hSpacing, d.vSpacing, d.options}),
              kDefaultOpts);
}

TEST_F(Blocks, the_host_writes_results_into_the_fields_the_sender_reads_back) {
    testhost::setBlockKind(kTestCode, BlockKind::PointerAndInt);
    testhost::respond(kTestCode, [](testhost::Exchange& e) {
        e.setIntValue(77);
        return nullptr;
    });
    PI_DATA_POINTER_AND_INT intBlock;
    intBlock.intValue = -1;
    handle(kTestCode, &intBlock);
    EXPECT_EQ(intBlock.intValue, 77);

    testhost::setBlockKind(kTestCode, BlockKind::PointerAndString);
    testhost::respond(kTestCode, [](testhost::Exchange& e) {
        e.setStringValue(kText2 + " written by the host");
        return nullptr;
    });
    PI_DATA_POINTER_AND_STRING stringBlock;
    handle(kTestCode, &stringBlock);
    EXPECT_EQ(stringBlock.stringValue, kText2 + " written by the host");

    testhost::setBlockKind(kTestCode, BlockKind::PointerAndDouble);
    testhost::respond(kTestCode, [](testhost::Exchange& e) {
        e.setDoubleValue(-0.5);
        return nullptr;
    });
    PI_DATA_POINTER_AND_DOUBLE doubleBlock;
    handle(kTestCode, &doubleBlock);
    EXPECT_EQ(doubleBlock.doubleValue, -0.5);
}

TEST_F(Blocks, the_request_builder_appends_in_order_and_reads_the_slots_back) {
    testhost::setBlockKind(kTestCode, BlockKind::CatchAll);
    testhost::respond(kTestCode, [](testhost::Exchange& e) {
        e.setInt(1, 0);
        e.setString(1, "answer");
        return nullptr;
    });
    PIBridge::CatchAll request(kTestCode);
    request.ints(5, 1, true, false, 0xFFFFFFFFu).strs(kText, "").ptrs(kHandle, nullptr).dbls(2.5);
    EXPECT_EQ(request.sendForString(1), "answer");
    EXPECT_EQ(request.block().intVector[1], 0);

    const auto sent = testhost::requestsWithCode(kTestCode);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].block.ints, (std::vector<int32_t>{5, 1, 1, 0, -1}))
        << "bools as 0 or 1, unsigned as the same bits";
    EXPECT_EQ(sent[0].block.strs, (std::vector<std::string>{kText, ""}));
    EXPECT_EQ(sent[0].block.ptrs, (std::vector<const void*>{kHandle, nullptr}));
    EXPECT_EQ(sent[0].block.dbls, std::vector<double>{2.5});
    EXPECT_EQ(sent[0].block.opts, kDefaultOpts);
}

TEST_F(Blocks, a_block_the_host_leaves_alone_keeps_its_preset_slots) {
    testhost::setBlockKind(kTestCode, BlockKind::CatchAll);
    EXPECT_EQ(PIBridge::CatchAll(kTestCode).ints(3, 1).sendForInt(1), 1);
    EXPECT_EQ(PIBridge::CatchAll(kTestCode).ints(3, -1).sendForInt(1), -1);
    EXPECT_FALSE(PIBridge::CatchAll(kTestCode).ints(3, 0).sendForBool(1));
    EXPECT_EQ(PIBridge::CatchAll(kTestCode).ints(3).strs("Unknown").sendForString(0), "Unknown");
}

TEST_F(Blocks, destroying_a_block_leaves_what_it_points_to_alone) {
    auto names = std::make_unique<std::vector<std::string>>(1, kText);
    auto value = std::make_unique<int>(5);
    {
        PI_DATA_CATCHALL block;
        block.ptrVector = {names.get(), value.get()};
        PI_DATA_POINTER_POINTER_AND_INT fixed;
        fixed.pointer = names.get();
        fixed.pointerValue = value.get();
    }
    // Freed memory here would be reported by the sanitizer build.
    EXPECT_EQ(names->at(0), kText);
    EXPECT_EQ(*value, 5);
}

}  // namespace
