// Comma-separated text (RFC 4180 quoting, through libcsv): UTF-8 with or without a byte
// order mark, fields separated by commas or, when the first line has more of them,
// semicolons.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct CsvTable {
    QString refusal; // not empty when the text cannot be read
    QList<QStringList> rows;
};

CsvTable readCsvRows(const QByteArray& bytes);

// One row of fields, every field quoted, ended by CRLF.
QByteArray csvRow(const QStringList& fields);
