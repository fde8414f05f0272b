// Address-book files for tests: entries added through the address-book library as Add to Book
// adds them (they get the Ids 1, 2, ... in order), and groups of those Ids written into the
// file's own tables, which the library only reads. Tests using it link SQLite.
#pragma once

#include "AddressEntries.h"

#include <QrolKit.h>
#include <UTF16LEFields.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

struct AddressBookGroup {
    std::string name;
    std::vector<int> memberIds;
};

inline void MakeAddressBook(const std::filesystem::path& path,
                            const std::vector<AddressText>& entries,
                            const std::vector<AddressBookGroup>& groups = {}) {
    const CFRef<CFArrayRef> texts = CreateAddressEntries(entries);
    std::vector<QrolMyFaxRecord> records(entries.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const auto entry =
            static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(texts.get(), CFIndex(i)));
        records[i] = {};
        ASSERT_TRUE(CFStringGetUTF16LECString(
            static_cast<CFStringRef>(CFDictionaryGetValue(entry, CFSTR("NAME"))), records[i].name,
            sizeof records[i].name));
        ASSERT_TRUE(CFStringGetUTF16LECString(
            static_cast<CFStringRef>(CFDictionaryGetValue(entry, CFSTR("PHNM"))),
            records[i].faxNumber, sizeof records[i].faxNumber));
    }
    const CFRef<CFStringRef> file(
        CFStringCreateWithCString(nullptr, path.c_str(), kCFStringEncodingUTF8));
    QROLDataRef data = QROLData_Create();
    EXPECT_EQ(kQrolNoErr, QROLData_Add_MyFax(data, UInt16(records.size()), records.data()));
    EXPECT_EQ(kQrolNoErr, QrolGADFile_Add(file.get(), data, 0));
    QROLData_Delete(data);
    if (groups.empty()) return;

    std::string sql = "BEGIN;";
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::string id = std::to_string(g + 1);
        sql += "INSERT INTO groups VALUES (" + id + ", '" + groups[g].name + "');";
        for (size_t m = 0; m < groups[g].memberIds.size(); ++m)
            sql += "INSERT INTO group_members VALUES (" + id + ", " + std::to_string(m) + ", " +
                   std::to_string(groups[g].memberIds[m]) + ");";
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, (sql + "COMMIT;").c_str(), nullptr, nullptr, nullptr));
    sqlite3_close(db);
}
