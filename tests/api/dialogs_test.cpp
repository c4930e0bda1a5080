// The requests that take a parent window (the debug message box and the
// file and directory dialogs) against the recording host.

#include <gtest/gtest.h>

#include <memory>

#include "api/PIFileDialogs.h"
#include "api/PINotify.h"
#include "gui/PIWindow.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::catchAll;
using apitest::Expected;

Expected messageBox(const void* pointer, const std::string& text1, const std::string& text2) {
    Expected e;
    e.code = 306;
    e.kind = testhost::BlockKind::PointerStringAndString;
    e.pointer = pointer;
    e.stringValue = text1;
    e.stringValue2 = text2;
    return e;
}

class Dialogs : public apitest::WithHost {
protected:
    void SetUp() override {
        apitest::WithHost::SetUp();
        parent = std::make_unique<PIGUI::PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2);
        parent->serverHandle = kParentHandle;
        parent->ownsServerObject = false;
        noServerObject = std::make_unique<PIGUI::PIWindow>(0, 0, 0, 2, 2, 2, 2, 2, 2);
        testhost::clearRequests();
    }

    void* const kParentHandle = reinterpret_cast<void*>(0xAB12);
    std::unique_ptr<PIGUI::PIWindow> parent;
    std::unique_ptr<PIGUI::PIWindow> noServerObject;
};

TEST_F(Dialogs, every_operation_sends_its_tabled_request_with_the_parents_server_handle) {
    PIGUI::PIWindow* const window = parent.get();
    PIGUI::PIWindow* const noWindow = nullptr;
    const struct {
        const char* operation;
        std::function<void()> call;
        Expected expected;
    } cases[] = {
        {"debugMsgBox", [&] { PICommon::debugMsgBox("Title", "Body", window); },
         messageBox(kParentHandle, "Title", "Body")},
        {"debugMsgBox without parent", [&] { PICommon::debugMsgBox("", "Body", noWindow); },
         messageBox(nullptr, "", "Body")},
        {"debugMsgBox parent without server object",
         [&] { PICommon::debugMsgBox("T", "B", noServerObject.get()); }, messageBox(nullptr, "T", "B")},
        {"showFileLoadDialog", [&] { PICommon::showFileLoadDialog("a", "b", "c", "d", true, window, "e"); },
         catchAll(163, {0, 1}, {"a", "b", "c", "d", "e", ""}, {at(kParentHandle)})},
        {"showFileLoadDialog without parent",
         [&] { PICommon::showFileLoadDialog("a", "b", "c", "d", false, noWindow, "e"); },
         catchAll(163, {0, 0}, {"a", "b", "c", "d", "e", ""}, {at(nullptr)})},
        {"showFileSaveDialog", [&] { PICommon::showFileSaveDialog("a", "b", "c", true, "d", noWindow, "e"); },
         catchAll(163, {1, 1}, {"a", "b", "c", "d", "e", ""}, {at(nullptr)})},
        {"showFileSaveDialog with parent",
         [&] { PICommon::showFileSaveDialog("a", "b", "c", false, "d", window, "e"); },
         catchAll(163, {1, 0}, {"a", "b", "c", "d", "e", ""}, {at(kParentHandle)})},
        {"setStoredDirectory", [] { PICommon::setStoredDirectory("a", "b", "c"); },
         catchAll(163, {2}, {"a", "b", "c"})},
        {"showDirectorySelectDialog",
         [&] { PICommon::showDirectorySelectDialog("a", "b", "c", window, "d"); },
         catchAll(163, {3}, {"a", "b", "c", "d", ""}, {at(kParentHandle)})},
        {"showDirectorySelectDialog without parent",
         [&] { PICommon::showDirectorySelectDialog("a", "b", "c", noWindow, "d"); },
         catchAll(163, {3}, {"a", "b", "c", "d", ""}, {at(nullptr)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext);
    }
}

TEST_F(Dialogs, a_dialog_returns_what_the_host_wrote_into_its_result_entry) {
    const std::function<std::string()> dialogs[] = {
        [] { return PICommon::showFileLoadDialog("a", "b", "c", "d", true, nullptr, "e"); },
        [] { return PICommon::showFileSaveDialog("a", "b", "c", true, "d", nullptr, "e"); },
        [] { return PICommon::showDirectorySelectDialog("a", "b", "c", nullptr, "d"); },
    };
    testhost::respond(163, [](testhost::Exchange& e) {
        const auto& strs = e.request().block.strs;
        for (std::size_t i = 0; i + 1 < strs.size(); ++i) {
            e.setString(i, "not the result");
        }
        e.setString(strs.size() - 1, "/data/chosen.asi");
        return nullptr;
    });
    for (const auto& dialog : dialogs) {
        EXPECT_EQ(dialog(), "/data/chosen.asi");
    }
    testhost::respond(163, {});
    for (const auto& dialog : dialogs) {
        EXPECT_EQ(dialog(), "") << "unanswered";
    }
}

}  // namespace
