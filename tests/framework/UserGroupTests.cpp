// The administrator tests against the test user database (TestUserDatabase.h): the group
// database read directly, and the same question asked of the directory service.
#include <DesktopUtilities.h>
#include <TestUserDatabase.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(UserGroupTest, AUserBelongsThroughThePrimaryGroupOrTheMemberList) {
    struct Case {
        const char* user;
        const char* group;
        bool member;
    };
    const Case cases[] = {
        {kTestLoginUser, "admin", true}, // primary group, not in the member list
        {kListedAdmin, "admin", true},   {kOutsider, "admin", false},
        {kOutsider, "staff", true},      {kTestLoginUser, "wheel", false},
    };
    for (int round = 0; round < 2; ++round) // every scan reads the whole database again
        for (const Case& c : cases)
            EXPECT_EQ(c.member, CheckUserGroups(c.user, c.group)) << c.user << " in " << c.group;
}

TEST(UserGroupTest, AnUnknownUserIsReportedAndBelongsNowhere) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CheckUserGroups("nobody-here", "admin"));
    EXPECT_EQ("groups: no such user.\n", testing::internal::GetCapturedStderr());
}

TEST(UserGroupTest, TheDirectoryServiceAgreesWithTheGroupDatabase) {
    testing::internal::CaptureStderr();
    EXPECT_TRUE(IsUserAdmin());
    EXPECT_EQ(IsUserAdmin(), IsUserAdmin_ADSafe());
    EXPECT_EQ("", testing::internal::GetCapturedStderr()) << "no step failed";
}

} // namespace
