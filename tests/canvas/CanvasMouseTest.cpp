// Hit testing, clicking, Shift toggling, the rubber band, move and resize
// drags (threshold, grid, locked objects, undo), double clicks and nudges.

#include "CanvasTestSupport.h"

#include "model/SKTBarcode.h"

#include <gtest/gtest.h>

namespace {

// Three rectangles: 0 on top of 1, 2 apart.
//   0: (20, 20, 40, 40)   1: (40, 40, 40, 40)   2: (150, 20, 30, 30)
struct ThreeObjects : BoundCanvas {
    ThreeObjects()
    {
        fill({rectangleAt({20, 20, 40, 40}), rectangleAt({40, 40, 40, 40}), rectangleAt({150, 20, 30, 30})});
    }
    GraphicPtr at(int i) const { return list().at(i); }
    void select(const IndexSet& indexes) { canvas.changeSelectionIndexes(indexes); }
    IndexSet selected() const { return selection.selectionIndexes(); }
};

} // namespace

TEST(CanvasHitTest, TopmostObjectWinsAndHandlesOnlyCountWhenSelected)
{
    CanvasMainWindow window;
    ThreeObjects side;
    int index = -7;
    bool selected = true;
    int handle = -7;

    // (50, 50) lies in both 0 and 1: the topmost answers.
    EXPECT_EQ(side.canvas.graphicUnderPoint({50, 50}, &index, &selected, &handle), side.at(0));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(selected);
    EXPECT_EQ(handle, 0);

    // Just beyond 0's lower right corner (inside its drawing bounds) the
    // click falls through to 1 while 0 is not selected...
    EXPECT_EQ(side.canvas.graphicUnderPoint({61, 61}, &index, &selected, &handle), side.at(1));
    EXPECT_EQ(index, 1);
    // ...and takes 0's lower right handle once it is.
    side.select(IndexSet(0));
    EXPECT_EQ(side.canvas.graphicUnderPoint({61, 61}, &index, &selected, &handle), side.at(0));
    EXPECT_TRUE(selected);
    EXPECT_EQ(handle, SKTGraphic::LowerRightHandle);

    // Hidden and locked objects are hit like any other.
    side.at(0)->ctrl_is_visible = false;
    side.at(0)->ctrl_is_locked = true;
    EXPECT_EQ(side.canvas.graphicUnderPoint({30, 30}), side.at(0));

    // A miss leaves the out-values alone.
    index = -7;
    EXPECT_EQ(side.canvas.graphicUnderPoint({120, 120}, &index, &selected, &handle), nullptr);
    EXPECT_EQ(index, -7);

    EXPECT_EQ(side.canvas.indexesOfGraphicsIntersectingRect({55, 55, 10, 10}), IndexSet({0, 1}));
    EXPECT_EQ(side.canvas.indexesOfGraphicsIntersectingRect({100, 100, 10, 10}), IndexSet());
}

TEST(CanvasSelection, ClicksAndShiftClicks)
{
    CanvasMainWindow window;
    ThreeObjects side;

    side.drag({30, 30}, {30, 30});
    EXPECT_EQ(side.selected(), IndexSet(0));
    EXPECT_EQ(window.shownProperties.back(), side.at(0).get());
    EXPECT_FALSE(window.sameSizeButtonsEnabled);

    side.drag({160, 30}, {160, 30}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet({0, 2}));
    EXPECT_TRUE(window.sameSizeButtonsEnabled);

    // A plain click on a selected object keeps the whole selection.
    side.drag({160, 30}, {160, 30});
    EXPECT_EQ(side.selected(), IndexSet({0, 2}));

    // Shift-click on a selected object takes it out and moves nothing.
    side.drag({30, 30}, {90, 90}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet(2));
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
    EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));

    // Shift-drag on an unselected one adds it and moves the whole selection.
    side.drag({70, 70}, {80, 75}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet({1, 2}));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(50, 45, 40, 40));
    EXPECT_EQ(side.at(2)->bounds(), QRectF(160, 25, 30, 30));

    // A click on empty card clears the selection and shows the card.
    side.drag({120, 130}, {120, 130});
    EXPECT_TRUE(side.selected().isEmpty());
    EXPECT_EQ(window.shownProperties.back(), nullptr);
}

TEST(CanvasSelection, RubberBandTogglesAgainstTheSelectionAtThePress)
{
    CanvasMainWindow window;
    ThreeObjects side;
    side.select(IndexSet(1));

    side.press(10, 90, Qt::ShiftModifier);
    // Crossing 0 and 1: 1 leaves, 0 joins.
    side.dragTo(50, 10);
    EXPECT_EQ(side.selected(), IndexSet(0));
    EXPECT_EQ(side.canvas.marqueeSelectionBounds(), QRectF(10, 10, 40, 80));
    // Back to crossing 0 only: 1 is selected again, as at the press.
    side.dragTo(30, 10);
    EXPECT_EQ(side.selected(), IndexSet({0, 1}));
    // Crossing nothing keeps the selection as it last was.
    side.dragTo(12, 88);
    EXPECT_EQ(side.selected(), IndexSet({0, 1}));
    const int refreshes = window.refreshes;
    side.release(12, 88);
    EXPECT_EQ(side.canvas.marqueeSelectionBounds(), QRectF(0, 0, 0, 0));
    EXPECT_EQ(window.refreshes, refreshes + 1);

    // Without Shift the press clears the selection; a band over nothing
    // leaves it empty.
    side.drag({100, 120}, {130, 140});
    EXPECT_TRUE(side.selected().isEmpty());
}

