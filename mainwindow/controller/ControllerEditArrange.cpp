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

// ---- stacking and lock ----

void SKTWindowController::connectCommandButtons()
{
    Ui::DrawWindow& ui = m_window->ui();
    const struct
    {
        QAbstractButton* button;
        void (SKTWindowController::*action)();
    } commands[] = {
        {ui.Begin_Front_btn, &SKTWindowController::Begin_Front_Clicked},
        {ui.Send_Back_btn, &SKTWindowController::Send_Back_Clicked},
        {ui.Lock_btn, &SKTWindowController::Lock_Clicked},
        {ui.Unlock_btn, &SKTWindowController::Unlock_Clicked},
        {ui.Align_Center_btn, &SKTWindowController::Align_Center_Clicked},
        {ui.Align_Left_btn, &SKTWindowController::Align_Left_Clicked},
        {ui.Align_Right_btn, &SKTWindowController::Align_Right_Clicked},
        {ui.Align_Top_btn, &SKTWindowController::Align_Top_Clicked},
        {ui.Align_Bottom_btn, &SKTWindowController::Align_Bottom_Clicked},
        {ui.Align_Horz_btn, &SKTWindowController::Align_Horz_Clicked},
        {ui.Align_Vert_btn, &SKTWindowController::Align_Vert_Clicked},
        {ui.Make_same_width_btn, &SKTWindowController::Make_Same_Width_Clicked},
        {ui.Make_same_height_btn, &SKTWindowController::Make_Same_Height_Clicked},
        {ui.Make_natural_size_btn, &SKTWindowController::Make_Natural_Clicked},
        {ui.Align_with_grid_btn, &SKTWindowController::Align_To_Grid_Clicked},
        {ui.New_btn, &SKTWindowController::New_Btn_Clicked},
        {ui.Open_btn, &SKTWindowController::Open_Btn_Clicked},
        {ui.Save_btn, &SKTWindowController::Save_Btn_Clicked},
        {ui.SaveAs_btn, &SKTWindowController::SaveAs_Btn_Clicked},
        {ui.Mail_btn, &SKTWindowController::Mail_Button},
        {ui.Print_btn, &SKTWindowController::Print_Button},
        {ui.Batch_Series_btn, &SKTWindowController::Batch_Series_Button},
        {ui.Import_Wizard_btn, &SKTWindowController::Import_Wizard_Button},
        {ui.Create_Series_btn, &SKTWindowController::Create_Series_Button},
        {ui.Help_btn, &SKTWindowController::Help_Button},
        {ui.About_btn, &SKTWindowController::About_Button},
        {ui.Exit_btn, &SKTWindowController::Exit_Btn_Clicked},
    };
    for (const auto& command : commands)
        connect(command.button, &QAbstractButton::clicked, this, command.action);

    using A = CommandIcons::Arrange;
    const std::pair<QToolButton*, A> arrangeIcons[] = {
        {ui.Align_Left_btn, A::Left},
        {ui.Align_Right_btn, A::Right},
        {ui.Align_Top_btn, A::Top},
        {ui.Align_Bottom_btn, A::Bottom},
        {ui.Align_Horz_btn, A::HorizontalCentres},
        {ui.Align_Vert_btn, A::VerticalCentres},
        {ui.Align_Center_btn, A::CardCentre},
        {ui.Make_same_width_btn, A::SameWidth},
        {ui.Make_same_height_btn, A::SameHeight},
        {ui.Make_natural_size_btn, A::NaturalSize},
        {ui.Align_with_grid_btn, A::Grid},
    };
    for (const auto& [button, icon] : arrangeIcons)
        button->setIcon(CommandIcons::arrangeIcon(icon));
    using T = CommandIcons::Toolbar;
    const std::pair<QToolButton*, T> toolbarIcons[] = {
        {ui.New_btn, T::New},
        {ui.Open_btn, T::Open},
        {ui.Save_btn, T::Save},
        {ui.SaveAs_btn, T::SaveAs},
        {ui.Mail_btn, T::Mail},
        {ui.Print_btn, T::Print},
        {ui.Batch_Series_btn, T::BatchSeries},
        {ui.Import_Wizard_btn, T::ImportWizard},
        {ui.Create_Series_btn, T::CreateSeries},
        {ui.Help_btn, T::Help},
        {ui.About_btn, T::About},
        {ui.Exit_btn, T::Exit},
    };
    for (const auto& [button, icon] : toolbarIcons)
        button->setIcon(CommandIcons::toolbarIcon(icon));

    updateToolbarButtons();
    setAlignWithGridButtonEnabled(_grid->isAlwaysShown());
    SKTGraphicView* view = currentSideCanvas();
    setSameSizeButtonsEnabled(view && view->controller().selectionIndexes().count() >= 2);
}

