// Which contacts of a read file become entries of a book, and why the others do not: one entry
// per fax number; skipped are contacts without a fax number, texts the field rules refuse
// (FieldMessages.h), entries already in the book or earlier in the file, and memberships of
// groups that are full.
#pragma once

#include "AddressBook.h"
#include "Contacts.h"

struct ImportPlan {
    struct Group {
        QString name;
        SInt16 existingId = 0; // 0 for a group the import makes
        QList<int> newMembers; // indexes into entries
    };
    std::vector<BookEntry> entries;
    QList<Group> groups;
    QList<SkippedContact> skipped;

    // The change that adds the plan to the book it was made for, as one transaction.
    qrol::BookChange change(const BookContents& book) const;
};

ImportPlan planImport(const ContactFile& file, const BookContents& book);
