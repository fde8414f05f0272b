// The print dialog on the demo fax printer loads the real fax bundle from the build tree's
// plug-in folder, and the tests use its fax pane as a user would, through the test driver.
#include <AddressBookFile.h>
#include <ControlDefinitionTables.h>
#include <PrintDialog.h>
#include <PrivateScheduler.h>
#include <ScopedEnvironment.h>
#include <ScratchDesktop.h>
#include <ToolboxDriver.h>

#include <cups/cups.h>

#include <CFRef.h>
#include <Controls.h>
#include <HIToolboxQt.h>

#include <QApplication>
#include <QDir>
#include <QTextBrowser>
#include <QTimeEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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
        setenv("NV_DEMO_SPOOL", spool().c_str(), 1);
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        unsetenv("NV_PLUGIN_PATH"); // the build tree's plug-in folder only
        std::ofstream(folder_ / "letter.txt") << "A letter to fax.\n";
        open("NorvaleDemoFax");
    }

    // The dialog on the printer, showing the fax pane.
    void open(const std::string& printerID) {
        dialog_.reset();
        PrintDialogOptions options;
        options.printerID = printerID;
        options.documentPath = (folder_ / "letter.txt").string();
        options.jobTitle = "letter.txt";
        dialog_ = std::make_unique<PrintDialog>(options);
        pane_ = -1;
        for (size_t i = 0; i < dialog_->extensionCount(); ++i)
            if (dialog_->extension(i).kind() == "com.norvale.qrt.pde.SendraFaxKind") pane_ = int(i);
        ASSERT_GE(pane_, 0) << dialog_->message();
        dialog_->showPane(pane_);
    }

    WindowRef window() const { return dialog_->window(); }
    fs::path spool() const { return folder_ / "spool"; }
    std::vector<fs::path> spooledJobs() const {
        std::vector<fs::path> records;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(spool(), error))
            if (entry.path().extension() == ".options") records.push_back(entry.path());
        return records;
    }
    // The options of the one job on the demo printer: its record's "name=value" lines.
    std::map<std::string, std::string> spooledOptions() const {
        std::map<std::string, std::string> options;
        const auto records = spooledJobs();
        if (records.size() != 1) return options;
        std::ifstream record(records[0]);
        for (std::string line; std::getline(record, line);)
            if (const size_t equals = line.find('='); line[0] != '#' && equals != line.npos)
                options[line.substr(0, equals)] = line.substr(equals + 1);
        return options;
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

    fs::path folder_;
    std::unique_ptr<PrintDialog> dialog_;
    int pane_ = -1;
};

TEST_F(FaxPaneDialog, ShowsTheFilledFaxPaneFromTheNibAndItsSummary) {
    EXPECT_EQ(dialog_->extensionCount(), 1u);
    EXPECT_EQ(dialog_->extension(size_t(pane_)).title(), "Fax");
    EXPECT_EQ(dialog_->extension(size_t(pane_)).creator(), FOUR_CHAR_CODE("pde "));
    QWidget* shown = HIWindowGetWidget(window());
    shown->resize(720, 520);
    EXPECT_FALSE(holdsRowOf(summary(), "Sender Name:")) << "the sender mode is the device's";
    EXPECT_EQ(dialog_->message(), "") << "the dialog reports every failing entry point";
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

    // The summary lists the choices made on screen, and the sender name only while it can be
    // typed.
    const auto rows = summary();
    for (const char* row : {"Sender Name:: Ada Lovelace",
                            "Image Quality: Super Fine (400 x 400 dpi)", "Sender: Sender Name"})
        EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end())
            << row << " not in " << testing::PrintToString(rows);

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

    // The editor: started with the printer's connection (the demo printer is a socket printer
    // on this host).
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

// The address-book file "Office" with one entry, in a folder of the test's own.
class AddressBookFolder {
  public:
    explicit AddressBookFolder(const fs::path& folder)
        : variable_("NV_ADDRESS_BOOK_DIR", folder.c_str()) {
        fs::create_directories(folder);
        MakeAddressBook(folder / "Office", {{"Charles Babbage", "0987654321"}});
    }

  private:
    ScopedEnvironment variable_;
};

QTimeEdit* clockOf(WindowRef window, const ControlID& id) {
    ControlRef control = nullptr;
    GetControlByID(window, &id, &control);
    return control ? qobject_cast<QTimeEdit*>(HIControlGetWidget(control)) : nullptr;
}

