// Whether a design's saved spreadsheet table still reads the same from its
// workbook (written by openpyxl), and the question that says how it differs.

#include "WorkbookTestSupport.h"

#include "common/SyntheticWorkbooks.h"
#include "data/Globals.h"
#include "data/SavedTableCheck.h"
#include "data/WorkbookAccess.h"

#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace SW = SyntheticWorkbooks;

namespace {

// Cells written "a,b;c,d": rows split at ';', cells at ','.
QList<QStringList> grid(const char* text)
{
    QList<QStringList> rows;
    for (const QString& line : QString(text).split(';', Qt::SkipEmptyParts))
        rows.append(line.split(','));
    return rows;
}

QList<DesignFileRow> tableRows(const char* cells)
{
    QList<DesignFileRow> rows;
    for (const QStringList& line : grid(cells)) {
        DesignFileRow row {{"Extension", QString::number(rows.size() + 1)}};
        for (int c = 0; c < line.size(); ++c)
            row.insert(QStringLiteral("Column%1").arg(c + 1), line[c]);
        rows.append(row);
    }
    return rows;
}

} // namespace

// The sheet holding most saved titles is compared (of tabs alike, the one
// that reads as saved, else the closest); only tabs that tie are read whole.
// Numbers and booleans saved as stored, now read as shown, are not a change.
TEST(SavedTableCheck, WorkbooksReadAgainAsTheTableCameAbout)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir made;
    // Workbooks written by openpyxl: [tab, rows] each; a [value, format] cell is a styled number.
    const auto book = [&](const char* name, const char* sheets) {
        WorkbookTestSupport::workbookTool({"sheets", made.filePath(name), sheets});
        return made.filePath(name);
    };
    const QString two = book("book.xlsx",
                             R"([["Staff", [["Staff", "Room"], ["Eve", "12"]]],)"
                             R"( ["Students", [["Class", "Bus", "Name"], ["7a", "x", "Ada"], ["7b", "", "Bob"]]]])");
    const QString plain = book("plain.xlsx", R"([["Any", [["Ada", "7a"], ["Bob", "7b"]]]])");
    const QString noRows = book("empty.xlsx", R"([["Empty", []]])");
    const QString alike = book("classes.xlsx",
                               R"([["7a", [["Name", "Bus"], ["Ada", "1"], ["Bob", "2"], ["Cy", "1"]]],)"
                               R"( ["7b", [["Name", "Bus"], ["Dan", "2"], ["Eve", "1"]]]])");
    const QString formats = book("formats.xlsx",
                                 R"([["Guests", [["Number", "Date"], [[5, "000000"], [46000, "dd.mm.yyyy"]],)"
                                 R"( [[142, "000000"], [46001, "dd.mm.yyyy"]]]]])");
    const QString paid = book("paid.xlsx", R"([["Guests", [["Name", "Paid"], ["Ada", true], ["Bob", false]]]])");
    struct Case
    {
        const char* what;
        QString path;
        const char* titles;
        const char* saved;
        const char* counts; // "" for the same table, "-" for none read, "formats"
        const char* nowTitles;
        const char* readWhole; // the tabs read whole
    };
    const Case cases[] = {
        {"as saved", two, "#,Class,Name", "7a,Ada;7b,Bob", "", "#,Class,Name", "Students"},
        {"columns swapped", two, "#,Name,Class", "Ada,7a;Bob,7b",
         "2 rows saved, 2 now, 2 of them differ; tab \"Students\"", "#,Class,Name", "Students"},
        {"a title renamed", two, "#,Class,Pupil", "7a;7b", "2 rows saved, 2 now, its columns differ; tab \"Students\"",
         "#,Class", "Students"},
        {"no title found: every sheet whole, the first the closest", two, "#,Pupil", "Ada",
         "1 row saved, 1 now, 1 of them differs; tab \"Staff\"", "#,Staff,Room", "Staff Students"},
        {"first row read as data", plain, "#,Ada,7a", "Ada,7a;Bob,7b", "", "#,Ada,7a", "Any"},
        {"tabs alike, the second as saved", alike, "#,Name", "Dan;Eve", "", "#,Name", "7a 7b"},
        {"tabs alike, the second closest", alike, "#,Name,Bus", "Dan,2;Eve,1;Fay,2", "3 rows saved, 2 now; tab \"7b\"",
         "#,Name,Bus", "7a 7b"},
        {"saved with numbers as stored", formats, "#,Number,Date", "5,46000;142,46001", "formats", "#,Number,Date",
         "Guests"},
        {"numbers as stored and a value changed", formats, "#,Number,Date", "5,46000;143,46001",
         "2 rows saved, 2 now, 2 of them differ", "#,Number,Date", "Guests"},
        {"booleans as they show", paid, "#,Name,Paid", "Ada,TRUE;Bob,FALSE", "", "#,Name,Paid", "Guests"},
        {"saved with booleans as stored", paid, "#,Name,Paid", "Ada,1;Bob,0", "formats", "#,Name,Paid", "Guests"},
        {"gone", made.filePath("gone.xlsx"), "#,Name", "Ada", "-", "", ""},
        {"no rows", noRows, "#,Name", "Ada", "-", "", ""},
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
    using Outcome = SavedTableCheck::Outcome;
    for (const Case& c : cases) {
        whole.clear();
        const QStringList titles = grid(c.titles).value(0);
        const SavedTableCheck::Result result = SavedTableCheck::check(access, c.path, titles, tableRows(c.saved));
        const std::string counts = c.counts;
        const Outcome outcome = counts == "-" ? Outcome::Unreadable
            : counts.empty()                  ? Outcome::Same
            : counts == "formats"             ? Outcome::NumberFormats
                                              : Outcome::Changed;
        EXPECT_EQ(int(result.outcome), int(outcome)) << c.what;
        EXPECT_EQ(result.table.titles, grid(c.nowTitles).value(0)) << c.what;
        EXPECT_EQ(whole.join(' ').toStdString(), c.readWhole) << c.what;
        const std::string question = SavedTableCheck::question("/b/s.xlsx", result).toStdString();
        if (outcome == Outcome::Changed) {
            EXPECT_EQ(question,
                      "The workbook /b/s.xlsx has changed since this design was saved (" + counts + "). Read it again?")
                << c.what;
        } else if (outcome == Outcome::NumberFormats) {
            EXPECT_EQ(question,
                      "The workbook /b/s.xlsx is now read with its number formats (dates and zero-padded "
                      "numbers as the workbook shows them, booleans as TRUE and FALSE); the table saved with this "
                      "design holds them as plain numbers. Read it again?");
            // Yes reads them as shown.
            EXPECT_EQ(result.table.rows.value(0).value("Column2"), c.path == paid ? "TRUE" : "09.12.2025");
        }
    }
}

