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

// ---- card size ----

QSizeF SKTWindowController::Get_My_card_Size(const QString& category, const QString& preset, int list_index) const
{
    return CardSizePresets::Get_My_card_Size(category, preset, list_index);
}

void SKTWindowController::Set_Card_Size_In_Control(const QSizeF& millimetres)
{
    Ui::DrawWindow& ui = m_window->ui();
    const QSignalBlocker width(ui.width_Stepper);
    const QSignalBlocker height(ui.height_Stepper);
    ui.width_Stepper->setValue(static_cast<float>(millimetres.width()));
    ui.height_Stepper->setValue(static_cast<float>(millimetres.height()));
}

void SKTWindowController::Set_Document_Size(const QSizeF& points)
{
    if (m_document)
        m_document->canvasSize(false, points);
}

void SKTWindowController::SetDocumentCanvasSize(const QSizeF& points)
{
    {
        QMutexLocker lock(&m_cardMutex);
        m_cardBounds = QRectF(QPointF(0, 0), points);
    }
    for (SKTGraphicView* view : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) {
        if (view)
            view->setFrameSize(points);
    }
    Refresh_Canvas();
}

void SKTWindowController::Apply_Size_Clicked()
{
    Ui::DrawWindow& ui = m_window->ui();
    const QSizeF size(MM_to_Points_Convert(static_cast<float>(ui.width_Stepper->value())),
                      MM_to_Points_Convert(static_cast<float>(ui.height_Stepper->value())));
    Set_Document_Size(size);
    SetDocumentCanvasSize(size);
    Update_All_Card_Content();
}

// ---- preset list ----

void SKTWindowController::Create_List(const QString& text)
{
    m_presetList->Create_List(text);
}

QString SKTWindowController::Get_Item_Text(int row) const
{
    return m_presetList->Get_Item_Text(row);
}

void SKTWindowController::Mark_List_New_Selection(int row)
{
    QItemSelectionModel* selection = m_window->ui().ColList->selectionModel();
    if (!selection)
        return;
    const QSignalBlocker blocker(selection);
    selection->clearSelection();
    if (row >= 0 && row < m_presetList->rowCount()) {
        selection->select(m_presetList->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        selection->setCurrentIndex(m_presetList->index(row, 0), QItemSelectionModel::NoUpdate);
    }
    m_window->ui().ColList->viewport()->update();
}

void SKTWindowController::refillPresetList()
{
    m_presetList->clear();
    const QStringList names = m_window->ui().Category_ComboBox->currentIndex() == 0 ? pvc_card_arry : paper_card_arry;
    for (const QString& name : names)
        Create_List(name);
    Mark_List_New_Selection(0);
}

// ---- card panel actions ----

void SKTWindowController::Card_Prop_Clicked()
{
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Card_Width_Changed()
{
    Apply_Size_Clicked();
}

void SKTWindowController::Card_Height_Changed()
{
    Apply_Size_Clicked();
}

void SKTWindowController::card_shape_CellClick()
{
    Ui::DrawWindow& ui = m_window->ui();
    setCardShape(ui.card_shape_rounded->isChecked() ? 1 : ui.card_shape_oval->isChecked() ? 2 : 0);
    Apply_Size_Clicked();
    Refresh_Canvas();
}

void SKTWindowController::showCardShape()
{
    Ui::DrawWindow& ui = m_window->ui();
    QRadioButton* rows[] = {ui.card_shape_rect, ui.card_shape_rounded, ui.card_shape_oval};
    if (Card_Shape >= 0 && Card_Shape <= 2) {
        const QSignalBlocker blocker(rows[Card_Shape]);
        rows[Card_Shape]->setChecked(true);
    }
}

void SKTWindowController::showCardSides(const QString& sides)
{
    Ui::DrawWindow& ui = m_window->ui();
    const bool twoSided = sides != QLatin1String("1");
    setCardTwoSided(twoSided);
    {
        const QSignalBlocker blocker(ui.Sides_ComboBox);
        ui.Sides_ComboBox->setCurrentIndex(twoSided ? 0 : 1);
    }
    ui.Back_Side_btn->setEnabled(twoSided);
}

void SKTWindowController::Card_Border_ChkBox()
{
    Ui::DrawWindow& ui = m_window->ui();
    SetObjEnabled(ui.Card_Border_Box, ui.Card_border_chk->isChecked());
    Update_Card_Graphics();
}

void SKTWindowController::Card_Border_Changed()
{
    Update_Card_Graphics();
}

void SKTWindowController::Card_Gradient_Changed()
{
    Update_Card_Graphics();
}

void SKTWindowController::Card_Alpha_Changed()
{
    Update_Card_Graphics();
}

void SKTWindowController::Set_Card_Clr()
{
    Update_Card_Graphics();
}

void SKTWindowController::Card_Fill_Chk_Box()
{
    Ui::DrawWindow& ui = m_window->ui();
    SetObjEnabled(ui.Card_Fill_Box, ui.Card_fill_chk->isChecked());
    card_prop_set(cardProperty(Card_Front_Or_Back).Card_fill_style());
    Update_Card_Graphics();
}

void SKTWindowController::Card_Solid_RD_Sel()
{
    selectFillRadio(FillCode::Solid);
    applyFillControlStates(FillCode::Solid);
    Update_Card_Graphics();
}

void SKTWindowController::Card_Gradient_RD_Sel()
{
    selectFillRadio(FillCode::Gradient);
    applyFillControlStates(FillCode::Gradient);
    Update_Card_Graphics();
}

void SKTWindowController::Card_Hatch_RD_Sel()
{
    selectFillRadio(FillCode::Hatch);
    applyFillControlStates(FillCode::Hatch);
    Update_Card_Graphics();
}

void SKTWindowController::Card_Image_RD_Sel()
{
    selectFillRadio(FillCode::Picture);
    applyFillControlStates(FillCode::Picture);
    Update_Card_Graphics();
}

void SKTWindowController::Card_Image_Browse_Btn()
{
    const QString path = OpenPanel::chooseFile(m_window.get(), tr("Background picture"),
                                               PicturePath::pictureFileTypes());
    if (path.isEmpty())
        return;
    if (Card_Front_Or_Back == 1)
        set_Back_BG_Image(path);
    else
        set_Front_BG_Image(path);
    Update_Card_Graphics();
}

void SKTWindowController::Contect_Color_Clicked()
{
    setAllTextColour(m_window->ui().All_Text_clr->colour());
    Update_All_Card_Content();
}

void SKTWindowController::Content_Font_Clicked()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, All_Text_font.toQFont(), m_window.get(), tr("Text font"));
    if (!ok)
        return;
    const double size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : double(chosen.pixelSize());
    changeAllTextFont(FontSpec(chosen.family(), size, {}, chosen.weight(), chosen.style() != QFont::StyleNormal));
}

