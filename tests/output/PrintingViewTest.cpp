// The pages of a print job as the print system asks for them, and the count
// of cells a job has consumed.

#include "output/Printing_View.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

Printing_View viewOf(int rows, int columns, int total, bool landscape = false)
{
    SheetLayout layout;
    layout.setRows(rows);
    layout.setColumns(columns);
    layout.setCardSize(QSizeF(100, 60));
    layout.setLandscape(landscape);
    // no card pictures: every cell gets the invalid-data caption
    return Printing_View(SheetPainter(layout, SheetPagination(rows, columns, total),
                                      [](int, int) { return std::shared_ptr<SideSnapshot>(); }));
}

TEST(PrintingView, PagesAndTheCellsEachConsumes)
{
    struct Case { int rows, columns, total, pages; std::vector<int> countAfterPage; };
    for (const Case& c : {Case{2, 2, 10, 3, {4, 8, 10}}, Case{1, 1, 1, 1, {1}}, Case{3, 2, 6, 1, {6}},
                          Case{2, 3, 0, 0, {}}}) {
        Printing_View view = viewOf(c.rows, c.columns, c.total);
        ASSERT_EQ(view.numberOfPages(), c.pages) << c.total;
        QImage sheet(600, 850, QImage::Format_RGB32);
        QPainter painter(&sheet);
        // asked for in any order: the count follows the page drawn
        for (int page = c.pages; page >= 1; --page) {
            EXPECT_EQ(view.rectForPage(page), QRectF(0, 0, 595.27559055, 841.88976378));
            EXPECT_EQ(view.curr_page_num, page);
            view.drawRect(painter);
            EXPECT_EQ(view.barcode_counter, c.countAfterPage[size_t(page - 1)]) << c.total << " page " << page;
        }
        Printing_View whole = viewOf(c.rows, c.columns, c.total);
        if (c.pages > 0) {
            int between = 0;
            EXPECT_TRUE(whole.paintPages(painter, 1, c.pages, [&] { return ++between > 0; }));
            EXPECT_EQ(between, c.pages - 1);
            EXPECT_EQ(whole.barcode_counter, c.total);
        }
    }
    // a landscape sheet lies wide
    Printing_View wide = viewOf(1, 1, 1, true);
    EXPECT_GT(wide.rectForPage(1).width(), wide.rectForPage(1).height());
}

}
