// Whether the workbook of a design's saved spreadsheet table still reads as
// that table: workbooks written by openpyxl read again the way the table came
// about, compared with it, and the question that says how they differ.

#include "WorkbookTestSupport.h"

#include "data/Globals.h"
#include "data/SavedTableCheck.h"
#include "data/WorkbookAccess.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

QList<DesignFileRow> tableRows(const QList<QStringList>& cells)
{
    QList<DesignFileRow> rows;
    for (const QStringList& line : cells) {
        DesignFileRow row {{"Extension", QString::number(rows.size() + 1)}};
        for (int c = 0; c < line.size(); ++c)
            row.insert(QStringLiteral("Column%1").arg(c + 1), line[c]);
        rows.append(row);
    }
    return rows;
}

// A workbook written by openpyxl: sheets of (tab name, rows).
QString openpyxlBook(const QString& path, const QList<QPair<QString, QList<QStringList>>>& sheets)
{
    QJsonArray spec;
    for (const auto& [tab, lines] : sheets) {
        QJsonArray rows;
        for (const QStringList& line : lines)
            rows.append(QJsonArray::fromStringList(line));
        spec.append(QJsonArray {tab, rows});
    }
    WorkbookTestSupport::workbookTool(
        {QStringLiteral("sheets"), path, QString::fromUtf8(QJsonDocument(spec).toJson(QJsonDocument::Compact))});
    return path;
}

} // namespace

