// Bundles as their callers meet them: strings tables in the user's language with their
// fallbacks, malformed files, and plug-ins that cannot make an instance. The plug-in bundle's
// ordinary use is the print dialog's.
#include "TestSupport.h"

#include <ScopedEnvironment.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

CFRef<CFURLRef> urlFor(const fs::path& path) {
    return CFRef<CFURLRef>(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(path.c_str()), CFIndex(path.string().size()),
        true));
}

CFBundleRef testBundle() {
    static CFBundleRef bundle = CFBundleCreate(nullptr, urlFor(TEST_PLUGIN_BUNDLE).get());
    return bundle;
}

// A bundle folder made by the test: Contents/Info.plist with the given text, plus resources.
fs::path makeBundle(const std::string& name, const std::string& info,
                    const std::vector<std::pair<std::string, std::string>>& resources = {}) {
    const fs::path folder = fs::path(testing::TempDir()) / "bundles" / name;
    fs::create_directories(folder / "Contents" / "Resources");
    std::ofstream(folder / "Contents" / "Info.plist") << info;
    for (const auto& [file, content] : resources) {
        fs::create_directories((folder / "Contents" / "Resources" / file).parent_path());
        std::ofstream(folder / "Contents" / "Resources" / file) << content;
    }
    return folder;
}

// The user's language for one test: LANG alone decides, the other locale variables are unset.
struct Language {
    explicit Language(const char* language) : lang_("LANG", language) {}
    ScopedEnvironment language_{"LANGUAGE", nullptr}, all_{"LC_ALL", nullptr},
        messages_{"LC_MESSAGES", nullptr}, lang_;
};

TEST(CFBundle, LocalizedStringsFollowTheUserLanguageAndFallBack) {
    const struct {
        const char *language, *key, *value, *table, *expected;
    } cases[] = {
        {"C", "PDE Title", nullptr, nullptr, "Fax"},
        {"C", "Quoted \"word\"", nullptr, nullptr, "Line one\nLine two"},
        {"C", "Alone", nullptr, nullptr, "Alone"},
        {"C", "Unquoted", nullptr, nullptr, "Plain word key"},
        {"C", "Escaped", nullptr, nullptr, "été"},
        {"C", "PDE Title", nullptr, "Other", "Other table"},
        {"C", "PDE Title", nullptr, "NoTable", "PDE Title"},
        {"C", "No Such Key", nullptr, nullptr, "No Such Key"},
        {"C", "No Such Key", "Default", nullptr, "Default"},
        {"C", "No Such Key", "", nullptr, "No Such Key"},
        {"ja_JP.UTF-8", "PDE Title", nullptr, nullptr, "ファクス"},
        {"ja_JP.UTF-8", "Unquoted", nullptr, nullptr, "Plain word key"}, // English fallback
    };
    for (const auto& c : cases) {
        Language language(c.language);
        CFRef<CFStringRef> localized(CFBundleCopyLocalizedString(
            testBundle(), makeString(c.key).get(), c.value ? makeString(c.value).get() : nullptr,
            c.table ? makeString(c.table).get() : nullptr));
        EXPECT_EQ(text(localized.get()), c.expected) << c.language << " " << c.key;
    }
    CFRef<CFStringRef> none(CFBundleCopyLocalizedString(nullptr, CFSTR("Key"), nullptr, nullptr));
    EXPECT_EQ(text(none.get()), "Key");
}

TEST(CFBundle, MalformedFilesGiveMessagesAndEmptyResults) {
    const fs::path broken = makeBundle(
        "Broken.plugin", "<plist><dict><key>CFBundleIdentifier</key>",
        {{"en.lproj/Localizable.strings", "\"Key\" = \"Value\"\n\"Missing semicolon\" = \"x\""}});
    testing::internal::CaptureStderr();
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, urlFor(broken).get()));
    ASSERT_TRUE(bundle) << "a bundle with a malformed Info is still a bundle";
    EXPECT_EQ(CFBundleGetValueForInfoDictionaryKey(bundle.get(), CFSTR("CFBundleIdentifier")),
              nullptr);
    Language english("C");
    CFRef<CFStringRef> localized(
        CFBundleCopyLocalizedString(bundle.get(), CFSTR("Key"), nullptr, nullptr));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(text(localized.get()), "Key") << "a malformed table counts as absent";
    EXPECT_NE(messages.find("malformed Info.plist"), std::string::npos) << messages;
    EXPECT_NE(messages.find("missing ';'"), std::string::npos) << messages;
    std::ofstream(broken / "notes.txt") << "not executable";
    EXPECT_FALSE(CFBundleCreate(nullptr, urlFor(broken / "notes.txt").get()));
}

CFRef<CFUUIDRef> uuid(const char* text) {
    return CFRef<CFUUIDRef>(CFUUIDCreateFromString(nullptr, makeString(text).get()));
}

// The one factory of the type that the plug-in declares.
CFRef<CFUUIDRef> onlyFactory(CFUUIDRef type, const fs::path& bundle) {
    CFRef<CFPlugInRef> plugIn(CFPlugInCreate(nullptr, urlFor(bundle).get()));
    CFRef<CFArrayRef> factories(CFPlugInFindFactoriesForPlugInTypeInPlugIn(type, plugIn.get()));
    EXPECT_EQ(CFArrayGetCount(factories.get()), 1);
    return CFRef<CFUUIDRef>::retained(
        static_cast<CFUUIDRef>(CFArrayGetValueAtIndex(factories.get(), 0)));
}

TEST(CFPlugIn, FactoriesThatMakeNothingOrCannotLoadGiveNoInstance) {
    const auto type = uuid("5D1E2F30-4A5B-4C6D-9E8F-0A1B2C3D4E5F");
    const auto nothing = onlyFactory(type.get(), TEST_PLUGIN_BUNDLE);
    EXPECT_FALSE(CFPlugInInstanceCreate(nullptr, nothing.get(), type.get()));
    EXPECT_EQ(_CFPlugInGetInstanceCountForFactory(nothing.get()), 0);

    const fs::path noCode = makeBundle(
        "NoCode.plugin",
        "<plist version=\"1.0\"><dict><key>CFBundleExecutable</key><string>NoCode</string>"
        "<key>CFPlugInFactories</key><dict><key>11111111-2222-3333-4444-555555555555</key>"
        "<string>Make</string></dict><key>CFPlugInTypes</key><dict>"
        "<key>66666666-7777-8888-9999-AAAAAAAAAAAA</key>"
        "<array><string>11111111-2222-3333-4444-555555555555</string></array></dict></dict>"
        "</plist>");
    const auto codeless = uuid("66666666-7777-8888-9999-AAAAAAAAAAAA");
    const auto unloadable = onlyFactory(codeless.get(), noCode);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CFPlugInInstanceCreate(nullptr, unloadable.get(), codeless.get()));
    EXPECT_FALSE(CFPlugInInstanceCreate(nullptr, type.get(), type.get()));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("cannot load"), std::string::npos) << messages;
    EXPECT_NE(messages.find("no factory"), std::string::npos) << messages;
}

} // namespace