// A part is read once however many tabs name it, and the check stops at
// the first part that reads as saved (counted through the reader).
TEST(SavedTableCheck, EachPartIsReadOnceHoweverManyTabsNameIt)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir made;
    // `tabs` tabs naming sheet1 (Name: Ada, Bob), then one naming sheet2 (Name: Ada).
    const auto book = [&](int tabs) {
        QString list;
        for (int t = 1; t <= tabs; ++t)
            list += QStringLiteral("T%1>a ").arg(t);
        const QString path = made.filePath(QStringLiteral("tabs%1.xlsx").arg(tabs));
        EXPECT_TRUE(SW::writeArchive(
            path,
            SW::tabParts("a>worksheets/sheet1.xml b>worksheets/sheet2.xml", list + "Last>b")
                + QList<SW::Part> {{"xl/worksheets/sheet1.xml", SW::textSheet({{"Name"}, {"Ada"}, {"Bob"}})},
                                   {"xl/worksheets/sheet2.xml", SW::textSheet({{"Name"}, {"Ada"}})}}));
        return path;
    };
    struct Case
    {
        const char* what;
        int tabs;
        const char* saved;
        const char* reads; // part: header, titles, rows, rows as stored
        SavedTableCheck::Outcome outcome;
        const char* tab;
    };
    using Outcome = SavedTableCheck::Outcome;
    const Case cases[] = {
        {"the first part as saved: the second is not read whole", 100, "Ada;Bob",
         "sheet1.xml 1 1 1 0, sheet2.xml 1 0 0 0", Outcome::Same, "T1"},
        {"the second part as saved", 100, "Ada", "sheet1.xml 1 1 1 1, sheet2.xml 1 1 1 0", Outcome::Same, "Last"},
        {"neither as saved: the closest, under its first tab", 1000, "Ada;Bob;Cy",
         "sheet1.xml 1 1 1 1, sheet2.xml 1 1 1 1", Outcome::Changed, "T1"},
    };
    QMap<QString, QList<int>> reads;
    const auto count = [&](const QString& part, int which) {
        QList<int>& counts = reads[QFileInfo(part).fileName()];
        counts.resize(4);
        ++counts[which];
    };
    const WorkbookAccess& reader = WorkbookAccess::installed();
    WorkbookAccess access = reader;
    access.header = [&](const QString& part) { return count(part, 0), reader.header(part); };
    access.titles = [&](const QString& part) { return count(part, 1), reader.titles(part); };
    access.rows = [&](const QString& path, const QString& part) { return count(part, 2), reader.rows(path, part); };
    access.rowsAsStored = [&](const QString& path, const QString& part) {
        return count(part, 3), reader.rowsAsStored(path, part);
    };
    for (const Case& c : cases) {
        reads.clear();
        const SavedTableCheck::Result result = SavedTableCheck::check(access, book(c.tabs), {"No.", "Name"},
                                                                      tableRows(c.saved));
        QStringList counted;
        for (auto it = reads.cbegin(); it != reads.cend(); ++it) {
            QStringList numbers;
            for (int n : it.value())
                numbers << QString::number(n);
            counted << it.key() + ' ' + numbers.join(' ');
        }
        EXPECT_EQ(counted.join(", ").toStdString(), c.reads) << c.what;
        EXPECT_EQ(int(result.outcome), int(c.outcome)) << c.what;
        EXPECT_EQ(result.tab.toStdString(), c.tab) << c.what;
    }
}

