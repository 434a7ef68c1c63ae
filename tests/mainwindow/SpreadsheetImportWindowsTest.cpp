// The spreadsheet import dialogs and the series import wizard on a real main
// window, reading workbooks that LibreOffice made: the series files written,
// the imported table (kept by the design file, bound in the inspector) and
// the values handed to the series manager.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "common/SanitizerBuild.h"
#include "common/SyntheticWorkbooks.h"
#include "data/Globals.h"
#include "data/SSZipArchive.h"
#include "data/SeriesStore.h"
#include "data/WorksheetReader.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/profile/Show_User_Profile.h"
#include "mainwindow/series/BatchWizard.h"
#include "mainwindow/series/Import_Wizard.h"
#include "mainwindow/series/ModalRunPause.h"
#include "mainwindow/series/SeriesManagerLink.h"
#include "mainwindow/spreadsheet/Data_From_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel_DataSheet.h"
#include "model/Globals.h"
#include "model/SKTText.h"
#include "profiles/Globals.h"
#include "platform/IndexSet.h"
#include "platform/OpenPanel.h"
#include "platform/SavePanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUuid>

namespace {

using Sheet = QList<QStringList>;

QString xmlEscaped(const QString& s)
{
    return s.toHtmlEscaped();
}

// A workbook of the given sheets, written by LibreOffice from a flat
// OpenDocument file; cells that look like numbers are stored as numbers.
QString makeWorkbook(const QString& folder, const QString& name, const QList<Sheet>& sheets)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\" "
        "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body><office:spreadsheet>");
    for (int s = 0; s < sheets.size(); ++s) {
        xml += QStringLiteral("<table:table table:name=\"Tab%1\">").arg(s + 1);
        for (const QStringList& row : sheets[s]) {
            xml += QStringLiteral("<table:table-row>");
            for (const QString& cell : row) {
                bool number = false;
                cell.toDouble(&number);
                if (cell.isEmpty())
                    xml += QStringLiteral("<table:table-cell/>");
                else if (number)
                    xml += QStringLiteral("<table:table-cell office:value-type=\"float\" office:value=\"%1\"><text:p>%1</text:p></table:table-cell>").arg(cell);
                else
                    xml += QStringLiteral("<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>").arg(xmlEscaped(cell));
            }
            xml += QStringLiteral("</table:table-row>");
        }
        xml += QStringLiteral("</table:table>");
    }
    xml += QStringLiteral("</office:spreadsheet></office:body></office:document>\n");
    const QString source = folder + "/" + name + ".fods";
    QFile f(source);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(xml.toUtf8());
    f.close();
    QProcess soffice;
    const QString profile = QDir::tempPath() + "/excelui-lo-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    soffice.start("soffice", {"--headless", "-env:UserInstallation=file://" + profile, "--convert-to", "xlsx",
                              "--outdir", folder, source});
    soffice.waitForFinished(180000);
    QDir(profile).removeRecursively();
    const QString out = folder + "/" + name + ".xlsx";
    return QFile::exists(out) ? out : QString();
}

// An archive of the given files (path inside the archive, content).
QString makeArchive(const QString& folder, const QString& name, const QMap<QString, QByteArray>& files)
{
    const QString work = folder + "/" + name + "-parts";
    for (auto it = files.begin(); it != files.end(); ++it) {
        QDir().mkpath(QFileInfo(work + "/" + it.key()).path());
        QFile f(work + "/" + it.key());
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(it.value());
    }
    QStringList top;
    for (const QString& entry : QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        top << work + "/" + entry;
    const QString zip = folder + "/" + name + ".xlsx";
    return SSZipArchive::createZipFileAtPath(zip, top) ? zip : QString();
}

QByteArray seriesFile(const QString& name)
{
    QFile f(Data_Folder_Path + "/" + name + ".txt");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class SpreadsheetImportWindowsTest : public WindowControllerFixture
{
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        guests = makeWorkbook(folder->path(), "guests",
                              {{{"Name", "", "Phone", "../evil"}, {"Ada", "x", "555", "e1"}, {" Bob ", "", "", "e2"}},
                               {{"Town"}, {"Paris"}}});
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ASSERT_FALSE(guests.isEmpty()) << "LibreOffice made no workbook";
        QDir(Data_Folder_Path).removeRecursively();
        QDir().mkpath(Data_Folder_Path);
        SpreadsheetPicker::setLoadPause(0);
        seriesManager = SeriesManagerLink::installed();
        SeriesManagerLink::installed().Create_Value_List = [this](const QString& v) { managerValues.append(v); };
        SeriesManagerLink::installed().Add_Cell_Records = [this](const QStringList& v) { managerValues.append(v); };
        SeriesManagerLink::installed().Fill_List = [this] { ++listRefreshes; };
    }
    void TearDown() override
    {
        SpreadsheetPicker::setModalRun({});
        Long_SMS_Dlg::setModalRun({});
        Import_Wizard::setModalRun({});
        Import_Wizard::setFolderPanel({});
        BatchWizard::setModalRun({});
        ModalRunPause::setEnabled(true);
        SeriesManagerLink::installed() = {};
        WindowControllerFixture::TearDown();
    }
    // The picker's run: the chosen sheet, the header box and the ticks,
    // then OK.
    static void scriptPicker(int sheet, bool header, QList<int> ticked)
    {
        SpreadsheetPicker::setModalRun([=](SpreadsheetPicker& picker) {
            picker.Sheet_ComboBox->setCurrentIndex(sheet);
            picker.contains_header->setChecked(header);
            for (int row : ticked) {
                if (row >= picker.ColList->rowCount())
                    return ADD_FAILURE() << "no column " << row, 0;
                picker.ColList->item(row, 0)->setCheckState(Qt::Checked);
            }
            picker.OKPressed();
            return picker.result();
        });
    }

    static QTemporaryDir* folder;
    static QString guests;
    QStringList managerValues;
    int listRefreshes = 0;
    SeriesManagerLink seriesManager; // the main window's series manager
};

QTemporaryDir* SpreadsheetImportWindowsTest::folder = nullptr;
QString SpreadsheetImportWindowsTest::guests;

} // namespace

