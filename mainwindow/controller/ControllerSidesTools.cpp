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

// ---- sides ----

SKTGraphicView* SKTWindowController::graphicView(int side) const
{
    switch (side) {
    case 0:
        return _graphicView;
    case 1:
        return _graphicView_BACK;
    case 2:
        return _graphicView_TEMP;
    default:
        return nullptr;
    }
}

SKTGraphicView* SKTWindowController::currentSideCanvas() const
{
    return Card_Front_Or_Back == 1 ? _graphicView_BACK : _graphicView;
}

void SKTWindowController::setSideButtons(int view)
{
    Ui::DrawWindow& ui = m_window->ui();
    QPushButton* buttons[] = {ui.Front_Side_btn, ui.Back_Side_btn, ui.Temp_Side_btn};
    buttons[view]->setChecked(true);
    ui.Front_back_label->setText(view == 0       ? QStringLiteral("Front")
                                     : view == 1 ? QStringLiteral("Back")
                                                 : QStringLiteral("TEMP"));
}

void SKTWindowController::Select_front_side()
{
    setSideButtons(0);
    setCardFrontOrBack(0);
    changeViewController(0);
    updateSelectionButtons();
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Select_back_side()
{
    setSideButtons(1);
    setCardFrontOrBack(1);
    changeViewController(1);
    updateSelectionButtons();
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Select_temp_design_side()
{
    setSideButtons(2);
    changeViewController(2);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Front_Card_Btn_Clicked()
{
    Select_front_side();
}

void SKTWindowController::Back_Card_Btn_Clicked()
{
    Select_back_side();
}

void SKTWindowController::Temp_Card_Btn_Clicked()
{
    Select_temp_design_side();
    Temp_Design_Control_Assign();
}

void SKTWindowController::Temp_Design_Control_Assign()
{
    if (!m_document)
        return;
    _graphicView_TEMP->controller().delete_all_control();
    const GraphicList source = Card_Front_Or_Back == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    if (!source.isEmpty())
        m_document->insertGraphicsForKey(SKTDocumentGraphicsKey_temp, source, IndexSet::range(0, int(source.size())));
    _graphicView_TEMP->update();
}

// The side views fill the container exactly: the stacked container sizes its
// pages itself, and a view taller than the container would put the bottom of
// the canvas's scroll area (its horizontal scroll bar) out of sight.
void SKTWindowController::changeViewController(int index)
{
    if (index < 0 || index > 2)
        return;
    m_window->ui().myTargetView->setCurrentIndex(index);
}

GraphicList SKTWindowController::Get_Front_Controls_Array() const
{
    return m_document ? m_document->graphics() : GraphicList();
}

GraphicList SKTWindowController::Get_Back_Controls_Array() const
{
    return m_document ? m_document->graphics_back() : GraphicList();
}

GraphicList SKTWindowController::Get_Temp_Controls_Array() const
{
    return m_document ? m_document->graphics_temp() : GraphicList();
}

int SKTWindowController::Get_Front_Control_Count() const
{
    return int(Get_Front_Controls_Array().size());
}

int SKTWindowController::Get_Back_Control_Count() const
{
    return int(Get_Back_Controls_Array().size());
}

int SKTWindowController::Get_Temp_Control_Count() const
{
    return int(Get_Temp_Controls_Array().size());
}

// ---- the card-side records ----

Card_Property SKTWindowController::Front_card_Prop() const
{
    return cardProperty(0);
}

Card_Property SKTWindowController::Back_card_Prop() const
{
    return cardProperty(1);
}

Card_Property SKTWindowController::cardProperty(int side) const
{
    QMutexLocker lock(&m_cardMutex);
    return side == 1 ? m_Back_card_Prop : m_Front_card_Prop;
}

void SKTWindowController::setFront_card_Prop(const Card_Property& record)
{
    setCardProperty(0, record);
}

void SKTWindowController::setBack_card_Prop(const Card_Property& record)
{
    setCardProperty(1, record);
}

void SKTWindowController::setCardProperty(int side, const Card_Property& record)
{
    QMutexLocker lock(&m_cardMutex);
    (side == 1 ? m_Back_card_Prop : m_Front_card_Prop) = record;
}

SideSnapshot SKTWindowController::sideSnapshot(int side) const
{
    const bool back = side == 1;
    GraphicList graphics;
    if (m_document)
        graphics = m_document->graphicsForKey(back ? SKTDocumentGraphicsKey_back : SKTDocumentGraphicsKey);
    return SideSnapshot(graphics, cardProperty(back ? 1 : 0), Card_Shape, frontCanvasBounds(), Resource_Path);
}

// ---- call-backs ----

QPointF SKTWindowController::Control_New_Point(const QString& side)
{
    try {
        const int count = side == QLatin1String("F") ? Get_Front_Control_Count() : Get_Back_Control_Count();
        return NewObjectPlacement::next(last_ctrl_X, last_ctrl_Y, count, frontCanvasBounds().size());
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return QPointF(10, 10);
    }
}

QRectF SKTWindowController::frontCanvasBounds() const
{
    QMutexLocker lock(&m_cardMutex);
    return m_cardBounds;
}

void SKTWindowController::Card_Base_Drawing(QPainter& painter, const QRectF& rect)
{
    cardBaseDrawingForSide(painter, rect, Card_Front_Or_Back == 1 ? 1 : 0);
}

void SKTWindowController::cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side)
{
    Card_Property record;
    QRectF card;
    {
        QMutexLocker lock(&m_cardMutex);
        record = side == 1 ? m_Back_card_Prop : m_Front_card_Prop;
        card = m_cardBounds;
    }
    CardBaseDrawing::draw(painter, rect, record, Card_Shape, card, Resource_Path);
}

void SKTWindowController::Refresh_Canvas()
{
    if (Card_Value_In_Process)
        return;
    if (SKTGraphicView* view = currentSideCanvas()) {
        view->update();
        // the desk around the card follows its shape
        if (QWidget* desk = view->parentWidget())
            desk->update();
    }
}

void SKTWindowController::setZoomFactor(double factor)
{
    if (!(factor > 0.0))
        return;
    _zoomFactor = factor;
    if (!m_window)
        return;
    Ui::DrawWindow& ui = m_window->ui();
    for (SKTZoomingScrollView* zooming :
         {ui._zoomingScrollView, ui._zoomingScrollView_BACK, ui._zoomingScrollView_TEMP})
        zooming->setFactor(factor);
}

void SKTWindowController::Show_RHS_Properties(SKTGraphic* graphic)
{
    if (Not_Draw_Only_Prop_Change)
        return;
    try {
        // A tool keeps going while the inspector shows what it has just
        // made; anything else shown brings back the arrow.
        if (!showsObjectJustMade(graphic))
            selectArrowTool();
        if (graphic)
            showObjectPanels(*graphic);
        else
            showCardPanels();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

// ---- tool palette ----

void SKTWindowController::Arrow_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Arrow;
    Select_tool_action();
}

void SKTWindowController::Line_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Line;
    Select_tool_action();
}

void SKTWindowController::Text_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Text;
    Select_tool_action();
}

void SKTWindowController::Rect_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Rectangle;
    Select_tool_action();
}