void SKTWindowController::changeAllTextFont(const FontSpec& font)
{
    try {
        setAllTextFont(font);
        m_window->ui().All_Text_font_value->setText(CardSettings::fontDescription(font));
        Update_All_Card_Content();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::set_Front_BG_Image(const QString& path)
{
    setBackgroundImage(0, path);
}

void SKTWindowController::set_Back_BG_Image(const QString& path)
{
    setBackgroundImage(1, path);
}

void SKTWindowController::setBackgroundImage(int side, const QString& path)
{
    m_window->ui().Card_Image_path->setText(path);
    if (path.isEmpty())
        return;
    Card_Property record = cardProperty(side);
    record.setCard_fill_chk(true);
    record.setCard_fill_style(FillCode::Picture);
    record.setCard_BG_Image_Path(path);
    record.setCard_BG_Image(Picture::fromFile(path));
    setCardProperty(side, record);
    Show_RHS_Properties(nullptr);
}

// ---- writing the panels ----

CardPanelState SKTWindowController::cardPanelState() const
{
    const Ui::DrawWindow& ui = m_window->ui();
    CardPanelState p;
    p.borderOn = ui.Card_border_chk->isChecked();
    p.borderColour = ui.Card_bordr_clr->colour();
    p.borderWidth = ui.Card_bor_Stepper->value();
    p.borderStyleIndex = ui.Card_border_style->currentIndex();

    p.fillOn = ui.Card_fill_chk->isChecked();
    p.solidRadio = ui.Card_solid_fill_rd->isChecked();
    p.gradientRadio = ui.Card_gradient_fill_rd->isChecked();
    p.hatchRadio = ui.Card_Style_fill_rd->isChecked();
    p.pictureRadio = ui.Card_Image_fill_rd->isChecked();
    p.fillColour = ui.Card_fill_clr->colour();
    p.gradientColour1 = ui.Card_fill_Grd_1_clr->colour();
    p.gradientColour2 = ui.Card_fill_Grd_2_clr->colour();
    p.gradientAngle = ui.Card_grad_Stepper->value();
    p.hatchStyle = ui.Card_hatch_style->currentIndex() >= 0 ? ui.Card_hatch_style->currentText() : QString("");
    p.hatchBackground = ui.Card_hatch_bk_clr->colour();
    p.imagePath = ui.Card_Image_path->text();
    p.imageLayout = ui.Card_image_layout->currentText();
    p.alphaPercent = ui.Card_alpha_Stepper->value();

    p.contentColour = ui.All_Text_clr->colour();
    p.contentFont = All_Text_font;

    p.sidesIndex = ui.Sides_ComboBox->currentIndex();
    p.cardName = ui.card_name->text();
    p.preset = ui.Preset_ComboBox->currentText();
    p.category = ui.Category_ComboBox->currentText();
    p.presetRow = -1;
    if (const QItemSelectionModel* selection = ui.ColList->selectionModel()) {
        const QModelIndexList rows = selection->selectedRows();
        if (!rows.isEmpty())
            p.presetRow = rows.first().row();
    }
    p.presetRowText = p.presetRow >= 0 ? Get_Item_Text(p.presetRow) : QString("");
    return p;
}

void SKTWindowController::Update_Card_Graphics()
{
    if (Not_Draw_Only_Prop_Change)
        return;
    const int side = Card_Front_Or_Back == 1 ? 1 : 0;
    setCardProperty(
        side,
        CardSettings::recordFromPanel(cardProperty(side), cardPanelState(), side, Card_Shape, frontCanvasBounds()));
    Refresh_Canvas();
}

void SKTWindowController::Update_All_Card_Content()
{
    const GraphicList graphics = Card_Front_Or_Back == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    const Colour colour = m_window->ui().All_Text_clr->colour();
    const bool colourChanged = colour != All_Text_clr_COPY;
    const bool fontChanged = !All_Text_font_COPY || *All_Text_font_COPY != All_Text_font;
    CardSettings::applyContent(graphics, colourChanged, colour, fontChanged, All_Text_font);
    Update_Card_Graphics();
}
