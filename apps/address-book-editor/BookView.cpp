#include "BookView.h"

#include "EntryDialog.h"
#include "FieldMessages.h"

#include <QAction>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QPushButton* buttonFor(QAction* action) {
    auto* button = new QPushButton(action->text());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
    button->setEnabled(action->isEnabled());
    return button;
}

QList<SInt16> members(const QList<SInt16>& list, const QList<SInt16>& added) {
    QList<SInt16> all = list;
    for (SInt16 id : added)
        if (!all.contains(id)) all += id;
    return all;
}

QString tooManyMembers() {
    return BookView::tr("A group has room for at most %1 members.")
        .arg(int(kQrolMyFaxGroupMemberRoom));
}

} // namespace

BookView::BookView(BookSession* session, QWidget* parent)
    : QWidget(parent), session_(session), searchField_(new QLineEdit), table_(new QTableView),
      groups_(new QListWidget), members_(new QListWidget),
      newEntry_(new QAction(tr("New Entry..."), this)),
      editEntry_(new QAction(tr("Edit Entry..."), this)),
      deleteEntries_(new QAction(tr("Delete Entries"), this)),
      newGroup_(new QAction(tr("New Group..."), this)),
      renameGroup_(new QPushButton(tr("Rename Group..."))),
      deleteGroup_(new QPushButton(tr("Delete Group"))),
      addToGroup_(new QPushButton(tr("Add to Group"))),
      removeFromGroup_(new QPushButton(tr("Remove from Group"))) {
    newEntry_->setShortcut(QKeySequence::New);
    deleteEntries_->setShortcut(QKeySequence::Delete);
    filter_.setSourceModel(&model_);
    filter_.setFilterKeyColumn(EntryTableModel::Name);
    filter_.setFilterCaseSensitivity(Qt::CaseInsensitive);
    filter_.setSortCaseSensitivity(Qt::CaseInsensitive);

    searchField_->setAccessibleName(tr("Search"));
    searchField_->setPlaceholderText(tr("Search by name"));
    searchField_->setClearButtonEnabled(true);
    table_->setAccessibleName(tr("Entries"));
    table_->setModel(&filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(EntryTableModel::Name, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(EntryTableModel::Name, 170);
    table_->setColumnWidth(EntryTableModel::Number, 150);
    table_->setColumnWidth(EntryTableModel::Company, 150);
    groups_->setAccessibleName(tr("Groups"));
    members_->setAccessibleName(tr("Members"));
    members_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* entryButtons = new QHBoxLayout;
    for (QAction* action : {newEntry_, editEntry_, deleteEntries_})
        entryButtons->addWidget(buttonFor(action));
    entryButtons->addStretch();
    auto* entriesPane = new QWidget;
    auto* entriesLayout = new QVBoxLayout(entriesPane);
    entriesLayout->setContentsMargins(0, 0, 0, 0);
    entriesLayout->addWidget(searchField_);
    entriesLayout->addWidget(table_);
    entriesLayout->addLayout(entryButtons);

    auto* groupsPane = new QWidget;
    auto* groupsLayout = new QVBoxLayout(groupsPane);
    groupsLayout->setContentsMargins(0, 0, 0, 0);
    groupsLayout->addWidget(new QLabel(tr("Groups:")));
    groupsLayout->addWidget(groups_, 1);
    auto* groupButtons = new QHBoxLayout;
    groupButtons->addWidget(buttonFor(newGroup_));
    groupButtons->addWidget(renameGroup_);
    groupButtons->addWidget(deleteGroup_);
    groupsLayout->addLayout(groupButtons);
    groupsLayout->addWidget(
        new QLabel(tr("Members (at most %1):").arg(int(kQrolMyFaxGroupMemberRoom))));
    groupsLayout->addWidget(members_, 2);
    auto* memberButtons = new QHBoxLayout;
    memberButtons->addWidget(addToGroup_);
    memberButtons->addWidget(removeFromGroup_);
    groupsLayout->addLayout(memberButtons);

    auto* splitter = new QSplitter;
    splitter->addWidget(entriesPane);
    splitter->addWidget(groupsPane);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({600, 300});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(searchField_, &QLineEdit::textChanged, this, &BookView::search);
    connect(session_, &BookSession::contentsChanged, this, &BookView::refresh);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &BookView::updateActions);
    connect(table_, &QTableView::doubleClicked, this, &BookView::editEntry);
    connect(groups_, &QListWidget::currentRowChanged, this, &BookView::showMembers);
    connect(members_, &QListWidget::itemSelectionChanged, this, &BookView::updateActions);
    connect(newEntry_, &QAction::triggered, this, &BookView::addEntry);
    connect(editEntry_, &QAction::triggered, this, &BookView::editEntry);
    connect(deleteEntries_, &QAction::triggered, this, &BookView::deleteEntries);
    connect(newGroup_, &QAction::triggered, this, &BookView::addGroup);
    connect(renameGroup_, &QPushButton::clicked, this, &BookView::renameGroup);
    connect(deleteGroup_, &QPushButton::clicked, this, &BookView::deleteGroup);
    connect(addToGroup_, &QPushButton::clicked, this, &BookView::addToGroup);
    connect(removeFromGroup_, &QPushButton::clicked, this, &BookView::removeFromGroup);
    refresh();
}

void BookView::search(const QString& text) {
    filter_.setFilterFixedString(text);
}

void BookView::refresh() {
    const QList<SInt16> chosen = selectedEntries();
    const SInt16 group = currentGroup() ? currentGroup()->id : 0;
    model_.setEntries(session_->contents().entries);
    groups_->clear();
    for (const BookGroup& stored : session_->contents().groups) {
        auto* item = new QListWidgetItem(stored.name, groups_);
        item->setData(Qt::UserRole, stored.id);
        if (stored.id == group) groups_->setCurrentItem(item);
    }
    for (SInt16 id : chosen) {
        const QModelIndex row = filter_.mapFromSource(model_.index(model_.rowOf(id), 0));
        if (row.isValid())
            table_->selectionModel()->select(row, QItemSelectionModel::Select |
                                                      QItemSelectionModel::Rows);
    }
    showMembers();
}

QList<SInt16> BookView::selectedEntries() const {
    QList<SInt16> ids;
    for (const QModelIndex& row : table_->selectionModel()->selectedRows())
        ids += SInt16(row.data(Qt::UserRole).toInt());
    return ids;
}

void BookView::showEntry(SInt16 id) {
    QModelIndex row = filter_.mapFromSource(model_.index(model_.rowOf(id), 0));
    if (!row.isValid()) { // hidden by the search
        searchField_->clear();
        row = filter_.mapFromSource(model_.index(model_.rowOf(id), 0));
    }
    table_->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    table_->scrollTo(row);
}

const BookGroup* BookView::currentGroup() const {
    const QListWidgetItem* item = groups_->currentItem();
    return item ? session_->contents().group(SInt16(item->data(Qt::UserRole).toInt())) : nullptr;
}

void BookView::showMembers() {
    members_->clear();
    if (const BookGroup* group = currentGroup()) {
        for (SInt16 id : group->members) {
            const BookEntry* entry = session_->contents().entry(id);
            if (!entry) continue;
            auto* item = new QListWidgetItem(
                entry->name + QLatin1String(" (") + entry->number + u')', members_);
            item->setData(Qt::UserRole, id);
        }
    }
    updateActions();
}

void BookView::updateActions() {
    const bool open = session_->isOpen();
    const int chosen = int(table_->selectionModel()->selectedRows().size());
    const BookGroup* group = currentGroup();
    newEntry_->setEnabled(open);
    editEntry_->setEnabled(open && chosen == 1);
    deleteEntries_->setEnabled(open && chosen > 0);
    newGroup_->setEnabled(open);
    renameGroup_->setEnabled(group);
    deleteGroup_->setEnabled(group);
    addToGroup_->setEnabled(group && chosen > 0 &&
                            group->members.size() < kQrolMyFaxGroupMemberRoom);
    removeFromGroup_->setEnabled(group && !members_->selectedItems().isEmpty());
}

void BookView::report(const ChangeOutcome& outcome) {
    if (outcome) return;
    if (outcome.duplicate) showEntry(outcome.duplicate);
    QMessageBox::warning(this, tr("Address Book Editor"), outcome.refusal);
}

void BookView::addEntry() {
    openEntryDialog(tr("New Entry"), BookEntry{});
}

void BookView::editEntry() {
    const QList<SInt16> chosen = selectedEntries();
    if (const BookEntry* entry =
            chosen.size() == 1 ? session_->contents().entry(chosen[0]) : nullptr)
        openEntryDialog(tr("Edit Entry"), *entry);
}

void BookView::openEntryDialog(const QString& title, const BookEntry& entry) {
    EntryDialog dialog(
        title, entry,
        [this, title](const BookEntry& typed) {
            BookEntry written = typed;
            if (written.id == 0) written.created = QDateTime::currentSecsSinceEpoch();
            qrol::BookChange change;
            change.entries.push_back(toRecord(written));
            const ChangeOutcome outcome = session_->perform(title, change);
            if (outcome.duplicate) showEntry(outcome.duplicate);
            return outcome;
        },
        this);
    dialog.exec();
}

void BookView::deleteEntries() {
    qrol::BookChange change;
    for (SInt16 id : selectedEntries())
        change.removedEntries.push_back(id);
    if (change.removedEntries.empty()) return;
    report(session_->perform(tr("Delete Entries"), change));
}

void BookView::changeGroup(const QString& description, BookGroup group) {
    qrol::BookChange change;
    change.groups.push_back(toRecord(group));
    report(session_->perform(description, change));
}

void BookView::addGroup() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, tr("New Group"), tr("Group name:"), QLineEdit::Normal, {}, &ok);
    if (!ok) return;
    if (const QString refusal = fieldRefusal(qrol::EntryField::Name, name); !refusal.isEmpty()) {
        QMessageBox::warning(this, tr("New Group"), refusal);
        return;
    }
    const QList<SInt16> chosen = selectedEntries();
    if (chosen.size() > kQrolMyFaxGroupMemberRoom) {
        QMessageBox::warning(this, tr("New Group"), tooManyMembers());
        return;
    }
    changeGroup(tr("New Group"), BookGroup{0, name, chosen});
    for (int row = 0; row < groups_->count(); ++row)
        if (groups_->item(row)->text() == name) groups_->setCurrentRow(row);
}

