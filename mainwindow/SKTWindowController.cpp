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
#include "mainwindow/series/PleaseWaitRun.h"
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

namespace {

SKTWindowController* s_defaultInstance = nullptr;

// Indexes of the inspector pages in the layout, in the order they are kept.
enum LayoutPage {
    card_setting_tab = 0,
    card_info_tab,
    card_size_tab,
    card_bkgd_tab,
    card_brdr_tab,
    firstObjectPage,   // line_tab ... Lock_tab
};

// Sets a combo box to the item with `text`; a missing text changes nothing.
void selectItemWithText(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}


}

// ---- creation ----

SKTWindowController::SKTWindowController(SKTDocument& document, QObject* parent)
    : QObject(parent), m_document(&document)
{
    init();
    awakeFromNib();
}

SKTWindowController::~SKTWindowController()
{
    // The canvases go with the window; unbind them from the document first.
    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) {
        if (view)
            view->controller().setGrid(nullptr);
    }
    // A mail run still going ends before its window goes with the main window.
    if (m_mailWindow) {
        m_mailWindow->stopSending();
        m_mailWindow = nullptr;
    }
    m_window.reset();
    if (Main_App_wnd == this)
        Main_App_wnd = nullptr;
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
}

SKTWindowController* SKTWindowController::defaultInstance()
{
    return s_defaultInstance;
}

void SKTWindowController::init()
{
    m_window = std::make_unique<DrawWindow>();
    m_window->closeRequested = [this] { return Exit_App(); };

    Last_Selected_Graphic.reset();
    _grid = std::make_unique<SKTGrid>();
    _zoomFactor = 1.0;
    Selected_Control_Tool = 0;
    s_defaultInstance = this;
    Main_App_wnd = this;

    Text_font = FontSpec(Text_Ctrl_Font, 14);
    setAllTextFont(Text_font);
    All_Text_font_COPY.reset();

    pvc_card_arry = CardSizePresets::pvcCardNames();
    paper_card_arry = CardSizePresets::paperCardNames();

    act_path_location = Resource_Path;
    auto picture = [](const QString& name) { return Picture::fromFile(Resource_Path + QLatin1Char('/') + name); };
    banner_image = picture(QStringLiteral("banner.png"));
    promotion_pattern_image = picture(QStringLiteral("pattern_1.jpg"));

    App_Name = QCoreApplication::applicationName();

    setFront_card_Prop(Card_Property());
    setBack_card_Prop(Card_Property());
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    TEMP_user_profile.Reset_All_Values();

    m_presetList = std::make_unique<PresetListModel>();
}

void SKTWindowController::awakeFromNib()
{
    Ui::DrawWindow& ui = m_window->ui();

    // the window
    WindowBackground::apply(*m_window);
    m_window->setWindowTitle(App_Name);
    // Every window opens inside its screen's free area; this one 100 from
    // the left and resting on the bottom of that area.
    ScreenFitter::install();
    ScreenFitter::setPlacement(*m_window, [](const QRect& available, const QMargins& frame) {
        return WindowPlacement::mainWindowFrame(available, frame);
    });

    // mail settings
    data_table_content.clear();
    Get_Email_Details();

    // the resource folder (normally made by the program's entry)
    if (Resource_Path.isEmpty()) {
        QString reason;
        if (!setUpResourceFolder(&reason)) {
            Show_NSLog_Message(reason);
            Show_MessageBox(QStringLiteral("Can not access Larkspur Data file."));
            ProcessTerminator::terminate(1);
            return;
        }
    }

    // the preset list
    ui.ColList->setModel(m_presetList.get());
    ui.ColList->horizontalHeader()->setStretchLastSection(true);
    ui.ColList->verticalHeader()->hide();

    // the inspector keeps the card pages only
    while (ui.sett_tab->count() > firstObjectPage)
        ui.sett_tab->removeTab(firstObjectPage);

    // the canvases
    const QRectF frame(QPointF(0, 0), m_document ? m_document->canvasSize(true, QSizeF()) : QSizeF(243, 154));
    _graphicView = new SKTGraphicView(frame);
    _graphicView_BACK = new SKTGraphicView(frame);
    _graphicView_TEMP = new SKTGraphicView(frame);
    ui._zoomingScrollView->setWidget(_graphicView);
    ui._zoomingScrollView_BACK->setWidget(_graphicView_BACK);
    ui._zoomingScrollView_TEMP->setWidget(_graphicView_TEMP);
    for (SKTZoomingScrollView* zooming :
         {ui._zoomingScrollView, ui._zoomingScrollView_BACK, ui._zoomingScrollView_TEMP}) {
        zooming->setFactor(_zoomFactor);
        connect(zooming, &SKTZoomingScrollView::factorChanged, this, &SKTWindowController::setZoomFactor);
    }
    _graphicsController = new SideSelection(this);
    _graphicsController_back = new SideSelection(this);
    _graphicsController_TEMP = new SideSelection(this);

    connectCardPanels();

    // the panels' starting items, quietly
    {
        QuietUpdate quiet;
        ui.Card_image_layout->setCurrentIndex(1);
        ui.Sides_ComboBox->setCurrentIndex(0);
        comboBoxSelectionDidChange(ui.Sides_ComboBox);
        ui.Preset_ComboBox->setCurrentIndex(0);
        ui.Category_ComboBox->setCurrentIndex(0);
        comboBoxSelectionDidChange(ui.Category_ComboBox);
        {
            const QSignalBlocker blocker(ui.Card_bor_Stepper);
            ui.Card_bor_Stepper->setValue(3);
        }
        ui.Card_border_style->setCurrentIndex(0);
        card_prop_set(FillCode::Solid);
        // Hidden files are no patterns.
        QStringList patterns;
        for (const QString& name : Get_Files_Array_At_Path(Resource_Path + QStringLiteral("/Fill_Style_Image"))) {
            if (!name.startsWith(QLatin1Char('.')))
                patterns << name;
        }
        ui.Card_hatch_style->addItems(patterns);
        if (!patterns.isEmpty())
            ui.Card_hatch_style->setCurrentIndex(0);
    }

    // the canvas size, shown in the size fields too
    SetDocumentCanvasSize(frame.size());
    Set_Card_Size_In_Control(QSizeF(Points_to_MM_Convert(float(frame.width())),
                                    Points_to_MM_Convert(float(frame.height()))));

    // bindings
    bindCanvases();
    connectToolPalette();
    connectCommandButtons();
    setUpMenusAndTools();
    setUpSmallDialogs();
    setUpTemplateWindows();
    createTextPanels();
    createInspectorPages();
    createPictureSignatureBarcodeAndSourcePanels();
    createShapeAndLinePanels();
    setUpSpreadsheetImports();
    createSeriesWindows();
    createPrintWindow();
    connectDataSourceLists();
    createExportWindow();
    createMailSettingsWindow();
    createMailWindow();
    createPictureLibrary();
    createProfileCommands();
    createHelpWindows();
    createProfileDialogs();
    // The rulers start shown.
    Show_Hide_Ruler_ChkBox();
    Undo_Redo_Button_state();
    Set_Paste_Button_Status();
    updateSelectionButtons();

    m_window->show();
    m_window->raise();
    m_window->activateWindow();

    // the first design starts once the event loop runs, so that the
    // start wizard's Cancel can end the program.
    QTimer::singleShot(0, this, &SKTWindowController::startFirstDesign);
}

