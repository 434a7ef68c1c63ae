// The workbook reader: tiny hand-made parts for exact behaviours, and real
// workbooks made by LibreOffice Calc and openpyxl at test time; number cells
// as their styles show them, held against what LibreOffice shows.
#include "common/SyntheticWorkbooks.h"
#include "data/Globals.h"
#include "data/SSZipArchive.h"
#include "data/SavedTableCheck.h"
#include "data/SpreadsheetImport.h"
#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"
#include "data/WorkbookAccess.h"
#include "data/WorkbookStyles.h"
#include "data/WorkbookTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>
#include <unistd.h>

using namespace WorkbookTestSupport;
namespace SW = SyntheticWorkbooks;
using Table = SpreadsheetWriter::Table;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray sheet(const QByteArray& body, const QByteArray& dimension = {}, const QByteArray& cols = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        + (dimension.isEmpty() ? QByteArray() : "<dimension ref=\"" + dimension + "\"/>")
        + (cols.isEmpty() ? QByteArray() : "<cols>" + cols + "</cols>") + "<sheetData>" + body
        + "</sheetData></worksheet>";
}

QByteArray strings(const QByteArray& items)
{
    return "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + items + "</sst>";
}

struct Golden {
    const char* name;
    QByteArray sharedStrings; // empty: no part
    QByteArray sheet;
    int columns;
    QStringList titles; // empty: no row
    Table rows;
    QByteArray styles = {}; // the styles part; empty: none
    Table stored = {};      // the rows with number formats left aside; empty: `rows`
    QString refusal = {};   // what the reason of a refused workbook says; empty: read
};

// Reads the parts as the import does: shared strings, titles, every row.
void readParts(const Golden& g, Table& titles, Table& rows)
{
    SpreadsheetWriter& reader = SpreadsheetWriter::sharedInstance();
    const QString folder = UnpackFolder::path();
    ASSERT_FALSE(folder.isEmpty());
    if (!g.sharedStrings.isEmpty())
        writeFile(folder + "/xl/sharedStrings.xml", g.sharedStrings);
    writeFile(folder + "/xl/worksheets/sheet3.xml", g.sheet);
    reader.ReadSharedStrings(folder + "/xl/sharedStrings.xml");
    writeFile(folder + "/xl/styles.xml", g.styles);
    reader.styles = WorkbookStyles::read(g.styles.isEmpty() ? QString() : folder + "/xl/styles.xml", QString());
    reader.sheetPart = QStringLiteral("xl/worksheets/sheet3.xml");
    Excel_Sheet_Columns = 1;
    titles = SpreadsheetWriter::ReadData_only_column();
    rows = SpreadsheetWriter::ReadWorkbook(QString(), false).toTable();
}

}

