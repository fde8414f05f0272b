// The data browser: cells from the data callback, sorting through the compare callback,
// selection order and notifications, removal and column headers.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <utility>

namespace {

constexpr DataBrowserPropertyID nameColumn = FOUR_CHAR_CODE("NAME");
constexpr DataBrowserPropertyID phoneColumn = FOUR_CHAR_CODE("PHNM");

// Row i shows entry i - 1; the compare callback orders names without regard to case.
std::vector<std::pair<QString, QString>> entries;
std::vector<std::pair<DataBrowserItemID, DataBrowserItemNotification>> notifications;
int compareCalls = 0;

OSStatus itemData(ControlRef, DataBrowserItemID item, DataBrowserPropertyID property,
                  DataBrowserItemDataRef data, Boolean setValue) {
    if (setValue) return errDataBrowserPropertyNotSupported;
    if (item < 1 || item > entries.size()) return errDataBrowserItemNotFound;
    const auto& [name, phone] = entries[item - 1];
    if (property == kDataBrowserItemIsSelectableProperty)
        return SetDataBrowserItemDataBooleanValue(data, !name.startsWith("locked"));
    if (property != nameColumn && property != phoneColumn)
        return errDataBrowserPropertyNotSupported;
    const QByteArray text = (property == nameColumn ? name : phone).toUtf8();
    CFRef<CFStringRef> string = cfString(text.constData());
    return SetDataBrowserItemDataText(data, string.get());
}

Boolean compareNames(ControlRef, DataBrowserItemID one, DataBrowserItemID two,
                     DataBrowserPropertyID property) {
    ++compareCalls;
    if (property != nameColumn) return one < two;
    return entries[one - 1].first.compare(entries[two - 1].first, Qt::CaseInsensitive) < 0;
}

void notification(ControlRef, DataBrowserItemID item, DataBrowserItemNotification message) {
    notifications.emplace_back(item, message);
}

class DataBrowserTest : public NibWindowTest {
  protected:
    void SetUp() override {
        entries = {{"carol", "3"}, {"Alice", "1"}, {"bob", "2"}};
        notifications.clear();
        compareCalls = 0;
        window = openWindow();
        browser = control(window, "list", 13);
        DataBrowserCallbacks callbacks{};
        callbacks.version = kDataBrowserLatestCallbacks;
        ASSERT_EQ(noErr, InitDataBrowserCallbacks(&callbacks));
        callbacks.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(itemData);
        callbacks.u.v1.itemCompareCallback = NewDataBrowserItemCompareUPP(compareNames);
        callbacks.u.v1.itemNotificationCallback = NewDataBrowserItemNotificationUPP(notification);
        ASSERT_EQ(noErr, SetDataBrowserCallbacks(browser, &callbacks));
        const DataBrowserItemID ids[] = {1, 2, 3};
        ASSERT_EQ(noErr, AddDataBrowserItems(browser, kDataBrowserNoItem, 3, ids,
                                             kDataBrowserItemNoProperty));
    }

    QStringList names() const { return ToolboxDriver::rowTexts(window, id, nameColumn); }

    std::vector<DataBrowserItemID> selected() const {
        Handle items = NewHandle(0);
        EXPECT_EQ(noErr, GetDataBrowserItems(browser, kDataBrowserNoItem, false,
                                             kDataBrowserItemIsSelected, items));
        const auto* ids = reinterpret_cast<const DataBrowserItemID*>(*items);
        std::vector<DataBrowserItemID> result(ids, ids + GetHandleSize(items) /
                                                             Size(sizeof(DataBrowserItemID)));
        DisposeHandle(items);
        return result;
    }

