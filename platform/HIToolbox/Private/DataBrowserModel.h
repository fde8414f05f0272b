// The item model of a data browser in list-view mode: its rows are item ids, its columns the
// list's properties. Every cell is asked of the item-data callback when Qt shows it; sorting
// asks the compare callback. Selection changes and double clicks become notifications.
// Every change of the rows is one model reset, and looking a row up by id is a hash look-up,
// so that lists of thousands of rows can be refilled while the user types. Every column but the
// last is as wide as the texts of the rows shown, as far as the list's width allows; the last
// takes the rest.
#pragma once

#include "../HIDataBrowser.h"
#include "ToolboxObjects.h"

#include <QAbstractTableModel>
#include <QItemSelection>

#include <unordered_map>

class QTreeView;

// What an item-data callback answers for one cell (a DataBrowserItemDataRef points to one).
struct DataBrowserCell {
    QString text;
    bool hasBoolean = false;
    Boolean boolean = false;
};

class DataBrowserModel : public QAbstractTableModel {
  public:
    struct Column {
        DataBrowserPropertyID property = 0;
        DataBrowserListViewHeaderDesc header{};
        CFRef<CFStringRef> title;
    };

    DataBrowserModel(ControlRef control, QTreeView* view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    DataBrowserCallbacks callbacks{};
    DataBrowserPropertyID sortProperty = kDataBrowserItemNoProperty;
    DataBrowserSortOrder sortOrder = kDataBrowserOrderIncreasing;

    void addItems(const std::vector<DataBrowserItemID>& ids);
    void removeItems(const std::vector<DataBrowserItemID>& ids); // every row when empty
    void refresh();                                              // cells anew, sorted again
    void setItemsActive(bool active);
    // Ids of the rows in the state (selected, not selected, or any), in the order shown.
    std::vector<DataBrowserItemID> itemsInState(DataBrowserItemState state) const;
    void changeSelection(const std::vector<DataBrowserItemID>& ids, DataBrowserSetOption option);
    Column* column(DataBrowserPropertyID property);
    // A click on a column's header: sort by it, or reverse the order when it already sorts.
    void sortByColumn(int section);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fitColumnsSoon();
    void fitColumns();
    int widestShown(int column) const; // the widest text of the column in the rows shown
    // Rebuilds the rows (add order, then sorted), keeping the selection without notifying.
    void rebuild();
    void notify(DataBrowserItemID id, DataBrowserItemNotification message) const;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    int rowOf(DataBrowserItemID id) const; // -1 when the id is not shown
    std::vector<int> selectedRows() const; // increasing
    OSStatus askCell(DataBrowserItemID id, DataBrowserPropertyID property,
                     DataBrowserCell& cell) const;

    ControlRef control_;
    QTreeView* view_;
    std::vector<Column> columns_;
    std::vector<DataBrowserItemID> added_; // in add order
    std::vector<DataBrowserItemID> rows_;  // as shown
    // Every added id -> its index into rows_ (-1 until the rows are rebuilt).
    std::unordered_map<DataBrowserItemID, int> rowOfId_;
    bool itemsActive_ = true;
    int quiet_ = 0; // > 0 while selection changes are the model's own
    bool fitPending_ = false;
};
