// The print dialog on the demo fax printer loads the real fax bundle from the build tree's
// plug-in folder, and the tests use its fax pane as a user would, through the test driver.
#include <ControlDefinitionTables.h>
#include <PrintDialog.h>
#include <ScratchDesktop.h>
#include <ToolboxDriver.h>

#include <Controls.h>
#include <HIToolboxQt.h>

#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const ControlID kMessageOKButton = {FOUR_CHAR_CODE("okbt"), 1};

class FaxPaneDialog : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::path(testing::TempDir()) / ("fax-pane-dialog-" + std::to_string(getpid())) /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        setenv("NV_DEMO_SPOOL", spool().c_str(), 1);
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        unsetenv("NV_PLUGIN_PATH"); // the build tree's plug-in folder only
        std::ofstream(folder_ / "letter.txt") << "A letter to fax.\n";
        PrintDialogOptions options;
        options.printerID = "NorvaleDemoFax";
        options.documentPath = (folder_ / "letter.txt").string();
        options.jobTitle = "letter.txt";
        dialog_ = std::make_unique<PrintDialog>(options);
        for (size_t i = 0; i < dialog_->extensionCount(); ++i)
            if (dialog_->extension(i).kind() == "com.norvale.qrt.pde.SendraFaxKind") pane_ = int(i);
        ASSERT_GE(pane_, 0) << dialog_->message();
        dialog_->showPane(pane_);
    }

    WindowRef window() const { return dialog_->window(); }
    fs::path spool() const { return folder_ / "spool"; }
    size_t spooledJobs() const {
        std::error_code error;
        const auto entries = fs::directory_iterator(spool(), error);
        return error ? 0
                     : size_t(std::count_if(begin(entries), end(entries), [](const auto& entry) {
                           return entry.path().extension() == ".options";
                       }));
    }
    // Lets the sender name be typed: the sender mode "Sender Name".
    void chooseTypedSenderName() {
        ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), senderModePopupListCtrlID, 2));
    }
    std::vector<std::string> summary() {
        dialog_->showPane(int(dialog_->extensionCount())); // the Summary pane
        const auto rows = dialog_->summaryRows();
        dialog_->showPane(pane_);
        return rows;
    }
    static bool holdsRowOf(const std::vector<std::string>& rows, const std::string& title) {
        return std::any_of(rows.begin(), rows.end(),
                           [&](const std::string& row) { return row.rfind(title, 0) == 0; });
    }
    // Presses Print and answers the message window that comes up with OK; its text, if any.
    std::optional<std::string> printAnsweringMessage(bool& printed) {
        ToolboxDriver driver;
        std::optional<std::string> message;
        driver.answerNextModal([&](WindowRef shown) {
            message = ToolboxDriver::controlText(shown, aboutMsgWndStatictTextCtrlID).toStdString();
            EXPECT_TRUE(ToolboxDriver::click(shown, kMessageOKButton));
        });
        printed = dialog_->print();
        return message;
    }

    fs::path folder_;
    std::unique_ptr<PrintDialog> dialog_;
    int pane_ = -1;
};

TEST_F(FaxPaneDialog, ShowsTheFilledFaxPaneFromTheNib) {
    EXPECT_EQ(dialog_->extensionCount(), 1u);
    EXPECT_EQ(dialog_->extension(size_t(pane_)).title(), "Fax");
    EXPECT_EQ(dialog_->extension(size_t(pane_)).creator(), FOUR_CHAR_CODE("pde "));
    QWidget* shown = HIWindowGetWidget(window());
    shown->resize(720, 520);
    chooseTypedSenderName();
    ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), imageQualityPopupListCtrlID, 3));
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Ada Lovelace"));

    const QStringList texts = ToolboxDriver::windowTexts(window());
    for (const char* text : {"Image Quality:", "Transmission Report:", "Cover Page", "Sender:",
                             "Sender Name:", "Address Book Editor...", "Restore Defaults", "Help",
                             "Super Fine (400 x 400 dpi)", "Sender Name", "Ada Lovelace"})
        EXPECT_TRUE(texts.contains(text)) << text << " not in " << texts.join(" | ").toStdString();

    const QDir screenshots(QStringLiteral(NV_SCREENSHOT_DIR));
    ASSERT_TRUE(screenshots.mkpath(QStringLiteral(".")));
    const QString picture = screenshots.filePath(QStringLiteral("fax-pane-filled.png"));
    ASSERT_TRUE(ToolboxDriver::saveWindowImage(window(), picture));
    std::printf("Fax pane picture: %s\n", qPrintable(picture));
}

