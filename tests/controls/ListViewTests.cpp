// The list view on every list of the plug-in bundle's nib windows, driven as the user drives
// it: row ids follow the items, a selection is removed whatever order it is reported in, counted
// disabling leaves the rows inactive,
// clicking a column header sorts, the value is the first selected row, and a rebuilt window
// gets its titles and rows again.
#include "AddressEntries.h"
#include "TestBundles.h"

#include <CBrowserListView.h>
#include <ControlDefinitionTables.h>
#include <PlugInNibWindow.h>
#include <TestDriver/ToolboxDriver.h>

#include <CFDictionary.h>
#include <CFRef.h>
#include <MacErrors.h>

#include <QTreeView>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DataBrowserPropertyID kNameColumn = FOUR_CHAR_CODE("NAME");
constexpr DataBrowserPropertyID kNumberColumn = FOUR_CHAR_CODE("PHNM");

struct ListViewCase {
    const char* windowName;
    const ControlID* controlID;
    const BrowseListViewIniData* iniData;
    int addressTab = 0; // the address window's tab that holds the list
};

const ListViewCase kListViews[] = {
    {"FaxSettings", &recipientListTableViewCtrlID, &recipientListTableViewIniData},
    {"AddressBook", &AddressBookSrcTableViewCtrlID, &addressBookSrcTableViewIniData, 1},
    {"AddressBook", &AddressBookDestTableViewCtrlID, &addressBookDestTableViewIniData, 1},
    {"AddressBook", &DeviceDataSrcTableViewCtrlID, &deviceDataSrcTableViewIniData, 2},
    {"AddressBook", &DeviceDataDestTableViewCtrlID, &deviceDataDestTableViewIniData, 2},
    {"GroupProperty", &GroupPropertyMemberTableViewCtrlID, &GroupPropertyMemberTableViewIniData},
};

CFRef<CFStringRef> cfString(const char* text) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8));
}

std::string text(CFStringRef string) {
    char buffer[256] = {};
    return CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8) ? buffer : "";
}

CFDictionaryRef entryAt(ControlRef browser, DataBrowserItemID item) {
    const auto* view = static_cast<const CBrowserListView*>(GetControlReference(browser));
    return view ? static_cast<CFDictionaryRef>(
                      CFArrayGetValueAtIndex(view->GetItems(), CFIndex(item) - 1))
                : nullptr;
}

CFStringRef nameOf(CFDictionaryRef entry) {
    return static_cast<CFStringRef>(CFDictionaryGetValue(entry, CFSTR("NAME")));
}

// The window's callbacks: a row shows the name and number of its entry, which they reach
// through the list view stored as the control's reference; names sort without regard to case.
OSStatus entryData(ControlRef browser, DataBrowserItemID item, DataBrowserPropertyID property,
                   DataBrowserItemDataRef data, Boolean setValue) {
    if (setValue) return errDataBrowserPropertyNotSupported;
    CFDictionaryRef entry = entryAt(browser, item);
    if (!entry) return errDataBrowserItemNotFound;
    if (property == kDataBrowserItemIsSelectableProperty)
        return SetDataBrowserItemDataBooleanValue(data, true);
    if (property != kNameColumn && property != kNumberColumn)
        return errDataBrowserPropertyNotSupported;
    return SetDataBrowserItemDataText(
        data, static_cast<CFStringRef>(CFDictionaryGetValue(
                  entry, property == kNameColumn ? CFSTR("NAME") : CFSTR("PHNM"))));
}

Boolean nameOrder(ControlRef browser, DataBrowserItemID one, DataBrowserItemID two,
                  DataBrowserPropertyID) {
    return CFStringCompare(nameOf(entryAt(browser, one)), nameOf(entryAt(browser, two)),
                           kCFCompareCaseInsensitive) == kCFCompareLessThan;
}

