#include "mainwindow/SKTWindowController.h"

#include "mainwindow/controller/ControllerInternals.h"

#include "app/ControlHelpers.h"
#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "app/ResourceSetup.h"
#include "app/StringHelpers.h"
#include "app/UnitConversions.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/Globals.h"
#include "canvas/ArrangeCommands.h"
#include "canvas/CardPasteboard.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTRenderingView.h"
#include "canvas/SKTGrid.h"
#include "canvas/SKTZoomingScrollView.h"
#include "canvas/SideSelection.h"
#include "canvas/CardBaseDrawing.h"
#include "canvas/ToolTable.h"
#include "data/ColumnRebinding.h"
#include "data/Globals.h"
#include "data/UnpackFolder.h"
#include "mainwindow/CardSettings.h"
#include "mainwindow/barcode/Barcode_Gen.h"
#include "mainwindow/mail/Email_Setting.h"
#include "mainwindow/CardSizePresets.h"
#include "mainwindow/CommandIcons.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/Globals.h"
#include "mainwindow/Grid_Wizard.h"
#include "mainwindow/Invitation_Wizard.h"
#include "mainwindow/CardSizeChooser.h"
#include "mainwindow/Card_Wizard.h"
#include "mainwindow/Export_Template.h"
#include "mainwindow/Start_Card.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/Template_Wizard.h"
#include "mainwindow/Long_SMS_Dlg.h"
#include "mainwindow/inspector/BarcodePanel.h"
#include "mainwindow/series/BatchWizard.h"
#include "mainwindow/series/Generate_List.h"
#include "mainwindow/series/View_Data_Series.h"
#include "mainwindow/print/Print_Wnd.h"
#include "mainwindow/inspector/DataSourcePanel.h"
#include "mainwindow/inspector/InspectorPanel.h"
#include "mainwindow/inspector/LinePanel.h"
#include "mainwindow/inspector/PicturePanel.h"
#include "mainwindow/inspector/ShapePanel.h"
#include "mainwindow/inspector/SignaturePanel.h"
#include "mainwindow/inspector/TextPanel.h"
#include "mainwindow/MainMenuBar.h"
#include "mainwindow/NewObjectPlacement.h"
#include "mainwindow/Open_Export_Log.h"
#include "mainwindow/PresetListModel.h"
#include "mainwindow/Send_Modeless.h"
#include "mainwindow/SmallDialogs.h"
#include "mainwindow/ToolPaletteIcons.h"
#include "mainwindow/WindowBackground.h"
#include "mainwindow/ScreenFitter.h"
#include "mainwindow/WindowPlacement.h"
#include "mainwindow/series/Import_Wizard.h"
#include "mainwindow/PleaseWaitRun.h"
#include "mainwindow/PleaseWait_Modeless.h"
#include "mainwindow/spreadsheet/Data_From_Excel.h"
#include "mainwindow/mail/Send_Mail.h"
#include "mainwindow/spreadsheet/Import_Excel.h"
#include "mainwindow/spreadsheet/Import_Excel_DataSheet.h"
#include "mainwindow/profile/Show_User_Profile.h"
#include "mainwindow/profile/User_profile.h"
#include "model/Globals.h"
#include "model/PicturePath.h"
#include "model/QuietUpdate.h"
#include "model/SKTDocument.h"
#include "model/UndoRegistrationPause.h"
#include "output/Globals.h"
#include "output/Preferences.h"
#include "output/PrinterCatalog.h"
#include "platform/AtomicFile.h"
#include "platform/IndexSet.h"
#include "platform/OpenPanel.h"
#include "platform/Pasteboard.h"
#include "platform/ProcessTerminator.h"
#include "platform/RegularFile.h"
#include "platform/SavePanel.h"
#include "platform/UndoManager.h"
#include "profiles/Globals.h"
#include "profiles/ProfilePlacement.h"
#include "ui_DrawWindow.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"
#include "output/CardExportPlan.h"
#include "output/Globals.h"
#include "app/BatchDialogs.h"
#include "app/MakerLinks.h"
#include "app/PromotedProducts.h"
#include "mainwindow/help/Help_Support.h"
#include "mainwindow/help/Promotion_Form.h"
#include "mainwindow/help/Review_Form.h"
#include "mainwindow/help/Share_It_Dlg.h"

