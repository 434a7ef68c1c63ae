// The import sources against files that other programs wrote: LibreOffice's
// CSV and RTF export (and its own plain text of the same RTF), Python's csv
// module and codecs, a TextEdit-style RTF, and real picture folders.
#include "data/CsvReader.h"
#include "data/RtfTextConverter.h"
#include "data/SeriesImportSources.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString fixtures = QStringLiteral(TEST_SOURCE_DIR "/fixtures/imports/");

// Runs a program to its end; fails the test when it does not exit with 0.
void run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForStarted()) << program.toStdString();
    process.write(input);
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(180000)) << program.toStdString();
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAll().toStdString();
}

// LibreOffice converts the sources into `folder`, with a profile of its own
// so that tests running side by side do not share one.
void convertWithLibreOffice(const QTemporaryDir& folder, const QString& filter, const QStringList& sources)
{
    run(QStringLiteral("soffice"), QStringList{QStringLiteral("--headless"),
                                               "-env:UserInstallation=file://" + folder.filePath("profile"),
                                               QStringLiteral("--convert-to"), filter, QStringLiteral("--outdir"),
                                               folder.path()} + sources);
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList linesOf(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

} // namespace

TEST(SeriesImportFiles, LibreOfficeCsvGivesEveryCellIncludingOneColumnSheets)
{
    QTemporaryDir folder;
    convertWithLibreOffice(folder, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                           {fixtures + "guests.fods", fixtures + "one_column.fods"});
    const struct {
        const char* file;
        QStringList values;
    } cases[] = {
        {"guests.csv",
         {"Name", "Company", "Seat", "Smith, John", "The \"Best\" Cards", "7", "Zoë Ångström", "First line second line",
          "12A", "Braced  name", "", "\"quoted\", with comma"}},
        {"one_column.csv", {"ID-0001", "ID-0002", "", "Müller, Anna", "42"}},
    };
    for (const auto& c : cases) {
        const SeriesImportSources::Result r = SeriesImportSources::valuesFromTextFile(folder.filePath(c.file));
        EXPECT_TRUE(r.ok()) << c.file;
        EXPECT_EQ(r.values, c.values) << c.file;
    }
}

TEST(SeriesImportFiles, LibreOfficeRtfReadsAsLibreOfficesOwnText)
{
    QTemporaryDir folder;
    convertWithLibreOffice(folder, QStringLiteral("rtf"), {fixtures + "two_fonts.fodt", fixtures + "lines.txt"});
    const QTemporaryDir text;
    convertWithLibreOffice(text, QStringLiteral("txt:Text (encoded):UTF8"),
                           {folder.filePath("two_fonts.rtf"), folder.filePath("lines.rtf")});
    for (const char* name : {"two_fonts", "lines"}) {
        const QByteArray rtf = contentsOf(folder.filePath(QString(name) + ".rtf"));
        const std::optional<QString> ours = RtfTextConverter::plainText(rtf);
        ASSERT_TRUE(ours) << name;
        const QStringList theirs = linesOf(QString::fromUtf8(contentsOf(text.filePath(QString(name) + ".txt"))));
        EXPECT_EQ(linesOf(*ours), theirs) << name;
        const SeriesImportSources::Result r = SeriesImportSources::valuesFromTextFile(folder.filePath(QString(name) + ".rtf"));
        EXPECT_EQ(r.values, SeriesImportSources::valuesFromLines(theirs.join('\n'))) << name;
    }
    // The lines differ in font, size and colour; the characters come through
    // \u, \'hh and the code page alike.
    const QStringList values =
        SeriesImportSources::valuesFromTextFile(folder.filePath("two_fonts.rtf")).values;
    EXPECT_EQ(values,
              QStringList({"Anna Müller", "Straße 7, 8000 Zürich", "Price: 12 € – “special” offer", "",
                           "Mixed colour words", "Ελληνικά и кириллица", "日本語のテキスト", "Tab\tseparated",
                           "braces kept and backslash", "padded line"}));
}

TEST(SeriesImportFiles, TextEditStyleRtfBreaksLinesAtBackslashNewline)
{
    const SeriesImportSources::Result r = SeriesImportSources::valuesFromTextFile(fixtures + "textedit.rtf");
    EXPECT_EQ(r.values,
              QStringList({"Guest One", "Guest Two", "Café Renée", "€ 20 – VIP", "", "Line with braces and a backslash",
                           "example.org", "Last"}));
}

TEST(SeriesImportFiles, PythonCsvDialectsReadBackAsTheirRows)
{
    const QList<QStringList> rows = {{"Name", "Title", "Note"},
                                     {"Smith, John", "He said \"hi\"", "two\r\nlines"},
                                     {"", "  padded  ", "one\nbreak"},
                                     {"only"},
                                     {"Zoë", "€", "{x}\\y"}};
    QJsonArray json;
    for (const QStringList& row : rows)
        json.append(QJsonArray::fromStringList(row));
    QTemporaryDir folder;
    const QByteArray script = R"(
import csv, json, sys
rows = json.loads(sys.stdin.read())
dialects = {"excel": {}, "all_cr": {"quoting": csv.QUOTE_ALL, "lineterminator": "\r"},
            "lf": {"lineterminator": "\n"}}
for name, options in dialects.items():
    with open(sys.argv[1] + "/" + name + ".csv", "w", newline="", encoding="utf-8") as f:
        csv.writer(f, **options).writerows(rows)
)";
    write(folder.filePath("write.py"), script);
    run(QStringLiteral("/usr/bin/python3"), {folder.filePath("write.py"), folder.path()},
        QJsonDocument(json).toJson());
    const QStringList values = {"Name",      "Title", "Note",   "Smith, John", "He said \"hi\"",
                                "two lines", "",      "padded", "one break",   "only",
                                "Zoë",       "€",     "xy"};
    for (const char* name : {"excel", "all_cr", "lf"}) {
        const QString path = folder.filePath(QString(name) + ".csv");
        EXPECT_EQ(CsvReader::records(QString::fromUtf8(contentsOf(path))), rows) << name;
        EXPECT_EQ(SeriesImportSources::valuesFromTextFile(path).values, values) << name;
    }
}

