#include "TestSupport.h"

#include <ScopedEnvironment.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

CFRef<CFURLRef> urlFor(const fs::path& path) {
    return CFRef<CFURLRef>(CFURLCreateWithFileSystemPath(nullptr, makeString(path.c_str()).get(),
                                                         kCFURLPOSIXPathStyle, true));
}

CFBundleRef testBundle() {
    static CFBundleRef bundle = CFBundleCreate(nullptr, urlFor(TEST_PLUGIN_BUNDLE).get());
    return bundle;
}

// A bundle folder made by the test: Contents/Info.plist with the given text, plus files.
fs::path makeBundle(const std::string& name, const std::string& info,
                    const std::vector<std::pair<std::string, std::string>>& files = {}) {
    const fs::path folder =
        fs::path(testing::TempDir()) / ("cf-bundles-" + std::to_string(getpid())) / name;
    fs::create_directories(folder / "Contents" / "Resources");
    std::ofstream(folder / "Contents" / "Info.plist") << info;
    for (const auto& [file, content] : files) {
        fs::create_directories((folder / "Contents" / "Resources" / file).parent_path());
        std::ofstream(folder / "Contents" / "Resources" / file) << content;
    }
    return folder;
}

std::string infoWithIdentifier(const std::string& identifier) {
    return "<?xml version=\"1.0\"?><plist "
           "version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>" +
           identifier + "</string></dict></plist>";
}

std::string fileName(CFURLRef url) {
    const std::string path =
        text(CFRef<CFStringRef>(CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle)).get());
    return fs::path(path).filename().string();
}

// The user's language for one test: LANG alone decides, the other locale variables are unset.
struct Language {
    explicit Language(const char* language) : lang_("LANG", language) {}
    ScopedEnvironment language_{"LANGUAGE", nullptr}, all_{"LC_ALL", nullptr},
        messages_{"LC_MESSAGES", nullptr}, lang_;
};

CFRef<CFStringRef> localized(const char* key, CFStringRef value = nullptr,
                             CFStringRef table = nullptr) {
    return CFRef<CFStringRef>(
        CFBundleCopyLocalizedString(testBundle(), makeString(key).get(), value, table));
}

TEST(CFBundle, ReadsInfoAndFindsItsFiles) {
    CFBundleRef bundle = testBundle();
    ASSERT_TRUE(bundle);
    EXPECT_EQ(text(CFBundleGetIdentifier(bundle)), "com.example.test.plugin");
    CFRef<CFBundleRef> again(CFBundleCreate(nullptr, urlFor(TEST_PLUGIN_BUNDLE).get()));
    EXPECT_EQ(again.get(), bundle) << "one bundle object per folder";

    int version = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(
                         CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("CFBundleVersion"))),
                     kCFNumberIntType, &version);
    EXPECT_EQ(version, 3);
    EXPECT_EQ(CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("TestFlag")), kCFBooleanTrue);
    EXPECT_EQ(CFBundleGetValueForInfoDictionaryKey(bundle, CFSTR("Missing")), nullptr);

    CFRef<CFURLRef> executable(CFBundleCopyExecutableURL(bundle));
    char path[4096];
    ASSERT_TRUE(CFURLGetFileSystemRepresentation(executable.get(), true,
                                                 reinterpret_cast<UInt8*>(path), sizeof path));
    EXPECT_TRUE(std::string(path).ends_with("/Contents/Linux/TestPlugIn")) << path;
    EXPECT_TRUE(fs::exists(path));

    CFRef<CFURLRef> help(CFBundleCopyResourceURL(bundle, CFSTR("Help"), CFSTR("htm"), nullptr));
    EXPECT_EQ(fileName(help.get()), "Help.htm") << "found in the English folder";
    CFRef<CFURLRef> shared(CFBundleCopyResourceURL(bundle, CFSTR("Shared.txt"), nullptr, nullptr));
    EXPECT_EQ(fileName(shared.get()), "Shared.txt") << "found in Resources itself";
    EXPECT_FALSE(CFBundleCopyResourceURL(bundle, CFSTR("Absent"), CFSTR("htm"), nullptr));

    EXPECT_FALSE(CFBundleCreate(nullptr, urlFor("/nonexistent/X.plugin").get()));
    EXPECT_FALSE(CFBundleGetIdentifier(nullptr));
}

