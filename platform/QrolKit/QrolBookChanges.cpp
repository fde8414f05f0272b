#include "QrolBookChanges.h"

#include "QrolDatabase.h"
#include "QrolEntryRules.h"
#include "QrolFieldRules.h"
#include "QrolFields.h"
#include "QrolRecordRows.h"

#include <sqlite3.h>

namespace qrol {

namespace {

// The field rules on a record's texts; kQrolErrParam for a refused text.
QrolResult checkRules(const QrolMyFaxRecord& entry) {
    if (QrolResult result = checkNewEntry(entry)) return result;
    const struct {
        EntryField field;
        const UInt8* bytes;
        size_t size;
    } fields[] = {{EntryField::Name, entry.name, sizeof entry.name},
                  {EntryField::Number, entry.faxNumber, sizeof entry.faxNumber},
                  {EntryField::Company, entry.company, sizeof entry.company},
                  {EntryField::Memo, entry.memo, sizeof entry.memo}};
    for (const auto& field : fields)
        if (checkField(field.field, *readField(field.bytes, field.size)).problem !=
            FieldProblem::None)
            return kQrolErrParam;
    return kQrolNoErr;
}

// The Id of the stored entry other than this one with the same name and number.
SInt16 conflictingId(sqlite3* db, const QrolMyFaxRecord& entry) {
    Statement statement =
        prepare(db, "SELECT id FROM entries WHERE name = ? AND number = ? AND id != ? LIMIT 1");
    SInt16 id = 0;
    if (statement && bindText(statement.get(), 1, *readField(entry.name, sizeof entry.name)) &&
        bindText(statement.get(), 2, *readField(entry.faxNumber, sizeof entry.faxNumber)) &&
        sqlite3_bind_int64(statement.get(), 3, entry.Id) == SQLITE_OK &&
        sqlite3_step(statement.get()) == SQLITE_ROW)
        columnId(statement.get(), 0, id);
    return id;
}

QrolResult putEntries(sqlite3* db, std::vector<QrolMyFaxRecord>& entries, RowWrite write,
                      SInt16* conflict) {
    for (QrolMyFaxRecord& entry : entries) {
        const SInt16 requestedId = entry.Id;
        if (QrolResult result = putEntryRow(db, entry, write)) {
            if (result == kQrolErrAlreadyExists && conflict) {
                entry.Id = requestedId;
                *conflict = conflictingId(db, entry);
            }
            return result;
        }
    }
    return kQrolNoErr;
}

// Group members that name entries of the change by position get those entries' Ids.
QrolResult putGroups(sqlite3* db, std::vector<QrolMyFaxGroupRecord>& groups, RowWrite write,
                     const std::vector<QrolMyFaxRecord>& entries) {
    for (QrolMyFaxGroupRecord& group : groups) {
        for (UInt16 i = 0; i < group.memberCount && i < kQrolMyFaxGroupMemberRoom; ++i) {
            const int position = -group.memberIds[i] - 1;
            if (group.memberIds[i] >= 0) continue;
            if (size_t(position) >= entries.size()) return kQrolErrParam;
            group.memberIds[i] = entries[size_t(position)].Id;
        }
        if (QrolResult result = putGroupRow(db, group, write)) return result;
    }
    return kQrolNoErr;
}

QrolResult applyInTransaction(sqlite3* db, BookChange& change, SInt16* conflict) {
    if (kindOf(db) != FileKind::AddressBook) return kQrolErrFile;
    for (SInt16 id : change.removedGroups)
        if (QrolResult result = removeGroupRow(db, id)) return result;
    for (SInt16 id : change.removedEntries)
        if (QrolResult result = removeEntryRow(db, id)) return result;
    if (QrolResult result = putEntries(db, change.restoredEntries, RowWrite::Restore, conflict))
        return result;
    if (QrolResult result = putEntries(db, change.entries, RowWrite::InPlace, conflict))
        return result;
    if (QrolResult result = putGroups(db, change.restoredGroups, RowWrite::Restore, change.entries))
        return result;
    return putGroups(db, change.groups, RowWrite::InPlace, change.entries);
}

} // namespace

QrolResult createBook(CFStringRef path) {
    Database db = openDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db || !execute(db.get(), "BEGIN IMMEDIATE")) return kQrolErrFile;
    const FileKind kind = kindOf(db.get());
    QrolResult result = kind == FileKind::Empty ? kQrolNoErr : kQrolErrAlreadyExists;
    if (result == kQrolNoErr && !(createSchema(db.get()) && execute(db.get(), "COMMIT")))
        result = kQrolErrFile;
    if (result != kQrolNoErr) execute(db.get(), "ROLLBACK");
    return result;
}

QrolResult applyBookChange(CFStringRef path, BookChange& change, SInt16* conflict) {
    if (!path) return kQrolErrParam;
    for (const auto* entries : {&change.restoredEntries, &change.entries})
        for (const QrolMyFaxRecord& entry : *entries)
            if (QrolResult result = checkRules(entry)) return result;
    Database db = openDatabase(path, SQLITE_OPEN_READWRITE);
    if (!db || !execute(db.get(), "BEGIN IMMEDIATE")) return kQrolErrFile;
    // Ids given back on success only: a failed change leaves the caller's records as they were.
    BookChange written = change;
    QrolResult result = applyInTransaction(db.get(), written, conflict);
    if (result == kQrolNoErr && !execute(db.get(), "COMMIT")) result = kQrolErrFile;
    if (result != kQrolNoErr) {
        execute(db.get(), "ROLLBACK");
        return result;
    }
    change = std::move(written);
    return kQrolNoErr;
}

} // namespace qrol
