#include "ContactExport.h"

#include "CsvContacts.h"
#include "CsvRows.h"

namespace {

QList<const BookEntry*> chosen(const BookContents& book, const QList<SInt16>& ids) {
    QList<const BookEntry*> entries;
    for (const BookEntry& entry : book.entries)
        if (ids.isEmpty() || ids.contains(entry.id)) entries += &entry;
    return entries;
}

QStringList groupsOf(const BookContents& book, SInt16 id) {
    QStringList names;
    for (const BookGroup& group : book.groups)
        if (group.members.contains(id)) names += group.name;
    return names;
}

QString escaped(QString text) {
    return text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\n', QLatin1String("\\n"))
        .replace(u',', QLatin1String("\\,"))
        .replace(u';', QLatin1String("\\;"));
}

// A content line folded after at most 75 octets, never inside a UTF-8 sequence.
QByteArray folded(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    qsizetype width = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool continuation = (uchar(bytes[i]) & 0xC0) == 0x80;
        if (width >= 75 && !continuation) {
            out += "\r\n ";
            width = 1;
        }
        out += bytes[i];
        ++width;
    }
    return out + "\r\n";
}

} // namespace

QByteArray exportVCards(const BookContents& book, const QList<SInt16>& ids) {
    QByteArray out;
    for (const BookEntry* entry : chosen(book, ids)) {
        out += "BEGIN:VCARD\r\nVERSION:4.0\r\n";
        out += folded(QLatin1String("FN:") + escaped(entry->name));
        out += folded(QLatin1String("TEL;VALUE=text;TYPE=fax:") + entry->number);
        if (!entry->company.isEmpty())
            out += folded(QLatin1String("ORG:") + escaped(entry->company));
        if (!entry->memo.isEmpty()) out += folded(QLatin1String("NOTE:") + escaped(entry->memo));
        QStringList groups = groupsOf(book, entry->id);
        for (QString& group : groups)
            group = escaped(group);
        if (!groups.isEmpty()) out += folded(QLatin1String("CATEGORIES:") + groups.join(u','));
        out += "END:VCARD\r\n";
    }
    return out;
}

QByteArray exportCsv(const BookContents& book, const QList<SInt16>& ids) {
    QByteArray out = csvRow(csvExportHeader());
    for (const BookEntry* entry : chosen(book, ids))
        out += csvRow({entry->name, entry->number, entry->company, entry->memo,
                       groupsOf(book, entry->id).join(QLatin1String(" ::: "))});
    return out;
}
