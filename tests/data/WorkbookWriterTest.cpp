// The workbook writer: the exact parts it writes, which texts become number
// cells, failures reported, and our workbooks opened by LibreOffice Calc,
// openpyxl and our own reader.
#include "app/Globals.h"
#include "common/ObjectTestSupport.h"
#include "data/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"
#include "data/WorkbookTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace WorkbookTestSupport;
using Table = SpreadsheetWriter::Table;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

// The series manager's export: one column under "Batch Value".
TEST(WorkbookWriter, PartsAsGoldenFiles)
{
    QTemporaryDir out;
    SpreadsheetWriter& s = SpreadsheetWriter::sharedInstance();
    s.data = {{"Batch Value"}, {"12"}, {"abc"}, {"abc"}};
    ASSERT_TRUE(s.WriteWorksheetData(out.filePath("sheet1.xml")));
    ASSERT_TRUE(s.WriteSharedStringsXML(out.filePath("sharedStrings.xml")));
    EXPECT_EQ(readAll(out.filePath("sheet1.xml")), readAll(fixture("batch_value_sheet1.xml")));
    EXPECT_EQ(readAll(out.filePath("sharedStrings.xml")), readAll(fixture("batch_value_sharedStrings.xml")));

    // Ragged rows: every row spans the first row's width, a longer row keeps its cells.
    s.data = {{"a", "b"}, {"1", "2", "3"}, {"x"}};
    ASSERT_TRUE(s.WriteWorksheetData(out.filePath("ragged.xml")));
    const QString ragged = QString::fromUtf8(readAll(out.filePath("ragged.xml")));
    EXPECT_TRUE(ragged.contains(R"(<dimension ref="A1:B3"/>)"));
    EXPECT_EQ(ragged.count(R"(spans="1:2")"), 3);
    EXPECT_TRUE(ragged.contains(R"(<c r="C2">)"));
    EXPECT_FALSE(ragged.contains(R"(<c r="B3")"));
}

TEST(WorkbookWriter, WhichTextsAreNumberCells)
{
    const struct {
        const char* text;
        bool number;
    } table[] = {
        {"12", true}, {"0", true}, {"-3.25", true}, {"0.5", true}, {"123456789012345", true},
        {"0.000000123456789012345", true}, {"12345678901234.5", true},
        {"007", false}, {"12,5", false}, {"1e3", false}, {"1E-3", false}, {"+5", false}, {".5", false},
        {"5.", false}, {" 5", false}, {"5 ", false}, {"", false}, {"-", false}, {"1,000", false},
        {"1234567890123456", false}, {"12345678901234567890", false}, {"1234567890123.456", false},
        {"abc", false}, {"٣", false}, {"inf", false}, {"NaN", false}, {"0x10", false},
        {"12.50", false}, {"1.0", false}, {"-0", false}, {"-0.0", false}, {"-0.5", true}, {"10", true},
    };
    for (const auto& row : table)
        EXPECT_EQ(SpreadsheetWriter::isNumberCell(QString::fromUtf8(row.text)), row.number) << row.text;
}

// A written workbook read back by openpyxl, by LibreOffice Calc (as CSV) and
// by our reader gives the table that was written.
TEST(WorkbookWriter, OtherProgramsReadOurWorkbook)
{
    ScopedTempFolder temp;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir out;
    const Table table {
        {"Batch Value", "Other"},
        {"12", "007"},
        {"12,5", "1e3"},
        {"12345678901234567890", "-3.25"},
        {"Zoë <&> \"東京\"", "0.5"},
        {"abc", "abc"},
        {"12.50", "-0"},
    };
    const QString path = out.filePath("export.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, table, true));

    // openpyxl finds the sheet and the shared strings through the template's parts.
    const QJsonArray sheets = QJsonDocument::fromJson(workbookTool({"dump", path})).array();
    ASSERT_EQ(sheets.size(), 1);
    Table fromOpenpyxl;
    for (const QJsonValue& row : sheets[0].toArray())
        fromOpenpyxl.append(row.toVariant().toStringList());
    EXPECT_EQ(fromOpenpyxl, table);

    ASSERT_TRUE(convertWithCalc({path}, "csv:Text - txt - csv (StarCalc):44,34,76,1", out.path()));
    EXPECT_EQ(parseCsv(QString::fromUtf8(readAll(out.filePath("export.csv")))), table);

    SpreadsheetWriter::ReadWorkbook(path, true);
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    EXPECT_EQ(SpreadsheetWriter::ReadData_only_column(), Table {table.first()});
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), table);
}

