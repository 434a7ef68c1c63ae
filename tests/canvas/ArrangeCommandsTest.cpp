// Stacking, alignment, sizes, grid snapping and the print flag on small sides,
// with the lock rule and undo as one step.

#include "CanvasTestSupport.h"

#include "canvas/ArrangeCommands.h"
#include "model/SKTLine.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <gtest/gtest.h>

namespace {

class CountingMainWindow : public CanvasMainWindow
{
public:
    void Undo_Redo_Button_state() override { ++buttonStates; }
    int buttonStates = 0;
};

// Four objects on a 243 x 154 card, the one at index 2 locked.
struct FourObjects : BoundCanvas {
    explicit FourObjects(CanvasHost* host = nullptr) : BoundCanvas(host)
    {
        fill({rectangleAt({10, 10, 40, 30}), rectangleAt({20, 50, 60, 20}), rectangleAt({100, 5, 30, 60}),
              rectangleAt({5, 90, 50, 10})});
        at(2)->ctrl_is_locked = true;
    }
    QList<QRectF> bounds() const
    {
        QList<QRectF> result;
        for (const GraphicPtr& g : list())
            result.append(g->bounds());
        return result;
    }
    ArrangeCommands commands {canvas};
};

TEST(ArrangeCommandsTest, StackingMovesTheSelectionInItsOwnOrderAndUndoesAsOneStep)
{
    struct Case {
        int count;
        IndexSet selection;
        bool toFront;
        QList<int> order;   // original indexes, topmost first
    };
    const Case cases[] = {
        {6, {2, 5}, true, {2, 5, 0, 1, 3, 4}},
        {3, {0}, false, {1, 2, 0}},
        {4, {0, 2}, false, {1, 3, 0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.count << " objects, front " << c.toFront);
        BoundCanvas s;
        GraphicList objects;
        for (int i = 0; i < c.count; ++i)
            objects.append(rectangleAt({10.0 * i, 0, 5, 5}));
        s.fill(objects);
        s.canvas.changeSelectionIndexes(c.selection);
        ArrangeCommands arrange(s.canvas);
        c.toFront ? arrange.bringToFront() : arrange.sendToBack();

        GraphicList expected;
        for (int i : c.order)
            expected.append(objects.at(i));
        EXPECT_EQ(s.list(), expected);
        const int first = c.toFront ? 0 : c.count - c.selection.count();
        EXPECT_EQ(s.selected(), IndexSet::range(first, c.selection.count()));

        s.canvas.undo();
        EXPECT_EQ(s.list(), objects);
        EXPECT_EQ(s.selected(), c.selection);
        EXPECT_FALSE(s.undo().canUndo());
    }
}

TEST(ArrangeCommandsTest, AlignmentAndSizesMoveOnlyUnlockedObjectsAndUndoAsOneStep)
{
    using Command = void (ArrangeCommands::*)();
    struct Case {
        const char* name;
        Command command;
        IndexSet selection;
        QList<std::pair<int, QRectF>> changed;   // all others keep their bounds
    };
    // 0 (10, 10, 40, 30), 1 (20, 50, 60, 20), 2 locked (100, 5, 30, 60), 3 (5, 90, 50, 10)
    const Case cases[] = {
        {"left, locked passed by", &ArrangeCommands::alignLeftEdges, {1, 2, 3}, {{3, {20, 90, 50, 10}}}},
        {"right, one object on the card", &ArrangeCommands::alignRightEdges, {0}, {{0, {203, 10, 40, 30}}}},
        {"right", &ArrangeCommands::alignRightEdges, {0, 3}, {{3, {0, 90, 50, 10}}}},
        {"top, locked reference", &ArrangeCommands::alignTopEdges, {2, 3}, {{3, {5, 5, 50, 10}}}},
        {"top, one locked object", &ArrangeCommands::alignTopEdges, {2}, {}},
        {"bottom", &ArrangeCommands::alignBottomEdges, {0, 1}, {{1, {20, 20, 60, 20}}}},
        {"bottom, one object", &ArrangeCommands::alignBottomEdges, {3}, {{3, {5, 144, 50, 10}}}},
        {"horizontal centres", &ArrangeCommands::alignHorizontalCenters, {0, 1}, {{1, {0, 50, 60, 20}}}},
        {"vertical centres", &ArrangeCommands::alignVerticalCenters, {1, 3}, {{3, {5, 55, 50, 10}}}},
        {"card centre", &ArrangeCommands::alignformCenter, {0, 1, 2}, {{0, {101.5, 62, 40, 30}}, {1, {91.5, 67, 60, 20}}}},
        {"same width", &ArrangeCommands::makeSameWidth, {2, 3}, {{3, {5, 90, 30, 10}}}},
        {"same height, locked passed by", &ArrangeCommands::makeSameHeight, {1, 2, 3}, {{3, {5, 90, 50, 20}}}},
        {"same width of one object", &ArrangeCommands::makeSameWidth, {1}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingMainWindow window;
        FourObjects s(&window);
        const QList<QRectF> before = s.bounds();
        QList<QRectF> expected = before;
        for (const auto& [index, bounds] : c.changed)
            expected[index] = bounds;
        s.canvas.changeSelectionIndexes(c.selection);

        (s.commands.*c.command)();
        EXPECT_EQ(s.bounds(), expected);
        // The button state is left alone when the one selected object is locked.
        EXPECT_EQ(window.buttonStates, c.selection == IndexSet {2} ? 0 : 1);
        s.undo().undo();
        EXPECT_EQ(s.bounds(), before);
        EXPECT_FALSE(s.undo().canUndo());
    }
}

TEST(ArrangeCommandsTest, NaturalSizePassesByLinesSquaresAndLockedObjects)
{
    auto line = std::make_shared<SKTLine>();
    line->_bounds = QRectF(10, 100, 80, 0);
    BoundCanvas s;
    s.fill({line, rectangleAt({10, 10, 30, 50}), rectangleAt({60, 10, 30, 50}), rectangleAt({100, 10, 20, 20})});
    s.at(2)->ctrl_is_locked = true;
    ArrangeCommands commands(s.canvas);
    commands.selectAll();
    commands.makeNaturalSize();
    EXPECT_EQ(s.at(0)->bounds(), QRectF(10, 100, 80, 0));
    EXPECT_EQ(s.at(1)->bounds(), QRectF(10, 10, 30, 30));
    EXPECT_EQ(s.at(2)->bounds(), QRectF(60, 10, 30, 50));
    s.undo().undo();
    EXPECT_EQ(s.at(1)->bounds(), QRectF(10, 10, 30, 50));
}

TEST(ArrangeCommandsTest, LockedObjectsRefuseStackingAndArePassedByGridAndPrintFlag)
{
    ScriptedMessagePresenter presenter;
    MessagePresenter::install(&presenter);
    FourObjects s;
    const GraphicList order = s.list();
    const QList<QRectF> before = s.bounds();
    s.canvas.changeSelectionIndexes({0, 2, 3});
    s.commands.bringToFront();
    s.commands.sendToBack();
    EXPECT_EQ(s.list(), order);
    EXPECT_EQ(presenter.texts(), QStringList(2, "\nSelected control is locked."));
    MessagePresenter::install(nullptr);

    s.canvas.setGrid(&s.grid);
    s.grid._spacing = 50;   // object 3's height would snap to nothing
    s.commands.alignWithGrid();
    EXPECT_EQ(s.bounds(), QList<QRectF>({{0, 0, 50, 50}, before[1], before[2], {0, 100, 50, 50}}));

    s.commands.print_contol_or_not(1);
    QList<int> flags;
    for (const GraphicPtr& g : s.list())
        flags.append(g->print_object);
    EXPECT_EQ(flags, QList<int>({1, 0, 0, 1}));
}

}   // namespace
