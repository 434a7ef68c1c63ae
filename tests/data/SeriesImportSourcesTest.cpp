#include "data/CsvReader.h"
#include "data/RtfTextConverter.h"
#include "data/SeriesImportSources.h"

#include <gtest/gtest.h>

using Sources = SeriesImportSources;

// Every line or field is a record for one card: a blank line or an empty
// field keeps its place, so the values after it stay with their records;
// only blanks at the very end go.
TEST(SeriesImportSources, LinesAndCsvBecomeCleanedValues)
{
    using Reader = QStringList (*)(const QString&);
    const Reader textFile = [](const QString& text) { return Sources::valuesFromBytes(text.toUtf8(), "txt").values; };
    const Reader csvFile = [](const QString& text) { return Sources::valuesFromBytes(text.toUtf8(), "CSV").values; };
    const Reader typed = [](const QString& text) { return Sources::valuesFromTypedText(text).values; };
    const struct
    {
        Reader reader;
        const char* text;
        QStringList values;
    } cases[] = {
        {Sources::valuesFromLines, "a\n\n  b  \n", {"a", "", "b"}},
        {textFile, "\xEF\xBB\xBF\r\nAcme\r\n \r\nVertex\r\n\r\n\r\n", {"", "Acme", "", "Vertex"}},
        {typed, "\n first \n\n   \n{last}\n \n", {"", " first ", "", "   ", "{last}"}},
        {csvFile, "Acme\r\n\r\nVertex\r\n\r\n", {"Acme", "", "Vertex"}},
        {csvFile, "Name,Company\nAda,\n,Acme\n", {"Name", "Company", "Ada", "", "", "Acme"}},
        {Sources::valuesFromLines, "a{b}\\c", {"abc"}},
        {Sources::valuesFromLines, "one\rtwo\r\nthree\n", {"one", "two", "three"}}, // old Mac line ends too
        {Sources::valuesFromLines, "C:\\img\\a.jpg", {"C:imga.jpg"}},
        {Sources::valuesFromLines, "\t\u200Bx\u200B\t", {"x"}},
        {Sources::valuesFromCsv, "a,b\rc,d\re", {"a", "b", "c", "d", "e"}}, // a line without comma counts
        {Sources::valuesFromCsv, "only\nlines\r\nhere", {"only", "lines", "here"}},
        {Sources::valuesFromCsv, "\"Smith, John\",\"say \"\"hi\"\"\"\n", {"Smith, John", "say \"hi\""}},
        {Sources::valuesFromCsv, "\"two\nlines\",x", {"two lines", "x"}},
        {Sources::valuesFromCsv, ",, ,\n{}", {}},
        {Sources::valuesFromCsv, "a\"b,\"c\"d", {"a\"b", "cd"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.reader(QString::fromUtf8(c.text)), c.values) << c.text;
}

TEST(SeriesImportSources, CsvRecordsAndTheirQuotedText)
{
    const struct
    {
        const char* text;
        QList<QStringList> records;
    } cases[] = {
        {"", {}},
        {"\n", {{""}}},
        {"a", {{"a"}}},
        {"a\r\n", {{"a"}}},
        {"a\r\rb", {{"a"}, {""}, {"b"}}},
        {",", {{"", ""}}},
        {"\"\"", {{""}}},
        {"\"a,\r\nb\"\"c\",d", {{"a,\r\nb\"c", "d"}}},
        {"\"open", {{"open"}}}, // a quote never closed runs to the end
    };
    for (const auto& c : cases) {
        const QList<QStringList> records = CsvReader::records(QString::fromUtf8(c.text));
        EXPECT_EQ(records, c.records) << c.text;
        EXPECT_EQ(CsvReader::records(CsvReader::text(records)), records) << c.text;
    }
}

TEST(SeriesImportSources, BlankTypedTextIsRefused)
{
    EXPECT_EQ(Sources::valuesFromTypedText("  \n\t ").message, Sources::emptyTypedTextMessage);
}

TEST(SeriesImportSources, RtfControlWordsGroupsAndCodePages)
{
    const struct
    {
        const char* rtf;
        const char* text;
    } cases[] = {
        {"{\\rtf1 a\\par b\\line c\\sect d\\page e}", "a\nb\nc\nd\ne"},
        {"{\\rtf1 one\\\ntwo\\\r\nthree}", "one\ntwo\nthree"},
        {"{\\rtf1 x\ny\r\nz}", "xyz"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}{\\*\\unknown skip}{\\info{\\title t}}kept}", "kept"},
        {"{\\rtf1\\ansi caf\\'e9 \\'80}", "café €"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}", "Да"},
        {"{\\rtf1\\mac \\'8e}", "é"},
        {"{\\rtf1 \\u8364\\'80 \\uc2\\u8212 ab c\\uc0\\u8220 d}", "€ — c“d"},
        {"{\\rtf1 \\u-10188\\'3f\\u-8930\\'3f}", "𝄞"},
        {"{\\rtf1 {\\uc3 \\u1234 xyz}\\u1 q}", "\u04D2\u0001"},
        {"{\\rtf1 a\\bin3 }}}b}", "ab"},
        {"{\\rtf1 \\{x\\}\\\\ \\~\\_\\-y}", "{x}\\ \u00A0\u2011y"},
        {"{\\rtf1 \\lquote q\\rquote \\ldblquote \\emdash\\endash\\bullet\\tab t\\cell u\\row}", "‘q’“—–•\tt\tu\n"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}}", "shown"},
        {"{\\rtf1 unbalanced {group", "unbalanced group"},
        {"{\\rtf1 end} after", "end"},
        {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghij z\\par99999999999999 w}", "ghij z\nw"},
    };
    for (const auto& c : cases) {
        const std::optional<QString> text = RtfTextConverter::plainText(c.rtf);
        ASSERT_TRUE(text) << c.rtf;
        EXPECT_EQ(*text, QString::fromUtf8(c.text)) << c.rtf;
    }
    EXPECT_FALSE(RtfTextConverter::plainText(" {\\rtf1 x}"));
    EXPECT_FALSE(RtfTextConverter::plainText("{\\rt"));
}
