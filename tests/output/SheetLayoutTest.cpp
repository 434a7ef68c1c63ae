// Sheet geometry (the nine block positions, auto-centre, where pictures go
// in a cell), the fitting rule, refused zero sizes, and pagination worked out
// from the page number alone.

#include "output/SheetLayout.h"
#include "output/SheetPagination.h"

#include <QtMath>
#include <gtest/gtest.h>

#include <limits>

namespace {

// 600 x 800 paper, margins 50, 2 x 2 cells of 100 x 150, gaps 10.
SheetLayout grid(int position)
{
    SheetLayout layout;
    layout.setPaper({600, 800});
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 50;
    layout.setRows(2);
    layout.setColumns(2);
    layout.setCardSize({100, 150});
    layout.horizontalGap = layout.verticalGap = 10;
    layout.position = position;
    return layout;
}

}

TEST(SheetLayout, NinePositionsPlaceTheBlock)
{
    // Block 210 x 310 on a printable area of 500 x 700; page coordinates,
    // y down. Columns: left 50, centre 195, right 340; rows: top 50,
    // middle 245, bottom 440; the second column and row one cell and one
    // gap further.
    const struct {
        int position;
        double x, y;
    } cases[] = {
        {1, 50, 50},   {2, 195, 50},  {3, 340, 50},  {4, 50, 245},  {5, 195, 245},
        {6, 340, 245}, {7, 50, 440},  {8, 195, 440}, {9, 340, 440}, {0, 50, 50},
    };
    for (const auto& c : cases) {
        const SheetLayout layout = grid(c.position);
        EXPECT_EQ(layout.cellRect(1, 1), QRectF(c.x, c.y, 100, 150)) << c.position;
        EXPECT_EQ(layout.cellRect(1, 2), QRectF(c.x + 110, c.y, 100, 150)) << c.position;
        EXPECT_EQ(layout.cellRect(2, 1), QRectF(c.x, c.y + 160, 100, 150)) << c.position;
    }
    // auto-centre spreads the cells whatever the position: 2 columns of 100
    // on 500 leave gaps of 100, the first one before column 1
    SheetLayout spread = grid(9);
    spread.autoCenter = true;
    spread = spread.fitted();
    EXPECT_DOUBLE_EQ(spread.horizontalGap, 100);
    EXPECT_DOUBLE_EQ(spread.verticalGap, 400.0 / 3);
    EXPECT_DOUBLE_EQ(spread.cellRect(1, 1).x(), 150);
    EXPECT_DOUBLE_EQ(spread.cellRect(2, 2).x(), 350);
    EXPECT_DOUBLE_EQ(spread.cellRect(1, 1).y(), 50 + 400.0 / 3);
    EXPECT_DOUBLE_EQ(spread.cellRect(2, 1).bottom(), 750 - 400.0 / 3);
}

TEST(SheetLayout, PicturesSitInTheirCells)
{
    // The cell of position 1 on a 600 x 800 paper with no margins starts at
    // (0, 0); offsets of the picture(s) from there, y down.
    const struct {
        QString side, arrangement;
        QSizeF card, picture;
        QPointF front, back;
    } cases[] = {
        {"F", "U", {120, 80}, {100, 60}, {10, 10}, {}},
        {"B", "U", {120, 80}, {100, 60}, {10, 10}, {}},
        // larger than the cell: from the cell's bottom-left corner upwards
        {"F", "U", {80, 50}, {100, 60}, {0, -10}, {}},
        // front above back, filling the cell exactly, or against its top
        {"BOTH", "U", {100, 60}, {100, 60}, {0, 0}, {0, 60}},
        {"BOTH", "U", {100, 70}, {100, 60}, {0, 0}, {0, 60}},
        // front left of back, the pair centred
        {"BOTH", "L", {110, 60}, {100, 60}, {10, 0}, {110, 0}},
        {"BOTH", "L", {110, 80}, {100, 60}, {10, 10}, {110, 10}},
    };
    for (const auto& c : cases) {
        SheetLayout layout;
        layout.setPaper({600, 800});
        layout.setSide(c.side);
        layout.setArrangement(c.arrangement);
        layout.setCardSize(c.card);
        const SheetLayout::Placement place = layout.placement(1, 1, c.picture);
        EXPECT_EQ(place.cell.topLeft(), QPointF(0, 0)) << c.side.toStdString();
        EXPECT_EQ(place.picture, QRectF(c.front, c.picture)) << c.side.toStdString() << c.card.height();
        EXPECT_EQ(place.back, layout.printsBothSides() ? QRectF(c.back, c.picture) : QRectF())
            << c.side.toStdString();
    }
    SheetLayout twoSided;
    twoSided.setSide("BOTH");
    twoSided.setCardSize({100, 60});
    EXPECT_EQ(twoSided.cellSize(), QSizeF(100, 120));
    twoSided.setArrangement("L");
    EXPECT_EQ(twoSided.cellSize(), QSizeF(200, 60));
}

