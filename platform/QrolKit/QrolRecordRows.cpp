#include "QrolRecordRows.h"

#include "QrolDatabase.h"
#include "QrolFields.h"

#include <string>

namespace qrol {

namespace {

std::u16string fieldText(const UInt8* field, size_t size) {
    return readField(field, size).value_or(std::u16string());
}

bool bindId(sqlite3_stmt* statement, int index, sqlite3_int64 id) {
    return sqlite3_bind_int64(statement, index, id) == SQLITE_OK;
}

bool runOnId(sqlite3* db, const char* sql, SInt16 id) {
    Statement statement = prepare(db, sql);
    return statement && bindId(statement.get(), 1, id) &&
           sqlite3_step(statement.get()) == SQLITE_DONE;
}

// The Id the record is written with: the next free one of the table for Id 0 (a removed
// entry leaves no membership behind, so a group never gains a member it did not have), else
// the record's own, which must be stored (InPlace) or free (Restore).
std::optional<sqlite3_int64> rowId(sqlite3* db, const char* table, SInt16 id, RowWrite write,
                                   QrolResult& refusal) {
    const std::string from = std::string(" FROM ") + table;
    refusal = kQrolErrFile;
    if (id <= 0) {
        const auto next = queryInteger(db, ("SELECT coalesce(max(id), 0) + 1" + from).c_str());
        if (!next || *next > kHighestId) return std::nullopt;
        return next;
    }
    Statement stored = prepare(db, ("SELECT count(*)" + from + " WHERE id = ?").c_str());
    if (!stored || !bindId(stored.get(), 1, id) || sqlite3_step(stored.get()) != SQLITE_ROW)
        return std::nullopt;
    const bool exists = sqlite3_column_int64(stored.get(), 0) > 0;
    refusal = kQrolErrParam;
    if (exists != (write == RowWrite::InPlace)) return std::nullopt;
    return id;
}

} // namespace

QrolResult readEntryRows(sqlite3* db, std::vector<QrolMyFaxRecord>& entries) {
    Statement statement = prepare(db, "SELECT id, name, number, company, memo, created "
                                      "FROM entries ORDER BY id LIMIT 65535");
    if (!statement) return kQrolErrFile;
    int status;
    while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
        QrolMyFaxRecord& entry = entries.emplace_back(QrolMyFaxRecord{});
        if (!columnId(statement.get(), 0, entry.Id)) return kQrolErrFile;
        writeField(entry.name, sizeof entry.name, columnText(statement.get(), 1));
        writeField(entry.faxNumber, sizeof entry.faxNumber, columnText(statement.get(), 2));
        writeField(entry.company, sizeof entry.company, columnText(statement.get(), 3));
        writeField(entry.memo, sizeof entry.memo, columnText(statement.get(), 4));
        entry.creationTime = sqlite3_column_int64(statement.get(), 5);
    }
    return status == SQLITE_DONE ? kQrolNoErr : kQrolErrFile;
}

QrolResult readGroupRows(sqlite3* db, std::vector<QrolMyFaxGroupRecord>& groups) {
    Statement statement = prepare(db, "SELECT id, name FROM groups ORDER BY id LIMIT 65535");
    Statement members = prepare(db, "SELECT entry_id FROM group_members WHERE group_id = ? "
                                    "ORDER BY position LIMIT 37");
    static_assert(kQrolMyFaxGroupMemberRoom == 37, "the member query's LIMIT repeats it");
    if (!statement || !members) return kQrolErrFile;
    int status;
    while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
        QrolMyFaxGroupRecord& group = groups.emplace_back(QrolMyFaxGroupRecord{});
        if (!columnId(statement.get(), 0, group.Id)) return kQrolErrFile;
        writeField(group.name, sizeof group.name, columnText(statement.get(), 1));
        sqlite3_reset(members.get());
        bindId(members.get(), 1, sqlite3_column_int64(statement.get(), 0));
        int memberStatus;
        while ((memberStatus = sqlite3_step(members.get())) == SQLITE_ROW &&
               group.memberCount < kQrolMyFaxGroupMemberRoom) {
            if (!columnId(members.get(), 0, group.memberIds[group.memberCount]))
                return kQrolErrFile;
            ++group.memberCount;
        }
        if (memberStatus != SQLITE_ROW && memberStatus != SQLITE_DONE) return kQrolErrFile;
    }
    return status == SQLITE_DONE ? kQrolNoErr : kQrolErrFile;
}

