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

// ---- start of a new card ----

int SKTWindowController::runStartWizard()
{
    // The wizard answers 1 for a card to build or a design opened, leaving
    // its road in `Start_Card_Option`.
    Invitation_Wizard* wizard = Invitation_Wizard::defaultInstance();
    return wizard ? wizard->Open_Wnd() : 0;
}

void SKTWindowController::Open_Start_Window()
{
    Ui::DrawWindow& ui = m_window->ui();
    ui.Front_back_label->hide();

    int result = 0;
    try {
        result = runStartWizard();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    if (result != 1) {
        Show_NSLog_Message(QStringLiteral("The start wizard was not confirmed; the program ends."));
        ProcessTerminator::terminate(0);
        return;
    }

    if (Start_Card_Option == QLatin1String("W")) {
        const UndoRegistrationPause noUndo(m_document);
        Update_Card_Graphics();
        ui.myTargetView->show();
        ui.sett_tab->show();
        showCardShape();
        Fill_Party_Invidation_Details();
        Show_RHS_Properties(nullptr);
    }
}

void SKTWindowController::newDocumentWindow()
{
    Open_Start_Window();
}

void SKTWindowController::New_Project_Setting_Reset()
{
    Ui::DrawWindow& ui = m_window->ui();
    const QuietUpdate quiet;

    // Card objects this program copied from the old design go; what other
    // programs (or other copies of this one) put there stays.
    Pasteboard::general().clearOwnContents();
    Check_Path_And_Create_Files();
    _grid->setAlwaysShown(false);
    if (m_document)
        m_document->Clear_All_Undo_Redo();

    setLastCtrlPosition(10.0, 10.0);
    setFillUserProfile(false);
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    setProjectFileName(QString(""));
    m_designOnDisk = {};
    // A new design has no spreadsheet table and names no workbook, as it
    // has no objects: nothing of the design before is offered or saved.
    Excel_Column_Titles = {Excel_Column_Titles.value(0, QStringLiteral("No."))};
    ListData.clear();
    m_sheetColumns = {};
    setExcelBindingUse(false);
    setExcelSourcePath(QString());
    m_workbookNote.clear();
    Remove_Excel_Col_Name_In_Combo(m_window->findChild<QComboBox*>(QStringLiteral("Data_source_type")));

    setAllTextFont(FontSpec(Text_Ctrl_Font, 14));
    ui.All_Text_font_value->setText(CardSettings::fontDescription(All_Text_font));
    ui.All_Text_clr->setColour(Colour::black());
    setAllTextColour(Colour::black());
    All_Text_font_COPY.reset();
    All_Text_clr_COPY = All_Text_clr;

    const Card_Property fresh = CardSettings::newDesignRecord(All_Text_clr, All_Text_font);
    setFront_card_Prop(fresh);
    setBack_card_Prop(fresh);

    Select_front_side();
    card_prop_set(FillCode::Solid);
    Set_Log_Name_In_Title();

    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        view->controller().delete_all_control();
    // No batch of the design before stays offered; the next batch checks
    // the new design.
    publishBinding(freshBinding());
    const QMutexLocker lock(&m_bindingMutex);
    m_binding.reset();
}

void SKTWindowController::New_Project()
{
    try {
        New_Project_Setting_Reset();
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
        Open_Start_Window();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    setNotDrawOnlyPropChange(false);
}
