// The fax settings sheet of the plug-in's bundle as a child window of a test pane, driven as the
// user drives it: recipients added, refused, asked about, edited, deleted and added to an
// address-book file of a scratch folder; Start Sending and Stop; the add button following the
// number field on the current and an older system; the recipients in a real print ticket; and
// the address window opened from the sheet.
#include "AddressBookFile.h"
#include "DemoPrinterTicket.h"
#include "TestBundles.h"

#include <ControlDefinitionTables.h>
#include <FaxSettingsWindow.h>
#include <FaxSheetOwner.h>
#include <PlugInIdentity.h>
#include <ScopedEnvironment.h>
#include <ScratchFolder.h>
#include <TestDriver/ToolboxDriver.h>
#include <UTF16LEFields.h>

#include <CFDictionary.h>
#include <CFRef.h>
#include <HIToolboxQt.h>
#include <HIToolboxTesting.h>
#include <QrolKit.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr DataBrowserPropertyID kNameColumn = FOUR_CHAR_CODE("NAME");
const ControlID kMessageOKButtonID = {FOUR_CHAR_CODE("okbt"), 1};
const char kPrefix[] = "com.norvale.m.corvexa.printsettings.";

CFRef<CFStringRef> cfString(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}

std::string text(CFStringRef string) {
    char buffer[256] = {};
    return string && CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8)
               ? buffer
               : "<none>";
}

using Recipient = AddressText;

bool isActive(WindowRef window, const ControlID& id) {
    ControlRef control = nullptr;
    return GetControlByID(window, &id, &control) == noErr && IsControlActive(control);
}

// Runs the event loop for a while, so that idle timers can fire.
void idle(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The fax pane as far as the sheet sees it: the panel that owns it and keeps its result.
class TestPane : public CBasePrintPanel, public FaxSheetOwner {
  public:
    void SetSheetResult(SInt32 result) override { sheetResult = result; }
    SInt32 sheetResult = 0;
};

class FaxSettingsWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(nullptr, faxPlugInBundle());
        fs::create_directories(books);
    }
    void TearDown() override {
        sheet.reset();
        HISetSystemVersionForTesting(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Builds the sheet as the pane does (after any address-book file the test has made).
    void build() {
        sheet = std::make_unique<FaxSettingsWindow>(GetPDENibFileName(), CFSTR("FaxSettings"),
                                                    GetAppBundleRef(), CFSTR("Fax Setting Title"));
        pane.RunTimeAddNewWindow(sheet.get());
        pane.InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr);
    }

    // Presents the sheet and acts in it; when the actions leave it open, Stop ends it.
    void present(const std::function<void(WindowRef)>& actions) {
        pane.sheetResult = 0;
        driver.answerNextModal([&](WindowRef window) {
            actions(window);
            if (pane.sheetResult == 0 && IsWindowVisible(window))
                ToolboxDriver::click(window, cancelSendingButtonCtrlID);
        });
        EXPECT_EQ(noErr, sheet->Present());
        EXPECT_EQ(0u, driver.pendingAnswers());
    }

    // The next message window: records what it shows and presses its OK.
    void expectMessage(std::vector<std::string>& shown) {
        driver.answerNextModal([&shown](WindowRef message) {
            shown.push_back(
                ToolboxDriver::controlText(message, aboutMsgWndStatictTextCtrlID).toStdString());
            ToolboxDriver::click(message, kMessageOKButtonID);
        });
    }

    static void type(WindowRef window, const Recipient& recipient) {
        ToolboxDriver::typeKeys(window, userNameTextEditCtrlID,
                                QString::fromStdString(recipient.name));
        ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID,
                                QString::fromStdString(recipient.number));
    }
    static void add(WindowRef window, const Recipient& recipient) {
        type(window, recipient);
        ToolboxDriver::click(window, addAddressButtonCtrlID);
    }
    QStringList shownNames(WindowRef window) const {
        return ToolboxDriver::rowTexts(window, recipientListTableViewCtrlID, kNameColumn);
    }
    std::vector<Recipient> recipients() const { return AddressTextsOf(sheet->GetRecipients()); }

    ScratchFolder scratch;
    fs::path books = fs::path(testing::TempDir()) / "books";
    ScopedEnvironment bookFolder{"NV_ADDRESS_BOOK_DIR", books.c_str()};
    ToolboxDriver driver;
    TestPane pane;
    std::unique_ptr<FaxSettingsWindow> sheet;
};