TEST(WorkbookReader, HandMadeParts)
{
    const QByteArray abc = strings("<si><t>a</t></si><si><t>b</t></si><si><t>c</t></si>");
    // A sheet ends at its last row holding a value: formatted rows, rows
    // without cells and empty texts after it are no records, while an empty
    // row before it keeps its place.
    const QByteArray strings2 = strings("<si><t>Ada</t></si><si/>");
    const QByteArray ada = R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>7</v></c></row>)";
    const QByteArray formatted = R"(<row r="2"><c r="A2" s="1"/><c r="B2" s="1"/></row><row r="3" ht="20"/>)";
    const QByteArray emptyTexts =
        R"(<row r="4"><c r="A4" t="s"><v>1</v></c><c r="B4" t="inlineStr"><is><t></t></is></c></row>)"
        R"(<row r="5"><c r="A5"><v></v></c><c r="B5" t="str"><f>""</f><v></v></c></row>)";
    const QByteArray space = R"(<row r="4"><c r="B4" t="inlineStr"><is><t xml:space="preserve"> </t></is></c></row>)";
    // Styles 1 to 3 as Gnumeric numbers its formats: "000000", "0%", '"$"#,##0.00'.
    const QByteArray gnumericStyles =
        R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts>)"
        R"(<numFmt formatCode="000000" numFmtId="100"/><numFmt formatCode="&quot;$&quot;#,##0.00" numFmtId="101"/>)"
        R"(</numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="100"/><xf numFmtId="9"/><xf numFmtId="101"/>)"
        R"(</cellXfs></styleSheet>)";
    QList<Golden> table {
        {"an index in spaces gives its string, an empty one none",
         abc,
         sheet(R"(<row r="1"><c r="A1" t="s"><v></v></c><c r="B1" t="s"><v> 1 </v></c><c r="C1" t="s"/></row>)",
               "A1:C1"),
         2,
         {"Untitled Column 1", "b"},
         {{"", "b"}}},
        {"rows 1, 2 and 5 give three rows",
         abc,
         sheet(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row><row r="2"><c r="A2"><v>2</v></c></row>)"
               R"(<row r="5"><c r="A5"><v>5</v></c></row>)",
               "A1:A5"),
         1,
         {"a"},
         {{"a"}, {"2"}, {"5"}}},
        {"header with values in A and C of three columns",
         abc,
         sheet(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="C1" t="s"><v>2</v></c></row>)", "A1:C4"),
         3,
         {"a", "Untitled Column 2", "c"},
         {{"a", "", "c"}}},
        {"a dimension wider than the values adds no column",
         {},
         sheet(R"(<row r="2"><c r="B2"><v>7</v></c></row>)", "B2:D10"),
         2,
         {"Untitled Column 1", "7"},
         {{"", "7"}}},
        {"rich text in runs is one entry; empty and blank entries keep their place",
         strings(R"(<si><t>one</t></si><si><r><rPr><b/></rPr><t>bo</t></r><r><t xml:space="preserve">ld </t></r></si>)"
                 R"(<si><t>three</t><rPh sb="0" eb="1"><t>PH</t></rPh></si><si/><si><t xml:space="preserve"> </t></si>)"
                 R"(<si><t>six</t></si>)"),
         sheet(R"(<row r="1"><c r="A1" t="s"><v>1</v></c><c r="B1" t="s"><v>2</v></c><c r="C1" t="s"><v>3</v></c>)"
               R"(<c r="D1" t="s"><v>4</v></c><c r="E1" t="s"><v>5</v></c></row>)",
               "A1:E1"),
         5,
         {"bold ", "three", "Untitled Column 3", " ", "six"},
         {{"bold ", "three", "", " ", "six"}}},
        {"formulas give their cached value; inline strings their text",
         {},
         sheet(R"(<row r="1"><c r="A1"><f>B1*2</f><v>84</v></c><c r="B1" t="str"><f>"x"&amp;"y"</f><v>xy</v></c>)"
               R"(<c r="C1"><f>SUM(A1:A3)</f><v></v></c><c r="D1" t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r>)"
               R"(<rPh><t>no</t></rPh></is></c><c r="E1" t="b"><v>1</v></c><c r="F1" t="e"><v>#DIV/0!</v></c></row>)",
               "A1:F1"),
         6,
         {"84", "xy", "Untitled Column 3", "inline", "TRUE", "#DIV/0!"},
         {{"84", "xy", "", "inline", "TRUE", "#DIV/0!"}},
         {},
         {{"84", "xy", "", "inline", "1", "#DIV/0!"}}},
        {"no dimension: the widest row counts; a cell without r follows the one before",
         {},
         sheet(
             R"(<row><c><v>1</v></c><c><v>2</v></c><extra><v>9</v></extra><c r="E1"><v>5</v></c><c><v>6</v></c></row>)"
             R"(<row><c r="b2"><v>b</v></c></row>)"),
         6,
         {"1", "2", "Untitled Column 3", "Untitled Column 4", "5", "6"},
         {{"1", "2", "", "", "5", "6"}, {"", "b", "", "", "", ""}}},
        {"prefixed SpreadsheetML",
         {},
         R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><x:dimension ref="A1:B2"/>)"
         R"(<x:sheetData><x:row r="1"><x:c r="B1" t="inlineStr"><x:is><x:t>pre</x:t></x:is></x:c></x:row>)"
         R"(<x:row r="2"><x:c r="A2"><x:v>3</x:v></x:c></x:row></x:sheetData></x:worksheet>)",
         2,
         {"Untitled Column 1", "pre"},
         {{"", "pre"}, {"3", ""}}},
        {"columns are bounded at XFD: longer references are left out",
         {},
         sheet(R"(<row r="1"><c r="A1"><v>1</v></c><c r="ZZZZZZZZ1"><v>2</v></c><c r="XFE1"><v>3</v></c></row>)",
               "A1:ZZZZZZ1"),
         1,
         {"1"},
         {{"1"}}},
        {"no row at all", {}, sheet("", "A1:C3"), 0, {}, {}},
        {"cells out of order and repeated: the later text of a column wins, an empty one changes nothing",
         abc,
         sheet(R"(<row r="1"><c r="C1"><v>3</v></c><c r="A1"><v>1</v></c><c r="C1" t="s"><v>1</v></c>)"
               R"(<c r="A1"><v></v></c></row>)",
               "A1:C1"),
         3,
         {"1", "Untitled Column 2", "b"},
         {{"1", "", "b"}}},
        // What the part holds before the point where it breaks is not read either.
        {"a sheet cut off in its rows reads as nothing",
         abc,
         sheet(R"(<row r="1"><c r="A1"><v>1</v></c></row>)").chopped(30),
         1,
         {},
         {}},
        {"a text longer than the reader takes in one piece reads as nothing",
         {},
         sheet(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="2"><c r="A2" t="inlineStr"><is><t>)"
                   + QByteArray(6 << 20, 'x') + "</t></is></c></row>",
               "A1:A2"),
         1,
         {},
         {}},
        {"formatted and empty rows after the last value",
         strings2,
         sheet(ada + formatted + emptyTexts, "A1:B5"),
         2,
         {"Ada", "7"},
         {{"Ada", "7"}}},
        {"empty rows between values stay, a space is a value",
         strings2,
         sheet(ada + formatted + space + "<row r=\"5\"/>", "A1:B5"),
         2,
         {"Ada", "7"},
         {{"Ada", "7"}, {"", ""}, {"", ""}, {"", " "}}},
        {"formatted rows alone are no table", strings2, sheet(formatted, "A1:B3"), 0, {}, {}},
        // Gnumeric writes a column's format once, on its col, and no "s" on
        // the cells of that style; a row of `customFormat` styles its cells.
        // Of two cols for one column the first counts, in whatever order
        // they come; one that cannot be read styles nothing.
        {"a cell without a style takes its row's, else its column's, else style 0",
         {},
         sheet(R"(<row r="1"><c r="A1"><v>5</v></c><c r="B1"><v>5</v></c><c r="C1"><v>0.07</v></c>)"
               R"(<c r="D1" s="0"><v>0.07</v></c><c r="E1" s="3"><v>1234.5</v></c>)"
               R"(<c r="F1" t="inlineStr"><is><t>7</t></is></c></row>)"
               R"(<row r="2" s="3" customFormat="1"><c r="B2"><v>5</v></c><c r="C2" s="1"><v>5</v></c></row>)"
               R"(<row r="3" s="3"><c r="B3"><v>5</v></c><c r="XFE3"><v>9</v></c></row>)",
               "A1:F3",
               R"(<col min="2" max="2" style="1"/><col min="1" max="2" style="3"/><col min="x" max="3" style="3"/>)"
               R"(<col min="2" max="99999" style="2"/>)"),
         6,
         {"$5.00", "000005", "7%", "0.07", "$1,234.50", "7"},
         {{"$5.00", "000005", "7%", "0.07", "$1,234.50", "7"},
          {"", "$5.00", "000005", "", "", ""},
          {"", "000005", "", "", "", ""}},
         gnumericStyles,
         {{"5", "5", "0.07", "0.07", "1234.5", "7"}, {"", "5", "5", "", "", ""}, {"", "5", "", "", "", ""}}},
        // A second cols counts as the first; a style the part does not have
        // (index 4 and up, or negative) gives way to the row's, else the
        // column's, as Calc shows them; one that is no number shows as stored.
        {"cols in two elements, out of order; styles past the part",
         {},
         sheet(R"(<row r="1"><c r="A1"><v>5</v></c><c r="B1"><v>5</v></c><c r="C1"><v>5</v></c>)"
               R"(<c r="D1"><v>5</v></c><c r="E1"><v>5</v></c></row>)"
               R"(<row r="2" s="99" customFormat="1"><c r="A2"><v>5</v></c><c r="B2" s="99"><v>5</v></c>)"
               R"(<c r="C2" s="-1"><v>5</v></c><c r="D2" s="4"><v>5</v></c><c r="E2" s="x"><v>0.50</v></c></row>)"
               R"(<row r="3" s="1" customFormat="1"><c r="A3" s="99"><v>5</v></c><c r="B3"><v>5</v></c></row>)",
               {},
               R"(<col min="3" max="3" style="1"/></cols><cols><col min="1" max="2" style="3"/>)"
               R"(<col min="2" max="4" style="2"/>)"),
         5,
         {"$5.00", "$5.00", "000005", "500%", "5"},
         {{"$5.00", "$5.00", "000005", "500%", "5"},
          {"$5.00", "$5.00", "000005", "500%", "0.50"},
          {"000005", "000005", "", "", ""}},
         gnumericStyles,
         {{"5", "5", "5", "5", "5"}, {"5", "5", "5", "5", "0.50"}, {"5", "5", "", "", ""}}},
        // A min before column A counts from A, a max before A styles nothing.
        {"cols bounded by the ends of the number range",
         {},
         sheet(R"(<row r="1"><c r="A1"><v>5</v></c><c r="B1"><v>5</v></c></row>)", {},
               R"(<col min="-2147483648" max="1" style="1"/><col min="2" max="-2147483648" style="3"/>)"),
         2,
         {"000005", "5"},
         {{"000005", "5"}},
         gnumericStyles,
         {{"5", "5"}}},
        // TRUE or FALSE, or 1 or 0 in its own, its row's or its column's
        // format; a `v` starting with a number other than 0 is TRUE, other
        // text FALSE, an empty one no value. As stored, it shows its `v`.
        {"booleans",
         {},
         sheet(
             R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="b"><v>0</v></c><c r="C1" t="b"><v> 2 </v></c>)"
             R"(<c r="D1" t="b"><v>true</v></c><c r="E1" t="b"><v>1e0</v></c><c r="F1" t="b"><v>0x1</v></c>)"
             R"(<c r="G1" t="b"><v> </v></c><c r="H1" t="b"><f>TRUE()</f></c><c r="I1" t="b" s="1"><v>1</v></c>)"
             R"(<c r="J1" t="b" s="2"><v>0</v></c><c r="K1" t="b" s="3"><v>1</v></c><c r="L1" t="b" s="0"><v>1</v></c>)"
             R"(<c r="M1" t="b"><v>1</v></c></row>)"
             R"(<row r="2" s="1" customFormat="1"><c r="A2" t="b"><v>1</v></c></row>)",
             {}, R"(<col min="13" max="13" style="2"/>)"),
         13,
         {"TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "FALSE", "Untitled Column 7", "Untitled Column 8", "000001", "0%",
          "$1.00", "TRUE", "100%"},
         {{"TRUE", "FALSE", "TRUE", "FALSE", "TRUE", "FALSE", "", "", "000001", "0%", "$1.00", "TRUE", "100%"},
          {"000001", "", "", "", "", "", "", "", "", "", "", "", ""}},
         gnumericStyles,
         {{"1", "0", " 2 ", "true", "1e0", "0x1", "", "", "1", "0", "1", "1", "1"},
          {"1", "", "", "", "", "", "", "", "", "", "", "", ""}}},
    };
    // A text cell whose index is no entry of the shared strings refuses the
    // workbook, naming the cell and why, and never shows another string.
    const QString outside = "its text cell C2 points to shared string \"%1\", which is not among its 3 shared strings";
    const QString fraction = "its text cell C2 points to shared string \"%1\", an index that is not a whole number";
    const QByteArray cells = R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row><row r="2"><c t="s"><v>1</v></c>)"
                             R"(<c r="C2" t="s"><v>%1</v></c></row>)";
    for (const auto& [index, refusal] : {std::pair {"3", outside},
                                         {"4", outside},
                                         {"-1", outside},
                                         {"99999999999999999999", outside},
                                         {"x", fraction},
                                         {"1.0", fraction},
                                         {"1e0", fraction},
                                         {"+", fraction}})
        table.append(
            {index, abc, sheet(QByteArray(cells).replace("%1", index)), 1, {}, {}, {}, {}, refusal.arg(index)});
    for (const Golden& g : table) {
        SCOPED_TRACE(g.name);
        ScopedTempFolder temp;
        Table titles, rows;
        readParts(g, titles, rows);
        if (!g.refusal.isEmpty()) {
            EXPECT_EQ(SpreadsheetWriter::sharedInstance().refusal, g.refusal);
        }
        EXPECT_EQ(Excel_Sheet_Columns, g.columns);
        if (g.titles.isEmpty())
            EXPECT_TRUE(titles.isEmpty());
        else
            EXPECT_EQ(titles, Table {g.titles});
        EXPECT_EQ(rows, g.rows);
        EXPECT_EQ(SpreadsheetWriter::readRowsAsStored().toTable(), g.stored.isEmpty() ? g.rows : g.stored);
    }
}

