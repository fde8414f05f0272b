// Address-book files in a scratch folder: listing, adding, reading back, refusing what is not an
// address book, and staying whole under concurrent adders and a killed one.
#include "QrolTestRecords.h"

#include <CFRef.h>
#include <QrolKitTesting.h>
#include <ScopedEnvironment.h>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The string's UTF-8 bytes, zero characters included.
std::string text(CFStringRef string) {
    if (!string) return "(null)";
    const CFRange all = CFRangeMake(0, CFStringGetLength(string));
    CFIndex size = 0;
    CFStringGetBytes(string, all, kCFStringEncodingUTF8, 0, false, nullptr, 0, &size);
    std::string bytes(size_t(size), '\0');
    CFStringGetBytes(string, all, kCFStringEncodingUTF8, 0, false,
                     reinterpret_cast<UInt8*>(bytes.data()), size, nullptr);
    return bytes;
}

CFRef<CFStringRef> cfPath(const fs::path& path) {
    return CFRef<CFStringRef>(
        CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8));
}

class QrolFileTest : public testing::Test {
  protected:
    fs::path folder = fs::path(testing::TempDir()) /
                      testing::UnitTest::GetInstance()->current_test_info()->name();
    ScopedEnvironment directory{"NV_ADDRESS_BOOK_DIR", folder.c_str()};
    fs::path book = folder / "Office";

    void SetUp() override {
        fs::create_directories(folder);
        QrolSetBusyTimeoutForTesting(0);
    }
    void TearDown() override { QrolSetAddCommitHookForTesting(nullptr); }

    QrolResult add(const fs::path& path, std::vector<QrolMyFaxRecord> entries) {
        DataSet data;
        if (QrolResult result =
                QROLData_Add_MyFax(data.ref, UInt16(entries.size()), entries.data()))
            return result;
        return QrolGADFile_Add(cfPath(path).get(), data.ref, 0);
    }

    std::vector<QrolMyFaxRecord> readEntries(const fs::path& path, QrolResult* result = nullptr) {
        DataSet data;
        const QrolResult read = QrolGADFile_Read(cfPath(path).get(), data.ref, 0);
        if (result) *result = read;
        std::vector<QrolMyFaxRecord> entries(QROLData_GetCount_MyFax(data.ref));
        for (UInt16 i = 0; i < entries.size(); ++i)
            QROLData_GetAt_MyFax(data.ref, i, &entries[i]);
        return entries;
    }

    // Runs SQL on the file directly in one transaction, as another program would.
    void runSQL(const fs::path& path, const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
        char* error = nullptr;
        EXPECT_EQ(SQLITE_OK,
                  sqlite3_exec(db, ("BEGIN;" + sql + "COMMIT;").c_str(), nullptr, nullptr, &error))
            << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }
};

TEST_F(QrolFileTest, TheFolderComesFromTheEnvironmentAndListsAddressBooksByName) {
    EXPECT_EQ(folder.string(), text(CFRef<CFStringRef>(QrolGADFile_GetFileDirectory()).get()));
    EXPECT_EQ(nullptr, QrolGADFile_GetFileList());
    for (const char* name : {"Office", "Home", "Home-journal", ".hidden"})
        std::ofstream(folder / name) << "";
    fs::create_directory(folder / "Archive");
    EXPECT_EQ(std::string("Home\0Office\0", 12), text(QrolGADFile_GetFileList()));

    ScopedEnvironment unset{"NV_ADDRESS_BOOK_DIR", nullptr};
    ScopedEnvironment data{"XDG_DATA_HOME", (folder / "data").c_str()};
    const fs::path xdg = folder / "data" / "NVSendraFax" / "AddressBooks";
    EXPECT_EQ(xdg.string(), text(CFRef<CFStringRef>(QrolGADFile_GetFileDirectory()).get()));
    EXPECT_TRUE(fs::is_directory(xdg));
}

