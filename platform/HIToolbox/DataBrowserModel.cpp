#include "Private/DataBrowserModel.h"
#include "MacErrors.h"
#include "Private/StringBridge.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <unordered_set>

namespace {

// Four characters, padded with spaces: "NAME" -> 'NAME'.
DataBrowserPropertyID propertyCode(const QString& text) {
    const QByteArray bytes = text.left(4).toLatin1();
    DataBrowserPropertyID code = 0;
    for (int i = 0; i < 4; ++i)
        code = (code << 8) | UInt8(i < bytes.size() ? bytes[i] : ' ');
    return code;
}

// A stable merge sort that stays within bounds whatever the comparison answers (callbacks
// need not give a strict weak ordering).
template <class Less> void mergeSort(std::vector<DataBrowserItemID>& items, Less less) {
    std::vector<DataBrowserItemID> buffer(items.size());
    for (size_t width = 1; width < items.size(); width *= 2) {
        for (size_t left = 0; left < items.size(); left += 2 * width) {
            const size_t middle = std::min(left + width, items.size());
            const size_t right = std::min(left + 2 * width, items.size());
            size_t i = left, j = middle, out = left;
            while (i < middle && j < right)
                buffer[out++] = less(items[j], items[i]) ? items[j++] : items[i++];
            while (i < middle)
                buffer[out++] = items[i++];
            while (j < right)
                buffer[out++] = items[j++];
        }
        items.swap(buffer);
    }
}

} // namespace

DataBrowserModel::DataBrowserModel(ControlRef control, QTreeView* view)
    : QAbstractTableModel(view), control_(control), view_(view) {
    for (const QString& entry : view->property("columns").toStringList()) {
        Column column;
        column.property = propertyCode(entry.section(u'=', 0, 0));
        column.title.reset(hitoolbox::createCFString(entry.section(u'=', 1)));
        column.header.titleString = column.title.get();
        column.header.initialOrder = kDataBrowserOrderIncreasing;
        columns_.push_back(std::move(column));
    }
    view->setModel(this);
    view->setRootIsDecorated(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->header()->setSectionsClickable(true);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataBrowserModel::selectionChanged);
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) notify(rows_[size_t(index.row())], kDataBrowserItemDoubleClicked);
    });
    connect(view->header(), &QHeaderView::sectionClicked, this, &DataBrowserModel::sortByColumn);
    // Columns fit the rows shown, measured anew after refills, resizes and scrolling: measuring
    // every row of a long list would slow each search keystroke several times over.
    view->viewport()->installEventFilter(this);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &DataBrowserModel::fitColumnsSoon);
}

bool DataBrowserModel::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Resize) fitColumnsSoon();
    return false;
}

// Once the current event is handled, so that the changes it makes are measured together.
void DataBrowserModel::fitColumnsSoon() {
    if (fitPending_) return;
    fitPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fitPending_ = false;
            fitColumns();
        },
        Qt::QueuedConnection);
}

void DataBrowserModel::fitColumns() {
    QHeaderView* header = view_->header();
    const int last = header->count() - 1;
    int room = view_->viewport()->width() - header->sectionSizeHint(last);
    for (int column = 0; column < last; ++column) {
        const int wanted = std::max(widestShown(column), header->sectionSizeHint(column));
        header->resizeSection(column,
                              std::max(std::min(wanted, room), header->minimumSectionSize()));
        room -= header->sectionSize(column);
    }
}

int DataBrowserModel::widestShown(int column) const {
    const int bottom = view_->viewport()->height();
    int widest = 0;
    for (QModelIndex index = view_->indexAt(QPoint(0, 0)); index.isValid();
         index = view_->indexBelow(index)) {
        if (view_->visualRect(index).top() > bottom) break;
        widest = std::max(widest, view_->sizeHintForIndex(index.siblingAtColumn(column)).width());
    }
    return widest;
}

int DataBrowserModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int DataBrowserModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, int(columns_.size())); // rows need a cell
}

OSStatus DataBrowserModel::askCell(DataBrowserItemID id, DataBrowserPropertyID property,
                                   DataBrowserCell& cell) const {
    auto callback = callbacks.u.v1.itemDataCallback;
    if (!callback || !hitoolbox::liveControl(control_)) return errDataBrowserPropertyNotSupported;
    return callback(control_, id, property, &cell, false);
}

QVariant DataBrowserModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::UserRole && index.isValid()) return uint(rows_[size_t(index.row())]);
    if (role != Qt::DisplayRole || !index.isValid() || size_t(index.column()) >= columns_.size())
        return {};
    DataBrowserCell cell;
    askCell(rows_[size_t(index.row())], columns_[size_t(index.column())].property, cell);
    return cell.text;
}

QVariant DataBrowserModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= columns_.size())
        return {};
    if (role == Qt::UserRole) return uint(columns_[size_t(section)].property);
    if (role != Qt::DisplayRole) return {};
    return hitoolbox::toQString(columns_[size_t(section)].title.get());
}

Qt::ItemFlags DataBrowserModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !itemsActive_) return Qt::NoItemFlags;
    DataBrowserCell cell;
    const bool selectable =
        askCell(rows_[size_t(index.row())], kDataBrowserItemIsSelectableProperty, cell) != noErr ||
        !cell.hasBoolean || cell.boolean;
    return Qt::ItemIsEnabled | (selectable ? Qt::ItemIsSelectable : Qt::NoItemFlags);
}

