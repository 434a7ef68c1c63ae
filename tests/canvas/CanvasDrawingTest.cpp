// What the canvas draws and in which order, the areas it asks to redraw when
// it observes a change, and the side's selection following its list.

#include "CanvasTestSupport.h"

#include <gtest/gtest.h>
#include <QImage>

namespace {
// Writes "draw <name>" ("*" when being created or edited) and
// "handles <name>" (" locked") into a shared log.
class RecordingGraphic : public SKTGraphic
{
public:
    RecordingGraphic(const char* name, QStringList* log) : m_name(name), m_log(log) {}
    void drawContentsInView(QPainter&, bool beingEdited) override
    {
        m_log->append("draw " + m_name + (beingEdited ? "*" : ""));
    }
    void drawHandlesInView(QPainter&, bool locked) const override
    {
        m_log->append("handles " + m_name + (locked ? " locked" : ""));
    }

private:
    QString m_name;
    QStringList* m_log;
};
}

TEST(CanvasDrawing, BottomUpWithHandlesOfSelectedObjectsOverTheCardBase)
{
    CanvasMainWindow window;
    BoundCanvas side(&window);
    QStringList log;
    GraphicList graphics;
    const QRectF places[] = {{10, 10, 30, 30}, {100, 10, 30, 30}, {20, 20, 30, 30}, {150, 100, 30, 30}};
    for (const char* name : {"a", "b", "c", "hidden"}) {
        graphics.append(std::make_shared<RecordingGraphic>(name, &log));
        graphics.back()->_bounds = places[graphics.size() - 1];
    }
    graphics.at(0)->ctrl_is_locked = true;
    graphics.at(3)->ctrl_is_visible = false;
    side.fill(graphics);
    side.canvas.changeSelectionIndexes(IndexSet({0, 3}));
    const auto draw = [&](const QRectF& dirty) {
        log.clear();
        window.cardBase.clear();
        QImage image(243, 154, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        side.canvas.drawRect(painter, dirty);
        return log;
    };

    // Handles come after every object, so none covers them; the lowest
    // selected object given handles becomes the current one.
    EXPECT_EQ(draw(side.canvas.bounds()),
              QStringList({"draw c", "draw b", "draw a", "handles hidden", "handles a locked"}));
    EXPECT_EQ(side.canvas._Selected_Graphic, graphics.at(0));
    // Only objects meeting the dirty area; the card base is drawn for the
    // whole card, clipped to that area.
    EXPECT_EQ(draw({95, 5, 20, 20}), QStringList({"draw b"}));
    EXPECT_EQ(window.cardBase, (QList<std::pair<QRectF, QRectF>> {{{0, 0, 243, 154}, {95, 5, 20, 20}}}));

    side.canvas.hideHandlesMomentarily();
    EXPECT_EQ(draw(side.canvas.bounds()), QStringList({"draw c", "draw b", "draw a"}));
}

TEST(CanvasRedraw, ObservedChangesMarkTheAreasConcerned)
{
    CanvasMainWindow window;
    BoundCanvas side(&window);
    const GraphicPtr a = rectangleAt({10, 10, 30, 30});
    const GraphicPtr b = rectangleAt({100, 10, 30, 30});
    side.fill({a, b});

    const QRectF before = a->drawingBounds();
    a->setBounds({50, 60, 30, 30});
    EXPECT_EQ(side.marked, QList<QRectF>({before, a->drawingBounds()}));

    // Turning a thick stroke off redraws all the stroke covered.
    b->setStrokeWidth(20);
    const QRectF thick = b->drawingBounds();
    side.marked.clear();
    b->setIsDrawingStroke(false);
    EXPECT_TRUE(side.markedCovers(thick));

    // The selection marks only the objects whose state changed.
    side.canvas.changeSelectionIndexes(IndexSet(0));
    side.marked.clear();
    side.canvas.changeSelectionIndexes(IndexSet({0, 1}));
    EXPECT_EQ(side.marked, QList<QRectF>({b->drawingBounds()}));

    const GraphicPtr c = rectangleAt({200, 100, 10, 10});
    side.marked.clear();
    side.canvas.insertGraphics({c}, IndexSet(2));
    side.canvas.removeGraphicsAtIndexes(IndexSet(2));
    EXPECT_EQ(side.marked, QList<QRectF>({c->drawingBounds(), c->drawingBounds()}));
    side.marked.clear();
    c->setBounds({0, 0, 1, 1});   // no longer on the side
    EXPECT_TRUE(side.marked.isEmpty());

    side.canvas.setGrid(&side.grid);
    side.grid.setAlwaysShown(true);
    EXPECT_TRUE(side.markedCovers(side.canvas.bounds()));

    side.canvas.unbind(SKTGraphicViewGraphicsBindingName);
    side.marked.clear();
    a->setBounds({1, 1, 2, 2});
    EXPECT_TRUE(side.marked.isEmpty());
}

TEST(CanvasRedraw, DragStepsMarkOnlyTheMovedObject)
{
    CanvasMainWindow window;
    BoundCanvas side(&window);
    GraphicList graphics {rectangleAt({150, 10, 20, 20})};
    for (int i = 0; i < 20; ++i)
        graphics.append(rectangleAt({10.0 + 10 * (i % 10), 80.0 + 30 * (i / 10), 8, 8}));
    side.fill(graphics);
    side.canvas.changeSelectionIndexes(IndexSet(0));

    side.canvas.mouseDown(mouseAt({160, 20}));
    side.canvas.mouseDragged(mouseAt({163, 20}));
    side.marked.clear();
    const QRectF before = side.at(0)->drawingBounds();
    side.canvas.mouseDragged(mouseAt({170, 25}));
    const QRectF area = before.united(side.at(0)->drawingBounds());
    ASSERT_FALSE(side.marked.isEmpty());
    for (const QRectF& r : std::as_const(side.marked))
        EXPECT_TRUE(area.contains(r));
    side.canvas.mouseUp(mouseAt({170, 25}));
}

TEST(CanvasRedraw, AnEmptySideShowsTheCardSettingsOutsideDrawing)
{
    CanvasMainWindow window;
    BoundCanvas side(&window);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.shownProperties, std::vector<SKTGraphic*> {nullptr});

    side.fill({rectangleAt({10, 10, 10, 10}), rectangleAt({30, 10, 10, 10})});
    side.canvas.removeGraphicsAtIndexes(IndexSet(0));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.shownProperties.size(), 1u);
    side.canvas.removeGraphicsAtIndexes(IndexSet(0));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.shownProperties, (std::vector<SKTGraphic*> {nullptr, nullptr}));
}