TEST_F(QrolFileTest, AddedEntriesReadBackWithEveryField) {
    const std::u16string clef = u"\U0001D11E";
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada Lovelace", u"+44 20 7946 0000",
                                               u"Analytical Engines", u"Notes " + clef, 1700000000),
                                     fileEntry(u"山田太郎", u"03-1234-5678")}));
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada Lovelace", u"+44 20 7946 0001")}));
    QrolResult result;
    const auto entries = readEntries(book, &result);
    ASSERT_EQ(kQrolNoErr, result);
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(1, entries[0].Id);
    EXPECT_EQ(u"Ada Lovelace", fieldText(entries[0].name, sizeof entries[0].name));
    EXPECT_EQ(u"+44 20 7946 0000", fieldText(entries[0].faxNumber, sizeof entries[0].faxNumber));
    EXPECT_EQ(u"Analytical Engines", fieldText(entries[0].company, sizeof entries[0].company));
    EXPECT_EQ(u"Notes " + clef, fieldText(entries[0].memo, sizeof entries[0].memo));
    EXPECT_EQ(1700000000, SInt64(entries[0].creationTime)); // by value: packed
    EXPECT_EQ(2, entries[1].Id);
    EXPECT_EQ(u"山田太郎", fieldText(entries[1].name, sizeof entries[1].name));
    EXPECT_EQ(u"", fieldText(entries[1].company, sizeof entries[1].company));
    EXPECT_EQ(3, entries[2].Id);
}

TEST_F(QrolFileTest, RefusedAddsWriteNothing) {
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada", u"0123")}));
    const auto before = fs::file_size(book);
    struct Case {
        std::vector<QrolMyFaxRecord> entries;
        QrolResult expected;
    };
    const std::vector<Case> cases = {
        {{fileEntry(u"Bob", u"1"), fileEntry(u"Ada", u"0123")}, kQrolErrAlreadyExists},
        {{fileEntry(u"", u"1")}, kQrolErrNoName},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, add(book, c.entries));
    EXPECT_EQ(1u, readEntries(book).size());
    EXPECT_EQ(before, fs::file_size(book));
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Add(nullptr, DataSet().ref, 0));
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Add(cfPath(book).get(), nullptr, 0));
    EXPECT_EQ(kQrolErrFile, add(folder / "missing" / "book", {fileEntry(u"Bob", u"1")}));
}

TEST_F(QrolFileTest, WhatNoRecordCanHoldIsCutToFit) {
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada", u"0123")}));
    std::string members;
    for (int position = 0; position < 40; ++position)
        members += "INSERT INTO group_members VALUES (1, " + std::to_string(position) + ", " +
                   std::to_string(100 + position) + ");";
    // 31 letters then a character outside the BMP: a cut after 32 units would split it.
    runSQL(book, "UPDATE entries SET name = '" + std::string(31, 'n') + "\xF0\x9D\x84\x9E" +
                     "', number = '" + std::string(60, '5') + "';" +
                     "INSERT INTO groups VALUES (1, '" + std::string(40, 'g') + "');" + members);
    DataSet data;
    ASSERT_EQ(kQrolNoErr, QrolGADFile_Read(cfPath(book).get(), data.ref, 0));
    QrolMyFaxRecord entry;
    ASSERT_EQ(kQrolNoErr, QROLData_GetAt_MyFax(data.ref, 0, &entry));
    EXPECT_EQ(std::u16string(31, u'n'), fieldText(entry.name, sizeof entry.name));
    EXPECT_EQ(std::u16string(50, u'5'), fieldText(entry.faxNumber, sizeof entry.faxNumber));
    ASSERT_EQ(1, QROLData_GetCount_MyFaxGroup(data.ref));
    QrolMyFaxGroupRecord group;
    ASSERT_EQ(kQrolNoErr, QROLData_GetAt_MyFaxGroup(data.ref, 0, &group));
    EXPECT_EQ(std::u16string(32, u'g'), fieldText(group.name, sizeof group.name));
    EXPECT_EQ(37, group.memberCount);
    EXPECT_EQ(100, group.memberIds[0]);
    EXPECT_EQ(136, group.memberIds[36]);
}

