// Number cells of workbooks read through the import road (unpack, titles,
// rows) as their styles show them: hand-made styles parts for exact
// behaviours and faults, and workbooks of LibreOffice Calc and openpyxl
// held against what LibreOffice itself shows for them.
#include "common/SyntheticWorkbooks.h"
#include "data/Globals.h"
#include "data/SpreadsheetWriter.h"
#include "data/WorkbookStyles.h"
#include "data/WorkbookTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace WorkbookTestSupport;
namespace SW = SyntheticWorkbooks;
using Table = SpreadsheetWriter::Table;

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

TEST(WorkbookFormats, NumberCellsShowTheirStylesFormat)
{
    const QByteArray main = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    // Styles 1 to 4: "000000", "dd.mm.yyyy", the short date 14, "0.00".
    const QByteArray numFmts = "<numFmts><numFmt numFmtId=\"164\" formatCode=\"000000\"/>"
                               "<numFmt numFmtId=\"165\" formatCode=\"dd.mm.yyyy\"/>"
                               "<numFmt numFmtId=\"164\" formatCode=\"0.00\"/>"
                               "<numFmt numFmtId=\"166\" formatCode=\"0.00\"/></numFmts>";
    const QByteArray xfs = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/><xf numFmtId=\"165\"/>"
                           "<xf numFmtId=\"14\"/><xf numFmtId=\"166\"/></cellXfs>";
    const QByteArray styles = "<styleSheet " + main + ">" + numFmts + xfs + "</styleSheet>";
    const SW::Producer sheet = SW::fixedText(
        SW::sheetHead() + R"(<row r="1"><c r="A1" s="1"><v>5</v></c><c r="B1" s="2"><v>46000</v></c>)"
        + R"(<c r="C1" s="3"><v>46000.75</v></c><c r="D1"><v>46000</v></c><c r="E1" s="4"><v>5</v></c>)"
        + R"(<c r="F1" s="1"><f>A1</f><v>5</v></c><c r="G1" s="1" t="n"><v>5</v></c>)"
        + R"(<c r="H1" s="1" t="inlineStr"><is><t>7</t></is></c><c r="I1" s="1" t="str"><f>A1</f><v>5</v></c>)"
        + R"(<c r="J1" s="2" t="b"><v>1</v></c><c r="K1" s="1" t="e"><v>#N/A</v></c>)"
        + R"(<c r="L1" s="2" t="d"><v>2025-12-09</v></c><c r="M1" s="99"><v>5</v></c><c r="N1" s="x"><v>5</v></c>)"
        + "</row>" + SW::sheetTail());
    const QStringList shown {"000005", "09.12.2025", "2025-12-09", "46000", "5",          "000005", "000005",
                             "7",      "5",          "1",          "#N/A",  "2025-12-09", "5",      "5"};
    QStringList stored = shown;
    stored[0] = stored[5] = stored[6] = "5";
    stored[1] = "46000";
    stored[2] = "46000.75";
    QStringList in1904 = shown;
    in1904[1] = "10.12.2029";
    in1904[2] = "2029-12-10";
    const auto workbook = [&](const QByteArray& pr) {
        return "<workbook " + main + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            + pr + "<sheets><sheet name=\"Guests\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    };
    const QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                            "<Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                            "<Relationship Id=\"rId2\" Type=\"x/styles\" Target=\"/xl/theirs/look.xml\"/>"
                            "</Relationships>";
    const QByteArray padding = "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"1\"/><xf numFmtId=\"1\"/>"
                               "<xf numFmtId=\"1\"/></cellXfs>";
    const QByteArray styleHead = "<styleSheet " + main + ">" + numFmts + "<cellXfs>";
    const QString notRead = "number formats are not read";
    const struct
    {
        const char* name;
        SW::Producer styles; // none: the workbook has no styles part
        QByteArray workbookPr;
        QStringList row;
        QString logged; // what the log says of a styles part it ignores
        QList<SW::Part> more = {};
    } cases[] = {
        {"formats of the styles part", SW::fixedText(styles), {}, shown, {}},
        {"prefixed names",
         SW::fixedText(QByteArray(styles).replace("<", "<x:").replace("<x:/", "</x:").replace("xmlns=", "xmlns:x=")),
         {},
         shown,
         {}},
        {"no styles part", {}, {}, stored, {}},
        {"the 1904 date system", SW::fixedText(styles), "<workbookPr date1904=\"true\"/>", in1904, {}},
        {"the part the relationships name, not the usual one",
         SW::fixedText("<styleSheet " + main + ">" + padding + "</styleSheet>"),
         {},
         shown,
         {},
         {{"xl/_rels/workbook.xml.rels", SW::fixedText(rels)}, {"xl/theirs/look.xml", SW::fixedText(styles)}}},
        {"no XML", SW::fixedText("000000"), {}, stored, "styles.xml: "},
        {"too many cell formats",
         SW::repeated(
             styleHead, WorkbookStyles::MaxCellFormats + 1,
             [](qint64 i) { return "<xf numFmtId=\"" + QByteArray::number(i == 1 ? 164 : 200 + i) + "\"/>"; },
             "</cellXfs></styleSheet>"),
         {},
         stored,
         "more than 262144 cell formats"},
        {"a code too long",
         SW::fixedText(QByteArray(styles).replace("0.00", QByteArray(WorkbookStyles::MaxCodeLength + 1, '0'))),
         {},
         stored,
         "more than 1024 characters"},
        {"a part too large",
         SW::longText(styles.left(styles.indexOf("<numFmts>")) + "<!-- ", WorkbookStyles::MaxPartBytes,
                      " -->" + styles.mid(styles.indexOf("<numFmts>"))),
         {},
         stored,
         "larger than 16777216 bytes"},
    };
    QTemporaryDir made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedTempFolder temp;
        const QString path = made.filePath(QStringLiteral("book.xlsx"));
        QList<SW::Part> parts {{"xl/workbook.xml", SW::fixedText(workbook(c.workbookPr))},
                               {"xl/worksheets/sheet1.xml", sheet}};
        if (c.styles)
            parts.append({"xl/styles.xml", c.styles});
        ASSERT_TRUE(SW::writeArchive(path, parts + c.more));
        g_logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepLogged);
        const Table rows = readWorkbook(path);
        qInstallMessageHandler(previous);
        EXPECT_EQ(rows, Table {c.row});
        const QStringList logged = g_logged.filter(notRead);
        if (c.logged.isEmpty())
            EXPECT_EQ(logged, QStringList());
        else
            EXPECT_TRUE(logged.size() == 1 && logged[0].contains(c.logged)) << g_logged.join('\n').toStdString();
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
    ASSERT_TRUE(convertWithCalc(files, "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true", shown.path()));
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
