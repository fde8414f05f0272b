#include "DeviceReader.h"

#include "QrolText.h"

#include <QrolKit.h>

#include <QCoreApplication>
#include <QMutex>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("DeviceReader", text);
}

} // namespace

DeviceData readDeviceData(const QString& address, const QString& password) {
    static QMutex device; // the destination is the library's one setting
    QMutexLocker lock(&device);
    DeviceData read;
    QROLDataRef data = QROLData_Create();
    QrolDevice_SetDestinationDevice(0, 1, cfString(address).get());
    const QrolResult result =
        data ? QrolDevice_ReadData(0, data, 23, cfString(password).get()) : kQrolErrMemory;
    if (result == kQrolErrPasswordRefused)
        read.failure = tr("The device refused the password.");
    else if (result != kQrolNoErr)
        read.failure =
            tr("The device at %1 did not answer in time or answered nonsense.").arg(address);
    if (result == kQrolNoErr) {
        QrolFaxRecord entry;
        for (UInt16 i = 0; i < QROLData_GetCount_Fax(data); ++i)
            if (QROLData_GetAt_Fax(data, i, &entry) == kQrolNoErr)
                read.entries.append({entry.Id, fieldText(entry.name, sizeof entry.name),
                                     fieldText(entry.faxNumber, sizeof entry.faxNumber)});
        QrolFaxGroupRecord group;
        for (UInt16 i = 0; i < QROLData_GetCount_FaxGroup(data); ++i) {
            if (QROLData_GetAt_FaxGroup(data, i, &group) != kQrolNoErr) continue;
            DeviceGroup& shown = read.groups.emplace_back();
            shown.name = fieldText(group.name, sizeof group.name);
            for (UInt16 m = 0; m < group.memberCount; ++m)
                shown.members += group.memberIds[m];
        }
    }
    QROLData_Delete(data);
    return read;
}
