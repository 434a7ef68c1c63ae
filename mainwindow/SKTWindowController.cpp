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

}

// ---- creation ----

SKTWindowController::SKTWindowController(SKTDocument& document, QObject* parent) : QObject(parent)
{
    m_document = &document;
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
    if (s_defaultInstance == this)
        s_defaultInstance = nullptr;
    if (Barcode_Gen::host() == this)
        Barcode_Gen::setHost(nullptr);
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
    _grid = std::make_unique<SKTGrid>(this);
    _zoomFactor = 1.0;
    Selected_Control_Tool = 0;
    s_defaultInstance = this;
    Barcode_Gen::setHost(this);

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
    _graphicView = new SKTGraphicView(frame, this);
    _graphicView_BACK = new SKTGraphicView(frame, this);
    _graphicView_TEMP = new SKTGraphicView(frame, this);
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

    for (SideSelection* selection : {_graphicsController, _graphicsController_back}) {
        connect(selection, &SideSelection::selectionIndexesDidChange, this,
                &SKTWindowController::updateSelectionButtons);
        connect(selection, &SideSelection::selectionIndexesDidChange, this,
                &SKTWindowController::scheduleInspectorSync);
    }
    if (m_document && m_document->undoManager())
        connect(m_document->undoManager(), &UndoManager::checkpoint, this,
                &SKTWindowController::scheduleUndoButtonUpdate);
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &SKTWindowController::Set_Paste_Button_Status);
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
