#include "output/Printing_View.h"

#include <algorithm>

Printing_View::Printing_View(SheetPainter sheets)
    : m_sheets(std::move(sheets))
{
}

int Printing_View::numberOfPages() const
{
    return m_sheets.pagination().pageCount();
}

QRectF Printing_View::rectForPage(int page)
{
    curr_page_num = page;
    return QRectF(QPointF(0, 0), m_sheets.layout().sheetSize());
}

bool Printing_View::drawRect(QPainter& painter)
{
    const bool drawn = m_sheets.paintPage(painter, curr_page_num);
    countCellsThrough(curr_page_num);
    return drawn;
}

bool Printing_View::paintPages(QPainter& painter, int first, int last, const std::function<bool()>& newPage)
{
    int page = first;
    const bool done = m_sheets.paintPages(painter, first, last, [&] {
        countCellsThrough(page++);
        return newPage();
    });
    if (done)
        countCellsThrough(last);
    return done;
}

void Printing_View::countCellsThrough(int page)
{
    const SheetPagination& pages = m_sheets.pagination();
    const int perSheet = pages.rows() * pages.columns();
    barcode_counter = std::clamp(page * perSheet, 0, pages.total());
}
