#pragma once

#include <QString>
#include <vector>

// Which cell of which page shows which card of a print job, worked out for
// each page from its page number alone (as a page renderer asks for pages,
// in any order and more than once), never from the pages drawn before.
//
// Cells are numbered over the whole job, row by row from the top-left cell
// of page 1: page p starts with cell (p - 1) x rows x columns. A job fills
// `total` cells; with a record source (data printing) cell k shows record k
// while there are records, and the cells past the last record stay empty.
class SheetPagination
{
public:
    // At most this many pages in a preview.
    static constexpr int previewPageLimit = 50;

    // `total` cells on sheets of `rows` x `columns` (counts below 1 count as
    // 1, a negative total as 0); `records` is the record count of data
    // printing, or negative when every cell shows the card as designed.
    SheetPagination(int rows, int columns, int total, int records = -1);

    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    int total() const { return m_total; }
    bool printsRecords() const { return m_records >= 0; }
    int records() const { return m_records; }

    // A job of no card at all is refused before any page is asked for.
    bool isEmpty() const { return m_total == 0; }
    static QString emptyJobMessage();

    // Sheets of the job: total / (rows x columns), rounded up; a preview
    // stops at previewPageLimit.
    int pageCount() const;
    int previewPageCount() const;
    // A preview that stops short of the job says so.
    bool previewIsCut() const { return pageCount() > previewPageLimit; }
    static QString previewLimitMessage();

    struct Cell
    {
        int row = 1;     // 1..rows, from the top
        int column = 1;  // 1..columns, from the left
        int index = 0;   // cell number over the job, from 0
        int record = -1; // the record shown, -1 for the card as designed
        bool operator==(const Cell& other) const = default;
    };
    // The filled cells of page `page` (from 1), in row order; none for a
    // page past the job.
    std::vector<Cell> cellsOfPage(int page) const;
    // Cells the job fills (with data printing, no more than the records).
    int filledCells() const;

private:
    int m_rows;
    int m_columns;
    int m_total;
    int m_records;
};
