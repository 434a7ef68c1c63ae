#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 describes them, read leniently:
// - records end at CR, LF or CR LF outside quotes; a line break at the very
//   end of the text ends the last record and starts no new one;
// - a field that starts with a double quote runs to the next lone double
//   quote; inside it commas and line breaks are part of the field and a
//   doubled quote stands for one quote;
// - what follows a closing quote up to the next comma or line end is kept
//   as it stands, and a quote inside an unquoted field is an ordinary
//   character (what spreadsheet programs do with such text).
// Every field read comes from characters of the text, so the fields of a
// text together are never longer than the text.
class CsvReader {
public:
    static QList<QStringList> records(const QString& text);

    // The field in double quotes, its quotes doubled: read back, it gives the
    // field itself whatever it holds.
    static QString quoted(const QString& field);
    // The records written with every field quoted, fields separated by
    // commas and each record followed by CR LF.
    static QString text(const QList<QStringList>& records);
};