// One series per ticked column, named after its header. A column bound to a
// card object stops the import before any write, with one message. Renamed,
// a header naming a path is refused and each stored series is replaced only
// after its own question (no leftover apply-to-all); a No skips its column.
TEST_F(SpreadsheetImportWindowsTest, PerColumnSeriesFromTheWizard)
{
    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr bound = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(bound);
    bound->data_source_type = 1;
    bound->batch_list_name = "Name";
    for (const char* name : {"Name", "Phone", "Untitled Column 2"}) {
        QFile f(Data_Folder_Path + "/" + name + ".txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\n");
    }
    Msg_Apply_All_Chk = true; // left over from an earlier question
    QStringList asked;
    Long_SMS_Dlg::setModalRun([&](Long_SMS_Dlg& box) {
        asked.append(box._Msg_Val->toPlainText());
        EXPECT_FALSE(box.apply_chk->isHidden());
        box.apply_chk->setChecked(false);
        asked.size() == 1 ? box.CancelPressed() : box.OKPressed();
        return box.result();
    });
    QStringList refusal;
    SpreadsheetPicker::setModalRun([&](SpreadsheetPicker& picker) {
        picker.selectAll(true);
        picker.OKPressed();
        refusal = presenter.texts();
        EXPECT_EQ(picker.result(), 0) << "the dialog stays open";
        EXPECT_EQ(seriesFile("Phone"), "old\n");
        picker.ColList->item(0, 2)->setText("Guest name");
        picker.OKPressed();
        return picker.result();
    });
    Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
        EXPECT_FALSE(wizard.Text_file_name->isHidden());
        wizard.Excel_path->setText(guests);
        wizard.OKPressed();
        return wizard.result();
    });
    control<QAbstractButton>("Import_Wizard_btn")->click();

    EXPECT_EQ(refusal,
              (QStringList {"\nThis Batch Processing Series is in use by the open design:\nName\nNo series "
                            "was imported. Please untick this column or change its Batch Processing Series "
                            "Name."}));
    EXPECT_EQ(seriesFile("Name"), "old\n");              // bound to the card
    EXPECT_EQ(seriesFile("Guest name"), "Ada\nBob\n");   // renamed in the picker
    EXPECT_EQ(seriesFile("Untitled Column 2"), "old\n"); // No to its question
    EXPECT_EQ(seriesFile("Phone"), "555\n\n");           // replaced after OK
    EXPECT_FALSE(QFile::exists(Data_Folder_Path + "/../evil.txt"));
    EXPECT_EQ(asked,
              (QStringList {"Untitled Column 2\nBatch Processing Series already exists. Do you want to replace it?",
                            "Phone\nBatch Processing Series already exists. Do you want to replace it?"}));
    EXPECT_TRUE(presenter.texts().contains("\nPlease enter list name."));
    EXPECT_EQ(listRefreshes, 0);
}

