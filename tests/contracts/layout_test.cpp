// The binary layout of every block and record, checked three ways: the
// contract's numbers (LP64, reference-counted strings of 8 bytes, vectors of
// 24, maps of 48), the host's own declarations (hostsim/HostBlocks.h, which
// does not see the library's headers), and the library's classes. Then each
// block is filled by the library's own request path and read back, field by
// field, through the host's declarations; answers the host writes the same
// way must come back out of the library's calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "api/PIActions.h"
#include "api/PIFileHandlers.h"
#include "api/PIOverlayText.h"
#include "api/PIViewports.h"
#include "bridge/PIColor.h"
#include "bridge/PIFunctionMap.h"
#include "bridge/PIParameterBlocks.h"
#include "bridge/PIPluginTypes.h"
#include "bridge/PITerrainRaster.h"
#include "gui/PIButtons.h"
#include "gui/PIContainers.h"
#include "gui/PIDialogBox.h"
#include "gui/PIList.h"
#include "gui/PIObject.h"
#include "gui/PIRegistry.h"
#include "gui/PITextField.h"
#include "gui/PIWindow.h"
#include "hostsim/HostBlocks.h"
#include "hostsim/RecordingHost.h"
#include "services/PIClients.h"
#include "services/PIServiceNames.h"