void SKTWindowController::startFirstDesign()
{
    New_Project();
    changeViewController(0);
}

void SKTWindowController::bindCanvases()
{
    const struct {
        SKTGraphicView* view;
        SideSelection* selection;
        QString key;
    } sides[] = {
        {_graphicView, _graphicsController, SKTDocumentGraphicsKey},
        {_graphicView_BACK, _graphicsController_back, SKTDocumentGraphicsKey_back},
        {_graphicView_TEMP, _graphicsController_TEMP, SKTDocumentGraphicsKey_temp},
    };
    for (const auto& side : sides) {
        side.selection->setContent(m_document, side.key);
        side.view->controller().bind(SKTGraphicViewSelectionIndexesBindingName, side.selection,
                                     QStringLiteral("selectionIndexes"));
    }
    for (const auto& side : sides)
        side.view->controller().bind(side.key, m_document, QStringLiteral("%1.%2").arg("document", side.key));
    for (const auto& side : sides)
        side.view->controller().setGrid(_grid.get());
}

void SKTWindowController::connectCardPanels()
{
    Ui::DrawWindow& ui = m_window->ui();

    connect(ui.Front_Side_btn, &QPushButton::clicked, this, &SKTWindowController::Front_Card_Btn_Clicked);
    connect(ui.Back_Side_btn, &QPushButton::clicked, this, &SKTWindowController::Back_Card_Btn_Clicked);
    connect(ui.Temp_Side_btn, &QPushButton::clicked, this, &SKTWindowController::Temp_Card_Btn_Clicked);

    // Controls set from code stay silent (their signals are blocked); these
    // are the user's changes.
    connect(ui.width_Stepper, &QDoubleSpinBox::valueChanged, this, &SKTWindowController::Card_Width_Changed);
    connect(ui.height_Stepper, &QDoubleSpinBox::valueChanged, this, &SKTWindowController::Card_Height_Changed);
    connect(ui.Apply_Size_btn, &QPushButton::clicked, this, &SKTWindowController::Apply_Size_Clicked);

    auto* shapes = new QButtonGroup(m_window.get());
    shapes->addButton(ui.card_shape_rect, 0);
    shapes->addButton(ui.card_shape_rounded, 1);
    shapes->addButton(ui.card_shape_oval, 2);
    connect(shapes, &QButtonGroup::idClicked, this, &SKTWindowController::card_shape_CellClick);

    connect(ui.Card_border_chk, &QCheckBox::clicked, this, &SKTWindowController::Card_Border_ChkBox);
    connect(ui.Card_bor_Stepper, &QSpinBox::valueChanged, this, &SKTWindowController::Card_Border_Changed);
    connect(ui.Card_grad_Stepper, &QSpinBox::valueChanged, this, &SKTWindowController::Card_Gradient_Changed);
    connect(ui.Card_alpha_Stepper, &QSpinBox::valueChanged, this, &SKTWindowController::Card_Alpha_Changed);
    for (ColorWell* well : {ui.Card_bordr_clr, ui.Card_fill_clr, ui.Card_fill_Grd_1_clr, ui.Card_fill_Grd_2_clr,
                            ui.Card_hatch_bk_clr})
        connect(well, &ColorWell::colourChosen, this, &SKTWindowController::Set_Card_Clr);
    connect(ui.All_Text_clr, &ColorWell::colourChosen, this, &SKTWindowController::Contect_Color_Clicked);
    connect(ui.Content_Font_btn, &QPushButton::clicked, this, &SKTWindowController::Content_Font_Clicked);

    connect(ui.Card_fill_chk, &QCheckBox::clicked, this, &SKTWindowController::Card_Fill_Chk_Box);
    connect(ui.Card_solid_fill_rd, &QRadioButton::clicked, this, &SKTWindowController::Card_Solid_RD_Sel);
    connect(ui.Card_gradient_fill_rd, &QRadioButton::clicked, this, &SKTWindowController::Card_Gradient_RD_Sel);
    connect(ui.Card_Style_fill_rd, &QRadioButton::clicked, this, &SKTWindowController::Card_Hatch_RD_Sel);
    connect(ui.Card_Image_fill_rd, &QRadioButton::clicked, this, &SKTWindowController::Card_Image_RD_Sel);
    connect(ui.Card_Image_Browse_btn, &QPushButton::clicked, this, &SKTWindowController::Card_Image_Browse_Btn);

    for (QComboBox* combo : {ui.Card_image_layout, ui.Card_border_style, ui.Card_hatch_style, ui.Sides_ComboBox,
                             ui.Preset_ComboBox, ui.Category_ComboBox})
        connect(combo, &QComboBox::activated, this, [this, combo] { comboBoxSelectionDidChange(combo); });
}