// A guest list whose first guest has no company (and guests 5 and 31 none
// either), imported one series per column: the Company series begins with
// an empty line, and every badge of the batch carries its own guest's
// company beside its own guest's name.
TEST_F(SpreadsheetImportWindowsTest, BlankCompaniesStayWithTheirGuests)
{
    Sheet sheet {{"Name", "Company"}};
    for (int guest = 1; guest <= 50; ++guest) {
        const bool blank = guest == 1 || guest == 5 || guest == 31;
        sheet.append({QStringLiteral("Guest %1").arg(guest), blank ? QString() : QStringLiteral("Firm %1").arg(guest)});
    }
    QTemporaryDir made;
    const QString book = makeWorkbook(made.path(), "badges", {sheet});
    ASSERT_FALSE(book.isEmpty()) << "LibreOffice made no workbook";
    scriptPicker(0, true, {0, 1});
    Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
        wizard.Excel_path->setText(book);
        wizard.OKPressed();
        return wizard.result();
    });
    control<QAbstractButton>("Import_Wizard_btn")->click();
    const QByteArray companies = seriesFile("Company");
    EXPECT_TRUE(companies.startsWith("\nFirm 2\nFirm 3\nFirm 4\n\nFirm 6\n")) << companies.left(40).data();
    EXPECT_EQ(companies.count('\n'), 50);

    GraphicList bound;
    for (const char* series : {"Name", "Company"}) {
        auto text = std::make_shared<SKTText>();
        text->_bounds = QRectF(10, 10 + 40 * bound.size(), 150, 30);
        text->data_source_type = 1;
        text->batch_list_name = QString::fromLatin1(series);
        bound.append(text);
    }
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, bound, IndexSet::range(0, 2));
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 50);
    const struct
    {
        int record;
        const char* name;
        const char* company;
    } badges[] = {{0, "Guest 1", ""},
                  {1, "Guest 2", "Firm 2"},
                  {4, "Guest 5", ""},
                  {30, "Guest 31", ""},
                  {49, "Guest 50", "Firm 50"}};
    Card_Value_In_Process = true;
    for (const auto& badge : badges) {
        EXPECT_FALSE(controller->Set_data_table_value_to_card(badge.record, "F", false).isNull());
        EXPECT_EQ(bound[0]->Text_contents()->string(), badge.name) << badge.record;
        EXPECT_EQ(bound[1]->Text_contents()->string(), badge.company) << badge.record;
    }
    Card_Value_In_Process = false;

    // The same column imported into a new series of the series manager:
    // each blank company keeps its row, and Save writes the same records.
    SeriesManagerLink::installed() = seriesManager;
    ModalRunPause::setEnabled(false);
    scriptPicker(0, true, {1});
    BatchWizard::setModalRun([&](BatchWizard& manager) {
        manager.add_new_btn->click();
        manager.import_value_btn->click();
        EXPECT_EQ(manager.values(), SeriesStore::managerValues(QString::fromUtf8(companies)));
        manager.batch_list_name->setText("Companies");
        manager.save_btn->click();
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(seriesFile("Companies"), companies);
}

// All ticked columns into one series, appended to a stored one, row after
// row; the manager's import button has it list its series again.
TEST_F(SpreadsheetImportWindowsTest, OneSeriesAppended)
{
    QFile f(Data_Folder_Path + "/Mixed.txt");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("first\n");
    f.close();
    SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
        auto& dialog = static_cast<Import_Excel_DataSheet&>(picker);
        dialog.Fill_Col_RD_Click();
        dialog.Fill_Type_CellClick(2);
        dialog.List_ComboBox->setCurrentText("Mixed");
        if (picker.ColList->rowCount() < 3)
            return ADD_FAILURE() << "columns missing", 0;
        picker.ColList->item(0, 0)->setCheckState(Qt::Checked);
        picker.ColList->item(2, 0)->setCheckState(Qt::Checked);
        picker.OKPressed();
        return picker.result();
    });
    Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
        wizard.Excel_path->setText(guests);
        wizard.OKPressed();
        return wizard.result();
    });
    Import_Wizard::openForSeriesManager();
    EXPECT_EQ(seriesFile("Mixed"), "first\nAda\n555\nBob\n\n");
    EXPECT_EQ(listRefreshes, 1);
}