TEST(WorkbookReader, WideSheetsAreBoundedAtXfd)
{
    ScopedTempFolder temp;
    const QByteArray body =
        R"(<row r="1"><c r="XFD1"><v>last</v></c></row><row r="2"/><row r="3"><c r="A3"><v>1</v></c></row>)";
    const Golden g {"", {}, sheet(body, "A1:ZZZ9"), 0, {}, {}};
    Table titles, table;
    readParts(g, titles, table);
    ASSERT_EQ(Excel_Sheet_Columns, SpreadsheetWriter::MaxColumns);
    ASSERT_EQ(table.size(), 3);
    EXPECT_EQ(table[0].size(), SpreadsheetWriter::MaxColumns);
    EXPECT_EQ(table[0].last(), "last");
    EXPECT_EQ(table[1].size(), SpreadsheetWriter::MaxColumns);
    // Rows keep only what they hold: one cell each, not 16,384.
    const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.rowLength(1), SpreadsheetWriter::MaxColumns);
    EXPECT_EQ(rows.cellCount(), 2);
    EXPECT_EQ(rows.value(0, SpreadsheetWriter::MaxColumns - 1), "last");
}

TEST(WorkbookReader, ColumnNamesAndIndexes)
{
    const struct {
        int number;
        const char* letters;
    } table[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"},
                 {16384, "XFD"}, {18278, "ZZZ"}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.letters);
        EXPECT_EQ(SpreadsheetWriter::ColumnNumber_To_Name(row.number), row.letters);
        EXPECT_EQ(Get_Col_index(row.letters, 64), row.number);
        EXPECT_EQ(Get_Col_index(row.letters, 65), row.number - 1);
    }
    EXPECT_EQ(SpreadsheetWriter::ColumnNumber_To_Name(0), "");
    EXPECT_EQ(Get_Col_index("AAAA", 64), -1);
    EXPECT_EQ(Get_Col_index("A1", 64), -1);
    EXPECT_EQ(Get_Column_Char_Str("AB12"), "AB");
    EXPECT_EQ(Get_Column_Char_Str("XFD"), "XFD");
    EXPECT_EQ(Asc_Val(QStringLiteral("A")), 65);
}

// Workbooks of LibreOffice Calc (converted from our .fods and .csv sources)
// and of openpyxl (normal and write-only mode), read through the whole
// import road: unpack, titles, rows.
TEST(WorkbookReader, WorkbooksOfOtherPrograms)
{
    QTemporaryDir made;
    ASSERT_TRUE(convertWithCalc({fixture("calc_people.fods"), fixture("calc_plain.csv")}, "xlsx", made.path()));
    ASSERT_FALSE(workbookTool({"make", made.path()}).isNull());

    // clang-format off
    const struct {
        const char* file;
        int sheet;
        QStringList titles;
        Table rows;
    } table[] = {
        {"calc_people.xlsx", 1, {"Name", "Age", "City", "Note"},
         {{"Name", "Age", "City", "Note"},
          {"Zoë Ærø", "42", "Köln 東京", "bold and plain"},
          {"Name", "84", "", "Zoë Ærø!"}}},
        {"calc_people.xlsx", 2, {"x", "Untitled Column 2", "z"}, {{"x", "", "z"}, {"1.5", "-0.25", "1.25"}}},
        {"calc_plain.xlsx", 1, {"Code", "Item", "Price"},
         {{"Code", "Item", "Price"}, {"A-1", "Smith, John", "3.5"}, {"B-2", "Plain", "12"}}},
        {"openpyxl_book.xlsx", 1, {"Name", "Seat", "Vegan", "Total"},
         {{"Name", "Seat", "Vegan", "Total"}, {"Ærø", "12", "TRUE", ""}, {"Bo", "7.25", "FALSE", ""},
          {"after a gap", "", "東京", ""}}},
        {"openpyxl_book.xlsx", 2, {"Untitled Column 1", "only B"}, {{"", "only B"}, {"-3", ""}}},
        {"openpyxl_stream.xlsx", 1,
         {"id", "word", "Untitled Column 3", "wide", "Untitled Column 5", "Untitled Column 6"},
         {{"id", "word", "", "wide", "", ""}, {"1", "alpha", "", "x", "", ""}, {"2", "beta", "gamma", "", "", "far"}}},
    };
    // clang-format on
    for (const auto& row : table) {
        SCOPED_TRACE(std::string(row.file) + " sheet " + std::to_string(row.sheet));
        ScopedTempFolder temp;
        SpreadsheetWriter::ReadWorkbook(made.filePath(row.file), true);
        SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet%1.xml").arg(row.sheet);
        EXPECT_EQ(SpreadsheetWriter::ReadData_only_column(), Table {row.titles});
        EXPECT_EQ(Excel_Sheet_Columns, row.titles.size());
        EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), row.rows);
    }
    ScopedTempFolder temp;
    SpreadsheetWriter::ReadWorkbook(made.filePath("calc_people.xlsx"), true);
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), QStringList({"People", "Numbers"}));
    EXPECT_EQ(SpreadsheetWriter::sharedInstance().parts.sheets,
              (QList<WorkbookParts::Sheet> {{"People", "xl/worksheets/sheet1.xml"},
                                            {"Numbers", "xl/worksheets/sheet2.xml"}}));
}