TEST_F(FaxSettingsWindowTest, TheThirtiethRecipientIsAcceptedAndTheThirtyFirstRefused) {
    build();
    std::vector<Recipient> twentyNine;
    for (int i = 1; i <= 29; ++i)
        twentyNine.push_back({"R" + std::to_string(i), std::to_string(i)});
    std::vector<std::string> messages;
    present([&](WindowRef window) {
        sheet->SetRecipientList(CreateAddressEntries(twentyNine).get());
        add(window, {"Thirty", "30"});
        EXPECT_EQ(30, shownNames(window).size());
        EXPECT_TRUE(ToolboxDriver::controlText(window, phoneNumberTextEditCtrlID).isEmpty());
        EXPECT_FALSE(isActive(window, addAddressButtonCtrlID)) << "the fields were emptied";

        expectMessage(messages);
        add(window, {"Extra", "31"});
        EXPECT_EQ(30, shownNames(window).size());
        EXPECT_EQ("31", ToolboxDriver::controlText(window, phoneNumberTextEditCtrlID))
            << "the refused entry stays in the fields";
    });
    EXPECT_EQ((std::vector<std::string>{"A fax can be sent to at most 30 recipients."}), messages);
}

TEST_F(FaxSettingsWindowTest, ADuplicateIsAddedOnlyWhenTheUserAgrees) {
    build();
    for (const auto& [answer, expected] :
         {std::pair{kAlertStdAlertCancelButton, 1}, std::pair{kAlertStdAlertOKButton, 2}}) {
        present([&, answer = answer, expected = expected](WindowRef window) {
            add(window, {"Ann", "111"});
            driver.answerNextAlert(answer);
            add(window, {"Ann", "111"});
            EXPECT_EQ(expected, shownNames(window).size()) << "answer " << answer;
        });
    }
}

TEST_F(FaxSettingsWindowTest, StartSendingWithNoRecipientTakesTheTypedNumberOnlyWhenAgreed) {
    build();
    struct Case {
        const char* number;
        DialogItemIndex answer; // 0: no question expected
        SInt32 result;          // 0: the sheet stays open
        std::vector<std::string> messages;
    };
    const std::string noRecipient = "Please add at least one recipient, or enter a fax number.";
    const Case cases[] = {
        {"123", kAlertStdAlertOKButton, kFaxSheetResultSend, {}},
        {"123", kAlertStdAlertCancelButton, 0, {noRecipient}},
        {"", 0, 0, {noRecipient}},
    };
    for (const Case& each : cases) {
        std::vector<std::string> messages;
        SInt32 resultAfterStart = -1;
        present([&](WindowRef window) {
            ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID, each.number);
            if (each.answer) driver.answerNextAlert(each.answer);
            if (!each.result) expectMessage(messages);
            ToolboxDriver::click(window, startSendingButtonCtrlID);
            resultAfterStart = pane.sheetResult;
        });
        EXPECT_EQ(each.result, resultAfterStart) << each.number;
        EXPECT_EQ(each.messages, messages) << each.number;
        if (each.result == kFaxSheetResultSend) {
            EXPECT_EQ((std::vector<Recipient>{{"", "123"}}), recipients());
        } else {
            EXPECT_EQ(kFaxSheetResultCancel, pane.sheetResult);
            EXPECT_TRUE(recipients().empty());
        }
    }
}