void SKTWindowController::connectToolPalette()
{
    Ui::DrawWindow& ui = m_window->ui();
    const struct {
        QToolButton* button;
        void (SKTWindowController::*action)();
    } tools[ToolTable::toolCount] = {
        {ui.Arrow_Tool_btn, &SKTWindowController::Arrow_Tool_Clicked},
        {ui.Line_Tool_btn, &SKTWindowController::Line_Tool_Clicked},
        {ui.Text_Tool_btn, &SKTWindowController::Text_Tool_Clicked},
        {ui.Rect_Tool_btn, &SKTWindowController::Rect_Tool_Clicked},
        {ui.Circle_Tool_btn, &SKTWindowController::Circle_Tool_Clicked},
        {ui.Round_Rect_Tool_btn, &SKTWindowController::Round_Rect_Tool_Clicked},
        {ui.Triangle_Tool_btn, &SKTWindowController::Triangle_Tool_Clicked},
        {ui.Diamond_Tool_btn, &SKTWindowController::Diamond_Tool_Clicked},
        {ui.Image_Tool_btn, &SKTWindowController::Image_Tool_Clicked},
        {ui.Image_Library_Tool_btn, &SKTWindowController::Image_Library_Tool_Clicked},
        {ui.Barcode_Tool_btn, &SKTWindowController::Barcode_Tool_Clicked},
        {ui.Signature_Tool_btn, &SKTWindowController::Signature_Tool_Clicked},
        {ui.Fingure_Print_Tool_btn, &SKTWindowController::Fingure_Print_Tool_Clicked},
        {ui.Star_Tool_btn, &SKTWindowController::Star_Tool_Clicked},
        {ui.Double_Star_Tool_btn, &SKTWindowController::Double_Star_Tool_Clicked},
        {ui.Polygon_Tool_btn, &SKTWindowController::Polygon_Tool_Clicked},
    };
    for (int tool = 0; tool < ToolTable::toolCount; ++tool) {
        tools[tool].button->setIcon(ToolPaletteIcons::iconForTool(tool));
        connect(tools[tool].button, &QToolButton::clicked, this, tools[tool].action);
    }
    // The announcement of a tool change runs its work before the caller goes on.
    connect(this, &SKTWindowController::selectedToolChanged, this, &SKTWindowController::selectedToolDidChange,
            Qt::DirectConnection);

    connect(ui.Undo_btn, &QPushButton::clicked, this, &SKTWindowController::Undo_Clicked);
    connect(ui.Redo_btn, &QPushButton::clicked, this, &SKTWindowController::Redo_Clicked);
    connect(ui.Cut_btn, &QPushButton::clicked, this, &SKTWindowController::Cut_Clicked);
    connect(ui.Copy_btn, &QPushButton::clicked, this, &SKTWindowController::Copy_Clicked);
    connect(ui.Paste_btn, &QPushButton::clicked, this, &SKTWindowController::Paste_Clicked);
    connect(ui.Delete_btn, &QPushButton::clicked, this, &SKTWindowController::Delete_Clicked);

    for (SideSelection* selection : {_graphicsController, _graphicsController_back})
        connect(selection, &SideSelection::selectionIndexesDidChange, this,
                &SKTWindowController::updateSelectionButtons);
    if (m_document && m_document->undoManager())
        connect(m_document->undoManager(), &UndoManager::checkpoint, this,
                &SKTWindowController::scheduleUndoButtonUpdate);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &SKTWindowController::Set_Paste_Button_Status);
}

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

// ---- card panels of the inspector ----

void SKTWindowController::Remove_All_Tab_Items()
{
    QTabWidget* tabs = m_window->ui().sett_tab;
    while (tabs->count() > 0)
        tabs->removeTab(0);
}