void SKTWindowController::Begin_Front_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        ArrangeCommands(view->controller()).bringToFront();
}

void SKTWindowController::Send_Back_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        ArrangeCommands(view->controller()).sendToBack();
}

void SKTWindowController::Lock_Clicked()
{
    setLocked(true);
}

void SKTWindowController::Unlock_Clicked()
{
    setLocked(false);
}

void SKTWindowController::setLocked(bool locked)
{
    if (locked)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();

    SKTGraphicView* view = currentSideCanvas();
    if (!view || view->controller().selectionIndexes().isEmpty()) {
        Show_MessageBox(locked ? QStringLiteral("Please select a control to Lock.")
                               : QStringLiteral("Please select a control to Unlock."));
        // Nothing was locked or unlocked: the buttons fit the empty
        // selection again.
        Disable_Standard_Button_For_Card();
        return;
    }
    CanvasController& canvas = view->controller();
    for (const GraphicPtr& graphic : canvas.selectedGraphics()) {
        graphic->ctrl_is_locked = locked;
        try {
            canvas.startEditingGraphic(graphic);
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        }
    }
    const IndexSet indexes = canvas.selectionIndexes();
    const GraphicPtr last = canvas._Selected_Graphic;
    Show_RHS_Properties(nullptr);
    canvas.changeSelectionIndexes(indexes);
    Refresh_Canvas();
    Show_RHS_Properties(canvas._Selected_Graphic ? canvas._Selected_Graphic.get() : last.get());
}

// ---- arrange ----

void SKTWindowController::arrange(void (ArrangeCommands::*command)())
{
    if (SKTGraphicView* view = currentSideCanvas()) {
        ArrangeCommands commands(view->controller());
        (commands.*command)();
    }
    Refresh_Canvas();
}

void SKTWindowController::Align_Center_Clicked()
{
    arrange(&ArrangeCommands::alignformCenter);
}

void SKTWindowController::Align_Left_Clicked()
{
    arrange(&ArrangeCommands::alignLeftEdges);
}

void SKTWindowController::Align_Right_Clicked()
{
    arrange(&ArrangeCommands::alignRightEdges);
}

void SKTWindowController::Align_Top_Clicked()
{
    arrange(&ArrangeCommands::alignTopEdges);
}

void SKTWindowController::Align_Bottom_Clicked()
{
    arrange(&ArrangeCommands::alignBottomEdges);
}

void SKTWindowController::Align_Horz_Clicked()
{
    arrange(&ArrangeCommands::alignHorizontalCenters);
}

void SKTWindowController::Align_Vert_Clicked()
{
    arrange(&ArrangeCommands::alignVerticalCenters);
}

