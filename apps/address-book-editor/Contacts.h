// Contacts read from another program's file (vCard or CSV), before the field rules decide
// which become entries.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct Contact {
    QString name;
    QString company;
    QString memo;
    QStringList faxNumbers; // each becomes an entry
    QStringList groups;     // names of the groups the contact belongs to
    QString place;          // where the contact starts in its file ("line 12", "row 3")
};

struct SkippedContact {
    QString what; // the contact's name, or its place when it has none
    QString why;
};

struct ContactFile {
    QString refusal; // not empty when the file as a whole cannot be read
    QList<Contact> contacts;
    QList<SkippedContact> skipped;
};
