// The fax device's address data read through QrolKit's device calls: its entries and groups,
// guarded by the fax password. A call blocks for at most QrolKit's bounded time-outs, so the
// device tab runs it off the window's thread.
#pragma once

#include <QList>
#include <QString>

struct DeviceEntry {
    int id = 0;
    QString name;
    QString number;
};

struct DeviceGroup {
    QString name;
    QList<int> members; // entry Ids
};

struct DeviceData {
    QString failure; // empty when the data was read
    QList<DeviceEntry> entries;
    QList<DeviceGroup> groups;
};

DeviceData readDeviceData(const QString& address, const QString& password);