// Mode "E" fills the table (columns among the ticked ones, titles from the
// first row), the design file keeps it, and a text bound to a column in the
// inspector shows its first value. Mode "D" hands the cells to the manager.
TEST_F(SpreadsheetImportWindowsTest, TableAndManagerValues)
{
    Import_Excel* dialog = controller->importExcelWindow();
    ASSERT_TRUE(dialog);
    auto* source = control<QComboBox>("Data_source_type");
    SKTWindowController::Remove_Excel_Col_Name_In_Combo(source);
    ASSERT_EQ(source->findText("Excel"), -1);
    scriptPicker(0, true, {0, 2});
    dialog->open_mode = "E";
    EXPECT_EQ(dialog->Open_excel_Wnd(guests), 1);
    EXPECT_GE(source->findText("Excel"), 0);
    EXPECT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Name", "Phone"}));
    const QList<DesignFileRow> rows {{{"Extension", "1"}, {"Column1", "Ada"}, {"Column2", "555"}},
                                     {{"Extension", "2"}, {"Column1", "Bob"}, {"Column2", ""}}};
    EXPECT_EQ(controller->ListData, rows);

    QTemporaryDir designs;
    const QString design = designs.filePath("t.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    controller->ListData.clear();
    controller->Excel_Column_Titles = QStringList {"No."};
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    EXPECT_EQ(controller->ListData, rows);
    EXPECT_EQ(Data_From_Excel_Window->columnTitles(), (QStringList {"No.", "Name", "Phone"}));

    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr text = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(text);
    source->setCurrentIndex(source->findText("Excel"));
    emit source->activated(source->currentIndex());
    auto* column = control<QComboBox>("Batch_Series");
    column->setCurrentIndex(column->findText("Name"));
    emit column->activated(column->currentIndex());
    EXPECT_EQ(text->Text_contents()->string(), "Ada");

    scriptPicker(0, false, {0, 1});
    dialog->open_mode = "D";
    dialog->Open_excel_Wnd(guests);
    EXPECT_EQ(managerValues, (QStringList {"Name", "", "Ada", "x", "Bob", ""}));
    EXPECT_EQ(controller->ListData, rows);   // the table is left alone
}

// The second sheet read when it is chosen; a file that is no workbook gives
// the message and changes neither the table nor the series.
TEST_F(SpreadsheetImportWindowsTest, SecondSheetAndBadFiles)
{
    Import_Excel* dialog = controller->importExcelWindow();
    scriptPicker(1, true, {0});
    dialog->open_mode = "E";
    dialog->Open_excel_Wnd(guests);
    EXPECT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Town"}));
    EXPECT_EQ(controller->ListData.size(), 1);

    const QString bogus = folder->filePath("bogus.xlsx");
    QFile f(bogus);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a zip");
    f.close();
    SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
        EXPECT_EQ(picker.Sheet_ComboBox->count(), 0);
        picker.OKPressed();
        return picker.result();
    });
    EXPECT_EQ(dialog->Open_excel_Wnd(bogus), 0);
    EXPECT_EQ(presenter.texts().mid(presenter.texts().size() - 2),
              (QStringList {"\nEither file is corrupted or selected file contains invalid characters.",
                            "\nThere is no column."}));
    EXPECT_EQ(controller->ListData.size(), 1);
}

// A workbook laid out as .NET writers lay it out (prefixed elements, the
// first part named sheet.xml) with a part that no tab names: the dialog
// offers exactly the tabs, in tab order, and each tab imports the rows of
// its own part.
TEST_F(SpreadsheetImportWindowsTest, EveryTabOfferedAndImportedFromItsOwnPart)
{
    namespace SW = SyntheticWorkbooks;
    QList<SW::Part> parts = SW::tabParts("R1>/xl/worksheets/sheet.xml R2>/xl/worksheets/sheet2.xml",
                                         "Guests>R1 Staff>R2", "x:");
    for (const QString n : {"sheet", "sheet1", "sheet2"})
        parts.append({"xl/worksheets/" + n + ".xml", SW::textSheet({{"Name " + n}, {n}}, "x:")});
    const QString book = folder->filePath(QStringLiteral("tabs.xlsx"));
    ASSERT_TRUE(SW::writeArchive(book, parts));
    Import_Excel* dialog = controller->importExcelWindow();
    dialog->open_mode = "E";
    QStringList imported;
    for (int tab = 0; tab < 2; ++tab) {
        SpreadsheetPicker::setModalRun([&](SpreadsheetPicker& picker) {
            QStringList offered;
            for (int i = 0; i < picker.Sheet_ComboBox->count(); ++i)
                offered.append(picker.Sheet_ComboBox->itemText(i));
            EXPECT_EQ(offered, QStringList({"Guests", "Staff"}));
            picker.Sheet_ComboBox->setCurrentIndex(tab);
            if (picker.ColList->rowCount() != 1)
                return ADD_FAILURE() << "columns of tab " << tab, 0;
            picker.ColList->item(0, 0)->setCheckState(Qt::Checked);
            picker.OKPressed();
            return picker.result();
        });
        controller->ListData.clear();
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
        imported.append(controller->ListData.value(0).value("Column1"));
    }
    EXPECT_EQ(imported, QStringList({"sheet", "sheet2"}));
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join('|').toStdString();
}