void SKTWindowController::fillCardPanels(const CardPanelState& p)
{
    Ui::DrawWindow& ui = m_window->ui();
    const QList<QWidget*> controls {ui.Card_border_chk,   ui.Card_bordr_clr,      ui.Card_bor_Stepper,
                                    ui.Card_border_style, ui.Card_fill_chk,       ui.Card_fill_clr,
                                    ui.Card_fill_Grd_1_clr, ui.Card_fill_Grd_2_clr, ui.Card_hatch_bk_clr,
                                    ui.Card_grad_Stepper, ui.Card_hatch_style,    ui.Card_alpha_Stepper,
                                    ui.Card_Image_path,   ui.Card_image_layout,   ui.All_Text_clr,
                                    ui.card_name,         ui.Preset_ComboBox,     ui.Category_ComboBox};
    QList<std::shared_ptr<QSignalBlocker>> blockers;
    for (QWidget* control : controls)
        blockers.append(std::make_shared<QSignalBlocker>(control));

    ui.Card_border_chk->setChecked(p.borderOn);
    ui.Card_bordr_clr->setColour(p.borderColour);
    ui.Card_bor_Stepper->setValue(p.borderWidth);
    if (p.borderStyleIndex >= 0 && p.borderStyleIndex < ui.Card_border_style->count())
        ui.Card_border_style->setCurrentIndex(p.borderStyleIndex);
    ui.Card_fill_chk->setChecked(p.fillOn);
    ui.Card_fill_clr->setColour(p.fillColour);
    ui.Card_fill_Grd_1_clr->setColour(p.gradientColour1);
    ui.Card_fill_Grd_2_clr->setColour(p.gradientColour2);
    ui.Card_hatch_bk_clr->setColour(p.hatchBackground);
    ui.Card_grad_Stepper->setValue(int(p.gradientAngle));
    // A pattern name that is not in the list leaves no pattern chosen.
    const int hatch = p.hatchStyle.isEmpty() ? -1 : ui.Card_hatch_style->findText(p.hatchStyle);
    if (hatch != ui.Card_hatch_style->currentIndex())
        ui.Card_hatch_style->setCurrentIndex(hatch);
    ui.Card_alpha_Stepper->setValue(int(p.alphaPercent + 0.5));
    ui.Card_Image_path->setText(p.imagePath);
    selectItemWithText(ui.Card_image_layout, p.imageLayout);
    ui.All_Text_clr->setColour(p.contentColour);
    setAllTextColour(p.contentColour);
    setAllTextFont(p.contentFont);
    ui.All_Text_font_value->setText(CardSettings::fontDescription(p.contentFont));
    ui.card_name->setText(p.cardName);

    const int preset = ui.Preset_ComboBox->currentIndex();
    const int category = ui.Category_ComboBox->currentIndex();
    selectItemWithText(ui.Preset_ComboBox, p.preset);
    selectItemWithText(ui.Category_ComboBox, p.category);
    if (preset != ui.Preset_ComboBox->currentIndex() || category != ui.Category_ComboBox->currentIndex())
        refillPresetList();
    Mark_List_New_Selection(p.presetRow);
}

void SKTWindowController::loadCardPanels()
{
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    Card_Property record = cardProperty(side);
    // The record takes the card's place and size as it is loaded.
    const QRectF card = frontCanvasBounds();
    record.setCard_Location(card.topLeft());
    record.setCard_Size(card.size());
    setCardProperty(side, record);

    fillCardPanels(CardSettings::panelFromRecord(record, cardPanelState()));
    showCardShape();
    All_Text_clr_COPY = All_Text_clr;
    All_Text_font_COPY = All_Text_font;
    card_prop_set(record.Card_fill_style());
}

void SKTWindowController::selectFillRadio(const QString& fillCode)
{
    Ui::DrawWindow& ui = m_window->ui();
    CardPanelState radios;
    CardSettings::setFillRadios(radios, fillCode);
    const QSignalBlocker a(ui.Card_solid_fill_rd), b(ui.Card_gradient_fill_rd), c(ui.Card_Style_fill_rd),
        d(ui.Card_Image_fill_rd);
    // One radio of the group is on at a time: switching one on switches the
    // others off.
    if (radios.solidRadio)
        ui.Card_solid_fill_rd->setChecked(true);
    else if (radios.gradientRadio)
        ui.Card_gradient_fill_rd->setChecked(true);
    else if (radios.hatchRadio)
        ui.Card_Style_fill_rd->setChecked(true);
    else
        ui.Card_Image_fill_rd->setChecked(true);
}

void SKTWindowController::applyFillControlStates(const QString& fillCode)
{
    Ui::DrawWindow& ui = m_window->ui();
    const CardSettings::FillControls on = CardSettings::fillControlsForCode(fillCode);
    SetObjEnabled(ui.Card_fill_clr, on.solidColour);
    for (QWidget* w : {static_cast<QWidget*>(ui.Card_fill_Grd_1_clr), static_cast<QWidget*>(ui.Card_fill_Grd_2_clr),
                       static_cast<QWidget*>(ui.Card_grad_Stepper), static_cast<QWidget*>(ui.card_grad_lbl)})
        SetObjEnabled(w, on.gradient);
    SetObjEnabled(ui.Card_hatch_style, on.hatch);
    SetObjEnabled(ui.Card_hatch_bk_clr, on.hatch);
    SetObjEnabled(ui.Card_image_box, on.picture);
}

void SKTWindowController::card_prop_set(const QString& fillCode)
{
    Ui::DrawWindow& ui = m_window->ui();
    selectFillRadio(fillCode);
    SetObjEnabled(ui.Card_Border_Box, ui.Card_border_chk->isChecked());
    SetObjEnabled(ui.Card_Fill_Box, ui.Card_fill_chk->isChecked());
    applyFillControlStates(fillCode);
    ui.sett_tab->update();
}

