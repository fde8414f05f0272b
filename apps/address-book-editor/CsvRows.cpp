#include "CsvRows.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <csv.h>

namespace {

struct Collector {
    QList<QByteArrayList> rows;
    QByteArrayList row;
};

void takeField(void* field, size_t size, void* data) {
    static_cast<Collector*>(data)->row +=
        QByteArray(static_cast<const char*>(field), qsizetype(size));
}

void endRow(int, void* data) {
    auto* collector = static_cast<Collector*>(data);
    collector->rows += collector->row;
    collector->row.clear();
}

// The separator the first line uses more of, outside quotes: ';' or ','.
char separatorOf(const QByteArray& bytes) {
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n') break;
        commas += c == ',';
        semicolons += c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

} // namespace

CsvTable readCsvRows(const QByteArray& input) {
    CsvTable table;
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        table.refusal = QCoreApplication::translate("CsvRows", "The file is not UTF-8 text.");
        return table;
    }

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        table.refusal = QCoreApplication::translate("CsvRows", "Out of memory.");
        return table;
    }
    csv_set_delim(&parser, static_cast<unsigned char>(separatorOf(bytes)));
    Collector collector;
    const bool parsed = csv_parse(&parser, bytes.constData(), size_t(bytes.size()), takeField,
                                  endRow, &collector) == size_t(bytes.size()) &&
                        csv_fini(&parser, takeField, endRow, &collector) == 0;
    if (!parsed)
        table.refusal = QCoreApplication::translate("CsvRows", "The file is not CSV text: %1.")
                            .arg(QString::fromLatin1(csv_strerror(csv_error(&parser))));
    csv_free(&parser);
    if (!parsed) return table;
    for (const QByteArrayList& row : collector.rows) {
        QStringList fields;
        for (const QByteArray& field : row)
            fields += QString::fromUtf8(field);
        table.rows += fields;
    }
    return table;
}

QByteArray csvRow(const QStringList& fields) {
    QByteArrayList quoted;
    for (const QString& field : fields) {
        const QByteArray bytes = field.toUtf8();
        QByteArray written(bytes.size() * 2 + 2, Qt::Uninitialized); // every quote doubled
        written.resize(qsizetype(csv_write(written.data(), size_t(written.size()),
                                           bytes.constData(), size_t(bytes.size()))));
        quoted += written;
    }
    return quoted.join(',') + "\r\n";
}