QrolResult putEntryRow(sqlite3* db, QrolMyFaxRecord& entry, RowWrite write) {
    const std::u16string name = fieldText(entry.name, sizeof entry.name);
    const std::u16string number = fieldText(entry.faxNumber, sizeof entry.faxNumber);
    Statement existing =
        prepare(db, "SELECT 1 FROM entries WHERE name = ? AND number = ? AND id != ? LIMIT 1");
    if (!existing || !bindText(existing.get(), 1, name) || !bindText(existing.get(), 2, number) ||
        !bindId(existing.get(), 3, entry.Id))
        return kQrolErrFile;
    const int found = sqlite3_step(existing.get());
    if (found == SQLITE_ROW) return kQrolErrAlreadyExists;
    if (found != SQLITE_DONE) return kQrolErrFile;

    QrolResult refusal;
    const auto id = rowId(db, "entries", entry.Id, write, refusal);
    if (!id) return refusal;
    Statement insert =
        prepare(db, "INSERT OR REPLACE INTO entries (id, name, number, company, memo, created) "
                    "VALUES (?, ?, ?, ?, ?, ?)");
    if (!insert || !bindId(insert.get(), 1, *id) || !bindText(insert.get(), 2, name) ||
        !bindText(insert.get(), 3, number) ||
        !bindText(insert.get(), 4, fieldText(entry.company, sizeof entry.company)) ||
        !bindText(insert.get(), 5, fieldText(entry.memo, sizeof entry.memo)) ||
        sqlite3_bind_int64(insert.get(), 6, entry.creationTime) != SQLITE_OK ||
        sqlite3_step(insert.get()) != SQLITE_DONE)
        return kQrolErrFile;
    entry.Id = SInt16(*id);
    return kQrolNoErr;
}

QrolResult putGroupRow(sqlite3* db, QrolMyFaxGroupRecord& group, RowWrite write) {
    if (group.memberCount > kQrolMyFaxGroupMemberRoom) return kQrolErrParam;
    Statement stored = prepare(db, "SELECT 1 FROM entries WHERE id = ?");
    if (!stored) return kQrolErrFile;
    for (UInt16 i = 0; i < group.memberCount; ++i) {
        sqlite3_reset(stored.get());
        if (!bindId(stored.get(), 1, group.memberIds[i])) return kQrolErrFile;
        if (sqlite3_step(stored.get()) != SQLITE_ROW) return kQrolErrParam;
    }
    QrolResult refusal;
    const auto groupId = rowId(db, "groups", group.Id, write, refusal);
    if (!groupId) return refusal;
    const SInt16 id = SInt16(*groupId);
    Statement insert = prepare(db, "INSERT OR REPLACE INTO groups (id, name) VALUES (?, ?)");
    if (!insert || !bindId(insert.get(), 1, id) ||
        !bindText(insert.get(), 2, fieldText(group.name, sizeof group.name)) ||
        sqlite3_step(insert.get()) != SQLITE_DONE ||
        !runOnId(db, "DELETE FROM group_members WHERE group_id = ?", id))
        return kQrolErrFile;
    Statement member =
        prepare(db, "INSERT INTO group_members (group_id, position, entry_id) VALUES (?, ?, ?)");
    if (!member) return kQrolErrFile;
    for (UInt16 i = 0; i < group.memberCount; ++i) {
        sqlite3_reset(member.get());
        if (!bindId(member.get(), 1, id) || !bindId(member.get(), 2, i) ||
            !bindId(member.get(), 3, group.memberIds[i]) ||
            sqlite3_step(member.get()) != SQLITE_DONE)
            return kQrolErrFile;
    }
    group.Id = id;
    return kQrolNoErr;
}

QrolResult removeEntryRow(sqlite3* db, SInt16 id) {
    const bool removed = runOnId(db, "DELETE FROM group_members WHERE entry_id = ?", id) &&
                         runOnId(db, "DELETE FROM entries WHERE id = ?", id);
    return removed ? kQrolNoErr : kQrolErrFile;
}

QrolResult removeGroupRow(sqlite3* db, SInt16 id) {
    const bool removed = runOnId(db, "DELETE FROM group_members WHERE group_id = ?", id) &&
                         runOnId(db, "DELETE FROM groups WHERE id = ?", id);
    return removed ? kQrolNoErr : kQrolErrFile;
}

} // namespace qrol