// What is wrong with a workbook is said when it is read, in the import's
// own words: a file without a sheet to read is corrupted (with the reason
// when the reader refused it); a sheet without rows (also one chosen after a
// sheet with columns) has no data and leaves no columns to tick. A header
// row alone is a row: its columns are offered.
TEST_F(SpreadsheetImportWindowsTest, WorkbookProblemsAreNamedWhenRead)
{
    const QString corrupted = "\nEither file is corrupted or selected file contains invalid characters.";
    const QString noData = "\nThere is no data in selected sheet.\nPlease select another Sheet/Excel File.\n"
                           "Either file is corrupted or selected file contains invalid characters.";
    const QString dir = folder->path();
    const QString notZip = dir + "/plain.xlsx";
    QFile plain(notZip);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("Name,Phone\nAda,555\n");
    plain.close();
    const QByteArray worksheet = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                                 "<sheetData/></worksheet>";
    const QString otherZip = makeArchive(dir, "other", {{"readme.txt", "no workbook here"}});
    const QString noSheets = makeArchive(dir, "nosheets", {{"xl/workbook.xml", "<workbook><sheets/></workbook>"}});
    const QString emptySheet = makeArchive(dir, "emptysheet", {{"xl/worksheets/sheet1.xml", worksheet}});
    const QString edges = makeWorkbook(dir, "edges", {{{"Name", "Phone"}}, {}});
    // Past the reader's limits: a zip bomb (refused when unpacked) and a
    // sheet of more cells than can be held (refused when its columns are
    // read, which leaves no sheet to choose).
    const QString bomb = dir + "/bomb.xlsx";
    const QString cells = dir + "/cells.xlsx";
    ASSERT_TRUE(SyntheticWorkbooks::writeOneLetterStrings(bomb, 16000000)); // 272 MB unpacked
    ASSERT_TRUE(SyntheticWorkbooks::writeNumbers(cells, WorksheetReader::MaxCells / 1000 + 1, 1000));
    const QString tooMany = QString::number(WorksheetReader::MaxCells);
    for (const QString& made : {otherZip, noSheets, emptySheet, edges})
        ASSERT_FALSE(made.isEmpty());
    const struct {
        QString path;
        int pick;   // the sheet chosen in the dialog, -1 keeps the first
        int sheets;
        int columns;
        QStringList messages;
    } cases[] = {
        {notZip, -1, 0, 0, {corrupted}},
        {otherZip, -1, 0, 0, {corrupted}},
        {noSheets, -1, 0, 0, {corrupted}},
        {emptySheet, -1, 1, 0, {noData}},
        {edges, -1, 2, 2, {}},      // the header row alone
        {edges, 1, 2, 0, {noData}}, // the empty second sheet
        {guests, -1, 2, 4, {}},
        {bomb, -1, 0, 0, {corrupted + "\nReason: zip file unpacks to too many bytes"}},
        {cells, -1, 0, 0, {corrupted + "\nReason: more than " + tooMany + " cells with text"}},
    };
    Import_Excel* dialog = controller->importExcelWindow();
    dialog->open_mode = "E";
    for (const auto& c : cases) {
        SCOPED_TRACE(QFileInfo(c.path).fileName().toStdString() + " sheet " + std::to_string(c.pick));
        presenter.clear();
        int sheets = -1, columns = -1;
        SpreadsheetPicker::setModalRun([&](SpreadsheetPicker& picker) {
            if (c.pick >= 0)
                picker.Sheet_ComboBox->setCurrentIndex(c.pick);
            sheets = picker.Sheet_ComboBox->count();
            columns = picker.ColList->rowCount();
            EXPECT_EQ(picker.ListData_xl.size(), columns);
            return 0;
        });
        EXPECT_EQ(dialog->Open_excel_Wnd(c.path), 0);
        EXPECT_EQ(sheets, c.sheets);
        EXPECT_EQ(columns, c.columns);
        EXPECT_EQ(presenter.texts().join(" | ").toStdString(), c.messages.join(" | ").toStdString());
    }
}

