// A book's entries as a table: name, fax number, company, memo. Each row's entry Id is its
// Qt::UserRole data.
#pragma once

#include "AddressBook.h"

#include <QAbstractTableModel>

class EntryTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name, Number, Company, Memo, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(std::vector<BookEntry> entries); // in Id order, as a book gives them
    const BookEntry& entryAt(int row) const { return entries_[size_t(row)]; }
    // The row of the entry, or -1.
    int rowOf(SInt16 id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    std::vector<BookEntry> entries_;
};
