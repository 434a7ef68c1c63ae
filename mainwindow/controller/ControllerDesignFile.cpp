#include "mainwindow/SKTWindowController.h"

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
#include "data/SavedTableCheck.h"
#include "data/WorkbookAccess.h"
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
#include "model/GraphicDefaults.h"
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

// ---- leaving ----

namespace {
const QString savedMessage = QStringLiteral("Invitation Card Design Log has been saved successfully.");
const QString corruptMessage = QStringLiteral("File is corrupt and cannot be opened.");
const QString tooLargeMessage = QStringLiteral("File is too large to be a design file and cannot be opened.");
// Smaller design files are read at once, without the please-wait window.
constexpr qint64 pleaseWaitFileBytes = 1024 * 1024;
}

DesignFileContents SKTWindowController::designFileContents() const
{
    DesignFileContents contents;
    contents.front = Front_card_Prop();
    contents.back = Back_card_Prop();
    contents.excelBindingUse = Excel_Binding_Use;
    contents.excelSourcePath = Excel_Source_Path;
    contents.columnTitles = Excel_Column_Titles;
    contents.rows = ListData;
    contents.sheetColumns = m_sheetColumns;
    contents.frontGraphics = Get_Front_Controls_Array();
    contents.backGraphics = Get_Back_Controls_Array();
    return contents;
}

SKTWindowController::SaveOutcome SKTWindowController::saveDesign(bool save_as, bool show_msg)
{
    const QString remembered = Project_File_Name;
    if (save_as)
        setProjectFileName(QString(""));
    setProjectFileName(Trim_Str(Project_File_Name));
    if (Project_File_Name.isEmpty()) {
        const QString chosen = SavePanel::chooseFile(m_window.get(), tr("Save Design"), design_file_EXT,
                                                     tr("Design files"));
        if (chosen.isEmpty()) {
            setProjectFileName(remembered);
            return SaveOutcome::Cancelled;
        }
        m_window->raise();
        m_window->activateWindow();
        setProjectFileName(chosen);
    }

    // The saved records keep a background picture path only for a picture
    // fill, and so do the records in memory from now on.
    for (int side : {0, 1}) {
        Card_Property record = cardProperty(side);
        DesignFile::clearUnusedBackgroundPath(record);
        setCardProperty(side, record);
    }
    m_saveFailure.clear();
    const DesignFileAssembly assembled = DesignFile::assemble(designFileContents());
    if (!assembled.ok) {
        // Nothing is written and the title stays as it is.
        Show_NSLog_Message(assembled.reason);
        Show_MessageBox(QStringLiteral("%1 -- %2").arg(assembled.elementsAssembled).arg(assembled.reason));
        return SaveOutcome::Failed;
    }
    const QByteArray& bytes = assembled.bytes;
    DesignFileOnDisk known = m_designOnDisk;
    if (!mayReplaceDesignFile(Project_File_Name, known))
        return SaveOutcome::Kept;

    // Written to a temporary file that then replaces the old one, so a
    // failed write leaves the previous design in place. The flush takes
    // long enough for another window's save to land meanwhile: the file is
    // looked at again right before the rename.
    AtomicFile file(Project_File_Name);
    const bool written = file.open() && file.write(bytes) == bytes.size()
        && file.commit([&] { return mayReplaceDesignFile(Project_File_Name, known); });
    if (file.declined())
        return SaveOutcome::Kept;
    const QString error = written ? QString() : file.errorString();
    m_saveFailure.clear();
    if (written) {
        m_designOnDisk = DesignFileOnDisk(Project_File_Name, FileStamp::ofBytes(bytes));
    } else {
        Show_NSLog_Message(QStringLiteral("Design file %1 not written: %2").arg(Project_File_Name, error));
        m_saveFailure = error;
    }
    if (show_msg) {
        Show_MessageBox(written ? savedMessage : saveFailedMessage());
        Set_Log_Name_In_Title();
    }
    return written ? SaveOutcome::Written : SaveOutcome::Failed;
}

