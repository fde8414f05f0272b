// The records of an address-book file as rows of its tables: reading them all, and writing or
// removing one entry or group. Each call runs inside the caller's transaction.
#pragma once

#include "QrolKit.h"

#include <sqlite3.h>

#include <vector>

namespace qrol {

// Every entry (at most 65535: a data set's indexes are 16-bit), texts cut to their fields.
QrolResult readEntryRows(sqlite3* db, std::vector<QrolMyFaxRecord>& entries);
// Every group with its members in stored order, as many as its record has room for.
QrolResult readGroupRows(sqlite3* db, std::vector<QrolMyFaxGroupRecord>& groups);

// How a record with an Id other than 0 is written (Id 0 always makes a new record with the
// next free Id, which the record then holds).
enum class RowWrite {
    InPlace, // over the stored record with that Id, which must exist
    Restore, // as a record with that Id again, which must be free
};

// Writes the entry (a checked one, qrol::checkNewEntry). kQrolErrAlreadyExists when another
// entry has the same name and number, kQrolErrParam when the Id is missing (InPlace) or taken
// (Restore), kQrolErrFile when no Id is left or SQLite fails.
QrolResult putEntryRow(sqlite3* db, QrolMyFaxRecord& entry, RowWrite write = RowWrite::InPlace);
// Writes the group as putEntryRow does; every member must be a stored entry (kQrolErrParam).
QrolResult putGroupRow(sqlite3* db, QrolMyFaxGroupRecord& group, RowWrite write);
// Removes the entry and its memberships; removing a missing one succeeds.
QrolResult removeEntryRow(sqlite3* db, SInt16 id);
QrolResult removeGroupRow(sqlite3* db, SInt16 id);

} // namespace qrol