TEST(CFBundle, AnExecutableFileIsASingleFileApplication) {
    const fs::path folder = fs::path(testing::TempDir()) / ("cf-apps-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path program = folder / "editor", plain = folder / "notes.txt";
    std::ofstream(program) << "#!/bin/sh\n";
    std::ofstream(plain) << "text";
    fs::permissions(program, fs::perms::owner_all);

    CFRef<CFBundleRef> application(CFBundleCreate(nullptr, urlFor(program).get()));
    ASSERT_TRUE(application);
    CFRef<CFURLRef> executable(CFBundleCopyExecutableURL(application.get()));
    CFRef<CFStringRef> path(CFURLCopyFileSystemPath(executable.get(), kCFURLPOSIXPathStyle));
    EXPECT_EQ(text(path.get()), fs::canonical(program).string());
    EXPECT_FALSE(CFBundleGetIdentifier(application.get()));
    EXPECT_FALSE(CFBundleCreate(nullptr, urlFor(plain).get())) << "not executable";
    fs::remove_all(folder);
}

TEST(CFBundle, LocalizedStringsFollowTheUserLanguageAndFallBack) {
    {
        Language english("C");
        EXPECT_EQ(text(localized("PDE Title").get()), "Fax");
        EXPECT_EQ(text(localized("Quoted \"word\"").get()), "Line one\nLine two");
        EXPECT_EQ(text(localized("Alone").get()), "Alone");
        EXPECT_EQ(text(localized("Unquoted").get()), "Plain word key");
        EXPECT_EQ(text(localized("Escaped").get()), "été");
        EXPECT_EQ(text(localized("PDE Title", nullptr, CFSTR("Other")).get()), "Other table");
        EXPECT_EQ(text(localized("No Such Key").get()), "No Such Key")
            << "the key is its own fallback";
        EXPECT_EQ(text(localized("No Such Key", CFSTR("Default")).get()), "Default");
        EXPECT_EQ(text(localized("No Such Key", CFSTR("")).get()), "No Such Key");
        EXPECT_EQ(text(localized("PDE Title", nullptr, CFSTR("NoTable")).get()), "PDE Title");
    }
    {
        Language japanese("ja_JP.UTF-8");
        EXPECT_EQ(text(localized("PDE Title").get()), "ファクス");
        EXPECT_EQ(text(localized("Unquoted").get()), "Plain word key")
            << "missing in Japanese: English";
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
    EXPECT_EQ(CFBundleGetIdentifier(bundle.get()), nullptr);
    EXPECT_EQ(CFDictionaryGetCount(CFBundleGetInfoDictionary(bundle.get())), 0);
    Language english("C");
    CFRef<CFStringRef> text1(
        CFBundleCopyLocalizedString(bundle.get(), CFSTR("Key"), nullptr, nullptr));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(text(text1.get()), "Key") << "a malformed table counts as absent";
    EXPECT_NE(messages.find("malformed Info.plist"), std::string::npos) << messages;
    EXPECT_NE(messages.find("missing ';'"), std::string::npos) << messages;
}

TEST(CFBundle, FoundByIdentifierWhenMadeOrOnTheSearchPath) {
    ASSERT_TRUE(testBundle());
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.example.test.plugin")), testBundle());
    EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.example.unknown")), nullptr);

    const fs::path found = makeBundle("Found.app", infoWithIdentifier("com.example.found"));
    _CFBundleAddSearchDirectory(found.parent_path().c_str());
    CFBundleRef bundle = CFBundleGetBundleWithIdentifier(CFSTR("com.example.found"));
    ASSERT_TRUE(bundle);
    CFRef<CFURLRef> url(CFBundleCopyBundleURL(bundle));
    EXPECT_EQ(fileName(url.get()), "Found.app");

    const fs::path elsewhere =
        makeBundle("elsewhere/Env.bundle", infoWithIdentifier("com.example.env"));
    const std::string searchPath = "/nonexistent:" + elsewhere.parent_path().string();
    ScopedEnvironment setting("CF_BUNDLE_PATH", searchPath.c_str());
    EXPECT_TRUE(CFBundleGetBundleWithIdentifier(CFSTR("com.example.env")));
}

CFRef<CFUUIDRef> uuid(const char* text) {
    return CFRef<CFUUIDRef>(CFUUIDCreateFromString(nullptr, makeString(text).get()));
}

TEST(CFPlugIn, FactoriesFromTheBundleInfoMakeCountedInstances) {
    CFRef<CFPlugInRef> plugIn(CFPlugInCreate(nullptr, urlFor(TEST_PLUGIN_BUNDLE).get()));
    ASSERT_TRUE(plugIn);
    auto type = uuid("5D1E2F30-4A5B-4C6D-9E8F-0A1B2C3D4E5F");
    auto factory = uuid("0F6A1C2E-7B3D-4E5F-8A9B-1C2D3E4F5A6B");
    CFRef<CFArrayRef> factories(
        CFPlugInFindFactoriesForPlugInTypeInPlugIn(type.get(), plugIn.get()));
    ASSERT_EQ(CFArrayGetCount(factories.get()), 1);
    EXPECT_TRUE(CFEqual(CFArrayGetValueAtIndex(factories.get(), 0), factory.get()));

    void* instance = CFPlugInInstanceCreate(nullptr, factory.get(), type.get());
    ASSERT_TRUE(instance);
    EXPECT_EQ(*static_cast<int*>(instance), 0x5eed);
    EXPECT_EQ(_CFPlugInGetInstanceCountForFactory(factory.get()), 1);
    auto release = reinterpret_cast<void (*)(void*)>(
        CFBundleGetFunctionPointerForName(plugIn.get(), CFSTR("TestPlugInRelease")));
    ASSERT_TRUE(release);
    release(instance);
    EXPECT_EQ(_CFPlugInGetInstanceCountForFactory(factory.get()), 0);

    EXPECT_FALSE(CFPlugInInstanceCreate(nullptr, factory.get(), factory.get()))
        << "the factory refuses other types";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CFPlugInInstanceCreate(nullptr, type.get(), type.get()));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no factory"), std::string::npos);
    EXPECT_FALSE(CFBundleGetFunctionPointerForName(plugIn.get(), CFSTR("NoSuchFunction")));
}

TEST(CFPlugIn, ABundleWhoseExecutableCannotLoadFailsCleanly) {
    const fs::path bundle = makeBundle(
        "NoCode.plugin",
        "<plist version=\"1.0\"><dict><key>CFBundleExecutable</key><string>NoCode</string>"
        "<key>CFPlugInFactories</key><dict><key>11111111-2222-3333-4444-555555555555</"
        "key><string>Make</string></dict>"
        "<key>CFPlugInTypes</key><dict><key>66666666-7777-8888-9999-AAAAAAAAAAAA</key>"
        "<array><string>11111111-2222-3333-4444-555555555555</string></array></dict></dict></"
        "plist>");
    CFRef<CFPlugInRef> plugIn(CFPlugInCreate(nullptr, urlFor(bundle).get()));
    auto type = uuid("66666666-7777-8888-9999-AAAAAAAAAAAA");
    CFRef<CFArrayRef> factories(
        CFPlugInFindFactoriesForPlugInTypeInPlugIn(type.get(), plugIn.get()));
    ASSERT_EQ(CFArrayGetCount(factories.get()), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CFPlugInInstanceCreate(
        nullptr, static_cast<CFUUIDRef>(CFArrayGetValueAtIndex(factories.get(), 0)), type.get()));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot load"), std::string::npos);
}

} // namespace