TEST_F(FaxSettingsWindowTest, StopAndTheCloseBoxSendNothingAndEachShowingStartsEmpty) {
    build();
    present([&](WindowRef window) {
        add(window, {"Ann", "111"});
        ToolboxDriver::click(window, startSendingButtonCtrlID);
    });
    EXPECT_EQ(kFaxSheetResultSend, pane.sheetResult);
    EXPECT_EQ(1u, recipients().size()) << "kept for the ticket";

    for (bool closeBox : {false, true}) {
        present([&](WindowRef window) {
            EXPECT_TRUE(shownNames(window).isEmpty()) << "every showing starts empty";
            EXPECT_TRUE(ToolboxDriver::controlText(window, userNameTextEditCtrlID).isEmpty());
            add(window, {"Bob", "222"});
            if (closeBox)
                HIWindowGetWidget(window)->close();
            else
                ToolboxDriver::click(window, cancelSendingButtonCtrlID);
        });
        EXPECT_EQ(kFaxSheetResultCancel, pane.sheetResult) << "close box " << closeBox;
        EXPECT_TRUE(recipients().empty());
    }
}

TEST_F(FaxSettingsWindowTest, EditAndDeleteFollowTheSelection) {
    build();
    present([&](WindowRef window) {
        sheet->SetRecipientList(
            CreateAddressEntries({{"Ann", "111"}, {"Bob", "222"}, {"Cid", "333"}}).get());
        auto buttons = [&] {
            return std::pair{isActive(window, editAddressButtonCtrlID),
                             isActive(window, deleteAddressButtonCtrlID)};
        };
        EXPECT_EQ(std::pair(false, false), buttons()) << "none selected";
        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 1));
        EXPECT_EQ(std::pair(true, true), buttons()) << "one selected";
        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 3, true));
        EXPECT_EQ(std::pair(false, true), buttons()) << "two selected";
        ASSERT_TRUE(ToolboxDriver::deselectRow(window, recipientListTableViewCtrlID, 1));
        ASSERT_TRUE(ToolboxDriver::deselectRow(window, recipientListTableViewCtrlID, 3));
        EXPECT_EQ(std::pair(false, false), buttons()) << "all deselected";
        EXPECT_FALSE(isActive(window, addToAddressBookButtonCtrlID));

        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 2));
        ToolboxDriver::click(window, editAddressButtonCtrlID);
        EXPECT_EQ("Bob", ToolboxDriver::controlText(window, userNameTextEditCtrlID));
        EXPECT_EQ("222", ToolboxDriver::controlText(window, phoneNumberTextEditCtrlID));
        EXPECT_TRUE(isActive(window, addAddressButtonCtrlID));
        EXPECT_EQ((QStringList{"Ann", "Cid"}), shownNames(window));
        EXPECT_EQ(std::pair(false, false), buttons()) << "the edited row is gone";

        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 1));
        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 2, true));
        ToolboxDriver::click(window, deleteAddressButtonCtrlID);
        EXPECT_TRUE(shownNames(window).isEmpty());
        EXPECT_EQ(std::pair(false, false), buttons());
    });
}

// The entries of the address-book file, read back through the library.
std::vector<Recipient> readBook(const fs::path& path) {
    QROLDataRef data = QROLData_Create();
    std::vector<Recipient> found;
    if (QrolGADFile_Read(cfString(path.string()).get(), data, 0) == kQrolNoErr) {
        for (UInt16 i = 0; i < QROLData_GetCount_MyFax(data); ++i) {
            QrolMyFaxRecord record{};
            QROLData_GetAt_MyFax(data, i, &record);
            const CFRef<CFStringRef> name(
                CreateCFStringFromUTF16LEString(record.name, sizeof record.name));
            const CFRef<CFStringRef> number(
                CreateCFStringFromUTF16LEString(record.faxNumber, sizeof record.faxNumber));
            found.push_back({text(name.get()), text(number.get())});
        }
    }
    QROLData_Delete(data);
    return found;
}

