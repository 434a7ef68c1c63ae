#include "platform/PdfFileCheck.h"

#include <QByteArray>
#include <QFile>

namespace {

// The line starting at `at` (without its end) and where the next one starts.
QByteArrayView lineAt(QByteArrayView pdf, qsizetype at, qsizetype* next)
{
    qsizetype end = at;
    while (end < pdf.size() && pdf[end] != '\n' && pdf[end] != '\r')
        ++end;
    qsizetype after = end;
    if (after < pdf.size() && pdf[after] == '\r')
        ++after;
    if (after < pdf.size() && pdf[after] == '\n')
        ++after;
    *next = after;
    return pdf.sliced(at, end - at);
}

bool isDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

qint64 numberOf(QByteArrayView digits)
{
    return digits.size() > 18 || !isDigits(digits) ? -1 : digits.toByteArray().toLongLong();
}

}

bool PdfFileCheck::isWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return false;
    const uchar* data = file.map(0, file.size());
    if (data)
        return isWhole(QByteArrayView(reinterpret_cast<const char*>(data), file.size()));
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError && isWhole(QByteArrayView(bytes));
}

bool PdfFileCheck::isWhole(QByteArrayView pdf)
{
    if (!pdf.startsWith("%PDF-"))
        return false;
    // The end: "startxref", the table's offset, "%%EOF".
    qsizetype end = pdf.size();
    while (end > 0 && (pdf[end - 1] == '\n' || pdf[end - 1] == '\r' || pdf[end - 1] == ' '))
        --end;
    const QByteArrayView tail = pdf.first(end);
    if (!tail.endsWith("%%EOF"))
        return false;
    const qsizetype keyword = tail.lastIndexOf(QByteArrayView("startxref"));
    if (keyword < 0)
        return false;
    const qint64 table = numberOf(tail.sliced(keyword + 9, end - 5 - keyword - 9).trimmed());
    if (table <= 0 || table >= keyword)
        return false;

    qsizetype at = table;
    if (lineAt(pdf, at, &at) != "xref")
        return false;
    bool sawEntry = false;
    for (;;) {
        if (at >= keyword)
            return false;
        qsizetype next = 0;
        const QByteArrayView header = lineAt(pdf, at, &next);
        if (header.startsWith("trailer"))
            return sawEntry;
        // A subsection: its first object number and its count of entries.
        const qsizetype space = header.indexOf(' ');
        if (space < 0)
            return false;
        const qint64 first = numberOf(header.first(space));
        const qint64 count = numberOf(header.sliced(space + 1));
        if (first < 0 || count < 0 || count > (keyword - next) / 20)
            return false;
        at = next;
        // Entries of 20 bytes: offset, generation, "n" (in use) or "f".
        for (qint64 i = 0; i < count; ++i, at += 20) {
            const QByteArrayView entry = pdf.sliced(at, 20);
            if (entry[10] != ' ' || entry[16] != ' ' || (entry[17] != 'n' && entry[17] != 'f'))
                return false;
            sawEntry = true;
            if (entry[17] == 'f')
                continue;
            const qint64 offset = numberOf(entry.first(10));
            const qint64 generation = numberOf(entry.sliced(11, 5));
            if (offset <= 0 || generation < 0 || offset >= table)
                return false;
            const QByteArray object = QByteArray::number(first + i) + ' ' + QByteArray::number(generation) + " obj";
            if (!pdf.sliced(offset).startsWith(object))
                return false;
        }
    }
}
