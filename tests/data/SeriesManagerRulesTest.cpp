// The series manager's rules without its window: saving under a name (the
// rename and replace rules, atomic replacement), deleting series in use,
// editing the value list, and exports read back by LibreOffice and by our
// workbook reader.

#include "app/Globals.h"
#include "common/ObjectTestSupport.h"
#include "data/Globals.h"
#include "data/SeriesDeletion.h"
#include "data/SeriesExporter.h"
#include "data/SeriesSaveRules.h"
#include "data/SeriesStore.h"
#include "data/SeriesValueList.h"
#include "data/SpreadsheetWriter.h"
#include "data/WorkbookTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace {

using Files = std::map<QString, QByteArray>;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The files of a folder and their contents (folders as "<folder>").
Files filesOf(const QString& folder)
{
    Files files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files[info.fileName()] = info.isDir() ? QByteArray("<folder>") : readFile(info.filePath());
    return files;
}

struct Saved
{
    SeriesSaveRules::Result result;
    bool asked = false;
    Files after;
};

// Saves `values` as `name` (opened as `openedAs`) in a folder holding
// `before`, answering `answer` when asked.
Saved saveIn(const Files& before, const QString& name, const QString& openedAs, const QStringList& values, bool answer)
{
    QTemporaryDir folder;
    for (const auto& [file, bytes] : before) {
        if (bytes == "<folder>")
            QDir(folder.path()).mkdir(file);
        else
            writeFile(folder.filePath(file), bytes);
    }
    Saved saved;
    SeriesSaveRules::Questions questions;
    questions.askReplace = [&] {
        saved.asked = true;
        return answer;
    };
    // opened as the folder holds it
    const FileStamp opened = FileStamp::ofFile(SeriesSaveRules::seriesPath(folder.path(), openedAs),
                                               SeriesStore::maxSeriesFileBytes);
    saved.result = SeriesSaveRules::save(folder.path(), name, openedAs, opened, values, questions);
    saved.after = filesOf(folder.path());
    return saved;
}
}

TEST(SeriesSaveRules, RenameAndReplaceRules)
{
    // an empty value is an empty record and keeps its place
    const QStringList values {" b ", "", "a", "   ", "c"};
    const QByteArray written = "b\n\na\n\nc\n";
    struct Case
    {
        const char* what;
        Files before;
        QString name, openedAs;
        bool answer;
        SeriesSaveRules::Result result;
        bool asked;
        Files after;
    };
    using R = SeriesSaveRules::Result;
    const Files oldA {{"A.txt", "old\n"}}, otherC {{"C.txt", "other\n"}};
    const Files oldAOtherC {{"A.txt", "old\n"}, {"C.txt", "other\n"}},
        folderD {{"A.txt", "old\n"}, {"D.txt", "<folder>"}};
    const Files writtenA {{"A.txt", written}}, writtenN {{"N.txt", written}};
    const Files keptA {{"A.txt", "old\n"}, {"C.txt", written}};
    const Case cases[] = {
        {"new series, free name", {}, "N", "", false, R::Saved, false, writtenN},
        {"same name replaces without asking", oldA, "A", "A", false, R::Saved, false, writtenA},
        {"renamed to a free name moves", oldA, "B", "A", false, R::Saved, false, {{"B.txt", written}}},
        {"renamed onto another series, No", oldAOtherC, "C", "A", false, R::Declined, true, oldAOtherC},
        {"renamed onto another series, Yes keeps the old name", oldAOtherC, "C", "A", true, R::Saved, true, keptA},
        {"new series onto an existing one asks", otherC, "C", "", false, R::Declined, true, otherC},
        {"reserved characters at the ends are cleaned", {}, "/N?", "", false, R::Saved, false, writtenN},
        {"a name compared as typed asks even for its own file", oldA, "A ", "A", true, R::Saved, true, writtenA},
        {"a path in the name is refused", oldA, "../A", "A", true, R::BadName, false, oldA},
        {"inner slash refused", {}, "a/b", "", true, R::BadName, false, {}},
        {"dot-dot refused", {}, "..", "", true, R::BadName, false, {}},
        {"empty after cleaning refused", {}, "**", "", true, R::BadName, false, {}},
        // the target is a folder: nothing written, the old file stays
        {"unwritable target keeps the old file", folderD, "D", "A", true, R::WriteFailed, true, folderD},
    };
    for (const Case& c : cases) {
        const Saved saved = saveIn(c.before, c.name, c.openedAs, values, c.answer);
        EXPECT_EQ(int(saved.result), int(c.result)) << c.what;
        EXPECT_EQ(saved.asked, c.asked) << c.what;
        EXPECT_EQ(saved.after, c.after) << c.what;
    }
}

