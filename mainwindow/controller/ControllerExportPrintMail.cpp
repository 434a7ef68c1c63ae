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
#include "platform/ThreadHandOff.h"
#include "platform/UndoManager.h"
#include "profiles/Globals.h"
#include "profiles/ProfilePlacement.h"
#include "ui_DrawWindow.h"
#include "mainwindow/ExportWindow.h"
#include "mainwindow/Image_Library.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureFolders.h"
#include "mainwindow/PictureListModel.h"
#include "output/BatchOutcome.h"
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

// ---- card picture export ----

namespace {

// The pixel density of the pictures the export dialog asks for.
double exportDpi(const ExportWindow* dialog)
{
    if (!dialog)
        return CardExportPlan::cardDpi;
    return CardExportPlan::pictureDpi(CardExportPlan::extensionOfType(dialog->fileFormatPopup->currentText()),
                                      dialog->chosenDpi());
}

}

void SKTWindowController::createExportWindow()
{
    m_exportWindow = new ExportWindow(m_window.get());
    m_exportWindow->sideChosen = [this](int row) { export_card_side_CellClick(row); };

    // A toolbar button beside Print, and the File menu's entry.
    Ui::DrawWindow& ui = m_window->ui();
    if (QLayout* bar = ui.Print_btn->parentWidget() ? ui.Print_btn->parentWidget()->layout() : nullptr) {
        auto* button = new QToolButton(ui.Print_btn->parentWidget());
        button->setObjectName(QStringLiteral("Export_btn"));
        button->setText(tr("Export"));
        button->setToolTip(tr("Export the card as pictures"));
        button->setToolButtonStyle(ui.Print_btn->toolButtonStyle());
        button->setIcon(CommandIcons::toolbarIcon(CommandIcons::Toolbar::Export));
        button->setIconSize(ui.Print_btn->iconSize());
        button->setAutoRaise(ui.Print_btn->autoRaise());
        button->setFocusPolicy(ui.Print_btn->focusPolicy());
        if (auto* box = qobject_cast<QBoxLayout*>(bar))
            box->insertWidget(box->indexOf(ui.Print_btn) + 1, button);
        else
            bar->addWidget(button);
        connect(button, &QToolButton::clicked, this, &SKTWindowController::Export_Button);
    }
}

void SKTWindowController::export_card_side_CellClick(int row)
{
    setExportCardSide(row == 0 ? QStringLiteral("BOTH") : row == 1 ? QStringLiteral("F") : QStringLiteral("B"));
    if (m_exportWindow)
        m_exportWindow->export_combined_image_chk->setEnabled(row == 0);
}

