// Hit testing, clicks and Shift toggling, the rubber band, move and resize
// drags (threshold, grid, locked objects, undo), double clicks and nudges.

#include "CanvasTestSupport.h"

#include "model/SKTBarcode.h"

#include <gtest/gtest.h>

namespace {
// 0 (20, 20, 40, 40) on top of 1 (40, 40, 40, 40); 2 (150, 20, 30, 30) apart.
struct ThreeObjects : BoundCanvas {
    explicit ThreeObjects(CanvasHost* host) : BoundCanvas(host)
    {
        fill({rectangleAt({20, 20, 40, 40}), rectangleAt({40, 40, 40, 40}), rectangleAt({150, 20, 30, 30})});
    }
    void select(const IndexSet& indexes) { canvas.changeSelectionIndexes(indexes); }
};
}

TEST(CanvasHitTest, TopmostFirstAndHandlesOnlyOfSelectedObjects)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);
    int index = -7, handle = -7;
    bool selected = true;

    EXPECT_EQ(side.canvas.graphicUnderPoint({50, 50}, &index, &selected, &handle), side.at(0));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(selected);
    // Beside 0's lower right corner the point falls through to 1 until 0 is
    // selected and its handle takes it.
    EXPECT_EQ(side.canvas.graphicUnderPoint({61, 61}), side.at(1));
    side.select(IndexSet(0));
    EXPECT_EQ(side.canvas.graphicUnderPoint({61, 61}, &index, &selected, &handle), side.at(0));
    EXPECT_EQ(handle, SKTGraphic::LowerRightHandle);
    // A miss leaves the out-values alone.
    index = -7;
    EXPECT_EQ(side.canvas.graphicUnderPoint({120, 120}, &index), nullptr);
    EXPECT_EQ(index, -7);
    EXPECT_EQ(side.canvas.indexesOfGraphicsIntersectingRect({55, 55, 10, 10}), IndexSet({0, 1}));
}

TEST(CanvasSelection, ClicksShiftClicksAndTheInspector)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);

    side.drag({30, 30}, {30, 30});
    EXPECT_EQ(side.selected(), IndexSet(0));
    EXPECT_EQ(window.shownProperties.back(), side.at(0).get());
    side.drag({160, 30}, {160, 30}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet({0, 2}));
    side.drag({160, 30}, {160, 30});   // a click on a selected object keeps the selection
    EXPECT_EQ(side.selected(), IndexSet({0, 2}));

    // Shift on a selected object takes it out and moves nothing; on another
    // it adds it and moves the whole selection.
    side.drag({30, 30}, {90, 90}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet(2));
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
    side.drag({70, 70}, {80, 75}, Qt::ShiftModifier);
    EXPECT_EQ(side.selected(), IndexSet({1, 2}));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(50, 45, 40, 40));
    EXPECT_EQ(side.at(2)->bounds(), QRectF(160, 25, 30, 30));

    side.drag({120, 130}, {120, 130});
    EXPECT_TRUE(side.selected().isEmpty());
    EXPECT_EQ(window.shownProperties.back(), nullptr);
}

TEST(CanvasSelection, RubberBandTogglesAgainstTheSelectionAtThePress)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);
    side.select(IndexSet(1));

    side.canvas.mouseDown(mouseAt({10, 90}, Qt::ShiftModifier));
    side.canvas.mouseDragged(mouseAt({50, 10}));   // crosses 0 and 1
    EXPECT_EQ(side.selected(), IndexSet(0));
    EXPECT_EQ(side.canvas.marqueeSelectionBounds(), QRectF(10, 10, 40, 80));
    side.canvas.mouseDragged(mouseAt({30, 10}));   // crosses 0 only
    EXPECT_EQ(side.selected(), IndexSet({0, 1}));
    side.canvas.mouseDragged(mouseAt({12, 88}));   // crosses nothing: as it last was
    EXPECT_EQ(side.selected(), IndexSet({0, 1}));
    side.canvas.mouseUp(mouseAt({12, 88}));
    EXPECT_EQ(side.canvas.marqueeSelectionBounds(), QRectF(0, 0, 0, 0));
    EXPECT_TRUE(side.markedCovers({10, 10, 40, 80}));

    side.drag({100, 120}, {130, 140});   // without Shift, over nothing
    EXPECT_TRUE(side.selected().isEmpty());
}