// The sheet holding most saved titles (of tabs alike, the one that reads
// as saved, else the closest), their columns in the sheet's order, the
// header box as the saved rows tell it; only the tabs that tie on titles are
// read whole. A table saved with numbers as stored, which the workbook now
// shows in their formats, is told apart from a changed one. A workbook gone,
// not one, or without rows cannot be read. The sheet the import dialogs
// chose stays.
TEST(SavedTableCheck, WorkbooksReadAgainAsTheTableCameAbout)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir made;
    const QList<QStringList> students {{"Class", "Bus", "Name"}, {"7a", "x", "Ada"}, {"7b", "", "Bob"}};
    const QString book = openpyxlBook(made.filePath("book.xlsx"),
                                      {{"Staff", {{"Staff", "Room"}, {"Eve", "12"}}}, {"Students", students}});
    const QString plain = openpyxlBook(made.filePath("plain.xlsx"), {{"Any", {{"Ada", "7a"}, {"Bob", "7b"}}}});
    const QString noRows = openpyxlBook(made.filePath("empty.xlsx"), {{"Empty", {}}});
    const QString classes = openpyxlBook(made.filePath("classes.xlsx"),
                                         {{"7a", {{"Name", "Bus"}, {"Ada", "1"}, {"Bob", "2"}, {"Cy", "1"}}},
                                          {"7b", {{"Name", "Bus"}, {"Dan", "2"}, {"Eve", "1"}}}});
    const QString formats = made.filePath("formats.xlsx");
    WorkbookTestSupport::workbookTool({"sheets", formats,
                                       R"([["Guests", [["Number", "Date"], [[5, "000000"], [46000, "dd.mm.yyyy"]],)"
                                       R"( [[142, "000000"], [46001, "dd.mm.yyyy"]]]]])"});
    const QList<QStringList> asRead {{"7a", "Ada"}, {"7b", "Bob"}};
    struct Case
    {
        const char* what;
        QString path;
        QStringList titles;
        QList<QStringList> saved;
        const char* counts; // "" for the same table, "-" for none read, "formats"
        QStringList nowTitles;
        const char* readWhole; // the tabs read whole
    };
    const Case cases[] = {
        {"as saved", book, {"#", "Class", "Name"}, asRead, "", {"#", "Class", "Name"}, "Students"},
        {"a class changed",
         book,
         {"#", "Class", "Name"},
         {{"7a", "Ada"}, {"7c", "Bob"}},
         "2 rows saved, 2 now, 1 of them differs; tab \"Students\"",
         {"#", "Class", "Name"},
         "Students"},
        {"columns swapped",
         book,
         {"#", "Name", "Class"},
         {{"Ada", "7a"}, {"Bob", "7b"}},
         "2 rows saved, 2 now, 2 of them differ; tab \"Students\"",
         {"#", "Class", "Name"},
         "Students"},
        {"a title renamed",
         book,
         {"#", "Class", "Pupil"},
         {{"7a"}, {"7b"}},
         "2 rows saved, 2 now, its columns differ; tab \"Students\"",
         {"#", "Class"},
         "Students"},
        {"no title found: every sheet whole, the first the closest",
         book,
         {"#", "Pupil"},
         {{"Ada"}},
         "1 row saved, 1 now, 1 of them differs; tab \"Staff\"",
         {"#", "Staff", "Room"},
         "Staff Students"},
        {"first row read as data",
         plain,
         {"#", "Ada", "7a"},
         {{"Ada", "7a"}, {"Bob", "7b"}},
         "",
         {"#", "Ada", "7a"},
         "Any"},
        {"tabs alike, the second as saved", classes, {"#", "Name"}, {{"Dan"}, {"Eve"}}, "", {"#", "Name"}, "7a 7b"},
        {"tabs alike, the second closest",
         classes,
         {"#", "Name", "Bus"},
         {{"Dan", "2"}, {"Eve", "1"}, {"Fay", "2"}},
         "3 rows saved, 2 now; tab \"7b\"",
         {"#", "Name", "Bus"},
         "7a 7b"},
        {"saved with numbers as stored",
         formats,
         {"#", "Number", "Date"},
         {{"5", "46000"}, {"142", "46001"}},
         "formats",
         {"#", "Number", "Date"},
         "Guests"},
        {"numbers as stored and a value changed",
         formats,
         {"#", "Number", "Date"},
         {{"5", "46000"}, {"143", "46001"}},
         "2 rows saved, 2 now, 2 of them differ",
         {"#", "Number", "Date"},
         "Guests"},
        {"gone", made.filePath("gone.xlsx"), {"#", "Name"}, {{"Ada"}}, "-", {}, ""},
        {"no rows", noRows, {"#", "Name"}, {{"Ada"}}, "-", {}, ""},
    };
    // The tabs whose titles, and so whole rows, are read.
    QStringList whole;
    QHash<QString, QString> tabOfPart;
    WorkbookAccess access = WorkbookAccess::installed();
    access.open = [&](const QString& path) {
        const QList<WorkbookParts::Sheet> sheets = WorkbookAccess::installed().open(path);
        for (const WorkbookParts::Sheet& sheet : sheets)
            tabOfPart.insert(sheet.part, sheet.name);
        return sheets;
    };
    access.titles = [&](const QString& part) {
        whole << tabOfPart.value(part);
        return WorkbookAccess::installed().titles(part);
    };
    for (const Case& c : cases) {
        whole.clear();
        const SavedTableCheck::Result result = SavedTableCheck::check(access, c.path, c.titles, tableRows(c.saved));
        const std::string counts = c.counts;
        const SavedTableCheck::Outcome outcome = counts == "-" ? SavedTableCheck::Outcome::Unreadable
            : counts.empty()                                   ? SavedTableCheck::Outcome::Same
            : counts == "formats"                              ? SavedTableCheck::Outcome::NumberFormats
                                                               : SavedTableCheck::Outcome::Changed;
        EXPECT_EQ(int(result.outcome), int(outcome)) << c.what;
        EXPECT_EQ(result.table.titles, c.nowTitles) << c.what;
        EXPECT_EQ(whole.join(' ').toStdString(), c.readWhole) << c.what;
        const std::string question = SavedTableCheck::question("/b/s.xlsx", result).toStdString();
        if (outcome == SavedTableCheck::Outcome::Changed) {
            EXPECT_EQ(question,
                      "The workbook /b/s.xlsx has changed since this design was saved (" + counts + "). Read it again?")
                << c.what;
        } else if (outcome == SavedTableCheck::Outcome::NumberFormats) {
            EXPECT_EQ(question,
                      "The workbook /b/s.xlsx is now read with its number formats (dates and zero-padded "
                      "numbers as the workbook shows them); the table saved with this design holds them as "
                      "plain numbers. Read it again?");
            // Yes reads the numbers as the workbook shows them.
            EXPECT_EQ(result.table.rows.value(0).value("Column2"), "09.12.2025");
        }
    }
}