// The columns read again for a saved table: set against the whole sheet it
// was read from when the design knows it, else by the saved titles; never a
// column the table left unticked under another title.
TEST(SavedTableCheck, TheColumnsReadAgainAreThoseTheSavedOnesStandAtInTheSheet)
{
    struct Case
    {
        const char* what;
        const char* then;  // the sheet's first row when the table was read
        const char* taken; // the columns it took then (from 1)
        const char* now;   // the sheet's first row now
        const char* read;  // the columns read now (from 1)
        bool known = true; // false: an old design, not knowing its sheet
        bool titled = true; // false: read without a title row
    };
    const Case cases[] = {
        {"Badge deleted beside the unticked Email", "Name,Badge,Email,City", "1 2 4", "Name,Email,City", "1 3"},
        {"an old design, Badge deleted", "Name,Badge,Email,City", "1 2 4", "Name,Email,City", "1 3", false},
        {"Badge renamed beside unticked Email", "Name,Badge,Email,City", "1 2 4", "Name,Badge No,Email,City", "1 2 4"},
        {"an old design, Badge renamed", "Name,Badge,Email,City", "1 2 4", "Name,Badge No,Email,City", "1 4", false},
        {"a title twice in the sheet, one taken", "Code,X,Code", "1", "Code,X,Code", "1"},
        {"nothing found: every column", "Name,Badge", "2", "A,B,C", "1 2 3"},
        {"untitled notes, Email deleted, Phone after them", "Name,Email,,City", "1 2 4", "Name,,Phone,City", "1 4"},
        {"no title row, sorted", "Ann Lee,12,3", "1 2 3", "Bo Park,3,12", "1 2 3", true, false},
        {"no title row, an old design, sorted", "Ann Lee,12,3", "1 2 3", "Bo Park,3,12", "1 2 3", false, false},
        {"no title row, a place past the sheet", "Ann Lee,12,3", "1 3", "Bo Park,3", "1", true, false},
    };
    for (const Case& c : cases) {
        const QStringList then = QString(c.then).split(',');
        QStringList titles {"No."};
        SheetColumns columns {{0}, QStringList {""} + then};
        for (const QString& taken : QString(c.taken).split(' ')) {
            titles << then[taken.toInt() - 1];
            columns.places << taken.toInt();
        }
        if (!c.known)
            columns = {};
        columns.firstRowTitles = c.titled;
        const QList<SpreadsheetImport::ColumnChoice> choices = SavedTableCheck::columnsFor(QString(c.now).split(','),
                                                                                           titles, columns);
        QStringList read;
        for (int i = 0; i < choices.size(); ++i)
            read << (choices[i].State ? QString::number(i + 1) : QString());
        EXPECT_EQ(read.join(' ').simplified().toStdString(), c.read) << c.what;
    }
}
