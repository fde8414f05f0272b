#include <PrintDialog.h>

#include <CFBundle.h>
#include <CFRef.h>

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The test extension's own functions, found in its loaded bundle.
template <class Function> Function* extensionFunction(const char* name) {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(TEST_EXTENSION_BUNDLE),
        CFIndex(std::strlen(TEST_EXTENSION_BUNDLE)), true));
    CFRef<CFBundleRef> bundle(CFBundleCreate(nullptr, url.get()));
    CFRef<CFStringRef> symbol(CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8));
    return reinterpret_cast<Function*>(
        CFBundleGetFunctionPointerForName(bundle.get(), symbol.get()));
}

std::string extensionLog() {
    return extensionFunction<const char*()>("TestExtensionLog")();
}
void clearExtensionLog() {
    extensionFunction<void()>("TestExtensionClearLog")();
}
void holdPrint(bool hold) {
    extensionFunction<void(bool)>("TestExtensionHoldPrint")(hold);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// A dialog on the demo printer with the test extension, printing into a spool folder of the
// test's own, with no CUPS server to be found.
class PrintDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::path(testing::TempDir()) / ("print-dialog-" + std::to_string(getpid())) /
                  info->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        setenv("NV_DEMO_SPOOL", (folder_ / "spool").c_str(), 1);
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        document_ = folder_ / "letter.txt";
        std::ofstream(document_) << "A letter to fax.\n";
        options_.printerID = "NorvaleDemoFax";
        options_.extraExtensions = {TEST_EXTENSION_BUNDLE};
        options_.printerExtensions = false; // the dialog with the test extension alone
        options_.documentPath = document_.string();
        options_.jobTitle = "letter.txt";
    }

    std::unique_ptr<PrintDialog> openDialog() {
        auto dialog = std::make_unique<PrintDialog>(options_);
        dialog->onFinished = [this](bool printed) { finished_ = printed ? 1 : 0; };
        return dialog;
    }

    // The option record of the one spooled job, or "" when nothing was spooled.
    std::string spooledOptions() const {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_ / "spool", error))
            if (entry.path().extension() == ".options") return readFile(entry.path());
        return {};
    }

    // The index of the test extension's pane.
    static int testPane(const PrintDialog& dialog) {
        for (size_t i = 0; i < dialog.extensionCount(); ++i)
            if (dialog.extension(i).title() == "Test Pane") return int(i);
        return -1;
    }

    fs::path folder_;
    fs::path document_;
    PrintDialogOptions options_;
    int finished_ = -1;
};

TEST_F(PrintDialogTest, DrivesTheExtensionThroughTheWholeConversation) {
    clearExtensionLog();
    auto dialog = openDialog();
    const int pane = testPane(*dialog);
    ASSERT_GE(pane, 0) << dialog->message();
    EXPECT_EQ(dialog->extension(size_t(pane)).kind(), "com.example.test.kind");
    EXPECT_EQ(dialog->extension(size_t(pane)).creator(), FOUR_CHAR_CODE("test"));
    dialog->showPane(pane);
    EXPECT_EQ(extensionLog(), "Prologue Initialize Sync(1) Open");

    clearExtensionLog();
    dialog->showPane(int(dialog->extensionCount())); // the Summary pane
    EXPECT_EQ(extensionLog(), "Close Sync(0) GetSummaryText") << "the screen's settings first";
    const auto rows = dialog->summaryRows();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Test Setting: 42"), rows.end());

    clearExtensionLog();
    ASSERT_TRUE(dialog->print()) << dialog->message();
    EXPECT_EQ(extensionLog(), "Sync(0) Terminate(0) Release");
    EXPECT_EQ(finished_, 1);
    const std::string options = spooledOptions();
    EXPECT_NE(options.find("com.example.test.Value=42"), std::string::npos) << options;
    EXPECT_NE(options.find("NVFaxImageQuality=SuperFine"), std::string::npos) << options;

    finished_ = -1;
    EXPECT_FALSE(dialog->print()) << "no second job without the extension";
    dialog->cancel();
    EXPECT_EQ(finished_, -1) << "a finished dialog takes neither Print nor Cancel";

    clearExtensionLog();
    dialog.reset();
    EXPECT_EQ(extensionLog(), "") << "ended extensions are not ended twice";
}

TEST_F(PrintDialogTest, APrintHeldBackByAHandlerPrintsNothing) {
    auto dialog = openDialog();
    ASSERT_GE(testPane(*dialog), 0);
    clearExtensionLog();
    holdPrint(true);
    EXPECT_FALSE(dialog->print());
    holdPrint(false);
    EXPECT_EQ(extensionLog(), "HeldPrint") << "no settings written when the print is held";
    EXPECT_EQ(spooledOptions(), "");
    EXPECT_EQ(finished_, -1);

    EXPECT_TRUE(dialog->print()) << "the dialog stays usable";
    EXPECT_NE(spooledOptions(), "");
}

TEST_F(PrintDialogTest, ChoosingAPrinterEndsAndReloadsTheExtensions) {
    auto dialog = openDialog();
    const int pane = testPane(*dialog);
    ASSERT_GE(pane, 0);
    dialog->showPane(pane);
    clearExtensionLog();
    EXPECT_TRUE(dialog->choosePrinter("NorvaleDemoFax"));
    EXPECT_EQ(extensionLog().rfind("Close Terminate(0) Release Prologue Initialize Sync(1)", 0), 0u)
        << extensionLog();
    EXPECT_GE(testPane(*dialog), 0);

    clearExtensionLog();
    EXPECT_FALSE(dialog->choosePrinter("NoSuchPrinter"));
    EXPECT_NE(dialog->message().find("NoSuchPrinter"), std::string::npos);
    EXPECT_GE(testPane(*dialog), 0) << "the extensions of the printer still chosen come back";

    clearExtensionLog();
    dialog->close(); // the close box cancels
    EXPECT_NE(extensionLog().find("Terminate(128)"), std::string::npos) << extensionLog();
    EXPECT_EQ(finished_, 0);
    EXPECT_FALSE(dialog->print());
}

TEST_F(PrintDialogTest, BadInputGivesAMessageAndTheDialogStaysUsable) {
    const fs::path notAnExtension = folder_ / "Plain.plugin";
    fs::create_directories(notAnExtension / "Contents");
    std::ofstream(notAnExtension / "Contents" / "Info.plist")
        << "<plist "
           "version=\"1.0\"><dict><key>CFBundleIdentifier</key><string>x.plain</string></dict></"
           "plist>";
    options_.extraExtensions = {(folder_ / "Missing.plugin").string(), notAnExtension.string(),
                                TEST_EXTENSION_BUNDLE};
    options_.documentPath = (folder_ / "no-such-document.pdf").string();
    auto dialog = openDialog();
    EXPECT_NE(dialog->message().find("Missing.plugin was not found"), std::string::npos)
        << dialog->message();
    EXPECT_NE(dialog->message().find("Plain.plugin is not a print dialog extension"),
              std::string::npos);
    ASSERT_GE(testPane(*dialog), 0) << "the good extension still loads";

    EXPECT_FALSE(dialog->print());
    EXPECT_NE(dialog->message().find("no-such-document.pdf"), std::string::npos)
        << dialog->message();
    EXPECT_EQ(spooledOptions(), "");
    EXPECT_EQ(finished_, -1);
}

} // namespace