class ListViewTest : public testing::TestWithParam<ListViewCase> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.get());
        if (GetParam().addressTab) {
            ASSERT_TRUE(ToolboxDriver::pickTab(window.get(), AddressSettingTabViewCtrlID,
                                               GetParam().addressTab));
        }
        ASSERT_TRUE(view.InitializeCtrl(window.get(), nullptr, faxPlugInBundle(), nullptr));
        ASSERT_TRUE(view.SetDataCallBack(&callbacks));
    }

    // Appends {"NAME": name, "PHNM": number} entries with one AddItems call.
    void add(const std::vector<AddressText>& entries) {
        view.AddItems(CreateAddressEntries(entries).get());
    }

    QStringList shown(DataBrowserPropertyID column = kNameColumn) const {
        return ToolboxDriver::rowTexts(window.get(), id(), column);
    }
    bool select(DataBrowserItemID item, bool extend = false) const {
        return ToolboxDriver::selectRow(window.get(), id(), item, extend);
    }
    // The names of CopySelectedItems, in its order.
    std::vector<std::string> copiedNames() {
        CFRef<CFMutableArrayRef> copied(view.CopySelectedItems());
        std::vector<std::string> names;
        for (CFIndex i = 0; copied && i < CFArrayGetCount(copied.get()); ++i)
            names.push_back(text(
                nameOf(static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(copied.get(), i)))));
        return names;
    }
    void sortByName(int headerClicks) const {
        for (int click = 0; click < headerClicks; ++click)
            ASSERT_TRUE(ToolboxDriver::clickColumnHeader(window.get(), id(), kNameColumn));
    }
    const ControlID& id() const { return *GetParam().controlID; }
    // Whether the first row is shown active (usable).
    bool firstRowActive() const {
        auto* list = qobject_cast<QTreeView*>(window.widget(id()));
        return list && (list->model()->index(0, 0).flags() & Qt::ItemIsEnabled);
    }

    static DataBrowserCallbacks makeCallbacks() {
        DataBrowserCallbacks made{};
        made.version = kDataBrowserLatestCallbacks;
        InitDataBrowserCallbacks(&made);
        made.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(entryData);
        made.u.v1.itemCompareCallback = NewDataBrowserItemCompareUPP(nameOrder);
        return made;
    }

    DataBrowserCallbacks callbacks = makeCallbacks();
    CFRef<CFStringRef> windowName = cfString(GetParam().windowName);
    PlugInNibWindow window{faxPlugInBundle(), windowName.get()};
    CBrowserListView view{GetParam().controlID, GetParam().iniData, nullptr, nullptr};
};

QString columnTitle(ControlRef browser, DataBrowserPropertyID column) {
    DataBrowserListViewHeaderDesc header{};
    header.version = kDataBrowserListViewLatestHeaderDesc;
    if (GetDataBrowserListViewHeaderDesc(browser, column, &header) != noErr) return {};
    return QString::fromStdString(text(header.titleString));
}

void setColumnTitle(ControlRef browser, DataBrowserPropertyID column, const char* title) {
    DataBrowserListViewHeaderDesc header{};
    header.version = kDataBrowserListViewLatestHeaderDesc;
    GetDataBrowserListViewHeaderDesc(browser, column, &header);
    const CFRef<CFStringRef> string = cfString(title);
    header.titleString = string.get();
    SetDataBrowserListViewHeaderDesc(browser, column, &header);
}

TEST_P(ListViewTest, BindingTakesTheControlsReferenceOnlyWhileItLives) {
    ControlRef browser = view.GetControlHandle();
    EXPECT_EQ(&view, GetControlReference(browser));
    {
        const BrowseListColumn memoColumn[] = {{FOUR_CHAR_CODE("MEMO"), CFSTR("Memo Title")},
                                               {kBrowseListColumnsEnd, nullptr}};
        const BrowseListViewIniData memoIniData = {{0, 0, 0}, memoColumn};
        CBrowserListView memoList(GetParam().controlID, &memoIniData, nullptr, nullptr);
        EXPECT_FALSE(memoList.InitializeCtrl(window.get(), nullptr, faxPlugInBundle(), nullptr))
            << "the nib's list has no memo column to title";
        EXPECT_EQ(&view, GetControlReference(browser)) << "the default callbacks leave it";
        EXPECT_TRUE(memoList.SetDataCallBack(&callbacks));
        EXPECT_EQ(&memoList, GetControlReference(browser));
    }
    EXPECT_EQ(nullptr, GetControlReference(browser)) << "cleared by the list that held it";
}

TEST_P(ListViewTest, RowIdsFollowTheItemsAndASelectionIsRemovedInEitherOrder) {
    add({{"Ann", "1"}, {"Bob", "2"}});
    add({{"Cid", "3"}, {"Dan", "4"}});
    EXPECT_EQ(4, view.CountItems());
    EXPECT_EQ((QStringList{"Ann", "Bob", "Cid", "Dan"}), shown());
    EXPECT_EQ((QStringList{"1", "2", "3", "4"}), shown(kNumberColumn));
    ASSERT_TRUE(select(2));
    EXPECT_EQ(std::vector<std::string>{"Bob"}, copiedNames());

    ASSERT_TRUE(select(1)); // increasing: Ann then Cid
    ASSERT_TRUE(select(3, true));
    testing::internal::CaptureStderr();
    view.RemoveSelectedItems();
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    EXPECT_EQ((QStringList{"Bob", "Dan"}), shown());

    add({{"Eve", "5"}});
    sortByName(2); // decreasing: Eve, Dan, Bob
    ASSERT_TRUE(select(3));
    ASSERT_TRUE(select(1, true));
    view.RemoveSelectedItems();
    EXPECT_EQ(1, view.CountItems());
    EXPECT_EQ(QStringList{"Dan"}, shown());
    ASSERT_TRUE(select(1));
    EXPECT_EQ(std::vector<std::string>{"Dan"}, copiedNames()) << "the former second row is 1";
}