void SKTWindowController::Circle_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Circle;
    Select_tool_action();
}

void SKTWindowController::Round_Rect_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::RoundedRectangle;
    Select_tool_action();
}

void SKTWindowController::Triangle_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Triangle;
    Select_tool_action();
}

void SKTWindowController::Diamond_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Diamond;
    Select_tool_action();
}

void SKTWindowController::Image_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Picture;
    Select_tool_action();
}

void SKTWindowController::Image_Library_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::LibraryPicture;
    Select_tool_action();
}

void SKTWindowController::Barcode_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Barcode;
    Select_tool_action();
}

void SKTWindowController::Signature_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Signature;
    Select_tool_action();
}

void SKTWindowController::Fingure_Print_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Fingerprint;
    Select_tool_action();
}

void SKTWindowController::Star_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Star;
    Select_tool_action();
}

void SKTWindowController::Double_Star_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::DoubleStar;
    Select_tool_action();
}

void SKTWindowController::Polygon_Tool_Clicked()
{
    Selected_Control_Tool = ToolTable::Polygon;
    Select_tool_action();
}

void SKTWindowController::Select_tool_action()
{
    emit selectedToolChanged();
    Refresh_Canvas();
    SKTGraphicView* view = currentSideCanvas();
    m_showingToolResult = true;
    Show_RHS_Properties(view ? view->controller()._Selected_Graphic.get() : nullptr);
    m_showingToolResult = false;
}