void SKTWindowController::comboBoxSelectionDidChange(QComboBox* comboBox)
{
    Ui::DrawWindow& ui = m_window->ui();
    if (comboBox == ui.Card_image_layout || comboBox == ui.Card_border_style || comboBox == ui.Card_hatch_style) {
        Update_Card_Graphics();
    } else if (comboBox == ui.Sides_ComboBox) {
        const bool twoSided = ui.Sides_ComboBox->currentIndex() == 0;
        setCardTwoSided(twoSided);
        ui.Back_Side_btn->setEnabled(twoSided);
        // The choice belongs to the whole card: both records take it now,
        // so a save right after it writes what the user chose.
        if (!Not_Draw_Only_Prop_Change) {
            for (int side : {0, 1}) {
                Card_Property record = cardProperty(side);
                record.setCard_Side(CARD_SIDE_STR);
                setCardProperty(side, record);
            }
        }
    } else if (comboBox == ui.Preset_ComboBox) {
        if (ui.Category_ComboBox->currentIndex() >= 0)
            comboBoxSelectionDidChange(ui.Category_ComboBox);
    } else if (comboBox == ui.Category_ComboBox) {
        refillPresetList();
    }
}

// ---- the property inspector's object panels ----
// The controller keeps the panels' operations as forwards to the registered
// panel of their kind; without that panel they do nothing.

namespace {

// The registered panel of type Panel; null when there is none.
template <class Panel>
Panel* findPanel(const std::vector<std::unique_ptr<InspectorPanel>>& panels)
{
    for (const std::unique_ptr<InspectorPanel>& panel : panels) {
        if (auto* found = dynamic_cast<Panel*>(panel.get()))
            return found;
    }
    return nullptr;
}

}

void SKTWindowController::addInspectorPanel(std::unique_ptr<InspectorPanel> panel)
{
    if (panel)
        m_inspectorPanels.push_back(std::move(panel));
}

GraphicList SKTWindowController::graphicsToUpdate() const
{
    if (Not_Draw_Only_Prop_Change)
        return {};
    SKTGraphicView* view = currentSideCanvas();
    return view ? view->controller().selectedGraphics() : GraphicList();
}

void SKTWindowController::finishUpdate(const GraphicList& written)
{
    SKTGraphicView* view = currentSideCanvas();
    if (!view || written.isEmpty())
        return;
    for (const GraphicPtr& graphic : written) {
        try {
            view->controller().startEditingGraphic(graphic);
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        }
    }
    Refresh_Canvas();
}

int SKTWindowController::printObjectState() const
{
    return m_window->ui().print_object_chk->isChecked() ? 1 : 0;
}

// ---- the shared small windows ----


void SKTWindowController::setUpSmallDialogs()
{
    // made once, children of the window; installed for the batch exporters
    m_smallDialogs = new SmallDialogs(*m_window);
    send_modls_wnd = m_smallDialogs->progressSheet();
}

int SKTWindowController::Open_Export_File_Box()
{
    Open_Export_Log* box = m_smallDialogs ? m_smallDialogs->exportFinishedBox() : nullptr;
    return box ? box->Open_Export_File_Box() : 0;
}

// ---- the text object's panels ----

void SKTWindowController::createTextPanels()
{
    addInspectorPanel(std::make_unique<TextPanel>(*this));
}

TextPanel* SKTWindowController::textPanel() const
{
    return findPanel<TextPanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Text_Graphics()
{
    if (TextPanel* p = textPanel())
        p->Update_Text_Graphics();
}

void SKTWindowController::Text_Border_ChkBox()
{
    if (TextPanel* p = textPanel())
        p->Text_Border_ChkBox();
}

void SKTWindowController::Text_Fill_Chk_Box()
{
    if (TextPanel* p = textPanel())
        p->Text_Fill_Chk_Box();
}

void SKTWindowController::Text_Border_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Border_Changed();
}

void SKTWindowController::Text_Gradient_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Gradient_Changed();
}

void SKTWindowController::Text_Alpha_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Alpha_Changed();
}

void SKTWindowController::Text_Kerning_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Kerning_Changed();
}

void SKTWindowController::Set_TextControl_Clr()
{
    if (TextPanel* p = textPanel())
        p->Set_TextControl_Clr();
}

void SKTWindowController::Text_Solid_RD_Sel()
{
    if (TextPanel* p = textPanel())
        p->Text_Solid_RD_Sel();
}

void SKTWindowController::Text_Gradient_RD_Sel()
{
    if (TextPanel* p = textPanel())
        p->Text_Gradient_RD_Sel();
}

void SKTWindowController::textDidChange()
{
    if (TextPanel* p = textPanel())
        p->textDidChange();
}

void SKTWindowController::Text_Insert_Date()
{
    if (TextPanel* p = textPanel())
        p->Text_Insert_Date();
}

void SKTWindowController::Text_Insert_Time()
{
    if (TextPanel* p = textPanel())
        p->Text_Insert_Time();
}

void SKTWindowController::Text_Font_Changed()
{
    if (TextPanel* p = textPanel())
        p->Text_Font_Changed();
}

void SKTWindowController::changeTextFont(const FontSpec& font)
{
    if (TextPanel* p = textPanel())
        p->changeTextFont(font);
}

// ---- the inspector's switching and loading ----

