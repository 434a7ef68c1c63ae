// Whether the workbook of a design's saved spreadsheet table still reads as
// that table: the comparison and its question, and workbooks written by
// openpyxl read again the way the table came about.

#include "WorkbookTestSupport.h"

#include "data/Globals.h"
#include "data/SavedTableCheck.h"
#include "data/WorkbookAccess.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace {

using Outcome = SavedTableCheck::Outcome;

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

TEST(SavedTableCheck, ComparisonAndQuestion)
{
    const QStringList titles {"No.", "Name", "Class"};
    const QList<DesignFileRow> saved = tableRows({{"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7a"}});
    struct Case
    {
        const char* what;
        QStringList titles;
        QList<QStringList> rows;
        Outcome outcome;
        const char* counts;
    };
    const Case cases[] = {
        {"the same", titles, {{"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7a"}}, Outcome::Same, ""},
        {"one added",
         titles,
         {{"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7a"}, {"Di", "7c"}},
         Outcome::Changed,
         "3 rows saved, 4 now"},
        {"one removed, one changed", titles, {{"Ada", "7b"}, {"Cy", "7a"}}, Outcome::Changed, "3 rows saved, 2 now"},
        {"one class changed",
         titles,
         {{"Ada", "7a"}, {"Bob", "7c"}, {"Cy", "7a"}},
         Outcome::Changed,
         "3 rows saved, 3 now, 1 of them differs"},
        {"reordered",
         titles,
         {{"Cy", "7a"}, {"Ada", "7a"}, {"Bob", "7b"}},
         Outcome::Changed,
         "3 rows saved, 3 now, 3 of them differ"},
        {"a column renamed",
         {"No.", "Name", "Form"},
         {{"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7a"}},
         Outcome::Changed,
         "3 rows saved, 3 now, its columns differ"},
        {"a column more",
         {"No.", "Name", "Class", "Bus"},
         {{"Ada", "7a"}, {"Bob", "7b"}, {"Cy", "7a"}},
         Outcome::Changed,
         "3 rows saved, 3 now, its columns differ"},
    };
    for (const Case& c : cases) {
        const SavedTableCheck::Result result = SavedTableCheck::compare(titles, saved, {c.titles, tableRows(c.rows)});
        EXPECT_EQ(int(result.outcome), int(c.outcome)) << c.what;
        if (c.outcome == Outcome::Changed) {
            EXPECT_EQ(SavedTableCheck::question("/b/guests.xlsx", result).toStdString(),
                      std::string("The workbook /b/guests.xlsx has changed since this design was saved (") + c.counts
                          + "). Read it again?")
                << c.what;
        }
    }
    SavedTableCheck::Result one;
    one.savedRows = 1;
    one.nowRows = 0;
    EXPECT_EQ(SavedTableCheck::question("x.xlsx", one).toStdString(),
              "The workbook x.xlsx has changed since this design was saved (1 row saved, 0 now). Read it again?");
}

// The sheet holding the saved titles, their columns in the sheet's order,
// and the header box as the saved rows tell it; a workbook gone or without
// rows cannot be read. The sheet the import dialogs chose stays chosen.
TEST(SavedTableCheck, WorkbooksReadAgainAsTheTableCameAbout)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir made;
    const QList<QStringList> staff {{"Staff", "Room"}, {"Eve", "12"}};
    const QList<QStringList> students {{"Class", "Bus", "Name"}, {"7a", "x", "Ada"}, {"7b", "", "Bob"}};
    const QString book = openpyxlBook(made.filePath("book.xlsx"), {{"Staff", staff}, {"Students", students}});
    const QString headerless = openpyxlBook(made.filePath("plain.xlsx"), {{"Any", {{"Ada", "7a"}, {"Bob", "7b"}}}});
    const QString noRows = openpyxlBook(made.filePath("empty.xlsx"), {{"Empty", {}}});
    struct Case
    {
        const char* what;
        QString path;
        QStringList titles;
        QList<QStringList> saved;
        Outcome outcome;
        QStringList nowTitles;
        QList<QStringList> nowRows;
    };
    const Case cases[] = {
        {"columns swapped, one more in the sheet",
         book,
         {"No.", "Name", "Class"},
         {{"Ada", "7a"}, {"Bob", "7b"}},
         Outcome::Changed,
         {"#", "Class", "Name"},
         {{"7a", "Ada"}, {"7b", "Bob"}}},
        {"as saved",
         book,
         {"No.", "Class", "Name"},
         {{"7a", "Ada"}, {"7b", "Bob"}},
         Outcome::Same,
         {"#", "Class", "Name"},
         {{"7a", "Ada"}, {"7b", "Bob"}}},
        {"no title found: every column of the first sheet",
         book,
         {"No.", "Pupil"},
         {{"Ada"}},
         Outcome::Changed,
         {"#", "Staff", "Room"},
         {{"Eve", "12"}}},
        {"first row read as data",
         headerless,
         {"No.", "Ada", "7a"},
         {{"Ada", "7a"}, {"Bob", "7b"}},
         Outcome::Same,
         {"#", "Ada", "7a"},
         {{"Ada", "7a"}, {"Bob", "7b"}}},
        {"gone", made.filePath("gone.xlsx"), {"No.", "Name"}, {{"Ada"}}, Outcome::Unreadable, {}, {}},
        {"not a workbook", made.path(), {"No.", "Name"}, {{"Ada"}}, Outcome::Unreadable, {}, {}},
        {"no rows", noRows, {"No.", "Name"}, {{"Ada"}}, Outcome::Unreadable, {}, {}},
    };
    for (const Case& c : cases) {
        QStringList titles = c.titles;
        titles[0] = "#";
        setExcelSheetNumber(5);
        const SavedTableCheck::Result result = SavedTableCheck::check(WorkbookAccess::installed(), c.path, titles,
                                                                      tableRows(c.saved));
        EXPECT_EQ(int(result.outcome), int(c.outcome)) << c.what;
        EXPECT_EQ(Excel_Sheet_Number, 5) << c.what;
        if (c.outcome == Outcome::Unreadable)
            continue;
        EXPECT_EQ(result.table.titles, c.nowTitles) << c.what;
        EXPECT_EQ(result.table.rows, tableRows(c.nowRows)) << c.what;
    }
}
