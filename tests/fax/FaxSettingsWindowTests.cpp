// The fax settings sheet driven where the print dialog's own tests do not reach: the recipient
// limit and duplicates, Start Sending without a recipient, the close box, Edit and Delete, Add to
// Book and the file popup, and the add button on the current and an older system.
#include "FaxSheetTest.h"

#include <HIToolboxQt.h>

#include <QWidget>

#include <functional>
#include <tuple>

namespace {

QString numberField(WindowRef window) {
    return ToolboxDriver::controlText(window, phoneNumberTextEditCtrlID);
}

class FaxSettingsWindowTest : public FaxSheetTest {
  protected:
    // Presents the sheet and acts in it; when the actions leave it open, Stop ends it.
    void present(const std::function<void(WindowRef)>& actions) {
        pane->sheetResult = 0;
        driver.answerNextModal([&](WindowRef window) {
            actions(window);
            if (pane->sheetResult == 0 && IsWindowVisible(window))
                ToolboxDriver::click(window, cancelSendingButtonCtrlID);
        });
        EXPECT_EQ(noErr, sheet->Present());
        EXPECT_EQ(0u, driver.pendingAnswers());
    }

    static void add(WindowRef window, const AddressText& recipient) {
        ToolboxDriver::typeKeys(window, userNameTextEditCtrlID,
                                QString::fromStdString(recipient.name));
        ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID,
                                QString::fromStdString(recipient.number));
        ToolboxDriver::click(window, addAddressButtonCtrlID);
    }

    static QStringList shown(WindowRef window) {
        return rows(window, recipientListTableViewCtrlID);
    }
};

TEST_F(FaxSettingsWindowTest, ARefusedRecipientStaysInTheFieldsAndTheCloseBoxSendsNothing) {
    build();
    std::vector<AddressText> many;
    for (int i = 1; i <= 28; ++i)
        many.push_back({"R" + std::to_string(i), std::to_string(i)});
    std::vector<std::string> messages;
    present([&](WindowRef window) {
        sheet->SetRecipientList(CreateAddressEntries(many).get());
        add(window, {"Ann", "111"});
        driver.answerNextAlert(kAlertStdAlertCancelButton);
        add(window, {"Ann", "111"});
        EXPECT_EQ(29, shown(window).size());
        EXPECT_EQ("111", numberField(window)) << "a refused entry stays in the fields";
        driver.answerNextAlert(kAlertStdAlertOKButton);
        ToolboxDriver::click(window, addAddressButtonCtrlID);
        EXPECT_EQ(30, shown(window).size());
        EXPECT_TRUE(numberField(window).isEmpty());
        EXPECT_FALSE(isActive(window, addAddressButtonCtrlID)) << "the fields were emptied";
        EXPECT_FALSE(isActive(window, delayedTimeTextEditCtrlID)) << "delayed sending is off";

        expectMessage(messages);
        add(window, {"Extra", "31"});
        EXPECT_EQ(30, shown(window).size());
        EXPECT_EQ("31", numberField(window));
        HIWindowGetWidget(window)->close();
    });
    EXPECT_EQ((std::vector<std::string>{"A fax can be sent to at most 30 recipients."}), messages);
    EXPECT_EQ(kFaxSheetResultCancel, pane->sheetResult);
    EXPECT_EQ(0, CFArrayGetCount(sheet->GetRecipients()));
}

TEST_F(FaxSettingsWindowTest, StartSendingWithNoRecipientTakesTheTypedNumberOnlyWhenAgreed) {
    build();
    const std::vector<std::string> refusal = {
        "Please add at least one recipient, or enter a fax number."};
    // The typed number, the answer to the question whether to take it, and whether it is sent.
    const std::tuple<const char*, DialogItemIndex, bool> cases[] = {
        {"123", kAlertStdAlertOKButton, true},
        {"123", kAlertStdAlertCancelButton, false},
        {"", 0, false}, // nothing to take: no question
    };
    for (const auto& [number, answer, sent] : cases) {
        std::vector<std::string> messages;
        present([&](WindowRef window) {
            ToolboxDriver::typeKeys(window, phoneNumberTextEditCtrlID, number);
            if (answer) driver.answerNextAlert(answer);
            if (!sent) expectMessage(messages);
            ToolboxDriver::click(window, startSendingButtonCtrlID);
            EXPECT_EQ(sent ? kFaxSheetResultSend : 0, pane->sheetResult) << "the sheet stays open";
        });
        EXPECT_EQ(sent ? std::vector<std::string>{} : refusal, messages) << number;
        EXPECT_EQ((sent ? std::vector<AddressText>{{"", "123"}} : std::vector<AddressText>{}),
                  AddressTextsOf(sheet->GetRecipients()));
    }
}

