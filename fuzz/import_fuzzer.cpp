// Reads untrusted bytes as an imported CSV or RTF file, as the series import
// does; the first byte chooses the reader (even: CSV, odd: RTF). Whatever
// comes in, the readers must not crash, their output stays within the size
// of the input, the values they give are clean single lines, and CSV records
// written back with every field quoted read back as the same records.
#include "data/CsvReader.h"
#include "data/RtfTextConverter.h"
#include "data/SeriesImportSources.h"
#include "data/TextFileDecoder.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "import_fuzzer: %s\n", what);
    std::abort();
}

void expectCleanValues(const QStringList& values, qsizetype inputSize)
{
    // A blank line or an empty field is an empty value in its place, but
    // blanks at the end of the input give none, and every value takes at
    // least one character of the input (its own, or the separator after it).
    if (!values.isEmpty() && values.constLast().isEmpty())
        fail("an empty value at the end");
    if (values.size() > inputSize)
        fail("more values than characters in the input");
    qsizetype total = 0;
    for (const QString& value : values) {
        if (value.contains(u'\\') || value.contains(u'{') || value.contains(u'}'))
            fail("a value with a character that cleaning removes");
        if (value.contains(u'\n') || value.contains(u'\r'))
            fail("a value with a line break");
        total += value.size();
    }
    if (total > inputSize)
        fail("values longer than the input");
}

void csv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    const QList<QStringList> records = CsvReader::records(text);
    qsizetype total = 0;
    for (const QStringList& record : records) {
        if (record.isEmpty())
            fail("a record without fields");
        for (const QString& field : record)
            total += field.size();
    }
    if (total > text.size())
        fail("fields longer than the text");
    if (CsvReader::records(CsvReader::text(records)) != records)
        fail("quoted records read back differently");

    const SeriesImportSources::Result result = SeriesImportSources::valuesFromBytes(bytes, QStringLiteral("csv"));
    if (result.ok() && !TextFileDecoder::decode(bytes))
        fail("values read from bytes that are no text");
    expectCleanValues(result.values, bytes.size());
}

void rtf(const QByteArray& bytes)
{
    const std::optional<QString> text = RtfTextConverter::plainText(bytes);
    if (text.has_value() != bytes.startsWith("{\\rtf"))
        fail("the RTF check disagrees with the document's start");
    if (text && text->size() > bytes.size())
        fail("plain text longer than the document");
    const SeriesImportSources::Result result = SeriesImportSources::valuesFromBytes(bytes, QStringLiteral("rtf"));
    expectCleanValues(result.values, bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The input itself, not a copy: unlike a copy made by Qt it has no NUL
    // after its end, so a read past the input is a fault the sanitizer reports.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        csv(bytes);
    else
        rtf(bytes);
    return 0;
}
