#include "output/SheetPagination.h"

#include <algorithm>

SheetPagination::SheetPagination(int rows, int columns, int total, int records)
    : m_rows(std::max(1, rows)), m_columns(std::max(1, columns)), m_total(std::max(0, total)),
      m_records(records < 0 ? -1 : records)
{
}

QString SheetPagination::emptyJobMessage()
{
    return QStringLiteral("There is no barcode to print.");
}

int SheetPagination::pageCount() const
{
    const long long perPage = (long long)m_rows * m_columns;
    return int((m_total + perPage - 1) / perPage);
}

int SheetPagination::previewPageCount() const
{
    return std::min(pageCount(), previewPageLimit);
}

QString SheetPagination::previewLimitMessage()
{
    return QStringLiteral("For Qualitative and Performance reason, previewer shows print previews of only first 50 "
                          "sheets. However, printing has no such restriction.");
}

int SheetPagination::filledCells() const
{
    return printsRecords() ? std::min(m_total, m_records) : m_total;
}

std::vector<SheetPagination::Cell> SheetPagination::cellsOfPage(int page) const
{
    std::vector<Cell> cells;
    if (page < 1 || page > pageCount())
        return cells;
    const long long perPage = (long long)m_rows * m_columns;
    const long long first = (page - 1) * perPage;
    const long long end = std::min<long long>(first + perPage, filledCells());
    for (long long k = first; k < end; ++k) {
        const int inPage = int(k - first);
        Cell cell;
        cell.row = inPage / m_columns + 1;
        cell.column = inPage % m_columns + 1;
        cell.index = int(k);
        cell.record = printsRecords() ? int(k) : -1;
        cells.push_back(cell);
    }
    return cells;
}