namespace {

QStringList g_logged;

void keepLogged(QtMsgType, const QMessageLogContext&, const QString& text)
{
    g_logged << text;
}

// Reads sheet 1 of the workbook at `path` as the import does.
Table readWorkbook(const QString& path)
{
    SpreadsheetWriter::ReadWorkbook(path, true);
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    SpreadsheetWriter::ReadData_only_column();
    Table rows = SpreadsheetWriter::ReadWorkbook(QString(), false).toTable();
    SpreadsheetWriter::Release_Data();
    return rows;
}
}

// An openpyxl workbook of 60 guests whose next 59 rows are formatted but
// empty reads as LibreOffice shows it: 60 records, for the table and for a
// series per column, the columns of one record side by side.
TEST(WorkbookReader, FormattedEmptyRowsAfterTheGuestsAreNoRecords)
{
    QTemporaryDir made;
    const QString path = made.filePath("padded.xlsx");
    ASSERT_FALSE(workbookTool({"padded", path, "60", "59"}).isNull());
    ASSERT_TRUE(convertWithCalc({path}, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true", made.path()));
    QFile csv(made.filePath("padded.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const Table shown = parseCsv(QString::fromUtf8(csv.readAll()));
    ASSERT_EQ(shown.size(), 61);
    ScopedTempFolder temp;
    EXPECT_EQ(readWorkbook(path), shown);

    SpreadsheetWriter::ReadWorkbook(path, true);
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    QList<SpreadsheetImport::ColumnChoice> choices = SpreadsheetImport::choicesFromTitles(
        SpreadsheetWriter::ReadData_only_column().value(0));
    for (SpreadsheetImport::ColumnChoice& choice : choices)
        choice.State = true;
    const SheetRows rows = SpreadsheetWriter::ReadWorkbook(QString(), false);
    const QList<SpreadsheetImport::ColumnSeries> series = SpreadsheetImport::seriesPerColumn(rows, choices, true);
    ASSERT_EQ(series.size(), 3);
    for (const SpreadsheetImport::ColumnSeries& column : series)
        EXPECT_EQ(column.values.size(), 60) << column.name.toStdString();
    EXPECT_EQ(series[1].values.last(), "");
    EXPECT_EQ(SpreadsheetImport::tableFromRows(rows, choices, true, "No.").rows.size(), 60);
    SpreadsheetWriter::Release_Data();
}

// Workbooks whose shared strings hold what a lenient reading can take, or
// what cannot be read at all, through the import road (unpack, titles, all
// rows): each is read with every cell right, or refused with its reason in
// the log and nothing left to read. None comes in with blank text cells.
TEST(WorkbookReader, SharedStringsReadWholeOrRefused)
{
    // A1 shared string 0, B1 an inline string, A2 shared string 1, B2 a number.
    const auto sheetWith = [](const QByteArray& inlineText) {
        return SW::fixedText(SW::sheetHead("A1:B2") + R"(<row r="1"><c r="A1" t="s"><v>0</v></c>)"
                             + R"(<c r="B1" t="inlineStr"><is><t>)" + inlineText + "</t></is></c></row>"
                             + R"(<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2"><v>7</v></c></row>)"
                             + SW::sheetTail());
    };
    const SW::Producer sheet = sheetWith("Seat");
    const QByteArray head = SW::sharedStringsHead() + "<si><t>Name</t></si><si><t>";
    const QByteArray tail = "</t></si>" + SW::sharedStringsTail();
    const auto strings = [&](const QByteArray& second) { return SW::fixedText(head + second + tail); };
    const QByteArray whole = head + "Ada" + tail;
    QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE sst [<!ENTITY a0 \"lol\">";
    for (int i = 1; i < 10; ++i)
        bomb +=
            QStringLiteral("<!ENTITY a%1 \"%2\">").arg(i).arg(QStringLiteral("&a%1;").arg(i - 1).repeated(10)).toUtf8();
    bomb += "]>" + whole.mid(whole.indexOf("<sst")).replace("Ada", "&a9;");
    const QByteArray declared = "<!DOCTYPE sst [<!ENTITY who \"Ada\">]>"
        + whole.mid(whole.indexOf("<sst")).replace("Ada", "&who;");
    const QByteArray mebibyte = SW::letters(0, 1 << 20);
    const QString corrupt = QStringLiteral("its shared strings cannot be read");
    const QString tooLong = QStringLiteral("longer than");
    const struct
    {
        const char* name;
        SW::Producer sheet;
        SW::Producer strings; // none: the workbook has no shared strings
        Table rows;           // empty: refused
        QString why;          // what the log says of a refusal
    } cases[] = {
        {"an unknown entity is kept as written",
         sheet,
         strings("Ada&nbsp;Lovelace &copy;&amp;&#65; &lt;3"),
         {{"Name", "Seat"}, {"Ada&nbsp;Lovelace &copy;&A <3", "7"}},
         {}},
        {"so it is in an inline string of the sheet",
         sheetWith("Seat&nbsp;No"),
         strings("Ada"),
         {{"Name", "Seat&nbsp;No"}, {"Ada", "7"}},
         {}},
        {"no shared strings: inline strings and numbers",
         SW::fixedText(SW::sheetHead()
                       + R"(<row><c r="A1" t="inlineStr"><is><t>Name</t></is></c><c r="B1"><v>7</v></c></row>)"
                       + SW::sheetTail()),
         {},
         {{"Name", "7"}},
         {}},
        {"one string of a mebibyte",
         sheet,
         strings(mebibyte),
         {{"Name", "Seat"}, {QString::fromLatin1(mebibyte), "7"}},
         {}},
        {"cut short inside a string", sheet, SW::fixedText(whole.left(whole.indexOf("Ada") + 2)), {}, corrupt},
        {"cut short after a whole string",
         sheet,
         SW::fixedText(whole.chopped(SW::sharedStringsTail().size())),
         {},
         corrupt},
        {"an empty part", sheet, SW::fixedText(""), {}, corrupt},
        {"no XML", sheet, SW::fixedText("Name,Seat\nAda,7\n"), {}, corrupt},
        {"the XML of another part", sheet, SW::fixedText(SW::sheetHead() + SW::sheetTail()), {}, corrupt},
        {"a bare ampersand", sheet, strings("Smith & Sons"), {}, corrupt},
        {"tags that do not match", sheet, strings("Ada</si><si><t>"), {}, corrupt},
        {"an entity bomb", sheet, SW::fixedText(bomb), {}, QStringLiteral("declares entities")},
        {"one entity declared, never expanded",
         sheet,
         SW::fixedText(declared),
         {},
         QStringLiteral("declares entities")},
        {"one string of 5 MB", sheet, SW::longText(head, 5000000, tail), {}, tooLong},
        {"one string of 100 MB", sheet, SW::longText(head, 100000000, tail), {}, tooLong},
    };
    QTemporaryDir made;
    const WorkbookAccess& access = WorkbookAccess::installed();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempFolder temp;
        const QString path = made.filePath(QStringLiteral("book.xlsx"));
        ASSERT_TRUE(SW::writeWorkbook(path, c.sheet, c.strings));
        g_logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepLogged);
        const QList<WorkbookParts::Sheet> offered = access.open(path);
        QStringList sheets, titles;
        Table rows;
        if (!offered.isEmpty()) {
            sheets.append(offered.first().name);
            titles = access.titles(offered.first().part);
            rows = access.rows(path, offered.first().part).toTable();
        }
        const bool refused = !access.refusal().isEmpty();
        qInstallMessageHandler(previous);
        access.release();
        if (c.rows.isEmpty()) {
            EXPECT_TRUE(refused);
            EXPECT_EQ(sheets, QStringList());
            EXPECT_TRUE(QDir(UnpackFolder::path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
            const QStringList refusals = g_logged.filter(QStringLiteral("Error: the workbook is refused: "));
            EXPECT_EQ(refusals.size(), 1) << g_logged.join('\n').toStdString();
            EXPECT_TRUE(refusals.value(0).contains(c.why)) << refusals.value(0).toStdString();
        } else {
            EXPECT_FALSE(refused);
            EXPECT_EQ(sheets, QStringList {"sheet1"});
            EXPECT_EQ(titles, c.rows.first());
            // (QCOMPARE-like output of a mebibyte helps no one.)
            EXPECT_TRUE(rows == c.rows) << "rows differ";
            EXPECT_EQ(g_logged.filter(QStringLiteral("Error")), QStringList());
        }
    }
}

// Workbooks whose parts lie where their relationships say: the shared
// strings under any name (relative, from the root, or the usual one when
// none is named), and exactly the tabs of the workbook in tab order, each
// read from the part its relationship (the first of an Id) targets, whatever
// its name; no target outside the workbook is read. Without relationships,
// the sheet<n>.xml parts by number. Text cells without their shared strings
// refuse the workbook.
TEST(WorkbookReader, EveryTabReadFromItsOwnPart)
{
    const QByteArray ada = SW::sharedStringsHead() + "<si><t>Ada</t></si>" + SW::sharedStringsTail();
    const QString missing = "its text cells point into shared strings that are missing";
    // Each field a list with blanks between its items.
    const struct
    {
        const char* name;
        const char* rels;        // "Id>Target" (see SyntheticWorkbooks::tabParts); "!": a part that is no XML
        const char* tabs;        // "Name>Id", in the workbook's order
        const char* sheets;      // the worksheet parts in xl/worksheets, without ".xml"
        const char* listed;      // the sheets offered, each with what it reads ("Guests>sheet2"; "Staff>": nothing)
        const char* prefix = ""; // of the elements
        QString strings = "xl/sharedStrings.xml"; // where the shared strings lie; "": none
        QString why = {};                         // why the workbook is refused; "": it is not
    } cases[] = {
        {"relative", "r1>worksheets/sheet1.xml ss>strings/shared.xml", "Guests>r1", "sheet1", "Guests>sheet1", "",
         "xl/strings/shared.xml"},
        {"from the root", "ss>/xl/SharedStrings.xml r1>/xl/worksheets/sheet1.xml", "Guests>r1", "sheet1",
         "Guests>sheet1", "", "xl/SharedStrings.xml"},
        {"not named", "r1>worksheets/sheet1.xml", "Guests>r1", "sheet1", "Guests>sheet1"},
        {"none", "r1>worksheets/sheet1.xml", "Guests>r1", "sheet1", "Guests>", "", "", missing},
        {"first sheet deleted", "r2>worksheets/sheet2.xml r3>worksheets/sheet3.xml", "Guests>r2 Staff>r3",
         "sheet3 sheet2 sheet4", "Guests>sheet2 Staff>sheet3"},
        {"tabs not in part order", "r1>worksheets/sheet2.xml r2>worksheets/sheet1.xml", "Guests>r1 Staff>r2",
         "sheet2 sheet1", "Guests>sheet2 Staff>sheet1"},
        {"outside the workbook", "r1>worksheets/sheet1.xml ss>../../shared.xml", "Guests>r1", "sheet1", "Guests>", "",
         "xl/sharedStrings.xml", missing},
        {".NET writer, two tabs", "R1>/xl/worksheets/sheet.xml R2>/xl/worksheets/sheet2.xml ss>/xl/sharedStrings.xml",
         "Guests>R1 Staff>R2", "sheet sheet2", "Guests>sheet Staff>sheet2", "x:"},
        {".NET writer, one tab", "R1>/xl/worksheets/sheet.xml", "Guests>R1", "sheet", "Guests>sheet", "x:"},
        {"a part named in capitals, its target and strings in other letters", "r1>Worksheets/SHEET1.XML", "Guests>r1",
         "Sheet1", "Guests>Sheet1", "", "xl/SharedStrings.XML"},
        {"a part that no tab names", "r2>worksheets/sheet2.xml", "Guests>r2", "sheet1 sheet2", "Guests>sheet2"},
        {"two relationships under one Id", "r1>worksheets/sheet1.xml r1>worksheets/sheet2.xml", "Guests>r1",
         "sheet1 sheet2", "Guests>sheet1"},
        {"sheet1 beside sheet01", "r1>worksheets/sheet01.xml r2>worksheets/sheet1.xml", "Guests>r1 Staff>r2",
         "sheet1 sheet01", "Guests>sheet01 Staff>sheet1"},
        {"relationships that cannot be read", "!", "Guests>r1", "sheet10 sheet2 sheet",
         "sheet2>sheet2 sheet10>sheet10"},
    };
    const auto items = [](const char* list) { return QString(list).split(' ', Qt::SkipEmptyParts); };
    // A1 shared string 0, B1 the part's own name.
    const QByteArray sheetOf = "<%worksheet xmlns%='http://schemas.openxmlformats.org/spreadsheetml/2006/main'>"
                               "<%sheetData><%row><%c r='A1' t='s'><%v>0</%v></%c><%c r='B1' t='inlineStr'><%is>"
                               "<%t>NAME</%t></%is></%c></%row></%sheetData></%worksheet>";
    QTemporaryDir made;
    const WorkbookAccess& access = WorkbookAccess::installed();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempFolder temp;
        // Where the target leading out of the workbook would land.
        writeFile(UnpackFolder::path() + "/../shared.xml", ada);
        QList<SW::Part> parts = SW::tabParts(QString(c.rels).remove('!'), c.tabs, c.prefix);
        if (QByteArray(c.rels) == "!")
            parts[0].content = SW::fixedText("<Relationships><Relationship Id='r1'");
        if (!c.strings.isEmpty())
            parts.append({c.strings, SW::fixedText(ada)});
        for (const QString& n : items(c.sheets))
            parts.append({"xl/worksheets/" + n + ".xml",
                          SW::fixedText(SW::prefixed(QByteArray(sheetOf).replace("NAME", n.toUtf8()), c.prefix))});
        const QString path = made.filePath("book.xlsx");
        ASSERT_TRUE(SW::writeArchive(path, parts));
        QStringList listed;
        for (const WorkbookParts::Sheet& sheet : access.open(path)) {
            const QStringList titles = access.titles(sheet.part);
            const Table rows = access.rows(path, sheet.part).toTable();
            EXPECT_TRUE(rows.isEmpty() || (rows.size() == 1 && rows[0].value(0) == "Ada" && titles == rows[0]))
                << rows.value(0).join(", ").toStdString();
            listed.append(sheet.name + ">" + rows.value(0).value(1));
        }
        EXPECT_EQ(listed.join(' ').toStdString(), c.listed);
        EXPECT_EQ(access.refusal().toStdString(), c.why.toStdString());
        access.release();
    }
}

// Parts read as their XML and their archive write them: a namespace
// declaration is no attribute, and of two entries whose names differ only in
// letter case, the first in the archive is the part.
TEST(WorkbookReader, PartsReadAsWritten)
{
    const QByteArray kinds = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const auto rel = [&](const char* id, const char* kind, const char* target) {
        return "<Relationship Id='" + QByteArray(id) + "' Type='" + kinds + kind + "' Target='" + target + "'/>";
    };
    const QByteArray sheetTo = rel("rId1", "/worksheet", "worksheets/sheet1.xml")
        + rel("rId2", "/worksheet", "worksheets/sheet2.xml");
    const QByteArray guests = "<sheet name='Guests' sheetId='1' r:id='rId1'/>";
    const QByteArray stringOne = SW::sheetHead() + "<row><c r='A1' t='s'><v>0</v></c></row>" + SW::sheetTail();
    const auto strings = [](const char* text) {
        return SW::fixedText(SW::sharedStringsHead() + "<si><t>" + text + "</t></si>" + SW::sharedStringsTail());
    };
    // Parts `first` and `second`, in this order, holding the cell they name.
    const auto two = [](const char* first, const char* second) {
        return QList<SW::Part> {{first, SW::textSheet({{"first"}})}, {second, SW::textSheet({{"second"}})}};
    };
    const char* const sheet1 = "xl/worksheets/sheet1.xml";
    const struct
    {
        const char* name;
        QByteArray rels;      // the Relationship elements
        QByteArray tab;       // the sheet element of the workbook
        QList<SW::Part> more; // in archive order; cell A1 of the tab reads "first"
    } cases[] = {
        {"a declared prefix id beside r:id", sheetTo, "<sheet xmlns:id='rId2' name='Guests' sheetId='1' r:id='rId1'/>",
         two(sheet1, "xl/worksheets/sheet2.xml")},
        {"a declared prefix Target beside Target",
         "<Relationship xmlns:Target='worksheets/sheet2.xml' Id='rId1' Type='" + kinds
             + "/worksheet' Target='worksheets/sheet1.xml'/>",
         guests, two(sheet1, "xl/worksheets/sheet2.xml")},
        {"the first of two cased alike, the target as the second", sheetTo, guests,
         two("xl/worksheets/Sheet1.xml", sheet1)},
        {"the first of two cased alike, the target as neither", sheetTo, guests,
         two(sheet1, "xl/worksheets/SHEET1.xml")},
        {"shared strings",
         sheetTo + rel("rId3", "/sharedStrings", "sharedStrings.xml"),
         guests,
         {{sheet1, SW::fixedText(stringOne)},
          {"xl/SharedStrings.xml", strings("first")},
          {"xl/sharedStrings.xml", strings("second")}}},
    };
    QTemporaryDir made;
    const WorkbookAccess& access = WorkbookAccess::installed();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempFolder temp;
        const QByteArray rels = "<Relationships xmlns='http://schemas.openxmlformats.org/package/2006/relationships'>"
            + c.rels + "</Relationships>";
        const QByteArray workbook = "<workbook xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main' "
                                    "xmlns:r='"
            + kinds + "'><sheets>" + c.tab + "</sheets></workbook>";
        const QString path = made.filePath("book.xlsx");
        ASSERT_TRUE(SW::writeArchive(path,
                                     QList<SW::Part> {{"xl/_rels/workbook.xml.rels", SW::fixedText(rels)},
                                                      {"xl/workbook.xml", SW::fixedText(workbook)}}
                                         + c.more));
        const QList<WorkbookParts::Sheet> sheets = access.open(path);
        ASSERT_EQ(sheets.size(), 1);
        EXPECT_EQ(sheets[0].name, "Guests");
        access.titles(sheets[0].part);
        EXPECT_EQ(access.rows(path, sheets[0].part).value(0, 0).toStdString(), "first");
        access.release();
    }
}

// Without relationships to read, the parts named as most writers name them
// are offered, by number.
TEST(WorkbookParts, SheetPartsListedByNumber)
{
    EXPECT_EQ(WorkbookParts::numberedSheetParts(
                  {"sheet10.xml", "sheet2.xml", "_rels", "sheet1.XML", "chart1.xml", "sheet3.xml.rels", "sheetx.xml"}),
              (QStringList {"sheet1.XML", "sheet2.xml", "sheet10.xml"}));
}

// A file that is no workbook, read after one that was: nothing of the
// earlier workbook is left to pass for it.
TEST(WorkbookReader, NoWorkbookAfterAWorkbookReadsNothing)
{
    ScopedTempFolder temp;
    QTemporaryDir made;
    ASSERT_FALSE(workbookTool({"make", made.path()}).isNull());
    SpreadsheetWriter::ReadWorkbook(made.filePath("openpyxl_book.xlsx"), true);
    ASSERT_TRUE(QFileInfo::exists(UnpackFolder::path() + "/xl/worksheets/sheet1.xml"));

    writeFile(made.filePath("not.xlsx"), "Name,Seat\nBo,7\n");
    EXPECT_TRUE(SpreadsheetWriter::ReadWorkbook(made.filePath("not.xlsx"), true).isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::sharedInstance().sharedStrings.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(UnpackFolder::path() + "/xl"));
    EXPECT_TRUE(SpreadsheetWriter::sharedInstance().sheetPart.isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::ReadData_only_column().isEmpty());
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    EXPECT_TRUE(SpreadsheetWriter::ReadData_only_column().isEmpty());
    EXPECT_TRUE(SpreadsheetWriter::ReadWorkbook(QString(), false).isEmpty());
}

// Reading the titles keeps the sheet's rows for the reading of all rows;
// they are read again when the part or the column count changed between.
TEST(WorkbookReader, RowsKeptFromTheTitlesOnlyForTheSamePart)
{
    ScopedTempFolder temp;
    const QString part = UnpackFolder::path() + "/xl/worksheets/sheet1.xml";
    const QByteArray first = sheet(R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1"><v>2</v></c></row>)");
    const QByteArray second = sheet(
        R"(<row r="1"><c r="A1"><v>10</v></c></row><row r="2"><c r="B2"><v>20</v></c></row>)");
    SpreadsheetWriter::sharedInstance().ReadSharedStrings(QString());
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    const struct
    {
        const char* name;
        QByteArray between; // the part written anew after the titles; empty: left alone
        int columns;        // the column count set after the titles; 0: left alone
        Table rows;
    } cases[] = {
        {"the same part", {}, 0, {{"1", "2"}}},
        {"the part replaced", second, 0, {{"10", ""}, {"", "20"}}},
        {"another column count", {}, 3, {{"1", "2", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(part, first);
        Excel_Sheet_Columns = 1;
        ASSERT_EQ(SpreadsheetWriter::ReadData_only_column(), Table({{"1", "2"}}));
        if (!c.between.isEmpty())
            writeFile(part, c.between);
        if (c.columns)
            Excel_Sheet_Columns = c.columns;
        EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), c.rows);
        // Read once: a second reading reads the part.
        EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), c.rows);
    }
}

// The titles of a first row read alone: what follows it in the part is
// not read, so it cannot break the limits; the first row itself can.
TEST(WorkbookReader, FirstRowReadAlone)
{
    const QByteArray longText = R"(<c t="inlineStr"><is><t>)" + QByteArray(6 << 20, 'x') + "</t></is></c>";
    const auto titlesOf = [](const QByteArray& part) {
        ScopedTempFolder temp;
        SpreadsheetWriter::sharedInstance().ReadSharedStrings(QString());
        writeFile(UnpackFolder::path() + "/xl/worksheets/sheet3.xml", part);
        SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet3.xml");
        Excel_Sheet_Columns = 9;
        const QStringList titles = SpreadsheetWriter::readTitleRow();
        EXPECT_EQ(Excel_Sheet_Columns, 9);
        return titles;
    };
    EXPECT_EQ(titlesOf(sheet(R"(<row r="1"><c r="A1"><v>1</v></c><c r="C1"><v>3</v></c></row><row r="2">)" + longText
                             + "</row>")),
              QStringList({"1", "Untitled Column 2", "3"}));
    EXPECT_TRUE(SpreadsheetWriter::sharedInstance().refusal.isEmpty());
    EXPECT_EQ(titlesOf(sheet("<row r=\"1\">" + longText + "</row>")), QStringList());
    EXPECT_FALSE(SpreadsheetWriter::sharedInstance().refusal.isEmpty());
}

TEST(UnpackFolder, PrivateToTheUser)
{
    ScopedTempFolder temp;
    const QString base = temp.path() + "/brightfold-" + QString::number(::geteuid());

    // A folder of ours left open to others is closed.
    ASSERT_TRUE(QDir().mkpath(base));
    ::chmod(QFile::encodeName(base).constData(), 0755);
    // A folder left by a process that has ended is cleared away.
    const QString ended = base + "/" + QString::number(std::numeric_limits<int>::max());
    writeFile(ended + "/ziptmp/xl/sharedStrings.xml", "x");
    const QString folder = UnpackFolder::path();
    ASSERT_EQ(folder, base + "/" + QString::number(::getpid()) + "/ziptmp");
    EXPECT_FALSE(QFileInfo::exists(ended));
    for (const QString& path : {base, folder}) {
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << path.toStdString();
    }
    writeFile(folder + "/xl/worksheets/sheet1.xml", "x");
    EXPECT_TRUE(UnpackFolder::empty());
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    UnpackFolder::remove();
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo::exists(base + "/" + QString::number(::getpid())));

    // A link planted in its place is refused, and what it points at is left alone.
    ASSERT_TRUE(QDir(base).removeRecursively());
    const QString elsewhere = temp.path() + "/elsewhere";
    writeFile(elsewhere + "/ziptmp/keep", "keep");
    ASSERT_TRUE(QFile::link(elsewhere, base));
    EXPECT_TRUE(UnpackFolder::path().isEmpty());
    EXPECT_FALSE(UnpackFolder::empty());
    UnpackFolder::remove();
    EXPECT_TRUE(QFileInfo::exists(elsewhere + "/ziptmp/keep"));
}

