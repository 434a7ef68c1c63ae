#pragma once

#include "output/SheetPainter.h"

#include <QRectF>

#include <functional>

class QPainter;

// The pages of a print job as the print system asks for them: how many
// there are, the rectangle of a page (every page is the whole sheet) and the
// drawing of the page last asked for. The sheets are drawn by a SheetPainter;
// this keeps count of the cells the job has consumed.
class Printing_View
{
public:
    explicit Printing_View(SheetPainter sheets);

    // Sheets of the job.
    int numberOfPages() const;
    // Makes `page` (from 1) the page drawn next; the sheet's rectangle in
    // points, origin at its top-left corner.
    QRectF rectForPage(int page);
    // Draws the page last asked for; false when a card failed to draw.
    bool drawRect(QPainter& painter);
    // Draws pages first..last in order, `newPage` called between them (its
    // false stops the job, which then fails).
    bool paintPages(QPainter& painter, int first, int last, const std::function<bool()>& newPage);

    const SheetPainter& sheets() const { return m_sheets; }

    int curr_page_num = 1;
    // Cells consumed by the pages drawn so far (those of the last one drawn
    // and every page before it).
    int barcode_counter = 0;

private:
    void countCellsThrough(int page);

    SheetPainter m_sheets;
};