TEST(SeriesImportFiles, TextEncodingsByByteOrderMarkUtf8AndFallback)
{
    const QString text = QStringLiteral("Zoë\r\n  Ärger  \n\n€ 5 {x}\n𝄞 clef");
    const QStringList values = {"Zoë", "Ärger", "", "€ 5 x", "𝄞 clef"};
    QTemporaryDir folder;
    const QByteArray script = R"(
import sys
text = sys.stdin.buffer.read().decode("utf-8")
encodings = {"utf8": "utf-8", "utf8bom": "utf-8-sig", "utf16": "utf-16", "utf16be": "utf-16-be",
             "utf32": "utf-32", "utf32be": "utf-32-be", "utf16nobom": "utf-16-le"}
for name, encoding in encodings.items():
    data = text.encode(encoding)
    if name.endswith("be"):
        data = "\ufeff".encode(encoding) + data
    open(sys.argv[1] + "/" + name + ".txt", "wb").write(data)
open(sys.argv[1] + "/cp1252.txt", "wb").write(text.replace("\U0001D11E", "#").encode("cp1252"))
open(sys.argv[1] + "/badutf8bom.txt", "wb").write(b"\xef\xbb\xbfok\n\xc3\x28")
open(sys.argv[1] + "/binary.txt", "wb").write(b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x81")
)";
    write(folder.filePath("write.py"), script);
    run(QStringLiteral("/usr/bin/python3"), {folder.filePath("write.py"), folder.path()}, text.toUtf8());
    QStringList fallback = values;
    fallback.last() = "# clef";
    const QString& undecodable = SeriesImportSources::undecodableMessage;
    const struct {
        const char* file;
        QStringList values;
        QString message;
    } cases[] = {
        {"utf8", values, {}},        {"utf8bom", values, {}},         {"utf16", values, {}},
        {"utf16be", values, {}},     {"utf32", values, {}},           {"utf32be", values, {}},
        {"cp1252", fallback, {}},    {"utf16nobom", {}, undecodable}, {"badutf8bom", {}, undecodable},
        {"binary", {}, undecodable},
    };
    for (const auto& c : cases) {
        const SeriesImportSources::Result r =
            SeriesImportSources::valuesFromTextFile(folder.filePath(QString(c.file) + ".txt"));
        EXPECT_EQ(r.message, c.message) << c.file;
        EXPECT_EQ(r.values, c.values) << c.file;
    }
    // The same text through iconv, an encoder of its own.
    run(QStringLiteral("sh"), {"-c", "iconv -f UTF-8 -t UTF-16 \"$0/utf8.txt\" > \"$0/iconv.txt\"", folder.path()});
    EXPECT_EQ(SeriesImportSources::valuesFromTextFile(folder.filePath("iconv.txt")).values, values);
}