TEST(SideSelection, FollowsItsObjectsThroughInsertionsAndRemovals)
{
    using Kind = GraphicListChange::Kind;
    const struct {
        IndexSet selection;
        Kind kind;
        IndexSet changed;
        IndexSet expected;
    } cases[] = {
        {{0, 2}, Kind::Insertion, {0}, {1, 3}},   {{0}, Kind::Insertion, {0, 1}, {2}},
        {{0, 2}, Kind::Insertion, {1}, {0, 3}},   {{0, 1}, Kind::Insertion, {2}, {0, 1}},
        {{1}, Kind::Insertion, {0, 3}, {2}},      {{0, 2}, Kind::Removal, {2}, {0}},
        {{3}, Kind::Removal, {0, 1}, {1}},        {{1, 3}, Kind::Removal, {0, 2, 4}, {0, 1}},
    };
    for (const auto& c : cases) {
        GraphicListChange change;
        change.kind = c.kind;
        change.indexes = c.changed;
        EXPECT_EQ(SideSelection::adjustedForChange(c.selection, change), c.expected);
    }

    // Only changes of its own list count.
    SKTDocument document;
    SideSelection selection;
    selection.setContent(&document, SKTDocumentGraphicsKey_back);
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {rectangleAt({}), rectangleAt({})}, IndexSet({0, 1}));
    selection.setSelectionIndexes(IndexSet(1));
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_temp, {rectangleAt({})}, IndexSet(0));
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {rectangleAt({})}, IndexSet(0));
    EXPECT_EQ(selection.selectionIndexes(), IndexSet(2));
}

TEST(CanvasBinding, ObjectsOutlivingTheirDocumentNoLongerCallTheCanvas)
{
    const GraphicPtr kept = rectangleAt({0, 0, 5, 5});
    CanvasController canvas(QRectF(0, 0, 243, 154));
    QList<QRectF> marked;
    QObject::connect(&canvas, &CanvasController::needsDisplayInRect, [&](QRectF r) { marked.append(r); });
    {
        SKTDocument document;
        document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {kept}, IndexSet(0));
        canvas.bind(SKTGraphicViewGraphicsBindingName_back, &document, "document.graphics_back");
    }
    canvas.unbind(SKTGraphicViewGraphicsBindingName_back);
    marked.clear();
    kept->setBounds({10, 10, 5, 5});
    EXPECT_TRUE(marked.isEmpty());
    EXPECT_TRUE(canvas.graphics().isEmpty());
}
