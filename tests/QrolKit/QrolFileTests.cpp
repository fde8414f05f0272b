// Address-book files in a scratch folder: cutting what no record holds, refusing what is not an
// address book, the busy time-out, and staying whole under concurrent adders and a killed one.
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

TEST_F(QrolFileTest, RefusedAddsAndFilesThatAreNotWholeAddressBooksAreLeftUntouched) {
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

    const auto bookSize = fs::file_size(book);
    EXPECT_EQ(kQrolErrAlreadyExists,
              add(book, {fileEntry(u"Bob", u"1"), fileEntry(u"Name 7", u"0123")}));
    EXPECT_EQ(bookSize, fs::file_size(book));
    EXPECT_EQ(300u, readEntries(book).size());
    EXPECT_EQ(kQrolErrFile, add(folder / "missing" / "book", {fileEntry(u"Bob", u"1")}));

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
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Add(nullptr, DataSet().ref, 0));
    EXPECT_EQ(kQrolErrParam, QrolGADFile_Add(cfPath(book).get(), nullptr, 0));
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

// Starts body in a child process that exits with body's result.
template <class Body> pid_t startChild(Body body) {
    const pid_t child = fork();
    if (child == 0) _exit(body());
    return child;
}

int waitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST_F(QrolFileTest, ConcurrentAddersLoseNothingAndOneKilledBeforeCommittingLeavesNoTrace) {
    constexpr int kEach = 25;
    ASSERT_EQ(kQrolNoErr, add(book, {fileEntry(u"Ada", u"0123")}));
    const pid_t killed = startChild([&] {
        QrolSetAddCommitHookForTesting([] { raise(SIGKILL); });
        return int(add(book, {fileEntry(u"Bob", u"1"), fileEntry(u"Cy", u"2")}));
    });
    std::vector<pid_t> adders;
    for (char16_t adder : {u'A', u'B'})
        adders.push_back(startChild([&] {
            for (int i = 0; i < kEach; ++i) {
                const std::string digits = std::to_string(i);
                const std::u16string name = adder + std::u16string(digits.begin(), digits.end());
                if (add(book, {fileEntry(name, u"1")})) return 1;
            }
            return 0;
        }));
    const int killedStatus = waitStatus(killed);
    EXPECT_TRUE(WIFSIGNALED(killedStatus) && WTERMSIG(killedStatus) == SIGKILL);
    for (pid_t adder : adders) {
        const int status = waitStatus(adder);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto entries = readEntries(book);
    EXPECT_EQ(size_t(1 + 2 * kEach), entries.size());
    std::set<SInt16> ids;
    for (const auto& entry : entries)
        ids.insert(entry.Id);
    EXPECT_EQ(entries.size(), ids.size());
    EXPECT_EQ(kQrolNoErr, add(book, {fileEntry(u"Bob", u"1")})); // not there, and not locked
}

} // namespace