// A reserved character at either end of a name: the opened series is its
// file as listed, so Save under the opened name writes that file and a
// rename removes it, while a name that cleans to another file asks first.
// "/" is only typed (no file name holds it); "\" may be in a file's name,
// though no series is saved under such a name.
TEST(SeriesSaveRules, OnlyTheOpenedFileIsReplacedOrMoved)
{
    using R = SeriesSaveRules::Result;
    for (const QChar reserved : QStringLiteral("/\\?%*|\"<>")) {
        for (const QString& marked : {reserved + QStringLiteral("X"), QStringLiteral("X") + reserved}) {
            SCOPED_TRACE(marked.toStdString());
            const QString file = marked + ".txt";
            const bool onDisk = reserved != QLatin1Char('/');
            Files before {{"X.txt", "x\n"}, {"Y.txt", "y\n"}};
            if (onDisk)
                before[file] = "m\n";
            Files ownWritten = before, moved = before, otherReplaced = before;
            ownWritten[file] = "new\n";
            moved.erase(file);
            moved["New.txt"] = "new\n";
            otherReplaced["X.txt"] = "new\n";
            const auto check = [&](const QString& name, const QString& openedAs, bool answer, R result, bool asked,
                                   const Files& after) {
                SCOPED_TRACE((name + " opened as " + openedAs).toStdString());
                const Saved saved = saveIn(before, name, openedAs, {"new"}, answer);
                EXPECT_EQ(int(saved.result), int(result));
                EXPECT_EQ(saved.asked, asked);
                EXPECT_EQ(saved.after, after);
            };
            check(marked, "Y", false, R::Declined, true, before);
            if (!onDisk)
                continue;
            const bool nameable = reserved != QLatin1Char('\\');
            check(marked, marked, false, nameable ? R::Saved : R::BadName, false, nameable ? ownWritten : before);
            check("New", marked, false, R::Saved, false, moved);
            check("X", marked, true, R::Saved, true, otherReplaced);
        }
    }
}