TEST(CanvasMove, ThresholdGridAndLockedObjects)
{
    CanvasMainWindow window;
    {
        ThreeObjects side;
        side.select(IndexSet(0));
        side.press(30, 30);
        side.dragTo(31.9, 31.9);
        EXPECT_FALSE(side.canvas.isHidingHandles());
        side.release(31.9, 31.9);
        EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));

        side.press(30, 30);
        side.dragTo(32, 30);
        EXPECT_TRUE(side.canvas.isHidingHandles());
        EXPECT_EQ(side.at(0)->bounds(), QRectF(22, 20, 40, 40));
        side.release(32, 30);
        EXPECT_FALSE(side.canvas.isHidingHandles());
    }
    {
        // With the grid the selection's origin lands on grid points.
        ThreeObjects side;
        side.useGrid();
        side.select(IndexSet(0));
        side.drag({25, 25}, {40, 27});
        EXPECT_EQ(side.at(0)->bounds(), QRectF(36, 18, 40, 40));
    }
    {
        // Moving a selection with a locked object moves only the others.
        ThreeObjects side;
        side.at(2)->ctrl_is_locked = true;
        side.select(IndexSet({0, 2}));
        side.drag({30, 30}, {40, 50});
        EXPECT_EQ(side.at(0)->bounds(), QRectF(30, 40, 40, 40));
        EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
    }
    {
        // Dragging a locked object, or one of its handles, changes nothing;
        // a click on it selects only it, one on a selected locked object
        // keeps the selection.
        ThreeObjects side;
        side.at(2)->ctrl_is_locked = true;
        side.select(IndexSet(0));
        const int refreshes = window.refreshes;
        side.drag({160, 30}, {170, 60});
        EXPECT_EQ(side.selected(), IndexSet(2));
        EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
        EXPECT_EQ(window.refreshes, refreshes + 1);
        EXPECT_EQ(window.shownProperties.back(), side.at(2).get());
        side.drag({180, 50}, {200, 90});   // its lower right handle
        EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
        side.select(IndexSet({0, 2}));
        side.drag({160, 30}, {160, 30});
        EXPECT_EQ(side.selected(), IndexSet({0, 2}));
        EXPECT_FALSE(side.undo().canUndo());
    }
}

TEST(CanvasMove, DragIsOneUndoStep)
{
    CanvasMainWindow window;
    ThreeObjects side;
    side.select(IndexSet({0, 1}));
    side.press(30, 30);
    for (int step = 1; step <= 10; ++step)
        side.dragTo(30 + 3 * step, 30 + step);
    side.release(60, 40);
    runPostedEvents();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(50, 30, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(70, 50, 40, 40));

    ASSERT_TRUE(side.undo().canUndo());
    side.undo().undo();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(40, 40, 40, 40));
    EXPECT_FALSE(side.undo().canUndo());
    side.undo().redo();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(50, 30, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(70, 50, 40, 40));
}

TEST(CanvasResize, HandleDragSnapsFlipsAndIsOneUndoStep)
{
    CanvasMainWindow window;
    ThreeObjects side;
    side.useGrid();
    side.select(IndexSet(2));
    // Lower right handle of (150, 20, 30, 30) dragged past the left edge.
    side.press(180, 50);
    side.dragTo(170, 60);
    side.dragTo(130, 62);
    side.release(130, 62);
    EXPECT_EQ(side.at(2)->bounds(), QRectF(126, 20, 24, 43));
    EXPECT_EQ(side.selected(), IndexSet(2));

    side.undo().undo();
    EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
    EXPECT_FALSE(side.undo().canUndo());
}

TEST(CanvasMouse, DoubleClicks)
{
    CanvasMainWindow window;
    BoundCanvas side;
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(20, 20, 120, 60);
    side.fill({barcode});

    side.canvas.mouseDown(mouseAt(50, 50, Qt::NoModifier, 2));
    side.release(50, 50);
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_EQ(side.canvas._Selected_Graphic, barcode);

    barcode->ctrl_is_locked = true;
    side.canvas.mouseDown(mouseAt(50, 50, Qt::NoModifier, 2));
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_EQ(side.canvas._Selected_Graphic, barcode);

    barcode->ctrl_is_locked = false;
    barcode->ctrl_is_visible = false;
    window.shownProperties.clear();
    side.canvas.mouseDown(mouseAt(50, 50, Qt::NoModifier, 2));
    side.drag({50, 50}, {50, 50});
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_TRUE(window.shownProperties.empty());
    EXPECT_TRUE(side.selection.selectionIndexes().isEmpty());
}

TEST(CanvasKeys, NudgesMoveUnlockedSelectedObjectsOneStepEach)
{
    CanvasMainWindow window;
    ThreeObjects side;
    side.at(1)->ctrl_is_locked = true;

    side.canvas.moveRight();   // nothing selected: nothing happens
    EXPECT_FALSE(side.canvas.isHidingHandles());

    side.select(IndexSet({0, 1}));
    side.canvas.moveRight();
    side.canvas.moveRight();
    side.canvas.moveDown();
    side.canvas.moveLeft();
    side.canvas.moveUp();
    side.canvas.moveUp();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(21, 19, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(40, 40, 40, 40));
    EXPECT_TRUE(side.canvas.isHidingHandles());
    side.canvas.unhideHandlesForTimer();
    EXPECT_FALSE(side.canvas.isHidingHandles());

    int steps = 0;
    while (side.undo().canUndo()) {
        side.undo().undo();
        ++steps;
    }
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
}
