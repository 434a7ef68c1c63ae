#pragma once

// Where the columns of a spreadsheet table stood in the sheet they were read
// from, and what the sheet's first row held then. The table takes only the
// ticked columns; a newly read table is set against the sheet, not against
// the ticked columns, so that a column left unticked is never taken for a
// renamed one. A table read before this was kept knows neither (`known()`
// false).
// A sheet read without a title row gives its first row as data: its values
// still title the table's columns, but they name nothing, and such a table
// is bound by sheet place alone (`firstRowTitles` false, known or not).

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct SheetColumns
{
    // For each column of the table (index 0: the row number, 0) the sheet
    // column it stood at, from 1; rising.
    QList<int> places;
    // The sheet's first-row cells, trimmed, when the table was read; index 0
    // stands for the row number and holds "".
    QStringList titles;
    // Whether the sheet's first row held titles; false when the table was
    // read without a title row, the first row being its first record.
    bool firstRowTitles = true;

    // The most sheet columns a layout is taken with (a workbook's limit).
    static constexpr int maxColumns = 16384;

    bool known() const { return !places.isEmpty(); }
    // Whether this layout can be the one of a table titled `tableTitles`
    // (row-number column first): a place for each column, rising, within
    // the sheet, and each column's title the sheet's title at its place.
    bool fits(const QStringList& tableTitles) const;
    // The table column standing at sheet column `place`; -1 when none does.
    int columnAt(int place) const;
    // Whether the first row of a table titled `tableTitles` (row-number
    // column first; a row keyed "Column1", ...) repeats its titles: how a
    // table read without a title row tells so where nothing else does.
    static bool firstRowRepeats(const QStringList& tableTitles, const QMap<QString, QString>& firstRow);

    bool operator==(const SheetColumns&) const = default;
};