// The series S was opened holding "a" and the folder holds `before` at Save:
// a change made since is replaced only after a Yes, and checked again under
// the write's lock; a file that went is told of and saved as new; a save onto
// another series leaves the opened file alone.
TEST(SeriesSaveRules, ChangedSinceOpenedIsAskedAbout)
{
    using R = SeriesSaveRules::Result;
    const QByteArray shown = "a\nb\n";
    const QByteArray added = "a\nc\n";
    struct Case
    {
        const char* what;
        Files before;
        QString name;
        QList<bool> answers;
        QByteArray meanwhile; // appended to S while the first question is on screen
        R result;
        QStringList said;
        Files after;
    };
    const R saved = R::Saved, kept = R::KeptChanged;
    const QString changed = "changed S";
    const Files sAdded {{"S.txt", added}}, sAddedU {{"S.txt", added}, {"U.txt", "u\n"}};
    const Case cases[] = {
        {"same size, other bytes, No", {{"S.txt", "x\n"}}, "S", {false}, "", kept, {changed}, {{"S.txt", "x\n"}}},
        {"renamed, Yes moves", sAdded, "T", {true}, "", saved, {changed}, {{"T.txt", shown}}},
        {"asked again", sAdded, "S", {true, false}, "d\n", kept, {changed, changed}, {{"S.txt", added + "d\n"}}},
        {"gone, renamed", {}, "T", {}, "", saved, {"gone S"}, {{"T.txt", shown}}},
        {"onto another", sAddedU, "U", {true}, "", saved, {"replace"}, {{"S.txt", added}, {"U.txt", shown}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        for (const auto& [file, bytes] : c.before)
            writeFile(folder.filePath(file), bytes);
        QStringList said;
        int runs = 0;
        const auto answer = [&](const QString& what) {
            said << what;
            if (said.size() == 1 && !c.meanwhile.isEmpty())
                writeFile(folder.filePath("S.txt"), readFile(folder.filePath("S.txt")) + c.meanwhile);
            return c.answers.value(said.size() - 1, false);
        };
        SeriesSaveRules::Questions questions;
        questions.askReplace = [&] { return answer("replace"); };
        questions.askChanged = [&](const QString& name) { return answer("changed " + name); };
        questions.tellGone = [&](const QString& name) { said << "gone " + name; };
        questions.run = [&](const std::function<void()>& write) {
            ++runs;
            write();
        };
        const R result = SeriesSaveRules::save(folder.path(), c.name, "S", FileStamp::ofBytes("a\n"), {"a", "b"},
                                               questions);
        EXPECT_EQ(int(result), int(c.result));
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(filesOf(folder.path()), c.after);
        // every write went through the runner (the window's worker)
        EXPECT_EQ(runs, 1 + int(said.size() - said.count("replace")) - (c.result == kept ? 1 : 0));
    }
}

TEST(SeriesDeletion, InUseStopsTheRunAndAStaleApplyToAllIsCleared)
{
    struct Case
    {
        const char* what;
        bool staleApplyToAll;
        QStringList selected;
        QList<int> deleted;
        bool told;
        QStringList left;
    };
    const Case cases[] = {
        {"none in use", false, {"A", "D"}, {0, 1}, false, {"B", "C", "D "}},
        {"rows before the one in use go, then it stops", false, {"A", "B", "C", "D"}, {0, 1}, true, {"C", "D", "D "}},
        {"an old apply-to-all does not pass it silently", true, {"A", "C", "D"}, {0}, true, {"B", "C", "D", "D "}},
        {"a name that is no file name deletes nothing", false, {"..", "A"}, {1}, false, {"B", "C", "D", "D "}},
        {"the file listed goes, not one a blank apart", false, {"D "}, {0}, false, {"A", "B", "C", "D"}},
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        for (const char* name : {"A", "B", "C", "D", "D "})
            writeFile(folder.filePath(QStringLiteral("%1.txt").arg(QLatin1String(name))), "1\n");
        Msg_Apply_All_Chk = c.staleApplyToAll;
        const SeriesDeletion::Choice choice = SeriesDeletion::choose(
            c.selected, [](const QString& name) { return name == QLatin1String("C"); });
        const SeriesDeletion::Outcome outcome = SeriesDeletion::remove(folder.path(), c.selected, choice);
        EXPECT_EQ(outcome.deleted, c.deleted) << c.what;
        EXPECT_EQ(choice.stopped, c.told) << c.what;
        EXPECT_EQ(outcome.anyInUse, c.told) << c.what;
        QStringList left = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
        left.replaceInStrings(QStringLiteral(".txt"), QString());
        left.sort();
        EXPECT_EQ(left, c.left) << c.what;
    }
    Msg_Apply_All_Chk = false;
}

TEST(SeriesValueList, EditsAndReading)
{
    SeriesValueList list;
    for (const char* value : {" a ", "", "b", "\t", "c", "d"})
        list.append(QString::fromUtf8(value));
    EXPECT_EQ(list.values(), QStringList({"a", "b", "c", "d"}));
    EXPECT_FALSE(list.replace(1, QStringLiteral("   ")));
    EXPECT_FALSE(list.replace(9, QStringLiteral("x")));
    EXPECT_TRUE(list.replace(1, QStringLiteral(" B ")));
    EXPECT_EQ(list.value(1), QStringLiteral("B"));

    // rows removed, and the row selected afterwards
    struct Removal
    {
        QList<int> rows;
        int selected;
        QStringList left;
        int next;
    };
    const Removal removals[] = {
        {{2}, 2, {"a", "B", "d"}, 1},   {{0}, 0, {"B", "c", "d"}, -1},
        {{3, 1, 1}, 3, {"a", "c"}, -1}, // the row above (2) is gone
        {{1, 2}, 2, {"a", "d"}, 1},     {{7, -1}, 1, {"a", "B", "c", "d"}, 0},
    };
    for (const Removal& r : removals) {
        SeriesValueList copy = list;
        EXPECT_EQ(copy.removeRows(r.rows, r.selected), r.next);
        EXPECT_EQ(copy.values(), r.left);
    }

    QTemporaryDir folder;
    writeFile(folder.filePath("ok.txt"), "x\r\n\n  y  \n\nz");
    writeFile(folder.filePath("bad.txt"), "x\n\xff\xfe\n");
    EXPECT_EQ(list.load(folder.filePath("ok.txt")), SeriesValueList::LoadResult::Loaded);
    EXPECT_EQ(list.values(), QStringList({"x", "", "y", "", "z"}));
    // not UTF-8, missing, a folder: unreadable, nothing kept
    for (const QString& path : {folder.filePath("bad.txt"), folder.filePath("none.txt"), folder.path()}) {
        EXPECT_EQ(list.load(path), SeriesValueList::LoadResult::Unreadable) << path.toStdString();
        EXPECT_TRUE(list.isEmpty());
    }
}

// A series file with empty records, as the manager opens it, saves it with
// no edit, edits it and exports it: every empty record keeps its row, so
// every later value stays with its guest. The workbook is read back by our
// reader and by openpyxl, cell by cell in its row.
TEST(SeriesValueList, EmptyRecordsKeepTheirRowsThroughSaveEditAndExport)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir folder;
    QTemporaryDir out;
    const struct
    {
        const char* name;
        QByteArray file;
        QStringList values;
        QByteArray saved; // after Save with no edit ("": the same bytes)
    } cases[] = {
        {"first", "\nACME\nBeta\n", {"", "ACME", "Beta"}, ""},
        {"inner", "a\n\nb\n", {"a", "", "b"}, ""},
        {"last", "a\nb\n\n", {"a", "b", ""}, ""},
        {"none", "a\nb\n", {"a", "b"}, ""},
        {"one empty", "\n", {""}, ""},
        {"all empty", "\n\n\n", {"", "", ""}, ""},
        {"no closing line ending", "a\n\nb", {"a", "", "b"}, "a\n\nb\n"},
        {"blanks and CR LF", " a \r\n\t\r\nb\r\n", {"a", "", "b"}, "a\n\nb\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name);
        const QString path = SeriesSaveRules::seriesPath(folder.path(), name);
        writeFile(path, c.file);
        SeriesValueList list;
        FileStamp opened;
        ASSERT_EQ(list.load(path, true, &opened), SeriesValueList::LoadResult::Loaded);
        EXPECT_EQ(list.values(), c.values);
        EXPECT_EQ(list.count(), c.values.size());

        const QByteArray saved = c.saved.isEmpty() ? c.file : c.saved;
        EXPECT_EQ(int(SeriesSaveRules::save(folder.path(), name, name, opened, list.values(), {})),
                  int(SeriesSaveRules::Result::Saved));
        EXPECT_EQ(readFile(path), saved);
        SeriesValueList again;
        ASSERT_EQ(again.load(path), SeriesValueList::LoadResult::Loaded);
        EXPECT_EQ(again.values(), c.values);

        const QString text = out.filePath(name + ".txt");
        ASSERT_TRUE(SeriesExporter::exportValues(text, list.values(), SeriesExporter::Format::Text));
        EXPECT_EQ(readFile(text), saved);
        const QString book = out.filePath(name + ".xlsx");
        ASSERT_TRUE(SeriesExporter::exportValues(book, list.values(), SeriesExporter::Format::Workbook));
        QList<QStringList> expected {{"Batch Value"}};
        for (const QString& value : c.values)
            expected.append({value});
        SpreadsheetWriter::ReadWorkbook(book, true);
        SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
        SpreadsheetWriter::ReadData_only_column();
        // The workbook keeps every record; read back, it ends at its last value.
        QList<QStringList> read = expected;
        while (read.last() == QStringList {""})
            read.removeLast();
        EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), read);
        QJsonArray rows;
        for (const QStringList& row : expected)
            rows.append(QJsonArray::fromStringList(row));
        EXPECT_EQ(QJsonDocument::fromJson(WorkbookTestSupport::workbookTool({"dump", book})).array(),
                  QJsonArray({rows}));
    }

    // An empty record is edited like any other; a value typed or added
    // empty is still refused, and deleting rows keeps the others in order.
    SeriesValueList list;
    ASSERT_EQ(list.load(SeriesSaveRules::seriesPath(folder.path(), "first")), SeriesValueList::LoadResult::Loaded);
    EXPECT_FALSE(list.replace(0, QStringLiteral("  ")));
    EXPECT_FALSE(list.append(QStringLiteral(" \t")));
    EXPECT_TRUE(list.append(QStringLiteral(" Gamma ")));
    EXPECT_EQ(list.values(), QStringList({"", "ACME", "Beta", "Gamma"}));
    EXPECT_EQ(list.removeRows({1}, 1), 0);
    EXPECT_EQ(list.values(), QStringList({"", "Beta", "Gamma"}));
    EXPECT_TRUE(list.replace(0, QStringLiteral(" Alpha ")));
    EXPECT_EQ(list.values(), QStringList({"Alpha", "Beta", "Gamma"}));
}

