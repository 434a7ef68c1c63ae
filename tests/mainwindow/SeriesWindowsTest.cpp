// The series manager, the series generator and the series viewer as the
// main window opens them: series generated from the toolbar, opened,
// edited, exported and saved in the manager, deletions refused for series
// bound to the card, and the generator's field limits as the user types.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/SKTGraphicView.h"
#include "data/SeriesStore.h"
#include "data/SpreadsheetWriter.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/series/BatchWizard.h"
#include "data/Globals.h"
#include "mainwindow/series/Generate_List.h"
#include "mainwindow/series/Import_Wizard.h"
#include "mainwindow/series/Load_Num_Info.h"
#include "mainwindow/series/ModalRunPause.h"
#include "mainwindow/series/Update_Ex_Num.h"
#include "mainwindow/series/View_Data_Series.h"
#include "model/Globals.h"
#include "model/SKTText.h"
#include "output/Globals.h"
#include "platform/FolderLock.h"
#include "platform/IndexSet.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

class SeriesWindowsTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ModalRunPause::setEnabled(false);
        for (const QString& name : QDir(Data_Folder_Path).entryList(QDir::Files))
            QFile::remove(Data_Folder_Path + "/" + name);
    }
    void TearDown() override
    {
        BatchWizard::setModalRun({});
        Generate_List::setModalRun({});
        Load_Num_Info::setModalRun({});
        Update_Ex_Num::setModalRun({});
        View_Data_Series::setModalRun({});
        Open_Export_Log::setModalRun({});
        ModalRunPause::setEnabled(true);
        WindowControllerFixture::TearDown();
    }

    static QByteArray seriesFile(const QString& name)
    {
        QFile file(Data_Folder_Path + "/" + name + ".txt");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void writeSeries(const QString& name, const QByteArray& bytes)
    {
        QFile file(Data_Folder_Path + "/" + name + ".txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static void select(QTableView* table, QList<int> rows)
    {
        table->clearSelection();
        for (int row : rows)
            table->selectionModel()->select(table->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (!rows.isEmpty())
            table->selectionModel()->setCurrentIndex(table->model()->index(rows.first(), 0),
                                                     QItemSelectionModel::NoUpdate);
    }
    static QByteArray expectedRange(int from, int to, int width)
    {
        QByteArray bytes;
        for (int i = from; i <= to; ++i)
            bytes += QByteArray::number(i).rightJustified(width, '0') + '\n';
        return bytes;
    }
};

}

// The toolbar's generator writes a new series; the manager lists it, opens
// it, edits a value, deletes rows, exports it as text and saves it under a
// new name, which moves the series.
TEST_F(SeriesWindowsTest, GenerateOpenEditExportAndSave)
{
    Generate_List::setModalRun([](Generate_List& g) {
        EXPECT_FALSE(g.seq_file_name->isHidden());
        EXPECT_EQ(g.seq_file_name->text(), "Untitled");
        g.seq_file_name->setText("Tickets");
        g.from_txt->setText("1");
        g.to_txt->setText("200");
        g.manage_digit_chk->setChecked(true);
        g.ok_btn->click();
        return g.result();
    });
    control<QAbstractButton>("Create_Series_btn")->click();
    EXPECT_EQ(seriesFile("Tickets"), expectedRange(1, 200, 3));

    QTemporaryDir out;
    SavePanel::setHandler([&](const QString&, const QString& extension) {
        EXPECT_EQ(extension, "txt");
        return out.filePath("export");
    });
    int exportBoxes = 0;
    Open_Export_Log::setModalRun([&](Open_Export_Log& box) {
        ++exportBoxes;
        EXPECT_EQ(box._open_log_message->text(), "Record has been exported successfully.");
        box.CancelPressed();
        return box.result();
    });
    Update_Ex_Num::setModalRun([](Update_Ex_Num& editor) {
        EXPECT_EQ(editor.Update_m_ex_num_str->text(), "002");
        editor.Update_m_ex_num_str->setText("   ");
        editor.ok_btn->click(); // refused, the editor stays
        editor.Update_m_ex_num_str->setText(" two ");
        editor.ok_btn->click();
        return editor.result();
    });
    BatchWizard::setModalRun([&](BatchWizard& w) {
        EXPECT_FALSE(w.valuesScreenShown());
        EXPECT_EQ(w.seriesNames(), QStringList {"Tickets"});
        EXPECT_EQ(w.batch_list_count->text(), "Total List : 1");
        select(w.List, {0});
        w.doubleClickInTable(w.List);
        EXPECT_TRUE(w.valuesScreenShown());
        EXPECT_EQ(w.batch_list_name->text(), "Tickets");
        EXPECT_EQ(w.batch_value_count->text(), "Total Rows : 200");

        select(w.List_value, {1});
        w.doubleClickInTable(w.List_value);
        EXPECT_EQ(w.Get_Value_Text(1), "two");
        select(w.List_value, {0, 2});
        w.doubleClickInTable(w.List_value); // two rows: refused
        select(w.List_value, {3, 5});
        w.delete_rows_btn->click();
        EXPECT_EQ(w.values().size(), 198);
        EXPECT_EQ(w.List_value->selectionModel()->selectedRows().value(0).row(), 2);

        w.export_type->setCurrentIndex(1);
        w.export_value_btn->click();
        w.batch_list_name->setText("Seats");
        w.save_btn->click();
        EXPECT_FALSE(w.valuesScreenShown());
        EXPECT_EQ(w.seriesNames(), QStringList {"Seats"});
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();

    QByteArray expected = "001\ntwo\n003\n005\n" + expectedRange(7, 200, 3);
    EXPECT_EQ(seriesFile("Seats"), expected);
    EXPECT_EQ(seriesFile("Tickets"), "<missing>");
    QFile exported(out.filePath("export.txt"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), expected);
    EXPECT_EQ(exportBoxes, 1);
    EXPECT_EQ(presenter.texts(),
              (QStringList {"\nPlease enter a valid value.", "\nPlease select only one record to update."}));
}

// Beside "50" and "Top", series named "50%", "Top*" and "Top " (copied in
// by the user): Save with no edit writes the opened file, a rename moves
// only the opened file, and a name that cleans to another series asks first.
TEST_F(SeriesWindowsTest, SaveReplacesOrMovesOnlyTheOpenedFile)
{
    writeSeries("50", "10\n20\n30\n");
    writeSeries("50%", " half price \n");
    writeSeries("Top", "top\n");
    writeSeries("Top*", "star\n");
    writeSeries("Top ", " spaced \n");
    presenter.scriptAnswers({false, true});
    BatchWizard::setModalRun([&](BatchWizard& w) {
        EXPECT_EQ(w.seriesNames(), (QStringList {"50", "50%", "Top", "Top ", "Top*"}));
        for (const QString name : {"50%", "Top "}) {
            select(w.List, {int(w.seriesNames().indexOf(name))});
            w.update_btn->click();
            w.save_btn->click();
        }
        EXPECT_EQ(seriesFile("50%"), "half price\n");
        EXPECT_EQ(seriesFile("Top "), "spaced\n");
        select(w.List, {4});
        w.update_btn->click();
        w.batch_list_name->setText("New2");
        w.save_btn->click();
        select(w.List, {1});
        w.update_btn->click();
        w.batch_list_name->setText("50");
        w.save_btn->click(); // No: nothing is written
        EXPECT_EQ(seriesFile("50"), "10\n20\n30\n");
        w.save_btn->click(); // Yes
        EXPECT_EQ(w.seriesNames(), (QStringList {"50", "50%", "New2", "Top", "Top "}));
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(seriesFile("50"), "half price\n");
    EXPECT_EQ(seriesFile("50%"), "half price\n");
    EXPECT_EQ(seriesFile("New2"), "star\n");
    EXPECT_EQ(seriesFile("Top*"), "<missing>");
    EXPECT_EQ(seriesFile("Top"), "top\n");
    EXPECT_EQ(presenter.texts(), QStringList(2, "Batch Processing Series already exists. Do you want to replace it?"));
}

// The opened series changed on disk before Save (another program appended
// "c"): Save asks; No keeps the file, and the values shown on the values
// screen; Yes writes the values shown.
TEST_F(SeriesWindowsTest, SaveAsksBeforeUndoingAChangeMadeSinceOpening)
{
    writeSeries("S", "a\nb\n");
    presenter.scriptAnswers({false, true});
    BatchWizard::setModalRun([&](BatchWizard& w) {
        select(w.List, {0});
        w.update_btn->click();
        EXPECT_TRUE(SeriesStore().write("S", {"c"}, SeriesStore::WriteMode::Append));
        w.save_btn->click(); // No
        EXPECT_TRUE(w.valuesScreenShown());
        EXPECT_EQ(w.values(), (QStringList {"a", "b"}));
        EXPECT_EQ(seriesFile("S"), "a\nb\nc\n");
        w.save_btn->click(); // Yes
        EXPECT_FALSE(w.valuesScreenShown());
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(seriesFile("S"), "a\nb\n");
    EXPECT_EQ(presenter.texts(),
              QStringList(2, "The series S was changed since it was opened. Replace it with the values shown?"));
}

// Another program holds the series folder's lock: while a deletion waits for
// it, the window goes on handling events (here a timer lets the holder go).
TEST_F(SeriesWindowsTest, WaitsForTheSeriesFolderFreezeNoWindow)
{
    writeSeries("A", "1\n");
    writeSeries("B", "2\n");
    auto other = std::make_unique<FolderLock>(Data_Folder_Path);
    ASSERT_TRUE(other->isLocked());
    presenter.scriptAnswers({true});
    BatchWizard::setModalRun([&](BatchWizard& w) {
        // far longer than the test takes: only events handled meanwhile end it
        FolderLock::setWaitLimit(std::chrono::minutes(10));
        QTimer::singleShot(0, [&] { other.reset(); });
        select(w.List, {0});
        w.delete_list_btn->click();
        EXPECT_EQ(w.seriesNames(), QStringList {"B"});
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_FALSE(other);
    EXPECT_EQ(seriesFile("A"), "<missing>");
}

// The name typed in the export panel keeps its stem and gets the extension
// of the type chosen in the manager: "list.txt" exported as a workbook is
// "list.xlsx", beside nothing else.
TEST_F(SeriesWindowsTest, ExportTakesTheChosenTypesExtension)
{
    writeSeries("Guests", "Ada\nBob\n");
    const struct
    {
        const char* typed;
        int type; // 0 workbook, 1 text
        const char* exported;
    } cases[] = {
        {"list.txt", 0, "list.xlsx"},
        {"list.xlsx", 1, "list.txt"},
        {"plain", 0, "plain.xlsx"},
    };
    Open_Export_Log::setModalRun([](Open_Export_Log& box) {
        box.CancelPressed();
        return box.result();
    });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QTemporaryDir out;
        SavePanel::setHandler([&](const QString&, const QString&) { return out.filePath(c.typed); });
        Export_File_Path.clear();
        BatchWizard::setModalRun([&](BatchWizard& w) {
            select(w.List, {0});
            w.update_btn->click();
            w.export_type->setCurrentIndex(c.type);
            w.export_value_btn->click();
            return 0;
        });
        control<QAbstractButton>("Batch_Series_btn")->click();
        EXPECT_EQ(Export_File_Path, out.filePath(c.exported));
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList {c.exported});
    }
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join('|').toStdString();
}

// Deleting: a series bound to the card stops the run after the series
// before it went, even when an apply-to-all answer was left from before;
// an export to a folder is reported, never announced.
TEST_F(SeriesWindowsTest, DeleteRefusesSeriesInUseAndFailedExportIsReported)
{
    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr bound = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(bound);
    bound->data_source_type = 1;
    bound->batch_list_name = "B";
    for (const char* name : {"A", "B", "C"})
        writeSeries(name, "1\n2\n");
    QTemporaryDir out;
    QDir(out.path()).mkdir("taken.xlsx");
    SavePanel::setHandler([&](const QString&, const QString& extension) {
        EXPECT_EQ(extension, "xlsx");
        return out.filePath("taken");
    });
    Msg_Apply_All_Chk = true;
    Export_File_Message.clear();
    presenter.scriptAnswers({true});
    BatchWizard::setModalRun([&](BatchWizard& w) {
        select(w.List, {0, 1, 2});
        w.delete_list_btn->click();
        EXPECT_EQ(w.seriesNames(), (QStringList {"B", "C"}));
        EXPECT_EQ(w.batch_list_count->text(), "Total List : 2");

        select(w.List, {1});
        w.update_btn->click();
        w.export_value_btn->click();
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(seriesFile("A"), "<missing>");
    EXPECT_EQ(seriesFile("B"), "1\n2\n");
    EXPECT_EQ(seriesFile("C"), "1\n2\n");
    EXPECT_TRUE(QFileInfo(out.filePath("taken.xlsx")).isDir());
    EXPECT_TRUE(Export_File_Message.isEmpty());
    EXPECT_EQ(presenter.texts(),
              (QStringList {"Are you sure want to delete selected Batch Processing Series?",
                            "\nBatch Processing Series can't be delete because it is currently in use.",
                            "\nError in file accessing."}));
}

// Values generated into the open series: Cancel in the replace-or-add
// question opens nothing, Add appends (a constant of spaces is dropped),
// Replace starts over; the inspector's view button shows the stored series.
TEST_F(SeriesWindowsTest, GenerateIntoTheOpenSeriesAndView)
{
    writeSeries("Stored", "x\n\n y \n");
    int generatorRuns = 0;
    int question = 0;
    const int answers[] = {Load_Num_Info::cancelled, 0, 0, 1};
    Load_Num_Info::setModalRun([&](Load_Num_Info& q) {
        const int answer = answers[question++];
        (answer == 1 ? q.yes_btn : answer == 0 ? q.no_btn : q.cancel_btn)->click();
        return q.result();
    });
    Generate_List::setModalRun([&](Generate_List& g) {
        ++generatorRuns;
        EXPECT_TRUE(g.seq_file_name->isHidden());
        if (generatorRuns == 1) {
            g.radioButton_Constant->click();
            g.value_txt->setText("   ");
            g.count_txt->setText("3");
        } else if (generatorRuns == 2) {
            g.radioButton_Random->click();
            g.rand_prefix_txt->setText("R");
            g.rand_length_txt->setText("3");
            g.rand_count_txt->setText("4");
        } else {
            g.prefix_txt->setText("N");
            g.from_txt->setText("8");
            g.to_txt->setText("10");
        }
        g.ok_btn->click();
        return g.result();
    });
    BatchWizard::setModalRun([&](BatchWizard& w) {
        select(w.List, {0});
        w.update_btn->click();
        EXPECT_EQ(w.values(), (QStringList {"x", "", "y"})); // the empty record keeps its row
        w.series_value_btn->click();                         // cancelled
        EXPECT_EQ(generatorRuns, 0);
        w.series_value_btn->click(); // add: spaces only
        EXPECT_EQ(w.values(), (QStringList {"x", "", "y"}));
        w.series_value_btn->click(); // add: four random values
        EXPECT_EQ(w.values().size(), 7);
        for (const QString& value : w.values().mid(3)) {
            EXPECT_TRUE(value.startsWith('R')) << value.toStdString();
            const int number = value.mid(1).toInt();
            EXPECT_TRUE(number >= 100 && number <= 999) << value.toStdString();
        }
        w.series_value_btn->click(); // replace
        EXPECT_EQ(w.values(), (QStringList {"N8", "N9", "N10"}));
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(generatorRuns, 3);
    EXPECT_EQ(seriesFile("Stored"), "x\n\n y \n"); // nothing saved

    // the inspector's view button of a text object bound to the series
    int viewed = 0;
    View_Data_Series::setModalRun([&](View_Data_Series& v) {
        ++viewed;
        EXPECT_EQ(v.series_name->text(), "Stored");
        EXPECT_EQ(v.values(), (QStringList {"x", "", "y"}));
        EXPECT_EQ(v.list_count->text(), "Total Rows : 3");
        v.ok_btn->click();
        return v.result();
    });
    control<QAbstractButton>("Text_Tool_btn")->click();
    for (const auto& [list, item] : {std::pair {"Data_source_type", "Series"}, std::pair {"Batch_Series", "Stored"}}) {
        auto* combo = control<QComboBox>(list);
        const int index = combo->findText(QString::fromLatin1(item));
        ASSERT_GE(index, 0) << item;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    control<QAbstractButton>("view_series_btn")->click();
    EXPECT_EQ(viewed, 1);
}

// Series files with empty records first, inside, last and none: the batch
// gives each card its own record, the manager and the viewer show and count
// every record in its row, Save with no edit writes the same bytes, and the
// exported workbook holds each value in its record's row.
TEST_F(SeriesWindowsTest, EmptyRecordsStayInTheirRows)
{
    // fifty guests, the companies of guests 5 and 31 blank
    QByteArray fifty;
    QStringList fiftyRecords;
    for (int guest = 1; guest <= 50; ++guest) {
        const QString company = guest == 5 || guest == 31 ? QString() : QStringLiteral("Company %1").arg(guest);
        fifty += company.toUtf8() + '\n';
        fiftyRecords.append(company);
    }
    const struct
    {
        const char* what;
        QByteArray file;
        QStringList records;
    } cases[] = {
        {"empty first", "\nACME\nBeta\n", {"", "ACME", "Beta"}},
        {"empty inner", "ACME\n\nBeta\n", {"ACME", "", "Beta"}},
        {"empty last", "ACME\nBeta\n\n", {"ACME", "Beta", ""}},
        {"no empty record", "ACME\nBeta\n", {"ACME", "Beta"}},
        {"only empty records", "\n\n", {"", ""}},
        {"blanks in rows 5 and 31 of 50", fifty, fiftyRecords},
        {"no records", "", {}},
    };
    Open_Export_Log::setModalRun([](Open_Export_Log& box) {
        box.CancelPressed();
        return box.result();
    });
    auto bound = std::make_shared<SKTText>();
    bound->_bounds = QRectF(10, 10, 150, 30);
    bound->data_source_type = 1;
    bound->batch_list_name = "Company";
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {bound}, IndexSet::range(0, 1));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        presenter.clear();
        writeSeries("Company", c.file);
        const int count = int(c.records.size());
        const QString rowsLabel = QStringLiteral("Total Rows : %1").arg(count);

        controller->Check_Series_Or_Excel_Use_or_not();
        EXPECT_EQ(Total_Batch_Excel_Card, count);
        EXPECT_EQ(Use_Data_Sheet_Values, count > 0);
        Card_Value_In_Process = true;
        for (int record = 0; record < Total_Batch_Excel_Card; ++record) {
            controller->Set_data_table_value_to_card(record, "F", false);
            EXPECT_EQ(bound->Text_contents()->string(), c.records.value(record)) << "record " << record;
        }
        Card_Value_In_Process = false;

        QTemporaryDir out;
        SavePanel::setHandler([&](const QString&, const QString&) { return out.filePath("export"); });
        BatchWizard::setModalRun([&](BatchWizard& w) {
            select(w.List, {0});
            w.update_btn->click();
            EXPECT_EQ(w.values(), c.records);
            EXPECT_EQ(w.List_value->model()->rowCount(), count);
            EXPECT_EQ(w.batch_value_count->text(), rowsLabel);
            w.export_type->setCurrentIndex(0);
            w.export_value_btn->click();
            w.save_btn->click();
            return 0;
        });
        control<QAbstractButton>("Batch_Series_btn")->click();
        EXPECT_EQ(seriesFile("Company"), c.file);
        if (count == 0) {
            EXPECT_EQ(presenter.texts(), (QStringList {"\nList is empty.", "\nList is empty."}));
        } else {
            EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join('|').toStdString();
            QList<QStringList> expected {{"Batch Value"}};
            for (const QString& record : c.records)
                expected.append({record});
            // A workbook read back ends at its last row holding a value.
            while (expected.size() > 1 && expected.last().constFirst().isEmpty())
                expected.removeLast();
            SpreadsheetWriter::ReadWorkbook(out.filePath("export.xlsx"), true);
            SpreadsheetWriter::sharedInstance().sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
            SpreadsheetWriter::ReadData_only_column();
            EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(QString(), false).toTable(), expected);
        }

        View_Data_Series::setModalRun([&](View_Data_Series& v) {
            EXPECT_EQ(v.values(), c.records);
            EXPECT_EQ(v.List->model()->rowCount(), count);
            EXPECT_EQ(v.list_count->text(), rowsLabel);
            return 1;
        });
        View_Data_Series viewer;
        viewer.file_name = "Company";
        EXPECT_EQ(viewer.Open_Wnd(), 1);
    }

    // An empty record is edited in its row: OK unchanged keeps it, blanks
    // are refused, a value takes its place; a deleted row takes only itself.
    writeSeries("Company", "\nACME\nBeta\n");
    presenter.clear();
    int edits = 0;
    Update_Ex_Num::setModalRun([&](Update_Ex_Num& editor) {
        EXPECT_EQ(editor.Update_m_ex_num_str->text(), "");
        EXPECT_EQ(editor.Update_m_ex_num_index->text(), "0");
        if (edits++ == 0) {
            editor.ok_btn->click(); // unchanged
        } else {
            editor.Update_m_ex_num_str->setText("  ");
            editor.ok_btn->click(); // refused, the editor stays
            editor.Update_m_ex_num_str->setText(" Alpha ");
            editor.ok_btn->click();
        }
        return editor.result();
    });
    BatchWizard::setModalRun([&](BatchWizard& w) {
        select(w.List, {0});
        w.update_btn->click();
        for (int edit = 0; edit < 2; ++edit) {
            select(w.List_value, {0});
            w.doubleClickInTable(w.List_value);
        }
        EXPECT_EQ(w.values(), (QStringList {"Alpha", "ACME", "Beta"}));
        select(w.List_value, {1});
        w.delete_rows_btn->click();
        EXPECT_EQ(w.batch_value_count->text(), "Total Rows : 2");
        w.save_btn->click();
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(seriesFile("Company"), "Alpha\nBeta\n");
    EXPECT_EQ(presenter.texts(), QStringList {"\nPlease enter a valid value."});
}

// The generator's fields as the user types, its checks, and a name taken
// by another series.
TEST_F(SeriesWindowsTest, GeneratorFieldLimitsChecksAndReplaceQuestion)
{
    writeSeries("Taken", "keep\n");
    Generate_List* g = Generate_List::defaultInstance();
    ASSERT_TRUE(g);
    g->file_name_required = 1;
    g->file_name_Insert = 0;
    Generate_List::setModalRun([&](Generate_List& w) {
        // each row: the keys typed over the whole text (Backspace when
        // there are none) or at its end, and what the field shows afterwards
        struct Typing
        {
            QLineEdit* field;
            bool emptied;
            const char* keys;
            const char* shown;
            QSpinBox* stepper;
        };
        w.radioButton_Random->click();
        w.radioButton_Sequntial->click();
        const Typing typing[] = {
            {w.to_txt, true, "123456", "10000", nullptr},
            {w.from_txt, true, "9999", "9999", nullptr},
            {w.rand_count_txt, true, "", "1", w.rand_count_stepper},
            {w.rand_count_txt, false, "0", "10", w.rand_count_stepper},
            {w.rand_count_txt, false, "0000", "10000", w.rand_count_stepper},
            {w.rand_length_txt, false, "7", "1", w.rand_length_stepper}, // "17": its first character
            {w.count_txt, true, "0", "1", w.count_stepper},
        };
        for (const Typing& t : typing) {
            t.field->parentWidget()->setEnabled(true);
            t.field->setFocus();
            if (t.emptied) {
                t.field->selectAll();
                if (!*t.keys)
                    QTest::keyClick(t.field, Qt::Key_Backspace);
            } else {
                t.field->end(false);
            }
            QTest::keyClicks(t.field, QString::fromLatin1(t.keys));
            EXPECT_EQ(t.field->text(), QString::fromLatin1(t.shown)) << t.keys;
            if (t.stepper) {
                EXPECT_EQ(t.stepper->value(), t.field->text().toInt()) << t.keys;
            }
        }
        w.rand_count_stepper->stepDown();
        EXPECT_EQ(w.rand_count_txt->text(), "9999");

        w.radioButton_Sequntial->click();
        w.from_txt->setText("5");
        w.to_txt->setText("5");
        w.ok_btn->click(); // refused
        w.to_txt->setText("7");
        w.seq_file_name->setText("Taken");
        w.ok_btn->click(); // No: the window stays, nothing written
        EXPECT_EQ(seriesFile("Taken"), "keep\n");
        w.seq_file_name->setText("../Taken");
        w.ok_btn->click(); // refused name
        w.seq_file_name->setText("Taken");
        w.ok_btn->click(); // Yes
        return w.result();
    });
    presenter.scriptAnswers({false, true});
    EXPECT_EQ(g->Open_Wnd(), 1);
    EXPECT_EQ(seriesFile("Taken"), "5\n6\n7\n");
    EXPECT_EQ(
        presenter.texts(),
        (QStringList {"\n'From' value must be smaller than 'To' value.",
                      "Batch Processing Series already exists. Do you want to replace it?", "\nPlease enter list name.",
                      "Batch Processing Series already exists. Do you want to replace it?"}));
}

namespace {

// The zero-padding help is an alert: its message, "OK" and the example as
// its informative text.
TEST_F(SeriesWindowsTest, ZeroPaddingHelpIsAnAlertWithTheExample)
{
    Generate_List* g = Generate_List::defaultInstance();
    ASSERT_TRUE(g);
    g->help_btn->click();
    ASSERT_EQ(presenter.texts().size(), 1);
    const QString shown = presenter.texts().front();
    EXPECT_TRUE(shown.startsWith("Maintain number of Digits By adding 0's before smaller values. \n\nFor example:\r\n"))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("to maintain number of digits same as the highest value in the series."));
    EXPECT_EQ(Custom_Msg_Title, "Maintain number of Digits By adding 0's before smaller values. ");
}

// A picture cut short and one that is no picture stay in their places and are named.
TEST_F(SeriesWindowsTest, PictureFolderImportNamesTheFilesThatAreNoPictures)
{
    QTemporaryDir folder;
    const QStringList paths = {folder.filePath("p01.png"), folder.filePath("p02.png"), folder.filePath("p03.jpg"),
                               folder.filePath("p04.gif")};
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(paths[0]) && picture.save(paths[2]) && QFile::copy(paths[0], paths[1]));
    ASSERT_TRUE(QFile::resize(paths[1], QFile(paths[0]).size() / 2)); // cut short
    QFile gif(paths[3]);
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly) && gif.write("GIF89a, said the notes") > 0);
    Import_Wizard::setModalRun([&](Import_Wizard& wizard) {
        wizard.Image_RD->click();
        wizard.Image_path->setText(folder.path());
        wizard.Image_file_name->setText("Photos");
        wizard.OKPressed();
        return wizard.result();
    });
    control<QAbstractButton>("Import_Wizard_btn")->click();
    Import_Wizard::setModalRun({});
    EXPECT_EQ(seriesFile("Photos"), (paths.join('\n') + '\n').toUtf8());
    EXPECT_EQ(presenter.texts(),
              QStringList("\nThese files are not readable pictures. They are kept in the series, "
                          "and their cards will be drawn without a picture:\n"
                          + paths[1] + '\n' + paths[3]));
}
}

// Num renamed Badge takes its objects (the inspector's, a back one) and the
// batch along; Keep saved onto Other keeps its text.
TEST_F(SeriesWindowsTest, RenamedSeriesTakesItsObjects)
{
    writeSeries("Keep", "k\n");
    writeSeries("Num", "1\n2\n3\n");
    writeSeries("Other", "o\n");
    auto kept = std::make_shared<SKTText>();
    kept->data_source_type = 1;
    kept->batch_list_name = "Keep";
    auto back = std::make_shared<SKTText>();
    back->batch_list_name = "Num";
    document->insertGraphicsForKey(SKTDocumentGraphicsKey, {kept}, IndexSet(0));
    document->insertGraphicsForKey(SKTDocumentGraphicsKey_back, {back}, IndexSet(0));
    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr shown = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(shown);
    for (const auto& [list, item] : {std::pair {"Data_source_type", "Series"}, std::pair {"Batch_Series", "Num"}}) {
        auto* combo = control<QComboBox>(list);
        combo->setCurrentIndex(combo->findText(QString::fromLatin1(item)));
        emit combo->activated(combo->currentIndex());
    }
    presenter.scriptAnswers({true});
    BatchWizard::setModalRun([&](BatchWizard& w) {
        for (const auto& [row, name] : {std::pair {1, "Badge"}, std::pair {0, "Other"}}) {
            select(w.List, {row});
            w.update_btn->click();
            w.batch_list_name->setText(name);
            w.save_btn->click();
        }
        return 0;
    });
    control<QAbstractButton>("Batch_Series_btn")->click();
    EXPECT_EQ(QStringList({shown->batch_list_name, back->batch_list_name, kept->batch_list_name}),
              QStringList({"Badge", "Badge", "Keep"}));
    EXPECT_EQ(shown->batch_list_index, 0);
    EXPECT_EQ(control<QComboBox>("Batch_Series")->currentText(), "Badge");
    controller->Check_Series_Or_Excel_Use_or_not(); // as Print does first
    EXPECT_TRUE(Use_Data_Sheet_Values);
    EXPECT_EQ(Total_Batch_Excel_Card, 3);
}

// Close (the button, or Escape) asks about unsaved edits: Save writes them
// and closes, Don't Save closes, Cancel stays.
TEST_F(SeriesWindowsTest, CloseAsksToSaveUnsavedEdits)
{
    using Answer = MessagePresenter::Answer;
    // Escape or not; the answer, none when nothing was edited
    const std::pair<bool, std::optional<Answer>> cases[] = {
        {false, {}}, {false, Answer::Yes}, {false, Answer::No}, {false, Answer::Cancelled}, {true, Answer::Yes}};
    for (const auto& [escape, answer] : cases) {
        SCOPED_TRACE(std::to_string(escape) + (answer ? std::to_string(int(*answer)) : "-"));
        writeSeries("S", "a\nb\n");
        presenter.clear();
        if (answer)
            presenter.scriptAnswers({*answer});
        BatchWizard::setModalRun([&](BatchWizard& w) {
            QSignalSpy finished(&w, &QDialog::finished);
            select(w.List, {0});
            w.update_btn->click();
            if (answer) {
                select(w.List_value, {1});
                w.delete_rows_btn->click();
            }
            if (escape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close_2_btn->click();
            EXPECT_EQ(finished.size(), answer != Answer::Cancelled ? 1 : 0);
            return 0;
        });
        control<QAbstractButton>("Batch_Series_btn")->click();
        EXPECT_EQ(seriesFile("S"), answer == Answer::Yes ? "a\n" : "a\nb\n");
        EXPECT_EQ(presenter.texts(),
                  answer ? QStringList {"Do you want to save changes to the series before closing?"} : QStringList());
    }
}