// Characters that XML cannot hold travel as "_xHHHH_" escapes, and a text
// that only looks like such an escape keeps its underscore: the workbook
// stays well formed and reads back as written.
TEST(WorkbookWriter, ControlCharactersAndEscapeLookalikes)
{
    ScopedTempFolder temp;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir out;
    const Table table {
        {"Batch Value"}, {QString("a") + QChar(1) + "b"}, {"_x0041_"}, {QString("tab\there") + QChar(0xFFFF)},
        {QString("lone ") + QChar(0xD800)},
    };
    const QString path = out.filePath("control.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, table, true));
    EXPECT_EQ(QJsonDocument::fromJson(workbookTool({"dump", path})).array().size(), 1);
    SpreadsheetWriter::ReadWorkbook(path, true);
    SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), table);
}

TEST(WorkbookWriter, FailuresAreReported)
{
    ScopedTempFolder temp;
    QTemporaryDir out;
    const Table table {{"Batch Value"}, {"1"}};
    {
        ObjectTestSupport::ScopedResourceFolder resources;
        // A target in a folder that does not exist.
        EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out.filePath("missing/x.xlsx"), table, true));
        EXPECT_FALSE(QFileInfo::exists(out.filePath("missing")));
        // An earlier file is replaced whole; nothing else is left beside it.
        QFile earlier(out.filePath("x.xlsx"));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(out.filePath("x.xlsx"), table, true));
        EXPECT_TRUE(readAll(out.filePath("x.xlsx")).startsWith("PK"));
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList {"x.xlsx"});
    }
    // No template in the resource folder.
    Resource_Path = out.path();
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out.filePath("y.xlsx"), table, true));
    EXPECT_FALSE(QFileInfo::exists(out.filePath("y.xlsx")));
}

// The XML Spreadsheet 2003 writer read back by our reader and by LibreOffice
// Calc; a workbook part's sheet name read back as a tab name.
TEST(WorkbookWriter, Spreadsheet2003AndWorkbookPart)
{
    ScopedTempFolder temp;
    QTemporaryDir out;
    const Table table {{"Name", "Seat"}, {"Zoë <&>", "12"}, {"007", "-3.25"}};
    SpreadsheetWriter& s = SpreadsheetWriter::sharedInstance();
    const QString path = out.filePath("notes.xml");
    ASSERT_TRUE(s.WriteWorksheetXML2004(path, table));
    EXPECT_EQ(s.ReadWorksheetXML2004(path), table);
    ASSERT_TRUE(convertWithCalc({path}, "csv:Text - txt - csv (StarCalc):44,34,76,1", out.path()));
    EXPECT_EQ(parseCsv(QString::fromUtf8(readAll(out.filePath("notes.csv")))), table);

    const QString xl = UnpackFolder::path() + "/xl";
    QDir().mkpath(xl);
    ASSERT_TRUE(s.WriteWorkbookXML(xl + "/workbook.xml", "Gäste"));
    EXPECT_EQ(SpreadsheetWriter::Read_Sheet_Name(), QStringList {"Gäste"});
}

// OpenDocument: Calc's spreadsheet read by ours, ours read by Calc and by ours.
TEST(WorkbookWriter, OpenDocumentSpreadsheets)
{
    ScopedTempFolder temp;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir out;
    ASSERT_TRUE(convertWithCalc({fixture("calc_people.fods")}, "ods", out.path()));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(out.filePath("calc_people.ods")),
              Table({{"Name", "Age", "City", "Note"}, {"Zoë Ærø", "42", "Köln 東京", "bold and plain"},
                     {"", "", "", ""}, {"Name", "84", "", "Zoë Ærø!"}}));

    const Table table {{"Batch Value"}, {"007"}, {"Zoë <&>"}, {"12"}};
    const QString path = out.filePath("ours.ods");
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(path, table, true));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path), table);
    ASSERT_TRUE(convertWithCalc({path}, "csv:Text - txt - csv (StarCalc):44,34,76,1", out.path()));
    EXPECT_EQ(parseCsv(QString::fromUtf8(readAll(out.filePath("ours.csv")))), table);
}