void SKTWindowController::selectArrowTool()
{
    Selected_Control_Tool = ToolTable::Arrow;
    emit selectedToolChanged();
}

QString SKTWindowController::currentGraphicClass() const
{
    return ToolTable::graphicClassForTool(Selected_Control_Tool);
}

void SKTWindowController::selectedToolDidChange()
{
    const QString graphicClass = currentGraphicClass();
    SKTGraphicView* view = currentSideCanvas();
    if (graphicClass.isEmpty() || !view)
        return;
    const int tool = Selected_Control_Tool;
    if (tool == ToolTable::Picture) {
        if (!Browse_User_Image_Manually())
            return;
    } else if (tool == ToolTable::LibraryPicture) {
        // Nothing is made unless the library answers with a chosen picture.
        if (Open_Image_Library_Window(QStringLiteral("C")) != 1)
            return;
        setLibrarySelectedImage(lib_window_sel_file);
        Show_NSLog_Message(lib_window_sel_file);
    }
    const QRectF rect(QPointF(0, 0), ToolTable::clickSizeForTool(tool));
    const QString side = Card_Front_Or_Back == 1 ? QStringLiteral("B") : QStringLiteral("F");
    try {
        view->controller().createGraphicOfClass(graphicClass, nullptr, true, rect, side, QString(""), QString(""));
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    Undo_Redo_Button_state();
}

// ---- edit commands ----

void SKTWindowController::Undo_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().undo();
}

void SKTWindowController::Redo_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().redo();
}

void SKTWindowController::Cut_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().cut();
}

void SKTWindowController::Copy_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().copy();
}

void SKTWindowController::Paste_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().paste();
}

void SKTWindowController::Delete_Clicked()
{
    if (SKTGraphicView* view = currentSideCanvas())
        view->controller().delete_();
}

void SKTWindowController::Undo_Redo_Button_state()
{
    UndoManager* um = m_document ? m_document->undoManager() : nullptr;
    // Asking the manager announces a checkpoint; that one needs no new update.
    // Only the front side records undo: while another side is edited or
    // shown, an undo would change objects that are not in view.
    const bool shown = frontSideShown();
    m_updatingUndoButtons = true;
    const bool canUndo = shown && um && um->canUndo();
    const bool canRedo = shown && um && um->canRedo();
    m_updatingUndoButtons = false;
    Ui::DrawWindow& ui = m_window->ui();
    ui.Undo_btn->setEnabled(canUndo);
    ui.Redo_btn->setEnabled(canRedo);
    if (m_undoAction)
        m_undoAction->setEnabled(canUndo);
    if (m_redoAction)
        m_redoAction->setEnabled(canRedo);
    validateMenus();
}

void SKTWindowController::scheduleUndoButtonUpdate()
{
    if (m_updatingUndoButtons || m_undoButtonUpdatePending)
        return;
    m_undoButtonUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_undoButtonUpdatePending = false;
            Undo_Redo_Button_state();
        },
        Qt::QueuedConnection);
}

void SKTWindowController::Set_Paste_Button_Status()
{
    // The button, the menu item and its key agree: each is enabled exactly
    // when a paste on the side being edited would make something.
    SKTGraphicView* view = currentSideCanvas();
    const bool canPaste = view && view->controller().canPaste();
    m_window->ui().Paste_btn->setEnabled(canPaste);
    if (m_pasteAction)
        m_pasteAction->setEnabled(canPaste);
}

void SKTWindowController::updateSelectionButtons()
{
    SKTGraphicView* view = currentSideCanvas();
    if (!view || view->controller().selectionIndexes().isEmpty())
        Disable_Standard_Button_For_Card();
    else if (view->controller().There_Is_Any_Lock_Contrl())
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Control();
}

void SKTWindowController::Get_Email_Details()
{
    const std::unique_ptr<Preferences> prefs = Preferences::sharedInstance();
    setSenderAccount(
        prefs->send_email_SenderEmail().value_or(QString()), prefs->send_email_Password().value_or(QString()),
        prefs->send_email_SMTP_server().value_or(QString()), prefs->send_email_PORT_num().value_or(QString()),
        prefs->send_email_enable_ssl().value_or(QString()));
}