TEST(WorkbookFormats, NumberCellsShowTheirStylesFormat)
{
    const QByteArray main = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    // Styles 1 to 4: "000000", "dd.mm.yyyy", the short date 14, "0.00".
    const QByteArray styles = "<styleSheet " + main
        + "><numFmts><numFmt numFmtId=\"164\" formatCode=\"000000\"/>"
          "<numFmt numFmtId=\"165\" formatCode=\"dd.mm.yyyy\"/>"
          "<numFmt numFmtId=\"164\" formatCode=\"0.00\"/>"
          "<numFmt numFmtId=\"166\" formatCode=\"0.00\"/></numFmts>"
          "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
          "<xf numFmtId=\"14\"/><xf numFmtId=\"166\"/></cellXfs></styleSheet>";
    const SW::Producer sheet = SW::fixedText(
        SW::sheetHead() + R"(<row r="1"><c r="A1" s="1"><v>5</v></c><c r="B1" s="2"><v>46000</v></c>)"
        + R"(<c r="C1" s="3"><v>46000.75</v></c><c r="D1"><v>46000</v></c><c r="E1" s="4"><v>5</v></c>)"
        + R"(<c r="F1" s="1"><f>A1</f><v>5</v></c><c r="G1" s="1" t="n"><v>5</v></c>)"
        + R"(<c r="H1" s="1" t="inlineStr"><is><t>7</t></is></c><c r="I1" s="1" t="str"><f>A1</f><v>5</v></c>)"
        + R"(<c r="J1" s="2" t="b"><v>1</v></c><c r="K1" s="99"><v>5</v></c><c r="L1" s="x"><v>5</v></c>)"
        + R"(<c r="M1" s="2" t="d"><v>2025-12-09T18:00:00Z</v></c><c r="N1" t="d"><v>2025-12-09T18:00:00.5</v></c>)"
        + R"(<c r="O1" s="2" t="d"><v>18:30:00</v></c><c r="P1"><v>0.30000000000000004</v></c>)" + "</row>"
        + SW::sheetTail());
    const QStringList shown {"000005",     "09.12.2025", "2025-12-09", "46000", "5.00", "000005",
                             "000005",     "7",          "5",          "1",     "5",    "5",
                             "09.12.2025", "46000.75",   "18:30:00",   "0.3"};
    // Without formats every number shows as General.
    const QStringList general {"5", "46000", "46000.75", "46000", "5",        "5",        "5",        "7",
                               "5", "TRUE",  "5",        "5",     "46000.75", "46000.75", "18:30:00", "0.3"};
    // A format the reader cannot take (E1's "0.00") alone falls back to General.
    QStringList fallback = shown;
    fallback[4] = "5";
    const qsizetype last = styles.indexOf("<numFmt numFmtId=\"166\"");
    QByteArray pastTheCount;
    for (qsizetype k = 0; k < WorkbookStyles::MaxNumberFormats; ++k)
        pastTheCount += "<numFmt numFmtId=\"" + QByteArray::number(1000 + k) + "\" formatCode=\"0\"/>";
    const QByteArray workbook = "<workbook " + main
        + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
          "<sheets><sheet name=\"Guests\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                            "<Relationship Id=\"rId2\" Type=\"x/styles\" Target=\"/xl/theirs/look.xml\"/>"
                            "</Relationships>";
    const struct
    {
        const char* name;
        SW::Producer styles; // none: the workbook has no styles part
        QStringList row;
        QList<SW::Part> more = {};
    } cases[] = {
        {"formats of the styles part", SW::fixedText(styles), shown},
        {"prefixed names",
         SW::fixedText(QByteArray(styles).replace("<", "<x:").replace("<x:/", "</x:").replace("xmlns=", "xmlns:x=")),
         shown},
        {"no styles part", {}, general},
        {"the part the relationships name, not the usual one",
         SW::fixedText("<styleSheet " + main + "/>"),
         shown,
         {{"xl/_rels/workbook.xml.rels", SW::fixedText(rels)}, {"xl/theirs/look.xml", SW::fixedText(styles)}}},
        {"no XML", SW::fixedText("000000"), general},
        {"a code too long among good ones",
         SW::fixedText(QByteArray(styles).replace("formatCode=\"0.00\"/></numFmts>",
                                                  "formatCode=\"" + QByteArray(WorkbookStyles::MaxCodeLength + 1, '0')
                                                      + "\"/></numFmts>")),
         fallback},
        {"more codes than kept", SW::fixedText(styles.left(last) + pastTheCount + styles.mid(last)), fallback},
        {"more cell formats than kept",
         SW::fixedText(QByteArray(styles).replace(
             "</cellXfs>", QByteArray("<xf numFmtId=\"0\"/>").repeated(WorkbookStyles::MaxCellFormats) + "</cellXfs>")),
         shown},
        {"a part too large",
         SW::longText(styles.left(styles.indexOf("<numFmts>")) + "<!-- ", WorkbookStyles::MaxPartBytes,
                      " -->" + styles.mid(styles.indexOf("<numFmts>"))),
         general},
    };
    QTemporaryDir made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempFolder temp;
        const QString path = made.filePath(QStringLiteral("book.xlsx"));
        QList<SW::Part> parts {{"xl/workbook.xml", SW::fixedText(workbook)}, {"xl/worksheets/sheet1.xml", sheet}};
        if (c.styles)
            parts.append({"xl/styles.xml", c.styles});
        ASSERT_TRUE(SW::writeArchive(path, parts + c.more));
        EXPECT_EQ(readWorkbook(path), Table {c.row});
    }
}

