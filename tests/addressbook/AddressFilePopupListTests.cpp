// The address-book file popup on the fax settings sheet's nib window, over address-book files
// made by the library in a scratch folder: which files it lists, the path it gives, and when
// it is disabled.
#include "TestBundles.h"

#include <AddressFilePopupList.h>
#include <UTF16LEFields.h>

#include <ControlDefinitionTables.h>
#include <Menus.h>
#include <PlugInIdentity.h>
#include <PlugInNibWindow.h>
#include <QrolKit.h>
#include <ScopedEnvironment.h>
#include <TestDriver/ToolboxDriver.h>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

QString qText(CFStringRef string) {
    if (!string) return QStringLiteral("(null)");
    QString text(int(CFStringGetLength(string)), QChar());
    CFStringGetCharacters(string, CFRangeMake(0, CFStringGetLength(string)),
                          reinterpret_cast<UniChar*>(text.data()));
    return text;
}

CFRef<CFStringRef> cfString(const std::string& text) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}

// Makes an address-book file of one entry through the library, as Add to Book does.
void makeAddressBook(const fs::path& path) {
    QrolMyFaxRecord record{};
    ASSERT_TRUE(CFStringGetUTF16LECString(CFSTR("Front desk"), record.name, sizeof record.name));
    ASSERT_TRUE(
        CFStringGetUTF16LECString(CFSTR("0301234"), record.faxNumber, sizeof record.faxNumber));
    QROLDataRef data = QROLData_Create();
    ASSERT_TRUE(data);
    EXPECT_EQ(0u, QROLData_Add_MyFax(data, 1, &record));
    EXPECT_EQ(0u, QrolGADFile_Add(cfString(path.string()).get(), data, 0));
    QROLData_Delete(data);
}

class AddressFilePopupListTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(faxPlugInBundle());
        fs::remove_all(folder_); // left by an earlier repetition
        fs::create_directories(folder_);
        ASSERT_TRUE(window_.get());
    }

    // The popup as the sheet makes it (asking for the folder now), bound to the sheet's window.
    AddressFilePopupList& bindPopup() {
        popup_ = std::make_unique<AddressFilePopupList>(&addressFilePopupListCtrlID,
                                                        &addressFileListIniData, nullptr,
                                                        &addressFileListAccessInfo);
        EXPECT_TRUE(popup_->InitializeCtrl(window_.get(), nullptr, GetAppBundleRef(), nullptr));
        return *popup_;
    }

    QStringList menuItems() const {
        QStringList items;
        MenuRef menu = GetControlPopupMenuHandle(popup_->GetControlHandle());
        for (MenuItemIndex item = 1; item <= CountMenuItems(menu); ++item) {
            CFStringRef text = nullptr;
            CopyMenuItemTextAsCFString(menu, item, &text);
            items << qText(text);
            if (text) CFRelease(text);
        }
        return items;
    }

    QString pathOf(const char* name) const {
        return QString::fromStdString((folder_ / name).string());
    }

    const fs::path folder_ = fs::path(testing::TempDir()) / "AddressBooks" /
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    ScopedEnvironment directory_{"NV_ADDRESS_BOOK_DIR", folder_.c_str()};
    PlugInNibWindow window_{faxPlugInBundle(), CFSTR("FaxSettings")};
    std::unique_ptr<AddressFilePopupList> popup_;
};

TEST_F(AddressFilePopupListTest, ListsTheFilesInNameOrderAndGivesTheChosenFilesPath) {
    for (const char* name : {"Office", "Clients", "Home"})
        makeAddressBook(folder_ / name);
    AddressFilePopupList& popup = bindPopup();
    EXPECT_EQ(QStringList({"Clients", "Home", "Office"}), menuItems());
    EXPECT_TRUE(IsControlActive(popup.GetControlHandle()));
    EXPECT_EQ(pathOf("Clients"), qText(popup.GetSelectedFilePath())) << "the first is chosen";
    ASSERT_TRUE(ToolboxDriver::pickPopupItem(window_.get(), addressFilePopupListCtrlID, 3));
    EXPECT_EQ(pathOf("Office"), qText(popup.GetSelectedFilePath()));
}

TEST_F(AddressFilePopupListTest, WithoutAFolderOrAFileItIsDisabledAndGivesNoPath) {
    // A folder that cannot be made: its parent is a file (outside the empty folder).
    const fs::path plainFile = folder_.string() + "-file";
    std::ofstream(plainFile) << "not a folder";
    const std::string unmakeable = (plainFile / "books").string();
    for (const char* folder : {unmakeable.c_str(), folder_.c_str()}) {
        ScopedEnvironment books("NV_ADDRESS_BOOK_DIR", folder);
        AddressFilePopupList& popup = bindPopup();
        EXPECT_EQ(0, popup.CountFiles()) << folder;
        EXPECT_TRUE(menuItems().isEmpty()) << folder;
        EXPECT_FALSE(IsControlActive(popup.GetControlHandle())) << folder;
        EXPECT_EQ(nullptr, popup.GetSelectedFilePath()) << folder;
    }
}

TEST_F(AddressFilePopupListTest, AFileMadeLaterIsListedWhenTheMenuIsRebuilt) {
    AddressFilePopupList& popup = bindPopup();
    EXPECT_EQ(nullptr, popup.GetSelectedFilePath());
    makeAddressBook(folder_ / "Suppliers");
    EXPECT_TRUE(popup.ReInitializeMenu(GetAppBundleRef()));
    EXPECT_EQ(QStringList({"Suppliers"}), menuItems());
    EXPECT_EQ(1, popup.CountFiles());
    EXPECT_EQ(pathOf("Suppliers"), qText(popup.GetSelectedFilePath()));
}

TEST(AddressFileListTest, EachNameEndsAtItsSeparatorAndTheLastPieceIsDropped) {
    struct Case {
        std::u16string list;
        QStringList names;
    };
    const Case cases[] = {
        {std::u16string(u"a\0b\0", 4), {"a", "b"}},
        {std::u16string(u"a\0b", 3), {"a"}}, // without the final separator
        {std::u16string(u"Office\0", 7), {"Office"}},
    };
    for (const Case& each : cases) {
        const CFRef<CFStringRef> list(CFStringCreateWithCharacters(
            nullptr, reinterpret_cast<const UniChar*>(each.list.data()),
            CFIndex(each.list.size())));
        const CFRef<CFArrayRef> names(AddressFilePopupList::CreateFileNames(list.get()));
        QStringList got;
        for (CFIndex i = 0; names && i < CFArrayGetCount(names.get()); ++i)
            got << qText(static_cast<CFStringRef>(CFArrayGetValueAtIndex(names.get(), i)));
        EXPECT_EQ(each.names, got) << qText(list.get()).toStdString();
    }
}

} // namespace