void SKTWindowController::createInspectorPages()
{
    Ui::DrawWindow& ui = m_window->ui();

    // The lock page says why nothing can be changed and how to change it.
    auto* locked = new QLabel(tr("This object is locked: it cannot be moved, resized or changed.\n\n"
                                 "Unlock it (the Unlock button, or Unlock in the Arrange menu) to change it "
                                 "again."),
                              ui.Lock_tab);
    locked->setObjectName(QStringLiteral("Lock_tab_label"));
    locked->setWordWrap(true);
    ui.Lock_tab_layout->insertWidget(ui.Lock_tab_layout->indexOf(ui.Lock_tab_spacer), locked);

    // The arrange buttons live on the alignment page, shown with every
    // unlocked object; the menu's Arrange commands stay available besides.
    ui.palette_column->removeWidget(ui.Arrange_Box);
    ui.aligmnt_tab_layout->insertWidget(ui.aligmnt_tab_layout->indexOf(ui.aligmnt_tab_spacer), ui.Arrange_Box);
    ui.Arrange_Box->show();

    connect(ui.print_object_chk, &QCheckBox::clicked, this, &SKTWindowController::Print_object_chk_changed);
}

QWidget* SKTWindowController::inspectorPage(InspectorPage page) const
{
    const Ui::DrawWindow& ui = m_window->ui();
    switch (page) {
    case InspectorPage::card_setting_tab: return ui.card_setting_tab;
    case InspectorPage::card_bkgd_tab: return ui.card_bkgd_tab;
    case InspectorPage::card_brdr_tab: return ui.card_brdr_tab;
    case InspectorPage::text_edtng_tab: return ui.text_edtng_tab;
    case InspectorPage::text_prop_tab: return ui.text_prop_tab;
    case InspectorPage::datasource_tab: return ui.datasource_tab;
    case InspectorPage::image_tab: return ui.image_tab;
    case InspectorPage::line_tab: return ui.line_tab;
    case InspectorPage::sign_tab: return ui.sign_tab;
    case InspectorPage::barcode_tab: return ui.barcode_tab;
    case InspectorPage::shape_tab: return ui.shape_tab;
    case InspectorPage::aligmnt_tab: return ui.aligmnt_tab;
    case InspectorPage::Lock_tab: return ui.Lock_tab;
    }
    return nullptr;
}

void SKTWindowController::insertInspectorTabs(const InspectorTabSet& set)
{
    QTabWidget* tabs = m_window->ui().sett_tab;
    Remove_All_Tab_Items();
    for (int i = 0; i < set.tabs.size(); ++i)
        tabs->insertTab(i, inspectorPage(set.tabs[i].page), set.tabs[i].label);
    tabs->setCurrentIndex(0);
}

void SKTWindowController::showCardPanels()
{
    Ui::DrawWindow& ui = m_window->ui();
    const QuietUpdate quiet;
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().changeSelectionIndexes(IndexSet());
    Disable_Standard_Button_For_Card();
    Last_Selected_Graphic.reset();
    ui.print_object_chk->hide();
    insertInspectorTabs(InspectorTabs::forCard());
    loadCardPanels();
    ui.sett_tab->update();
}

void SKTWindowController::showObjectPanels(SKTGraphic& graphic)
{
    Ui::DrawWindow& ui = m_window->ui();
    Enable_Standard_Button_For_Control();
    if (graphic.ctrl_is_locked)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();

    // The same object again shows nothing new; callers that need it loaded
    // again (a lock) show the card first.
    if (const GraphicPtr last = Last_Selected_Graphic.lock(); last && last.get() == &graphic)
        return;

    Last_Selected_Graphic = graphic.weak_from_this();
    Remove_All_Tab_Items();
    ui.print_object_chk->setChecked(graphic.print_object != 0);
    ui.print_object_chk->show();
    sel_control_name = QStringLiteral("NONE");
    const InspectorTabSet set = InspectorTabs::forGraphic(graphic);
    {
        const QuietUpdate quiet;
        sel_control_name = set.selControlName;
        insertInspectorTabs(set);
        // A locked object's controls are filled as well.
        for (const std::unique_ptr<InspectorPanel>& panel : m_inspectorPanels) {
            if (panel->showsKind(graphic))
                panel->load(graphic);
        }
    }
    if (set.alignment)
        ui.sett_tab->addTab(ui.aligmnt_tab, InspectorTabs::alignmentLabel());
    ui.sett_tab->update();
}

void SKTWindowController::applyCardPanelState(const CardPanelState& state)
{
    Ui::DrawWindow& ui = m_window->ui();
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    {
        const QuietUpdate quiet;
        fillCardPanels(state);
        {
            const QSignalBlocker a(ui.Card_solid_fill_rd), b(ui.Card_gradient_fill_rd), c(ui.Card_Style_fill_rd),
                d(ui.Card_Image_fill_rd);
            // One radio of the group is on at a time.
            if (state.gradientRadio)
                ui.Card_gradient_fill_rd->setChecked(true);
            else if (state.hatchRadio)
                ui.Card_Style_fill_rd->setChecked(true);
            else if (state.pictureRadio)
                ui.Card_Image_fill_rd->setChecked(true);
            else
                ui.Card_solid_fill_rd->setChecked(true);
        }
        SetObjEnabled(ui.Card_Border_Box, state.borderOn);
        SetObjEnabled(ui.Card_Fill_Box, state.fillOn);
        applyFillControlStates(CardSettings::fillCodeForPanel(cardPanelState(), side));
        if (state.sidesIndex >= 0 && state.sidesIndex < ui.Sides_ComboBox->count()
            && state.sidesIndex != ui.Sides_ComboBox->currentIndex()) {
            ui.Sides_ComboBox->setCurrentIndex(state.sidesIndex);
            comboBoxSelectionDidChange(ui.Sides_ComboBox);
        }
    }
    Update_Card_Graphics();
}