// Every way into the import (one series per column, the series manager's
// values, the imported table, and that table from the profile dialog) sees
// a workbook whose shared strings cannot be read, or whose text cells have
// none, as unreadable: the message with its reason, no sheet, nothing
// imported. One whose shared strings hold an entity XML does not know is
// imported with it kept as written.
TEST_F(SpreadsheetImportWindowsTest, SharedStringsThatCannotBeReadRefuseEveryImport)
{
    namespace SW = SyntheticWorkbooks;
    const QString corrupted = "\nEither file is corrupted or selected file contains invalid characters.\nReason: ";
    const SW::Producer sheet = SW::fixedText(
        SW::sheetHead("A1:B2")
        + R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><t>Town</t></is></c></row>)"
        + R"(<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" t="inlineStr"><is><t>Paris</t></is></c></row>)"
        + SW::sheetTail());
    const QByteArray strings = SW::sharedStringsHead() + "<si><t>Name</t></si><si><t>Ada&nbsp;L</t></si>"
        + SW::sharedStringsTail();
    const QString readable = folder->filePath("nbsp.xlsx");
    const QString cut = folder->filePath("cut.xlsx");
    const QString none = folder->filePath("none.xlsx");
    ASSERT_TRUE(SW::writeWorkbook(readable, sheet, SW::fixedText(strings)));
    ASSERT_TRUE(SW::writeWorkbook(cut, sheet, SW::fixedText(strings.chopped(20))));
    ASSERT_TRUE(SW::writeWorkbook(none, sheet, {}));
    const QMap<QString, QString> why {{cut, "its shared strings cannot be read: "},
                                      {none, "its text cells point into shared strings that are missing"}};

    const QList<DesignFileRow> before {{{"Extension", "1"}, {"Column1", "kept"}}};
    const QList<DesignFileRow> imported {{{"Extension", "1"}, {"Column1", "Ada&nbsp;L"}, {"Column2", "Paris"}}};
    enum Way { PerColumn, ManagerValues, Table, ProfileTable };
    const struct
    {
        const char* name;
        Way way;
    } ways[] = {
        {"one series per column", PerColumn},
        {"values to the series manager", ManagerValues},
        {"the imported table", Table},
        {"the imported table from the profile dialog", ProfileTable},
    };
    for (const auto& w : ways) {
        for (const QString& book : {cut, none, readable}) {
            const bool refused = book != readable;
            SCOPED_TRACE(std::string(w.name) + ", " + QFileInfo(book).fileName().toStdString());
            presenter.clear();
            managerValues.clear();
            QDir(Data_Folder_Path).removeRecursively();
            QDir().mkpath(Data_Folder_Path);
            controller->ListData = before;
            int sheets = -1;
            SpreadsheetPicker::setModalRun([&](SpreadsheetPicker& picker) {
                sheets = picker.Sheet_ComboBox->count();
                if (picker.ColList->rowCount() == 0)
                    return 0;
                picker.selectAll(true);
                picker.OKPressed();
                return picker.result();
            });
            Import_Excel* dialog = controller->importExcelWindow();
            dialog->open_mode = w.way == ManagerValues ? "D" : "E";
            if (w.way == PerColumn) {
                Import_Excel_DataSheet::defaultInstance()->Open_excel_Wnd(book);
            } else if (w.way == ProfileTable) {
                OpenPanel::setHandler([&](const QString&, const QStringList&) { return book; });
                Show_User_Profile::defaultInstance()->Browse_excel_Btn_Clicked();
                OpenPanel::setHandler({});
            } else {
                dialog->Open_excel_Wnd(book);
            }
            const QStringList series = QDir(Data_Folder_Path).entryList(QDir::Files);
            if (refused) {
                EXPECT_EQ(presenter.texts().size(), 1);
                EXPECT_TRUE(presenter.texts().value(0).startsWith(corrupted + why[book]))
                    << presenter.texts().value(0).toStdString();
                EXPECT_EQ(sheets, 0);
                EXPECT_EQ(series, QStringList());
                EXPECT_EQ(managerValues, QStringList());
                EXPECT_EQ(controller->ListData, before);
                continue;
            }
            EXPECT_EQ(presenter.texts(), QStringList());
            EXPECT_EQ(sheets, 1);
            if (w.way == PerColumn) {
                EXPECT_EQ(series, (QStringList {"Name.txt", "Town.txt"}));
                EXPECT_EQ(seriesFile("Name"), "Ada&nbsp;L\n");
                EXPECT_EQ(seriesFile("Town"), "Paris\n");
            } else if (w.way == ManagerValues) {
                EXPECT_EQ(managerValues, (QStringList {"Ada&nbsp;L", "Paris"}));
            } else {
                EXPECT_EQ(controller->ListData, imported);
                EXPECT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Name", "Town"}));
            }
        }
    }
}

