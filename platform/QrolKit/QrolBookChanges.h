// Editing an address-book file: making an empty book, and applying one change (entries and
// groups written or removed) as one immediate transaction, so that a reader sees all of it or
// none and a concurrent writer waits for it (bounded by the busy time-out) and loses nothing.
#pragma once

#include "QrolKit.h"

#include <vector>

namespace qrol {

// Records with Id 0 become new records with the next free Ids, written back into the change.
// A group member Id below 0 names an entry of this change: -1 the first of entries, -2 the
// second, and so on.
struct BookChange {
    std::vector<SInt16> removedGroups;
    std::vector<SInt16> removedEntries;           // with their memberships
    std::vector<QrolMyFaxRecord> restoredEntries; // Ids that must be free
    std::vector<QrolMyFaxRecord> entries;         // stored Ids are written in place
    std::vector<QrolMyFaxGroupRecord> restoredGroups;
    std::vector<QrolMyFaxGroupRecord> groups;
};

// Makes the address book at path, a file that must not exist yet: kQrolErrAlreadyExists when
// it does, kQrolErrFile when it cannot be made.
QrolResult createBook(CFStringRef path);

// Applies the change to the book at path: removals first, then entries, then groups. Entries
// must pass checkNewEntry and the field rules (QrolFieldRules.h): its result otherwise.
// kQrolErrAlreadyExists when an entry would share name and number with another (its Id then
// in *conflict, when given); kQrolErrParam for a group member that is no entry, a record to
// write in place that is gone or one to restore whose Id is taken (the book was changed
// elsewhere); kQrolErrFile for a file that is no address book, is locked past the busy
// time-out or has no Id left. On any failure nothing is written.
QrolResult applyBookChange(CFStringRef path, BookChange& change, SInt16* conflict = nullptr);

} // namespace qrol