TEST_F(FaxSettingsWindowTest, AddToBookWritesNamedRecipientsAndRefusesANamelessOne) {
    const fs::path book = books / "Office";
    MakeAddressBook(book, {{"Zed", "999"}});
    build();

    std::vector<std::string> messages;
    present([&](WindowRef window) {
        sheet->SetRecipientList(
            CreateAddressEntries({{"", "123"}, {"Ann", "111"}, {"Zed", "999"}}).get());
        const struct {
            std::vector<DataBrowserItemID> rows;
        } selections[] = {{{1, 2}}, {{2}}, {{3}}};
        for (const auto& selection : selections) {
            for (size_t i = 0; i < selection.rows.size(); ++i)
                ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID,
                                                     selection.rows[i], i > 0));
            EXPECT_TRUE(isActive(window, addToAddressBookButtonCtrlID));
            expectMessage(messages);
            ToolboxDriver::click(window, addToAddressBookButtonCtrlID);
        }
    });
    EXPECT_EQ(
        (std::vector<std::string>{"A recipient without a name cannot be added to the address book.",
                                  "The recipients were added to the address book.",
                                  "The address book already holds this address."}),
        messages);
    EXPECT_EQ((std::vector<Recipient>{{"Zed", "999"}, {"Ann", "111"}}), readBook(book))
        << "nothing of the refused selection was written";
}

class AddButtonTest : public FaxSettingsWindowTest, public testing::WithParamInterface<SInt32> {};

TEST_P(AddButtonTest, FollowsTheNumberFieldsText) {
    HISetSystemVersionForTesting(GetParam());
    build();
    present([&](WindowRef window) {
        EXPECT_FALSE(isActive(window, addAddressButtonCtrlID));
        ToolboxDriver::typeKeys(window, userNameTextEditCtrlID, "Ann");
        idle(150);
        EXPECT_FALSE(isActive(window, addAddressButtonCtrlID)) << "the name does not matter";
        ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID, "1");
        idle(150);
        EXPECT_TRUE(isActive(window, addAddressButtonCtrlID)) << "typed";
        ToolboxDriver::pressKey(window, phoneNumberTextEditCtrlID, Qt::Key_Backspace);
        idle(150);
        EXPECT_FALSE(isActive(window, addAddressButtonCtrlID)) << "erased";
        ToolboxDriver::paste(window, phoneNumberTextEditCtrlID, "555");
        idle(150);
        EXPECT_TRUE(isActive(window, addAddressButtonCtrlID)) << "pasted";
    });
}

INSTANTIATE_TEST_SUITE_P(CurrentAndOlderSystem, AddButtonTest, testing::Values(0, 0x1039));

TEST_F(FaxSettingsWindowTest, AKeyTimerStillPendingGoesWithTheSheet) {
    HISetSystemVersionForTesting(0x1039);
    build();
    present(
        [](WindowRef window) { ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID, "1"); });
    sheet.reset();
    idle(150); // a timer left behind would fire into the deleted sheet
}