#include <QComboBox>
#include <QDir>
#include <QBoxLayout>
#include <QThread>
#include <QToolButton>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <exception>

// ---- invitation texts ----

void SKTWindowController::Fill_Party_Invidation_Details()
{
    Selected_Control_Tool = ToolTable::Text;
    const QString textClass = QStringLiteral("SKTText");
    const auto place = [&](const QString& id, const QString& text, const QRectF& rect) {
        _graphicView->controller().createGraphicOfClass(textClass, nullptr, true, rect, QStringLiteral("F"), text, id);
    };

    double y = 20.0;
    const double cardWidth = Front_card_Prop().Card_Size().width();
    if (!Invite_Title.isEmpty()) {
        const float x = static_cast<float>((cardWidth - 200.0) / 2.0);
        place(QStringLiteral("PARTY_TITLE"), Invite_Title, QRectF(x, y, 200, 20));
        y += 30;
    }
    if (!Invite_To.isEmpty()) {
        place(QStringLiteral("PARTY_TO"), QStringLiteral("Dear ") + Invite_To + QStringLiteral(","),
              QRectF(30, y, 200, 20));
        y += 30;
    }
    if (!Invite_Message.isEmpty()) {
        place(QStringLiteral("PARTY_MSG"), Invite_Message, QRectF(50, y, 200, 60));
        y += 100;
    }
    // the date and time stand in a second column beside from and venue
    double d = y;
    if (!Invite_From.isEmpty()) {
        place(QStringLiteral("PARTY_FROM"), QStringLiteral("From:\n") + Invite_From, QRectF(30, y, 100, 40));
        y += 40;
    }
    if (!Invite_Venue.isEmpty()) {
        place(QStringLiteral("PARTY_VENUE"), QStringLiteral("Venue:\n") + Invite_Venue, QRectF(30, y, 100, 60));
        y += 40;
    }
    if (!Invite_Date.isEmpty()) {
        place(QStringLiteral("PARTY_DATE"), QStringLiteral("Date:\n") + Invite_Date, QRectF(170, d, 100, 40));
        d += 40;
    }
    if (!Invite_Time.isEmpty())
        place(QStringLiteral("PARTY_TIME"), QStringLiteral("Time:\n") + Invite_Time, QRectF(170, d, 100, 40));

    set_Front_BG_Image(Invite_BG_IMG);
}

// ---- spreadsheet imports and the series import wizard ----

void SKTWindowController::setUpSpreadsheetImports()
{
    m_excelTable = new Data_From_Excel(m_window.get());
    m_excelTable->bindTable(&Excel_Column_Titles, &ListData, &m_sheetColumns);
    connect(m_excelTable, &Data_From_Excel::tableReplaced, this, &SKTWindowController::excelTableReplaced);
    m_importExcel = new Import_Excel(m_window.get());
    m_importExcelDataSheet = new Import_Excel_DataSheet(m_window.get());
    Import_Excel_DataSheet::setSeriesInUseCheck(
        [this](const QString& name) { return Check_Batch_File_In_Use_Validation(name); });
    m_importWizard = new Import_Wizard(m_window.get());
    setHandOff(WindowHandOffs::HandOff::ImportWizard, &Import_Wizard::openFromMainWindow);
    setSpreadsheetTableViewer([this] {
        if (m_excelTable)
            m_excelTable->Open_Wnd();
    });
}

Data_From_Excel* SKTWindowController::excelTableWindow() const
{
    return m_excelTable;
}

Import_Excel* SKTWindowController::importExcelWindow() const
{
    return m_importExcel;
}

Import_Excel_DataSheet* SKTWindowController::importExcelDataSheetWindow() const
{
    return m_importExcelDataSheet;
}

Import_Wizard* SKTWindowController::importWizardWindow() const
{
    return m_importWizard;
}

