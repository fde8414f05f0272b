// The list view on the fax settings sheet's recipient list, driven as the user drives it: row ids
// follow the items, a selection is removed whatever order it is reported in, the value is the
// first selected row, and counted disabling leaves the rows inactive.
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

#include <vector>

namespace {

constexpr DataBrowserPropertyID kNameColumn = FOUR_CHAR_CODE("NAME");
const ControlID& kListID = recipientListTableViewCtrlID;

CFStringRef nameOf(ControlRef browser, DataBrowserItemID item) {
    const auto* view = static_cast<const CBrowserListView*>(GetControlReference(browser));
    const auto entry = view ? static_cast<CFDictionaryRef>(
                                  CFArrayGetValueAtIndex(view->GetItems(), CFIndex(item) - 1))
                            : nullptr;
    return entry ? static_cast<CFStringRef>(CFDictionaryGetValue(entry, CFSTR("NAME"))) : nullptr;
}

// The window's callbacks: a row shows the name of its entry, which they reach through the list
// view stored as the control's reference, and rows sort by name.
OSStatus entryData(ControlRef browser, DataBrowserItemID item, DataBrowserPropertyID property,
                   DataBrowserItemDataRef data, Boolean setValue) {
    if (setValue) return errDataBrowserPropertyNotSupported;
    if (property == kDataBrowserItemIsSelectableProperty)
        return SetDataBrowserItemDataBooleanValue(data, true);
    CFStringRef name = property == kNameColumn ? nameOf(browser, item) : nullptr;
    return name ? SetDataBrowserItemDataText(data, name) : errDataBrowserPropertyNotSupported;
}

Boolean nameOrder(ControlRef browser, DataBrowserItemID one, DataBrowserItemID two,
                  DataBrowserPropertyID) {
    return CFStringCompare(nameOf(browser, one), nameOf(browser, two), 0) == kCFCompareLessThan;
}

DataBrowserCallbacks makeCallbacks() {
    DataBrowserCallbacks made{};
    made.version = kDataBrowserLatestCallbacks;
    InitDataBrowserCallbacks(&made);
    made.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(entryData);
    made.u.v1.itemCompareCallback = NewDataBrowserItemCompareUPP(nameOrder);
    return made;
}

class ListViewTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.get());
        ASSERT_TRUE(view.InitializeCtrl(window.get(), nullptr, faxPlugInBundle(), nullptr));
        ASSERT_TRUE(view.SetDataCallBack(&callbacks));
    }
    void add(const std::vector<AddressText>& entries) {
        view.AddItems(CreateAddressEntries(entries).get());
    }
    QStringList shown() const {
        return ToolboxDriver::rowTexts(window.get(), kListID, kNameColumn);
    }
    bool select(DataBrowserItemID item, bool extend = false) const {
        return ToolboxDriver::selectRow(window.get(), kListID, item, extend);
    }
    bool firstRowActive() const {
        auto* list = qobject_cast<QTreeView*>(window.widget(kListID));
        return list && (list->model()->index(0, 0).flags() & Qt::ItemIsEnabled);
    }

    DataBrowserCallbacks callbacks = makeCallbacks();
    PlugInNibWindow window{faxPlugInBundle(), CFSTR("FaxSettings")};
    CBrowserListView view{&kListID, &recipientListTableViewIniData, nullptr, nullptr};
};

TEST_F(ListViewTest, BindingTakesTheControlsReferenceOnlyWhileItLives) {
    ControlRef browser = view.GetControlHandle();
    {
        const BrowseListColumn memoColumn[] = {{FOUR_CHAR_CODE("MEMO"), CFSTR("Memo Title")},
                                               {kBrowseListColumnsEnd, nullptr}};
        const BrowseListViewIniData memoIniData = {{0, 0, 0}, memoColumn};
        CBrowserListView memoList(&kListID, &memoIniData, nullptr, nullptr);
        EXPECT_FALSE(memoList.InitializeCtrl(window.get(), nullptr, faxPlugInBundle(), nullptr))
            << "the nib's list has no memo column to title";
        EXPECT_EQ(&view, GetControlReference(browser)) << "the default callbacks leave it";
        EXPECT_TRUE(memoList.SetDataCallBack(&callbacks));
        EXPECT_EQ(&memoList, GetControlReference(browser));
    }
    EXPECT_EQ(nullptr, GetControlReference(browser)) << "cleared by the list that held it";
}

TEST_F(ListViewTest, RowIdsFollowTheItemsAndASelectionIsRemovedInEitherOrder) {
    add({{"Ann", "1"}, {"Bob", "2"}});
    add({{"Cid", "3"}, {"Dan", "4"}});
    EXPECT_EQ((QStringList{"Ann", "Bob", "Cid", "Dan"}), shown());
    ASSERT_TRUE(select(1)); // increasing: Ann then Cid
    ASSERT_TRUE(select(3, true));
    view.RemoveSelectedItems();
    EXPECT_EQ((QStringList{"Bob", "Dan"}), shown());

    add({{"Eve", "5"}});
    for (int click = 0; click < 2; ++click) // decreasing: Eve, Dan, Bob
        ASSERT_TRUE(ToolboxDriver::clickColumnHeader(window.get(), kListID, kNameColumn));
    EXPECT_EQ((QStringList{"Eve", "Dan", "Bob"}), shown());
    ASSERT_TRUE(select(3));
    ASSERT_TRUE(select(1, true));
    view.RemoveSelectedItems();
    EXPECT_EQ(QStringList{"Dan"}, shown());
}

TEST_F(ListViewTest, TheValueIsTheFirstSelectedRowAndWithoutOneTheLastIsKept) {
    add({{"Ann", "1"}, {"Bob", "2"}, {"Cid", "3"}});
    ASSERT_TRUE(select(2));
    EXPECT_NE(nullptr, view.GetValueFromUI());
    EXPECT_EQ(1, view.GetCurrentControlArrayNumber());
    ASSERT_TRUE(ToolboxDriver::deselectRow(window.get(), kListID, 2));
    EXPECT_EQ(nullptr, view.GetValueFromUI());
    EXPECT_EQ(-1, view.GetCurrentControlArrayNumber());
    view.RemoveSelectedItems();
    EXPECT_EQ(3, view.CountItems());
    view.SetValueFromUIToControl();
    char stored[12] = {};
    ASSERT_TRUE(view.ConvertToPreferenceString(stored));
    EXPECT_STREQ("2", stored);
    char three[] = "3";
    ASSERT_TRUE(view.ConvertFromPreferenceString(three));
    EXPECT_TRUE(view.SetControlValueToUI());
    EXPECT_EQ(2, view.GetCurrentControlArrayNumber());
}

TEST_F(ListViewTest, DisablingTwiceAndEnablingOnceLeavesTheRowsInactiveUntilReset) {
    add({{"Ann", "1"}, {"Bob", "2"}});
    view.Disable();
    view.Disable();
    view.Enable();
    EXPECT_FALSE(IsControlActive(view.GetControlHandle()));
    EXPECT_FALSE(firstRowActive());
    EXPECT_FALSE(select(1));
    view.ResetStatus();
    EXPECT_TRUE(firstRowActive());
    EXPECT_TRUE(select(2));
    int* ids = nullptr;
    ASSERT_EQ(2, view.GetDisableList(&ids));
    EXPECT_EQ((std::vector<int>{1, 2}), std::vector<int>(ids, ids + 2));
    delete[] ids;
}

} // namespace
