// The SQLite side of the address-book files, shared by reading, appending and editing: opening
// a file with the busy time-out, telling an address book from an empty or foreign file, the
// schema, and small statement helpers. Texts are UTF-16 as the records hold them.
#pragma once

#include <CFString.h>
#include <MacTypes.h>

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qrol {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// The highest record Id: Ids are SInt16 in the records.
inline constexpr sqlite3_int64 kHighestId = 32767;

// Null when the statement cannot be prepared.
Statement prepare(sqlite3* db, const char* sql);
bool execute(sqlite3* db, const char* sql);
// The single integer a query answers; nullopt when it fails or answers nothing.
std::optional<sqlite3_int64> queryInteger(sqlite3* db, const char* sql);

// The file at the path (UTF-8 of a non-empty string) with the busy time-out set; null when it
// cannot be opened with the flags.
Database openDatabase(CFStringRef path, int flags);

enum class FileKind { AddressBook, Empty, Other };
FileKind kindOf(sqlite3* db);
// Makes an empty database an address book: the tables, application id and version.
bool createSchema(sqlite3* db);

// Valid until the statement steps again.
std::u16string_view columnText(sqlite3_stmt* statement, int column);
// False when the column holds no record Id.
bool columnId(sqlite3_stmt* statement, int column, SInt16& id);
bool bindText(sqlite3_stmt* statement, int index, std::u16string_view text);

// How long a call waits for another process's lock, in milliseconds; 0 restores the default.
void setBusyTimeout(int milliseconds);

} // namespace qrol