void SKTWindowController::Make_Same_Width_Clicked()
{
    SKTGraphicView* view = currentSideCanvas();
    if (!view || view->controller().selectionIndexes().count() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    arrange(&ArrangeCommands::makeSameWidth);
}

void SKTWindowController::Make_Same_Height_Clicked()
{
    SKTGraphicView* view = currentSideCanvas();
    if (!view || view->controller().selectionIndexes().count() < 2) {
        Show_MessageBox(QStringLiteral("Please select more than one control."));
        return;
    }
    arrange(&ArrangeCommands::makeSameHeight);
}

void SKTWindowController::Make_Natural_Clicked()
{
    arrange(&ArrangeCommands::makeNaturalSize);
}

void SKTWindowController::Align_To_Grid_Clicked()
{
    if (!_grid->isAlwaysShown()) {
        Show_MessageBox(QStringLiteral("Please use grid option first."));
        return;
    }
    arrange(&ArrangeCommands::alignWithGrid);
}

// ---- the edit buttons for what is selected ----

void SKTWindowController::setEditButtons(bool standard, bool lock, bool unlock, std::optional<bool> paste)
{
    Ui::DrawWindow& ui = m_window->ui();
    for (QPushButton* button : {ui.Cut_btn, ui.Copy_btn, ui.Delete_btn, ui.Begin_Front_btn, ui.Send_Back_btn})
        button->setEnabled(standard);
    // the keys of Cut and Copy follow their buttons
    for (QAction* action : {m_cutAction, m_copyAction}) {
        if (action)
            action->setEnabled(standard);
    }
    ui.Lock_btn->setEnabled(lock);
    ui.Unlock_btn->setEnabled(unlock);
    if (paste)
        ui.Paste_btn->setEnabled(*paste);
}

void SKTWindowController::Enable_Standard_Button_For_Control()
{
    setEditButtons(true, true, false, std::nullopt);
    Set_Paste_Button_Status();
    Undo_Redo_Button_state();
}

void SKTWindowController::Enable_Standard_Button_For_Unlock()
{
    Enable_Standard_Button_For_Control();
}

void SKTWindowController::Disable_Standard_Button_For_Card()
{
    setEditButtons(false, false, false, std::nullopt);
    Set_Paste_Button_Status();
}

void SKTWindowController::Disable_Standard_Button_For_Lock()
{
    // A paste passes locked objects by, so Paste stays as the pasteboard
    // allows, as the menu item does.
    setEditButtons(false, false, true, std::nullopt);
    Set_Paste_Button_Status();
}

void SKTWindowController::setAlignWithGridButtonEnabled(bool enabled)
{
    if (m_window)
        m_window->ui().Align_with_grid_btn->setEnabled(enabled);
}

void SKTWindowController::setSameSizeButtonsEnabled(bool enabled)
{
    if (!m_window)
        return;
    Ui::DrawWindow& ui = m_window->ui();
    for (QToolButton* button : {ui.Make_same_width_btn, ui.Make_same_height_btn, ui.Make_natural_size_btn})
        button->setEnabled(enabled);
}

// ---- toolbar ----

void SKTWindowController::setHandOff(WindowHandOffs::HandOff which, std::function<void()> call)
{
    m_handOffs.set(which, std::move(call));
    updateToolbarButtons();
}

void SKTWindowController::setPrinterLister(std::function<QStringList()> lister)
{
    m_printerLister = std::move(lister);
}

void SKTWindowController::updateToolbarButtons()
{
    using H = WindowHandOffs::HandOff;
    Ui::DrawWindow& ui = m_window->ui();
    ui.Mail_btn->setEnabled(m_handOffs.has(H::Mail));
    ui.Print_btn->setEnabled(m_handOffs.has(H::Print));
    ui.Batch_Series_btn->setEnabled(m_handOffs.has(H::BatchSeries));
    ui.Import_Wizard_btn->setEnabled(m_handOffs.has(H::ImportWizard));
    ui.Create_Series_btn->setEnabled(m_handOffs.has(H::CreateSeries));
    ui.Help_btn->setEnabled(m_handOffs.has(H::Help));
    validateMenus();
}

void SKTWindowController::Mail_Button()
{
    // the mail window works out the design's data use itself as it opens
    m_handOffs.run(WindowHandOffs::HandOff::Mail);
}

void SKTWindowController::Print_Button()
{
    m_handOffs.run(WindowHandOffs::HandOff::BatchDataChoice);
    if ((Use_Data_Sheet_Values || Use_Excel_Binding_Values) && Total_Batch_Excel_Card == 0) {
        Show_MessageBox(QStringLiteral("List is empty."));
        return;
    }
    Print_method();
}

void SKTWindowController::Print_method()
{
    const QStringList printers = m_printerLister ? m_printerLister() : PrinterCatalog::system().printerNames();
    if (printers.isEmpty()) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return;
    }
    m_handOffs.run(WindowHandOffs::HandOff::Print);
}

void SKTWindowController::Help_Button()
{
    m_handOffs.run(WindowHandOffs::HandOff::Help);
}

void SKTWindowController::About_Button()
{
    QMessageBox box(m_window.get());
    box.setWindowTitle(tr("About %1").arg(App_Name));
    box.setIconPixmap(CommandIcons::toolbarIcon(CommandIcons::Toolbar::About).pixmap(48, 48));
    box.setText(QStringLiteral("%1\nVersion %2").arg(App_Name, QStringLiteral(BRIGHTFOLD_VERSION)));
    box.setInformativeText(tr("Designs and prints invitation cards, name badges and ID cards."));
    box.setStandardButtons(QMessageBox::Ok);
    // wide enough for its title and the line of what the program does
    if (auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        text->setMinimumWidth(320);
    box.exec();
}

void SKTWindowController::Batch_Series_Button()
{
    m_handOffs.run(WindowHandOffs::HandOff::BatchSeries);
}

void SKTWindowController::Import_Wizard_Button()
{
    m_handOffs.run(WindowHandOffs::HandOff::ImportWizard);
}

void SKTWindowController::Create_Series_Button()
{
    m_handOffs.run(WindowHandOffs::HandOff::CreateSeries);
}

void SKTWindowController::Exit_Btn_Clicked()
{
    Exit_App();
}