// The chosen name keeps its stem and takes the chosen type's extension in
// place of its own; only the last dot of the file name counts, and a dot
// that begins the name starts no extension.
TEST(SeriesExporter, ExportNameTakesTheChosenExtension)
{
    using F = SeriesExporter::Format;
    const struct
    {
        const char* chosen;
        F format;
        const char* path;
    } cases[] = {
        {"/d/list.txt", F::Workbook, "/d/list.xlsx"},   {"/d/list.xlsx", F::Text, "/d/list.txt"},
        {"/d/list", F::Workbook, "/d/list.xlsx"},       {"/d/list", F::Text, "/d/list.txt"},
        {"/d/a.b.txt", F::Workbook, "/d/a.b.xlsx"},     {"/d/a.b.xlsx", F::Text, "/d/a.b.txt"},
        {"/d/list.csv", F::Workbook, "/d/list.xlsx"},   {"/d/list.", F::Text, "/d/list.txt"},
        {"/d/.hidden", F::Workbook, "/d/.hidden.xlsx"}, {"/d/.hidden.txt", F::Workbook, "/d/.hidden.xlsx"},
        {"/my.dir/list", F::Text, "/my.dir/list.txt"},  {"/my.dir/.list", F::Text, "/my.dir/.list.txt"},
        {"/d/list.XLSX", F::Workbook, "/d/list.XLSX"},  {"/d/list.Txt", F::Text, "/d/list.Txt"},
        {"list.txt", F::Workbook, "list.xlsx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SeriesExporter::exportPath(QString::fromUtf8(c.chosen), c.format), QString::fromUtf8(c.path))
            << c.chosen;
}

// An export read back: the text file line by line, the workbook by
// LibreOffice Calc (as CSV) and by our reader.
TEST(SeriesExporter, ExportsReadBackByOtherPrograms)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir out;
    const QStringList values {"007", "Zoë, \"Smith\"", "12345678901234567890", "<b>&amp;</b>", "-3.25"};

    EXPECT_EQ(SeriesExporter::exportPath(out.filePath("list"), SeriesExporter::Format::Text), out.filePath("list.txt"));
    EXPECT_EQ(SeriesExporter::exportPath(out.filePath("list.XLSX"), SeriesExporter::Format::Workbook),
              out.filePath("list.XLSX"));
    const QString text = out.filePath("list.txt");
    writeFile(text, "an older, longer file\nwith more lines\nthan the export\n\n\n\n\n\n");
    ASSERT_TRUE(SeriesExporter::exportValues(text, values, SeriesExporter::Format::Text));
    EXPECT_EQ(QString::fromUtf8(readFile(text)), values.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    const QString book = out.filePath("list.xlsx");
    writeFile(book, "not a workbook");
    ASSERT_TRUE(SeriesExporter::exportValues(book, values, SeriesExporter::Format::Workbook));
    QList<QStringList> expected {{"Batch Value"}};
    for (const QString& value : values)
        expected.append({value});
    ASSERT_TRUE(WorkbookTestSupport::convertWithCalc({book}, "csv:Text - txt - csv (StarCalc):44,34,76,1",
                                                     out.filePath("calc")));
    EXPECT_EQ(WorkbookTestSupport::parseCsv(QString::fromUtf8(readFile(out.filePath("calc/list.csv")))), expected);
    SpreadsheetWriter::ReadWorkbook(book, true);
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), expected);
    // a new export gets a new file's permissions, not a temporary file's;
    // a replaced one keeps those of the file it replaces
    const QFileDevice::Permissions modeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
        | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QString fresh = out.filePath("fresh.xlsx");
    ASSERT_TRUE(SeriesExporter::exportValues(fresh, values, SeriesExporter::Format::Workbook));
    EXPECT_EQ(QFileInfo(fresh).permissions() & modeBits, QFileInfo(text).permissions() & modeBits);
    const QFileDevice::Permissions groupReadable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadGroup;
    QFile::setPermissions(book, groupReadable);
    ASSERT_TRUE(SeriesExporter::exportValues(book, values, SeriesExporter::Format::Workbook));
    EXPECT_EQ(QFileInfo(book).permissions() & modeBits, groupReadable);
    // nothing of the export is left beside it
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"fresh.xlsx", "list.txt", "list.xlsx"}));
}