void SKTWindowController::excelTableReplaced(const QStringList& previousTitles, const SheetColumns& previousColumns)
{
    // The design now has a spreadsheet table to bind to: the source list
    // offers "Excel", and a saved design keeps offering it. A table read
    // again from the design's own workbook keeps its path.
    setExcelBindingUse(true);
    if (m_importExcel && !m_rereadingWorkbook)
        setExcelSourcePath(m_importExcel->file_path->text());
    m_workbookNote.clear();
    Add_Excel_Col_Name_In_Combo(m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type")));

    // Bindings follow their column titles where they can; those that take
    // the column at their place, or none, are told once the import is over.
    QList<ColumnRebinding::Change> changes;
    for (const bool back : {false, true}) {
        changes += ColumnRebinding::rebind(back ? Get_Back_Controls_Array() : Get_Front_Controls_Array(), back,
                                           previousTitles, previousColumns, Excel_Column_Titles, m_sheetColumns,
                                           ListData);
    }
    m_columnsNotFollowed = ColumnRebinding::message(changes);
    // The batch binding holds the table it was made with.
    Check_Series_Or_Excel_Use_or_not();
    showFirstSpreadsheetValues();

    // An object shown in the inspector with a column lists the new titles
    // at once.
    if (const GraphicPtr shown = Last_Selected_Graphic.lock(); shown && shown->data_source_type == 2)
        reloadShownObjectPanels();
    Refresh_Canvas();
}

void SKTWindowController::showFirstSpreadsheetValues()
{
    showFirstSpreadsheetValues(Get_Front_Controls_Array());
    showFirstSpreadsheetValues(Get_Back_Controls_Array());
}

void SKTWindowController::showFirstSpreadsheetValues(const GraphicList& graphics)
{
    BatchBinding firstRow(seriesStore(), {}, {}, false, ListData);
    firstRow.setBarcodeMaker(m_barcodeMaker);
    firstRow.useExcelBindingValues = true;
    firstRow.excelTableRows = int(ListData.size());
    const QString reason = firstRow.Assign_Batch_Values_To_Control(graphics, 0);
    if (!reason.isEmpty())
        Show_NSLog_Message(reason);
}

void SKTWindowController::graphicsPasted(const GraphicList& graphics)
{
    // Objects copied in another design carry their column's title and
    // follow it in this design's table; a paste in the design they came
    // from finds them where they were. Objects whose column changed show
    // its first value (or nothing).
    QList<std::pair<GraphicPtr, int>> columnsBefore;
    for (const GraphicPtr& graphic : graphics) {
        if (graphic && graphic->data_source_type == 2)
            columnsBefore.append({graphic, graphic->excel_col_indx});
    }
    if (columnsBefore.isEmpty())
        return;
    const QList<ColumnRebinding::Change> changes = ColumnRebinding::rebind(
        graphics, Card_Front_Or_Back == 1, Excel_Column_Titles, m_sheetColumns, Excel_Column_Titles, m_sheetColumns,
        ListData);
    GraphicList moved;
    for (const auto& [graphic, column] : columnsBefore) {
        if (graphic->excel_col_indx != column)
            moved.append(graphic);
    }
    if (!moved.isEmpty() && !ListData.isEmpty()) {
        showFirstSpreadsheetValues(moved);
        Refresh_Canvas();
    }
    const QString message = ColumnRebinding::message(changes);
    if (!message.isEmpty())
        Show_MessageBox(message);
}

void SKTWindowController::tellColumnsNotFollowed()
{
    const QString message = std::exchange(m_columnsNotFollowed, QString());
    if (!message.isEmpty())
        Show_MessageBox(message);
}

// ---- data series and batch binding ----

namespace {

const QString manualSource = QStringLiteral("Manual");
const QString seriesSource = QStringLiteral("Series");
const QString excelSource = QStringLiteral("Excel");

}

SeriesStore SKTWindowController::seriesStore() const
{
    return SeriesStore(Data_Folder_Path, batch_file_EXT);
}

std::shared_ptr<BatchBinding> SKTWindowController::freshBinding() const
{
    auto binding = std::make_shared<BatchBinding>(seriesStore(), Get_Front_Controls_Array(), Get_Back_Controls_Array(),
                                                  CARD_SIDE_STR == QLatin1String("2"), ListData);
    binding->setBarcodeMaker(m_barcodeMaker);
    return binding;
}

std::shared_ptr<const BatchBinding> SKTWindowController::batchBinding() const
{
    QMutexLocker lock(&m_bindingMutex);
    return m_binding;
}

std::shared_ptr<BatchBinding> SKTWindowController::bindingToChange()
{
    std::shared_ptr<BatchBinding> binding = freshBinding();
    if (const std::shared_ptr<const BatchBinding> old = batchBinding())
        binding->adoptState(*old);
    // Callers may have changed the flags since (a print window's choice).
    binding->useDataSheetValues = Use_Data_Sheet_Values;
    binding->useExcelBindingValues = Use_Excel_Binding_Values;
    binding->dataTableRows = Data_table_rows;
    binding->excelTableRows = Excel_table_rows;
    binding->totalCards = Total_Batch_Excel_Card;
    return binding;
}

void SKTWindowController::publishBinding(std::shared_ptr<BatchBinding> binding)
{
    setUseDataSheetValues(binding->useDataSheetValues);
    setUseExcelBindingValues(binding->useExcelBindingValues);
    setBatchTableSizes(binding->dataTableRows, binding->excelTableRows, binding->totalCards);
    data_table_content.clear();
    for (const BatchBinding::Slot& slot : binding->table())
        data_table_content.append(slot.values ? QVariant(*slot.values) : QVariant(slot.name));
    QMutexLocker lock(&m_bindingMutex);
    m_binding = std::move(binding);
}

void SKTWindowController::reportBatchFailure(const QString& reason)
{
    // One box per batch run: a value that fails fails again in every record.
    if (!m_batchFailureShown.exchange(true))
        Show_MessageBox(reason);
    else
        Show_NSLog_Message(reason);
}

QStringList SKTWindowController::Get_datasheet_File_Name_Array() const
{
    return seriesStore().names();
}

bool SKTWindowController::Check_Batch_File_In_Use_Validation(const QString& name)
{
    try {
        return freshBinding()->Check_Batch_File_In_Use_Validation(name);
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
        return false;
    }
}

void SKTWindowController::Check_Series_Or_Excel_Use_or_not()
{
    m_batchFailureShown = false;
    std::shared_ptr<BatchBinding> binding = freshBinding();
    try {
        binding->Check_Series_Or_Excel_Use_or_not();
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    }
    publishBinding(std::move(binding));
}

void SKTWindowController::Check_Data_Sheet_Value_Use_or_Not()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    try {
        binding->Check_Data_Sheet_Value_Use_or_Not();
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    }
    publishBinding(std::move(binding));
}