namespace {

// offsetof on classes with a vtable is what this file is about.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

struct FieldRow {
    const char* field;
    std::size_t contract;
    std::size_t host;
    std::size_t library;
};

struct RecordRow {
    const char* record;
    std::size_t contract;
    std::size_t host;
    std::size_t library;
    std::vector<FieldRow> fields;
};

#define FIELD(name, contract, H, hostMember, L, libraryMember) \
    FieldRow { name, contract, offsetof(H, hostMember), offsetof(L, libraryMember) }

std::vector<RecordRow> layoutTable() {
    using namespace hostview;
    std::vector<RecordRow> rows;
    {
        using H = LayoutRecord;
        using L = PILayoutOpts_t;
        rows.push_back(
            {"PILayoutOpts_t",
             36,
             sizeof(H),
             sizeof(L),
             {FIELD("width", 0, H, values[0], L, width), FIELD("height", 4, H, values[1], L, height),
              FIELD("padLeft", 8, H, values[2], L, padLeft), FIELD("padRight", 12, H, values[3], L, padRight),
              FIELD("padTop", 16, H, values[4], L, padTop),
              FIELD("padBottom", 20, H, values[5], L, padBottom),
              FIELD("hSpacing", 24, H, values[6], L, hSpacing),
              FIELD("vSpacing", 28, H, values[7], L, vSpacing),
              FIELD("options", 32, H, values[8], L, options)}});
    }
    rows.push_back({"PI_DATA_BASE_CLASS",
                    16,
                    sizeof(Header),
                    sizeof(PI_DATA_BASE_CLASS),
                    {FIELD("opts", 8, Header, opts, PI_DATA_BASE_CLASS, opts)}});
    {
        using H = CatchAll;
        using L = PI_DATA_CATCHALL;
        rows.push_back(
            {"PI_DATA_CATCHALL",
             112,
             sizeof(H),
             sizeof(L),
             {FIELD("opts", 8, H, header.opts, L, opts), FIELD("dblVector", 16, H, dblVector, L, dblVector),
              FIELD("intVector", 40, H, intVector, L, intVector),
              FIELD("strVector", 64, H, strVector, L, strVector),
              FIELD("ptrVector", 88, H, ptrVector, L, ptrVector)}});
    }
#define BLOCK2(L, H, size, f1, o1, f2, o2)                                                    \
    rows.push_back({#L,                                                                       \
                    size,                                                                     \
                    sizeof(H),                                                                \
                    sizeof(L),                                                                \
                    {FIELD("opts", 8, H, header.opts, L, opts), FIELD(#f1, o1, H, f1, L, f1), \
                     FIELD(#f2, o2, H, f2, L, f2)}})
#define BLOCK3(L, H, size, f1, o1, f2, o2, f3, o3)                                            \
    rows.push_back({#L,                                                                       \
                    size,                                                                     \
                    sizeof(H),                                                                \
                    sizeof(L),                                                                \
                    {FIELD("opts", 8, H, header.opts, L, opts), FIELD(#f1, o1, H, f1, L, f1), \
                     FIELD(#f2, o2, H, f2, L, f2), FIELD(#f3, o3, H, f3, L, f3)}})
    BLOCK2(PI_DATA_POINTER_AND_BOOL, PointerAndBool, 32, pointer, 16, boolValue, 24);
    BLOCK2(PI_DATA_POINTER_AND_INT, PointerAndInt, 32, pointer, 16, intValue, 24);
    BLOCK2(PI_DATA_POINTER_AND_DOUBLE, PointerAndDouble, 32, pointer, 16, doubleValue, 24);
    BLOCK2(PI_DATA_POINTER_AND_STRING, PointerAndString, 32, pointer, 16, stringValue, 24);
    BLOCK2(PI_DATA_POINTER_AND_FUNCTION, PointerAndFunction, 32, pointer, 16, function, 24);
    BLOCK2(PI_DATA_POINTER_AND_POINTER, PointerAndPointer, 32, pointer, 16, pointerValue, 24);
    rows.push_back({"PI_DATA_POINTER_AND_OPTS",
                    24,
                    sizeof(PointerAndOpts),
                    sizeof(PI_DATA_POINTER_AND_OPTS),
                    {FIELD("opts", 8, PointerAndOpts, header.opts, PI_DATA_POINTER_AND_OPTS, opts),
                     FIELD("pointer", 16, PointerAndOpts, pointer, PI_DATA_POINTER_AND_OPTS, pointer)}});
    BLOCK3(PI_DATA_POINTER_INT_AND_BOOL, PointerIntAndBool, 32, pointer, 16, intValue, 24, boolValue, 28);
    BLOCK3(PI_DATA_POINTER_INT_AND_STRING, PointerIntAndString, 40, pointer, 16, intValue, 24, stringValue,
           32);
    BLOCK3(PI_DATA_POINTER_INT_AND_FUNCTION, PointerIntAndFunction, 40, pointer, 16, intValue, 24, function,
           32);
    BLOCK3(PI_DATA_POINTER_STRING_AND_STRING, PointerStringAndString, 40, pointer, 16, stringValue, 24,
           stringValue2, 32);
    BLOCK3(PI_DATA_POINTER_STRING_AND_FUNCTION, PointerStringAndFunction, 40, pointer, 16, stringValue, 24,
           function, 32);
    BLOCK3(PI_DATA_POINTER_POINTER_AND_INT, PointerPointerAndInt, 40, pointer, 16, pointerValue, 24, intValue,
           32);
    BLOCK3(PI_REGISTER_HANDLER_DATA, RegisterHandler, 40, string1, 16, string2, 24, mask, 32);
#undef BLOCK2
#undef BLOCK3
    {
        using H = TerrainRasterNodeRequest;
        using L = PITerrainRasterNodeRequest;
        rows.push_back(
            {"PITerrainRasterNodeRequest",
             48,
             sizeof(H),
             sizeof(L),
             {FIELD("buffer", 0, H, buffer, L, buffer), FIELD("bufferSize", 8, H, bufferSize, L, bufferSize),
              FIELD("currentRasterSize", 16, H, currentRasterSize, L, currentRasterSize),
              FIELD("nodeID", 24, H, nodeID, L, nodeID),
              FIELD("threadIndex", 32, H, threadIndex, L, threadIndex),
              FIELD("userData", 40, H, userData, L, userData)}});
    }
    {
        using H = TerrainRasterSetParseToken;
        using L = PITerrainRasterSetParseToken;
        rows.push_back({"PITerrainRasterSetParseToken",
                        24,
                        sizeof(H),
                        sizeof(L),
                        {FIELD("tokenName", 0, H, tokenName, L, tokenName),
                         FIELD("tokenValue", 8, H, tokenValue, L, tokenValue),
                         FIELD("userData", 16, H, userData, L, userData)}});
    }
    {
        using H = TerrainRasterSetRequestInfo;
        using L = PITerrainRasterSetRequestInfo;
#define INFO(field, offset) FIELD(#field, offset, H, field, L, field)
        rows.push_back({"PITerrainRasterSetRequestInfo",
                        304,
                        sizeof(H),
                        sizeof(L),
                        {INFO(rasterSetName, 0),
                         INFO(activeRequestLimit, 8),
                         INFO(pixelLength, 12),
                         INFO(shallowestLevel, 16),
                         INFO(deepestLevel, 20),
                         INFO(rasterFormat, 24),
                         INFO(source, 32),
                         INFO(classification, 40),
                         INFO(description, 48),
                         INFO(timeSpecified, 56),
                         INFO(timeValueYear, 60),
                         INFO(timeValueSecondsSinceRefYear, 64),
                         INFO(hasNoDataValue, 72),
                         INFO(noDataValue, 76),
                         INFO(hasIgnoreAboveValue, 80),
                         INFO(ignoreAboveValue, 84),
                         INFO(hasIgnoreBelowValue, 88),
                         INFO(ignoreBelowValue, 92),
                         INFO(hasReplacementValue, 96),
                         INFO(replacementValue, 100),
                         INFO(wwExtents, 104),
                         INFO(wExtents, 136),
                         INFO(eExtents, 168),
                         INFO(eeExtents, 200),
                         INFO(nExtents, 232),
                         INFO(sExtents, 264),
                         INFO(userData, 296)}});
#undef INFO
    }
    {
        using H = FunctionParams;
        using L = PIFunctionParams_t;
        rows.push_back(
            {"PIFunctionParams_t",
             192,
             sizeof(H),
             sizeof(L),
             {FIELD("strMap", 0, H, strMap, L, strMap), FIELD("intMap", 48, H, intMap, L, intMap),
              FIELD("dblMap", 96, H, dblMap, L, dblMap), FIELD("ptrMap", 144, H, ptrMap, L, ptrMap)}});
    }
    {
        using H = ClientFuncAndData;
        using L = PIClientFuncAndData_t;
        rows.push_back({"PIClientFuncAndData_t",
                        16,
                        sizeof(H),
                        sizeof(L),
                        {FIELD("funcPointer", 0, H, funcPointer, L, funcPointer),
                         FIELD("clientData", 8, H, clientData, L, clientData)}});
    }
    {
        // The library's own choice of fields, which the host shares.
        using H = OverlayText;
        using L = PICommon::PIOverlayText;
        rows.push_back(
            {"PIOverlayText",
             48,
             sizeof(H),
             sizeof(L),
             {FIELD("text", 0, H, text, L, text), FIELD("viewport", 8, H, viewport, L, viewport),
              FIELD("x", 16, H, x, L, x), FIELD("y", 24, H, y, L, y),
              FIELD("fontName", 32, H, fontName, L, fontName),
              FIELD("fontSize", 40, H, fontSize, L, fontSize), FIELD("color", 44, H, color, L, color)}});
    }
    rows.push_back(
        {"PIObject",
         24,
         sizeof(ProxyObject),
         sizeof(PIObject),
         {FIELD("serverHandle", 8, ProxyObject, serverHandle, PIObject, serverHandle),
          FIELD("ownsServerObject", 16, ProxyObject, ownsServerObject, PIObject, ownsServerObject)}});
    rows.push_back({"PIWindow",
                    32,
                    sizeof(ProxyWindow),
                    sizeof(PIGUI::PIWindow),
                    {FIELD("layoutOpts", 24, ProxyWindow, layoutOpts, PIGUI::PIWindow, layoutOpts)}});
    rows.push_back({"PIDialogBox",
                    40,
                    sizeof(ProxyDialogBox),
                    sizeof(PIGUI::PIDialogBox),
                    {FIELD("wasShown", 32, ProxyDialogBox, wasShown, PIGUI::PIDialogBox, wasShown)}});
    rows.push_back({"PIGarbageCollector",
                    40,
                    sizeof(GarbageCollector),
                    sizeof(PIGarbageCollector),
                    {FIELD("objects", 8, GarbageCollector, objects, PIGarbageCollector, objects),
                     FIELD("destroying", 32, GarbageCollector, destroying, PIGarbageCollector, destroying)}});
    return rows;
}
#undef FIELD

TEST(ContractLayout, every_block_and_record_has_the_contracts_size_and_field_offsets_on_both_sides) {
    for (const auto& row : layoutTable()) {
        SCOPED_TRACE(row.record);
        EXPECT_EQ(row.host, row.contract) << "size as the host declares it";
        EXPECT_EQ(row.library, row.contract) << "size of the library's class";
        for (const auto& field : row.fields) {
            SCOPED_TRACE(field.field);
            EXPECT_EQ(field.host, field.contract) << "host's offset";
            EXPECT_EQ(field.library, field.contract) << "library's offset";
        }
    }
}

TEST(ContractLayout, colours_pack_red_green_blue_alpha_from_the_high_byte_down) {
    struct Case {
        PIColor_t packed;
        uint32_t red, green, blue, alpha;
    };
    const Case cases[] = {
        {PIRGBA(0x12, 0x34, 0x56, 0x78), 0x12, 0x34, 0x56, 0x78},
        {PIRGB(0xFE, 0x01, 0x80), 0xFE, 0x01, 0x80, 0xFF},
        {PIRGBA(0x1FF, 0x2EE, 0x3DD, 0x4CC), 0xFF, 0xEE, 0xDD, 0xCC},
    };
    for (const auto& c : cases) {
        // The host unpacks by shifting, whatever the machine's byte order.
        EXPECT_EQ(c.packed, (c.red << 24) | (c.green << 16) | (c.blue << 8) | c.alpha);
        EXPECT_EQ(PIREDVAL(c.packed), c.red);
        EXPECT_EQ(PIGREENVAL(c.packed), c.green);
        EXPECT_EQ(PIBLUEVAL(c.packed), c.blue);
        EXPECT_EQ(PIALPHAVAL(c.packed), c.alpha);
    }
    EXPECT_EQ(sizeof(PIColor_t), 4u);
}

// Distinct addresses standing for handles, callbacks and caller data.
char tags[8];
void* const kWindow = &tags[0];
void* const kParent = &tags[1];
void* const kCreated = &tags[2];
void* const kData = &tags[3];
FunctorTwoParams__* const kFunction = reinterpret_cast<FunctorTwoParams__*>(&tags[4]);

const std::vector<int32_t> kDefaultLayout = {0, 0, 2, 2, 2, 2, 2, 2, 0};

std::vector<int32_t> layoutOf(const hostview::Header& header) {
    return std::vector<int32_t>(header.opts->values, header.opts->values + 9);
}

// Every block starts with the vtable of its class and the layout record.
void expectHeader(const hostview::Header& header, const std::vector<int32_t>& layout = kDefaultLayout) {
    EXPECT_NE(header.vtable, nullptr);
    ASSERT_NE(header.opts, nullptr);
    EXPECT_EQ(layoutOf(header), layout);
}

template <typename Block>
Block& as(void* data) {
    return *static_cast<Block*>(data);
}

// The object at `object` as the host, a separate shared object, reads it:
// every write before is finished and the memory is read afresh.
template <typename View>
const View& hostRead(const void* object) {
    asm volatile("" : "+r"(object) : : "memory");
    return *static_cast<const View*>(object);
}

// A proxy standing for the host's widget kWindow.
template <typename Proxy>
std::unique_ptr<Proxy> proxyFor(std::unique_ptr<Proxy> proxy) {
    proxy->serverHandle = kWindow;
    return proxy;
}
std::unique_ptr<PIGUI::PIWindow> window() {
    return proxyFor(std::make_unique<PIGUI::PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2));
}
std::unique_ptr<PIGUI::PIList> list() { return proxyFor(std::make_unique<PIGUI::PIList>()); }
std::unique_ptr<PIGUI::PIVerticalFrame> parent() {
    auto frame = std::make_unique<PIGUI::PIVerticalFrame>();
    frame->serverHandle = kParent;
    return frame;
}

struct HostSide {
    int32_t code;
    // Reads the block through the host's declarations and writes the host's
    // answer into it; returns what Call returns.
    std::function<void*(void* data)> answer;
};

struct BlockCase {
    const char* name;
    std::vector<HostSide> host;
    // The plug-in's request, checking what comes back.
    std::function<void()> plugin;
};

std::vector<BlockCase> blockCases() {
    using namespace hostview;
    return {
        {"PI_DATA_POINTER_AND_BOOL: enable",
         {{144,
           [](void* data) {
               auto& b = as<PointerAndBool>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_TRUE(b.boolValue);
               return nullptr;
           }}},
         [] { window()->enable(); }},
        {"PI_DATA_POINTER_AND_INT: value query",
         {{149,
           [](void* data) {
               auto& b = as<PointerAndInt>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.intValue, -1);
               b.intValue = 4242;
               return nullptr;
           }}},
         [] { EXPECT_EQ(window()->getValueInt(), 4242); }},
        {"PI_DATA_POINTER_AND_DOUBLE: value query",
         {{150,
           [](void* data) {
               auto& b = as<PointerAndDouble>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.doubleValue, -1.0);
               b.doubleValue = 6.25;
               return nullptr;
           }}},
         [] { EXPECT_EQ(window()->getValueDouble(), 6.25); }},
        {"PI_DATA_POINTER_AND_STRING: set text",
         {{154,
           [](void* data) {
               auto& b = as<PointerAndString>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.stringValue, "typed by the plug-in");
               return nullptr;
           }}},
         [] { window()->setValue(std::string("typed by the plug-in")); }},
        {"PI_DATA_POINTER_AND_STRING: text query",
         {{151,
           [](void* data) {
               auto& b = as<PointerAndString>(data);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.stringValue, "");
               b.stringValue = "written by the host";
               return nullptr;
           }}},
         [] { EXPECT_EQ(window()->getValueText(), "written by the host"); }},
        {"PI_DATA_POINTER_AND_FUNCTION: map function",
         {{146,
           [](void* data) {
               auto& b = as<PointerAndFunction>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.function, static_cast<void*>(kFunction));
               return nullptr;
           }}},
         [] { window()->mapFunction(kFunction); }},
        {"PI_DATA_POINTER_STRING_AND_FUNCTION and PI_DATA_POINTER_AND_POINTER: button creation and binding",
         {{118,
           [](void* data) -> void* {
               auto& b = as<PointerStringAndFunction>(data);
               expectHeader(b.header, {0, 0, 4, 5, 6, 7, 2, 2, 1});
               EXPECT_EQ(b.pointer, kParent);
               EXPECT_EQ(b.stringValue, "OK");
               EXPECT_EQ(b.function, static_cast<void*>(kFunction));
               return kCreated;
           }},
          {100,
           [](void* data) {
               auto& b = as<PointerAndPointer>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kCreated);
               // The proxy itself, whose fields the host reads through its view.
               const auto& proxy = *static_cast<const ProxyObject*>(b.pointerValue);
               EXPECT_EQ(proxy.serverHandle, kCreated);
               EXPECT_TRUE(proxy.ownsServerObject);
               return nullptr;
           }}},
         [] {
             auto frame = parent();
             auto button =
                 std::make_unique<PIGUI::PIButton>(frame.get(), "OK", kFunction, 1, 0, 0, 4, 5, 6, 7);
             EXPECT_EQ(button->serverHandle, kCreated);
         }},
        {"PI_DATA_POINTER_AND_OPTS: frame creation",
         {{108,
           [](void* data) -> void* {
               auto& b = as<PointerAndOpts>(data);
               expectHeader(b.header, {100, 50, 3, 4, 5, 6, 7, 8, 1});
               EXPECT_EQ(b.pointer, kParent);
               return kCreated;
           }}},
         [] {
             auto frame = parent();
             PIGUI::PIVerticalFrame child(frame.get(), 1, 100, 50, 3, 4, 5, 6, 7, 8);
             EXPECT_EQ(child.serverHandle, kCreated);
         }},
        {"PI_DATA_POINTER_INT_AND_BOOL: select a list item",
         {{131,
           [](void* data) {
               auto& b = as<PointerIntAndBool>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.intValue, 3);
               EXPECT_TRUE(b.boolValue);
               return nullptr;
           }}},
         [] { list()->setSelectedItem(3); }},
        {"PI_DATA_POINTER_INT_AND_STRING: list item text",
         {{133,
           [](void* data) {
               auto& b = as<PointerIntAndString>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.intValue, 5);
               EXPECT_EQ(b.stringValue, "");
               b.stringValue = "fifth";
               return nullptr;
           }},
          {134,
           [](void* data) {
               auto& b = as<PointerIntAndString>(data);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.intValue, 2);
               EXPECT_EQ(b.stringValue, "second");
               return nullptr;
           }}},
         [] {
             auto items = list();
             EXPECT_EQ(items->getItemText(5), "fifth");
             items->setItemText(2, "second");
         }},
        {"PI_DATA_POINTER_INT_AND_FUNCTION: text field creation",
         {{119,
           [](void* data) -> void* {
               auto& b = as<PointerIntAndFunction>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kParent);
               EXPECT_EQ(b.intValue, 12);
               EXPECT_EQ(b.function, static_cast<void*>(kFunction));
               return kCreated;
           }}},
         [] {
             auto frame = parent();
             PIGUI::PITextField field(frame.get(), 12, kFunction);
             EXPECT_EQ(field.serverHandle, kCreated);
         }},
        {"PI_DATA_POINTER_STRING_AND_STRING: registry write",
         {{101,
           [](void* data) {
               auto& b = as<PointerStringAndString>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, nullptr);
               EXPECT_EQ(b.stringValue, "Plugin/Key");
               EXPECT_EQ(b.stringValue2, "a value long enough to leave any short-string buffer");
               return nullptr;
           }}},
         [] {
             PIGUI::PIRegistry::setValue("Plugin/Key",
                                         "a value long enough to leave any short-string buffer");
         }},
        {"PI_DATA_POINTER_POINTER_AND_INT: list item data",
         {{136,
           [](void* data) {
               auto& b = as<PointerPointerAndInt>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.pointer, kWindow);
               EXPECT_EQ(b.pointerValue, kData);
               EXPECT_EQ(b.intValue, 4);
               return nullptr;
           }}},
         [] { list()->setItemData(4, kData); }},
        {"PI_REGISTER_HANDLER_DATA: file and network handlers",
         {{500,
           [](void* data) {
               auto& b = as<RegisterHandler>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.string1, "Scenario files");
               EXPECT_EQ(b.string2, "*.asi");
               EXPECT_EQ(b.mask, 0x80000001u);
               return nullptr;
           }},
          {501,
           [](void* data) {
               auto& b = as<RegisterHandler>(data);
               EXPECT_EQ(b.string1, "");
               EXPECT_EQ(b.string2, "udp://feed");
               EXPECT_EQ(b.mask, 0u);
               return nullptr;
           }}},
         [] {
             PICommon::registerFileHandler("Scenario files", "*.asi", 0x80000001u);
             PICommon::registerNetworkHandler("udp://feed");
         }},
        {"PI_DATA_CATCHALL: bind with a status answer",
         {{322,
           [](void* data) {
               auto& b = as<CatchAll>(data);
               expectHeader(b.header);
               EXPECT_TRUE(b.dblVector.empty());
               EXPECT_EQ(b.intVector, (std::vector<int32_t>{0, 1}));
               EXPECT_EQ(b.strVector,
                         std::vector<std::string>{PluginClient::Interfaces::SIGNAL_SERVICE_NAME});
               EXPECT_EQ(b.ptrVector.size(), 1u);
               b.intVector[1] = 0;
               return nullptr;
           }}},
         [] {
             PluginClient::Interfaces::SignalClient client;
             EXPECT_EQ(client.bind(PluginClient::Interfaces::SIGNAL_SERVICE_NAME), 0);
         }},
        {"PI_DATA_CATCHALL: doubles, integers and text",
         {{315,
           [](void* data) {
               auto& b = as<CatchAll>(data);
               expectHeader(b.header);
               EXPECT_EQ(b.dblVector, (std::vector<double>{1.5, -2.5, 3e100, 0.125}));
               EXPECT_EQ(b.intVector, std::vector<int32_t>{7});
               EXPECT_EQ(b.strVector, std::vector<std::string>{"Left"});
               EXPECT_TRUE(b.ptrVector.empty());
               return nullptr;
           }}},
         [] { PICommon::createViewport(7, "Left", 1.5, -2.5, 3e100, 0.125); }},
        {"PI_DATA_CATCHALL: unsigned value out, text answer back",
         {{319,
           [](void* data) {
               auto& b = as<CatchAll>(data);
               EXPECT_EQ(b.intVector, (std::vector<int32_t>{1, static_cast<int32_t>(0x80000041u)}));
               EXPECT_EQ(b.strVector, std::vector<std::string>{""});
               b.strVector[0] = "Ctrl+A";
               return nullptr;
           }}},
         [] { EXPECT_EQ(PICommon::unparseAccelerator(0x80000041u), "Ctrl+A"); }},
    };
}

