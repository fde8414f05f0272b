// Address-book files: SQLite databases in one folder. A file is recognised by its application
// id and schema version; anything else is refused without being touched. Appends are one
// immediate transaction, so concurrent adders wait for each other (bounded by the busy
// time-out) and a process killed mid-add leaves the file as it was.
#include "QrolDataSet.h"
#include "QrolEntryRules.h"
#include "QrolFields.h"
#include "QrolKitTesting.h"
#include "QrolStrings.h"

#include <CFString.h>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kApplicationId = 0x4E564142; // "NVAB"
constexpr int kSchemaVersion = 1;
constexpr int kDefaultBusyTimeoutMs = 5000;
constexpr sqlite3_int64 kHighestId = std::numeric_limits<SInt16>::max();

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

void (*addCommitHook)(void) = nullptr;
int busyTimeoutMs = kDefaultBusyTimeoutMs;

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

Statement prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return nullptr;
    return Statement(statement);
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The single integer a query answers; nullopt when it fails or answers nothing.
std::optional<sqlite3_int64> queryInteger(sqlite3* db, const char* sql) {
    Statement statement = prepare(db, sql);
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(statement.get(), 0);
}

std::optional<std::string> utf8Path(CFStringRef path) {
    auto bytes = qrol::utf8FromString(path);
    if (bytes && bytes->empty()) return std::nullopt;
    return bytes;
}

Database open(CFStringRef path, int flags) {
    const auto file = utf8Path(path);
    if (!file) return nullptr;
    sqlite3* db = nullptr;
    const int status = sqlite3_open_v2(file->c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    Database owned(db); // a failed open still hands back a handle to close
    if (status != SQLITE_OK) return nullptr;
    sqlite3_busy_timeout(db, busyTimeoutMs);
    return owned;
}

enum class Kind { AddressBook, Empty, Other };

Kind kindOf(sqlite3* db) {
    const auto applicationId = queryInteger(db, "PRAGMA application_id");
    const auto version = queryInteger(db, "PRAGMA user_version");
    const auto objects = queryInteger(db, "SELECT count(*) FROM sqlite_master");
    if (!applicationId || !version || !objects) return Kind::Other;
    if (*applicationId == kApplicationId && *version == kSchemaVersion) return Kind::AddressBook;
    if (*applicationId == 0 && *version == 0 && *objects == 0) return Kind::Empty;
    return Kind::Other;
}

// Valid until the statement steps again.
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

bool bindText(sqlite3_stmt* statement, int index, const std::u16string& text) {
    return sqlite3_bind_text16(statement, index, text.data(), int(text.size() * 2),
                               SQLITE_TRANSIENT) == SQLITE_OK;
}

// At most 65535 records of a kind: a data set's indexes are 16-bit.
QrolResult readEntries(sqlite3* db, std::vector<QrolMyFaxRecord>& entries) {
    Statement statement = prepare(db, "SELECT id, name, number, company, memo, created "
                                      "FROM entries ORDER BY id LIMIT 65535");
    if (!statement) return kQrolErrFile;
    int status;
    while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
        QrolMyFaxRecord& entry = entries.emplace_back(QrolMyFaxRecord{});
        if (!columnId(statement.get(), 0, entry.Id)) return kQrolErrFile;
        qrol::writeField(entry.name, sizeof entry.name, columnText(statement.get(), 1));
        qrol::writeField(entry.faxNumber, sizeof entry.faxNumber, columnText(statement.get(), 2));
        qrol::writeField(entry.company, sizeof entry.company, columnText(statement.get(), 3));
        qrol::writeField(entry.memo, sizeof entry.memo, columnText(statement.get(), 4));
        entry.creationTime = sqlite3_column_int64(statement.get(), 5);
    }
    return status == SQLITE_DONE ? kQrolNoErr : kQrolErrFile;
}