void SKTWindowController::Check_Excel_Binding_Value_Use_or_Not()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    try {
        binding->Check_Excel_Binding_Value_Use_or_Not();
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    }
    publishBinding(std::move(binding));
}

void SKTWindowController::Get_total_Card_count()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    try {
        binding->Get_total_Card_count();
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    }
    publishBinding(std::move(binding));
}

bool SKTWindowController::Check_Front_Side_Dataset_Is_Used()
{
    return BatchBinding::usesSource(Get_Front_Controls_Array(), 1);
}

bool SKTWindowController::Check_Back_Side_Dataset_Is_Used()
{
    return BatchBinding::usesSource(Get_Back_Controls_Array(), 1);
}

bool SKTWindowController::Check_Front_Side_Excel_Binding_Is_Used()
{
    return BatchBinding::usesSource(Get_Front_Controls_Array(), 2);
}

bool SKTWindowController::Check_Back_Side_Excel_Binding_Is_Used()
{
    return BatchBinding::usesSource(Get_Back_Controls_Array(), 2);
}

void SKTWindowController::Create_Dataset_binding_table()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    try {
        binding->Create_Dataset_binding_table();
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
    publishBinding(std::move(binding));
}

void SKTWindowController::Calculate_data_table_rows()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    binding->Calculate_data_table_rows();
    publishBinding(std::move(binding));
}

void SKTWindowController::Calculate_Excel_table_rows()
{
    std::shared_ptr<BatchBinding> binding = bindingToChange();
    binding->Calculate_Excel_table_rows();
    publishBinding(std::move(binding));
}

Picture SKTWindowController::Set_data_table_value_to_card(int N, const QString& card_side, bool print_box)
{
    try {
        const bool front = card_side == QLatin1String("F");
        setCardFrontOrBack(front ? 0 : 1);
        Graphics_array_Batch = front ? Get_Front_Controls_Array() : Get_Back_Controls_Array();
        Assign_Batch_Values_To_Control(N);
        return SKTRenderingView::image_From_Card_Graphics(this, Graphics_array_Batch, front ? 0 : 1, print_box);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        return Picture();
    }
}