TEST_F(FaxSettingsWindowTest, TheTicketHoldsTheRecipientsInListOrderAndTheSheetsValues) {
    build();
    std::vector<Recipient> twelve;
    for (int i = 1; i <= 12; ++i)
        twelve.push_back({std::string(1, char('a' + (i * 5) % 12)) + std::to_string(i),
                          "0" + std::to_string(100 + i)});
    struct Case {
        const char* password;
        bool delayed;
        size_t passwordLength;
        const char* delayedPrint;
    };
    for (const Case& each : {Case{"1234", false, 8, "0"}, Case{"", true, 0, "1"}}) {
        present([&](WindowRef window) {
            sheet->SetRecipientList(CreateAddressEntries(twelve).get());
            ToolboxDriver::clickColumnHeader(window, recipientListTableViewCtrlID, kNameColumn);
            ToolboxDriver::typeKeys(window, passwordTextEditCtrlID, each.password);
            if (each.delayed) ToolboxDriver::click(window, delayedSendCheckBoxCtrlID);
            EXPECT_EQ(each.delayed, isActive(window, delayedTimeTextEditCtrlID))
                << "the time follows the box";
            if (QDir(QStringLiteral(NV_SCREENSHOT_DIR)).mkpath(QStringLiteral(".")))
                ToolboxDriver::saveWindowImage(
                    window, QStringLiteral(NV_SCREENSHOT_DIR "/FaxSettingsWithRecipients%1.png")
                                .arg(each.delayed ? "Delayed" : ""));
            ToolboxDriver::click(window, startSendingButtonCtrlID);
        });
        ASSERT_EQ(kFaxSheetResultSend, pane.sheetResult);

        DemoPrinterTicket ticket;
        ASSERT_NE(nullptr, ticket.ticket());
        EXPECT_EQ(noErr, sheet->SetValueToTicket(ticket.ticket(), false));
        auto key = [](const std::string& rest) { return cfString(kPrefix + rest); };
        EXPECT_EQ("12", ticket.text(key("SFaxDestinationNumber").get()));
        for (size_t n = 1; n <= twelve.size(); ++n) {
            const std::string number = std::to_string(n);
            EXPECT_EQ(twelve[n - 1].name, ticket.text(key("SFaxDestinationName" + number).get()));
            EXPECT_EQ(twelve[n - 1].number,
                      ticket.text(key("SFaxDestinationPhoneNumber" + number).get()));
        }
        EXPECT_EQ("<absent>", ticket.text(key("SFaxDestinationName13").get()));
        EXPECT_EQ("<absent>", ticket.text(key("SFaxDestinationName01").get()));

        const std::string password = ticket.text(key("SFaxPassword").get());
        EXPECT_EQ(each.passwordLength, password.size()) << password;
        EXPECT_EQ(each.passwordLength > 0, password.ends_with("==")) << password;
        EXPECT_EQ(each.delayedPrint, ticket.text(key("SFaxDelayedPrint").get()));
        EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d$")
                        .match(QString::fromStdString(ticket.text(key("SFaxDelayedTime").get())))
                        .hasMatch());
    }
}

TEST_F(FaxSettingsWindowTest, AnAddToBookIsListedByLookUpBookWhoseOKReplacesTheRecipients) {
    MakeAddressBook(books / "Office", {{"Zed", "999"}});
    build();
    SInt32 tab = 0;
    QStringList listedByLookUp, shownAfter;
    std::vector<std::string> messages;
    present([&](WindowRef window) {
        add(window, {"Ann", "111"});
        ASSERT_TRUE(ToolboxDriver::selectRow(window, recipientListTableViewCtrlID, 1));
        expectMessage(messages);
        ToolboxDriver::click(window, addToAddressBookButtonCtrlID);

        driver.answerNextModal([&](WindowRef addressWindow) {
            ControlRef tabs = nullptr;
            if (GetControlByID(addressWindow, &AddressSettingTabViewCtrlID, &tabs) == noErr)
                tab = GetControl32BitValue(tabs);
            listedByLookUp =
                ToolboxDriver::rowTexts(addressWindow, AddressBookSrcTableViewCtrlID, kNameColumn);
            EXPECT_TRUE(
                ToolboxDriver::selectRow(addressWindow, AddressBookSrcTableViewCtrlID,
                                         DataBrowserItemID(listedByLookUp.indexOf("Zed") + 1)));
            EXPECT_TRUE(ToolboxDriver::click(addressWindow, AddressBookAddButtonCtrlID));
            EXPECT_TRUE(ToolboxDriver::click(addressWindow, OKButtonCtrlID));
        });
        ToolboxDriver::click(window, lookupAddressBookButtonCtrlID);
        shownAfter = shownNames(window);
    });
    EXPECT_EQ((std::vector<std::string>{"The recipients were added to the address book."}),
              messages);
    EXPECT_EQ(1, tab);
    listedByLookUp.sort();
    EXPECT_EQ((QStringList{"Ann", "Zed"}), listedByLookUp) << "the file's entries, Ann added";
    EXPECT_EQ((QStringList{"Ann", "Zed"}), shownAfter);
}

} // namespace