// In the sheet: one recipient typed, one looked up in the address-book file, the password,
// delayed sending at 21:30, then Start Sending.
void fillTheSheetAndStartSending(ToolboxDriver& driver, WindowRef sheet) {
    EXPECT_TRUE(ToolboxDriver::typeKeys(sheet, userNameTextEditCtrlID, "Ada Lovelace"));
    EXPECT_TRUE(ToolboxDriver::typeKeys(sheet, phoneNumberTextEditCtrlID, "0123456789"));
    EXPECT_TRUE(ToolboxDriver::click(sheet, addAddressButtonCtrlID));

    EXPECT_TRUE(ToolboxDriver::pickPopupItem(sheet, addressFilePopupListCtrlID, 1));
    driver.answerNextModal([](WindowRef addresses) {
        EXPECT_EQ(ToolboxDriver::rowTexts(addresses, AddressBookSrcTableViewCtrlID,
                                          FOUR_CHAR_CODE("NAME")),
                  QStringList{"Charles Babbage"});
        EXPECT_TRUE(ToolboxDriver::selectRow(addresses, AddressBookSrcTableViewCtrlID, 1));
        EXPECT_TRUE(ToolboxDriver::click(addresses, AddressBookAddButtonCtrlID));
        EXPECT_TRUE(ToolboxDriver::click(addresses, OKButtonCtrlID));
    });
    EXPECT_TRUE(ToolboxDriver::click(sheet, lookupAddressBookButtonCtrlID));
    EXPECT_EQ(ToolboxDriver::rowTexts(sheet, recipientListTableViewCtrlID, FOUR_CHAR_CODE("NAME")),
              (QStringList{"Ada Lovelace", "Charles Babbage"}));

    EXPECT_TRUE(ToolboxDriver::typeKeys(sheet, passwordTextEditCtrlID, "1234"));
    EXPECT_TRUE(ToolboxDriver::click(sheet, delayedSendCheckBoxCtrlID));
    QTimeEdit* clock = clockOf(sheet, delayedTimeTextEditCtrlID);
    ASSERT_TRUE(clock);
    clock->setTime(QTime(21, 30));
    EXPECT_TRUE(ToolboxDriver::click(sheet, startSendingButtonCtrlID));
}

// The fax job on the demo printer (its spool record) or on a queue of a private CUPS
// scheduler (what its backend receives).
class FaxJob : public FaxPaneDialog, public testing::WithParamInterface<bool> {};

TEST_P(FaxJob, CarriesEveryFaxSettingToThePrinter) {
    const bool throughCups = GetParam();
    // The sheet lists the address-book files when the pane is set up.
    const AddressBookFolder books(folder_ / "books");
    std::optional<PrivateScheduler> scheduler;
    if (throughCups) {
        scheduler.emplace(NV_DEMO_PPD_SOURCE, NV_RECORDING_BACKEND);
        std::string whyNot;
        if (!scheduler->start(whyNot))
            GTEST_SKIP() << "No private CUPS scheduler can start here: " << whyNot;
        cupsSetServer(scheduler->address().c_str());
    }
    open(throughCups ? PrivateScheduler::kQueue : "NorvaleDemoFax");

    // The pane: the four options and a sender name that needs escaping.
    const struct {
        const ControlID* popup;
        int item;
    } picks[] = {{&imageQualityPopupListCtrlID, 3},
                 {&transmissionReportPopupListCtrlID, 1},
                 {&coverPagePopupListCtrlID, 2},
                 {&senderModePopupListCtrlID, 2}};
    for (const auto& pick : picks)
        ASSERT_TRUE(ToolboxDriver::pickPopupItem(window(), *pick.popup, pick.item));
    ASSERT_TRUE(ToolboxDriver::typeKeys(window(), senderNameTextEditCtrlID, "Norvale, Inc."));

    ToolboxDriver driver;
    driver.answerNextModal([&](WindowRef sheet) { fillTheSheetAndStartSending(driver, sheet); });
    ASSERT_TRUE(dialog_->print()) << dialog_->message();
    EXPECT_EQ(driver.pendingAnswers(), 0u);

    std::map<std::string, std::string> options;
    if (throughCups) {
        const std::string recorded = scheduler->waitForRecordedOptions();
        cupsSetServer(nullptr);
        ASSERT_FALSE(recorded.empty()) << "no job reached the backend: " << scheduler->logTail();
        options = parseBackendOptions(recorded);
    } else {
        options = spooledOptions();
    }
    const std::string prefix = "com.norvale.m.corvexa.printsettings.";
    const std::map<std::string, std::string> expected = {
        {prefix + "SFaxCoverSenderName", "/78/111/114/118/97/108/101/44/32/73/110/99/46"},
        {prefix + "SFaxPassword", "QEhFXg=="},
        {prefix + "SFaxDelayedPrint", "1"},
        {prefix + "SFaxDelayedTime", "21:30"},
        {prefix + "SFaxDestinationNumber", "2"},
        {prefix + "SFaxDestinationName1", "Ada Lovelace"},
        {prefix + "SFaxDestinationPhoneNumber1", "0123456789"},
        {prefix + "SFaxDestinationName2", "Charles Babbage"},
        {prefix + "SFaxDestinationPhoneNumber2", "0987654321"},
        {"NVFaxImageQuality", "SuperFine"},
        {"NVFaxTransmissionReport", "Always"},
        {"NVFaxCoverPageMode", "Memo"},
        {"NVFaxSenderMode", "Name"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(options[key], value) << key;
}

INSTANTIATE_TEST_SUITE_P(Printers, FaxJob, testing::Values(false, true), [](const auto& info) {
    return info.param ? "PrivateCups" : "DemoPrinter";
});

} // namespace
