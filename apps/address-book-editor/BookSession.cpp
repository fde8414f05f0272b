#include "BookSession.h"

#include "BookChangeCommand.h"

#include <algorithm>

namespace {

QString refusalOf(QrolResult result) {
    switch (result) {
    case kQrolNoErr:
        return {};
    case kQrolErrAlreadyExists:
        return BookSession::tr("An entry with this name and fax number is already in the book.");
    case kQrolErrParam:
    case kQrolErrNoName:
        return BookSession::tr("The book was changed elsewhere; it now shows what it holds.");
    default:
        return BookSession::tr(
            "The book cannot be written: it is locked, damaged or not an address book.");
    }
}

bool isNew(SInt16 id) {
    return id <= 0;
}

template <typename Record> void addUnique(std::vector<Record>& records, const Record& record) {
    if (std::none_of(records.begin(), records.end(),
                     [&](const Record& other) { return other.Id == record.Id; }))
        records.push_back(record);
}

// The change that makes the applied one again: its new records restored with their Ids.
qrol::BookChange redoOf(qrol::BookChange applied, const qrol::BookChange& requested) {
    qrol::BookChange redo = applied;
    redo.entries.clear();
    redo.groups.clear();
    for (size_t i = 0; i < applied.entries.size(); ++i)
        (isNew(requested.entries[i].Id) ? redo.restoredEntries : redo.entries)
            .push_back(applied.entries[i]);
    for (size_t i = 0; i < applied.groups.size(); ++i)
        (isNew(requested.groups[i].Id) ? redo.restoredGroups : redo.groups)
            .push_back(applied.groups[i]);
    return redo;
}

// The change that undoes the applied one, from the book as it was before it.
qrol::BookChange inverseOf(const BookContents& before, const qrol::BookChange& applied,
                           const qrol::BookChange& requested) {
    qrol::BookChange inverse;
    for (SInt16 id : applied.removedGroups)
        if (const BookGroup* group = before.group(id))
            addUnique(inverse.restoredGroups, toRecord(*group));
    for (SInt16 id : applied.removedEntries) {
        const BookEntry* entry = before.entry(id);
        if (!entry) continue;
        addUnique(inverse.restoredEntries, toRecord(*entry));
        for (const BookGroup& group : before.groups) // memberships come back too
            if (group.members.contains(id) &&
                std::find(applied.removedGroups.begin(), applied.removedGroups.end(), group.id) ==
                    applied.removedGroups.end())
                addUnique(inverse.groups, toRecord(group));
    }
    for (const QrolMyFaxRecord& entry : applied.restoredEntries)
        inverse.removedEntries.push_back(entry.Id);
    for (size_t i = 0; i < applied.entries.size(); ++i) {
        if (isNew(requested.entries[i].Id))
            inverse.removedEntries.push_back(applied.entries[i].Id);
        else if (const BookEntry* entry = before.entry(applied.entries[i].Id))
            addUnique(inverse.entries, toRecord(*entry));
    }
    for (const QrolMyFaxGroupRecord& group : applied.restoredGroups)
        inverse.removedGroups.push_back(group.Id);
    for (size_t i = 0; i < applied.groups.size(); ++i) {
        if (isNew(requested.groups[i].Id))
            inverse.removedGroups.push_back(applied.groups[i].Id);
        else if (const BookGroup* group = before.group(applied.groups[i].Id))
            addUnique(inverse.groups, toRecord(*group));
    }
    return inverse;
}

} // namespace

BookSession::BookSession(QObject* parent) : QObject(parent) {}

bool BookSession::open(const QString& path) {
    auto book = std::make_unique<AddressBook>(path);
    BookContents contents;
    if (!book->read(contents)) return false;
    book_ = std::move(book);
    contents_ = std::move(contents);
    undoStack_.clear();
    emit contentsChanged();
    return true;
}

void BookSession::close() {
    book_.reset();
    contents_ = {};
    undoStack_.clear();
    emit contentsChanged();
}

void BookSession::reload() {
    if (!book_) return;
    if (book_->read(contents_))
        emit contentsChanged();
    else
        emit failed(tr("The book %1 can no longer be read (deleted, locked or damaged); the "
                       "editor shows it as it was last read.")
                        .arg(book_->name()));
}

ChangeOutcome BookSession::apply(qrol::BookChange& change) {
    if (!book_) return {tr("No book is open.")};
    SInt16 duplicate = 0;
    const QrolResult result = book_->apply(change, &duplicate);
    reload();
    return {refusalOf(result), duplicate};
}

ChangeOutcome BookSession::perform(const QString& description, qrol::BookChange change) {
    const qrol::BookChange requested = change;
    const BookContents before = contents_;
    ChangeOutcome outcome = apply(change);
    if (!outcome) return outcome;
    undoStack_.push(new BookChangeCommand(this, description, redoOf(change, requested),
                                          inverseOf(before, change, requested)));
    return outcome;
}

bool BookSession::replay(qrol::BookChange& change) {
    const ChangeOutcome outcome = apply(change);
    if (!outcome) emit failed(outcome.refusal);
    return bool(outcome);
}