void SKTWindowController::Print_object_chk_changed()
{
    if (SKTGraphicView* view = currentSideCanvas())
        ArrangeCommands(view->controller()).print_contol_or_not(printObjectState());
}

// ---- picture, signature, barcode and data-source panels ----

void SKTWindowController::createPictureSignatureBarcodeAndSourcePanels()
{
    auto source = std::make_unique<DataSourcePanel>(*this);
    auto picture = std::make_unique<PicturePanel>(*this, *source);
    addInspectorPanel(std::move(source));
    addInspectorPanel(std::move(picture));
    addInspectorPanel(std::make_unique<SignaturePanel>(*this));
    addInspectorPanel(std::make_unique<BarcodePanel>(*this));
}

PicturePanel* SKTWindowController::picturePanel() const
{
    return findPanel<PicturePanel>(m_inspectorPanels);
}

SignaturePanel* SKTWindowController::signaturePanel() const
{
    return findPanel<SignaturePanel>(m_inspectorPanels);
}

BarcodePanel* SKTWindowController::barcodePanel() const
{
    return findPanel<BarcodePanel>(m_inspectorPanels);
}

DataSourcePanel* SKTWindowController::dataSourcePanel() const
{
    return findPanel<DataSourcePanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Image_Graphics()
{
    if (PicturePanel* p = picturePanel())
        p->Update_Image_Graphics();
}

void SKTWindowController::Update_Sign_Graphics()
{
    if (SignaturePanel* p = signaturePanel())
        p->Update_Sign_Graphics();
}

void SKTWindowController::Update_Barcode_Graphics(const GraphicPtr& source)
{
    if (BarcodePanel* p = barcodePanel())
        p->Update_Barcode_Graphics(source);
}

void SKTWindowController::Image_Border_ChkBox()
{
    if (PicturePanel* p = picturePanel())
        p->borderCheckChanged();
}

void SKTWindowController::Sign_Border_ChkBox()
{
    if (SignaturePanel* p = signaturePanel())
        p->borderCheckChanged();
}

void SKTWindowController::Image_Border_Changed()
{
    Update_Image_Graphics();
}

void SKTWindowController::Sign_Border_Changed()
{
    Update_Sign_Graphics();
}

void SKTWindowController::Set_ImageControl_Clr()
{
    Update_Image_Graphics();
}

void SKTWindowController::Set_SignControl_Clr()
{
    Update_Sign_Graphics();
}

void SKTWindowController::Image_Gray_Scale_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_Sepia_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_Invert_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_FIV_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Image_FIH_Chked()
{
    Update_Image_Graphics();
}

void SKTWindowController::Transperncy_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(0);
}

void SKTWindowController::Rotate_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(1);
}

void SKTWindowController::Hue_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(2);
}

void SKTWindowController::Sat_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(3);
}

void SKTWindowController::Brt_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(4);
}

void SKTWindowController::Con_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(5);
}

void SKTWindowController::sharp_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(6);
}

void SKTWindowController::EV_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(7);
}

void SKTWindowController::Blr_Slider_Changed()
{
    if (PicturePanel* p = picturePanel())
        p->sliderChanged(8);
}

void SKTWindowController::Reset_Image_Editing_Controls()
{
    if (PicturePanel* p = picturePanel())
        p->Reset_Image_Editing_Controls();
}

void SKTWindowController::Image_reset_Button()
{
    if (PicturePanel* p = picturePanel())
        p->Image_reset_Button();
}

bool SKTWindowController::Browse_User_Image_Manually()
{
    PicturePanel* p = picturePanel();
    return p && p->Browse_User_Image_Manually();
}

void SKTWindowController::Manual_Image_Browse_Btn()
{
    if (PicturePanel* p = picturePanel())
        p->Manual_Image_Browse_Btn();
}

void SKTWindowController::Manual_Library_Browse_Btn()
{
    if (PicturePanel* p = picturePanel())
        p->Manual_Library_Browse_Btn();
}

int SKTWindowController::Open_Image_Library_Window(const QString& mode)
{
    PicturePanel* p = picturePanel();
    return p ? p->Open_Image_Library_Window(mode) : 0;
}

void SKTWindowController::Sign_Browse_Btn()
{
    if (SignaturePanel* p = signaturePanel())
        p->Sign_Browse_Btn();
}

void SKTWindowController::Open_Barcode_Window()
{
    if (BarcodePanel* p = barcodePanel())
        p->Open_Barcode_Window();
}

void SKTWindowController::View_barcode_prop_Button()
{
    Open_Barcode_Window();
}

void SKTWindowController::setImageLibraryWindow(std::function<int(const QString& mode, QString& chosenPath)> library)
{
    if (PicturePanel* p = picturePanel())
        p->setImageLibrary(std::move(library));
}

void SKTWindowController::setBarcodeDesigner(std::function<GraphicPtr(const GraphicPtr& edited)> designer)
{
    if (BarcodePanel* p = barcodePanel())
        p->setDesigner(std::move(designer));
}

void SKTWindowController::setDataSourceLists(const DataSourceLists& lists)
{
    if (DataSourcePanel* p = dataSourcePanel())
        p->setLists(lists);
}

// ---- the shape and line panels of the inspector ----

void SKTWindowController::createShapeAndLinePanels()
{
    addInspectorPanel(std::make_unique<ShapePanel>(*this));
    addInspectorPanel(std::make_unique<LinePanel>(*this));
}

