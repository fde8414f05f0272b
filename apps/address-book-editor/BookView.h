// The open book: its entries (sortable by column, searched by name as the address look-up
// window does: a case-insensitive part of the name) and its groups with their members, and
// the actions that change them. Every change goes through the session, so it can be undone.
#pragma once

#include "BookSession.h"
#include "EntryTableModel.h"

#include <QSortFilterProxyModel>
#include <QWidget>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;

class BookView : public QWidget {
    Q_OBJECT
  public:
    BookView(BookSession* session, QWidget* parent = nullptr);

    QAction* newEntryAction() const { return newEntry_; }
    QAction* editEntryAction() const { return editEntry_; }
    QAction* deleteEntriesAction() const { return deleteEntries_; }
    QAction* newGroupAction() const { return newGroup_; }
    // The Ids of the chosen entries, in the order shown.
    QList<SInt16> selectedEntries() const;
    // Shows and chooses the entry.
    void showEntry(SInt16 id);
    // Narrows the entries shown to those whose name holds the text.
    void search(const QString& text);

  private:
    void refresh();
    void updateActions();
    void addEntry();
    void editEntry();
    // OK in the dialog writes the entry (a new one when its Id is 0) as one undoable change.
    void openEntryDialog(const QString& title, const BookEntry& entry);
    void deleteEntries();
    void addGroup();
    void renameGroup();
    void deleteGroup();
    void addToGroup();
    void removeFromGroup();
    void showMembers();
    const BookGroup* currentGroup() const;
    void changeGroup(const QString& description, BookGroup group);
    void report(const ChangeOutcome& outcome);

    BookSession* session_;
    EntryTableModel model_;
    QSortFilterProxyModel filter_;
    QLineEdit* searchField_;
    QTableView* table_;
    QListWidget* groups_;
    QListWidget* members_;
    QAction* newEntry_;
    QAction* editEntry_;
    QAction* deleteEntries_;
    QAction* newGroup_;
    QPushButton* renameGroup_;
    QPushButton* deleteGroup_;
    QPushButton* addToGroup_;
    QPushButton* removeFromGroup_;
};