// Workbooks of LibreOffice Calc (from our .fods, in the 1904 date system)
// and of openpyxl, each read as LibreOffice shows it in its "as shown" CSV
// export, but for the short date (14) and the date and time (22), which
// LibreOffice shows in the machine's date order and we in one fixed order.
TEST(WorkbookFormats, ShownAsCalcShowsThem)
{
    QTemporaryDir made;
    ASSERT_TRUE(convertWithCalc({fixture("calc_formats.fods")}, "xlsx", made.path()));
    ASSERT_FALSE(workbookTool({"formats", made.path()}).isNull());
    const QStringList books {"calc_formats", "openpyxl_formats"};
    QStringList files;
    for (const QString& book : books)
        files << made.filePath(book + ".xlsx");
    QTemporaryDir shown;
    ASSERT_TRUE(
        convertWithCalc(files, "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true", shown.path()));
    for (const QString& book : books) {
        SCOPED_TRACE(book.toStdString());
        QFile csv(shown.filePath(book + ".csv"));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        Table expected = parseCsv(QString::fromUtf8(csv.readAll()));
        ASSERT_GT(expected.size(), 1);
        for (int column = 0; column < expected[0].size(); ++column) {
            const QString title = expected[0][column];
            for (int row = 1; row < expected.size() && title.startsWith("id "); ++row) {
                QString& text = expected[row][column];
                if (title == "id 14")
                    text = QDate::fromString(text, "M/d/yyyy").toString("yyyy-MM-dd");
                else
                    text = QDateTime::fromString(text, "M/d/yyyy H:mm").toString("yyyy-MM-dd HH:mm");
            }
        }
        ScopedTempFolder temp;
        EXPECT_EQ(readWorkbook(made.filePath(book + ".xlsx")), expected);
    }
}

