// The folder of the address-book files (QrolKit's: $NV_ADDRESS_BOOK_DIR, else
// $XDG_DATA_HOME/NVSendraFax/AddressBooks): listing, making, renaming and removing books.
#pragma once

#include <QString>
#include <QStringList>

namespace BookFolder {

// The folder's path, made when missing; empty when it cannot be made.
QString path();
// The books' names (file names) in name order.
QStringList names();
// The path of a book given by name (a bare name is in the folder) or by path.
QString bookPath(const QString& nameOrPath);
// A book name a user may type: not empty, no "/", not hidden, not SQLite's side files.
bool isValidName(const QString& name);

// Makes the empty book; an empty string on success, else why not.
QString create(const QString& name);
QString rename(const QString& name, const QString& newName);
// Removes the book and the journal SQLite may have left beside it.
QString remove(const QString& name);

} // namespace BookFolder
