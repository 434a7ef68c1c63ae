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
#include "mainwindow/inspector/InspectorSelection.h"
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
    const QList<QWidget*> controls {
        ui.Card_border_chk,  ui.Card_bordr_clr,      ui.Card_bor_Stepper,    ui.Card_border_style, ui.Card_fill_chk,
        ui.Card_fill_clr,    ui.Card_fill_Grd_1_clr, ui.Card_fill_Grd_2_clr, ui.Card_hatch_bk_clr, ui.Card_grad_Stepper,
        ui.Card_hatch_style, ui.Card_alpha_Stepper,  ui.Card_Image_path,     ui.Card_image_layout, ui.All_Text_clr,
        ui.card_name,        ui.Preset_ComboBox,     ui.Category_ComboBox};
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
    case InspectorPage::card_setting_tab:
        return ui.card_setting_tab;
    case InspectorPage::card_bkgd_tab:
        return ui.card_bkgd_tab;
    case InspectorPage::card_brdr_tab:
        return ui.card_brdr_tab;
    case InspectorPage::text_edtng_tab:
        return ui.text_edtng_tab;
    case InspectorPage::text_prop_tab:
        return ui.text_prop_tab;
    case InspectorPage::datasource_tab:
        return ui.datasource_tab;
    case InspectorPage::image_tab:
        return ui.image_tab;
    case InspectorPage::line_tab:
        return ui.line_tab;
    case InspectorPage::sign_tab:
        return ui.sign_tab;
    case InspectorPage::barcode_tab:
        return ui.barcode_tab;
    case InspectorPage::shape_tab:
        return ui.shape_tab;
    case InspectorPage::aligmnt_tab:
        return ui.aligmnt_tab;
    case InspectorPage::Lock_tab:
        return ui.Lock_tab;
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
    notePanelsFilledFor({});
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
    // again (a lock) show the card first. (After a change of the selection
    // syncInspectorWithSelection fills its values again.)
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
        notePanelsFilledFor(editedSelection());
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

void SKTWindowController::reloadShownObjectPanels()
{
    const GraphicPtr shown = Last_Selected_Graphic.lock();
    if (!shown)
        return;
    // The pages stay as they are: the same object keeps its set of pages.
    const QuietUpdate quiet;
    notePanelsFilledFor(editedSelection());
    m_window->ui().print_object_chk->setChecked(shown->print_object != 0);
    for (const std::unique_ptr<InspectorPanel>& panel : m_inspectorPanels) {
        if (panel->showsKind(*shown))
            panel->load(*shown);
    }
}

GraphicList SKTWindowController::editedSelection() const
{
    SKTGraphicView* view = currentSideCanvas();
    return view ? view->controller().selectedGraphics() : GraphicList();
}

void SKTWindowController::notePanelsFilledFor(const GraphicList& selection)
{
    m_panelsFilledFor.clear();
    for (const GraphicPtr& graphic : selection)
        m_panelsFilledFor.push_back(graphic);
}

QList<const SKTGraphic*> SKTWindowController::panelsFilledFor() const
{
    QList<const SKTGraphic*> filled;
    for (const std::weak_ptr<SKTGraphic>& graphic : m_panelsFilledFor)
        filled.append(graphic.lock().get()); // one gone meanwhile is null
    return filled;
}

void SKTWindowController::scheduleInspectorSync()
{
    if (m_inspectorSyncPending)
        return;
    m_inspectorSyncPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_inspectorSyncPending = false;
            syncInspectorWithSelection();
        },
        Qt::QueuedConnection);
}

void SKTWindowController::syncInspectorWithSelection()
{
    // While the panels are filled the caller shows what it means to, and a
    // press shows its result when it ends.
    if (Not_Draw_Only_Prop_Change || !m_window)
        return;
    SKTGraphicView* view = currentSideCanvas();
    if (!view)
        return;
    for (SKTGraphicView* canvas : {_graphicView, _graphicView_BACK, _graphicView_TEMP}) {
        if (canvas && canvas->controller().isTrackingMouse())
            return;
    }
    const InspectorSelection::Answer answer = InspectorSelection::afterSelectionChange(
        Last_Selected_Graphic.lock().get(), panelsFilledFor(), editedSelection(), view->controller()._Selected_Graphic);
    try {
        switch (answer.step) {
        case InspectorSelection::Step::Keep:
            break;
        case InspectorSelection::Step::Reload:
            reloadShownObjectPanels();
            break;
        case InspectorSelection::Step::ShowObject:
            // The inspector's own buttons (a picture's file, the barcode
            // designer) act on the object it shows.
            view->controller()._Selected_Graphic = answer.object;
            showObjectPanels(*answer.object);
            break;
        case InspectorSelection::Step::ShowCard:
            showCardPanels();
            break;
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
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
