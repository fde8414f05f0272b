#include "QrolDatabase.h"

#include "QrolStrings.h"

#include <limits>

namespace qrol {

namespace {

constexpr int kApplicationId = 0x4E564142; // "NVAB"
constexpr int kSchemaVersion = 1;
constexpr int kDefaultBusyTimeoutMs = 5000;

constexpr const char* kSchema = R"sql(
-- Texts are stored in the records' own form, so reading them needs no conversion.
PRAGMA encoding = 'UTF-16le';
CREATE TABLE entries (
    id INTEGER PRIMARY KEY CHECK (id BETWEEN 1 AND 32767),
    name TEXT NOT NULL,
    number TEXT NOT NULL,
    company TEXT NOT NULL DEFAULT '',
    memo TEXT NOT NULL DEFAULT '',
    created INTEGER NOT NULL
);
CREATE INDEX entries_by_address ON entries (name, number);
CREATE TABLE groups (
    id INTEGER PRIMARY KEY CHECK (id BETWEEN 1 AND 32767),
    name TEXT NOT NULL
);
CREATE TABLE group_members (
    group_id INTEGER NOT NULL REFERENCES groups (id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    entry_id INTEGER NOT NULL,
    PRIMARY KEY (group_id, position)
);
PRAGMA application_id = 1314275650;
PRAGMA user_version = 1;
)sql";
static_assert(kApplicationId == 1314275650 && kSchemaVersion == 1, "kSchema repeats them");
static_assert(kHighestId == std::numeric_limits<SInt16>::max());

int busyTimeoutMs = kDefaultBusyTimeoutMs;

} // namespace

Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return nullptr;
    return Statement(statement);
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<sqlite3_int64> queryInteger(sqlite3* db, const char* sql) {
    Statement statement = prepare(db, sql);
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(statement.get(), 0);
}

Database openDatabase(CFStringRef path, int flags) {
    const auto file = utf8FromString(path);
    if (!file || file->empty()) return nullptr;
    sqlite3* db = nullptr;
    const int status = sqlite3_open_v2(file->c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    Database owned(db); // a failed open still hands back a handle to close
    if (status != SQLITE_OK) return nullptr;
    sqlite3_busy_timeout(db, busyTimeoutMs);
    return owned;
}

FileKind kindOf(sqlite3* db) {
    const auto applicationId = queryInteger(db, "PRAGMA application_id");
    const auto version = queryInteger(db, "PRAGMA user_version");
    const auto objects = queryInteger(db, "SELECT count(*) FROM sqlite_master");
    if (!applicationId || !version || !objects) return FileKind::Other;
    if (*applicationId == kApplicationId && *version == kSchemaVersion)
        return FileKind::AddressBook;
    if (*applicationId == 0 && *version == 0 && *objects == 0) return FileKind::Empty;
    return FileKind::Other;
}

bool createSchema(sqlite3* db) {
    return execute(db, kSchema);
}

std::u16string_view columnText(sqlite3_stmt* statement, int column) {
    const auto* units = static_cast<const char16_t*>(sqlite3_column_text16(statement, column));
    if (!units) return {};
    return std::u16string_view(units, size_t(sqlite3_column_bytes16(statement, column)) / 2);
}

bool columnId(sqlite3_stmt* statement, int column, SInt16& id) {
    const sqlite3_int64 value = sqlite3_column_int64(statement, column);
    if (value < std::numeric_limits<SInt16>::min() || value > kHighestId) return false;
    id = SInt16(value);
    return true;
}

bool bindText(sqlite3_stmt* statement, int index, std::u16string_view text) {
    return sqlite3_bind_text16(statement, index, text.data(), int(text.size() * 2),
                               SQLITE_TRANSIENT) == SQLITE_OK;
}

void setBusyTimeout(int milliseconds) {
    busyTimeoutMs = milliseconds > 0 ? milliseconds : kDefaultBusyTimeoutMs;
}

} // namespace qrol
