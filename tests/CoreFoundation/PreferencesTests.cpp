#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Each test keeps its preferences in a folder of its own, as a fresh user would.
class CFPreferencesTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            fs::path(testing::TempDir()) / ("cf-prefs-" + std::to_string(getpid())) / info->name();
        fs::remove_all(folder_);
        setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        _CFPreferencesFlushCaches();
    }
    void TearDown() override { _CFPreferencesFlushCaches(); }

    static void set(const char* key, CFPropertyListRef value,
                    CFStringRef host = kCFPreferencesCurrentHost) {
        CFPreferencesSetValue(makeString(key).get(), value, kCFPreferencesAnyApplication,
                              kCFPreferencesCurrentUser, host);
    }
    static CFRef<CFPropertyListRef> get(const char* key,
                                        CFStringRef host = kCFPreferencesCurrentHost) {
        return CFRef<CFPropertyListRef>(CFPreferencesCopyValue(
            makeString(key).get(), kCFPreferencesAnyApplication, kCFPreferencesCurrentUser, host));
    }
    static bool synchronize(CFStringRef host = kCFPreferencesCurrentHost) {
        return CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesCurrentUser,
                                        host);
    }

    fs::path folder_;
};

TEST_F(CFPreferencesTest, ValuesSurviveAReloadOnlyAfterSynchronize) {
    set("Printer1SenderName", CFSTR("Hanako"));
    set("Printer2SenderName", CFSTR("Taro"));
    EXPECT_EQ(text(get("Printer1SenderName").get()), "Hanako") << "visible at once in this process";
    _CFPreferencesFlushCaches();
    EXPECT_FALSE(get("Printer1SenderName")) << "not written before synchronizing";

    set("Printer1SenderName", CFSTR("Hanako"));
    set("Printer2SenderName", CFSTR("Taro"));
    ASSERT_TRUE(synchronize());
    _CFPreferencesFlushCaches();
    EXPECT_EQ(text(get("Printer1SenderName").get()), "Hanako");
    EXPECT_EQ(text(get("Printer2SenderName").get()), "Taro") << "kept per printer key";
    EXPECT_FALSE(get("Printer1SenderName", kCFPreferencesAnyHost)) << "hosts are separate domains";

    set("Printer1SenderName", nullptr);
    ASSERT_TRUE(synchronize());
    _CFPreferencesFlushCaches();
    EXPECT_FALSE(get("Printer1SenderName"));
    EXPECT_TRUE(get("Printer2SenderName"));
}

TEST_F(CFPreferencesTest, SynchronizeMergesWhatAnotherProcessWrote) {
    set("Mine", CFSTR("1"), kCFPreferencesAnyHost);
    ASSERT_TRUE(synchronize(kCFPreferencesAnyHost));
    const fs::path file = folder_ / "CFPreferences" / ".GlobalPreferences.plist";
    ASSERT_TRUE(fs::exists(file));
    // Another process adds a key to the file.
    std::ofstream(file)
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
           "<key>Mine</key><string>1</string><key>Theirs</key><string>2</string></dict></plist>";
    set("Mine", CFSTR("3"), kCFPreferencesAnyHost);
    ASSERT_TRUE(synchronize(kCFPreferencesAnyHost));
    EXPECT_EQ(text(get("Theirs", kCFPreferencesAnyHost).get()), "2");
    EXPECT_EQ(text(get("Mine", kCFPreferencesAnyHost).get()), "3");
    for (const auto& entry : fs::directory_iterator(file.parent_path()))
        EXPECT_EQ(entry.path().filename().string().find(".XXX"), std::string::npos)
            << "no temporary file left";
}

TEST_F(CFPreferencesTest, StoredStringsDoNotFollowLaterChangesAndBadInputIsHarmless) {
    CFRef<CFMutableStringRef> name(CFStringCreateMutableCopy(nullptr, 0, CFSTR("before")));
    set("Name", name.get());
    CFStringAppend(name.get(), CFSTR(" after"));
    EXPECT_EQ(text(get("Name").get()), "before");

    CFPreferencesSetValue(CFSTR("Key"), CFSTR("v"), kCFPreferencesAnyApplication,
                          kCFPreferencesAnyUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(CFPreferencesCopyValue(CFSTR("Key"), kCFPreferencesAnyApplication,
                                        kCFPreferencesAnyUser, kCFPreferencesCurrentHost))
        << "other users' domains are not kept";
    EXPECT_FALSE(CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesAnyUser,
                                          kCFPreferencesCurrentHost));
    set("Null key check", nullptr);
    CFPreferencesSetValue(nullptr, CFSTR("v"), kCFPreferencesAnyApplication,
                          kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    EXPECT_FALSE(CFPreferencesCopyValue(nullptr, kCFPreferencesAnyApplication,
                                        kCFPreferencesCurrentUser, kCFPreferencesCurrentHost));

    fs::create_directories(folder_ / "CFPreferences");
    std::ofstream(folder_ / "CFPreferences" / ".GlobalPreferences.plist") << "garbage";
    _CFPreferencesFlushCaches();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(get("Anything", kCFPreferencesAnyHost));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("malformed"), std::string::npos);
}

TEST_F(CFPreferencesTest, SynchronizeFailsWhenTheFileCannotBeWritten) {
    fs::create_directories(folder_);
    std::ofstream(folder_ / "CFPreferences") << "a file where the folder should be";
    set("Key", CFSTR("v"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(synchronize());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot write"), std::string::npos);
    EXPECT_EQ(text(get("Key").get()), "v") << "the change is kept for a later attempt";
}

} // namespace
