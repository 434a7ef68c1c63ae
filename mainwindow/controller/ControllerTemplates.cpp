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

// ---- templates, the card-size wizard and the start screen ----

void SKTWindowController::setUpTemplateWindows()
{
    new Export_Template(m_window.get());
    new Template_Wizard(this, m_window.get());
    new Card_Wizard(this, m_window.get());
    m_startCard = new Start_Card(m_window.get());
    // Opened from the menu, the start screen's Cancel leaves the design be.
    m_startCard->cancelEndsProgram = false;
}

void SKTWindowController::Export_As_Template_Clicked()
{
    Export_Template* names = Export_Template::defaultInstance();
    if (!names)
        return;
    try {
        names->template_name->clear();
        names->template_passed->clear();
        if (names->runModal() != 1)
            return;

        const TemplateStore store(TemplateStore::userFolder());
        // The dialog takes no name that leaves the folder.
        if (!TemplateStore::isSafeName(export_template_name))
            return;
        QDir().mkpath(store.folder());

        // Both files are written into a folder of their own beside the
        // templates and put in place together once both are whole, so a
        // failed export keeps the old template of the name. The design is
        // written there silently; the open design keeps its own path.
        const QTemporaryDir staging(store.folder() + QStringLiteral("/.export-XXXXXX"));
        const QString design = staging.filePath(QFileInfo(store.designPath(export_template_name)).fileName());
        const QString picture = staging.filePath(QFileInfo(store.picturePath(export_template_name)).fileName());
        const QString remembered = Project_File_Name;
        const DesignFileOnDisk rememberedOnDisk = m_designOnDisk;
        setProjectFileName(design);
        const bool designWritten = staging.isValid() && Save_project_file(false, false);
        setProjectFileName(remembered);
        m_designOnDisk = rememberedOnDisk;
        Set_Log_Name_In_Title();

        // The picture: both sides, the front above the back.
        setExportCardSide(QStringLiteral("BOTH"));
        if (m_exportWindow)
            m_exportWindow->export_combined_image_chk->setChecked(true);
        if (designWritten)
            Export_Single_File(picture, false);

        QString reason = staging.isValid() ? m_saveFailure : staging.errorString();
        if (designWritten && !QFileInfo(picture).isFile())
            reason = QStringLiteral("The card picture could not be written.");
        if (!designWritten || !QFileInfo(picture).isFile()
            || !store.placePair(export_template_name, design, picture, &reason)) {
            Show_MessageBox(reason.isEmpty() ? templateFailedMessage
                                             : templateFailedMessage + QStringLiteral("\nReason: ") + reason);
            return;
        }
        Show_MessageBox(templateExportedMessage);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

bool SKTWindowController::openTemplateDesign(const QString& designPath)
{
    if (!saveBeforeReplacing(QStringLiteral("Do you want to save changes before opening new document?")))
        return false;
    // Any mode but "L" reads the file as a starting point without a path
    // (the title shows none), so a Save asks where to write instead of
    // overwriting the template.
    const bool opened = Read_and_load_design_Log(designPath, QStringLiteral("T"));
    Undo_Redo_Button_state();
    return opened;
}

void SKTWindowController::New_From_Template_Clicked()
{
    Template_Wizard* picker = Template_Wizard::defaultInstance();
    if (!picker)
        return;
    const int savedShape = Card_Shape;
    try {
        if (picker->Open_Template_Window() == 1 && openTemplateDesign(Selected_Template_Path)) {
            // The card takes the template's own outline.
            showCardShape();
            Refresh_Canvas();
            return;
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    // Nothing was opened: the design keeps its outline.
    setCardShape(savedShape);
    Refresh_Canvas();
}

void SKTWindowController::Card_Size_Wizard_Clicked()
{
    Card_Wizard* wizard = Card_Wizard::defaultInstance();
    if (!wizard)
        return;
    const int savedShape = Card_Shape;
    if (wizard->Open_Wnd() != 1) {
        // Cancelled from the menu: the card keeps its outline.
        setCardShape(savedShape);
        return;
    }
    Set_Card_Size_In_Control(wizard->sizes->millimetres());
    showCardShape();
    Update_Card_Graphics();
    Refresh_Canvas();
}

void SKTWindowController::Start_Screen_Clicked()
{
    if (!m_startCard || m_startCard->Open_Wnd() != 1)
        return;
    if (Start_Card_Option == QLatin1String("T")) {
        New_From_Template_Clicked();
    } else if (Start_Card_Option == QLatin1String("W")) {
        Card_Size_Wizard_Clicked();
    } else if (Start_Card_Option == QLatin1String("L")) {
        if (saveBeforeReplacing(QStringLiteral("Do you want to save changes before opening document?"))) {
            Open_Log_File();
            Undo_Redo_Button_state();
        }
    }
}
