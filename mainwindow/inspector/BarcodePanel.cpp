#include "mainwindow/inspector/BarcodePanel.h"

#include "app/MessageBoxes.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/Globals.h"
#include "canvas/CanvasController.h"
#include "canvas/SKTGraphicView.h"
#include "mainwindow/DrawWindow.h"
#include "mainwindow/inspector/BarcodeDesignStep.h"
#include "mainwindow/inspector/BarcodePanelHost.h"
#include "mainwindow/inspector/BarcodePanelRules.h"
#include "mainwindow/inspector/PanelUpdateFrame.h"
#include "ui_DrawWindow.h"

#include <QPushButton>
#include <algorithm>
#include <exception>

BarcodePanel::BarcodePanel(BarcodePanelHost& host) : m_host(host)
{
    Ui::DrawWindow& ui = host.window()->ui();
    QVBoxLayout* layout = ui.barcode_tab_layout;
    m_settings = new QPushButton(tr("Barcode settings..."), ui.barcode_tab);
    m_settings->setObjectName(QStringLiteral("View_barcode_prop_Button"));
    layout->insertWidget(layout->count() - 1, m_settings);
    connect(m_settings, &QPushButton::clicked, this, [this] { m_host.View_barcode_prop_Button(); });
}

bool BarcodePanel::showsKind(const SKTGraphic& graphic) const
{
    return isBarcode(graphic);
}

void BarcodePanel::load(const SKTGraphic& graphic)
{
    (void)graphic;
}

void BarcodePanel::Open_Barcode_Window()
{
    SKTGraphicView* view = m_host.commandCanvas();
    const GraphicPtr edited = view ? view->controller()._Selected_Graphic : GraphicPtr();
    if (!m_designer || !edited)
        return;
    // The designer's result goes to the selection. An object opened by a
    // double click that ended no selection (the press right after a
    // placement) is selected first, so that it takes its own design back.
    const GraphicList graphics = view->controller().graphics();
    const int at = int(std::find(graphics.begin(), graphics.end(), edited) - graphics.begin());
    if (at < graphics.size() && !view->controller().selectionIndexes().contains(at)) {
        view->controller().changeSelectionIndexes(IndexSet(at));
        view->controller()._Selected_Graphic = edited;
    }
    // What OK changes is one undo step: the edited object and every
    // selected barcode that takes its settings.
    GraphicList changed = m_host.graphicsToUpdate();
    changed.removeIf([](const GraphicPtr& graphic) { return !graphic || !isBarcode(*graphic); });
    if (!changed.contains(edited))
        changed.append(edited);
    const BarcodeDesignStep step(changed);
    try {
        const GraphicPtr result = m_designer(edited);
        // The canvas's current object is not asked again: a redraw while
        // the designer ran may have made another selected object current.
        if (result && !Barcode_output_image.isNull())
            Update_Barcode_Graphics(result, edited);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    step.registerUndo(m_host.document());
}

void BarcodePanel::Update_Barcode_Graphics(const GraphicPtr& source, GraphicPtr edited)
{
    if (!source)
        return;
    int printObject = 0;
    DataSourceLists sources;
    const auto read = [&] {
        SKTGraphicView* view = m_host.commandCanvas();
        if (!edited)
            edited = view ? view->controller()._Selected_Graphic : GraphicPtr();
        printObject = m_host.printObjectState();
        sources = m_host.barcodeDataSources();
    };
    const auto write = [&](SKTGraphic& graphic, bool) {
        graphic.print_object = printObject;
        BarcodePanelRules::copyDesignerFields(*source, graphic);
        // What the card shows is what prints: output draws each barcode
        // from its own settings, so each one shows the picture they make.
        // A bound barcode whose source is gone shows nothing, also the
        // edited one, whose designer showed its typed value meanwhile.
        const QString value = BarcodePanelRules::shownValue(graphic, sources);
        if (&graphic == edited.get() && !(BarcodePanelRules::isBound(graphic) && value.isEmpty()))
            graphic.Set_Designed_Barcode_image(Barcode_output_image);
        else
            graphic.Set_Designed_Barcode_image(BarcodeProducer::pictureForObject(graphic, value));
    };
    PanelUpdateFrame::run(m_host, read, write, &BarcodePanel::isBarcode);
}

bool BarcodePanel::isBarcode(const SKTGraphic& graphic)
{
    return graphic.kind() == SKTGraphic::Kind::Barcode;
}