class ContractBlocks : public ::testing::Test {
protected:
    void SetUp() override {
        _initializePluginFunctionMap();
        testhost::reset();
    }
    void TearDown() override { testhost::reset(); }
};

TEST_F(ContractBlocks, every_block_kind_is_read_by_the_host_where_the_library_wrote_it) {
    for (const auto& c : blockCases()) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        std::vector<int> answered(c.host.size(), 0);
        for (std::size_t i = 0; i < c.host.size(); ++i) {
            testhost::respond(c.host[i].code, [&c, &answered, i](testhost::Exchange& e) {
                ++answered[i];
                return c.host[i].answer(e.data());
            });
        }
        c.plugin();
        EXPECT_EQ(answered, std::vector<int>(c.host.size(), 1)) << "each host side answers exactly once";
    }
}

TEST_F(ContractBlocks, overlay_text_records_cross_by_address_in_the_shared_layout) {
    testhost::respond(308, [](testhost::Exchange& e) {
        auto& b = as<hostview::CatchAll>(e.data());
        auto* id = static_cast<int32_t*>(b.ptrVector.at(0));
        auto* text = static_cast<hostview::OverlayText*>(b.ptrVector.at(1));
        if (b.intVector.at(0) == 0) {
            EXPECT_EQ(text->text, "Range 12 km");
            EXPECT_EQ(text->viewport, "Main");
            EXPECT_EQ(text->x, 0.25);
            EXPECT_EQ(text->y, 0.75);
            EXPECT_EQ(text->fontName, "Sans");
            EXPECT_EQ(text->fontSize, 14);
            EXPECT_EQ(text->color, 0x11223344u);
            *id = 9;
        } else {
            EXPECT_EQ(*id, 9);
            text->text = "from the host";
            text->fontSize = 30;
            text->color = 0xAABBCCDDu;
            b.intVector.at(1) = 0;
        }
        return nullptr;
    });
    PICommon::PIOverlayText text;
    text.text = "Range 12 km";
    text.viewport = "Main";
    text.x = 0.25;
    text.y = 0.75;
    text.fontName = "Sans";
    text.fontSize = 14;
    text.color = 0x11223344u;
    const int id = PICommon::createOverlayText(&text);
    EXPECT_EQ(id, 9);

    PICommon::PIOverlayText out;
    EXPECT_EQ(PICommon::getOverlayText(id, &out), 0);
    EXPECT_EQ(out.text, "from the host");
    EXPECT_EQ(out.fontSize, 30);
    EXPECT_EQ(out.color, 0xAABBCCDDu);
}

