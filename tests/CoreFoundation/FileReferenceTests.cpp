#include "TestSupport.h"

#include <Files.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

CFRef<CFURLRef> fileURL(const fs::path& path, bool isDirectory) {
    return CFRef<CFURLRef>(CFURLCreateWithFileSystemPath(nullptr, makeString(path.c_str()).get(),
                                                         kCFURLPOSIXPathStyle, isDirectory));
}

struct TemporaryFolder {
    TemporaryFolder() : path(fs::temp_directory_path() / ("fsref-" + std::to_string(getpid()))) {
        fs::create_directories(path / "Help Book");
        std::ofstream(path / "Help Book" / "page.htm") << "<p>page</p>";
        fs::create_directory_symlink(path / "Help Book", path / "link");
    }
    ~TemporaryFolder() { fs::remove_all(path); }
    fs::path path;
};

TEST(FSRef, SameFileThroughALinkGivesTheSameReferenceAndRoundTrips) {
    TemporaryFolder folder;
    FSRef direct, throughLink;
    ASSERT_TRUE(CFURLGetFSRef(fileURL(folder.path / "Help Book", true).get(), &direct));
    ASSERT_TRUE(CFURLGetFSRef(fileURL(folder.path / "link", true).get(), &throughLink));
    EXPECT_EQ(std::memcmp(direct.hidden, throughLink.hidden, sizeof direct.hidden), 0);
    EXPECT_EQ(noErr, FSCompareFSRefs(&direct, &throughLink));

    CFRef<CFURLRef> back(CFURLCreateFromFSRef(nullptr, &throughLink));
    ASSERT_TRUE(back);
    EXPECT_TRUE(CFEqual(back.get(), fileURL(fs::canonical(folder.path / "Help Book"), true).get()))
        << "a folder gives a directory URL";
    CFRef<CFStringRef> path(CFURLCopyFileSystemPath(back.get(), kCFURLPOSIXPathStyle));
    EXPECT_EQ(text(path.get()), fs::canonical(folder.path / "Help Book").string());

    FSRef page;
    ASSERT_TRUE(CFURLGetFSRef(fileURL(folder.path / "link" / "page.htm", false).get(), &page));
    EXPECT_EQ(errFSRefsDifferent, FSCompareFSRefs(&direct, &page));
    EXPECT_EQ(paramErr, FSCompareFSRefs(&direct, nullptr));
    CFRef<CFURLRef> pageURL(CFURLCreateFromFSRef(nullptr, &page));
    EXPECT_TRUE(
        CFEqual(pageURL.get(),
                fileURL(fs::canonical(folder.path / "Help Book" / "page.htm"), false).get()));
}

TEST(FSRef, MissingFilesAndNullArgumentsGiveNoReference) {
    TemporaryFolder folder;
    FSRef reference;
    EXPECT_FALSE(CFURLGetFSRef(fileURL(folder.path / "absent.htm", false).get(), &reference));
    EXPECT_FALSE(CFURLGetFSRef(nullptr, &reference));
    EXPECT_FALSE(CFURLGetFSRef(fileURL(folder.path, true).get(), nullptr));
    EXPECT_FALSE(CFURLCreateFromFSRef(nullptr, nullptr));
}

TEST(FSRef, CatalogInformationGivesTheSpecificationWhileTheFileExists) {
    TemporaryFolder folder;
    FSRef page;
    ASSERT_TRUE(CFURLGetFSRef(fileURL(folder.path / "link" / "page.htm", false).get(), &page));
    FSSpec fileSpec;
    ASSERT_EQ(noErr, FSGetCatalogInfo(&page, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr));
    EXPECT_EQ(std::memcmp(page.hidden, fileSpec.hidden, sizeof page.hidden), 0);
    FSRef parent;
    EXPECT_EQ(paramErr,
              FSGetCatalogInfo(&page, kFSCatInfoNone, nullptr, nullptr, &fileSpec, &parent))
        << "only the FSSpec is filled in";
    fs::remove(folder.path / "Help Book" / "page.htm");
    EXPECT_EQ(fnfErr,
              FSGetCatalogInfo(&page, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr));
    EXPECT_EQ(paramErr,
              FSGetCatalogInfo(nullptr, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr));
}

} // namespace
