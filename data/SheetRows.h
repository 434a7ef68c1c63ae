#pragma once

// The rows of a worksheet as the workbook reader gives them. A row has a
// length (the sheet's column count for a row read from a sheet) but keeps
// only its cells that hold text, each with its column, and the texts of all
// cells lie in one buffer: a sheet costs what it holds, not its width times
// its height. A row with one value in column XFD is one cell, not 16,384.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "data/TextPool.h"

#include <initializer_list>

class SheetRows
{
public:
    // A cell of a row: its column from 0 and its text.
    struct Cell
    {
        int column;
        QStringView text;
    };

    SheetRows() = default;
    // A table of full rows (each list one row, an empty entry an empty cell).
    SheetRows(std::initializer_list<QStringList> rows);
    explicit SheetRows(const QList<QStringList>& rows);

    qsizetype size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // The entries row `row` stands for, empty ones included.
    int rowLength(qsizetype row) const { return m_rows.at(row).length; }
    // The text at `column` of `row`; "" for an empty cell or one beyond the row.
    QString value(qsizetype row, int column) const;
    // Row `row` with all its entries (rowLength of them); row 0 for first().
    QStringList row(qsizetype row) const;
    QStringList first() const { return row(0); }
    // The cells of `row` that hold text, by column.
    qsizetype cellCount(qsizetype row) const;
    Cell cell(qsizetype row, qsizetype index) const;
    // Cells with text and their characters, over all rows.
    qsizetype cellCount() const { return m_cells.size(); }
    qsizetype textLength() const { return m_text.size(); }
    // Every row with all its entries: for small tables.
    QList<QStringList> toTable() const;

    // Building, row by row: a new row of `length` entries, then its cells
    // with text in any order (a later text for the same column replaces the
    // earlier one); a row is done when the next begins or on finish().
    void appendRow(int length);
    void setCell(int column, QStringView text);
    // A cell whose text is entry `index` of `shared`, kept by reference:
    // the rows share the pool (the first one given) instead of copying it.
    void setSharedCell(int column, const TextPool& shared, qsizetype index);
    void finish();
    // Makes every row stand for `length` entries; false, with nothing
    // changed, when a cell lies at `length` or beyond.
    bool setRowLengths(int length);
    // Keeps the first `count` rows (all of them when there are fewer), done
    // as finish() does them.
    void truncate(qsizetype count);
    // Empties the rows and gives their buffers back.
    void clear();

    bool operator==(const SheetRows& other) const;

private:
    // A cell of the shared pool has SharedFlag in its column.
    static constexpr int SharedFlag = 1 << 30;
    struct StoredCell
    {
        int column;
        int length;
        qsizetype start;
        int index() const { return column & ~SharedFlag; }
    };
    QStringView textOf(const StoredCell& c) const;
    void store(int column, int length, qsizetype start);
    struct Row
    {
        qsizetype firstCell;
        int length;
    };
    qsizetype cellEnd(qsizetype row) const;
    const StoredCell* find(qsizetype row, int column) const;

    QString m_text;
    TextPool m_shared;
    QList<StoredCell> m_cells;
    QList<Row> m_rows;
    bool m_ordered = true; // the open row's cells came in column order
};