TEST(SeriesExporter, FailedExportsKeepWhatWasThere)
{
    QTemporaryDir out;
    const QStringList values {"1", "2"};
    const auto failingWriter = [](const QString& path, const QList<QStringList>&) {
        writeFile(path, "half");
        return false;
    };
    struct Case
    {
        const char* what;
        QString path;
        SeriesExporter::Format format;
        SeriesExporter::WorkbookWriter writer;
    };
    QDir(out.path()).mkdir("folder.txt");
    QDir(out.path()).mkdir("folder.xlsx");
    writeFile(out.filePath("folder.txt/inside"), "kept");
    writeFile(out.filePath("old.xlsx"), "old workbook");
    const Case cases[] = {
        {"a folder at the text path", out.filePath("folder.txt"), SeriesExporter::Format::Text, {}},
        {"a folder at the workbook path", out.filePath("folder.xlsx"), SeriesExporter::Format::Workbook, {}},
        {"a workbook writer that fails", out.filePath("old.xlsx"), SeriesExporter::Format::Workbook, failingWriter},
        {"a folder that does not exist", out.filePath("none/x.txt"), SeriesExporter::Format::Text, {}},
        {"a workbook in a folder that does not exist",
         out.filePath("none/x.xlsx"),
         SeriesExporter::Format::Workbook,
         {}},
    };
    const Files before = filesOf(out.path());
    for (const Case& c : cases) {
        EXPECT_FALSE(SeriesExporter::exportValues(c.path, values, c.format, c.writer)) << c.what;
        EXPECT_EQ(filesOf(out.path()), before) << c.what;
    }
    EXPECT_EQ(readFile(out.filePath("folder.txt/inside")), "kept");
}
