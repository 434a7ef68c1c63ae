// The main window's batch binding: the data-source page bound to a stored
// series, a batch written into both live sides and record 0 put back, the
// "Excel" source offered and withdrawn, the series buttons, and one message
// for a value that fails in every record.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "data/Globals.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/WindowHandOffs.h"
#include "model/SKTBarcode.h"
#include "profiles/Globals.h"
#include "model/SKTText.h"
#include "platform/IndexSet.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>
#include <tuple>

namespace {

class SeriesBindingControllerTest : public WindowControllerFixture
{
protected:
    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        QDir data(Data_Folder_Path);
        data.removeRecursively();
        QDir().mkpath(Data_Folder_Path);
        CARD_SIDE_STR = QStringLiteral("2");
    }
    void series(const QString& name, const QByteArray& bytes)
    {
        QFile file(Data_Folder_Path + "/" + name + ".txt");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The user choosing an item of a list.
    void choose(const char* list, const QString& item)
    {
        auto* combo = control<QComboBox>(list);
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    GraphicPtr place(const QString& key, GraphicPtr graphic, const QString& seriesName)
    {
        graphic->_bounds = QRectF(10, 10, 150, 30);
        graphic->data_source_type = 1;
        graphic->batch_list_name = seriesName;
        document->insertGraphicsForKey(key, {graphic}, IndexSet::range(0, 1));
        return graphic;
    }
    static QString textOf(const GraphicPtr& graphic) { return graphic->Text_contents()->string(); }
};

}

TEST_F(SeriesBindingControllerTest, InspectorBindsATextToAStoredSeries)
{
    series("guests", "  Ada\nBo\n");
    series("staff", "Cy\n");
    control<QAbstractButton>("Text_Tool_btn")->click();
    const GraphicPtr text = controller->graphicView(0)->controller()._Selected_Graphic;
    ASSERT_TRUE(text && text->kind() == SKTGraphic::Kind::Text);
    choose("Data_source_type", "Series");
    EXPECT_EQ(control<QComboBox>("Batch_Series")->count(), 2);
    choose("Batch_Series", "guests");
    EXPECT_EQ(text->data_source_type, 1);
    EXPECT_EQ(text->batch_list_name, "guests");
    EXPECT_EQ(textOf(text), "  Ada");   // the first value as the file holds it
    EXPECT_TRUE(presenter.texts().isEmpty()) << presenter.texts().join("|").toStdString();

    // Print finds the batch of the binding before its window opens (on a
    // machine with a printer, whatever this one has).
    controller->setPrinterLister([] { return QStringList {QStringLiteral("Cards")}; });
    int printed = 0;
    controller->setHandOff(WindowHandOffs::HandOff::Print, [&] {
        ++printed;
        EXPECT_TRUE(Use_Data_Sheet_Values);
        EXPECT_EQ(Total_Batch_Excel_Card, 2);
    });
    controller->Print_Button();
    EXPECT_EQ(printed, 1);
}

TEST_F(SeriesBindingControllerTest, RecordZeroBackOnBothSidesAfterABatch)
{
    series("names", "Ada\nBo\nCy\n");
    series("towns", "Paris\nRome\n");
    const GraphicPtr front = place(SKTDocumentGraphicsKey, std::make_shared<SKTText>(), "names");
    const GraphicPtr back = place(SKTDocumentGraphicsKey_back, std::make_shared<SKTText>(), "towns");
    controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 3);
    EXPECT_TRUE(controller->Check_Front_Side_Dataset_Is_Used());
    EXPECT_TRUE(controller->Check_Back_Side_Dataset_Is_Used());
    EXPECT_FALSE(controller->Check_Back_Side_Excel_Binding_Is_Used());

    Card_Value_In_Process = true;
    for (int record = 0; record < Total_Batch_Excel_Card; ++record) {
        EXPECT_FALSE(controller->Set_data_table_value_to_card(record, "F", false).isNull());
        EXPECT_EQ(Card_Front_Or_Back, 0);
        EXPECT_FALSE(controller->Set_data_table_value_to_card(record, "B", false).isNull());
        EXPECT_EQ(Card_Front_Or_Back, 1);
    }
    EXPECT_EQ(textOf(front), "Cy");
    EXPECT_EQ(textOf(back), "");   // the shorter series has no third value
    Card_Front_Or_Back = 0;
    controller->Select_first_row_value_for_design(false);
    EXPECT_EQ(textOf(front), "Ada");
    EXPECT_EQ(textOf(back), "Paris");
    EXPECT_FALSE(Card_Value_In_Process);
    EXPECT_EQ(Card_Front_Or_Back, 0);

    // a snapshot for batch output takes records without touching the live side
    SideSnapshot shot = controller->batchSideSnapshot(1);
    EXPECT_EQ(controller->bindRecordIntoSnapshot(shot, 1), "");
    EXPECT_EQ(shot.graphics().at(0)->Text_contents()->string(), "Rome");
    EXPECT_EQ(textOf(back), "Paris");
}

