#pragma once

// A stand-in main window that records what the canvas asks of it, and a
// canvas bound to one list of its own document with a selection and a grid,
// handed the stand-in as its host.

#include "canvas/CanvasController.h"
#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"
#include "canvas/SideSelection.h"
#include "model/SKTDocument.h"
#include "model/Shape_Control.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>
#include <vector>

class CanvasMainWindow : public CanvasHost
{
public:
    CanvasMainWindow() = default;
    CanvasMainWindow(const CanvasMainWindow&) = delete;
    CanvasMainWindow& operator=(const CanvasMainWindow&) = delete;

    QPointF Control_New_Point(const QString& side) override { askedSides.append(side); return newPoint; }
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override
    {
        cardBase.append({rect, painter.clipBoundingRect()});
    }
    void Refresh_Canvas() override { ++refreshes; }
    void Show_RHS_Properties(SKTGraphic* graphic) override { shownProperties.push_back(graphic); }
    void Reset_Image_Editing_Controls() override { ++pictureControlResets; }
    void Open_Barcode_Window() override { ++barcodeWindowOpenings; }
    QString currentGraphicClass() const override { return toolClass; }
    int selectedControlTool() const override { return Selected_Control_Tool; }

    int Selected_Control_Tool = 0;
    QPointF newPoint {10, 10};
    QString toolClass;
    QStringList askedSides;
    QList<std::pair<QRectF, QRectF>> cardBase;   // rectangle, clip
    int refreshes = 0;
    int pictureControlResets = 0;
    int barcodeWindowOpenings = 0;
    std::vector<SKTGraphic*> shownProperties;
};

inline GraphicPtr rectangleAt(const QRectF& bounds)
{
    auto g = std::make_shared<Shape_Control>();
    g->_bounds = bounds;
    return g;
}

inline CanvasMouseEvent mouseAt(QPointF point, Qt::KeyboardModifiers modifiers = {}, int clickCount = 1)
{
    return CanvasMouseEvent {point, clickCount, modifiers};
}

struct BoundCanvas {
    // A canvas with no host.
    explicit BoundCanvas(const QString& key = SKTDocumentGraphicsKey) : BoundCanvas(nullptr, key) { }
    explicit BoundCanvas(CanvasHost* host, const QString& key = SKTDocumentGraphicsKey)
        : key(key), grid(host), canvas(QRectF(0, 0, 243, 154), host)
    {
        selection.setContent(&document, key);
        canvas.bind(key, &document, QStringLiteral("document.") + key);
        canvas.bind(SKTGraphicViewSelectionIndexesBindingName, &selection, QStringLiteral("selectionIndexes"));
        QObject::connect(&canvas, &CanvasController::needsDisplayInRect, [this](QRectF r) { marked.append(r); });
    }

    // Puts objects on the side, topmost first, recording no undo.
    void fill(const GraphicList& graphics)
    {
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphicsForKey(key, graphics, IndexSet::range(0, int(graphics.size())));
        document.Enable_Disable_Undo_Registraion(true);
        marked.clear();
    }
    void useGrid()   // snapping to a grid of 9
    {
        grid.setConstraining(true);
        canvas.setGrid(&grid);
    }
    GraphicList list() const { return document.graphicsForKey(key); }
    GraphicPtr at(int i) const { return list().at(i); }
    IndexSet selected() const { return selection.selectionIndexes(); }
    UndoManager& undo() { return *document.undoManager(); }

    // Press, two drag steps, release.
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {})
    {
        canvas.mouseDown(mouseAt(from, modifiers));
        canvas.mouseDragged(mouseAt((from + to) / 2));
        canvas.mouseDragged(mouseAt(to));
        canvas.mouseUp(mouseAt(to));
    }
    bool markedCovers(const QRectF& rect) const
    {
        return std::any_of(marked.begin(), marked.end(), [&](const QRectF& r) { return r.contains(rect); });
    }

    QString key;
    QList<QRectF> marked;
    SKTDocument document;
    SideSelection selection;
    SKTGrid grid;
    CanvasController canvas;
};
