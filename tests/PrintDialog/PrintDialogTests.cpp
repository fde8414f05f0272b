// The dialog on the demo printer with the test extension alone, which logs every call: the
// extension's whole conversation, choosing a printer, the close box, and what cannot be loaded
// or printed.
#include <PrintDialog.h>

#include <CFBundle.h>
#include <CFRef.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The test extension's calls since they were last taken.
std::string takeLog() {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(TEST_EXTENSION_BUNDLE),
        CFIndex(std::strlen(TEST_EXTENSION_BUNDLE)), true));
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, url.get()));
    return reinterpret_cast<const char* (*)()>(
        CFBundleGetFunctionPointerForName(bundle.get(), CFSTR("TestExtensionTakeLog")))();
}

class PrintDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(testing::TempDir()) /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(folder_);
        setenv("NV_DEMO_SPOOL", (folder_ / "spool").c_str(), 1);
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        std::ofstream(folder_ / "letter.txt") << "A letter to fax.\n";
        options_.printerID = "NorvaleDemoFax";
        options_.extraExtensions = {TEST_EXTENSION_BUNDLE};
        options_.printerExtensions = false;
        options_.documentPath = (folder_ / "letter.txt").string();
        options_.jobTitle = "letter.txt";
    }

    std::unique_ptr<PrintDialog> openDialog() {
        takeLog();
        auto dialog = std::make_unique<PrintDialog>(options_);
        dialog->onFinished = [this](bool printed) { finished_ = printed ? 1 : 0; };
        return dialog;
    }

    // The option record of the spooled job, or "" when nothing was spooled.
    std::string spooledOptions() const {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_ / "spool", error))
            if (entry.path().extension() == ".options") {
                std::ostringstream content;
                content << std::ifstream(entry.path()).rdbuf();
                return content.str();
            }
        return {};
    }

    fs::path folder_;
    PrintDialogOptions options_;
    int finished_ = -1;
};

TEST_F(PrintDialogTest, DrivesTheExtensionThroughTheWholeConversation) {
    auto dialog = openDialog();
    ASSERT_EQ(dialog->extensionCount(), 1u) << dialog->message();
    dialog->showPane(0);
    EXPECT_EQ(takeLog(), "Prologue Initialize Sync(1) Open");

    dialog->showPane(1); // the Summary pane
    EXPECT_EQ(takeLog(), "Close Sync(0) GetSummaryText") << "the screen's settings first";
    EXPECT_EQ(dialog->summaryRows(), std::vector<std::string>{"Test Setting: 42"});

    ASSERT_TRUE(dialog->print()) << dialog->message();
    EXPECT_EQ(takeLog(), "Sync(0) Terminate(0) Release");
    EXPECT_EQ(finished_, 1);
    const std::string options = spooledOptions();
    EXPECT_NE(options.find("com.example.test.Value=42"), std::string::npos) << options;
    EXPECT_NE(options.find("NVFaxImageQuality=SuperFine"), std::string::npos) << options;

    finished_ = -1;
    EXPECT_FALSE(dialog->print()) << "no second job";
    dialog->cancel();
    EXPECT_EQ(finished_, -1) << "a finished dialog takes neither Print nor Cancel";
    dialog.reset();
    EXPECT_EQ(takeLog(), "") << "ended extensions are not ended twice";
}

TEST_F(PrintDialogTest, ChoosingAPrinterReloadsTheExtensionsAndTheCloseBoxCancels) {
    auto dialog = openDialog();
    dialog->showPane(0);
    takeLog();
    EXPECT_TRUE(dialog->choosePrinter("NorvaleDemoFax"));
    EXPECT_EQ(takeLog(), "Close Terminate(0) Release Prologue Initialize Sync(1) Open");

    EXPECT_FALSE(dialog->choosePrinter("NoSuchPrinter"));
    EXPECT_NE(dialog->message().find("NoSuchPrinter"), std::string::npos) << dialog->message();
    EXPECT_EQ(dialog->extensionCount(), 1u) << "the chosen printer's extensions come back";

    takeLog();
    dialog->close();
    EXPECT_NE(takeLog().find("Terminate(128)"), std::string::npos);
    EXPECT_EQ(finished_, 0);
    EXPECT_FALSE(dialog->print());
}

TEST_F(PrintDialogTest, BadInputGivesAMessageAndTheDialogStaysUsable) {
    const fs::path plain = folder_ / "Plain.plugin";
    fs::create_directories(plain / "Contents");
    std::ofstream(plain / "Contents" / "Info.plist")
        << "<plist version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>x.plain</string>"
           "</dict></plist>";
    options_.extraExtensions = {(folder_ / "Missing.plugin").string(), plain.string(),
                                TEST_EXTENSION_BUNDLE};
    options_.documentPath = (folder_ / "no-such-document.pdf").string();
    auto dialog = openDialog();
    for (const char* said :
         {"Missing.plugin was not found", "Plain.plugin is not a print dialog extension"})
        EXPECT_NE(dialog->message().find(said), std::string::npos) << dialog->message();
    EXPECT_EQ(dialog->extensionCount(), 1u) << "the good extension still loads";

    EXPECT_FALSE(dialog->print());
    EXPECT_NE(dialog->message().find("no-such-document.pdf"), std::string::npos)
        << dialog->message();
    EXPECT_EQ(spooledOptions(), "");
    EXPECT_EQ(finished_, -1);
}

} // namespace
