// The address window of the real fax settings sheet, driven where the print dialog's own tests
// do not reach: the older system's search, the destination limit and duplicates, the device tab
// over the device simulator on loopback with the close box, and sources that cannot be read.
#include "DeviceSimulator.h"
#include "FaxSheetTest.h"

#include <AddressSettingWindow.h>
#include <CBrowserListView.h>
#include <HIToolboxQt.h>

#include <QWidget>

#include <algorithm>
#include <fstream>
#include <functional>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const std::vector<AddressText> kBookPeople = {
    {"Abby", "111"}, {"Cabal", "222"}, {"Dora", "333"}, {"Eve", "4ab4"}};

class AddressSettingWindowTest : public FaxSheetTest {
  protected:
    // The sheet holding the recipients; its address window aimed at the printer on loopback
    // unless the printer's address is unknown.
    void open(const std::vector<AddressText>& onSheet, bool addressKnown = true) {
        build(onSheet);
        if (addressKnown) sheet->SetPrinterAddress(CFSTR("127.0.0.1"));
        window = dynamic_cast<AddressSettingWindow*>(
            sheet->GetPanelControl(&AddressSettingTabViewCtrlID)->GetOwnerPanel());
        ASSERT_NE(nullptr, window);
    }

    // Presents the window on the tab; the action runs in its modal loop and must end it.
    void present(UInt16 tab, std::function<void(WindowRef)> action) {
        driver.answerNextModal(std::move(action));
        EXPECT_EQ(0, window->PresentWithTabSelection(tab));
        EXPECT_EQ(0u, driver.pendingAnswers());
    }

    // Presents the window on the tab and cancels it: the source list shown. A message is
    // expected first, and recorded, when messages is given.
    QStringList sourceShown(UInt16 tab, std::vector<std::string>* messages) {
        const ControlID& source =
            tab == 1 ? AddressBookSrcTableViewCtrlID : DeviceDataSrcTableViewCtrlID;
        QStringList shown;
        if (messages) expectMessage(*messages);
        present(tab, [&](WindowRef w) {
            shown = rows(w, source);
            ToolboxDriver::click(w, CancelButtonCtrlID);
        });
        return shown;
    }

    AddressSettingWindow* window = nullptr;
};

TEST_F(AddressSettingWindowTest, AnOlderSystemsSearchShowsNamesHoldingTheTextIgnoringCase) {
    MakeAddressBook(books / "Office", kBookPeople, {{"Cabin Crew", {1, 2, 4}}});
    HISetSystemVersionForTesting(0x1039);
    for (bool paste : {false, true}) {
        open({});
        QStringList before, after;
        present(1, [&](WindowRef w) {
            before = rows(w, AddressBookSrcTableViewCtrlID);
            if (paste)
                ToolboxDriver::paste(w, AddressBookSearchTextEditCtrlID, "aB");
            else
                ToolboxDriver::typeKeys(w, AddressBookSearchTextEditCtrlID, "aB");
            idle(300); // the typing's idle timer
            after = rows(w, AddressBookSrcTableViewCtrlID);
            // The group with a hidden member (Eve) shows no properties and adds nothing.
            selectRows(w, AddressBookSrcTableViewCtrlID, {3});
            ToolboxDriver::click(w, AddressBookPropertyButtonCtrlID); // opens no window
            ToolboxDriver::click(w, AddressBookAddButtonCtrlID);
            EXPECT_TRUE(rows(w, AddressBookDestTableViewCtrlID).isEmpty());
            ToolboxDriver::click(w, CancelButtonCtrlID);
        });
        // Individuals then groups; then only the names (not Eve's number) holding "ab".
        EXPECT_EQ(QStringList({"Abby", "Cabal", "Dora", "Eve", "Cabin Crew"}), before);
        EXPECT_EQ(QStringList({"Abby", "Cabal", "Cabin Crew"}), after) << "paste " << paste;
        closeSheet();
    }
}

