#include "EntryTableModel.h"

#include <algorithm>

void EntryTableModel::setEntries(std::vector<BookEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int EntryTableModel::rowOf(SInt16 id) const {
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), id,
                         [](const BookEntry& entry, SInt16 key) { return entry.id < key; });
    return found != entries_.end() && found->id == id ? int(found - entries_.begin()) : -1;
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= entries_.size()) return {};
    const BookEntry& entry = entries_[size_t(index.row())];
    if (role == Qt::UserRole) return entry.id;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (index.column()) {
    case Name:
        return entry.name;
    case Number:
        return entry.number;
    case Company:
        return entry.company;
    case Memo:
        return role == Qt::DisplayRole ? entry.memo.section(u'\n', 0, 0) : entry.memo;
    }
    return {};
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Name:
        return tr("Name");
    case Number:
        return tr("Fax Number");
    case Company:
        return tr("Company");
    case Memo:
        return tr("Memo");
    }
    return {};
}
