// The address window of the real fax settings sheet, driven as a user drives it: address-book
// files made by the address-book library in a scratch folder, the device simulator on
// loopback, modal messages and questions answered through the test driver.
#include "AddressBookFile.h"
#include "DeviceSimulator.h"
#include "ScopedEnvironment.h"
#include "TestBundles.h"

#include <AddressSettingWindow.h>
#include <CBrowserListView.h>
#include <FaxSettingsWindow.h>

#include <ControlDefinitionTables.h>
#include <HIToolboxQt.h>
#include <HIToolboxTesting.h>
#include <PlugInIdentity.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const ControlID kMessageOKButton = {FOUR_CHAR_CODE("okbt"), 1};
constexpr DataBrowserPropertyID kNameColumn = FOUR_CHAR_CODE("NAME");
constexpr char kDevicePassword[] = "1234";
constexpr char kPasswordDetail[] = "The printer needs its fax password to show its address book: "
                                   "enter the right one under Authorisation.";
constexpr char kRetrievalDetail[] = "Its address data could not be retrieved: check that the "
                                    "printer is on and connected to the network.";

CFRef<CFStringRef> cfText(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}

QStringList names(CFArrayRef entries) {
    QStringList list;
    for (const AddressText& each : AddressTextsOf(entries))
        list << QString::fromStdString(each.name);
    return list;
}

// A loopback port on which nothing listens.
int closedPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    close(fd);
    return ntohs(address.sin_port);
}

void spinEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void saveScreenshot(WindowRef window, const char* name) {
    const QDir folder(QStringLiteral(NV_SCREENSHOT_DIR));
    EXPECT_TRUE(folder.mkpath(QStringLiteral(".")) &&
                ToolboxDriver::saveWindowImage(window, folder.filePath(QString(name) + ".png")));
}

const std::vector<AddressText> kBookPeople = {
    {"Abby", "111"}, {"Cabal", "222"}, {"Dora", "333"}, {"Eve", "4ab4"}};

class AddressSettingWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(faxPlugInBundle());
        fs::remove_all(books_);
        fs::create_directories(books_);
    }
    void TearDown() override {
        closeSheet();
        HISetSystemVersionForTesting(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The sheet over the books made so far, initialised as its pane does it, holding the
    // recipients; its address window aimed at the printer address.
    void openSheet(const std::vector<AddressText>& onSheet,
                   const char* printerAddress = "127.0.0.1") {
        owner_ = std::make_unique<CBasePrintPanel>();
        sheet_ = std::make_unique<FaxSettingsWindow>(GetPDENibFileName(), CFSTR("FaxSettings"),
                                                     GetAppBundleRef(), CFSTR("Fax Setting Title"));
        owner_->RunTimeAddNewWindow(sheet_.get());
        ASSERT_EQ(noErr,
                  owner_->InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr));
        window_ = dynamic_cast<AddressSettingWindow*>(
            sheet_->GetPanelControl(&AddressSettingTabViewCtrlID)->GetOwnerPanel());
        ASSERT_NE(nullptr, window_);
        sheet_->SetRecipientList(CreateAddressEntries(onSheet).get());
        if (printerAddress) sheet_->SetPrinterAddress(cfText(printerAddress).get());
    }

    void closeSheet() {
        sheet_.reset();
        owner_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Presents the window on the tab; the action runs in its modal loop and must end it.
    void present(UInt16 tab, std::function<void(WindowRef)> action) {
        driver_.answerNextModal(std::move(action));
        EXPECT_EQ(0, window_->PresentWithTabSelection(tab));
        EXPECT_EQ(0u, driver_.pendingAnswers());
    }

    // The next message window's text, read and dismissed.
    void expectMessage(std::string& shown) {
        driver_.answerNextModal([&shown](WindowRef message) {
            shown = ToolboxDriver::controlText(message, aboutMsgWndStatictTextCtrlID).toStdString();
            ToolboxDriver::click(message, kMessageOKButton);
        });
    }

    CFArrayRef viewItems(const ControlID& id) const {
        return static_cast<CBrowserListView*>(window_->GetPanelControl(&id))->GetItems();
    }

    static QStringList rows(WindowRef window, const ControlID& id) {
        return ToolboxDriver::rowTexts(window, id, kNameColumn);
    }

    // Selects the rows (ids from 1) of the view, one after another.
    static void selectRows(WindowRef window, const ControlID& id,
                           std::initializer_list<DataBrowserItemID> items) {
        bool extend = false;
        for (DataBrowserItemID item : items) {
            EXPECT_TRUE(ToolboxDriver::selectRow(window, id, item, extend));
            extend = true;
        }
    }

    const fs::path books_ = fs::path(testing::TempDir()) / "books";
    const ScopedEnvironment bookFolder_{"NV_ADDRESS_BOOK_DIR", books_.c_str()};
    ToolboxDriver driver_;
    std::unique_ptr<CBasePrintPanel> owner_;
    std::unique_ptr<FaxSettingsWindow> sheet_;
    AddressSettingWindow* window_ = nullptr;
};

TEST_F(AddressSettingWindowTest, SearchShowsNamesHoldingTheTextIgnoringCaseOnEitherWatchPath) {
    MakeAddressBook(books_ / "Office", kBookPeople, {{"Cabin Crew", {1, 2}}});
    struct Case {
        SInt32 systemVersion;
        bool paste;
    };
    for (const Case& c : {Case{0x1040, false}, Case{0x1039, false}, Case{0x1039, true}}) {
        SCOPED_TRACE(testing::Message() << std::hex << c.systemVersion << " paste " << c.paste);
        HISetSystemVersionForTesting(c.systemVersion);
        openSheet({});
        QStringList before, after;
        present(1, [&](WindowRef window) {
            before = rows(window, AddressBookSrcTableViewCtrlID);
            if (c.paste)
                ToolboxDriver::paste(window, AddressBookSearchTextEditCtrlID, "aB");
            else
                ToolboxDriver::typeKeys(window, AddressBookSearchTextEditCtrlID, "aB");
            if (c.systemVersion < 0x1040 && !c.paste) spinEventLoop(300); // the idle timer
            after = rows(window, AddressBookSrcTableViewCtrlID);
            if (c.systemVersion == 0x1040) saveScreenshot(window, "AddressWindowBookSearch");
            ToolboxDriver::click(window, CancelButtonCtrlID);
        });
        // The whole source in its order, individuals then groups; then only the names (not
        // Eve's number) holding "ab".
        EXPECT_EQ(QStringList({"Abby", "Cabal", "Dora", "Eve", "Cabin Crew"}), before);
        EXPECT_EQ(QStringList({"Abby", "Cabal", "Cabin Crew"}), after);
        closeSheet();
    }
}

TEST_F(AddressSettingWindowTest, ABatchBeyondThirtyDestinationsIsRefusedWhole) {
    MakeAddressBook(books_ / "Office", kBookPeople, {{"Team", {1, 2, 3}}});
    std::vector<AddressText> onSheet;
    for (int i = 0; i < 28; ++i)
        onSheet.push_back({"Someone", std::to_string(9000 + i)});
    openSheet(onSheet);
    std::string refusal;
    present(1, [&](WindowRef window) {
        selectRows(window, AddressBookSrcTableViewCtrlID, {5}); // the group of three
        expectMessage(refusal);
        EXPECT_TRUE(ToolboxDriver::click(window, AddressBookAddButtonCtrlID));
        EXPECT_EQ(28, rows(window, AddressBookDestTableViewCtrlID).size());
        selectRows(window, AddressBookSrcTableViewCtrlID, {1, 2});
        EXPECT_TRUE(ToolboxDriver::click(window, AddressBookAddButtonCtrlID));
        ToolboxDriver::click(window, OKButtonCtrlID);
    });
    EXPECT_EQ("A fax can be sent to at most 30 recipients.", refusal);
    const QStringList shown = names(sheet_->GetRecipients());
    ASSERT_EQ(30, shown.size());
    EXPECT_EQ(QStringList({"Abby", "Cabal"}), shown.mid(28));
}

TEST_F(AddressSettingWindowTest, DuplicatesAreAskedAboutOncePerAddAndTheAnswerHoldsForTheBatch) {
    MakeAddressBook(books_ / "Office", kBookPeople, {{"Team", {1, 2, 3}}});
    openSheet({{"Abby", "111"}, {"Cabal", "222"}});
    int questions = 0;
    const auto answer = [&](DialogItemIndex button) {
        driver_.answerNextModal([&questions, button](WindowRef alert) {
            ++questions;
            ToolboxDriver::clickAlertButton(alert, button);
        });
    };
    present(1, [&](WindowRef window) {
        // Abby and Cabal are there already: asked once, Cancel skips both; Dora is new.
        selectRows(window, AddressBookSrcTableViewCtrlID, {1, 2, 3});
        answer(kAlertStdAlertCancelButton);
        ToolboxDriver::click(window, AddressBookAddButtonCtrlID);
        EXPECT_EQ(1, questions);
        // Eve, then the group's members, all three already there: asked once, OK adds them.
        selectRows(window, AddressBookSrcTableViewCtrlID, {4, 5});
        answer(kAlertStdAlertOKButton);
        ToolboxDriver::click(window, AddressBookAddButtonCtrlID);
        EXPECT_EQ(2, questions);
        ToolboxDriver::click(window, OKButtonCtrlID);
    });
    EXPECT_EQ(QStringList({"Abby", "Cabal", "Dora", "Eve", "Abby", "Cabal", "Dora"}),
              names(sheet_->GetRecipients()));
}

TEST_F(AddressSettingWindowTest, CancelOrTheCloseBoxDiscardsWhatWasAddedAndOKHandsItToTheSheet) {
    MakeAddressBook(books_ / "Office", kBookPeople);
    openSheet({{"Zoe", "999"}});
    const std::function<void(WindowRef)> dismissals[] = {
        [](WindowRef window) { ToolboxDriver::click(window, CancelButtonCtrlID); },
        [](WindowRef window) { HIWindowGetWidget(window)->close(); },
    };
    for (const auto& dismiss : dismissals) {
        present(1, [&](WindowRef window) {
            EXPECT_EQ(QStringList({"Zoe"}), rows(window, AddressBookDestTableViewCtrlID));
            selectRows(window, AddressBookSrcTableViewCtrlID, {3});
            ToolboxDriver::click(window, AddressBookAddButtonCtrlID);
            EXPECT_EQ(QStringList({"Zoe", "Dora"}), rows(window, AddressBookDestTableViewCtrlID));
            dismiss(window);
        });
        EXPECT_EQ(QStringList({"Zoe"}), names(sheet_->GetRecipients()));
    }

    present(1, [&](WindowRef window) {
        EXPECT_EQ(QStringList({"Zoe"}), rows(window, AddressBookDestTableViewCtrlID));
        selectRows(window, AddressBookSrcTableViewCtrlID, {4}); // a double click's first click
        EXPECT_TRUE(ToolboxDriver::doubleClickRow(window, AddressBookSrcTableViewCtrlID, 4));
        ToolboxDriver::click(window, OKButtonCtrlID);
    });
    EXPECT_EQ(QStringList({"Zoe", "Eve"}), names(sheet_->GetRecipients()));
}

TEST_F(AddressSettingWindowTest,
       PropertiesShowAnEntryOrAGroupButAGroupWithAHiddenMemberNeitherAddsNorShows) {
    MakeAddressBook(books_ / "Office", kBookPeople, {{"Team", {1, 2, 4}}});
    openSheet({});
    QString entryName;
    QStringList members;
    // Each answer ends its window even when it is not the one expected, so a wrong window
    // fails the test instead of hanging it.
    const auto answerWith = [&](const ControlID& okButton, std::function<void(WindowRef)> read) {
        driver_.answerNextModal([okButton, read](WindowRef window) {
            read(window);
            if (!ToolboxDriver::click(window, okButton)) QuitAppModalLoopForWindow(window);
        });
    };
    present(1, [&](WindowRef window) {
        ToolboxDriver::typeKeys(window, AddressBookSearchTextEditCtrlID, "a"); // hides Eve
        ASSERT_EQ(QStringList({"Abby", "Cabal", "Dora", "Team"}),
                  rows(window, AddressBookSrcTableViewCtrlID));
        answerWith(UPOKButtonCtrlID, [&](WindowRef entry) {
            entryName = ToolboxDriver::controlText(entry, UserPropertyNameTextEditCtrlID);
        });
        selectRows(window, AddressBookSrcTableViewCtrlID, {4});
        ToolboxDriver::click(window, AddressBookPropertyButtonCtrlID);
        EXPECT_EQ(1u, driver_.pendingAnswers()) << "a window was shown for the group";
        ToolboxDriver::click(window, AddressBookAddButtonCtrlID);
        EXPECT_TRUE(rows(window, AddressBookDestTableViewCtrlID).isEmpty());

        selectRows(window, AddressBookSrcTableViewCtrlID, {1});
        ToolboxDriver::click(window, AddressBookPropertyButtonCtrlID);
        EXPECT_EQ("Abby", entryName);

        // With every member shown, the group window lists them.
        ToolboxDriver::pressKey(window, AddressBookSearchTextEditCtrlID, Qt::Key_Backspace);
        answerWith(GPOKButtonCtrlID, [&](WindowRef group) {
            members = rows(group, GroupPropertyMemberTableViewCtrlID);
        });
        selectRows(window, AddressBookSrcTableViewCtrlID, {5});
        ToolboxDriver::click(window, AddressBookPropertyButtonCtrlID);
        ToolboxDriver::click(window, CancelButtonCtrlID);
    });
    EXPECT_EQ(QStringList({"Abby", "Cabal", "Eve"}), members);
}

class DeviceTabTest : public AddressSettingWindowTest {
  protected:
    void startDevice(const std::vector<std::string>& options = {}) {
        const fs::path data = fs::path(testing::TempDir()) / "device.json";
        std::ofstream(data) << R"({"entries": [{"id": 1, "name": "Abby", "number": "111"},
                                                {"id": 2, "name": "Bert", "number": "222"},
                                                {"id": 3, "name": "Cabal", "number": "333"}],
                                   "groups": [{"id": 9, "name": "Night Shift", "members": [3, 1]}]})";
        device_ = std::make_unique<DeviceSimulator>(data.string(), kDevicePassword, options);
        ASSERT_NE(0, device_->port());
        port_ = std::make_unique<ScopedEnvironment>("NV_FAX_DEVICE_PORT",
                                                    std::to_string(device_->port()).c_str());
    }

    std::unique_ptr<DeviceSimulator> device_;
    std::unique_ptr<ScopedEnvironment> port_;
};

