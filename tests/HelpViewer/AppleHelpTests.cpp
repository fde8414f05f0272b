#include <AppleHelp.h>
#include <CFRef.h>
#include <CFURL.h>

#include <QApplication>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// A bundle made for the test: Info naming a help book, the book's two pages in English.
class HelpBookBundle : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        bundle_ = fs::temp_directory_path() /
                  ("HelpViewerTests-" + std::to_string(getpid()) + "-" + name + ".plugin");
        const fs::path book = bundle_ / "Contents/Resources/en.lproj/TestHelp";
        fs::create_directories(book);
        std::ofstream(bundle_ / "Contents/Info.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>CFBundleIdentifier</key><string>com.example.helptest."
            << name
            << "</string><key>CFBundleHelpBookName</key><string>Test Help</string>"
               "<key>CFBundleHelpBookFolder</key><string>TestHelp</string></dict></plist>\n";
        std::ofstream(book / "First.htm") << "<html><head><title>First Page</title></head>"
                                             "<body><h1 id=\"end\">First</h1></body></html>";
        std::ofstream(book / "Second.htm") << "<html><head><title>Second Page</title></head>"
                                              "<body>Second</body></html>";
    }
    void TearDown() override {
        if (QTextBrowser* window = helpWindow()) delete window;
        fs::remove_all(bundle_);
    }

    OSStatus registerBundle() const {
        CFRef<CFStringRef> path(
            CFStringCreateWithCString(nullptr, bundle_.c_str(), kCFStringEncodingUTF8));
        CFRef<CFURLRef> url(
            CFURLCreateWithFileSystemPath(nullptr, path.get(), kCFURLPOSIXPathStyle, true));
        FSRef reference;
        if (!CFURLGetFSRef(url.get(), &reference)) return fnfErr;
        return AHRegisterHelpBook(&reference);
    }

    static QTextBrowser* helpWindow() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(widget);
        return nullptr;
    }

    fs::path bundle_;
};

TEST_F(HelpBookBundle, RegisteredBookOpensItsPagesInOneWindow) {
    ASSERT_EQ(registerBundle(), noErr);
    ASSERT_EQ(AHGotoPage(CFSTR("Test Help"), CFSTR("First.htm"), CFSTR("end")), noErr);
    QTextBrowser* window = helpWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->source().fileName(), "First.htm");
    EXPECT_EQ(window->source().fragment(), "end");
    EXPECT_EQ(window->windowTitle(), "First Page");

    ASSERT_EQ(AHGotoPage(CFSTR("Test Help"), CFSTR("Second.htm"), nullptr), noErr);
    EXPECT_EQ(helpWindow(), window);
    EXPECT_EQ(window->source().fileName(), "Second.htm");
    EXPECT_TRUE(window->toPlainText().contains("Second"));
}

TEST_F(HelpBookBundle, PagesWithoutABookAreOpenedByTheirFullPath) {
    const std::string page = (bundle_ / "Contents/Resources/en.lproj/TestHelp/Second.htm").string();
    CFRef<CFStringRef> path(
        CFStringCreateWithCString(nullptr, page.c_str(), kCFStringEncodingUTF8));
    ASSERT_EQ(AHGotoPage(nullptr, path.get(), nullptr), noErr);
    ASSERT_TRUE(helpWindow());
    EXPECT_EQ(helpWindow()->source().fileName(), "Second.htm");
}

TEST_F(HelpBookBundle, FailuresOpenNoWindow) {
    EXPECT_EQ(AHRegisterHelpBook(nullptr), paramErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Never Registered Help"), CFSTR("First.htm"), nullptr),
              kAHInternalErr);
    ASSERT_EQ(registerBundle(), noErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Test Help"), CFSTR("Missing.htm"), nullptr), fnfErr);
    EXPECT_EQ(AHGotoPage(CFSTR("Test Help"), nullptr, nullptr), paramErr);
    EXPECT_EQ(helpWindow(), nullptr);
}

TEST_F(HelpBookBundle, BundleWhoseBookFolderIsMissingIsNotRegistered) {
    fs::remove_all(bundle_ / "Contents/Resources/en.lproj/TestHelp");
    EXPECT_EQ(registerBundle(), fnfErr);
}

} // namespace