TEST_F(AddressSettingWindowTest, ABatchBeyondThirtyIsRefusedWholeAndDuplicatesAskedOncePerAdd) {
    MakeAddressBook(books / "Office", kBookPeople, {{"Team", {1, 2, 3}}});
    std::vector<AddressText> onSheet = {{"Abby", "111"}, {"Cabal", "222"}};
    for (int i = 0; i < 25; ++i)
        onSheet.push_back({"Someone", std::to_string(9000 + i)});
    open(onSheet);
    std::vector<std::string> refusal;
    present(1, [&](WindowRef w) {
        selectRows(w, AddressBookSrcTableViewCtrlID, {4, 5}); // Eve and the group of three
        expectMessage(refusal);
        EXPECT_TRUE(ToolboxDriver::click(w, AddressBookAddButtonCtrlID));
        // Abby and Cabal are there already: asked once, Cancel skips both; Dora is new.
        selectRows(w, AddressBookSrcTableViewCtrlID, {1, 2, 3});
        driver.answerNextAlert(kAlertStdAlertCancelButton);
        ToolboxDriver::click(w, AddressBookAddButtonCtrlID);
        // Asked again on the next Add; OK adds the duplicate.
        selectRows(w, AddressBookSrcTableViewCtrlID, {1});
        driver.answerNextAlert(kAlertStdAlertOKButton);
        ToolboxDriver::click(w, AddressBookAddButtonCtrlID);
        ToolboxDriver::click(w, OKButtonCtrlID);
    });
    EXPECT_EQ(std::vector<std::string>{"A fax can be sent to at most 30 recipients."}, refusal);
    const std::vector<AddressText> shown = AddressTextsOf(sheet->GetRecipients());
    ASSERT_EQ(29u, shown.size());
    EXPECT_EQ((std::vector<AddressText>{{"Dora", "333"}, {"Abby", "111"}}),
              std::vector<AddressText>(shown.begin() + 27, shown.end()));
}

class DeviceTabTest : public AddressSettingWindowTest {
  protected:
    void SetUp() override {
        AddressSettingWindowTest::SetUp();
        const fs::path data = fs::path(testing::TempDir()) / "device.json";
        std::ofstream(data) << R"({"entries": [{"id": 1, "name": "Abby", "number": "111"},
                                                {"id": 2, "name": "Bert", "number": "222"},
                                                {"id": 3, "name": "Cabal", "number": "333"}],
                                   "groups": [{"id": 9, "name": "Night Shift", "members": [3, 1]}]})";
        device = std::make_unique<DeviceSimulator>(data.string(), "1234");
        ASSERT_NE(0, device->port());
    }
    std::string port() const { return std::to_string(device->port()); }

    std::unique_ptr<DeviceSimulator> device;
};

TEST_F(DeviceTabTest, AGroupAddsItsMembersDeletingRefreshesTheOtherTabAndTheCloseBoxCancels) {
    const ScopedEnvironment devicePort("NV_FAX_DEVICE_PORT", port().c_str());
    MakeAddressBook(books / "Office", kBookPeople);
    open({{"Zoe", "999"}});
    window->SetPassword(CFSTR("1234"));
    const std::vector<AddressText> abby = {{"Abby", "111"}};
    for (bool closeBox : {true, false}) {
        present(2, [&](WindowRef w) {
            EXPECT_EQ(QStringList({"Abby", "Bert", "Cabal", "Night Shift"}),
                      rows(w, DeviceDataSrcTableViewCtrlID));
            EXPECT_EQ(QStringList({"Zoe"}), rows(w, DeviceDataDestTableViewCtrlID));
            selectRows(w, DeviceDataSrcTableViewCtrlID, {4});
            ToolboxDriver::click(w, DeviceDataAddButtonCtrlID);
            // The members in the order of the list, not of the group.
            EXPECT_EQ(QStringList({"Zoe", "Abby", "Cabal"}),
                      rows(w, DeviceDataDestTableViewCtrlID));
            if (closeBox) {
                HIWindowGetWidget(w)->close(); // discards what was added
                return;
            }

            ToolboxDriver::typeKeys(w, DeviceDataSearchTextEditCtrlID, "ab");
            EXPECT_EQ(QStringList({"Abby", "Cabal"}), rows(w, DeviceDataSrcTableViewCtrlID));
            selectRows(w, DeviceDataDestTableViewCtrlID, {1, 3});
            EXPECT_TRUE(ToolboxDriver::click(w, DeviceDataDeleteButtonCtrlID));
            EXPECT_EQ(QStringList({"Abby"}), rows(w, DeviceDataDestTableViewCtrlID));
            const auto* bookDestinations = static_cast<CBrowserListView*>(
                window->GetPanelControl(&AddressBookDestTableViewCtrlID));
            EXPECT_EQ(abby, AddressTextsOf(bookDestinations->GetItems())) << "the other tab";
            // Each time the device tab is shown, the device is read again.
            ToolboxDriver::pickTab(w, AddressSettingTabViewCtrlID, 1);
            ToolboxDriver::pickTab(w, AddressSettingTabViewCtrlID, 2);
            ToolboxDriver::click(w, OKButtonCtrlID);
        });
    }
    EXPECT_EQ(abby, AddressTextsOf(sheet->GetRecipients()));
    const std::vector<std::string> log = device->requestLog(6);
    EXPECT_EQ(3, std::count_if(log.begin(), log.end(), [](const std::string& line) {
                  return line.starts_with("GET /addresses");
              }));
}

