// One address-book file as the editor sees it: its entries and groups read through QrolKit,
// and changes written back through it, each as one transaction.
#pragma once

#include <QrolBookChanges.h>

#include <QList>
#include <QString>

#include <vector>

struct BookEntry {
    SInt16 id = 0; // 0 for an entry not yet stored
    QString name;
    QString number;
    QString company;
    QString memo;
    qint64 created = 0; // seconds since 1970
};

struct BookGroup {
    SInt16 id = 0;
    QString name;
    QList<SInt16> members; // entry Ids, at most kQrolMyFaxGroupMemberRoom
};

struct BookContents {
    std::vector<BookEntry> entries; // in Id order
    std::vector<BookGroup> groups;

    const BookEntry* entry(SInt16 id) const;
    const BookGroup* group(SInt16 id) const;
    // The stored entry with the same name and number as the given one, other than itself.
    const BookEntry* sameAddress(const BookEntry& entry) const;
};

// The records of QrolKit for an entry or group (texts cut to their fields).
QrolMyFaxRecord toRecord(const BookEntry& entry);
QrolMyFaxGroupRecord toRecord(const BookGroup& group);

class AddressBook {
  public:
    explicit AddressBook(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // The book's name: its file name.
    QString name() const;

    // Reads the whole book; false (contents untouched) when it is no readable address book.
    bool read(BookContents& contents) const;
    // Applies the change as one transaction (QrolBookChanges.h); Ids of new records are
    // written back. *conflict gets the Id of an entry with the same name and number.
    QrolResult apply(qrol::BookChange& change, SInt16* conflict = nullptr) const;
    // Makes the book's file as an empty book.
    QrolResult create() const;

  private:
    QString path_;
};
