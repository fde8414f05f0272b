// A book, or chosen entries of it, written for other programs: vCard 4.0 (RFC 6350; one card
// per entry, its groups as CATEGORIES) and CSV (the header csvExportHeader names). Reading
// either back (VCardReader.h, CsvContacts.h) gives the same entries and memberships.
#pragma once

#include "AddressBook.h"

#include <QByteArray>
#include <QList>

// All entries when ids is empty.
QByteArray exportVCards(const BookContents& book, const QList<SInt16>& ids = {});
QByteArray exportCsv(const BookContents& book, const QList<SInt16>& ids = {});
