#include "AddressBook.h"

#include "QrolText.h"

#include <QrolFields.h>

#include <QFileInfo>

#include <algorithm>

namespace {

BookEntry fromRecord(const QrolMyFaxRecord& record) {
    return {record.Id,
            fieldText(record.name, sizeof record.name),
            fieldText(record.faxNumber, sizeof record.faxNumber),
            fieldText(record.company, sizeof record.company),
            fieldText(record.memo, sizeof record.memo),
            record.creationTime};
}

BookGroup fromRecord(const QrolMyFaxGroupRecord& record) {
    BookGroup group{record.Id, fieldText(record.name, sizeof record.name), {}};
    for (UInt16 i = 0; i < record.memberCount; ++i)
        group.members += record.memberIds[i];
    return group;
}

template <typename Item> const Item* findId(const std::vector<Item>& items, SInt16 id) {
    const auto found = std::lower_bound(items.begin(), items.end(), id,
                                        [](const Item& item, SInt16 key) { return item.id < key; });
    return found != items.end() && found->id == id ? &*found : nullptr;
}

} // namespace

const BookEntry* BookContents::entry(SInt16 id) const {
    return findId(entries, id);
}

const BookGroup* BookContents::group(SInt16 id) const {
    return findId(groups, id);
}

const BookEntry* BookContents::sameAddress(const BookEntry& other) const {
    for (const BookEntry& stored : entries)
        if (stored.id != other.id && stored.name == other.name && stored.number == other.number)
            return &stored;
    return nullptr;
}

QrolMyFaxRecord toRecord(const BookEntry& entry) {
    QrolMyFaxRecord record{};
    record.Id = entry.id;
    qrol::writeField(record.name, sizeof record.name, utf16Units(entry.name));
    qrol::writeField(record.faxNumber, sizeof record.faxNumber, utf16Units(entry.number));
    qrol::writeField(record.company, sizeof record.company, utf16Units(entry.company));
    qrol::writeField(record.memo, sizeof record.memo, utf16Units(entry.memo));
    record.creationTime = entry.created;
    return record;
}

QrolMyFaxGroupRecord toRecord(const BookGroup& group) {
    QrolMyFaxGroupRecord record{};
    record.Id = group.id;
    qrol::writeField(record.name, sizeof record.name, utf16Units(group.name));
    for (SInt16 member : group.members)
        if (record.memberCount < kQrolMyFaxGroupMemberRoom)
            record.memberIds[record.memberCount++] = member;
    return record;
}

QString AddressBook::name() const {
    return QFileInfo(path_).fileName();
}

bool AddressBook::read(BookContents& contents) const {
    QROLDataRef data = QROLData_Create();
    const CFRef<CFStringRef> path = cfString(path_);
    const bool read = data && path && QrolGADFile_Read(path.get(), data, 0) == kQrolNoErr;
    if (read) {
        BookContents fresh;
        const UInt16 entryCount = QROLData_GetCount_MyFax(data);
        fresh.entries.reserve(entryCount);
        QrolMyFaxRecord entry;
        for (UInt16 i = 0; i < entryCount; ++i)
            if (QROLData_GetAt_MyFax(data, i, &entry) == kQrolNoErr)
                fresh.entries.push_back(fromRecord(entry));
        QrolMyFaxGroupRecord group;
        for (UInt16 i = 0; i < QROLData_GetCount_MyFaxGroup(data); ++i)
            if (QROLData_GetAt_MyFaxGroup(data, i, &group) == kQrolNoErr)
                fresh.groups.push_back(fromRecord(group));
        contents = std::move(fresh);
    }
    QROLData_Delete(data);
    return read;
}

QrolResult AddressBook::apply(qrol::BookChange& change, SInt16* conflict) const {
    const CFRef<CFStringRef> path = cfString(path_);
    return path ? qrol::applyBookChange(path.get(), change, conflict) : kQrolErrParam;
}

QrolResult AddressBook::create() const {
    const CFRef<CFStringRef> path = cfString(path_);
    return path ? qrol::createBook(path.get()) : kQrolErrParam;
}