TEST(SheetLayout, FittingRuleLowersCountsOnly)
{
    const struct {
        const char* name;
        double paper, margin, cell, gap;
        int count;
        bool autoCenter;
        int fittedCount;
        double fittedGap;
    } cases[] = {
        {"auto: gaps spread", 320, 10, 60, 0, 3, true, 3, 30},
        {"auto: too many columns", 320, 10, 60, 7, 6, true, 5, 0},
        {"auto: not even one fits", 320, 10, 400, 0, 2, true, 1, 0},
        {"manual: 340 pt block on 300", 320, 10, 100, 20, 3, false, 2, 20},
        {"manual: exact fit is not a fit", 320, 10, 75, 0, 4, false, 4, 0},
        {"manual: never raised", 500, 0, 50, 0, 1, false, 1, 0},
        {"manual: cell wider than paper", 320, 10, 400, 5, 3, false, 1, 5},
    };
    for (const auto& c : cases) {
        SheetLayout layout;
        layout.setPaper({c.paper, c.paper});
        layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = c.margin;
        layout.setCardSize({c.cell, c.cell});
        layout.horizontalGap = layout.verticalGap = c.gap;
        layout.setColumns(c.count);
        layout.setRows(c.count);
        layout.autoCenter = c.autoCenter;
        const SheetLayout fitted = layout.fitted();
        EXPECT_EQ(fitted.columns(), c.fittedCount) << c.name;
        EXPECT_EQ(fitted.rows(), c.fittedCount) << c.name;
        EXPECT_DOUBLE_EQ(fitted.horizontalGap, c.fittedGap) << c.name;
    }
    // both sides in one cell: "U" doubles the height the rule uses
    SheetLayout both;
    both.setPaper({300, 300});
    both.setCardSize({100, 100});
    both.setRows(2);
    both.setColumns(2);
    both.setSide("BOTH");
    EXPECT_EQ(both.fitted().rows(), 1);
    EXPECT_EQ(both.fitted().columns(), 2);
    // landscape swaps the paper
    both.setLandscape(true);
    EXPECT_EQ(both.sheetSize(), QSizeF(300, 300));
    SheetLayout a4;
    a4.setPaper({595, 842});
    a4.setLandscape(true);
    EXPECT_EQ(a4.sheetSize(), QSizeF(842, 595));
}

TEST(SheetLayout, ZeroCountsAndSizesNeverReachTheGeometry)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SheetLayout layout;
    layout.setRows(0);
    layout.setColumns(-4);
    layout.setCardSize({0, nan});
    EXPECT_EQ(layout.rows(), 1);
    EXPECT_EQ(layout.columns(), 1);
    EXPECT_EQ(layout.cardSize(), QSizeF(SheetLayout::minimumCardSide, SheetLayout::minimumCardSide));
    const SheetLayout fitted = layout.fitted();
    EXPECT_GE(fitted.rows(), 1);
    EXPECT_TRUE(qIsFinite(fitted.cellRect(1, 1).x()) && qIsFinite(fitted.horizontalGap));
    layout.setSide("front");
    EXPECT_EQ(layout.side(), "B");
    // a job of no card is refused before any page
    const SheetPagination none(0, 0, 0);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(none.rows(), 1);
    EXPECT_EQ(none.pageCount(), 0);
    EXPECT_EQ(SheetPagination::emptyJobMessage(), "There is no barcode to print.");
}

TEST(SheetPagination, PagesCellsAndRecordsFromThePageNumber)
{
    using Cells = std::vector<std::vector<int>>; // per page: the records (or cells) shown
    const struct {
        int rows, columns, total, records;
        int pages;
        Cells cells;
    } cases[] = {
        {2, 2, 7, -1, 2, {{0, 1, 2, 3}, {4, 5, 6}}},
        {2, 2, 8, -1, 2, {{0, 1, 2, 3}, {4, 5, 6, 7}}},
        // records run out before the typed total: the rest stays empty
        {3, 3, 8, 5, 1, {{0, 1, 2, 3, 4}}},
        {1, 2, 5, 3, 3, {{0, 1}, {2}, {}}},
        // more records than the total
        {2, 3, 10, 20, 2, {{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9}}},
        {1, 1, 3, 3, 3, {{0}, {1}, {2}}},
        {4, 4, 0, -1, 0, {}},
    };
    for (const auto& c : cases) {
        const SheetPagination pages(c.rows, c.columns, c.total, c.records);
        ASSERT_EQ(pages.pageCount(), c.pages) << c.total;
        // asked backwards, each page is what it is
        for (int p = c.pages; p >= 1; --p) {
            std::vector<int> shown;
            for (const SheetPagination::Cell& cell : pages.cellsOfPage(p)) {
                shown.push_back(c.records < 0 ? cell.index : cell.record);
                EXPECT_EQ(cell.record < 0, c.records < 0);
                EXPECT_EQ((cell.row - 1) * c.columns + cell.column - 1, cell.index - (p - 1) * c.rows * c.columns);
            }
            EXPECT_EQ(shown, c.cells[p - 1]) << c.rows << "x" << c.columns << " total " << c.total << " page " << p;
        }
        EXPECT_TRUE(pages.cellsOfPage(0).empty());
        EXPECT_TRUE(pages.cellsOfPage(c.pages + 1).empty());
    }
    // 7 on 2 x 2: the last page is row 1 both columns, row 2 column 1
    const std::vector<SheetPagination::Cell> last = SheetPagination(2, 2, 7).cellsOfPage(2);
    ASSERT_EQ(last.size(), 3u);
    EXPECT_EQ(last[2].row, 2);
    EXPECT_EQ(last[2].column, 1);
    // a preview stops at 50 sheets, printing does not
    const SheetPagination many(1, 1, 51);
    EXPECT_EQ(many.pageCount(), 51);
    EXPECT_EQ(many.previewPageCount(), 50);
    EXPECT_TRUE(many.previewIsCut());
    EXPECT_FALSE(SheetPagination(1, 1, 50).previewIsCut());
}