// The profile window as a user meets it: with the guest list as the
// spreadsheet table, Browse... on a workbook whose shared strings are cut
// short says why it is refused; after Cancel in the import and in the
// window, the File box still names the guest list, also when the window is
// opened again, and so does the design saved and read back.
TEST_F(SpreadsheetImportWindowsTest, RefusedWorkbookLeavesTheProfileWindowAndTheDesign)
{
    namespace SW = SyntheticWorkbooks;
    const QString spoilt = folder->filePath("spoilt.xlsx");
    ASSERT_TRUE(SW::writeWorkbook(
        spoilt, SW::fixedText(SW::sheetHead() + R"(<row><c r="A1" t="s"><v>0</v></c></row>)" + SW::sheetTail()),
        SW::fixedText(SW::sharedStringsHead() + "<si><t>Name</t>")));
    Show_User_Profile* profile = Show_User_Profile::defaultInstance();
    QString chosen = guests;
    OpenPanel::setHandler([&](const QString&, const QStringList&) { return chosen; });
    QStringList named; // the File box when the window opens, and after Browse...
    ProfileDialogBase::setModalRun([&](ProfileDialogBase& window) {
        named << profile->excel_path_field->text();
        if (!chosen.isEmpty()) {
            profile->excel_browse_btn->click();
            named << profile->excel_path_field->text();
        }
        profile->cancel_btn->click();
        return window.result();
    });
    scriptPicker(0, true, {0, 2});
    controller->User_Profile_Button_Clicked();
    ASSERT_EQ(controller->Excel_Column_Titles, (QStringList {"No.", "Name", "Phone"}));

    chosen = spoilt;
    SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
        EXPECT_EQ(picker.Sheet_ComboBox->count(), 0);
        picker.CancelPressed();
        return picker.result();
    });
    presenter.clear();
    controller->User_Profile_Button_Clicked();
    EXPECT_EQ(presenter.texts().join(" | ").toStdString(),
              "\nEither file is corrupted or selected file contains invalid characters.\n"
              "Reason: its shared strings cannot be read: Premature end of document.");
    // A file gone before it is read, and an import of a readable workbook
    // that is cancelled, keep the table, and so its file, as well.
    chosen = folder->filePath("gone.xlsx");
    controller->User_Profile_Button_Clicked();
    chosen = folder->filePath("guests-copy.xlsx");
    ASSERT_TRUE(QFile::copy(guests, chosen));
    SpreadsheetPicker::setModalRun([](SpreadsheetPicker& picker) {
        picker.CancelPressed();
        return picker.result();
    });
    controller->User_Profile_Button_Clicked();
    chosen.clear();
    controller->User_Profile_Button_Clicked();
    EXPECT_EQ(
        named.join(" | ").toStdString(),
        QStringList({"", guests, guests, guests, guests, guests, guests, guests, guests}).join(" | ").toStdString());

    QTemporaryDir designs;
    const QString design = designs.filePath("badges.fcard");
    SavePanel::setHandler([&](const QString&, const QString&) { return design; });
    ASSERT_TRUE(controller->Save_project_file(true, false));
    Excel_Source_Path.clear();
    ASSERT_TRUE(controller->Read_and_load_design_Log(design, "L"));
    EXPECT_EQ(Excel_Source_Path.toStdString(), guests.toStdString());
    OpenPanel::setHandler({});
}

// A workbook of 2 million shared strings in 200,000 rows (about 20 MB) is
// read on a worker thread: a timer on the GUI thread keeps ticking, with no
// gap reaching 200 ms, from opening the dialog to the end of the import.
// Under a sanitizer, which slows every step by a factor that depends on the
// machine's load, the gaps are not held to a time; the timer must still tick.
TEST_F(SpreadsheetImportWindowsTest, GuiThreadAnswersWhileAHugeWorkbookIsRead)
{
    const QString book = folder->filePath("huge.xlsx");
    ASSERT_TRUE(SyntheticWorkbooks::writeUniqueStrings(book, 200000, 10));
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        ++ticks;
    });
    int columns = 0;
    SpreadsheetPicker::setModalRun([&](SpreadsheetPicker& picker) {
        columns = picker.ColList->rowCount();
        if (columns < 1)
            return 0;
        picker.ColList->item(0, 0)->setCheckState(Qt::Checked);
        picker.OKPressed();
        return picker.result();
    });
    Import_Excel* dialog = controller->importExcelWindow();
    dialog->open_mode = "D";
    clock.start();
    timer.start();
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    const qint64 after = clock.elapsed();
    timer.stop();
    longest = std::max(longest, after - last);
    EXPECT_EQ(columns, 10);
    ASSERT_EQ(managerValues.size(), 199999);
    EXPECT_TRUE(managerValues.first().endsWith(" 10")) << managerValues.first().toStdString();
    if (SanitizerBuild::active)
        EXPECT_GT(ticks, 0) << "no tick in " << after << " ms";
    else
        EXPECT_LT(longest, 200) << ticks << " ticks in " << after << " ms";
    std::printf("[ gui      ] %d ticks in %lld ms, longest gap %lld ms\n", ticks, after, longest);
}