void SKTWindowController::Export_Button()
{
    if (!m_exportWindow || isBatchExportRunning())
        return;
    try {
        ExportWindow& dialog = *m_exportWindow;
        dialog.saveDPIText->setCurrentIndex(0);
        dialog.fileFormatPopup->setCurrentIndex(0);
        dialog.saveDPIText->setEnabled(true);
        dialog.export_combined_image_chk->setChecked(false);
        dialog.selectSideRow(1);

        Check_Series_Or_Excel_Use_or_not();
        dialog.Export_with_batch_chk->setEnabled(Use_Data_Sheet_Values);
        dialog.Export_with_batch_chk->setChecked(Use_Data_Sheet_Values);
        dialog.Export_with_excel_chk->setEnabled(Use_Excel_Binding_Values);
        dialog.Export_with_excel_chk->setChecked(Use_Excel_Binding_Values);

        if (dialog.runModal() != 1)
            return;
        if (!dialog.Export_with_batch_chk->isChecked())
            setUseDataSheetValues(false);
        if (!dialog.Export_with_excel_chk->isChecked())
            setUseExcelBindingValues(false);
        Get_total_Card_count();

        const QString type = CardExportPlan::extensionOfType(dialog.fileFormatPopup->currentText());
        if (!Use_Data_Sheet_Values && !Use_Excel_Binding_Values) {
            // One side's picture goes to a name beside the chosen one
            // ("_Back"): the replace question concerns the files written.
            const QString sides = export_card_side;
            const bool combined = dialog.export_combined_image_chk->isChecked();
            const QString path = SavePanel::chooseFile(
                m_window.get(), tr("Export"), type, {}, [sides, combined](const QString& name) {
                    const CardExportPlan plan = CardExportPlan::forPath(name, sides, combined);
                    return QStringList {plan.frontFile, plan.backFile};
                });
            if (path.isEmpty())
                return;
            m_window->raise();
            m_window->activateWindow();
            Export_Single_File(path, true);
            return;
        }
        if (!batchShortfall(Total_Batch_Excel_Card, export_card_side).confirmed(QStringLiteral("Export?")))
            return;
        const QString folder = ExportWindow::chooseFolder(m_window.get());
        if (!folder.isEmpty())
            Export_Batch_File(folder);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

QString SKTWindowController::Create_Front_Card_Path(const QString& path)
{
    return CardExportPlan::frontPath(path);
}

QString SKTWindowController::Create_Back_Card_Path(const QString& path)
{
    return CardExportPlan::backPath(path);
}

void SKTWindowController::Export_Single_File(const QString& path, bool show_msg)
{
    const int savedSide = Card_Front_Or_Back;
    try {
        const bool combined = m_exportWindow && m_exportWindow->export_combined_image_chk->isChecked();
        const CardExportPlan plan = CardExportPlan::forPath(path, export_card_side, combined);
        const double dpi = exportDpi(m_exportWindow);
        Picture back;
        if (plan.drawBack) {
            setCardFrontOrBack(1);
            back = sideSnapshot(1).picture(dpi);
            if (!plan.backFile.isEmpty())
                Export_File_Function(plan.backFile, back, plan.drawFront ? false : show_msg);
        }
        if (plan.drawFront) {
            setCardFrontOrBack(0);
            const Picture front = sideSnapshot(0).picture(dpi);
            if (plan.combined)
                Export_Combined_Image(front, back, plan.frontFile, show_msg);
            else
                Export_File_Function(plan.frontFile, front, show_msg);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
    setCardFrontOrBack(savedSide);
}

bool SKTWindowController::Export_Combined_Image(const Picture& front, const Picture& back, const QString& file_path,
                                                bool show_msg)
{
    const QImage combined = combinedCardPicture(front.image(), back.image());
    if (combined.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        // The user asked for the export: say that nothing was written.
        if (show_msg)
            Show_MessageBox(QStringLiteral("Invalid image"));
        return false;
    }
    return Export_File_Function(file_path, Picture(combined, QSizeF(combined.size())), show_msg);
}

bool SKTWindowController::Export_File_Function(const QString& path, const Picture& original, bool show_msg)
{
    if (!Save_gen_image(original, path, show_msg))
        return false;
    if (show_msg) {
        setExportFile(path, QStringLiteral("Card has been exported successfully."));
        BatchDialogs::openExportFinishedBox();
    }
    return true;
}

bool SKTWindowController::Save_gen_image(const Picture& image, const QString& file_path_val, bool report)
{
    QString error;
    if (writeCardPicture(image.image(), file_path_val, &error))
        return true;
    Show_NSLog_Message(file_path_val + QStringLiteral(": ") + error);
    if (report) {
        Show_MessageBox(file_path_val);
        Show_MessageBox(error);
    }
    return false;
}

void SKTWindowController::Export_Batch_File(const QString& folder)
{
    if (isBatchExportRunning())
        return;
    setCardValueInProcess(true);
    const int savedSide = Card_Front_Or_Back;
    setStopSmsSendingNow(false);

    const QString target = CardExportPlan::batchFolder(folder);
    QString reason;
    if (!makeCardFolder(target, &reason)) {
        Show_MessageBox(BatchOutcome::exportFailed(0, std::max(0, int(Total_Batch_Excel_Card)), target, reason));
        setCardValueInProcess(false);
        return;
    }

    setListCount(Total_Batch_Excel_Card);
    setCurrBarcodeCount(0);
    BatchDialogs::showProgressSheet(BatchDialogs::Batch::Export);

    BatchPictureExport::Job job;
    job.folder = target;
    job.type = CardExportPlan::extensionOfType(m_exportWindow ? m_exportWindow->fileFormatPopup->currentText()
                                                              : QStringLiteral("png"));
    job.dpi = exportDpi(m_exportWindow);
    job.sides = export_card_side;
    job.combined = m_exportWindow && m_exportWindow->export_combined_image_chk->isChecked();
    job.records = std::max(0, int(Total_Batch_Excel_Card));
    const CardExportPlan sample = CardExportPlan::forRecord(target, 0, job.type, job.sides, job.combined);
    if (sample.drawFront)
        job.front = batchSideSnapshot(0);
    if (sample.drawBack)
        job.back = batchSideSnapshot(1);
    job.bind = [this](SideSnapshot& snapshot, int record) { return bindRecordIntoSnapshot(snapshot, record); };

    auto result = std::make_shared<BatchPictureExport::Result>();
    m_exportThread = QThread::create([job = std::move(job), result] {
        *result = BatchPictureExport::run(job, Stop_SMS_Sending_Now, [](int done) { setCurrBarcodeCount(done); });
        ThreadHandOff::release(result.get());
    });
    connect(m_exportThread, &QThread::finished, this, [this, result, target, savedSide] {
        ThreadHandOff::acquire(result.get());
        m_exportThread->deleteLater();
        m_exportThread = nullptr;
        finishBatchExport(*result, target, savedSide);
    });
    m_exportThread->start();
}

void SKTWindowController::finishBatchExport(const BatchPictureExport::Result& result, const QString& folder,
                                            int savedSide)
{
    BatchDialogs::hideProgressSheet();
    Select_first_row_value_for_design(false);
    setCardFrontOrBack(savedSide);
    if (result.failed()) {
        // Once for the batch, which stopped there; no success is announced.
        Show_MessageBox(BatchOutcome::withPictures(
            BatchOutcome::exportFailed(result.recordsDone, result.records, folder,
                                       QStringLiteral("%1 could not be written: %2")
                                           .arg(QFileInfo(result.failedPath).fileName(), result.error)),
            result.pictures));
        return;
    }
    // A stopped batch names how many cards it wrote, never a success.
    setExportFile(folder,
                  BatchOutcome::exportFinished(result.recordsDone, result.records, result.stopped, result.pictures));
    BatchDialogs::openExportFinishedBox();
}

ControllerState::ExportThreadGuard::~ExportThreadGuard()
{
    if (QThread* running = *thread) {
        setStopSmsSendingNow(true);
        running->wait();
        delete running;
        *thread = nullptr;
    }
}

// ---- print window ----

void SKTWindowController::createPrintWindow()
{
    auto* window = new Print_Wnd(m_window.get(), this, PrinterCatalog::system());
    setHandOff(WindowHandOffs::HandOff::Print, [window] { window->Open_Print_Wnd(); });
}

// ---- mail settings ----

void SKTWindowController::createMailSettingsWindow()
{
    m_mailSettings = new Email_Setting(m_window.get(), App_Name, [this] { Get_Email_Details(); });
    setHandOff(WindowHandOffs::HandOff::MailSettings, [this] {
        m_mailSettings->Open_Wnd();
        Get_Email_Details();
    });
}

// ---- mail window ----

void SKTWindowController::createMailWindow()
{
    Send_Mail::Cards cards;
    cards.chooseBatch = [this] { Check_Series_Or_Excel_Use_or_not(); };
    cards.recount = [this] { Get_total_Card_count(); };
    cards.shortfall = [this](int count, const QString& sides) { return batchShortfall(count, sides); };
    cards.snapshot = [this](int side) { return batchSideSnapshot(side); };
    cards.bind = [this](SideSnapshot& snapshot, int record) { return bindRecordIntoSnapshot(snapshot, record); };
    cards.restoreFirstRecord = [this] { Select_first_row_value_for_design(false); };
    cards.settings = [this] { m_handOffs.run(WindowHandOffs::HandOff::MailSettings); };
    m_mailWindow = new Send_Mail(std::move(cards), m_window.get());
    setHandOff(WindowHandOffs::HandOff::Mail, [window = m_mailWindow] { window->Open_Wnd(); });
}
