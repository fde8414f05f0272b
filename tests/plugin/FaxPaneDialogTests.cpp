// The print dialog on the demo fax printer loads the real fax bundle from the build tree's
// plug-in folder, as a user would see it.
#include <PrintDialog.h>
#include <ToolboxDriver.h>

#include <Controls.h>
#include <HIToolboxQt.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FaxPaneDialog : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(testing::TempDir()) / ("fax-pane-dialog-" + std::to_string(getpid())) /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        setenv("NV_DEMO_SPOOL", (folder_ / "spool").c_str(), 1);
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        unsetenv("NV_PLUGIN_PATH"); // the build tree's plug-in folder only
        std::ofstream(folder_ / "letter.txt") << "A letter to fax.\n";
        PrintDialogOptions options;
        options.printerID = "NorvaleDemoFax";
        options.documentPath = (folder_ / "letter.txt").string();
        options.jobTitle = "letter.txt";
        dialog_ = std::make_unique<PrintDialog>(options);
    }

    int faxPane() const {
        for (size_t i = 0; i < dialog_->extensionCount(); ++i)
            if (dialog_->extension(i).kind() == "com.norvale.qrt.pde.SendraFaxKind") return int(i);
        return -1;
    }

    fs::path folder_;
    std::unique_ptr<PrintDialog> dialog_;
};

TEST_F(FaxPaneDialog, ShowsTheFaxPaneFromTheNibAndSavesItsPicture) {
    const int pane = faxPane();
    ASSERT_GE(pane, 0) << dialog_->message();
    EXPECT_EQ(dialog_->extensionCount(), 1u);
    EXPECT_EQ(dialog_->extension(size_t(pane)).title(), "Fax");
    EXPECT_EQ(dialog_->extension(size_t(pane)).creator(), FOUR_CHAR_CODE("pde "));
    dialog_->showPane(pane);
    QWidget* window = HIWindowGetWidget(dialog_->window());
    window->resize(720, 520);

    // The nib's user pane now lives in the dialog, with its controls.
    const ControlID senderName = {FOUR_CHAR_CODE("snte"), 403};
    ControlRef control = nullptr;
    ASSERT_EQ(GetControlByID(dialog_->window(), &senderName, &control), noErr);
    EXPECT_TRUE(HIControlGetWidget(control)->isVisibleTo(window));
    const ControlID help = {FOUR_CHAR_CODE("HPBC"), 603};
    EXPECT_EQ(ToolboxDriver::controlText(dialog_->window(), help), "Help");

    const fs::path picture = folder_ / "fax-pane.png";
    ASSERT_TRUE(ToolboxDriver::saveWindowImage(dialog_->window(), QString::fromStdString(picture)));
    EXPECT_GT(fs::file_size(picture), 0u);
    std::printf("Fax pane picture: %s\n", picture.c_str());
}

TEST_F(FaxPaneDialog, SummaryPrintAndEndRunThroughTheEntryPoints) {
    const int pane = faxPane();
    ASSERT_GE(pane, 0) << dialog_->message();
    dialog_->showPane(pane);
    dialog_->showPane(int(dialog_->extensionCount())); // Close, then GetSummaryText
    EXPECT_EQ(dialog_->message(), "") << "the dialog reports every failing entry point";

    // Print: the pane's print-button handler lets it go ahead, Sync saves, Terminate ends.
    ASSERT_TRUE(dialog_->print()) << dialog_->message();
    EXPECT_EQ(dialog_->message().find("could not be saved"), std::string::npos)
        << dialog_->message();
    EXPECT_TRUE(fs::exists(folder_ / "spool"));
    dialog_.reset();
}

} // namespace