    WindowRef window = nullptr;
    ControlRef browser = nullptr;
    const ControlID id = controlID("list", 13);
};

TEST_F(DataBrowserTest, CellsComeFromTheDataCallbackInAddOrder) {
    EXPECT_EQ((QStringList{"carol", "Alice", "bob"}), names());
    EXPECT_EQ((QStringList{"3", "1", "2"}), ToolboxDriver::rowTexts(window, id, phoneColumn));
    entries[0].first = "Carl";
    UpdateDataBrowserItems(browser, kDataBrowserNoItem, 0, nullptr, kDataBrowserItemNoProperty,
                           kDataBrowserItemNoProperty);
    EXPECT_EQ("Carl", names().front());
    EXPECT_EQ(0, compareCalls); // no sort property: no sorting
}

TEST_F(DataBrowserTest, HeaderClicksSortThroughTheCompareCallbackAndReverseIt) {
    EXPECT_TRUE(ToolboxDriver::clickColumnHeader(window, id, nameColumn));
    EXPECT_EQ((QStringList{"Alice", "bob", "carol"}), names());
    EXPECT_GT(compareCalls, 0);
    EXPECT_TRUE(ToolboxDriver::clickColumnHeader(window, id, nameColumn));
    EXPECT_EQ((QStringList{"carol", "bob", "Alice"}), names());
    DataBrowserSortOrder order = 0;
    GetDataBrowserSortOrder(browser, &order);
    EXPECT_EQ(kDataBrowserOrderDecreasing, order);
    EXPECT_TRUE(ToolboxDriver::clickColumnHeader(window, id, phoneColumn));
    EXPECT_EQ((QStringList{"carol", "Alice", "bob"}), names()); // by item id, increasing
}

TEST_F(DataBrowserTest, SelectedIdsComeInTheOrderShownWithNotifications) {
    EXPECT_TRUE(ToolboxDriver::selectRow(window, id, 1));
    EXPECT_TRUE(ToolboxDriver::selectRow(window, id, 3, true));
    EXPECT_EQ((std::vector<DataBrowserItemID>{1, 3}), selected());
    ASSERT_TRUE(ToolboxDriver::clickColumnHeader(window, id, nameColumn)); // Alice, bob, carol
    EXPECT_EQ((std::vector<DataBrowserItemID>{3, 1}), selected()) << "sorting keeps the selection";
    ItemCount count = 0;
    GetDataBrowserItemCount(browser, kDataBrowserNoItem, false, kDataBrowserItemIsSelected, &count);
    EXPECT_EQ(2u, count);
    EXPECT_TRUE(ToolboxDriver::deselectRow(window, id, 1));
    EXPECT_TRUE(ToolboxDriver::doubleClickRow(window, id, 2));
    EXPECT_EQ((std::vector<std::pair<DataBrowserItemID, DataBrowserItemNotification>>{
                  {1, kDataBrowserItemSelected},
                  {3, kDataBrowserItemSelected},
                  {1, kDataBrowserItemDeselected},
                  {2, kDataBrowserItemDoubleClicked}}),
              notifications);
    EXPECT_EQ(std::vector<DataBrowserItemID>{3}, selected());
}

TEST_F(DataBrowserTest, RemovingSelectedRowsDeselectsThemFirst) {
    const DataBrowserItemID both[] = {1, 3};
    SetDataBrowserSelectedItems(browser, 2, both, kDataBrowserItemsAssign);
    notifications.clear();
    const DataBrowserItemID third[] = {3};
    ASSERT_EQ(noErr, RemoveDataBrowserItems(browser, kDataBrowserNoItem, 1, third,
                                            kDataBrowserItemNoProperty));
    EXPECT_EQ((std::vector<std::pair<DataBrowserItemID, DataBrowserItemNotification>>{
                  {3, kDataBrowserItemDeselected}}),
              notifications);
    EXPECT_EQ((QStringList{"carol", "Alice"}), names());
    EXPECT_EQ(std::vector<DataBrowserItemID>{1}, selected()); // the rest stays selected

    ASSERT_EQ(noErr, RemoveDataBrowserItems(browser, kDataBrowserNoItem, 0, nullptr,
                                            kDataBrowserItemNoProperty));
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(selected().empty());
}

TEST_F(DataBrowserTest, InactiveOrUnselectableRowsCannotBeSelected) {
    entries[1].first = "locked Alice";
    UpdateDataBrowserItems(browser, kDataBrowserNoItem, 0, nullptr, kDataBrowserItemNoProperty,
                           kDataBrowserItemNoProperty);
    EXPECT_FALSE(ToolboxDriver::selectRow(window, id, 2));
    SetDataBrowserActiveItems(browser, false);
    EXPECT_FALSE(ToolboxDriver::selectRow(window, id, 1));
    SetDataBrowserActiveItems(browser, true);
    EXPECT_TRUE(ToolboxDriver::selectRow(window, id, 1));
}

TEST_F(DataBrowserTest, HeaderDescriptionsCarryTheColumnTitles) {
    DataBrowserListViewHeaderDesc header{};
    header.version = kDataBrowserListViewLatestHeaderDesc;
    ASSERT_EQ(noErr, GetDataBrowserListViewHeaderDesc(browser, phoneColumn, &header));
    EXPECT_EQ("Phone", qText(header.titleString));
    CFRef<CFStringRef> title = cfString("Fax Number");
    header.titleString = title.get();
    ASSERT_EQ(noErr, SetDataBrowserListViewHeaderDesc(browser, phoneColumn, &header));
    title.reset();
    ASSERT_EQ(noErr, GetDataBrowserListViewHeaderDesc(browser, phoneColumn, &header));
    EXPECT_EQ("Fax Number", qText(header.titleString));
    EXPECT_EQ(errDataBrowserPropertyNotFound,
              GetDataBrowserListViewHeaderDesc(browser, FOUR_CHAR_CODE("MEMO"), &header));
    EXPECT_EQ(errUnknownControl,
              GetDataBrowserListViewHeaderDesc(control(window, "okbt", 1), phoneColumn, &header));
}

} // namespace