TEST_F(ContractBlocks, proxies_and_the_collector_show_their_fields_to_the_host) {
    testhost::respond(114, [](testhost::Exchange&) -> void* { return kCreated; });
    testhost::respond(108, [](testhost::Exchange&) -> void* { return kWindow; });
    auto* dialog = new PIGUI::PIDialogBox("Title");
    auto* frame = new PIGUI::PIVerticalFrame(dialog, 1, 100, 50, 3, 4, 5, 6, 7, 8);

    const auto& dialogView = hostRead<hostview::ProxyDialogBox>(static_cast<PIObject*>(dialog));
    EXPECT_EQ(dialogView.window.object.serverHandle, kCreated);
    EXPECT_TRUE(dialogView.window.object.ownsServerObject);
    EXPECT_FALSE(dialogView.wasShown);
    dialog->show();
    EXPECT_TRUE(hostRead<hostview::ProxyDialogBox>(static_cast<PIObject*>(dialog)).wasShown);

    const auto& frameView = hostRead<hostview::ProxyWindow>(static_cast<PIObject*>(frame));
    EXPECT_EQ(frameView.object.serverHandle, kWindow);
    EXPECT_EQ(std::vector<int32_t>(frameView.layoutOpts->values, frameView.layoutOpts->values + 9),
              (std::vector<int32_t>{100, 50, 3, 4, 5, 6, 7, 8, 1}));

    // Nobody took them into the server garbage: the library's collector
    // lists them, in order of construction.
    ASSERT_NE(g_PI_GarbageCollector, nullptr);
    const auto& collector = hostRead<hostview::GarbageCollector>(g_PI_GarbageCollector);
    EXPECT_EQ(collector.objects,
              (std::vector<void*>{static_cast<PIObject*>(dialog), static_cast<PIObject*>(frame)}));
    EXPECT_FALSE(collector.destroying);
    delete frame;
    delete dialog;
    EXPECT_TRUE(hostRead<hostview::GarbageCollector>(g_PI_GarbageCollector).objects.empty());
}

