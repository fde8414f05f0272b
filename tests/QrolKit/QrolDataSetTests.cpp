// Data sets: refusing bad file entries and fetching records that are not there.
#include "QrolTestRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A batch with a bad entry is refused whole; fetching outside the set or into nothing fails.
TEST(QrolDataSetTest, RefusesBadEntriesWholeBatchesAndFetchesOutsideTheSet) {
    const DataSet data;
    const QrolMyFaxRecord stored = fileEntry(u"Ada", u"0123");
    ASSERT_EQ(kQrolNoErr, QROLData_Add_MyFax(data.ref, 1, &stored));
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
        EXPECT_EQ(cases[i].expected, QROLData_Add_MyFax(data.ref, UInt16(cases[i].batch.size()),
                                                        cases[i].batch.data()))
            << "case " << i;
        EXPECT_EQ(1, QROLData_GetCount_MyFax(data.ref)) << "case " << i;
    }
    EXPECT_EQ(kQrolErrParam, QROLData_Add_MyFax(data.ref, 1, nullptr));
    EXPECT_EQ(kQrolErrParam, QROLData_Add_MyFax(nullptr, 1, &stored));

    QrolMyFaxRecord entry;
    QrolFaxGroupRecord deviceGroup;
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(data.ref, 1, &entry));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(data.ref, 0, nullptr));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_MyFax(nullptr, 0, &entry));
    EXPECT_EQ(kQrolErrParam, QROLData_GetAt_FaxGroup(data.ref, 0, &deviceGroup));
    EXPECT_EQ(0, QROLData_GetCount_MyFax(nullptr));
    QROLData_Delete(nullptr);
}

} // namespace
