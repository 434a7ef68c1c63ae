#include "canvas/ArrangeCommands.h"

#include "canvas/CanvasController.h"
#include "canvas/CanvasHost.h"
#include "canvas/SKTGrid.h"
#include "platform/UndoManager.h"

namespace {

// Opens an undo group for the length of one command, so that all its changes
// undo as one step.
class UndoGroup
{
public:
    explicit UndoGroup(UndoManager* undoManager) : m_undoManager(undoManager)
    {
        if (m_undoManager)
            m_undoManager->beginUndoGrouping();
    }
    ~UndoGroup()
    {
        if (m_undoManager)
            m_undoManager->endUndoGrouping();
    }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    UndoManager* m_undoManager;
};

void setBoundsIfChanged(SKTGraphic& graphic, const QRectF& bounds)
{
    if (graphic.bounds() != bounds)
        graphic.setBounds(bounds);
}

}   // namespace

void ArrangeCommands::undoRedoButtonState() const
{
    if (CanvasHost* host = m_canvas.host())
        host->Undo_Redo_Button_state();
}

void ArrangeCommands::selectAll()
{
    m_canvas.changeSelectionIndexes(IndexSet::range(0, int(m_canvas.graphics().size())));
}

void ArrangeCommands::deselectAll()
{
    m_canvas.changeSelectionIndexes(IndexSet());
}

// ---- stacking ----

void ArrangeCommands::bringToFront()
{
    stack(true);
}

void ArrangeCommands::sendToBack()
{
    stack(false);
}

void ArrangeCommands::stack(bool toFront)
{
    if (m_canvas.refusedForLock())
        return;
    const GraphicList list = m_canvas.graphics();
    IndexSet indexes;
    GraphicList moving;
    for (int index : m_canvas.selectionIndexes()) {
        if (index < list.size()) {
            indexes.add(index);
            moving.append(list.at(index));
        }
    }
    if (!indexes.isEmpty()) {
        const int count = int(moving.size());
        const int first = toFront ? 0 : int(list.size()) - count;
        const IndexSet placed = IndexSet::range(first, count);
        {
            UndoGroup group(m_canvas.undoManager());
            m_canvas.removeGraphicsAtIndexes(indexes);
            m_canvas.insertGraphics(moving, placed);
        }
        m_canvas.changeSelectionIndexes(placed);
    }
    undoRedoButtonState();
}

// ---- alignment ----

void ArrangeCommands::align(const Placement& place)
{
    const GraphicList selected = m_canvas.selectedGraphics();
    if (selected.size() == 1) {
        SKTGraphic& only = *selected.first();
        if (only.ctrl_is_locked)
            return;
        UndoGroup group(m_canvas.undoManager());
        setBoundsIfChanged(only, place(m_canvas.bounds(), only.bounds()));
    } else if (selected.size() >= 2) {
        const QRectF reference = selected.first()->bounds();
        UndoGroup group(m_canvas.undoManager());
        for (qsizetype i = 1; i < selected.size(); ++i) {
            SKTGraphic& graphic = *selected.at(i);
            if (!graphic.ctrl_is_locked)
                setBoundsIfChanged(graphic, place(reference, graphic.bounds()));
        }
    }
    undoRedoButtonState();
}

void ArrangeCommands::alignLeftEdges()
{
    align([](const QRectF& r, QRectF b) {
        b.moveLeft(r.x());
        return b;
    });
}

void ArrangeCommands::alignRightEdges()
{
    align([](const QRectF& r, QRectF b) {
        b.moveLeft(r.x() + r.width() - b.width());
        return b;
    });
}

void ArrangeCommands::alignTopEdges()
{
    align([](const QRectF& r, QRectF b) {
        b.moveTop(r.y());
        return b;
    });
}

void ArrangeCommands::alignBottomEdges()
{
    align([](const QRectF& r, QRectF b) {
        b.moveTop(r.y() + r.height() - b.height());
        return b;
    });
}

void ArrangeCommands::alignHorizontalCenters()
{
    align([](const QRectF& r, QRectF b) {
        b.moveLeft(r.x() + r.width() / 2 - b.width() / 2);
        return b;
    });
}

void ArrangeCommands::alignVerticalCenters()
{
    align([](const QRectF& r, QRectF b) {
        b.moveTop(r.y() + r.height() / 2 - b.height() / 2);
        return b;
    });
}

void ArrangeCommands::alignformCenter()
{
    const GraphicList selected = m_canvas.selectedGraphics();
    if (selected.size() == 1 && selected.first()->ctrl_is_locked)
        return;
    const QRectF card = m_canvas.bounds();
    {
        UndoGroup group(m_canvas.undoManager());
        for (const GraphicPtr& graphic : selected) {
            if (graphic->ctrl_is_locked)
                continue;
            QRectF b = graphic->bounds();
            b.moveTo(card.width() / 2 - b.width() / 2, card.height() / 2 - b.height() / 2);
            setBoundsIfChanged(*graphic, b);
        }
    }
    undoRedoButtonState();
}

// ---- sizes ----

void ArrangeCommands::makeSameWidth()
{
    makeSame(true);
}

void ArrangeCommands::makeSameHeight()
{
    makeSame(false);
}

void ArrangeCommands::makeSame(bool width)
{
    const GraphicList selected = m_canvas.selectedGraphics();
    if (selected.size() >= 2) {
        const QRectF reference = selected.first()->bounds();
        UndoGroup group(m_canvas.undoManager());
        for (qsizetype i = 1; i < selected.size(); ++i) {
            SKTGraphic& graphic = *selected.at(i);
            if (graphic.ctrl_is_locked)
                continue;
            QRectF b = graphic.bounds();
            if (width)
                b.setWidth(reference.width());
            else
                b.setHeight(reference.height());
            setBoundsIfChanged(graphic, b);
        }
    }
    undoRedoButtonState();
}

void ArrangeCommands::makeNaturalSize()
{
    const GraphicList selected = m_canvas.selectedGraphics();
    if (!selected.isEmpty()) {
        // A line cannot take a natural size (squaring it would make it
        // vanish), and a locked object keeps its size.
        UndoGroup group(m_canvas.undoManager());
        for (const GraphicPtr& graphic : selected) {
            if (!graphic->ctrl_is_locked && graphic->canMakeNaturalSize())
                graphic->makeNaturalSize();
        }
    }
    undoRedoButtonState();
}

void ArrangeCommands::alignWithGrid()
{
    const SKTGrid* grid = m_canvas.grid();
    if (grid) {
        UndoGroup group(m_canvas.undoManager());
        for (const GraphicPtr& graphic : m_canvas.selectedGraphics()) {
            if (graphic->ctrl_is_locked)
                continue;
            // The origin and the far corner snap separately, so an object
            // smaller than half the spacing would shrink to nothing and be
            // lost from sight and from clicks; such a side keeps one spacing.
            // A line's zero height stays zero.
            const QRectF b = graphic->bounds();
            QRectF aligned = grid->alignedRect(b);
            if (b.width() > 0 && aligned.width() <= 0)
                aligned.setWidth(grid->spacing());
            if (b.height() > 0 && aligned.height() <= 0)
                aligned.setHeight(grid->spacing());
            setBoundsIfChanged(*graphic, aligned);
        }
    }
    undoRedoButtonState();
}

void ArrangeCommands::print_contol_or_not(int v)
{
    for (const GraphicPtr& graphic : m_canvas.selectedGraphics()) {
        if (!graphic->ctrl_is_locked)
            graphic->print_object = v;
    }
}
