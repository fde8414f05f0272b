// Address-book files: SQLite databases in one folder. A file is recognised by its application
// id and schema version; anything else is refused without being touched. Appends are one
// immediate transaction, so concurrent adders wait for each other (bounded by the busy
// time-out) and a process killed mid-add leaves the file as it was.
#include "QrolDataSet.h"
#include "QrolDatabase.h"
#include "QrolEntryRules.h"
#include "QrolKitTesting.h"
#include "QrolRecordRows.h"

#include <CFString.h>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

void (*addCommitHook)(void) = nullptr;

QrolResult appendEntries(sqlite3* db, const std::vector<QrolMyFaxRecord>& entries) {
    const qrol::FileKind kind = qrol::kindOf(db);
    if (kind == qrol::FileKind::Other) return kQrolErrFile;
    if (kind == qrol::FileKind::Empty && !qrol::createSchema(db)) return kQrolErrFile;
    for (QrolMyFaxRecord entry : entries) {
        entry.Id = 0; // each gets the next Id
        if (QrolResult result = qrol::putEntryRow(db, entry)) return result;
    }
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
    qrol::setBusyTimeout(milliseconds);
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
    qrol::Database db = qrol::openDatabase(path, SQLITE_OPEN_READWRITE);
    if (!db || qrol::kindOf(db.get()) != qrol::FileKind::AddressBook) return kQrolErrFile;
    if (!qrol::execute(db.get(), "BEGIN")) return kQrolErrFile;
    std::vector<QrolMyFaxRecord> entries;
    std::vector<QrolMyFaxGroupRecord> groups;
    QrolResult result;
    try {
        result = qrol::readEntryRows(db.get(), entries);
        if (result == kQrolNoErr) result = qrol::readGroupRows(db.get(), groups);
    } catch (const std::bad_alloc&) {
        result = kQrolErrMemory;
    }
    qrol::execute(db.get(), "COMMIT");
    if (result != kQrolNoErr) return result;
    data->myFax.swap(entries);
    data->myFaxGroups.swap(groups);
    return kQrolNoErr;
}

QrolResult QrolGADFile_Add(CFStringRef path, QROLDataRef data, UInt32) {
    if (!path || !data) return kQrolErrParam;
    for (const QrolMyFaxRecord& entry : data->myFax)
        if (QrolResult result = qrol::checkNewEntry(entry)) return result;
    qrol::Database db = qrol::openDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    if (!db || !qrol::execute(db.get(), "BEGIN IMMEDIATE")) return kQrolErrFile;
    QrolResult result = appendEntries(db.get(), data->myFax);
    if (result == kQrolNoErr && addCommitHook) addCommitHook();
    if (result == kQrolNoErr && !qrol::execute(db.get(), "COMMIT")) result = kQrolErrFile;
    if (result != kQrolNoErr) qrol::execute(db.get(), "ROLLBACK");
    return result;
}