TEST(ContractRecords, terrain_raster_records_read_by_the_host_as_the_library_filled_them) {
    PITerrainRasterSetRequestInfo info;
    const auto& infoView = hostRead<hostview::TerrainRasterSetRequestInfo>(&info);
    // The defaults, as the host reads them.
    EXPECT_EQ(infoView.rasterSetName, "");
    EXPECT_EQ(infoView.activeRequestLimit, 3);
    EXPECT_EQ(infoView.pixelLength, 256);
    EXPECT_EQ(infoView.shallowestLevel, 0);
    EXPECT_EQ(infoView.deepestLevel, 18);
    EXPECT_EQ(infoView.rasterFormat, 0);
    EXPECT_EQ(infoView.source, "none");
    EXPECT_EQ(infoView.classification, "none");
    EXPECT_EQ(infoView.description, "none");
    EXPECT_FALSE(infoView.timeSpecified);
    EXPECT_EQ(infoView.timeValueYear, 1990);
    EXPECT_EQ(infoView.timeValueSecondsSinceRefYear, 0.0);
    const uint64_t defaultExtents[4] = {0, 4294967296ull, 0, 4294967296ull};
    for (const uint64_t* extents : {infoView.wwExtents, infoView.wExtents, infoView.eExtents,
                                    infoView.eeExtents, infoView.nExtents, infoView.sExtents}) {
        EXPECT_TRUE(std::equal(extents, extents + 4, defaultExtents));
    }
    EXPECT_EQ(infoView.userData, nullptr);

    info.rasterSetName = "dted level 2";
    info.timeSpecified = true;
    info.timeValueSecondsSinceRefYear = 86400.5;
    info.hasNoDataValue = true;
    info.noDataValue = -32767.0f;
    info.ignoreAboveValue = 9000.5f;
    info.hasIgnoreBelowValue = true;
    info.replacementValue = 1.25f;
    info.eeExtents[1] = 77;
    info.sExtents[3] = 1ull << 40;
    info.userData = kData;
    const auto& changed = hostRead<hostview::TerrainRasterSetRequestInfo>(&info);
    EXPECT_EQ(changed.rasterSetName, "dted level 2");
    EXPECT_TRUE(changed.timeSpecified);
    EXPECT_EQ(changed.timeValueSecondsSinceRefYear, 86400.5);
    EXPECT_TRUE(changed.hasNoDataValue);
    EXPECT_EQ(changed.noDataValue, -32767.0f);
    EXPECT_FALSE(changed.hasIgnoreAboveValue);
    EXPECT_EQ(changed.ignoreAboveValue, 9000.5f);
    EXPECT_TRUE(changed.hasIgnoreBelowValue);
    EXPECT_EQ(changed.replacementValue, 1.25f);
    EXPECT_EQ(changed.eeExtents[1], 77u);
    EXPECT_EQ(changed.sExtents[3], 1ull << 40);
    EXPECT_EQ(changed.userData, kData);

    uint8_t* buffer = nullptr;
    uint32_t size = 0, current = 0;
    const uint8_t node[] = {1, 2, 3};
    PITerrainRasterNodeRequest request;
    request.buffer = &buffer;
    request.bufferSize = &size;
    request.currentRasterSize = &current;
    request.nodeID = node;
    request.threadIndex = -2;
    request.userData = kData;
    const auto& requestView = hostRead<hostview::TerrainRasterNodeRequest>(&request);
    EXPECT_EQ(requestView.buffer, &buffer);
    EXPECT_EQ(requestView.bufferSize, &size);
    EXPECT_EQ(requestView.currentRasterSize, &current);
    EXPECT_EQ(requestView.nodeID, node);
    EXPECT_EQ(requestView.threadIndex, -2);
    EXPECT_EQ(requestView.userData, kData);

    void* user = nullptr;
    PITerrainRasterSetParseToken token;
    token.tokenName = "Classification";
    token.tokenValue = "unclassified";
    token.userData = &user;
    const auto& tokenView = hostRead<hostview::TerrainRasterSetParseToken>(&token);
    EXPECT_EQ(tokenView.tokenName, "Classification");
    EXPECT_EQ(tokenView.tokenValue, "unclassified");
    EXPECT_EQ(tokenView.userData, &user);
}

