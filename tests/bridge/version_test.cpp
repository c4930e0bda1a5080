// API version numbers.

#include <gtest/gtest.h>

#include "bridge/PIBase.h"
#include "bridge/PILegacyVersion.h"

namespace {

TEST(Version, the_library_implements_1_28_0_build_12800) {
    EXPECT_EQ(PIBase::majorVersion(), 1);
    EXPECT_EQ(PIBase::minorVersion(), 28);
    EXPECT_EQ(PIBase::revisionVersion(), 0);
    EXPECT_EQ(PIBase::buildNumber(), 12800);
    EXPECT_EQ(PIBase::versionString(), "1.28.0");
    EXPECT_EQ(PIBase::legacyApiVersion(), 1.9 + 28 * 0.0001 + 0 * 0.000001);
    EXPECT_DOUBLE_EQ(PIBase::legacyApiVersion(), 1.9028);
}

TEST(Version, legacy_number_takes_the_branch_of_its_major_and_minor) {
    struct Case {
        int major, minor, revision;
        double expected;
    };
    const Case cases[] = {
        {0, 5, 0, 0.05},    {0, 5, 9, 0.05},  // major 0 ignores the revision
        {1, 0, 0, 1.0},     {1, 2, 3, 1.203},  {1, 9, 0, 1.9}, {1, 10, 0, 1.901}, {1, 10, 5, 1.901005},
        {1, 28, 0, 1.9028}, {2, 3, 4, 2.0304}, {3, 0, 0, 3.0}, {-1, 2, 0, -0.98},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.major << "." << c.minor << "." << c.revision);
        EXPECT_DOUBLE_EQ(PIBridge::legacyVersionNumber(c.major, c.minor, c.revision), c.expected);
    }
}

}  // namespace
