#include "BookFolder.h"

#include "AddressBook.h"
#include "QrolText.h"

#include <CFRef.h>
#include <QrolKit.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("BookFolder", text);
}

} // namespace

namespace BookFolder {

QString path() {
    const CFRef<CFStringRef> folder(QrolGADFile_GetFileDirectory());
    return folder ? qString(folder.get()) : QString();
}

QStringList names() {
    QStringList names;
    if (CFStringRef list = QrolGADFile_GetFileList()) // U+0000 after each name
        names = qString(list).split(QChar(0), Qt::SkipEmptyParts);
    return names;
}

QString bookPath(const QString& nameOrPath) {
    if (nameOrPath.contains(u'/')) return nameOrPath;
    return path() + u'/' + nameOrPath;
}

bool isValidName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains(u'/') && !name.startsWith(u'.') &&
           !name.endsWith(QLatin1String("-journal")) && !name.endsWith(QLatin1String("-wal")) &&
           !name.endsWith(QLatin1String("-shm"));
}

QString create(const QString& name) {
    if (!isValidName(name))
        return tr("A book name cannot be empty, begin with \".\" or hold \"/\".");
    if (path().isEmpty()) return tr("The address book folder cannot be made.");
    if (QFile::exists(bookPath(name))) return tr("A book named \"%1\" already exists.").arg(name);
    if (AddressBook(bookPath(name)).create() != kQrolNoErr)
        return tr("The book \"%1\" cannot be made.").arg(name);
    return {};
}

QString rename(const QString& name, const QString& newName) {
    if (!isValidName(newName))
        return tr("A book name cannot be empty, begin with \".\" or hold \"/\".");
    if (QFile::exists(bookPath(newName)))
        return tr("A book named \"%1\" already exists.").arg(newName);
    if (!QFile::rename(bookPath(name), bookPath(newName)))
        return tr("The book \"%1\" cannot be renamed.").arg(name);
    return {};
}

QString remove(const QString& name) {
    if (!QFile::remove(bookPath(name))) return tr("The book \"%1\" cannot be deleted.").arg(name);
    QFile::remove(bookPath(name) + QLatin1String("-journal"));
    return {};
}

} // namespace BookFolder