TEST_P(ListViewTest, TheValueIsTheFirstSelectedRow) {
    EXPECT_EQ(nullptr, view.CopySelectedItems()) << "an empty list has no selection";
    add({{"Ann", "1"}, {"Bob", "2"}, {"Cid", "3"}});
    ASSERT_TRUE(select(2));
    EXPECT_NE(nullptr, view.GetValueFromUI());
    EXPECT_EQ(1, view.GetCurrentControlArrayNumber());

    ASSERT_TRUE(ToolboxDriver::deselectRow(window.get(), id(), 2));
    EXPECT_EQ(nullptr, view.CopySelectedItems());
    EXPECT_EQ(nullptr, view.GetValueFromUI());
    EXPECT_EQ(-1, view.GetCurrentControlArrayNumber());
    view.RemoveSelectedItems();
    EXPECT_EQ(3, view.CountItems());
    EXPECT_TRUE(view.SetValueFromUIToControl());
    char stored[256] = {};
    ASSERT_TRUE(view.ConvertToPreferenceString(stored));
    EXPECT_STREQ("2", stored) << "the UI value kept the last selection";

    char three[] = "3";
    ASSERT_TRUE(view.ConvertFromPreferenceString(three));
    EXPECT_TRUE(view.SetControlValueToUI());
    EXPECT_EQ(std::vector<std::string>{"Cid"}, copiedNames());
    DataBrowserItemID none = 0;
    EXPECT_TRUE(view.SetExternalValueToUI(&none, 0));
    EXPECT_EQ(nullptr, view.CopySelectedItems());

    view.ClearItems();
    view.ClearItems();
    EXPECT_EQ(0, view.CountItems());
    EXPECT_TRUE(shown().isEmpty());
}

TEST_P(ListViewTest, DisablingTwiceAndEnablingOnceLeavesTheRowsInactive) {
    add({{"Ann", "1"}, {"Bob", "2"}});
    view.Disable();
    view.Disable();
    view.Enable();
    EXPECT_FALSE(IsControlActive(view.GetControlHandle()));
    EXPECT_FALSE(firstRowActive());
    EXPECT_FALSE(select(1));
    view.Enable();
    EXPECT_TRUE(firstRowActive());
    EXPECT_TRUE(select(1));

    view.Disable();
    view.ResetStatus();
    EXPECT_TRUE(select(2));
    int* ids = nullptr;
    ASSERT_EQ(2, view.GetDisableList(&ids));
    EXPECT_EQ((std::vector<int>{1, 2}), std::vector<int>(ids, ids + 2));
    delete[] ids;
}

TEST_P(ListViewTest, ClickingTheNameHeaderSortsByNameAndReversesIt) {
    add({{"carol", "3"}, {"Alice", "1"}, {"bob", "2"}});
    sortByName(1);
    EXPECT_EQ((QStringList{"Alice", "bob", "carol"}), shown());
    EXPECT_EQ((QStringList{"1", "2", "3"}), shown(kNumberColumn));
    sortByName(1);
    EXPECT_EQ((QStringList{"carol", "bob", "Alice"}), shown());
    for (DataBrowserItemID item : {1u, 2u, 3u})
        ASSERT_TRUE(select(item, true));
    EXPECT_EQ((std::vector<std::string>{"carol", "bob", "Alice"}), copiedNames())
        << "in the order shown";
}

TEST_P(ListViewTest, TheRebuiltWindowGetsItsTitlesAndRowsAgain) {
    add({{"Ann", "1"}, {"Bob", "2"}});
    PlugInNibWindow rebuilt(faxPlugInBundle(), windowName.get());
    ControlRef browser = rebuilt.control(id());
    ASSERT_TRUE(browser);
    setColumnTitle(browser, kNumberColumn, "Number");
    ASSERT_TRUE(view.ReInitializeCtrl(rebuilt.get()));
    EXPECT_EQ("Fax Number", columnTitle(browser, kNumberColumn));
    DataBrowserSortOrder order = 0;
    GetDataBrowserSortOrder(browser, &order);
    EXPECT_EQ(kDataBrowserOrderDecreasing, order);
    ASSERT_TRUE(view.SetDataCallBack(&callbacks));
    EXPECT_EQ((QStringList{"Ann", "Bob"}),
              ToolboxDriver::rowTexts(rebuilt.get(), id(), kNameColumn));
}

INSTANTIATE_TEST_SUITE_P(NibLists, ListViewTest, testing::ValuesIn(kListViews),
                         [](const testing::TestParamInfo<ListViewCase>& info) {
                             return info.param.windowName +
                                    std::to_string(info.param.controlID->id);
                         });

} // namespace
