// Application information, the toolkit-version handshake, notifications and
// preferences against the recording host.

#include <gtest/gtest.h>

#include "api/PIApplication.h"
#include "api/PIFoxVersion.h"
#include "api/PINotify.h"
#include "api/PIPreferences.h"
#include "tests/api/ExpectedRequests.h"

namespace {

using apitest::at;
using apitest::catchAll;
using apitest::direct;
using apitest::Expected;
using testhost::BlockKind;

Expected nullData(int32_t code) { return direct(code, BlockKind::Null, at(nullptr)); }

class Application : public apitest::WithHost {};

TEST_F(Application, every_operation_sends_its_tabled_request) {
    int major = 0;
    int minor = 0;
    int revision = 0;
    const std::string message = "loaded 3 files";
    Expected name = direct(300, BlockKind::DirectString, apitest::localString("Unknown"));
    name.directString = "Unknown";

    const struct {
        const char* operation;
        std::function<void()> call;
        Expected expected;
    } cases[] = {
        {"getPluginToolbar", [] { PICommon::getPluginToolbar(); }, nullData(10)},
        {"getPluginMenuPane", [] { PICommon::getPluginMenuPane(); }, nullData(11)},
        {"getApplication", [] { PICommon::getApplication(); }, nullData(12)},
        {"getMainWindowHandle", [] { PICommon::getMainWindowHandle(); },
         direct(13, BlockKind::Raw, apitest::localULong(0))},
        {"getMainWindow", [] { PICommon::getMainWindow(); }, nullData(14)},
        {"getApplicationName", [] { PICommon::getApplicationName(); }, name},
        {"getApplicationId", [] { PICommon::getApplicationId(); },
         direct(301, BlockKind::DirectInt, apitest::localInt(0))},
        {"getApplicationVersion", [] { PICommon::getApplicationVersion(); },
         direct(302, BlockKind::Raw, apitest::localDouble(0.0))},
        {"getApplicationPluginVersion()", [] { PICommon::getApplicationPluginVersion(); },
         direct(303, BlockKind::Raw, apitest::localDouble(0.0))},
        {"getApplicationPluginVersion(major, minor, revision)",
         [&] { PICommon::getApplicationPluginVersion(major, minor, revision); },
         catchAll(326, {0, 1}, {}, {at(&major), at(&minor), at(&revision)})},
        {"unloadSelf", [] { PICommon::unloadSelf(); }, nullData(304)},
        {"registerFoxVersion", [] { PICommon::registerFoxVersion(1, 7); }, catchAll(15, {0, 1, 7, 1})},
        {"verifyFoxVersion", [] { PICommon::verifyFoxVersion(); }, catchAll(15, {1, 0})},
        {"verifyFoxVersionDirectAccess", [] { PICommon::verifyFoxVersionDirectAccess(); },
         catchAll(15, {2, 0})},
        {"debugPrint", [&] { PICommon::debugPrint(message); },
         direct(305, BlockKind::Raw, apitest::chars(message))},
        {"setNotifyLevel", [] { PICommon::setNotifyLevel(PICommon::NotifySeverity(3)); },
         catchAll(325, {0, 3})},
        {"getNotifyLevel", [] { PICommon::getNotifyLevel(); }, catchAll(325, {1, 5})},
        {"notify", [] { PICommon::notify("Import", PICommon::NotifySeverity(2), "3 tracks dropped"); },
         catchAll(325, {2, 2}, {"Import", "3 tracks dropped"})},
        {"showToastNotification",
         [] { PICommon::showToastNotification("Saved", PICommon::ToastDuration(1)); },
         catchAll(324, {0, 1, 1}, {"Saved"})},
        {"loadPrefsFile", [] { PICommon::loadPrefsFile("/home/u/.prefs"); },
         catchAll(321, {0, 1}, {"/home/u/.prefs"})},
        {"savePrefsFile", [] { PICommon::savePrefsFile("/home/u/.prefs"); },
         catchAll(321, {1}, {"/home/u/.prefs"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operation);
        apitest::expectRequests(c.call, {c.expected}, apitest::kContext);
    }
}

TEST_F(Application, host_objects_are_the_values_the_requests_return) {
    const struct {
        int32_t code;
        std::function<void*()> call;
    } cases[] = {
        {10, PICommon::getPluginToolbar},
        {11, PICommon::getPluginMenuPane},
        {12, PICommon::getApplication},
        {14, PICommon::getMainWindow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.call(), nullptr) << "unanswered";
        void* const object = reinterpret_cast<void*>(0x1000 + c.code);
        testhost::respond(c.code, [object](testhost::Exchange&) { return object; });
        EXPECT_EQ(c.call(), object);
    }
}

TEST_F(Application, identity_and_versions_are_what_the_host_wrote_through_the_address) {
    EXPECT_EQ(PICommon::getMainWindowHandle(), 0u);
    EXPECT_EQ(PICommon::getApplicationName(), "Unknown");
    EXPECT_EQ(PICommon::getApplicationId(), 0);
    EXPECT_EQ(PICommon::getApplicationVersion(), 0.0);
    EXPECT_EQ(PICommon::getApplicationPluginVersion(), 0.0);

    testhost::respond(13, [](testhost::Exchange& e) {
        *static_cast<uint64_t*>(e.data()) = 0x8000000000000001u;
        return nullptr;
    });
    testhost::respond(300, [](testhost::Exchange& e) {
        e.setDirectString("KARVEN");
        return nullptr;
    });
    testhost::respond(301, [](testhost::Exchange& e) {
        e.setDirectInt(42);
        return nullptr;
    });
    testhost::respond(302, [](testhost::Exchange& e) {
        *static_cast<double*>(e.data()) = 12.5;
        return nullptr;
    });
    testhost::respond(303, [](testhost::Exchange& e) {
        *static_cast<double*>(e.data()) = 1.9028;
        return nullptr;
    });
    EXPECT_EQ(PICommon::getMainWindowHandle(), 0x8000000000000001u);
    EXPECT_EQ(PICommon::getApplicationName(), "KARVEN");
    EXPECT_EQ(PICommon::getApplicationId(), 42);
    EXPECT_EQ(PICommon::getApplicationVersion(), 12.5);
    EXPECT_EQ(PICommon::getApplicationPluginVersion(), 1.9028);
}

TEST_F(Application, statuses_are_read_from_the_result_slot_and_stay_1_when_unanswered) {
    int major = 0;
    int minor = 0;
    int revision = 0;
    const struct {
        int32_t code;
        std::function<int()> call;
    } cases[] = {
        {326, [&] { return PICommon::getApplicationPluginVersion(major, minor, revision); }},
        {324, [] { return PICommon::showToastNotification("t", {}); }},
        {321, [] { return PICommon::loadPrefsFile("f"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        apitest::expectResultSlot(c.code, c.call, 1);
    }
}

TEST_F(Application, the_three_version_numbers_are_zeroed_before_the_host_writes_them) {
    int major = 9;
    int minor = 9;
    int revision = 9;
    EXPECT_EQ(PICommon::getApplicationPluginVersion(major, minor, revision), 1);
    EXPECT_EQ((std::vector<int>{major, minor, revision}), (std::vector<int>{0, 0, 0}));

    std::vector<int> seenByHost;
    testhost::respond(326, [&seenByHost](testhost::Exchange& e) {
        for (std::size_t i = 0; i < 3; ++i) {
            int* number = static_cast<int*>(e.pointerAt(i));
            seenByHost.push_back(*number);
            *number = 10 + static_cast<int>(i);
        }
        e.setInt(1, 0);
        return nullptr;
    });
    major = minor = revision = 9;
    EXPECT_EQ(PICommon::getApplicationPluginVersion(major, minor, revision), 0);
    EXPECT_EQ(seenByHost, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ((std::vector<int>{major, minor, revision}), (std::vector<int>{10, 11, 12}));
}

TEST_F(Application, the_build_number_combines_the_three_numbers_when_the_host_answers) {
    const struct {
        int32_t status;
        int major, minor, revision;
        int build;
    } cases[] = {
        {0, 10, 4, 7, 100407}, {0, 3, 2, 1, 30201}, {0, 1, 28, 0, 12800},
        {0, 0, 0, 0, 0},       {1, 1, 28, 0, 0},    {-4, 3, 2, 1, 0},
    };
    EXPECT_EQ(PICommon::getApplicationPluginVersionBuildNumber(), 0) << "unanswered";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.major << "." << c.minor << "." << c.revision << " status " << c.status);
        testhost::clearRequests();
        testhost::respond(326, [&c](testhost::Exchange& e) {
            *static_cast<int*>(e.pointerAt(0)) = c.major;
            *static_cast<int*>(e.pointerAt(1)) = c.minor;
            *static_cast<int*>(e.pointerAt(2)) = c.revision;
            e.setInt(1, c.status);
            return nullptr;
        });
        EXPECT_EQ(PICommon::getApplicationPluginVersionBuildNumber(), c.build);
        EXPECT_EQ(apitest::codesSent(), std::vector<int32_t>{326});
    }
}

TEST_F(Application, the_fox_version_registration_answers_in_the_fourth_entry) {
    EXPECT_EQ(PICommon::registerFoxVersion(1, 7), 1);
    testhost::respond(15, [](testhost::Exchange& e) {
        e.setInt(3, 0);
        return nullptr;
    });
    EXPECT_EQ(PICommon::registerFoxVersion(1, 7), 0);
}

TEST_F(Application, the_fox_verifications_are_true_when_the_host_writes_non_zero) {
    EXPECT_FALSE(PICommon::verifyFoxVersion());
    EXPECT_FALSE(PICommon::verifyFoxVersionDirectAccess());
    for (int32_t written : {1, -1}) {
        testhost::respond(15, [written](testhost::Exchange& e) {
            e.setInt(1, written);
            return nullptr;
        });
        EXPECT_TRUE(PICommon::verifyFoxVersion());
        EXPECT_TRUE(PICommon::verifyFoxVersionDirectAccess());
    }
}

TEST_F(Application, the_notify_level_is_5_until_the_host_writes_one) {
    EXPECT_EQ(PICommon::getNotifyLevel(), 5);
    testhost::respond(325, [](testhost::Exchange& e) {
        e.setInt(1, 2);
        return nullptr;
    });
    EXPECT_EQ(PICommon::getNotifyLevel(), 2);
}

}  // namespace
