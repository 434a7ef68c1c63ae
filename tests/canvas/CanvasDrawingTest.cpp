// What the canvas draws and in which order, and which areas it asks to
// redraw when it observes a change; bindings and the side's selection
// following its list.

#include "CanvasTestSupport.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPalette>
#include <QGuiApplication>

#include <stdexcept>

namespace {

struct RecordingSide : BoundCanvas {
    RecordingSide()
    {
        for (const char* name : {"a", "b", "c", "hidden"})
            graphics.append(std::make_shared<RecordingGraphic>(QString::fromLatin1(name), &log));
        graphics.at(0)->_bounds = QRectF(10, 10, 30, 30);
        graphics.at(1)->_bounds = QRectF(100, 10, 30, 30);
        graphics.at(2)->_bounds = QRectF(20, 20, 30, 30);
        graphics.at(3)->_bounds = QRectF(150, 100, 30, 30);
        graphics.at(3)->ctrl_is_visible = false;
        fill(graphics);
    }
    QStringList draw(const QRectF& dirty)
    {
        log.clear();
        QImage image(243, 154, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        canvas.drawRect(painter, dirty);
        return log;
    }
    QStringList log;
    GraphicList graphics;
};

} // namespace

TEST(CanvasDrawing, BottomUpWithHandlesOfSelectedObjectsOverTheCardBase)
{
    CanvasMainWindow window;
    RecordingSide side;
    side.graphics.at(0)->ctrl_is_locked = true;
    side.canvas.changeSelectionIndexes(IndexSet({0, 3}));

    // The hidden object draws nothing of its own but shows its handles; the
    // lowest selected object drawn becomes the current one.
    EXPECT_EQ(side.draw(side.canvas.bounds()),
              QStringList({"handles hidden", "draw c", "draw b", "draw a", "handles a locked"}));
    EXPECT_EQ(side.canvas._Selected_Graphic, side.graphics.at(0));

    // Only objects meeting the dirty area are drawn; the card base is drawn
    // for the whole card and clipped to that area.
    window.cardBaseRects.clear();
    window.cardBaseClips.clear();
    EXPECT_EQ(side.draw({95, 5, 20, 20}), QStringList({"draw b"}));
    EXPECT_EQ(window.cardBaseRects, QList<QRectF>({QRectF(0, 0, 243, 154)}));
    EXPECT_EQ(window.cardBaseClips, QList<QRectF>({QRectF(95, 5, 20, 20)}));

    // No handles while they are hidden.
    side.canvas.hideHandlesMomentarily();
    EXPECT_EQ(side.draw(side.canvas.bounds()), QStringList({"draw c", "draw b", "draw a"}));
}

TEST(CanvasDrawing, RubberBandIsFramedInTheHighlightColour)
{
    CanvasMainWindow window;
    BoundCanvas side;
    side.press(20, 20);
    side.dragTo(80, 60);
    QImage image(243, 154, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        side.canvas.drawRect(painter, side.canvas.bounds());
    }
    const QColor band = QGuiApplication::palette().color(QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(50, 20), band);
    EXPECT_EQ(image.pixelColor(79, 40), band);
    EXPECT_EQ(image.pixelColor(50, 40), QColor(Qt::white));
    side.release(80, 60);
    EXPECT_TRUE(side.markedCovers({20, 20, 60, 40}));
}

TEST(CanvasRedraw, ObservedChangesMarkTheAreasConcerned)
{
    CanvasMainWindow window;
    BoundCanvas side;
    const GraphicPtr a = rectangleAt({10, 10, 30, 30});
    const GraphicPtr b = rectangleAt({100, 10, 30, 30});
    side.fill({a, b});
    const QRectF aBefore = a->drawingBounds();

    // A move marks where the object was and where it is.
    a->setBounds({50, 60, 30, 30});
    EXPECT_EQ(side.marked, QList<QRectF>({aBefore, a->drawingBounds()}));

    // Turning a thick stroke off marks the area it covered.
    side.marked.clear();
    b->setStrokeWidth(20);
    const QRectF thick = b->drawingBounds();
    side.marked.clear();
    b->setIsDrawingStroke(false);
    EXPECT_TRUE(side.markedCovers(thick));

    // Fields written directly tell nobody.
    side.marked.clear();
    b->_bounds = QRectF(0, 0, 5, 5);
    EXPECT_TRUE(side.marked.isEmpty());

    // Selection changes mark the objects that changed state, nothing else.
    side.canvas.changeSelectionIndexes(IndexSet(0));
    EXPECT_EQ(side.marked, QList<QRectF>({a->drawingBounds()}));
    side.marked.clear();
    side.canvas.changeSelectionIndexes(IndexSet({0, 1}));
    EXPECT_EQ(side.marked, QList<QRectF>({b->drawingBounds()}));

    // Insertion and removal mark the object's area.
    const GraphicPtr c = rectangleAt({200, 100, 10, 10});
    side.marked.clear();
    side.canvas.insertGraphics({c}, IndexSet(2));
    EXPECT_EQ(side.marked, QList<QRectF>({c->drawingBounds()}));
    side.marked.clear();
    side.canvas.removeGraphicsAtIndexes(IndexSet(2));
    EXPECT_TRUE(side.markedCovers(c->drawingBounds()));
    side.marked.clear();
    c->setBounds({0, 0, 1, 1});
    EXPECT_TRUE(side.marked.isEmpty());

    // Any change of the grid redraws the whole canvas.
    side.canvas.setGrid(&side.grid);
    side.marked.clear();
    side.grid.setAlwaysShown(true);
    EXPECT_TRUE(side.markedCovers(side.canvas.bounds()));

    // Unbound, the canvas no longer hears of its former objects.
    side.canvas.unbind(SKTGraphicViewGraphicsBindingName);
    side.marked.clear();
    a->setBounds({1, 1, 2, 2});
    EXPECT_TRUE(side.marked.isEmpty());
}

TEST(CanvasRedraw, DragStepsMarkOnlyTheMovedObject)
{
    CanvasMainWindow window;
    BoundCanvas side;
    GraphicList many;
    for (int i = 0; i < 20; ++i)
        many.append(rectangleAt({10.0 + 10 * (i % 10), 80.0 + 30 * (i / 10), 8, 8}));
    const GraphicPtr moved = rectangleAt({150, 10, 20, 20});
    many.prepend(moved);
    side.fill(many);
    side.canvas.changeSelectionIndexes(IndexSet(0));

    side.press(160, 20);
    side.dragTo(163, 20);
    side.marked.clear();
    const QRectF before = moved->drawingBounds();
    side.dragTo(170, 25);
    const QRectF area = before.united(moved->drawingBounds());
    ASSERT_FALSE(side.marked.isEmpty());
    for (const QRectF& r : std::as_const(side.marked))
        EXPECT_TRUE(area.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    side.release(170, 25);
}

TEST(CanvasRedraw, UndoGathersTheIndexesItTouches)
{
    CanvasMainWindow window;
    BoundCanvas side;
    const GraphicPtr a = rectangleAt({10, 10, 30, 30});
    const GraphicPtr b = rectangleAt({100, 10, 30, 30});
    side.fill({a, b});
    side.canvas.changeSelectionIndexes(IndexSet(1));
    side.drag({110, 20}, {120, 30});
    side.canvas.changeSelectionIndexes(IndexSet());

    side.canvas._undoSelectionIndexes = IndexSet();
    side.undo().undo();
    EXPECT_EQ(side.canvas._undoSelectionIndexes, IndexSet(1));
    side.canvas._undoSelectionIndexes.reset();
}

TEST(CanvasRedraw, AnEmptySideShowsTheCardSettingsOnce)
{
    CanvasMainWindow window;
    BoundCanvas side;
    runPostedEvents();
    EXPECT_EQ(window.shownProperties, std::vector<SKTGraphic*>({nullptr}));

    window.shownProperties.clear();
    side.fill({rectangleAt({10, 10, 10, 10}), rectangleAt({30, 10, 10, 10})});
    runPostedEvents();
    EXPECT_TRUE(window.shownProperties.empty());
    side.canvas.removeGraphicsAtIndexes(IndexSet(0));
    runPostedEvents();
    EXPECT_TRUE(window.shownProperties.empty());
    side.canvas.removeGraphicsAtIndexes(IndexSet(0));
    runPostedEvents();
    EXPECT_EQ(window.shownProperties, std::vector<SKTGraphic*>({nullptr}));
}

TEST(CanvasBinding, MisuseFailsAndAnUnboundCanvasIsEmpty)
{
    CanvasMainWindow window;
    CanvasController canvas(QRectF(0, 0, 243, 154));
    EXPECT_TRUE(canvas.graphics().isEmpty());
    EXPECT_TRUE(canvas.selectionIndexes().isEmpty());

    const auto message = [](auto&& call) {
        try {
            call();
        } catch (const std::logic_error& e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    EXPECT_EQ(message([&] { canvas.changeSelectionIndexes(IndexSet(0)); }),
              QLatin1String("An SKTGraphicView's 'selectionIndexes' property is not bound to anything."));
    EXPECT_EQ(message([&] { canvas.insertGraphics({rectangleAt({0, 0, 1, 1})}, IndexSet(0)); }),
              QLatin1String("An SKTGraphicView's 'graphics' property is not bound to anything."));
    SKTDocument document;
    SideSelection selection;
    const QVariantMap options {{QStringLiteral("NSRaisesForNotApplicableKeys"), true}};
    EXPECT_EQ(message([&] { canvas.bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics", options); }),
              QLatin1String("SKTGraphicView doesn't support any options for the 'graphics' binding."));
    EXPECT_EQ(message([&] {
                  canvas.bind(SKTGraphicViewSelectionIndexesBindingName, &selection, "selectionIndexes", options);
              }),
              QLatin1String("SKTGraphicView doesn't support any options for the 'selectionIndexes' binding."));

    // Rebinding to another side's list shows that list.
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {rectangleAt({0, 0, 5, 5})}, IndexSet(0));
    canvas.bind(SKTGraphicViewGraphicsBindingName, &document, "document.graphics");
    EXPECT_TRUE(canvas.graphics().isEmpty());
    canvas.bind(SKTGraphicViewGraphicsBindingName_back, &document, "document.graphics_back");
    EXPECT_EQ(canvas.graphics().size(), 1);
}

TEST(SideSelection, FollowsItsObjectsThroughInsertionsAndRemovals)
{
    struct Case {
        const char* name;
        IndexSet selection;
        GraphicListChange::Kind kind;
        IndexSet changed;
        IndexSet expected;
    };
    using Kind = GraphicListChange::Kind;
    const Case cases[] = {
        {"insert on top", {0, 2}, Kind::Insertion, {0}, {1, 3}},
        {"insert two on top", {0}, Kind::Insertion, {0, 1}, {2}},
        {"insert between", {0, 2}, Kind::Insertion, {1}, {0, 3}},
        {"insert at the end", {0, 1}, Kind::Insertion, {2}, {0, 1}},
        {"insert apart", {1}, Kind::Insertion, {0, 3}, {2}},
        {"remove a selected object", {0, 2}, Kind::Removal, {2}, {0}},
        {"remove above", {3}, Kind::Removal, {0, 1}, {1}},
        {"remove around", {1, 3}, Kind::Removal, {0, 2, 4}, {0, 1}},
        {"remove everything", {0, 1}, Kind::Removal, {0, 1, 2}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicListChange change;
        change.kind = c.kind;
        change.indexes = c.changed;
        EXPECT_EQ(SideSelection::adjustedForChange(c.selection, change), c.expected);
    }

    // Bound to a document list, only changes of that list count.
    SKTDocument document;
    SideSelection selection;
    selection.setContent(&document, SKTDocumentGraphicsKey_back);
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {rectangleAt({}), rectangleAt({})}, IndexSet({0, 1}));
    selection.setSelectionIndexes(IndexSet(1));
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_temp, {rectangleAt({})}, IndexSet(0));
    EXPECT_EQ(selection.selectionIndexes(), IndexSet(1));
    document.insertGraphicsForKey(SKTDocumentGraphicsKey_back, {rectangleAt({})}, IndexSet(0));
    EXPECT_EQ(selection.selectionIndexes(), IndexSet(2));
}