// A guest list as Gnumeric writes it (scripts/make_gnumeric_fixture.py):
// formats on the cols, cells without a style, styled empty cells out to XFD;
// and one written by hand with booleans, cols in two elements out of order
// and overlapping, and styles past the styles part. Read, and checked against
// a design's table, as LibreOffice's CSV has it.
TEST(WorkbookFormats, GnumericColumnStylesShownAsCalcShowsThem)
{
    QTemporaryDir made;
    const QString styled = made.filePath("styled_guests.xlsx");
    ASSERT_FALSE(workbookTool({"styled", styled}).isNull());
    for (const QString& book : {fixture("gnumeric_guests.xlsx"), styled}) {
        SCOPED_TRACE(book.toStdString());
        QTemporaryDir shown;
        ASSERT_TRUE(
            convertWithCalc({book}, "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true", shown.path()));
        QFile csv(shown.filePath(QFileInfo(book).completeBaseName() + ".csv"));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        const Table expected = parseCsv(QString::fromUtf8(csv.readAll()));
        ASSERT_EQ(expected.size(), book == styled ? 4 : 9);
        ASSERT_EQ(expected[1][book == styled ? 1 : 2], book == styled ? "TRUE" : "000005");
        ScopedTempFolder temp;
        EXPECT_EQ(readWorkbook(book), expected);

        // A design's table of every titled column, made from LibreOffice's values.
        QList<SpreadsheetImport::ColumnChoice> choices = SpreadsheetImport::choicesFromTitles(expected[0]);
        for (SpreadsheetImport::ColumnChoice& choice : choices)
            choice.State = !choice.Extension.isEmpty();
        const auto saved = SpreadsheetImport::tableFromRows(SheetRows(expected), choices, true, "No.");
        EXPECT_EQ(int(SavedTableCheck::check(WorkbookAccess::installed(), book, saved.titles, saved.rows).outcome),
                  int(SavedTableCheck::Outcome::Same));
    }
}