TEST_F(QrolFileTest, FilesThatAreNotWholeAddressBooksAreRefusedUntouched) {
    ASSERT_EQ(kQrolNoErr, add(book, std::vector<QrolMyFaxRecord>{}));
    std::string members;
    for (int i = 0; i < 300; ++i)
        members += "INSERT INTO entries VALUES (" + std::to_string(i + 1) + ", 'Name " +
                   std::to_string(i) + "', '0123', '" + std::string(200, 'c') + "', '', 0);";
    runSQL(book, members);
    const fs::path truncated = folder / "Truncated";
    fs::copy_file(book, truncated);
    fs::resize_file(truncated, fs::file_size(book) / 2);
    const fs::path text = folder / "Notes";
    std::ofstream(text) << "Not an address book, just some text of some length.\n";
    const fs::path other = folder / "Other";
    runSQL(other, "CREATE TABLE entries (id INTEGER);");
    const fs::path newer = folder / "Newer";
    fs::copy_file(book, newer);
    runSQL(newer, "PRAGMA user_version = 2;");

    for (const fs::path& path : {truncated, text, other, newer, folder / "Missing"}) {
        const bool existed = fs::exists(path);
        const auto size = existed ? fs::file_size(path) : 0;
        DataSet data;
        const QrolMyFaxRecord kept = fileEntry(u"Kept", u"1");
        QROLData_Add_MyFax(data.ref, 1, &kept);
        EXPECT_EQ(kQrolErrFile, QrolGADFile_Read(cfPath(path).get(), data.ref, 0)) << path;
        EXPECT_EQ(1, QROLData_GetCount_MyFax(data.ref)) << path; // the set is left as it was
        if (existed) {
            EXPECT_EQ(kQrolErrFile, QrolGADFile_Add(cfPath(path).get(), data.ref, 0)) << path;
            EXPECT_EQ(size, fs::file_size(path)) << path;
        }
    }
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Read(nullptr, DataSet().ref, 0));
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Read(cfPath(book).get(), nullptr, 0));
}

TEST_F(QrolFileTest, ALockedFileFailsAfterTheBusyTimeOut) {
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada", u"0123")}));
    QrolSetBusyTimeoutForTesting(100);
    sqlite3* holder = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(book.c_str(), &holder));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr));
    QrolResult result;
    readEntries(book, &result);
    EXPECT_EQ(kQrolErrFile, result);
    EXPECT_EQ(kQrolErrFile, add(book, {fileEntry(u"Bob", u"1")}));
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(1u, readEntries(book).size());
}

// Runs body in a child process; gives its wait status.
template <class Body> int inChild(Body body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST_F(QrolFileTest, ConcurrentAddersLoseNothing) {
    constexpr int kEach = 25;
    std::vector<pid_t> children;
    for (char adder : {'A', 'B'}) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0; i < kEach; ++i) {
                const std::string name = std::string(1, adder) + std::to_string(i);
                if (add(book, {fileEntry(std::u16string(name.begin(), name.end()), u"1")}))
                    _exit(1);
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto entries = readEntries(book);
    EXPECT_EQ(size_t(2 * kEach), entries.size());
    std::set<SInt16> ids;
    for (const auto& entry : entries)
        ids.insert(entry.Id);
    EXPECT_EQ(entries.size(), ids.size());
}

TEST_F(QrolFileTest, AnAdderKilledBeforeCommittingLeavesTheFileAsItWas) {
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada", u"0123")}));
    const int status = inChild([&] {
        QrolSetAddCommitHookForTesting([] { raise(SIGKILL); });
        return int(add(book, {fileEntry(u"Bob", u"1"), fileEntry(u"Cy", u"2")}));
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const auto entries = readEntries(book);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(u"Ada", fieldText(entries[0].name, sizeof entries[0].name));
    EXPECT_EQ(kQrolNoErr, add(book, {fileEntry(u"Bob", u"1")}));
    EXPECT_EQ(2u, readEntries(book).size());
}

} // namespace