bool SKTWindowController::mayReplaceDesignFile(const QString& path, DesignFileOnDisk& known)
{
    // Asked again after each Yes, so a change made while the question was
    // on screen is asked about too; `known` keeps what was said Yes to, so
    // a later look asks only about a newer change.
    while (const std::optional<FileStamp> now = known.changedAt(path)) {
        if (Show_YES_NO_MessageBox(DesignFileOnDisk::changedQuestion(path)) != 1)
            return false;
        known = DesignFileOnDisk(path, *now);
    }
    return true;
}

QString SKTWindowController::saveFailedMessage() const
{
    // "fail", and below it why and what became of the file on disk
    return m_saveFailure.isEmpty()
        ? QStringLiteral("fail")
        : QStringLiteral("fail\n") + AtomicFile::failureDetails(m_saveFailure, Project_File_Name);
}

SKTWindowController::SaveOutcome SKTWindowController::saveDesignCaught(bool save_as, bool show_msg)
{
    try {
        return saveDesign(save_as, show_msg);
    } catch (const std::exception& e) {
        m_saveFailure.clear();
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return SaveOutcome::Failed;
    }
}

bool SKTWindowController::Save_project_file(bool save_as, bool show_msg)
{
    return saveDesignCaught(save_as, show_msg) == SaveOutcome::Written;
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    const QFileInfo file(Project_File_Name);
    if (!Project_File_Name.isEmpty() && file.exists())
        m_window->setWindowTitle(QStringLiteral("%1 ( %2 )").arg(App_Name, file.fileName()));
    else
        m_window->setWindowTitle(App_Name);
}

bool SKTWindowController::Read_and_load_design_Log(const QString& path, const QString& log_or_template)
{
    // The whole file is read before anything of the open design changes,
    // so a file refused at any point leaves that design as it was. A large
    // file is read on a worker while the please-wait window is up.
    DesignFileReadResult read;
    PleaseWait_Modeless* sheet = nullptr;
    if (QFileInfo(path).size() > pleaseWaitFileBytes) {
        if (!m_pleaseWait)
            m_pleaseWait = new PleaseWait_Modeless(m_window.get());
        sheet = m_pleaseWait;
    }
    // The reader makes card objects on the worker while this thread handles
    // events, which may change the program's text font and colour: it makes
    // them with the defaults as they are now.
    const GraphicDefaults defaults = GraphicDefaults::current();
    PleaseWaitRun::run(sheet, [&read, path, defaults] { read = DesignFile::readFile(path, defaults); });
    if (!read.ok) {
        Show_NSLog_Message(QStringLiteral("Design file %1: %2").arg(path, read.reason));
        Show_MessageBox(read.tooLarge ? tooLargeMessage : corruptMessage);
        return false;
    }

    New_Project_Setting_Reset();
    Remove_All_Tab_Items();
    setProjectFileName(log_or_template == QLatin1String("L") ? path : QString(""));
    if (log_or_template == QLatin1String("L"))
        m_designOnDisk = DesignFileOnDisk(path, read.stamp);

    loadDesignFileContents(read.contents);

    if (log_or_template == QLatin1String("L"))
        Set_Log_Name_In_Title();
    Show_RHS_Properties(nullptr);
    for (int side : {1, 0}) {
        const Card_Property record = cardProperty(side);
        if (record.Card_fill_chk() && record.Card_fill_style() == QLatin1String("I")) {
            if (side == 1)
                set_Back_BG_Image(record.Card_BG_Image_Path());
            else
                set_Front_BG_Image(record.Card_BG_Image_Path());
        }
    }
    selectArrowTool();
    Refresh_Canvas();
    tellColumnsNotFollowed();
    if (log_or_template == QLatin1String("L"))
        checkSavedWorkbook();
    return true;
}