TEST_F(DeviceTabTest, AGroupAddsItsMembersAndDeletingRefreshesTheOtherTab) {
    startDevice();
    MakeAddressBook(books_ / "Office", kBookPeople);
    openSheet({{"Zoe", "999"}});
    window_->SetPassword(cfText(kDevicePassword).get());
    present(2, [&](WindowRef window) {
        EXPECT_EQ(QStringList({"Abby", "Bert", "Cabal", "Night Shift"}),
                  rows(window, DeviceDataSrcTableViewCtrlID));
        // Only the device tab was filled on presentation.
        EXPECT_TRUE(names(viewItems(AddressBookSrcTableViewCtrlID)).isEmpty());
        selectRows(window, DeviceDataSrcTableViewCtrlID, {4});
        ToolboxDriver::click(window, DeviceDataAddButtonCtrlID);
        // The members in the order of the list, not of the group.
        EXPECT_EQ(QStringList({"Zoe", "Abby", "Cabal"}),
                  rows(window, DeviceDataDestTableViewCtrlID));
        ToolboxDriver::typeKeys(window, DeviceDataSearchTextEditCtrlID, "ab");
        saveScreenshot(window, "AddressWindowDeviceSearch");

        selectRows(window, DeviceDataDestTableViewCtrlID, {1, 3});
        EXPECT_TRUE(ToolboxDriver::click(window, DeviceDataDeleteButtonCtrlID));
        EXPECT_EQ(QStringList({"Abby"}), rows(window, DeviceDataDestTableViewCtrlID));
        EXPECT_EQ(QStringList({"Abby"}), names(viewItems(AddressBookDestTableViewCtrlID)));

        // Each time the device tab is shown, the device is read again.
        ToolboxDriver::pickTab(window, AddressSettingTabViewCtrlID, 1);
        ToolboxDriver::pickTab(window, AddressSettingTabViewCtrlID, 2);
        ToolboxDriver::click(window, OKButtonCtrlID);
    });
    EXPECT_EQ(QStringList({"Abby"}), names(sheet_->GetRecipients()));
    int reads = 0;
    for (const std::string& line : device_->requestLog(4))
        reads += line.starts_with("GET /addresses");
    EXPECT_EQ(2, reads);
}