// The parts are listed as the unpack wrote them: another file renamed over
// the path once it is done (as sync clients replace files) changes nothing.
TEST(WorkbookReader, PartsListedFromTheFileUnpacked)
{
    ScopedTempFolder temp;
    QTemporaryDir made;
    const QString path = made.filePath("book.xlsx");
    ASSERT_TRUE(
        SW::writeArchive(path,
                         SW::tabParts("r1>worksheets/sheet1.xml", "Guests>r1")
                             + QList<SW::Part> {{"xl/worksheets/sheet1.xml", SW::textSheet({{"Name"}, {"Ada"}})}}));
    ASSERT_TRUE(SW::writeArchive(path + ".other",
                                 QList<SW::Part> {{"xl/worksheets/Sheet1.xml", SW::textSheet({{"Name"}, {"Bob"}})}}));
    SSZipArchive::setClosedHookForTesting([](const QString& archive) {
        QFile::remove(archive);
        QFile::rename(archive + ".other", archive);
    });
    const WorkbookAccess& access = WorkbookAccess::installed();
    const QList<WorkbookParts::Sheet> sheets = access.open(path);
    SSZipArchive::setClosedHookForTesting(nullptr);
    ASSERT_FALSE(QFileInfo::exists(path + ".other"));
    ASSERT_EQ(sheets, (QList<WorkbookParts::Sheet> {{"Guests", "xl/worksheets/sheet1.xml"}}));
    access.titles(sheets[0].part);
    EXPECT_EQ(access.rows(path, sheets[0].part).toTable(), Table({{"Name"}, {"Ada"}}));
    access.release();
}
