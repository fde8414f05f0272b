// Data sets: creating, counting, fetching records, and storing file entries to be added.
#include "QrolDataSet.h"
#include "QrolEntryRules.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

template <class Record> UInt16 countOf(const std::vector<Record>& records) {
    return UInt16(std::min<size_t>(records.size(), std::numeric_limits<UInt16>::max()));
}

template <class Record>
QrolResult copyAt(const std::vector<Record>* records, UInt16 index, Record* record) {
    if (!records || !record || index >= records->size()) return kQrolErrParam;
    *record = (*records)[index];
    return kQrolNoErr;
}

} // namespace

QROLDataRef QROLData_Create(void) {
    return new (std::nothrow) OpaqueQROLData;
}

void QROLData_Delete(QROLDataRef data) {
    delete data;
}

UInt16 QROLData_GetCount_Fax(QROLDataRef data) {
    return data ? countOf(data->fax) : 0;
}

UInt16 QROLData_GetCount_FaxGroup(QROLDataRef data) {
    return data ? countOf(data->faxGroups) : 0;
}

UInt16 QROLData_GetCount_MyFax(QROLDataRef data) {
    return data ? countOf(data->myFax) : 0;
}

UInt16 QROLData_GetCount_MyFaxGroup(QROLDataRef data) {
    return data ? countOf(data->myFaxGroups) : 0;
}

QrolResult QROLData_GetAt_Fax(QROLDataRef data, UInt16 index, QrolFaxRecord* record) {
    return copyAt(data ? &data->fax : nullptr, index, record);
}

QrolResult QROLData_GetAt_FaxGroup(QROLDataRef data, UInt16 index, QrolFaxGroupRecord* record) {
    return copyAt(data ? &data->faxGroups : nullptr, index, record);
}

QrolResult QROLData_GetAt_MyFax(QROLDataRef data, UInt16 index, QrolMyFaxRecord* record) {
    return copyAt(data ? &data->myFax : nullptr, index, record);
}

QrolResult QROLData_GetAt_MyFaxGroup(QROLDataRef data, UInt16 index, QrolMyFaxGroupRecord* record) {
    return copyAt(data ? &data->myFaxGroups : nullptr, index, record);
}

QrolResult QROLData_Add_MyFax(QROLDataRef data, UInt16 count, const QrolMyFaxRecord* records) {
    if (!data || (count > 0 && !records)) return kQrolErrParam;
    // Every record of the set must stay reachable by a 16-bit index.
    if (data->myFax.size() + count > std::numeric_limits<UInt16>::max()) return kQrolErrParam;
    for (UInt16 i = 0; i < count; ++i) {
        if (QrolResult result = qrol::checkNewEntry(records[i])) return result;
        auto same = [&](const QrolMyFaxRecord& other) {
            return qrol::sameAddress(records[i], other);
        };
        if (std::any_of(records, records + i, same) ||
            std::any_of(data->myFax.begin(), data->myFax.end(), same))
            return kQrolErrAlreadyExists;
    }
    try {
        data->myFax.insert(data->myFax.end(), records, records + count);
    } catch (const std::bad_alloc&) {
        return kQrolErrMemory;
    }
    return kQrolNoErr;
}