TEST_F(FaxSettingsWindowTest, EditAndDeleteFollowTheSelection) {
    build();
    present([&](WindowRef window) {
        sheet->SetRecipientList(
            CreateAddressEntries({{"Ann", "111"}, {"Bob", "222"}, {"Cid", "333"}}).get());
        const auto buttons = [&] {
            return std::pair{isActive(window, editAddressButtonCtrlID),
                             isActive(window, deleteAddressButtonCtrlID)};
        };
        EXPECT_EQ(std::pair(false, false), buttons()) << "none selected";
        selectRows(window, recipientListTableViewCtrlID, {1});
        EXPECT_EQ(std::pair(true, true), buttons()) << "one selected";
        EXPECT_FALSE(isActive(window, addToAddressBookButtonCtrlID)) << "no address-book file";
        EXPECT_FALSE(isActive(window, addressFilePopupListCtrlID));
        selectRows(window, recipientListTableViewCtrlID, {1, 3});
        EXPECT_EQ(std::pair(false, true), buttons()) << "two selected";

        selectRows(window, recipientListTableViewCtrlID, {2});
        ToolboxDriver::click(window, editAddressButtonCtrlID);
        EXPECT_EQ("Bob", ToolboxDriver::controlText(window, userNameTextEditCtrlID));
        EXPECT_EQ("222", numberField(window));
        EXPECT_TRUE(isActive(window, addAddressButtonCtrlID));
        EXPECT_EQ((QStringList{"Ann", "Cid"}), shown(window));
        EXPECT_EQ(std::pair(false, false), buttons()) << "the edited row is gone";

        selectRows(window, recipientListTableViewCtrlID, {1, 2});
        ToolboxDriver::click(window, deleteAddressButtonCtrlID);
        EXPECT_TRUE(shown(window).isEmpty());
        EXPECT_EQ(std::pair(false, false), buttons());
    });
}

TEST_F(FaxSettingsWindowTest, AddToBookWritesNamedRecipientsIntoTheChosenFileThatLookUpReads) {
    MakeAddressBook(books / "Office", {{"Zed", "999"}});
    MakeAddressBook(books / "Clients", {{"Cleo", "555"}});
    build();
    std::vector<std::string> messages;
    QStringList listed;
    present([&](WindowRef window) {
        EXPECT_EQ("Clients", ToolboxDriver::controlText(window, addressFilePopupListCtrlID))
            << "the first file in name order";
        ASSERT_TRUE(ToolboxDriver::pickPopupItem(window, addressFilePopupListCtrlID, 2));
        sheet->SetRecipientList(
            CreateAddressEntries({{"", "123"}, {"Ann", "111"}, {"Zed", "999"}}).get());
        for (const std::vector<DataBrowserItemID>& selection :
             {std::vector<DataBrowserItemID>{1, 2}, {2}, {3}}) {
            selectRows(window, recipientListTableViewCtrlID, selection);
            expectMessage(messages);
            ToolboxDriver::click(window, addToAddressBookButtonCtrlID);
        }
        driver.answerNextModal([&](WindowRef addressWindow) {
            listed = rows(addressWindow, AddressBookSrcTableViewCtrlID);
            ToolboxDriver::click(addressWindow, CancelButtonCtrlID);
        });
        ToolboxDriver::click(window, lookupAddressBookButtonCtrlID);
        // A chosen file that can no longer be written: a folder where the file was.
        std::filesystem::remove(books / "Office");
        std::filesystem::create_directory(books / "Office");
        selectRows(window, recipientListTableViewCtrlID, {2});
        expectMessage(messages);
        ToolboxDriver::click(window, addToAddressBookButtonCtrlID);
    });
    EXPECT_EQ(
        (std::vector<std::string>{"A recipient without a name cannot be added to the address book.",
                                  "The recipients were added to the address book.",
                                  "The address book already holds this address.",
                                  "The recipients could not be added to the address book file."}),
        messages);
    EXPECT_EQ((QStringList{"Zed", "Ann"}), listed) << "nothing of the refused selection written";
}

class AddButtonTest : public FaxSettingsWindowTest, public testing::WithParamInterface<SInt32> {};

TEST_P(AddButtonTest, FollowsTheNumberFieldAndItsTimerGoesWithTheSheet) {
    HISetSystemVersionForTesting(GetParam());
    build();
    present([&](WindowRef window) {
        const auto activeAfter = [&](const std::function<void()>& edit) {
            edit();
            idle(150);
            return isActive(window, addAddressButtonCtrlID);
        };
        const ControlID number = phoneNumberTextEditCtrlID;
        EXPECT_TRUE(activeAfter([&] { ToolboxDriver::typeKeys(window, number, "1"); }));
        EXPECT_FALSE(
            activeAfter([&] { ToolboxDriver::pressKey(window, number, Qt::Key_Backspace); }));
        EXPECT_TRUE(activeAfter([&] { ToolboxDriver::paste(window, number, "555"); }));
        ToolboxDriver::typeKeys(window, number, "6"); // its timer still pending
    });
    closeSheet();
    idle(150); // a timer left behind would fire into the deleted sheet
}

INSTANTIATE_TEST_SUITE_P(CurrentAndOlderSystem, AddButtonTest, testing::Values(0, 0x1039));

} // namespace