TEST(CanvasMove, ThresholdGridAndLockedObjects)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);
    side.select(IndexSet(0));
    side.drag({30, 30}, {31.9, 31.9});
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
    side.canvas.mouseDown(mouseAt({30, 30}));
    side.canvas.mouseDragged(mouseAt({32, 30}));
    EXPECT_TRUE(side.canvas.isHidingHandles());
    side.canvas.mouseUp(mouseAt({32, 30}));
    EXPECT_FALSE(side.canvas.isHidingHandles());
    EXPECT_EQ(side.at(0)->bounds(), QRectF(22, 20, 40, 40));

    // With the grid the selection's origin lands on grid points; locked
    // objects stay.
    side.useGrid();
    side.at(2)->ctrl_is_locked = true;
    side.select(IndexSet({0, 2}));
    side.drag({25, 25}, {40, 27});
    EXPECT_EQ(side.at(0)->bounds(), QRectF(36, 18, 40, 40));
    EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));

    // A locked object is selected alone by a click, never dragged or resized.
    side.select(IndexSet(0));
    const int refreshes = window.refreshes;
    side.drag({160, 30}, {170, 60});
    side.drag({180, 50}, {200, 90});   // its lower right handle
    EXPECT_EQ(side.selected(), IndexSet(2));
    EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
    EXPECT_EQ(window.refreshes, refreshes + 2);
}

TEST(CanvasMove, DragAndResizeAreOneUndoStepEach)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);
    side.select(IndexSet({0, 1}));
    side.canvas.mouseDown(mouseAt({30, 30}));
    for (int step = 1; step <= 10; ++step)
        side.canvas.mouseDragged(mouseAt({30.0 + 3 * step, 30.0 + step}));
    side.canvas.mouseUp(mouseAt({60, 40}));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(70, 50, 40, 40));

    // The lower right handle of 2 dragged past its left edge, on the grid.
    side.useGrid();
    side.select(IndexSet(2));
    side.drag({180, 50}, {130, 62});
    EXPECT_EQ(side.at(2)->bounds(), QRectF(126, 20, 24, 43));

    side.undo().undo();
    EXPECT_EQ(side.at(2)->bounds(), QRectF(150, 20, 30, 30));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(70, 50, 40, 40));
    side.undo().undo();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(20, 20, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(40, 40, 40, 40));
    EXPECT_FALSE(side.undo().canUndo());
}

TEST(CanvasMouse, DoubleClickOpensTheDesignerOnlyForAVisibleUnlockedBarcode)
{
    CanvasMainWindow window;
    BoundCanvas side(&window);
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->_bounds = QRectF(20, 20, 120, 60);
    side.fill({barcode});
    const auto doubleClick = [&] { side.canvas.mouseDown(mouseAt({50, 50}, {}, 2)); };

    doubleClick();
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    barcode->ctrl_is_locked = true;
    doubleClick();
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_EQ(side.canvas._Selected_Graphic, barcode);

    barcode->ctrl_is_locked = false;
    barcode->ctrl_is_visible = false;
    window.shownProperties.clear();
    doubleClick();
    side.drag({50, 50}, {50, 50});
    EXPECT_EQ(window.barcodeWindowOpenings, 1);
    EXPECT_TRUE(window.shownProperties.empty());
    EXPECT_TRUE(side.selected().isEmpty());
}

TEST(CanvasKeys, NudgesMoveUnlockedSelectedObjectsOneUndoStepEach)
{
    CanvasMainWindow window;
    ThreeObjects side(&window);
    side.at(1)->ctrl_is_locked = true;
    side.canvas.moveRight();   // nothing selected
    EXPECT_FALSE(side.canvas.isHidingHandles());

    side.select(IndexSet({0, 1}));
    side.canvas.moveRight();
    side.canvas.moveRight();
    side.canvas.moveUp();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(22, 19, 40, 40));
    EXPECT_EQ(side.at(1)->bounds(), QRectF(40, 40, 40, 40));
    EXPECT_TRUE(side.canvas.isHidingHandles());
    side.canvas.unhideHandlesForTimer();
    EXPECT_FALSE(side.canvas.isHidingHandles());

    side.undo().undo();
    EXPECT_EQ(side.at(0)->bounds(), QRectF(22, 20, 40, 40));
}