TEST_F(DeviceTabTest, ADeviceThatCannotBeReadShowsItsAlertAndAnEmptyTab) {
    startDevice();
    const std::string unreachable = std::to_string(closedPort());
    struct Case {
        const char* what;
        const char* password;
        const char* printerAddress;
        const char* port; // null: the simulator's
        const char* detail;
    };
    const Case cases[] = {
        {"no password", nullptr, "127.0.0.1", nullptr, kPasswordDetail},
        {"wrong password", "9999", "127.0.0.1", nullptr, kPasswordDetail},
        {"closed port", kDevicePassword, "127.0.0.1", unreachable.c_str(), kRetrievalDetail},
        {"unknown printer address", kDevicePassword, nullptr, nullptr, kRetrievalDetail},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScopedEnvironment port("NV_FAX_DEVICE_PORT",
                                     c.port ? c.port : std::to_string(device_->port()).c_str());
        openSheet({}, c.printerAddress);
        window_->SetPassword(c.password ? cfText(c.password).get() : nullptr);
        std::string alert;
        expectMessage(alert);
        present(2, [&](WindowRef window) {
            EXPECT_TRUE(rows(window, DeviceDataSrcTableViewCtrlID).isEmpty());
            ToolboxDriver::click(window, CancelButtonCtrlID);
        });
        EXPECT_EQ(std::string("The printer's address book cannot be read.\n") + c.detail, alert);
        closeSheet();
    }
    // Without a password the device was asked for its status but never read. The simulator
    // logs each request once answered, from one of its threads: the order is not kept.
    std::vector<std::string> log = device_->requestLog(3);
    std::sort(log.begin(), log.end());
    EXPECT_EQ(
        std::vector<std::string>({"GET /addresses 403", "GET /status 200", "GET /status 200"}),
        log);
}

TEST_F(AddressSettingWindowTest, AnAddressBookThatCannotBeReadLeavesTheTabEmpty) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* message; // null: none shown
    };
    const Case cases[] = {
        {"no file", [](const fs::path&) {},
         "No address book file was found. Create one with the Address Book editor."},
        {"not an address book",
         [](const fs::path& folder) { std::ofstream(folder / "Notes") << "x"; }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(books_);
        fs::create_directories(books_);
        c.make(books_);
        openSheet({});
        std::string shown;
        if (c.message) expectMessage(shown);
        present(1, [&](WindowRef window) {
            EXPECT_TRUE(rows(window, AddressBookSrcTableViewCtrlID).isEmpty());
            ToolboxDriver::click(window, CancelButtonCtrlID);
        });
        EXPECT_EQ(c.message ? c.message : "", shown);
        closeSheet();
    }
}

} // namespace
