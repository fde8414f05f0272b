// A page named by its full path needs no registered book; a book or a page that is missing
// opens nothing. Help books and their pages are the
// plug-in's bundle and desktop utility tests.
#include <AppleHelp.h>
#include <CFRef.h>

#include <QApplication>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(HelpViewer, APageByItsFullPathOpensWithoutABook) {
    const std::filesystem::path page = std::filesystem::path(testing::TempDir()) / "Page.htm";
    std::ofstream(page) << "<html><body>Loose page</body></html>";
    CFRef<CFStringRef> path(
        CFStringCreateWithCString(nullptr, page.c_str(), kCFStringEncodingUTF8));
    ASSERT_EQ(AHGotoPage(nullptr, path.get(), nullptr), noErr);
    QTextBrowser* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HelpViewer") window = qobject_cast<QTextBrowser*>(widget);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->toPlainText().contains("Loose page"));
    delete window;
}

// What the help buttons meet when the help book is not installed: an error and no window.
TEST(HelpViewer, AMissingBookOrPageGivesAnErrorAndOpensNothing) {
    EXPECT_EQ(AHGotoPage(CFSTR("No Such Help"), CFSTR("FaxSettings.htm"), nullptr), kAHInternalErr);
    EXPECT_EQ(AHGotoPage(nullptr, CFSTR("/nonexistent/FaxSettings.htm"), nullptr), fnfErr);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_NE(widget->objectName(), "HelpViewer");
}

} // namespace