TEST_F(FaxPaneDialog, TheSummaryListsTheSenderNameOnlyWhileItCanBeTyped) {
    EXPECT_FALSE(holdsRowOf(summary(), "Sender Name:")) << "the sender mode is the device's";
    EXPECT_EQ(dialog_->message(), "") << "the dialog reports every failing entry point";

    chooseTypedSenderName();
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Ada"));
    const auto rows = summary();
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Sender Name:: Ada"), rows.end());
    EXPECT_TRUE(holdsRowOf(rows, "Image Quality: Fine"));

    // Without a cover page there is no sender name to print on it.
    ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), coverPagePopupListCtrlID, 3));
    EXPECT_FALSE(holdsRowOf(summary(), "Sender Name:"));
}

QTextBrowser* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(widget);
    return nullptr;
}

TEST_F(FaxPaneDialog, TheButtonsRestoreTheDefaultsOpenHelpAndStartTheEditor) {
    // Restore: every control shows its default again.
    chooseTypedSenderName();
    ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), imageQualityPopupListCtrlID, 4));
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Ada"));
    ASSERT_TRUE(ToolboxDriver::click(window(), restoreButtonCtrlID));
    EXPECT_EQ(ToolboxDriver::controlText(window(), imageQualityPopupListCtrlID),
              "Fine (200 x 200 dpi)");
    EXPECT_EQ(ToolboxDriver::controlText(window(), senderModePopupListCtrlID),
              "Registered on Device");
    EXPECT_EQ(ToolboxDriver::controlText(window(), senderNameTextEditCtrlID), "");

    // Help: the pane's page of the plug-in's help book.
    ASSERT_TRUE(ToolboxDriver::click(window(), helpBookButtonCtrlID));
    ASSERT_TRUE(helpWindow());
    EXPECT_TRUE(helpWindow()->source().path().endsWith("/FaxSettings.htm"))
        << helpWindow()->source().toString().toStdString();

    // The editor: the message while it is not installed, then started with the printer's
    // connection (the demo printer is a socket printer on this host).
    ScratchDesktop desktop;
    {
        ToolboxDriver driver;
        std::optional<std::string> message;
        driver.answerNextModal([&](WindowRef shown) {
            message = ToolboxDriver::controlText(shown, aboutMsgWndStatictTextCtrlID).toStdString();
            EXPECT_TRUE(ToolboxDriver::click(shown, kMessageOKButton));
        });
        ASSERT_TRUE(ToolboxDriver::click(window(), addressBookButtonCtrlID));
        EXPECT_EQ(message, "The Address Book editor could not be found.");
    }
    desktop.install("com.norvale.qrt.SendraFaxAddressBookEditor", desktop.editor().string());
    ASSERT_TRUE(ToolboxDriver::click(window(), addressBookButtonCtrlID));
    const auto launches = desktop.waitForLaunches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0],
              (std::vector<std::string>{fs::canonical(desktop.editor()).string(),
                                        "-SFAXConnectionType NET", "-SFAXAddress 127.0.0.1"}));
    EXPECT_TRUE(desktop.waitUntilEditorEnds());
}

TEST_F(FaxPaneDialog, AnInvalidSenderNameIsShownAndNothingPrints) {
    chooseTypedSenderName();
    ASSERT_TRUE(ToolboxDriver::paste(window(), senderNameTextEditCtrlID, QStringLiteral("Zoë")));
    bool printed = true;
    const auto message = printAnsweringMessage(printed);
    EXPECT_FALSE(printed);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("at most 30 letters"), std::string::npos) << *message;
    EXPECT_EQ(spooledJobs(), 0u);
}

} // namespace
