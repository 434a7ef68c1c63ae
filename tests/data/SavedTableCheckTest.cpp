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

// The sheet holding most saved titles, their columns in the sheet's order,
// the header box as the saved rows tell it; a workbook gone, not one, or
// without rows cannot be read. The sheet the import dialogs chose stays.
TEST(SavedTableCheck, WorkbooksReadAgainAsTheTableCameAbout)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir made;
    const QList<QStringList> students {{"Class", "Bus", "Name"}, {"7a", "x", "Ada"}, {"7b", "", "Bob"}};
    const QString book = openpyxlBook(made.filePath("book.xlsx"),
                                      {{"Staff", {{"Staff", "Room"}, {"Eve", "12"}}}, {"Students", students}});
    const QString plain = openpyxlBook(made.filePath("plain.xlsx"), {{"Any", {{"Ada", "7a"}, {"Bob", "7b"}}}});
    const QString noRows = openpyxlBook(made.filePath("empty.xlsx"), {{"Empty", {}}});
    const QList<QStringList> asRead {{"7a", "Ada"}, {"7b", "Bob"}};
    struct Case
    {
        const char* what;
        QString path;
        QStringList titles;
        QList<QStringList> saved;
        const char* counts; // "" for the same table, "-" for none read
        QStringList nowTitles;
    };
    const Case cases[] = {
        {"as saved", book, {"#", "Class", "Name"}, asRead, "", {"#", "Class", "Name"}},
        {"a class changed",
         book,
         {"#", "Class", "Name"},
         {{"7a", "Ada"}, {"7c", "Bob"}},
         "2 rows saved, 2 now, 1 of them differs",
         {"#", "Class", "Name"}},
        {"columns swapped",
         book,
         {"#", "Name", "Class"},
         {{"Ada", "7a"}, {"Bob", "7b"}},
         "2 rows saved, 2 now, 2 of them differ",
         {"#", "Class", "Name"}},
        {"a title renamed",
         book,
         {"#", "Class", "Pupil"},
         {{"7a"}, {"7b"}},
         "2 rows saved, 2 now, its columns differ",
         {"#", "Class"}},
        {"no title found: the first sheet whole",
         book,
         {"#", "Pupil"},
         {{"Ada"}},
         "1 row saved, 1 now, 1 of them differs",
         {"#", "Staff", "Room"}},
        {"first row read as data", plain, {"#", "Ada", "7a"}, {{"Ada", "7a"}, {"Bob", "7b"}}, "", {"#", "Ada", "7a"}},
        {"gone", made.filePath("gone.xlsx"), {"#", "Name"}, {{"Ada"}}, "-", {}},
        {"no rows", noRows, {"#", "Name"}, {{"Ada"}}, "-", {}},
    };
    for (const Case& c : cases) {
        const SavedTableCheck::Result result = SavedTableCheck::check(WorkbookAccess::installed(), c.path, c.titles,
                                                                      tableRows(c.saved));
        const std::string counts = c.counts;
        const SavedTableCheck::Outcome outcome = counts == "-" ? SavedTableCheck::Outcome::Unreadable
            : counts.empty()                                   ? SavedTableCheck::Outcome::Same
                                                               : SavedTableCheck::Outcome::Changed;
        EXPECT_EQ(int(result.outcome), int(outcome)) << c.what;
        EXPECT_EQ(result.table.titles, c.nowTitles) << c.what;
        if (outcome == SavedTableCheck::Outcome::Changed) {
            EXPECT_EQ(SavedTableCheck::question("/b/s.xlsx", result).toStdString(),
                      "The workbook /b/s.xlsx has changed since this design was saved (" + counts + "). Read it again?")
                << c.what;
        }
    }
}
