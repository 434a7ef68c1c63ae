// Which menu items a canvas enables, from its selection, its grid, the undo
// history of its side and its rulers.

#include "CanvasTestSupport.h"

#include "model/SKTLine.h"
#include "platform/MemoryPasteboard.h"

#include <gtest/gtest.h>

namespace {

// (command, enabled with nothing, one, two selected objects)
struct BySelection {
    CanvasCommand command;
    bool none, one, two;
};

TEST(CanvasMenuValidation, ItemsFollowTheSelectionCount)
{
    // The table keeps its hand-made layout.
    // clang-format off
    const BySelection table[] = {
        {CanvasCommand::Delete, false, true, true},          {CanvasCommand::Cut, false, true, true},
        {CanvasCommand::Copy, false, true, true},            {CanvasCommand::BringToFront, false, true, true},
        {CanvasCommand::SendToBack, false, true, true},      {CanvasCommand::AlignLeftEdges, false, false, true},
        {CanvasCommand::AlignRightEdges, false, false, true}, {CanvasCommand::AlignTopEdges, false, false, true},
        {CanvasCommand::AlignBottomEdges, false, false, true},
        {CanvasCommand::AlignHorizontalCenters, false, false, true},
        {CanvasCommand::AlignVerticalCenters, false, false, true},
        {CanvasCommand::MakeSameWidth, false, false, true},  {CanvasCommand::MakeSameHeight, false, false, true},
        {CanvasCommand::AlignFormCenter, true, true, true},  {CanvasCommand::Paste, false, false, false},
        {CanvasCommand::SelectAll, true, true, true},        {CanvasCommand::DeselectAll, true, true, true},
    };
    // clang-format on
    // Paste goes by the pasteboard alone: an empty one here.
    MemoryPasteboard pasteboard;
    Pasteboard::install(&pasteboard);
    CanvasMainWindow window;
    BoundCanvas side(&window);
    // locked objects count like any other: the commands apply the lock rule
    side.fill({rectangleAt({10, 10, 40, 30}), rectangleAt({60, 10, 40, 30})});
    side.at(1)->ctrl_is_locked = true;
    const IndexSet selections[] = {IndexSet(), IndexSet(1), IndexSet::range(0, 2)};
    for (const BySelection& row : table) {
        const bool expected[] = {row.none, row.one, row.two};
        for (int i = 0; i < 3; ++i) {
            side.canvas.changeSelectionIndexes(selections[i]);
            EXPECT_EQ(side.canvas.validateMenuItem(row.command).enabled, expected[i])
                << int(row.command) << " with " << i << " selected";
        }
    }
    Pasteboard::install(nullptr);
}

TEST(CanvasMenuValidation, NaturalSizeGridUndoAndRulers)
{
    CanvasMainWindow window;
    BoundCanvas front(&window);
    auto line = std::make_shared<SKTLine>();
    line->setBounds(QRectF(10, 10, 50, 0));
    front.fill({line, rectangleAt({60, 10, 40, 30})});

    // a line cannot take a natural size; a rectangle can
    front.canvas.changeSelectionIndexes(IndexSet(0));
    EXPECT_FALSE(front.canvas.validateMenuItem(CanvasCommand::MakeNaturalSize).enabled);
    front.canvas.changeSelectionIndexes(IndexSet::range(0, 2));
    EXPECT_TRUE(front.canvas.validateMenuItem(CanvasCommand::MakeNaturalSize).enabled);

    // snapping needs a usable grid and a selection
    EXPECT_FALSE(front.canvas.validateMenuItem(CanvasCommand::AlignWithGrid).enabled);
    front.useGrid();
    EXPECT_TRUE(front.canvas.validateMenuItem(CanvasCommand::AlignWithGrid).enabled);
    front.canvas.changeSelectionIndexes(IndexSet());
    EXPECT_FALSE(front.canvas.validateMenuItem(CanvasCommand::AlignWithGrid).enabled);

    // undo follows the history of the front side only
    EXPECT_FALSE(front.canvas.validateMenuItem(CanvasCommand::Undo).enabled);
    front.canvas.changeSelectionIndexes(IndexSet(1));
    front.canvas.moveRight();
    EXPECT_TRUE(front.canvas.validateMenuItem(CanvasCommand::Undo).enabled);
    EXPECT_FALSE(front.canvas.validateMenuItem(CanvasCommand::Redo).enabled);
    front.canvas.undo();
    EXPECT_TRUE(front.canvas.validateMenuItem(CanvasCommand::Redo).enabled);

    // the ruler item is always there and names what it will do
    const MenuItemState rulers = front.canvas.validateMenuItem(CanvasCommand::ShowOrHideRulers);
    EXPECT_TRUE(rulers.enabled);
    EXPECT_EQ(rulers.title, "Show Ruler");
}

TEST(CanvasMenuValidation, UndoOnTheBackSideNeverChangesTheFront)
{
    CanvasMainWindow window;
    SKTDocument document;
    SideSelection frontSelection, backSelection;
    frontSelection.setContent(&document, SKTDocumentGraphicsKey);
    backSelection.setContent(&document, SKTDocumentGraphicsKey_back);
    CanvasController front(QRectF(0, 0, 243, 154), &window), back(QRectF(0, 0, 243, 154), &window);
    front.bind(SKTDocumentGraphicsKey, &document, "document.graphics");
    front.bind(SKTGraphicViewSelectionIndexesBindingName, &frontSelection, "selectionIndexes");
    back.bind(SKTDocumentGraphicsKey_back, &document, "document.graphics_back");
    back.bind(SKTGraphicViewSelectionIndexesBindingName, &backSelection, "selectionIndexes");

    front.insertGraphics({rectangleAt({10, 10, 40, 30})}, IndexSet(0));
    ASSERT_TRUE(document.undoManager()->canUndo());
    EXPECT_FALSE(back.validateMenuItem(CanvasCommand::Undo).enabled);
    back.undo();
    EXPECT_EQ(document.graphicsForKey(SKTDocumentGraphicsKey).size(), 1);
    front.undo();
    EXPECT_TRUE(document.graphicsForKey(SKTDocumentGraphicsKey).isEmpty());
}

}