void SKTWindowController::Assign_Batch_Values_To_Control(int N)
{
    // A design that was never checked has no table to take series values from.
    if (!batchBinding())
        Check_Series_Or_Excel_Use_or_not();
    std::shared_ptr<const BatchBinding> binding = batchBinding();
    if (binding->useDataSheetValues != Use_Data_Sheet_Values
        || binding->useExcelBindingValues != Use_Excel_Binding_Values)
        binding = bindingToChange();
    Picture made;
    const QString reason = binding->Assign_Batch_Values_To_Control(Graphics_array_Batch, N, &made);
    if (!made.isNull())
        setBarcodeOutputImage(made);
    if (!reason.isEmpty())
        reportBatchFailure(reason);
}

QString SKTWindowController::Get_sel_row_col_value_of_dataset(int row, int slot)
{
    try {
        const std::shared_ptr<const BatchBinding> binding = batchBinding();
        return binding ? binding->Get_sel_row_col_value_of_dataset(row, slot) : QString();
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
        return QString();
    }
}

QString SKTWindowController::Get_sel_row_col_value_of_Excel(int row, int column)
{
    try {
        return row < Excel_table_rows ? BatchBinding::cellOf(ListData, row, column) : QString();
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        return QString();
    }
}

QString SKTWindowController::Get_First_Value_Of_Dataset(const QString& name) const
{
    try {
        return seriesStore().readFirstValue(name);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        return QString();
    }
}

QString SKTWindowController::Get_First_Value_Of_Excel_Binding(int column) const
{
    return BatchBinding::cellOf(ListData, 0, column);
}

void SKTWindowController::Fill_Data_Set_File_Name_In_Combo(QComboBox* combo)
{
    if (!combo)
        return;
    try {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(-1);
        combo->clear();
        combo->addItems(Get_datasheet_File_Name_Array());
        combo->setCurrentIndex(-1);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

void SKTWindowController::Fill_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (!combo)
        return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(-1);
    combo->clear();
    combo->addItems(Excel_Column_Titles);
    combo->setCurrentIndex(-1);
}

void SKTWindowController::Add_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (combo && combo->count() == 2)
        combo->addItem(excelSource);
}

void SKTWindowController::Remove_Excel_Col_Name_In_Combo(QComboBox* combo)
{
    if (!combo || combo->count() != 3)
        return;
    const int at = combo->findText(excelSource);
    if (at >= 0)
        combo->removeItem(at);
}

