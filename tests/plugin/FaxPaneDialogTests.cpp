// The print dialog on the demo fax printer loads the real fax bundle from the build tree's
// plug-in folder. These tests use its fax pane through the test driver where the GUI tests do
// not look: the Summary pane and the pane's buttons.
#include <ControlDefinitionTables.h>
#include <PrintDialog.h>
#include <ScratchDesktop.h>
#include <ToolboxDriver.h>

#include <AppleHelp.h>

#include <QApplication>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class FaxPaneDialog : public testing::Test {
  protected:
    // The dialog showing the fax pane.
    void SetUp() override {
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        unsetenv("NV_PLUGIN_PATH"); // the build tree's plug-in folder only
        PrintDialogOptions options;
        options.printerID = "NorvaleDemoFax";
        dialog_ = std::make_unique<PrintDialog>(options);
        ASSERT_EQ(dialog_->extensionCount(), 1u) << dialog_->message();
        dialog_->showPane(0);
    }
    WindowRef window() const { return dialog_->window(); }
    void pick(const ControlID& popup, int item) {
        ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), popup, item));
    }
    // The Summary pane's rows, "<title>: <value>".
    std::vector<std::string> summary() {
        dialog_->showPane(int(dialog_->extensionCount()));
        const auto rows = dialog_->summaryRows();
        dialog_->showPane(0);
        return rows;
    }

    std::unique_ptr<PrintDialog> dialog_;
};

bool holdsRowOf(const std::vector<std::string>& rows, const std::string& title) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const std::string& row) { return row.rfind(title, 0) == 0; });
}

// The rows show the choices made on screen, and the sender name only while it can be typed.
TEST_F(FaxPaneDialog, TheSummaryShowsTheChoicesMadeOnScreen) {
    EXPECT_EQ(dialog_->message(), "") << "the dialog reports every failing entry point";
    EXPECT_FALSE(holdsRowOf(summary(), "Sender Name:")) << "the sender mode is the device's";
    pick(senderModePopupListCtrlID, 2);
    pick(imageQualityPopupListCtrlID, 3);
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Ada Lovelace"));
    const auto rows = summary();
    for (const char* row : {"Sender Name:: Ada Lovelace",
                            "Image Quality: Super Fine (400 x 400 dpi)", "Sender: Sender Name"})
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end())
            << row << " not in " << testing::PrintToString(rows);
    pick(coverPagePopupListCtrlID, 3); // no cover page: no sender name to print on it
    EXPECT_FALSE(holdsRowOf(summary(), "Sender Name:"));
}

QTextBrowser* helpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "HelpViewer") return qobject_cast<QTextBrowser*>(widget);
    return nullptr;
}

TEST_F(FaxPaneDialog, TheButtonsRestoreTheDefaultsOpenHelpAndStartTheEditor) {
    pick(senderModePopupListCtrlID, 2);
    pick(imageQualityPopupListCtrlID, 4);
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Ada"));
    ASSERT_TRUE(ToolboxDriver::click(window(), restoreButtonCtrlID));
    EXPECT_EQ(ToolboxDriver::controlText(window(), imageQualityPopupListCtrlID),
              "Fine (200 x 200 dpi)");
    EXPECT_EQ(ToolboxDriver::controlText(window(), senderModePopupListCtrlID),
              "Registered on Device");
    EXPECT_EQ(ToolboxDriver::controlText(window(), senderNameTextEditCtrlID), "");

    ASSERT_TRUE(ToolboxDriver::click(window(), helpBookButtonCtrlID));
    ASSERT_TRUE(helpWindow());
    EXPECT_TRUE(helpWindow()->source().path().endsWith("/FaxSettings.htm"));
    for (CFStringRef page : {CFSTR("FaxTransmission.htm"), CFSTR("Recipients.htm")})
        EXPECT_EQ(AHGotoPage(CFSTR("Norvale Sendra Fax Help"), page, nullptr), noErr);

    // The demo printer is a socket printer on this host.
    ScratchDesktop desktop;
    desktop.install("com.norvale.qrt.SendraFaxAddressBookEditor", desktop.editor().string());
    ASSERT_TRUE(ToolboxDriver::click(window(), addressBookButtonCtrlID));
    const auto launches = desktop.waitForLaunches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0],
              (std::vector<std::string>{fs::canonical(desktop.editor()).string(),
                                        "-SFAXConnectionType NET", "-SFAXAddress 127.0.0.1"}));
    EXPECT_TRUE(desktop.waitUntilEditorEnds());
}

} // namespace
