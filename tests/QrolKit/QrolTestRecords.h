// File entry records for the tests, their text fields read back, and data sets that go with
// the test.
#pragma once

#include <QrolKit.h>

#include <string>

inline void setField(UInt8* field, size_t size, const std::u16string& text) {
    for (size_t i = 0; i < size; ++i)
        field[i] = 0;
    for (size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
        field[2 * i] = UInt8(text[i] & 0xFF);
        field[2 * i + 1] = UInt8(text[i] >> 8);
    }
}

// The units up to the first zero unit (all of them when there is none).
inline std::u16string fieldText(const UInt8* field, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(field[i] | (field[i + 1] << 8));
        if (!unit) break;
        text.push_back(unit);
    }
    return text;
}

inline QrolMyFaxRecord fileEntry(const std::u16string& name, const std::u16string& number,
                                 const std::u16string& company = u"",
                                 const std::u16string& memo = u"", SInt64 created = 0) {
    QrolMyFaxRecord entry{};
    setField(entry.name, sizeof entry.name, name);
    setField(entry.faxNumber, sizeof entry.faxNumber, number);
    setField(entry.company, sizeof entry.company, company);
    setField(entry.memo, sizeof entry.memo, memo);
    entry.creationTime = created;
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