TEST(SeriesImportFiles, FilesThatCannotBeImportedSayWhy)
{
    QTemporaryDir folder;
    write(folder.filePath("empty.txt"), {});
    write(folder.filePath("blank.rtf"), "{\\rtf1\\ansi{\\fonttbl\\f0 Arial;}}");
    write(folder.filePath("plain.rtf"), "just text, no RTF");
    write(folder.filePath("only_blanks.txt"), " \n\t\n");
    QFile huge(folder.filePath("huge.csv"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(SeriesImportSources::maxTextFileBytes + 1));
    huge.close();
    const QString& unreadable = SeriesImportSources::unreadableFileMessage;
    const QString& undecodable = SeriesImportSources::undecodableMessage;
    const QString tooLarge = SeriesImportSources::tooLargeMessage();
    EXPECT_TRUE(tooLarge.contains("16 MB")) << tooLarge.toStdString();
    const std::pair<const char*, QString> cases[] = {
        {"missing.txt", unreadable}, {"", unreadable},           {"huge.csv", tooLarge}, {"empty.txt", undecodable},
        {"blank.rtf", undecodable},  {"plain.rtf", undecodable}, {"only_blanks.txt", {}}};
    for (const auto& [name, message] : cases) {
        const SeriesImportSources::Result r = SeriesImportSources::valuesFromTextFile(folder.filePath(name));
        EXPECT_EQ(r.message, message) << name;
        EXPECT_TRUE(r.values.isEmpty()) << name;
    }
}

TEST(SeriesImportFiles, PictureFoldersGiveFullPathsOfTheirOwnPictures)
{
    QTemporaryDir temporary;
    const QString folder = temporary.filePath("pictures");
    ASSERT_TRUE(QDir().mkpath(folder + "/trip") && QDir().mkpath(folder + "/album.png"));
    for (const char* name : {"photo.JPG", "b.png", "notes.txt", "trip/inner.jpg", ".jpg", "a.Tiff", "c.jpeg.bak",
                             "d.jfif", "e.JPE", "f.gif", "g.bmp", "h.tif", "noext"})
        write(folder + "/" + name, "x");
    ASSERT_TRUE(QFile::link(folder + "/b.png", folder + "/linked.png"));
    ASSERT_TRUE(QFile::link(folder + "/gone.png", folder + "/broken.png"));
    const QStringList names = {"a.Tiff", "b.png", "d.jfif", "e.JPE", "f.gif", "g.bmp", "h.tif", "linked.png",
                               "photo.JPG"};
    QStringList expected;
    for (const QString& name : names)
        expected.append(folder + "/" + name);
    EXPECT_EQ(SeriesImportSources::valuesFromPictureFolder(folder), expected);
    EXPECT_EQ(SeriesImportSources::valuesFromPictureFolder(folder + "/"), expected);
    EXPECT_TRUE(SeriesImportSources::valuesFromPictureFolder(temporary.filePath("none")).isEmpty());
    EXPECT_TRUE(SeriesImportSources::valuesFromPictureFolder(folder + "/b.png").isEmpty());
}

// A picture whose path holds a line break, in its own name or in its
// folder's, cannot be one value of a series: it is left out and named.
TEST(SeriesImportFiles, PicturePathsWithLineBreaksAreLeftOut)
{
    QTemporaryDir temporary;
    const QStringList names = {"01_Ann.png", "02_Bo\nLee.png", "03_Cid\r.png", "04_Dee.png"};
    for (const QString& folder : {temporary.filePath("plain"), temporary.filePath("two\r\nlines")}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        QStringList paths;
        for (const QString& name : names) {
            paths.append(folder + "/" + name);
            write(paths.last(), "x");
        }
        const bool split = folder.contains('\n');
        QStringList leftOut;
        EXPECT_EQ(SeriesImportSources::valuesFromPictureFolder(folder, &leftOut),
                  split ? QStringList() : QStringList({paths[0], paths[3]}));
        EXPECT_EQ(leftOut, split ? paths : QStringList({paths[1], paths[2]}));
    }
    const QStringList message = SeriesImportSources::leftOutMessage(QStringList(12, "/a\r\nb/c\r.png")).split('\n');
    ASSERT_EQ(message.size(), 12);
    EXPECT_EQ(message[1], "/a\u21B5b/c\u21B5.png");
    EXPECT_EQ(message[11], "and 2 more.");
}