void BookView::renameGroup() {
    const BookGroup* group = currentGroup();
    if (!group) return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename Group"), tr("Group name:"),
                                               QLineEdit::Normal, group->name, &ok);
    if (!ok) return;
    if (const QString refusal = fieldRefusal(qrol::EntryField::Name, name); !refusal.isEmpty()) {
        QMessageBox::warning(this, tr("Rename Group"), refusal);
        return;
    }
    BookGroup renamed = *group;
    renamed.name = name;
    changeGroup(tr("Rename Group"), renamed);
}

void BookView::deleteGroup() {
    const BookGroup* group = currentGroup();
    if (!group) return;
    qrol::BookChange change;
    change.removedGroups.push_back(group->id);
    report(session_->perform(tr("Delete Group"), change));
}

void BookView::addToGroup() {
    const BookGroup* group = currentGroup();
    if (!group) return;
    BookGroup grown = *group;
    grown.members = members(group->members, selectedEntries());
    if (grown.members.size() > kQrolMyFaxGroupMemberRoom) {
        QMessageBox::warning(this, tr("Add to Group"), tooManyMembers());
        return;
    }
    changeGroup(tr("Add to Group"), grown);
}

void BookView::removeFromGroup() {
    const BookGroup* group = currentGroup();
    if (!group) return;
    BookGroup shrunk = *group;
    for (const QListWidgetItem* item : members_->selectedItems())
        shrunk.members.removeAll(SInt16(item->data(Qt::UserRole).toInt()));
    changeGroup(tr("Remove from Group"), shrunk);
}