void SKTWindowController::View_batch_Series_Button()
{
    try {
        auto* source = m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type"));
        auto* series = m_window->findChild<QComboBox*>(QStringLiteral("Batch_Series"));
        if (!source || source->currentText() == manualSource)
            return;
        if (source->currentText() == seriesSource) {
            const QString name = series ? Trim_Str(series->currentText()) : QString();
            if (name.isEmpty())
                Show_MessageBox(QStringLiteral("Please select the series."));
            else if (m_seriesViewer)
                m_seriesViewer(name);
            return;
        }
        if (m_spreadsheetTableViewer)
            m_spreadsheetTableViewer();
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

void SKTWindowController::Data_Source_Help_Button()
{
    setCutomMessage(QStringLiteral("Batch Processing Settings Help :"),
                    QStringLiteral("Select Data Source as 'Manual' to enter value manually, Select 'Batch "
                                   "Processing Series' to fetch the value from the list of existing Batch "
                                   "Processing Series."));
    if (Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance())
        dialog->Open_Long_sms_Dialog();
}

void SKTWindowController::Select_first_row_value_for_design(bool print_box)
{
    const int side = Card_Front_Or_Back;
    Set_data_table_value_to_card(0, QStringLiteral("F"), print_box);
    // The back side shows record 0 again too, not the batch's last record.
    if (CARD_SIDE_STR == QLatin1String("2"))
        Set_data_table_value_to_card(0, QStringLiteral("B"), print_box);
    setCardFrontOrBack(side);
    setCardValueInProcess(false);
    Refresh_Canvas();
}

SideSnapshot SKTWindowController::batchSideSnapshot(int side)
{
    if (!batchBinding())
        Check_Series_Or_Excel_Use_or_not();
    return sideSnapshot(side);
}

QString SKTWindowController::bindRecordIntoSnapshot(SideSnapshot& snapshot, int N)
{
    const std::shared_ptr<const BatchBinding> binding = batchBinding();
    if (!binding)
        return QString();
    const QString reason = binding->Assign_Batch_Values_To_Control(snapshot.graphics(), N);
    if (!reason.isEmpty())
        reportBatchFailure(reason);
    return reason;
}

BatchShortfall SKTWindowController::batchShortfall(int cards, const QString& sides) const
{
    const std::shared_ptr<const BatchBinding> binding = batchBinding();
    if (!binding)
        return BatchShortfall();
    return BatchShortfall::of(*binding, Excel_Column_Titles, cards, sides != QLatin1String("B"),
                              sides != QLatin1String("F"));
}

void SKTWindowController::setBatchBarcodeMaker(BatchBinding::BarcodeMaker maker)
{
    m_barcodeMaker = std::move(maker);
    QMutexLocker lock(&m_bindingMutex);
    if (m_binding) {
        auto binding = std::make_shared<BatchBinding>(*m_binding);
        binding->setBarcodeMaker(m_barcodeMaker);
        m_binding = std::move(binding);
    }
}

void SKTWindowController::setSeriesViewer(std::function<void(const QString& name)> viewer)
{
    m_seriesViewer = std::move(viewer);
}

void SKTWindowController::setSpreadsheetTableViewer(std::function<void()> viewer)
{
    m_spreadsheetTableViewer = std::move(viewer);
}

void SKTWindowController::connectDataSourceLists()
{
    DataSourceLists lists;
    lists.seriesNames = [this] { return Get_datasheet_File_Name_Array(); };
    lists.firstSeriesValue = [this](const QString& series) { return Get_First_Value_Of_Dataset(series); };
    lists.columnTitles = [this] { return Excel_Column_Titles; };
    lists.firstColumnValue = [this](int column) { return Get_First_Value_Of_Excel_Binding(column); };
    lists.viewSeries = [this](const QString&) { View_batch_Series_Button(); };
    setDataSourceLists(lists);
    // "Excel" is offered while a spreadsheet table is in use.
    if (!Excel_Binding_Use)
        Remove_Excel_Col_Name_In_Combo(m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type")));
    // The barcode designer offers the same series and columns, and its
    // view button opens the series viewer on the series it names.
    lists.viewSeries = [this](const QString& series) {
        if (m_seriesViewer)
            m_seriesViewer(series);
    };
    Barcode_Gen::setDataSources(lists);
    // Bound barcodes are drawn anew for every record from their own settings.
    setBatchBarcodeMaker(&BarcodeProducer::pictureForObject);
    // Print decides first whether a batch of records exists.
    setHandOff(WindowHandOffs::HandOff::BatchDataChoice, [this] { Check_Series_Or_Excel_Use_or_not(); });
}

void SKTWindowController::Delete_Excel_File_Temp_Folder()
{
    UnpackFolder::remove();
}

// ---- series windows ----

void SKTWindowController::createSeriesWindows()
{
    auto* manager = new BatchWizard(m_window.get());
    auto* generator = new Generate_List(m_window.get());
    auto* viewer = new View_Data_Series(m_window.get());

    manager->setInUseCheck([this](const QString& name) { return Check_Batch_File_In_Use_Validation(name); });
    // A series saved under a new name takes its objects with it, as a
    // renamed column does: the binding, the inspector's list and the print
    // choice see the new name at once.
    manager->setRenameFollow([this](const QString& from, const QString& to) {
        const int listed = int(seriesStore().names().indexOf(to));
        GraphicList renamed = BatchBinding::followSeriesRename(Get_Front_Controls_Array(), from, to, listed);
        renamed += BatchBinding::followSeriesRename(Get_Back_Controls_Array(), from, to, listed);
        if (renamed.isEmpty())
            return;
        Check_Series_Or_Excel_Use_or_not();
        reloadShownObjectPanels();
        Refresh_Canvas();
    });
    setHandOff(WindowHandOffs::HandOff::BatchSeries, [manager] { manager->Open_Wnd(); });
    // the toolbar's generator writes a new series file; nothing to relist
    setHandOff(WindowHandOffs::HandOff::CreateSeries, [generator] {
        generator->file_name_required = 1;
        generator->file_name_Insert = 0;
        generator->Open_Wnd();
    });
    setSeriesViewer([viewer](const QString& name) {
        viewer->file_name = name;
        viewer->Open_Wnd();
    });
}
