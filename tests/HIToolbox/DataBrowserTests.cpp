// The data browser: sorting through a compare callback that gives no order, and removing
// selected rows.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <numeric>
#include <utility>

namespace {

constexpr DataBrowserPropertyID nameColumn = FOUR_CHAR_CODE("NAME");
constexpr DataBrowserPropertyID phoneColumn = FOUR_CHAR_CODE("PHNM");

// Row i shows name i - 1.
QStringList names;
std::vector<std::pair<DataBrowserItemID, DataBrowserItemNotification>> notifications;

OSStatus itemData(ControlRef, DataBrowserItemID item, DataBrowserPropertyID property,
                  DataBrowserItemDataRef data, Boolean setValue) {
    if (setValue || property != nameColumn) return errDataBrowserPropertyNotSupported;
    if (item < 1 || item > DataBrowserItemID(names.size())) return errDataBrowserItemNotFound;
    return SetDataBrowserItemDataText(
        data, cfString(names[qsizetype(item - 1)].toUtf8().constData()).get());
}

// Answers "less" for every pair, as callbacks do that treat missing entries as smaller.
Boolean alwaysLess(ControlRef, DataBrowserItemID, DataBrowserItemID, DataBrowserPropertyID) {
    return true;
}

void notification(ControlRef, DataBrowserItemID item, DataBrowserItemNotification message) {
    notifications.emplace_back(item, message);
}

class DataBrowserTest : public NibWindowTest {
  protected:
    void fill(QStringList shown) {
        names = std::move(shown);
        notifications.clear();
        window = openWindow();
        browser = control(window, "list", 13);
        DataBrowserCallbacks callbacks{};
        callbacks.version = kDataBrowserLatestCallbacks;
        ASSERT_EQ(noErr, InitDataBrowserCallbacks(&callbacks));
        callbacks.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(itemData);
        callbacks.u.v1.itemCompareCallback = NewDataBrowserItemCompareUPP(alwaysLess);
        callbacks.u.v1.itemNotificationCallback = NewDataBrowserItemNotificationUPP(notification);
        ASSERT_EQ(noErr, SetDataBrowserCallbacks(browser, &callbacks));
        std::vector<DataBrowserItemID> ids(size_t(names.size()));
        std::iota(ids.begin(), ids.end(), 1);
        ASSERT_EQ(noErr, AddDataBrowserItems(browser, kDataBrowserNoItem, UInt32(ids.size()),
                                             ids.data(), kDataBrowserItemNoProperty));
    }

    QStringList shown() const { return ToolboxDriver::rowTexts(window, id, nameColumn); }

    ItemCount selectedCount() const {
        ItemCount count = 0;
        EXPECT_EQ(noErr, GetDataBrowserItemCount(browser, kDataBrowserNoItem, false,
                                                 kDataBrowserItemIsSelected, &count));
        return count;
    }

    WindowRef window = nullptr;
    ControlRef browser = nullptr;
    const ControlID id = controlID("list", 13);
};

TEST_F(DataBrowserTest, SortingWithACompareCallbackThatGivesNoOrderKeepsEveryRow) {
    QStringList many;
    for (int i = 0; i < 40; ++i) // more than a sort's insertion-sort threshold
        many.push_back(QString::number(i));
    fill(many);
    many.sort();
    for (DataBrowserPropertyID column : {nameColumn, nameColumn, phoneColumn}) {
        ASSERT_TRUE(ToolboxDriver::clickColumnHeader(window, id, column));
        QStringList rows = shown();
        rows.sort();
        EXPECT_EQ(many, rows);
    }
}

TEST_F(DataBrowserTest, RemovingSelectedRowsDeselectsThemFirst) {
    fill({"carol", "Alice", "bob"});
    const DataBrowserItemID both[] = {1, 3};
    SetDataBrowserSelectedItems(browser, 2, both, kDataBrowserItemsAssign);
    notifications.clear();
    const DataBrowserItemID third[] = {3};
    ASSERT_EQ(noErr, RemoveDataBrowserItems(browser, kDataBrowserNoItem, 1, third,
                                            kDataBrowserItemNoProperty));
    EXPECT_EQ((std::vector<std::pair<DataBrowserItemID, DataBrowserItemNotification>>{
                  {3, kDataBrowserItemDeselected}}),
              notifications);
    EXPECT_EQ((QStringList{"carol", "Alice"}), shown());
    EXPECT_EQ(1u, selectedCount()); // the rest stays selected

    ASSERT_EQ(noErr, RemoveDataBrowserItems(browser, kDataBrowserNoItem, 0, nullptr,
                                            kDataBrowserItemNoProperty));
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(0u, selectedCount());
}

} // namespace
