// What the GUI tests share: every request written as one line of text, so
// that a table of expected requests is compared with what the host received
// in one assertion, and builders for the expected lines.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/PIContainers.h"
#include "gui/PIIcon.h"
#include "hostsim/RecordingHost.h"

namespace guitest {

using Layout = std::array<int32_t, 9>;
// Width, height, the four pads, the two spacings, options.
inline const Layout kDefaultLayout = {0, 0, 2, 2, 2, 2, 2, 2, 0};

// "code kind field=value ...": the block's class and exactly the fields of
// that class; the layout record only when it is not the default one.
std::string describe(const testhost::Request& request);

// The requests received since the last clear, context lookups (code 16)
// left out, each described.
std::vector<std::string> sent();

// Expected requests, described the same way.
std::string direct(int32_t code, const void* data);
std::string catchAll(int32_t code, std::vector<int32_t> ints, std::vector<const void*> ptrs = {},
                     std::vector<std::string> strs = {});
std::string pointerAndBool(int32_t code, const void* pointer, bool value);
std::string pointerAndInt(int32_t code, const void* pointer, int32_t value,
                          const Layout& layout = kDefaultLayout);
std::string pointerAndDouble(int32_t code, const void* pointer, double value);
std::string pointerAndString(int32_t code, const void* pointer, const std::string& value,
                             const Layout& layout = kDefaultLayout);
std::string pointerAndFunction(int32_t code, const void* pointer, const void* function);
std::string pointerAndPointer(int32_t code, const void* pointer, const void* value);
std::string pointerAndOpts(int32_t code, const void* pointer, const Layout& layout);
std::string pointerIntAndBool(int32_t code, const void* pointer, int32_t value, bool flag);
std::string pointerIntAndString(int32_t code, const void* pointer, int32_t value, const std::string& text,
                                const Layout& layout = kDefaultLayout);
std::string pointerIntAndFunction(int32_t code, const void* pointer, int32_t value, const void* function,
                                  const Layout& layout);
std::string pointerStringAndString(int32_t code, const void* pointer, const std::string& first,
                                   const std::string& second);
std::string pointerStringAndFunction(int32_t code, const void* pointer, const std::string& text,
                                     const void* function, const Layout& layout = kDefaultLayout);
std::string pointerPointerAndInt(int32_t code, const void* pointer, const void* value, int32_t number);

using Lines = std::vector<std::string>;

// The bind request a proxy sends after its creation.
std::string bind(const void* handle, const void* proxy);
// The requests that list a proxy with the collector and remove it again.
std::string addToGarbage(const void* proxy);
std::string removeFromGarbage(const void* proxy);

// A proxy's layout record, in the order of Layout.
Layout recordOf(const PIGUI::PIWindow& window);

// A proxy just constructed while the host answered its creation with
// `handle`: the host received the collector listing and then `requests`,
// and the proxy keeps the handle. Deletes the proxy (sending nothing more).
void checkCreated(PIObject* proxy, const Lines& requests, void* handle);

// A proxy made by a constructor that only builds the base: it is listed
// with the collector and sends nothing else, has no handle and keeps
// `layout`. Deletes the proxy.
void checkBaseOnly(PIGUI::PIWindow* proxy, const Layout& layout);

// Stand-ins the tests hand to the library, never dereferenced.
template <int N>
void* fake() {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x1000 * N));
}

// A process with the recording host attached and a known context.
class WithHost : public ::testing::Test {
protected:
    void SetUp() override;
};

// With a parent canvas and an icon whose host handles are fake<1> and fake<2>.
class WithParent : public WithHost {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<PIGUI::PICanvas> parent;
    std::unique_ptr<PIGUI::PIIcon> icon;
};

// One result of an operation: its value without an answer (the preset) and
// with the host's answer to `code`.
struct ResultCase {
    const char* name;
    int32_t code;
    std::function<std::string()> call;
    std::string preset;
    testhost::Responder answer;
    std::string answered;
};
template <std::size_t N>
void checkResults(const ResultCase (&cases)[N]) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testhost::reset();
        EXPECT_EQ(c.call(), c.preset);
        testhost::respond(c.code, c.answer);
        EXPECT_EQ(c.call(), c.answered);
    }
}

// Writes `value` into intVector[1].
testhost::Responder setInt1(int32_t value);

}  // namespace guitest