void SKTWindowController::checkSavedWorkbook()
{
    const QString path = Excel_Source_Path;
    if (ListData.isEmpty() || Trim_Str(path).isEmpty())
        return;
    // The workbook is read on a worker while the please-wait window is up;
    // the worker gets copies of the table.
    if (!m_pleaseWait)
        m_pleaseWait = new PleaseWait_Modeless(m_window.get());
    const QStringList titles = Excel_Column_Titles;
    const QList<DesignFileRow> rows = ListData;
    const SheetColumns columns = m_sheetColumns;
    SavedTableCheck::Result result;
    try {
        PleaseWaitRun::run(m_pleaseWait, [&result, path, titles, rows, columns] {
            result = SavedTableCheck::check(WorkbookAccess::installed(), path, titles, rows, columns);
        });
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        result = {};
    }
    switch (result.outcome) {
    case SavedTableCheck::Outcome::Same:
        return;
    case SavedTableCheck::Outcome::Unreadable:
        m_workbookNote = SavedTableCheck::keptNote(result.outcome, path);
        Show_MessageBox(SavedTableCheck::unreadableMessage(path));
        return;
    case SavedTableCheck::Outcome::Changed:
    case SavedTableCheck::Outcome::NumberFormats:
        break;
    }
    if (Show_YES_NO_MessageBox(SavedTableCheck::question(path, result)) != 1) {
        m_workbookNote = SavedTableCheck::keptNote(result.outcome);
        return;
    }
    if (!m_excelTable)
        return;
    // Replaced as an import replaces it: bindings follow their titles.
    m_rereadingWorkbook = true;
    m_excelTable->replaceTable(result.table);
    m_rereadingWorkbook = false;
    tellColumnsNotFollowed();
}

void SKTWindowController::loadDesignFileContents(const DesignFileContents& contents)
{
    const QuietUpdate quiet;

    setFront_card_Prop(contents.front);
    const QSizeF size = contents.front.Card_Size();
    Set_Document_Size(size);
    SetDocumentCanvasSize(size);
    Set_Card_Size_In_Control(
        QSizeF(Points_to_MM_Convert(float(size.width())), Points_to_MM_Convert(float(size.height()))));
    setBack_card_Prop(contents.back);
    // The outline and the number of sides are one value for the whole
    // card; the front record carries them.
    setCardShape(CardSettings::cardShapeForCode(contents.front.Card_Shape()));
    showCardShape();
    showCardSides(CardSettings::sidesForRecord(contents.front));

    setExcelBindingUse(contents.excelBindingUse);
    setExcelSourcePath(contents.excelSourcePath);
    m_workbookNote.clear();
    // The source list offers "Excel" while a spreadsheet table is bound.
    auto* source = m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type"));
    if (Excel_Binding_Use)
        Add_Excel_Col_Name_In_Combo(source);
    else
        Remove_Excel_Col_Name_In_Combo(source);
    // The row-number column keeps its own title; the others come from the file.
    if (!contents.columnTitles.isEmpty()) {
        const QString first = Excel_Column_Titles.value(0, QStringLiteral("No."));
        Excel_Column_Titles = contents.columnTitles;
        Excel_Column_Titles[0] = first;
    }
    ListData = contents.rows;
    m_sheetColumns = contents.sheetColumns;

    // An object carrying its column's title takes that title's column from
    // the start, not the one at its stored position; those that take none
    // are told once the design is open.
    GraphicList moved;
    QList<ColumnRebinding::Change> changes;
    for (const bool back : {false, true}) {
        const GraphicList& graphics = back ? contents.backGraphics : contents.frontGraphics;
        QList<int> before;
        for (const GraphicPtr& graphic : graphics)
            before.append(graphic->excel_col_indx);
        changes += ColumnRebinding::rebind(graphics, back, Excel_Column_Titles, m_sheetColumns, Excel_Column_Titles,
                                           m_sheetColumns, ListData);
        for (qsizetype i = 0; i < graphics.size(); ++i) {
            if (graphics[i]->excel_col_indx != before[i] && graphics[i]->excel_col_indx >= 0)
                moved.append(graphics[i]);
        }
    }
    m_columnsNotFollowed = ColumnRebinding::message(changes);

    const UndoRegistrationPause noUndo(m_document);
    if (!m_document)
        return;
    const std::pair<const GraphicList*, const QString*> sides[] = {
        {&contents.frontGraphics, &SKTDocumentGraphicsKey}, {&contents.backGraphics, &SKTDocumentGraphicsKey_back}};
    for (const auto& [graphics, key] : sides) {
        for (const GraphicPtr& graphic : *graphics) {
            // Exactly a picture object: its picture comes again from its path.
            if (graphic->kind() == SKTGraphic::Kind::Image)
                graphic->setFilePath(graphic->_file_path);
        }
        if (!graphics->isEmpty())
            m_document->insertGraphicsForKey(*key, *graphics, IndexSet::range(0, int(graphics->size())));
    }
    if (!moved.isEmpty() && !ListData.isEmpty())
        showFirstSpreadsheetValues(moved);
}

