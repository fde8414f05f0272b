#include "CsvContacts.h"

#include "CsvRows.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("CsvContacts", text);
}

const QStringList kNameHeaders = {"name", "full name", "display name"};
const QStringList kFirstNameHeaders = {"first name", "given name"};
const QStringList kMiddleNameHeaders = {"middle name", "additional name"};
const QStringList kLastNameHeaders = {"last name", "family name"};
const QStringList kFaxHeaders = {"fax",      "fax number", "business fax",
                                 "work fax", "home fax",   "other fax"};
const QStringList kCompanyHeaders = {"company", "organization", "organisation",
                                     "organization 1 - name"};
const QStringList kMemoHeaders = {"notes", "note", "memo"};
const QStringList kGroupHeaders = {"groups", "categories", "group membership", "labels"};

// The columns of a file, by header.
struct Columns {
    int name = -1, first = -1, middle = -1, last = -1, company = -1, memo = -1, groups = -1;
    QList<int> faxes;
    QList<QPair<int, int>> typedPhones; // (type column, value column)

    explicit Columns(const QStringList& header) {
        static const QRegularExpression phone(
            QStringLiteral("^phone (\\d+) - (type|label|value)$"));
        QMap<QString, QPair<int, int>> phones;
        for (int i = 0; i < header.size(); ++i) {
            const QString key = header[i].trimmed().toLower();
            auto pick = [&](const QStringList& names, int& column) {
                if (column < 0 && names.contains(key)) column = i;
            };
            pick(kNameHeaders, name);
            pick(kFirstNameHeaders, first);
            pick(kMiddleNameHeaders, middle);
            pick(kLastNameHeaders, last);
            pick(kCompanyHeaders, company);
            pick(kMemoHeaders, memo);
            pick(kGroupHeaders, groups);
            if (kFaxHeaders.contains(key)) faxes += i;
            if (const auto match = phone.match(key); match.hasMatch()) {
                auto& pair = phones[match.captured(1)];
                if (match.captured(2) == QLatin1String("value"))
                    pair.second = i + 1;
                else
                    pair.first = i + 1;
            }
        }
        for (const auto& [type, value] : phones)
            if (type > 0 && value > 0) typedPhones.append({type - 1, value - 1});
    }

    bool usable() const {
        return (name >= 0 || first >= 0 || last >= 0) &&
               !(faxes.isEmpty() && typedPhones.isEmpty());
    }
};

QString field(const QStringList& row, int column) {
    return column >= 0 && column < row.size() ? row[column].trimmed() : QString();
}

// A cell listing several values, as Google's export does: "a ::: b".
QStringList listed(const QString& cell) {
    QStringList values;
    for (const QString& value : cell.split(QLatin1String(":::")))
        if (!value.trimmed().isEmpty()) values += value.trimmed();
    return values;
}

Contact contactOf(const Columns& columns, const QStringList& row, int rowNumber) {
    Contact contact;
    contact.place = tr("row %1").arg(rowNumber);
    contact.name = field(row, columns.name);
    if (contact.name.isEmpty()) {
        QStringList parts = {field(row, columns.first), field(row, columns.middle),
                             field(row, columns.last)};
        parts.removeAll(QString());
        contact.name = parts.join(u' ');
    }
    contact.company = field(row, columns.company);
    contact.memo = columns.memo >= 0 && columns.memo < row.size() ? row[columns.memo] : QString();
    contact.groups = listed(field(row, columns.groups));
    for (int column : columns.faxes)
        contact.faxNumbers += listed(field(row, column));
    for (const auto& [type, value] : columns.typedPhones)
        if (field(row, type).contains(QLatin1String("fax"), Qt::CaseInsensitive))
            contact.faxNumbers += listed(field(row, value));
    return contact;
}

} // namespace

ContactFile readCsvContacts(const QByteArray& bytes) {
    ContactFile file;
    const CsvTable table = readCsvRows(bytes);
    if (!table.refusal.isEmpty() || table.rows.isEmpty()) {
        file.refusal = table.rows.isEmpty() && table.refusal.isEmpty() ? tr("The file is empty.")
                                                                       : table.refusal;
        return file;
    }
    const Columns columns(table.rows.constFirst());
    if (!columns.usable()) {
        file.refusal = tr("The file has no name column or no fax column.");
        return file;
    }
    for (int i = 1; i < table.rows.size(); ++i)
        file.contacts += contactOf(columns, table.rows[i], i + 1);
    return file;
}

QStringList csvExportHeader() {
    return {QStringLiteral("Name"), QStringLiteral("Fax"), QStringLiteral("Company"),
            QStringLiteral("Notes"), QStringLiteral("Groups")};
}
