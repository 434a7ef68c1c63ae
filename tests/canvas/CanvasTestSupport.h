#pragma once

// A stand-in main window that records what the canvas asks of it, card
// objects that record how they are drawn, and a canvas bound to one side of a
// document with its own selection.

#include "canvas/CanvasController.h"
#include "canvas/SKTGrid.h"
#include "canvas/SideSelection.h"
#include "mainwindow/Globals.h"
#include "mainwindow/MainWindowHooks.h"
#include "model/SKTDocument.h"
#include "model/Shape_Control.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <memory>
#include <vector>

class CanvasMainWindow : public MainWindowHooks
{
public:
    CanvasMainWindow() : m_previous(Main_App_wnd) { Main_App_wnd = this; }
    ~CanvasMainWindow() override { Main_App_wnd = m_previous; }
    CanvasMainWindow(const CanvasMainWindow&) = delete;
    CanvasMainWindow& operator=(const CanvasMainWindow&) = delete;

    QPointF Control_New_Point(const QString& side) override
    {
        askedSides.append(side);
        return newPoint;
    }
    QRectF frontCanvasBounds() const override { return {0, 0, 243, 154}; }
    void Card_Base_Drawing(QPainter& painter, const QRectF& rect) override
    {
        cardBaseRects.append(rect);
        cardBaseClips.append(painter.clipBoundingRect());
    }
    void Refresh_Canvas() override { ++refreshes; }
    void Show_RHS_Properties(SKTGraphic* graphic) override { shownProperties.push_back(graphic); }
    void Reset_Image_Editing_Controls() override { ++pictureControlResets; }
    void Open_Barcode_Window() override { ++barcodeWindowOpenings; }
    QString currentGraphicClass() const override { return toolClass; }
    void setSameSizeButtonsEnabled(bool enabled) override { sameSizeButtonsEnabled = enabled; }

    QPointF newPoint {10, 10};
    QString toolClass;
    QStringList askedSides;
    QList<QRectF> cardBaseRects;
    QList<QRectF> cardBaseClips;
    int refreshes = 0;
    int pictureControlResets = 0;
    int barcodeWindowOpenings = 0;
    bool sameSizeButtonsEnabled = false;
    std::vector<SKTGraphic*> shownProperties;

private:
    MainWindowHooks* m_previous;
};

// Writes what drawing does to it into a shared log: "draw <name>" with "*"
// when drawn as being created or edited, "handles <name>" with " locked".
class RecordingGraphic : public SKTGraphic
{
public:
    RecordingGraphic(QString name, QStringList* log) : m_name(std::move(name)), m_log(log) {}

    void drawContentsInView(QPainter&, bool isBeingCreateOrEdited) override
    {
        m_log->append(QStringLiteral("draw ") + m_name + (isBeingCreateOrEdited ? QStringLiteral("*") : QString()));
    }
    void drawHandlesInView(QPainter&, bool lock_hai) const override
    {
        m_log->append(QStringLiteral("handles ") + m_name + (lock_hai ? QStringLiteral(" locked") : QString()));
    }

private:
    QString m_name;
    QStringList* m_log;
};

inline GraphicPtr rectangleAt(const QRectF& bounds)
{
    auto g = std::make_shared<Shape_Control>();
    g->_bounds = bounds;
    return g;
}

inline CanvasMouseEvent mouseAt(double x, double y, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                                int clickCount = 1)
{
    CanvasMouseEvent event;
    event.point = QPointF(x, y);
    event.modifiers = modifiers;
    event.clickCount = clickCount;
    return event;
}

// A canvas bound to the list `key` of its own document, with a selection
// that follows that list, and a record of the areas it asks to redraw.
struct BoundCanvas {
    explicit BoundCanvas(const QString& key = SKTDocumentGraphicsKey)
        : key(key)
        , canvas(QRectF(0, 0, 243, 154))
    {
        selection.setContent(&document, key);
        canvas.bind(key, &document, QStringLiteral("document.") + key);
        canvas.bind(SKTGraphicViewSelectionIndexesBindingName, &selection, QStringLiteral("selectionIndexes"));
        QObject::connect(&canvas, &CanvasController::needsDisplayInRect,
                         [this](const QRectF& rect) { marked.append(rect); });
    }

    // Puts objects on the side, topmost first, recording no undo.
    void fill(const GraphicList& graphics)
    {
        document.Enable_Disable_Undo_Registraion(false);
        document.insertGraphicsForKey(key, graphics, IndexSet::range(0, int(graphics.size())));
        document.Enable_Disable_Undo_Registraion(true);
        marked.clear();
    }

    // Snapping on, grid of spacing 9.
    void useGrid()
    {
        grid.setConstraining(true);
        canvas.setGrid(&grid);
    }

    GraphicList list() const { return document.graphicsForKey(key); }
    UndoManager& undo() { return *document.undoManager(); }

    void press(double x, double y, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        canvas.mouseDown(mouseAt(x, y, modifiers));
    }
    void dragTo(double x, double y) { canvas.mouseDragged(mouseAt(x, y)); }
    void release(double x, double y) { canvas.mouseUp(mouseAt(x, y)); }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(from.x(), from.y(), modifiers);
        dragTo((from.x() + to.x()) / 2, (from.y() + to.y()) / 2);
        dragTo(to.x(), to.y());
        release(to.x(), to.y());
    }

    // True when some recorded area covers `rect`.
    bool markedCovers(const QRectF& rect) const
    {
        for (const QRectF& r : marked) {
            if (r.contains(rect))
                return true;
        }
        return false;
    }

    QString key;
    QList<QRectF> marked;
    SKTDocument document;
    SideSelection selection;
    SKTGrid grid;
    CanvasController canvas;
};

// Lets queued calls (the end of an event's undo group, deferred notices) run.
inline void runPostedEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