bool SKTWindowController::Open_Log_File()
{
    try {
        const QString path = OpenPanel::chooseFile(m_window.get(), tr("Open Design"), {design_file_EXT},
                                                   tr("Design files"));
        if (path.isEmpty())
            return false;
        return Read_and_load_design_Log(path, QStringLiteral("L"));
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool SKTWindowController::saveBeforeReplacing(const QString& question)
{
    switch (askYesNoOrCancel(question)) {
    case MessagePresenter::Answer::Cancelled:
        // The box was left without an answer: the design stays as it is.
        return false;
    case MessagePresenter::Answer::No:
        return true;
    case MessagePresenter::Answer::Yes:
        break;
    }
    // A cancelled panel goes on; a design that was not saved (the write
    // failed, or its file changed on disk and was kept) stays.
    const SaveOutcome outcome = saveDesign(false, true);
    return outcome == SaveOutcome::Written || outcome == SaveOutcome::Cancelled;
}

void SKTWindowController::New_Btn_Clicked()
{
    try {
        if (!saveBeforeReplacing(QStringLiteral("Do you want to save changes before opening new document?")))
            return;
        New_Project();
        Undo_Redo_Button_state();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Open_Btn_Clicked()
{
    try {
        if (saveBeforeReplacing(QStringLiteral("Do you want to save changes before opening document?"))) {
            New_Project_Setting_Reset();
            const bool opened = Open_Log_File();
            Undo_Redo_Button_state();
            if (!opened)
                Open_Start_Window();
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    setNotDrawOnlyPropChange(false);
}

void SKTWindowController::Save_Btn_Clicked()
{
    Save_project_file(false, true);
}

void SKTWindowController::SaveAs_Btn_Clicked()
{
    Save_project_file(true, true);
}

bool SKTWindowController::Exit_App()
{
    switch (askYesNoOrCancel(QStringLiteral("Do you want to save changes before closing?"))) {
    case MessagePresenter::Answer::Cancelled:
        // The box was left without an answer: back to the design.
        return false;
    case MessagePresenter::Answer::Yes:
        // A save that was asked for and did not happen keeps the program
        // running, with the design as it is; a file the user kept needs no
        // word more.
        switch (saveDesignCaught(false, false)) {
        case SaveOutcome::Written:
            break;
        case SaveOutcome::Kept:
            return false;
        case SaveOutcome::Cancelled:
        case SaveOutcome::Failed:
            Show_MessageBox(saveFailedMessage());
            return false;
        }
        break;
    case MessagePresenter::Answer::No:
        break;
    }
    m_handOffs.run(WindowHandOffs::HandOff::Review);
    ProcessTerminator::terminate(0);
    return true;
}
