// A file reference outlives its file: the catalog information of a file that is gone is fnfErr.
#include "TestSupport.h"

#include <Files.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(FSRef, CatalogInformationOfAFileThatIsGoneIsNotFound) {
    const std::filesystem::path page = std::filesystem::path(testing::TempDir()) / "page.htm";
    std::ofstream(page) << "<p>page</p>";
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(page.c_str()), CFIndex(page.string().size()),
        false));
    FSRef reference;
    ASSERT_TRUE(CFURLGetFSRef(url.get(), &reference));
    FSSpec fileSpec;
    EXPECT_EQ(noErr,
              FSGetCatalogInfo(&reference, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr));
    std::filesystem::remove(page);
    EXPECT_EQ(fnfErr,
              FSGetCatalogInfo(&reference, kFSCatInfoNone, nullptr, nullptr, &fileSpec, nullptr));
}

} // namespace
