#include "ContactFiles.h"

#include "ContactExport.h"
#include "CsvContacts.h"
#include "VCardReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr qint64 kLargestFile = qint64(256) << 20;
constexpr qint64 kReadPiece = qint64(1) << 20;

QString tr(const char* text) {
    return QCoreApplication::translate("ContactFiles", text);
}

} // namespace

ContactFormat formatOfName(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
               ? ContactFormat::Csv
               : ContactFormat::VCard;
}

ContactFile readContactFile(const QString& path) {
    QFile file(path);
    ContactFile refused;
    if (!file.open(QIODevice::ReadOnly)) {
        refused.refusal = tr("%1 cannot be read: %2").arg(path, file.errorString());
        return refused;
    }
    // Read in pieces to just past the bound, so a pipe or a growing file is bounded too.
    QByteArray bytes;
    while (file.size() <= kLargestFile && bytes.size() <= kLargestFile) {
        const QByteArray piece = file.read(kReadPiece);
        if (piece.isEmpty()) break;
        bytes += piece;
    }
    if (file.size() > kLargestFile || bytes.size() > kLargestFile) {
        refused.refusal = tr("%1 is larger than 256 MiB.").arg(path);
        return refused;
    }
    if (file.error() != QFileDevice::NoError) {
        refused.refusal = tr("%1 cannot be read: %2").arg(path, file.errorString());
        return refused;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool vCard = suffix == QLatin1String("vcf") || suffix == QLatin1String("vcard") ||
                       (suffix != QLatin1String("csv") &&
                        bytes.trimmed().left(20).toUpper().contains("BEGIN:VCARD"));
    return vCard ? readVCards(bytes) : readCsvContacts(bytes);
}

QString writeContactFile(const QString& path, const BookContents& book, const QList<SInt16>& ids) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("%1 cannot be written: %2").arg(path, file.errorString());
    file.write(formatOfName(path) == ContactFormat::Csv ? exportCsv(book, ids)
                                                        : exportVCards(book, ids));
    if (!file.commit()) return tr("%1 cannot be written: %2").arg(path, file.errorString());
    return {};
}