TEST_F(SeriesBindingControllerTest, ExcelSourceOfferedAtTwoItemsAndWithdrawnAtThree)
{
    // items before, add (or remove), items after
    const std::tuple<QStringList, bool, QStringList> rows[] = {
        {{"Manual", "Series"}, true, {"Manual", "Series", "Excel"}},
        {{"Manual", "Series", "Excel"}, true, {"Manual", "Series", "Excel"}},
        {{"Manual", "Series", "Excel"}, false, {"Manual", "Series"}},
        {{"Manual", "Series"}, false, {"Manual", "Series"}},
        {{"Manual", "Series", "Excel", "x"}, false, {"Manual", "Series", "Excel", "x"}},
    };
    for (const auto& [items, add, after] : rows) {
        QComboBox combo;
        combo.addItems(items);
        add ? SKTWindowController::Add_Excel_Col_Name_In_Combo(&combo)
            : SKTWindowController::Remove_Excel_Col_Name_In_Combo(&combo);
        QStringList now;
        for (int i = 0; i < combo.count(); ++i)
            now << combo.itemText(i);
        EXPECT_EQ(now, after) << items.join(",").toStdString() << (add ? " add" : " remove");
    }
}

TEST_F(SeriesBindingControllerTest, SeriesButtons)
{
    series("guests", "Ada\n");
    QStringList opened;
    controller->setSeriesViewer([&](const QString& name) { opened << name; });
    controller->setSpreadsheetTableViewer([&] { opened << "<table>"; });
    // "Excel" is offered only while a spreadsheet table is in use
    EXPECT_EQ(control<QComboBox>("Data_source_type")->count(), 2);
    SKTWindowController::Add_Excel_Col_Name_In_Combo(control<QComboBox>("Data_source_type"));
    control<QAbstractButton>("Text_Tool_btn")->click();

    choose("Data_source_type", "Series");
    controller->View_batch_Series_Button();   // no series chosen yet
    choose("Batch_Series", "guests");
    control<QAbstractButton>("view_series_btn")->click();
    choose("Data_source_type", "Excel");
    controller->View_batch_Series_Button();
    choose("Data_source_type", "Manual");
    controller->View_batch_Series_Button();
    EXPECT_EQ(presenter.texts(), QStringList{"\nPlease select the series."});
    EXPECT_EQ(opened, QStringList({"guests", "<table>"}));

    // the page's help button shows the data-source help
    QString shown;
    Long_SMS_Dlg::setModalRun([&](Long_SMS_Dlg& box) {
        shown = box._Msg_Title->text() + "|" + box._Msg_Val->toPlainText();
        return 1;
    });
    control<QAbstractButton>("data_source_help_btn")->click();
    Long_SMS_Dlg::setModalRun({});
    EXPECT_TRUE(shown.startsWith("Batch Processing Settings Help :|Select Data Source as 'Manual'")) << shown.toStdString();
}

TEST_F(SeriesBindingControllerTest, ValueFailingInEveryRecordIsReportedOncePerBatch)
{
    series("codes", "1\n2\n3\n");
    const GraphicPtr code = place(SKTDocumentGraphicsKey, std::make_shared<SKTBarcode>(), "codes");
    controller->setBatchBarcodeMaker([](const SKTGraphic&, const QString& value) -> Picture {
        throw std::runtime_error(("No barcode of " + value).toStdString());
    });
    for (int run = 0; run < 2; ++run) {
        controller->Check_Series_Or_Excel_Use_or_not();
        for (int record = 0; record < Total_Batch_Excel_Card; ++record)
            controller->Set_data_table_value_to_card(record, "F", false);
        SideSnapshot shot = controller->batchSideSnapshot(0);
        EXPECT_EQ(controller->bindRecordIntoSnapshot(shot, 2), "No barcode of 3");
    }
    EXPECT_EQ(presenter.texts(), QStringList({"\nNo barcode of 1", "\nNo barcode of 1"}));
}

TEST_F(SeriesBindingControllerTest, DesignFileReadOffersExcelWhileATableIsBound)
{
    QTemporaryDir dir;
    auto* source = control<QComboBox>("Data_source_type");
    for (const bool bound : {false, true, false}) {
        Excel_Binding_Use = bound;
        Project_File_Name = dir.filePath("card.fcard");
        ASSERT_TRUE(controller->Save_project_file(false, false));
        Excel_Binding_Use = !bound;
        ASSERT_TRUE(controller->Read_and_load_design_Log(dir.filePath("card.fcard"), "L"));
        EXPECT_EQ(source->count(), bound ? 3 : 2);
        EXPECT_EQ(source->findText("Excel") >= 0, bound);
    }
    Excel_Binding_Use = false;
    Project_File_Name.clear();
}