// The dialog run for real: while the workbook is read the please-wait window
// is up and stays up when asked to close, and the dialog's commands wait
// (Cancel pressed meanwhile changes nothing); afterwards the columns are
// there and Cancel ends the dialog.
TEST_F(SpreadsheetImportWindowsTest, PleaseWaitHoldsTheDialogWhileTheWorkbookIsRead)
{
    const QString book = folder->filePath("large.xlsx");
    ASSERT_TRUE(SyntheticWorkbooks::writeUniqueStrings(book, 40000, 10));
    Import_Excel* dialog = controller->importExcelWindow();
    dialog->open_mode = "E";
    SpreadsheetPicker::setModalRun({});
    int waitingTicks = 0;
    int closesRefused = 0;
    bool endedWhileReading = false;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!dialog->isVisible())
            return;
        if (dialog->plz_wait_Window->isVisible()) {
            ++waitingTicks;
            closesRefused += dialog->plz_wait_Window->close() ? 0 : 1;
            dialog->CancelPressed();
            endedWhileReading = endedWhileReading || !dialog->isVisible();
        } else if (dialog->Sheet_ComboBox->count() > 0) {
            dialog->CancelPressed();
        }
    });
    timer.start();
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 0);
    timer.stop();
    EXPECT_GT(waitingTicks, 0);
    EXPECT_EQ(closesRefused, waitingTicks);
    EXPECT_FALSE(endedWhileReading);
    EXPECT_EQ(dialog->ListData_xl.size(), 10);
    EXPECT_FALSE(dialog->plz_wait_Window->isVisible());
}

// The wizard's own sources: typed text to a file (lines kept as typed) or to
// the manager, a picture folder, and the question before replacing.
TEST_F(SpreadsheetImportWindowsTest, WizardTypedTextAndPictures)
{
    QTemporaryDir pictures;
    for (const char* name : {"photo.JPG", "notes.txt", "Bo\nLee.png"})
        QFile(pictures.filePath(name)).open(QIODevice::WriteOnly);
    QDir(pictures.path()).mkdir("trip.png");
    const struct {
        int required;
        int option;
        QString typed;
        QList<bool> answers;
        QByteArray file;
        QStringList manager;
    } cases[] = {
        {1, 2, "a\n  \n b\n\n", {}, "a\n  \n b\n", {}},
        {1, 2, "c", {false}, "a\n  \n b\n", {}},    // No keeps the stored series
        {1, 2, "c", {true}, "c\n", {}},
        {0, 2, "a\n  \nb", {}, "c\n", {"a", "  ", "b"}},
        {1, 3, "", {true}, (pictures.filePath("photo.JPG") + "\n").toUtf8(), {}},
    };
    for (const auto& c : cases) {
        managerValues.clear();
        presenter.scriptAnswers(std::initializer_list<bool> {});
        for (bool answer : c.answers)
            presenter.scriptAnswers({answer});
        Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
            if (c.option == 2) {
                wizard.Manual_RD_Pressed();
                wizard.ManualEdit->setPlainText(c.typed);
                wizard.Manual_file_name->setText("Typed");
            } else {
                wizard.Image_RD_Pressed();
                wizard.Image_path->setText(pictures.path());
                wizard.Image_file_name->setText("Typed");
            }
            wizard.OKPressed();
            return wizard.result();
        });
        Import_Wizard* wizard = controller->importWizardWindow();
        wizard->file_name_required = c.required;
        wizard->file_name_Insert = 0;
        wizard->Open_Wnd();
        EXPECT_EQ(seriesFile("Typed"), c.file) << c.typed.toStdString();
        EXPECT_EQ(managerValues, c.manager);
    }
    // the picture whose name holds a line break is left out and named
    EXPECT_EQ(presenter.texts().last(),
              "\nThese pictures are left out: a series value is one line, and their paths "
              "hold a line break (shown as \u21B5).\n"
                  + pictures.filePath("Bo\u21B5Lee.png"));
}

// Enter in the wizard's file panel chooses the file and nothing more: the
// wizard stays open for the series name, and no "Untitled" series appears.
// The list's blank line stays a record in its place.
TEST_F(SpreadsheetImportWindowsTest, EnterInTheFilePanelOnlyChoosesTheFile)
{
    const QString list = folder->filePath("companies.txt");
    QFile f(list);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("Acme\r\n\r\nVertex\r\n\r\n") > 0);
    f.close();
    // the desktop's file panel, answered with the list's path and Enter
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* panel = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = panel ? panel->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name || !panel->isVisible())
            return;
        name->setText(list);
        QTest::keyClick(name, Qt::Key_Return);
    });
    // Browse... for a text file, Enter in the panel, then the wizard's own OK.
    Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
        wizard.show();
        wizard.Text_RD->click();
        answer.start();
        wizard.Text_btn->click();
        answer.stop();
        EXPECT_EQ(wizard.Text_path->text(), list);
        EXPECT_TRUE(wizard.isVisible()) << "the wizard stays open";
        EXPECT_FALSE(QFile::exists(Data_Folder_Path + "/Untitled.txt"));
        wizard.Text_file_name->setText("Companies");
        wizard.findChild<QPushButton*>("ok_btn")->click();
        return wizard.result();
    });
    control<QAbstractButton>("Import_Wizard_btn")->click();
    EXPECT_EQ(seriesFile("Companies"), "Acme\n\nVertex\n");
}