// A group's members in stored order, as many as its record has room for.
QrolResult readGroups(sqlite3* db, std::vector<QrolMyFaxGroupRecord>& groups) {
    Statement statement = prepare(db, "SELECT id, name FROM groups ORDER BY id LIMIT 65535");
    Statement members = prepare(db, "SELECT entry_id FROM group_members WHERE group_id = ? "
                                    "ORDER BY position LIMIT 37");
    static_assert(kQrolMyFaxGroupMemberRoom == 37, "the member query's LIMIT repeats it");
    if (!statement || !members) return kQrolErrFile;
    int status;
    while ((status = sqlite3_step(statement.get())) == SQLITE_ROW) {
        QrolMyFaxGroupRecord& group = groups.emplace_back(QrolMyFaxGroupRecord{});
        if (!columnId(statement.get(), 0, group.Id)) return kQrolErrFile;
        qrol::writeField(group.name, sizeof group.name, columnText(statement.get(), 1));
        sqlite3_reset(members.get());
        sqlite3_bind_int64(members.get(), 1, sqlite3_column_int64(statement.get(), 0));
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

QrolResult insertEntry(sqlite3* db, const QrolMyFaxRecord& entry) {
    const std::u16string name = *qrol::readField(entry.name, sizeof entry.name);
    const std::u16string number = *qrol::readField(entry.faxNumber, sizeof entry.faxNumber);
    Statement existing = prepare(db, "SELECT 1 FROM entries WHERE name = ? AND number = ? LIMIT 1");
    if (!existing || !bindText(existing.get(), 1, name) || !bindText(existing.get(), 2, number))
        return kQrolErrFile;
    const int found = sqlite3_step(existing.get());
    if (found == SQLITE_ROW) return kQrolErrAlreadyExists;
    if (found != SQLITE_DONE) return kQrolErrFile;

    // Ids are never reused, so a group never gains a member it did not have.
    const auto id = queryInteger(db, "SELECT coalesce(max(id), 0) + 1 FROM entries");
    if (!id || *id > kHighestId) return kQrolErrFile;
    Statement insert = prepare(db, "INSERT INTO entries (id, name, number, company, memo, created) "
                                   "VALUES (?, ?, ?, ?, ?, ?)");
    if (!insert || sqlite3_bind_int64(insert.get(), 1, *id) != SQLITE_OK ||
        !bindText(insert.get(), 2, name) || !bindText(insert.get(), 3, number) ||
        !bindText(insert.get(), 4, *qrol::readField(entry.company, sizeof entry.company)) ||
        !bindText(insert.get(), 5, *qrol::readField(entry.memo, sizeof entry.memo)) ||
        sqlite3_bind_int64(insert.get(), 6, entry.creationTime) != SQLITE_OK)
        return kQrolErrFile;
    return sqlite3_step(insert.get()) == SQLITE_DONE ? kQrolNoErr : kQrolErrFile;
}

QrolResult appendEntries(sqlite3* db, const std::vector<QrolMyFaxRecord>& entries) {
    const Kind kind = kindOf(db);
    if (kind == Kind::Other) return kQrolErrFile;
    if (kind == Kind::Empty && !execute(db, kSchema)) return kQrolErrFile;
    for (const QrolMyFaxRecord& entry : entries)
        if (QrolResult result = insertEntry(db, entry)) return result;
    return kQrolNoErr;
}

fs::path addressBookDirectory() {
    if (const char* chosen = std::getenv("NV_ADDRESS_BOOK_DIR"); chosen && *chosen) return chosen;
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return fs::path(data) / "NVSendraFax" / "AddressBooks";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".local" / "share" / "NVSendraFax" / "AddressBooks";
    return {};
}

// SQLite's own side files and hidden files are not address books.
bool listable(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    std::error_code error;
    if (name.empty() || name[0] == '.' || !entry.is_regular_file(error)) return false;
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        if (name.ends_with(suffix)) return false;
    return true;
}

} // namespace

void QrolSetAddCommitHookForTesting(void (*hook)(void)) {
    addCommitHook = hook;
}

void QrolSetBusyTimeoutForTesting(int milliseconds) {
    busyTimeoutMs = milliseconds > 0 ? milliseconds : kDefaultBusyTimeoutMs;
}

QrolResult Qrol_Initialize(UInt32) {
    return sqlite3_initialize() == SQLITE_OK ? kQrolNoErr : kQrolErrMemory;
}

CFStringRef QrolGADFile_GetFileDirectory(void) {
    const fs::path directory = addressBookDirectory();
    std::error_code error;
    if (directory.empty() || (!fs::create_directories(directory, error) && error)) return nullptr;
    return CFStringCreateWithCString(nullptr, directory.c_str(), kCFStringEncodingUTF8);
}

CFStringRef QrolGADFile_GetFileList(void) {
    static std::mutex mutex;
    static CFStringRef list = nullptr; // kept until the next call
    std::lock_guard lock(mutex);
    if (list) CFRelease(list);
    list = nullptr;

    const fs::path directory = addressBookDirectory();
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error))
        if (listable(*it)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());

    CFMutableStringRef joined = CFStringCreateMutable(nullptr, 0);
    const UniChar separator = 0;
    for (const std::string& name : names) {
        CFStringRef text =
            CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(name.data()),
                                    CFIndex(name.size()), kCFStringEncodingUTF8, false);
        if (!text) continue; // a name that is not UTF-8 cannot be shown
        CFStringAppend(joined, text);
        CFStringAppendCharacters(joined, &separator, 1);
        CFRelease(text);
    }
    if (CFStringGetLength(joined) == 0) {
        CFRelease(joined);
        return nullptr;
    }
    list = joined;
    return list;
}

QrolResult QrolGADFile_Read(CFStringRef path, QROLDataRef data, UInt32) {
    if (!path || !data) return kQrolErrParam;
    // Read-write (without creating), so that a journal left by a killed writer is rolled back.
    Database db = open(path, SQLITE_OPEN_READWRITE);
    if (!db || kindOf(db.get()) != Kind::AddressBook) return kQrolErrFile;
    if (!execute(db.get(), "BEGIN")) return kQrolErrFile;
    std::vector<QrolMyFaxRecord> entries;
    std::vector<QrolMyFaxGroupRecord> groups;
    QrolResult result;
    try {
        result = readEntries(db.get(), entries);
        if (result == kQrolNoErr) result = readGroups(db.get(), groups);
    } catch (const std::bad_alloc&) {
        result = kQrolErrMemory;
    }
    execute(db.get(), "COMMIT");
    if (result != kQrolNoErr) return result;
    data->myFax.swap(entries);
    data->myFaxGroups.swap(groups);
    return kQrolNoErr;
}

QrolResult QrolGADFile_Add(CFStringRef path, QROLDataRef data, UInt32) {
    if (!path || !data) return kQrolErrParam;
    for (const QrolMyFaxRecord& entry : data->myFax)
        if (QrolResult result = qrol::checkNewEntry(entry)) return result;
    Database db = open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db || !execute(db.get(), "BEGIN IMMEDIATE")) return kQrolErrFile;
    QrolResult result = appendEntries(db.get(), data->myFax);
    if (result == kQrolNoErr && addCommitHook) addCommitHook();
    if (result == kQrolNoErr && !execute(db.get(), "COMMIT")) result = kQrolErrFile;
    if (result != kQrolNoErr) execute(db.get(), "ROLLBACK");
    return result;
}
