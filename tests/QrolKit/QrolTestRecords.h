// File entry records for the tests, their text fields read back, and data sets that go with
// the test.
#pragma once

#include <QrolFields.h>
#include <QrolKit.h>

#include <string>

// The field's text; a field without its terminating zero unit reads "<no terminator>".
inline std::u16string fieldText(const UInt8* field, size_t size) {
    return qrol::readField(field, size).value_or(u"<no terminator>");
}

inline QrolMyFaxRecord fileEntry(const std::u16string& name, const std::u16string& number) {
    QrolMyFaxRecord entry{};
    qrol::writeField(entry.name, sizeof entry.name, name);
    qrol::writeField(entry.faxNumber, sizeof entry.faxNumber, number);
    return entry;
}

// A data set deleted at the end of the test.
struct DataSet {
    QROLDataRef ref = QROLData_Create();
    DataSet() = default;
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;
    ~DataSet() { QROLData_Delete(ref); }
    bool empty() const {
        return QROLData_GetCount_Fax(ref) == 0 && QROLData_GetCount_FaxGroup(ref) == 0 &&
               QROLData_GetCount_MyFax(ref) == 0 && QROLData_GetCount_MyFaxGroup(ref) == 0;
    }
};
