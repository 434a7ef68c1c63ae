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

// ---- menus, the current tool and the grid ----

void SKTWindowController::setUpMenusAndTools()
{
    Ui::DrawWindow& ui = m_window->ui();

    m_menuBar = new MainMenuBar(*this, *m_window);
    // The keys of the edit commands are the menu's.
    m_undoAction = m_menuBar->action(CanvasCommand::Undo);
    m_redoAction = m_menuBar->action(CanvasCommand::Redo);
    m_cutAction = m_menuBar->action(CanvasCommand::Cut);
    m_copyAction = m_menuBar->action(CanvasCommand::Copy);
    m_pasteAction = m_menuBar->action(CanvasCommand::Paste);

    // The palette shows the current tool, one button at a time, and so do
    // the Tools items.
    QToolButton* const tools[ToolTable::toolCount] = {
        ui.Arrow_Tool_btn,         ui.Line_Tool_btn,          ui.Text_Tool_btn,        ui.Rect_Tool_btn,
        ui.Circle_Tool_btn,        ui.Round_Rect_Tool_btn,    ui.Triangle_Tool_btn,    ui.Diamond_Tool_btn,
        ui.Image_Tool_btn,         ui.Image_Library_Tool_btn, ui.Barcode_Tool_btn,     ui.Signature_Tool_btn,
        ui.Fingure_Print_Tool_btn, ui.Star_Tool_btn,          ui.Double_Star_Tool_btn, ui.Polygon_Tool_btn,
    };
    m_toolButtons = new QButtonGroup(m_window.get());
    m_toolButtons->setExclusive(true);
    for (int tool = 0; tool < ToolTable::toolCount; ++tool) {
        tools[tool]->setCheckable(true);
        m_toolButtons->addButton(tools[tool], tool);
        if (QAction* item = m_menuBar->toolAction(tool))
            item->setEnabled(tools[tool]->isEnabled());
    }
    connect(this, &SKTWindowController::selectedToolChanged, this, &SKTWindowController::showSelectedTool);
    showSelectedTool();

    // A press on a canvas with a drawing tool draws out a new object.
    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        view->installEventFilter(this);

    // The keyboard stays with the canvas: the window's buttons take no
    // focus, so that Delete and the arrow keys still reach the canvas after a
    // click on one. The inspector's controls keep theirs.
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
        if (!ui.sett_tab->isAncestorOf(button))
            button->setFocusPolicy(Qt::NoFocus);
    }

    // The items follow the selection, the side and the undo history (the
    // last through Undo_Redo_Button_state).
    for (SideSelection* selection : {_graphicsController, _graphicsController_back})
        connect(selection, &SideSelection::selectionIndexesDidChange, this,
                &SKTWindowController::scheduleMenuValidation);
    connect(ui.myTargetView, &QStackedWidget::currentChanged, this, [this] {
        // (not while the window is going away)
        if (m_window)
            Undo_Redo_Button_state();
    });

    // the start wizard, made once
    new Invitation_Wizard(this, m_window.get());

    // the grid settings window, made once
    auto* gridWindow = new Grid_Wizard(m_window.get());
    connect(gridWindow->Grid_clr, &ColorWell::colourChosen, this, &SKTWindowController::Grid_Clr_Changed);
    connect(gridWindow->Grid_Space_slidr, &QSlider::valueChanged, this, &SKTWindowController::Grid_Slider_Changed);
    connect(gridWindow->Show_hide_grid_chk, &QCheckBox::clicked, this, &SKTWindowController::Grid_Show_Hide_Changed);
}

MainMenuBar* SKTWindowController::mainMenuBar() const
{
    return m_menuBar;
}

void SKTWindowController::showSelectedTool()
{
    if (QAbstractButton* button = m_toolButtons ? m_toolButtons->button(Selected_Control_Tool) : nullptr)
        button->setChecked(true);
    if (m_menuBar)
        m_menuBar->showSelectedTool();
}