TEST_F(DeviceTabTest, ADeviceThatCannotBeReadShowsItsAlertAndAnEmptyTab) {
    const std::string cannot = "The printer's address book cannot be read.\n";
    const std::string password = cannot + "The printer needs its fax password to show its "
                                          "address book: enter the right one under Authorisation.";
    const std::string retrieval = cannot + "Its address data could not be retrieved: check that "
                                           "the printer is on and connected to the network.";
    // The password given, whether the printer's address is known, the device's port, the alert.
    const std::tuple<CFStringRef, bool, std::string, std::string> cases[] = {
        {nullptr, true, port(), password},
        {CFSTR("9999"), true, port(), password},
        {CFSTR("1234"), true, "1", retrieval}, // nothing listens on port 1
        {CFSTR("1234"), false, port(), retrieval},
    };
    for (const auto& [given, addressKnown, devicePort, alert] : cases) {
        const ScopedEnvironment portSetting("NV_FAX_DEVICE_PORT", devicePort.c_str());
        open({}, addressKnown);
        window->SetPassword(given);
        std::vector<std::string> shown;
        EXPECT_TRUE(sourceShown(2, &shown).isEmpty());
        EXPECT_EQ(std::vector<std::string>{alert}, shown) << devicePort;
        closeSheet();
    }
    // Without a password the device was asked for its status but never read. The simulator
    // logs each request once answered, from one of its threads: the order is not kept.
    std::vector<std::string> log = device->requestLog(3);
    std::sort(log.begin(), log.end());
    EXPECT_EQ(
        std::vector<std::string>({"GET /addresses 403", "GET /status 200", "GET /status 200"}),
        log);
}

TEST_F(AddressSettingWindowTest, AnAddressBookThatCannotBeReadLeavesTheTabEmpty) {
    std::ofstream(books / "Notes") << "not an address book";
    const std::vector<std::string> noFile = {
        "No address book file was found. Create one with the Address Book editor."};
    // The address-book folder, and whether the message saying there is no file is shown.
    const std::pair<fs::path, bool> cases[] = {
        {books / "empty", true},
        {books / "Notes" / "books", true}, // a folder that cannot be made
        {books, false},                    // a file that is no address book
    };
    for (const auto& [folder, message] : cases) {
        const ScopedEnvironment folderSetting("NV_ADDRESS_BOOK_DIR", folder.c_str());
        open({});
        std::vector<std::string> messages;
        EXPECT_TRUE(sourceShown(1, message ? &messages : nullptr).isEmpty()) << folder;
        EXPECT_EQ(message ? noFile : std::vector<std::string>{}, messages) << folder;
        closeSheet();
    }
}

} // namespace