void* pluginFunction(void*, PIFunctionParams_t*) { return nullptr; }

TEST(ContractRecords, function_parameters_and_client_functions_read_by_the_host_as_the_library_filled_them) {
    PIFunctionParams_t params;
    params.strMap[PI_PARAMNAME_TIME] = "12:00";
    params.intMap[PI_PARAMNAME_RETURNVALUE] = 1ull << 40;
    params.dblMap[PI_PARAMNAME_TIME] = 2.5;
    params.ptrMap[PI_PARAMNAME_RETURNVALUE] = kData;
    const auto& view = hostRead<hostview::FunctionParams>(&params);
    EXPECT_EQ(view.strMap, (std::map<int32_t, std::string>{{1, "12:00"}}));
    EXPECT_EQ(view.intMap, (std::map<int32_t, uint64_t>{{0, 1ull << 40}}));
    EXPECT_EQ(view.dblMap, (std::map<int32_t, double>{{1, 2.5}}));
    EXPECT_EQ(view.ptrMap, (std::map<int32_t, void*>{{0, kData}}));

    PIClientFuncAndData_t client(&pluginFunction, kData);
    const auto& clientView = hostRead<hostview::ClientFuncAndData>(&client);
    EXPECT_EQ(reinterpret_cast<void*>(clientView.funcPointer), reinterpret_cast<void*>(&pluginFunction));
    EXPECT_EQ(clientView.clientData, kData);
}

}  // namespace
