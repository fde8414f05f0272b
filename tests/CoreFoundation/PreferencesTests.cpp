// Preferences as processes share them: written only on Synchronize, merged with what another
// process wrote meanwhile, kept for a later attempt when the file cannot be written, and
// unharmed by bad input.
#include "TestSupport.h"

#include <ScopedEnvironment.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Each test keeps its preferences in a folder of its own, as a fresh user would.
class CFPreferencesTest : public testing::Test {
  protected:
    void SetUp() override { _CFPreferencesFlushCaches(); }
    void TearDown() override { _CFPreferencesFlushCaches(); }

    static void set(const char* key, CFPropertyListRef value,
                    CFStringRef host = kCFPreferencesCurrentHost) {
        CFPreferencesSetValue(makeString(key).get(), value, kCFPreferencesAnyApplication,
                              kCFPreferencesCurrentUser, host);
    }
    static std::string get(const char* key, CFStringRef host = kCFPreferencesCurrentHost) {
        return text(CFRef<CFPropertyListRef>(
                        CFPreferencesCopyValue(makeString(key).get(), kCFPreferencesAnyApplication,
                                               kCFPreferencesCurrentUser, host))
                        .get());
    }
    static bool synchronize(CFStringRef host = kCFPreferencesCurrentHost) {
        return CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesCurrentUser,
                                        host);
    }

    const fs::path folder_ = fs::path(testing::TempDir()) /
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path file_ = folder_ / "CFPreferences" / ".GlobalPreferences.plist";
    ScopedEnvironment home_{"XDG_CONFIG_HOME", folder_.c_str()};
};

TEST_F(CFPreferencesTest, ValuesSurviveAReloadOnlyAfterSynchronize) {
    set("Printer1SenderName", CFSTR("Hanako"));
    EXPECT_EQ(get("Printer1SenderName"), "Hanako") << "visible at once in this process";
    _CFPreferencesFlushCaches();
    EXPECT_EQ(get("Printer1SenderName"), "<null>") << "not written before synchronizing";

    set("Printer1SenderName", CFSTR("Hanako"));
    set("Printer2SenderName", CFSTR("Taro"));
    ASSERT_TRUE(synchronize());
    _CFPreferencesFlushCaches();
    EXPECT_EQ(get("Printer1SenderName"), "Hanako");
    EXPECT_EQ(get("Printer1SenderName", kCFPreferencesAnyHost), "<null>")
        << "hosts are separate domains";
    set("Printer1SenderName", nullptr);
    ASSERT_TRUE(synchronize());
    _CFPreferencesFlushCaches();
    EXPECT_EQ(get("Printer1SenderName"), "<null>");
    EXPECT_EQ(get("Printer2SenderName"), "Taro");
}

TEST_F(CFPreferencesTest, SynchronizeMergesWhatAnotherProcessWrote) {
    set("Mine", CFSTR("1"), kCFPreferencesAnyHost);
    ASSERT_TRUE(synchronize(kCFPreferencesAnyHost));
    ASSERT_TRUE(fs::exists(file_));
    std::ofstream(file_)
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
           "<key>Mine</key><string>1</string><key>Theirs</key><string>2</string></dict></plist>";
    set("Mine", CFSTR("3"), kCFPreferencesAnyHost);
    ASSERT_TRUE(synchronize(kCFPreferencesAnyHost));
    EXPECT_EQ(get("Theirs", kCFPreferencesAnyHost), "2");
    EXPECT_EQ(get("Mine", kCFPreferencesAnyHost), "3");
    for (const auto& entry : fs::directory_iterator(file_.parent_path()))
        EXPECT_EQ(entry.path(), file_) << "no temporary file left";
}

TEST_F(CFPreferencesTest, StoredStringsDoNotFollowLaterChangesAndBadInputIsHarmless) {
    CFRef<CFMutableStringRef> name(CFStringCreateMutableCopy(nullptr, 0, CFSTR("before")));
    set("Name", name.get());
    CFStringAppend(name.get(), CFSTR(" after"));
    EXPECT_EQ(get("Name"), "before");

    CFPreferencesSetValue(CFSTR("Key"), CFSTR("v"), kCFPreferencesAnyApplication,
                          kCFPreferencesAnyUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(CFPreferencesCopyValue(CFSTR("Key"), kCFPreferencesAnyApplication,
                                        kCFPreferencesAnyUser, kCFPreferencesCurrentHost))
        << "other users' domains are not kept";
    EXPECT_FALSE(CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesAnyUser,
                                          kCFPreferencesCurrentHost));
    CFPreferencesSetValue(nullptr, CFSTR("v"), kCFPreferencesAnyApplication,
                          kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(CFPreferencesCopyValue(nullptr, kCFPreferencesAnyApplication,
                                        kCFPreferencesCurrentUser, kCFPreferencesCurrentHost));

    fs::create_directories(file_.parent_path());
    std::ofstream(file_) << "garbage";
    testing::internal::CaptureStderr();
    EXPECT_EQ(get("Anything", kCFPreferencesAnyHost), "<null>");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("malformed"), std::string::npos);
}

TEST_F(CFPreferencesTest, SynchronizeFailsWhenTheFileCannotBeWritten) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "CFPreferences") << "a file where the folder should be";
    set("Key", CFSTR("v"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(synchronize());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot write"), std::string::npos);
    EXPECT_EQ(get("Key"), "v") << "the change is kept for a later attempt";
}

} // namespace
