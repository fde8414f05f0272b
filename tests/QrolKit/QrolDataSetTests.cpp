// Data sets: storing file entries to add, counting and fetching records.
#include "QrolTestRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(QrolDataSetTest, StoresFileEntriesAndHandsBackCopies) {
    QROLDataRef data = QROLData_Create();
    ASSERT_TRUE(data);
    const QrolMyFaxRecord entries[] = {fileEntry(u"Ada", u"0123", u"Engines", u"memo", 42),
                                       fileEntry(u"Ada", u"0124")};
    EXPECT_EQ(kQrolNoErr, QROLData_Add_MyFax(data, 2, entries));
    EXPECT_EQ(2, QROLData_GetCount_MyFax(data));
    EXPECT_EQ(0, QROLData_GetCount_Fax(data) + QROLData_GetCount_FaxGroup(data) +
                     QROLData_GetCount_MyFaxGroup(data));
    QrolMyFaxRecord record;
    ASSERT_EQ(kQrolNoErr, QROLData_GetAt_MyFax(data, 0, &record));
    EXPECT_EQ(u"Engines", fieldText(record.company, sizeof record.company));
    EXPECT_EQ(42, SInt64(record.creationTime)); // by value: the member is packed
    QROLData_Delete(data);
}

TEST(QrolDataSetTest, RefusesBadEntriesAndStoresNoneOfTheirBatch) {
    QROLDataRef data = QROLData_Create();
    const QrolMyFaxRecord stored = fileEntry(u"Ada", u"0123");
    ASSERT_EQ(kQrolNoErr, QROLData_Add_MyFax(data, 1, &stored));
    QrolMyFaxRecord unterminated = fileEntry(u"Bob", u"1");
    for (UInt8& byte : unterminated.name)
        byte = 'x';
    struct Case {
        std::vector<QrolMyFaxRecord> batch;
        QrolResult expected;
    };
    const std::vector<Case> cases = {
        {{fileEntry(u"Bob", u"1"), fileEntry(u"", u"2")}, kQrolErrNoName},
        {{fileEntry(u"Bob", u"1"), fileEntry(u"Bob", u"1")}, kQrolErrAlreadyExists},
        {{fileEntry(u"Bob", u"1"), fileEntry(u"Ada", u"0123")}, kQrolErrAlreadyExists},
        {{fileEntry(u"Bob", u"")}, kQrolErrParam},
        {{unterminated}, kQrolErrParam},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].expected,
                  QROLData_Add_MyFax(data, UInt16(cases[i].batch.size()), cases[i].batch.data()))
            << "case " << i;
        EXPECT_EQ(1, QROLData_GetCount_MyFax(data)) << "case " << i;
    }
    EXPECT_EQ(kQrolErrParam, QROLData_Add_MyFax(data, 1, nullptr));
    EXPECT_EQ(kQrolErrParam, QROLData_Add_MyFax(nullptr, 1, &stored));
    QROLData_Delete(data);
}

TEST(QrolDataSetTest, FetchingOutsideTheSetOrIntoNothingFails) {
    QROLDataRef data = QROLData_Create();
    const QrolMyFaxRecord stored = fileEntry(u"Ada", u"0123");
    ASSERT_EQ(kQrolNoErr, QROLData_Add_MyFax(data, 1, &stored));
    QrolMyFaxRecord entry;
    QrolMyFaxGroupRecord group;
    QrolFaxRecord deviceEntry;
    QrolFaxGroupRecord deviceGroup;
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(data, 1, &entry));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(data, 0, nullptr));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(nullptr, 0, &entry));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFaxGroup(data, 0, &group));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_Fax(data, 0, &deviceEntry));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_FaxGroup(data, 0, &deviceGroup));
    EXPECT_EQ(0, QROLData_GetCount_MyFax(nullptr));
    QROLData_Delete(data);
    QROLData_Delete(nullptr);
}

} // namespace