ShapePanel* SKTWindowController::shapePanel() const
{
    return findPanel<ShapePanel>(m_inspectorPanels);
}

LinePanel* SKTWindowController::linePanel() const
{
    return findPanel<LinePanel>(m_inspectorPanels);
}

void SKTWindowController::Update_Shape_Graphics()
{
    if (ShapePanel* p = shapePanel())
        p->Update_Shape_Graphics();
}

void SKTWindowController::Shape_Border_ChkBox()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Border_ChkBox();
}

void SKTWindowController::Shape_Fill_Chk_Box()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Fill_Chk_Box();
}

void SKTWindowController::Shape_Border_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Border_Changed();
}

void SKTWindowController::Shape_Gradient_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Gradient_Changed();
}

void SKTWindowController::Shape_Alpha_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Alpha_Changed();
}

void SKTWindowController::Shape_Corner_Radius_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Corner_Radius_Changed();
}

void SKTWindowController::Double_Star_Shape_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Double_Star_Shape_Changed();
}

void SKTWindowController::Polygon_Shape_Changed()
{
    if (ShapePanel* p = shapePanel())
        p->Polygon_Shape_Changed();
}

void SKTWindowController::Set_Control_Clr()
{
    if (ShapePanel* p = shapePanel())
        p->Set_Control_Clr();
}

void SKTWindowController::Shape_Solid_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Solid_RD_Sel();
}

void SKTWindowController::Shape_Gradient_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Gradient_RD_Sel();
}

void SKTWindowController::Shape_Hatch_RD_Sel()
{
    if (ShapePanel* p = shapePanel())
        p->Shape_Hatch_RD_Sel();
}

void SKTWindowController::Update_Line_Graphics()
{
    if (LinePanel* p = linePanel())
        p->Update_Line_Graphics();
}

void SKTWindowController::Line_Alpha_Changed()
{
    if (LinePanel* p = linePanel())
        p->Line_Alpha_Changed();
}

void SKTWindowController::Line_Width_Changed()
{
    if (LinePanel* p = linePanel())
        p->Line_Width_Changed();
}

void SKTWindowController::Set_LineControl_Clr()
{
    if (LinePanel* p = linePanel())
        p->Set_LineControl_Clr();
}

// ---- picture library and the card panel's background browser ----

void SKTWindowController::createPictureLibrary()
{
    Ui::DrawWindow& ui = m_window->ui();

    m_imageLibrary = new Image_Library(m_window.get());
    setImageLibraryWindow([library = m_imageLibrary](const QString& mode, QString& chosenPath) {
        library->control_or_BG = mode;
        const int result = library->Open_Library_Window();
        if (result == 1)
            chosenPath = library->selected_image;
        return result;
    });
    ui.Image_Library_Tool_btn->setEnabled(true);
    if (QAction* item = m_menuBar ? m_menuBar->toolAction(ToolTable::LibraryPicture) : nullptr)
        item->setEnabled(true);

    // The library button beside the background's Browse button.
    auto* libraryButton = new QPushButton(tr("Library…"), ui.Card_image_box);
    libraryButton->setObjectName(QStringLiteral("Card_Image_Library_btn"));
    libraryButton->setToolTip(tr("Background from the picture library"));
    ui.card_image_grid->addWidget(libraryButton, 2, 0);
    connect(libraryButton, &QPushButton::clicked, this, &SKTWindowController::Card_Image_Library_Btn);

    // The background browser fills the free space below the card settings.
    imageBrowser = new PictureBrowser(ui.card_setting_tab);
    imageBrowser->setObjectName(QStringLiteral("imageBrowser"));
    imageBrowser->setMinimumHeight(120);
    imageBrowser->setZoomValue(0.3);   // three pictures a row in the panel
    auto* heading = new QLabel(tr("Backgrounds"), ui.card_setting_tab);
    heading->setObjectName(QStringLiteral("background_browser_lbl"));
    const int spacer = ui.card_setting_layout->indexOf(ui.card_setting_spacer);
    if (spacer >= 0)
        delete ui.card_setting_layout->takeAt(spacer);
    ui.card_setting_spacer = nullptr;
    ui.card_setting_layout->addWidget(heading);
    ui.card_setting_layout->addWidget(imageBrowser, 1);
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
            &SKTWindowController::imageBrowserSelectionDidChange);
    Load_and_fill_backgrounds();
}

void SKTWindowController::Load_and_fill_backgrounds()
{
    const QString folder = PictureFolders::backgroundFolder();
    if (!imageBrowser || !QFileInfo(folder).isDir())
        return;
    imageBrowser->pictures()->clear();
    imageBrowser->pictures()->addPicturesOfFolder(folder);
}

void SKTWindowController::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    if (imageBrowser)
        imageBrowser->pictures()->addImageWithPath(path, imageName, image_UID);
}

void SKTWindowController::imageBrowserSelectionDidChange()
{
    const QString path = imageBrowser ? imageBrowser->selectedPath() : QString();
    if (path.isEmpty())
        return;
    selected_image = path;
    set_Front_BG_Image(selected_image);
    Refresh_Canvas();
}

void SKTWindowController::Card_Image_Library_Btn()
{
    if (Open_Image_Library_Window(QStringLiteral("B")) == 1) {
        if (Card_Front_Or_Back == 1)
            set_Back_BG_Image(lib_window_sel_file);
        else
            set_Front_BG_Image(lib_window_sel_file);
    }
    Update_Card_Graphics();
}
