// The agree-or-cancel question, answered through the toolbox test driver.
#include <AgreeAlert.h>
#include <CFRef.h>
#include <ToolboxDriver.h>

#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

// A bundle in the scratch folder whose strings table translates the OK button only.
CFBundleRef translatingBundle() {
    static CFBundleRef bundle = [] {
        const std::filesystem::path folder =
            std::filesystem::path(testing::TempDir()) / "Agree.bundle" / "Contents";
        std::filesystem::create_directories(folder / "Resources");
        std::ofstream(folder / "Info.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>CFBundleIdentifier</key><string>com.example.test.agree</string>"
               "</dict></plist>\n";
        std::ofstream(folder / "Resources" / "Localizable.strings")
            << "\"OK Button Title\" = \"Agree\";\n";
        const std::string path = folder.parent_path().string();
        CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(path.c_str()), CFIndex(path.size()), true));
        return CFBundleCreate(nullptr, url.get());
    }();
    return bundle;
}

TEST(AgreeAlertTest, TrueOnlyWhenTheUserPressesOK) {
    ToolboxDriver driver;
    ASSERT_TRUE(translatingBundle());
    QStringList shown;
    driver.answerNextModal([&](WindowRef alert) {
        shown = ToolboxDriver::windowTexts(alert);
        ToolboxDriver::clickAlertButton(alert, kAlertStdAlertOKButton);
    });
    EXPECT_TRUE(ShowMessageToAgree(translatingBundle(), CFSTR("Duplicated Address Found"),
                                   CFSTR("Add the same address to destinations?")));
    // Translated where the bundle has a text, the key itself elsewhere.
    for (const char* text : {"Agree", "Cancel Button Title", "Duplicated Address Found",
                             "Add the same address to destinations?"})
        EXPECT_TRUE(shown.contains(text)) << text << " in " << shown.join("|").toStdString();

    driver.answerNextAlert(kAlertStdAlertCancelButton);
    EXPECT_FALSE(ShowMessageToAgree(translatingBundle(), CFSTR("Characters added to Fax Number"),
                                    CFSTR("Current number is automatically added")));
    EXPECT_EQ(0u, driver.pendingAnswers());
}

} // namespace
