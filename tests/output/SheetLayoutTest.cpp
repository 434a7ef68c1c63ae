// Sheet geometry (the nine block positions, auto-centre, pictures in a
// cell), the fitting rule, refused zero sizes, and pagination from the page
// number alone.

#include "output/SheetLayout.h"
#include "output/SheetPagination.h"

#include <QtMath>
#include <gtest/gtest.h>

#include <limits>

TEST(SheetLayout, NinePositionsAndAutoCentrePlaceTheBlock)
{
    // 600 x 800 paper, margins 50, 2 x 2 cells of 100 x 150, gaps 10: block
    // 210 x 310 on 500 x 700. Page coordinates, y down.
    SheetLayout layout;
    layout.setPaper({600, 800});
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 50;
    layout.setRows(2);
    layout.setColumns(2);
    layout.setCardSize({100, 150});
    layout.horizontalGap = layout.verticalGap = 10;
    const struct {
        int position;
        double x, y;
    } cases[] = {{1, 50, 50},   {2, 195, 50},  {3, 340, 50},  {4, 50, 245}, {5, 195, 245},
                 {6, 340, 245}, {7, 50, 440},  {8, 195, 440}, {9, 340, 440}, {0, 50, 50}};
    for (const auto& c : cases) {
        layout.position = c.position;
        EXPECT_EQ(layout.cellRect(1, 1), QRectF(c.x, c.y, 100, 150)) << c.position;
        EXPECT_EQ(layout.cellRect(2, 2), QRectF(c.x + 110, c.y + 160, 100, 150)) << c.position;
    }
    // auto-centre: 2 columns of 100 on 500 leave gaps of 100, one before
    // column 1; rows likewise
    layout.autoCenter = true;
    const SheetLayout spread = layout.fitted();
    EXPECT_DOUBLE_EQ(spread.cellRect(1, 1).x(), 150);
    EXPECT_DOUBLE_EQ(spread.cellRect(2, 2).x(), 350);
    EXPECT_DOUBLE_EQ(spread.cellRect(1, 1).y(), 50 + 400.0 / 3);
    EXPECT_DOUBLE_EQ(spread.cellRect(2, 1).bottom(), 750 - 400.0 / 3);
}

TEST(SheetLayout, PicturesSitInTheirCells)
{
    // Offsets from the cell's top-left corner (0, 0), y down.
    const struct {
        QString side, arrangement;
        QSizeF card, picture, cell;
        QPointF front, back;
    } cases[] = {
        {"F", "U", {120, 80}, {100, 60}, {120, 80}, {10, 10}, {}},
        {"B", "U", {120, 80}, {100, 60}, {120, 80}, {10, 10}, {}},
        // larger than the cell: from the cell's bottom-left corner upwards
        {"F", "U", {80, 50}, {100, 60}, {80, 50}, {0, -10}, {}},
        // front above back, filling the cell, or against its top
        {"BOTH", "U", {100, 60}, {100, 60}, {100, 120}, {0, 0}, {0, 60}},
        {"BOTH", "U", {100, 70}, {100, 60}, {100, 140}, {0, 0}, {0, 60}},
        // front left of back, the pair centred
        {"BOTH", "L", {110, 80}, {100, 60}, {220, 80}, {10, 10}, {110, 10}},
    };
    for (const auto& c : cases) {
        SheetLayout layout;
        layout.setSide(c.side);
        layout.setArrangement(c.arrangement);
        layout.setCardSize(c.card);
        const SheetLayout::Placement place = layout.placement(1, 1, c.picture);
        EXPECT_EQ(place.cell, QRectF(QPointF(0, 0), c.cell)) << c.side.toStdString();
        EXPECT_EQ(place.picture, QRectF(c.front, c.picture)) << c.side.toStdString() << c.card.height();
        EXPECT_EQ(place.back, c.side == "BOTH" ? QRectF(c.back, c.picture) : QRectF()) << c.side.toStdString();
    }
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
        {"auto: too many", 320, 10, 60, 7, 6, true, 5, 0},
        {"auto: not even one fits", 320, 10, 400, 0, 2, true, 1, 0},
        {"manual: 340 pt block on 300", 320, 10, 100, 20, 3, false, 2, 20},
        {"manual: exact fit is no fit", 320, 10, 75, 0, 4, false, 4, 0},
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
    // both sides "U": the rule uses the doubled height
    SheetLayout both;
    both.setPaper({300, 300});
    both.setCardSize({100, 100});
    both.setSide("BOTH");
    both.setRows(2);
    EXPECT_EQ(both.fitted().rows(), 1);
}

TEST(SheetLayout, ZeroCountsAndSizesAreRefused)
{
    SheetLayout layout;
    layout.setRows(0);
    layout.setColumns(-4);
    layout.setCardSize({0, std::numeric_limits<double>::quiet_NaN()});
    EXPECT_EQ(layout.rows(), 1);
    EXPECT_EQ(layout.columns(), 1);
    EXPECT_EQ(layout.cardSize(), QSizeF(SheetLayout::minimumCardSide, SheetLayout::minimumCardSide));
    EXPECT_TRUE(qIsFinite(layout.fitted().cellRect(1, 1).x()) && qIsFinite(layout.fitted().horizontalGap));
    const SheetPagination none(0, 0, 0);
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(none.pageCount(), 0);
    EXPECT_EQ(SheetPagination::emptyJobMessage(), "There is no barcode to print.");
}

TEST(SheetPagination, PagesCellsAndRecordsFromThePageNumber)
{
    const struct {
        int rows, columns, total, records, pages;
        std::vector<std::vector<int>> shown; // per page: the records (or cells)
    } cases[] = {
        {2, 2, 7, -1, 2, {{0, 1, 2, 3}, {4, 5, 6}}},
        {2, 2, 8, -1, 2, {{0, 1, 2, 3}, {4, 5, 6, 7}}},
        // records run out before the typed total: the rest stays empty
        {3, 3, 8, 5, 1, {{0, 1, 2, 3, 4}}},
        {1, 2, 5, 3, 3, {{0, 1}, {2}, {}}},
        {2, 3, 10, 20, 2, {{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9}}},
        {4, 4, 0, -1, 0, {}},
    };
    for (const auto& c : cases) {
        const SheetPagination pages(c.rows, c.columns, c.total, c.records);
        ASSERT_EQ(pages.pageCount(), c.pages) << c.total;
        for (int p = c.pages; p >= 1; --p) { // asked backwards
            std::vector<int> shown;
            for (const SheetPagination::Cell& cell : pages.cellsOfPage(p)) {
                shown.push_back(c.records < 0 ? cell.index : cell.record);
                EXPECT_EQ((cell.row - 1) * c.columns + cell.column - 1, cell.index - (p - 1) * c.rows * c.columns);
            }
            EXPECT_EQ(shown, c.shown[p - 1]) << c.rows << "x" << c.columns << " total " << c.total << " page " << p;
        }
        EXPECT_TRUE(pages.cellsOfPage(0).empty());
        EXPECT_TRUE(pages.cellsOfPage(c.pages + 1).empty());
    }
    // a preview stops at 50 sheets, printing does not
    EXPECT_EQ(SheetPagination(1, 1, 51).pageCount(), 51);
    EXPECT_EQ(SheetPagination(1, 1, 51).previewPageCount(), 50);
    EXPECT_TRUE(SheetPagination(1, 1, 51).previewIsCut());
    EXPECT_FALSE(SheetPagination(1, 1, 50).previewIsCut());
}
