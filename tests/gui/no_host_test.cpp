// GUI proxies in a process without a host: every proxy is collected by the
// library, every getter answers its preset, and debug/ignore mode does the
// same silently.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/PIFunctionMap.h"
#include "gui/PIObject.h"
#include "gui/PIWindow.h"
#include "tests/support/CapturedOutput.h"

namespace {

std::string messages(int requests) {
    std::string text;
    for (int i = 0; i < 2 * requests; ++i) {  // each request also looks up its context
        text += pitest::kNoHostMessage;
    }
    return text;
}

// Records the order in which the collector deletes.
class Numbered : public PIGUI::PIWindow {
public:
    Numbered(int number, std::vector<int>* deleted)
        : PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2), number_(number), deleted_(deleted) {}
    ~Numbered() override { deleted_->push_back(number_); }

private:
    int number_;
    std::vector<int>* deleted_;
};

class NoHostGui : public ::testing::Test {
protected:
    void SetUp() override {
        _initializePluginFunctionMap();
        ASSERT_EQ(g_FunctionMap, nullptr) << "this process must not contain a host";
    }
};

TEST_F(NoHostGui, every_proxy_is_collected_and_deleted_last_first_without_destroy_requests) {
    std::vector<int> deleted;
    std::vector<PIObject*> made;
    const auto built = pitest::captureOutput([&] {
        for (int number : {1, 2, 3}) {
            made.push_back(new Numbered(number, &deleted));
            made.back()->serverHandle = &deleted;  // a handle that would be destroyed if owned
        }
    });
    EXPECT_EQ(built.err, messages(3)) << "one add request per proxy";
    ASSERT_NE(g_PI_GarbageCollector, nullptr);
    EXPECT_EQ(g_PI_GarbageCollector->objects, made);

    const auto collected = pitest::captureOutput([] { delete g_PI_GarbageCollector; });
    EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(collected.err, messages(3)) << "one remove request per proxy, no destroy request";
}

TEST_F(NoHostGui, getters_answer_their_presets) {
    PIGUI::PIWindow window(0, 0, 0, 2, 2, 2, 2, 2, 2);
    window.serverHandle = &window;
    int width = 5, height = 5;
    std::string text = "stale", sheet = "stale";
    int number = 0;
    double value = 0;
    bool focus = true, shown = true;
    const auto output = pitest::captureOutput([&] {
        text = window.getValueText();
        number = window.getValueInt();
        value = window.getValueDouble();
        window.getMinimumSize(width, height);
        sheet = window.getStyleSheet();
        focus = window.hasFocus();
        shown = window.shown();
    });
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, -1);
    EXPECT_EQ(value, -1.0);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(0, 0));
    EXPECT_EQ(sheet, "");
    EXPECT_FALSE(focus);
    EXPECT_FALSE(shown);
    EXPECT_EQ(output.err, messages(7));
    window.serverHandle = nullptr;
}

TEST_F(NoHostGui, debug_ignore_mode_gives_the_same_answers_silently) {
    __setDebugIgnore(true);
    const auto output = pitest::captureOutput([] {
        auto* window = new PIGUI::PIWindow(0, 0, 0, 2, 2, 2, 2, 2, 2);
        window->serverHandle = window;
        EXPECT_EQ(window->getValueInt(), -1);
        EXPECT_FALSE(window->hasFocus());
        EXPECT_EQ(g_PI_GarbageCollector->objects, std::vector<PIObject*>{window});
        delete g_PI_GarbageCollector;
    });
    EXPECT_EQ(output.err, "");
    EXPECT_EQ(output.out, "");
}

}  // namespace