void DataBrowserModel::rebuild() {
    const std::vector<DataBrowserItemID> selected = itemsInState(kDataBrowserItemIsSelected);
    ++quiet_;
    beginResetModel();
    rows_ = added_;
    auto compare = callbacks.u.v1.itemCompareCallback;
    if (sortProperty != kDataBrowserItemNoProperty && compare && hitoolbox::liveControl(control_))
        mergeSort(rows_, [&](DataBrowserItemID a, DataBrowserItemID b) {
            return sortOrder == kDataBrowserOrderDecreasing
                       ? bool(compare(control_, b, a, sortProperty))
                       : bool(compare(control_, a, b, sortProperty));
        });
    for (size_t row = 0; row < rows_.size(); ++row)
        rowOfId_[rows_[row]] = int(row);
    endResetModel();
    fitColumnsSoon();
    if (!selected.empty()) changeSelection(selected, kDataBrowserItemsAssign);
    --quiet_;
}

void DataBrowserModel::addItems(const std::vector<DataBrowserItemID>& ids) {
    for (DataBrowserItemID id : ids)
        if (id != kDataBrowserNoItem && rowOfId_.emplace(id, -1).second) added_.push_back(id);
    rebuild();
}

void DataBrowserModel::removeItems(const std::vector<DataBrowserItemID>& ids) {
    const std::unordered_set<DataBrowserItemID> going(ids.begin(), ids.end());
    auto isGoing = [&](DataBrowserItemID id) { return ids.empty() || going.contains(id); };
    std::vector<DataBrowserItemID> deselected = itemsInState(kDataBrowserItemIsSelected);
    std::erase_if(deselected, [&](DataBrowserItemID id) { return !isGoing(id); });
    if (!deselected.empty()) changeSelection(deselected, kDataBrowserItemsRemove); // notifies
    std::erase_if(added_, isGoing);
    if (ids.empty())
        rowOfId_.clear();
    else
        for (DataBrowserItemID id : ids)
            rowOfId_.erase(id);
    rebuild();
}

void DataBrowserModel::refresh() {
    rebuild();
}

void DataBrowserModel::setItemsActive(bool active) {
    itemsActive_ = active;
    rebuild();
}

std::vector<int> DataBrowserModel::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<DataBrowserItemID> DataBrowserModel::itemsInState(DataBrowserItemState state) const {
    if (state == kDataBrowserItemAnyState) return rows_;
    const std::vector<int> selected = selectedRows();
    std::vector<DataBrowserItemID> ids;
    if (state & kDataBrowserItemIsSelected) {
        for (int row : selected)
            ids.push_back(rows_[size_t(row)]);
        return ids;
    }
    auto next = selected.begin();
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (next != selected.end() && size_t(*next) == row)
            ++next;
        else
            ids.push_back(rows_[row]);
    }
    return ids;
}

int DataBrowserModel::rowOf(DataBrowserItemID id) const {
    auto found = rowOfId_.find(id);
    return found == rowOfId_.end() ? -1 : found->second;
}

void DataBrowserModel::changeSelection(const std::vector<DataBrowserItemID>& ids,
                                       DataBrowserSetOption option) {
    std::vector<int> shown;
    for (DataBrowserItemID id : ids)
        if (const int row = rowOf(id); row >= 0) shown.push_back(row);
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    QItemSelection rows; // one range per run of adjacent rows
    for (size_t first = 0, last = 0; first < shown.size(); first = ++last) {
        while (last + 1 < shown.size() && shown[last + 1] == shown[last] + 1)
            ++last;
        rows.select(index(shown[first], 0), index(shown[last], columnCount() - 1));
    }
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::Rows;
    switch (option) {
    case kDataBrowserItemsAssign:
        flags |= QItemSelectionModel::ClearAndSelect;
        break;
    case kDataBrowserItemsToggle:
        flags |= QItemSelectionModel::Toggle;
        break;
    case kDataBrowserItemsRemove:
        flags |= QItemSelectionModel::Deselect;
        break;
    default:
        flags |= QItemSelectionModel::Select;
        break;
    }
    view_->selectionModel()->select(rows, flags);
}

DataBrowserModel::Column* DataBrowserModel::column(DataBrowserPropertyID property) {
    auto found = std::find_if(columns_.begin(), columns_.end(),
                              [&](const Column& column) { return column.property == property; });
    return found == columns_.end() ? nullptr : &*found;
}

void DataBrowserModel::sortByColumn(int section) {
    if (section < 0 || size_t(section) >= columns_.size()) return;
    const DataBrowserPropertyID property = columns_[size_t(section)].property;
    if (property == sortProperty)
        sortOrder = sortOrder == kDataBrowserOrderDecreasing ? kDataBrowserOrderIncreasing
                                                             : kDataBrowserOrderDecreasing;
    else
        sortOrder = kDataBrowserOrderIncreasing;
    sortProperty = property;
    view_->header()->setSortIndicator(section, sortOrder == kDataBrowserOrderDecreasing
                                                   ? Qt::DescendingOrder
                                                   : Qt::AscendingOrder);
    rebuild();
}

void DataBrowserModel::notify(DataBrowserItemID id, DataBrowserItemNotification message) const {
    if (auto callback = callbacks.u.v1.itemNotificationCallback;
        callback && hitoolbox::liveControl(control_))
        callback(control_, id, message);
}

void DataBrowserModel::selectionChanged(const QItemSelection& selected,
                                        const QItemSelection& deselected) {
    if (quiet_) return;
    auto report = [this](const QItemSelection& rows, DataBrowserItemNotification message) {
        std::vector<DataBrowserItemID> ids;
        for (const QModelIndex& index : rows.indexes())
            if (index.column() == 0) ids.push_back(rows_[size_t(index.row())]);
        for (DataBrowserItemID id : ids)
            notify(id, message);
    };
    report(deselected, kDataBrowserItemDeselected);
    report(selected, kDataBrowserItemSelected);
}
