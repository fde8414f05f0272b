// Files of contacts by their kind: ".vcf" and ".vcard" are vCard, ".csv" is CSV; a file of
// another name is vCard when it begins with a card, CSV otherwise.
#pragma once

#include "AddressBook.h"
#include "Contacts.h"

#include <QString>

enum class ContactFormat { VCard, Csv };

ContactFormat formatOfName(const QString& path);

// Reads the file (at most 256 MiB); a refusal says why it cannot be.
ContactFile readContactFile(const QString& path);
// Writes the entries (all when ids is empty) in the format of the file's name; an empty string
// on success, else why not.
QString writeContactFile(const QString& path, const BookContents& book,
                         const QList<SInt16>& ids = {});