bool SKTWindowController::showsObjectJustMade(SKTGraphic*& graphic)
{
    if (m_showingToolResult)
        return true;
    // The end of a press that drew out an object: the object made is the
    // one selected.
    const QPointer<SKTGraphicView> view = m_creatingCanvas;
    m_creatingCanvas.clear();
    if (!view)
        return false;
    const GraphicList made = view->controller().selectedGraphics();
    if (made.isEmpty())
        return false;
    if (!graphic)
        graphic = made.first().get();
    return true;
}

bool SKTWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (auto* view = qobject_cast<SKTGraphicView*>(watched))
            m_creatingCanvas = currentGraphicClass().isEmpty() ? nullptr : view;
    }
    return QObject::eventFilter(watched, event);
}

void SKTWindowController::selectTool(int tool)
{
    Selected_Control_Tool = tool;
    Select_tool_action();
}

bool SKTWindowController::frontSideShown() const
{
    return Card_Front_Or_Back == 0 && m_window->ui().myTargetView->currentIndex() == 0;
}

MenuItemState SKTWindowController::menuItemState(CanvasCommand command)
{
    SKTGraphicView* view = currentSideCanvas();
    if (!view)
        return {false, QString()};
    // Asking the undo history announces a checkpoint; that one needs no new
    // update.
    const bool updating = m_updatingUndoButtons;
    m_updatingUndoButtons = true;
    MenuItemState state = view->controller().validateMenuItem(command);
    m_updatingUndoButtons = updating;
    if ((command == CanvasCommand::Undo || command == CanvasCommand::Redo) && !frontSideShown())
        state.enabled = false;
    return state;
}

void SKTWindowController::validateMenus()
{
    if (!m_menuBar)
        return;
    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) {
        if (view && view->controller().isTrackingMouse())
            return;
    }
    m_menuBar->validate();
}

void SKTWindowController::scheduleMenuValidation()
{
    if (m_menuValidationPending)
        return;
    m_menuValidationPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_menuValidationPending = false;
            validateMenus();
        },
        Qt::QueuedConnection);
}

void SKTWindowController::toggleGridConstraining()
{
    _grid->setConstraining(!_grid->isConstraining());
    validateMenus();
}

void SKTWindowController::toggleGridShowing()
{
    Grid_Wizard* window = Grid_Wizard::defaultInstance();
    if (!window)
        return;
    {
        const QSignalBlocker colour(window->Grid_clr), spacing(window->Grid_Space_slidr),
            shown(window->Show_hide_grid_chk);
        window->Grid_clr->setColour(_grid->color());
        window->Grid_Space_slidr->setValue(qRound(_grid->spacing()));
        window->Show_hide_grid_chk->setChecked(_grid->isAlwaysShown());
        window->Grid_Opt_box->setEnabled(_grid->isAlwaysShown());
    }
    window->Open_Wnd();
    validateMenus();
}

void SKTWindowController::Grid_Clr_Changed()
{
    if (Grid_Wizard* window = Grid_Wizard::defaultInstance()) {
        _grid->_color = window->Grid_clr->colour();
        _grid->setAlwaysShown(true);
    }
}

void SKTWindowController::Grid_Slider_Changed()
{
    if (Grid_Wizard* window = Grid_Wizard::defaultInstance()) {
        _grid->_spacing = window->Grid_Space_slidr->value();
        _grid->setAlwaysShown(true);
        validateMenus();
    }
}

void SKTWindowController::Grid_Show_Hide_Changed()
{
    if (Grid_Wizard* window = Grid_Wizard::defaultInstance()) {
        const bool shown = window->Show_hide_grid_chk->isChecked();
        _grid->setAlwaysShown(shown);
        window->Grid_Opt_box->setEnabled(shown);
    }
}

void SKTWindowController::Show_Hide_Ruler_ChkBox()
{
    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) {
        if (view)
            view->controller().showOrHideRulers();
    }
    validateMenus();
}
