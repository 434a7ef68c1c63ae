#include "data/CsvReader.h"

QList<QStringList> CsvReader::records(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false; // something of the current field was read
    bool recordStarted = false;

    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field.append(c);
            }
            continue;
        }
        if (c == u',') {
            record.append(field);
            field.clear();
            fieldStarted = false;
            recordStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            fieldStarted = false;
            recordStarted = false;
        } else if (c == u'"' && !fieldStarted) {
            inQuotes = true;
            fieldStarted = true;
            recordStarted = true;
        } else {
            field.append(c);
            fieldStarted = true;
            recordStarted = true;
        }
    }
    if (recordStarted) {
        record.append(field);
        records.append(record);
    }
    return records;
}

QString CsvReader::quoted(const QString& field)
{
    QString result;
    result.reserve(field.size() + 2);
    result.append(u'"');
    for (const QChar c : field) {
        if (c == u'"')
            result.append(u'"');
        result.append(c);
    }
    result.append(u'"');
    return result;
}

QString CsvReader::text(const QList<QStringList>& records)
{
    QString result;
    for (const QStringList& record : records) {
        for (qsizetype i = 0; i < record.size(); ++i) {
            if (i > 0)
                result.append(u',');
            result.append(quoted(record.at(i)));
        }
        result.append(QStringLiteral("\r\n"));
    }
    return result;
}
