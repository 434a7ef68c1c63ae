#pragma once

// What the spreadsheet import dialogs make of a worksheet, without windows:
// the column picker's rows, the values of one series per ticked column, of
// one series from all ticked columns, and the imported spreadsheet table.
// Rows are the cell texts of a sheet, row 0 first, as the workbook reader
// gives them; a row may be shorter than the others.

#include "data/SheetRows.h"
#include "model/DesignFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class SpreadsheetImport
{
public:
    using Rows = SheetRows;

    // One row of the column picker: the sheet column at the same position.
    struct ColumnChoice {
        QString Extension;   // the title, trimmed
        QString Header;      // the title as the sheet gives it
        bool State = false;  // ticked
    };

    // One series to be written by the per-column import.
    struct ColumnSeries {
        int column = 0;      // the sheet column
        QString name;        // the series name made from the header cell
        QStringList values;  // one value per data row, empty cells included
    };

    // The imported table: titles of the row-number column and of every
    // imported column, and one row per data row keyed "Extension" (the row
    // number from 1) and "Column1" ... "ColumnN".
    struct Table {
        QStringList titles;
        QList<DesignFileRow> rows;
        // where the columns stood in the sheet, and its first row
        SheetColumns columns;
    };

    // Picker rows for the titles of a header row, all unticked; a blank
    // title keeps its row so positions stay those of the sheet's columns.
    static QList<ColumnChoice> choicesFromTitles(const QStringList& titles);
    static bool anyTicked(const QList<ColumnChoice>& choices);

    // One series per ticked column: the name is the column's header made
    // into a file name, the values the trimmed cells from row 1 (with a
    // header row) or row 0, an empty or missing cell giving "". Columns are
    // those of row 0.
    static QList<ColumnSeries> seriesPerColumn(const Rows& rows, const QList<ColumnChoice>& choices,
                                               bool containsHeader);

    // All ticked columns into one list: row after row, the ticked cells of a
    // row in column order, trimmed; empty cells give "".
    static QStringList valuesOfTickedColumns(const Rows& rows, const QList<ColumnChoice>& choices,
                                             bool containsHeader);

    // The imported table of the ticked columns. Titles: `rowNumberTitle`,
    // then the trimmed first-row cell of each ticked column (also without a
    // header row). Rows without any cell are left out. The table knows the
    // sheet columns it took, the sheet's whole first row, and whether that
    // row held titles.
    static Table tableFromRows(const Rows& rows, const QList<ColumnChoice>& choices, bool containsHeader,
                               const QString& rowNumberTitle);

    // Appends a table row of the first `count` cells of `cells` (trimmed),
    // numbered after the rows already there. False, with nothing added,
    // when `cells` holds fewer than `count`.
    static bool appendTableRow(QList<DesignFileRow>& rows, const QStringList& cells, int count);
};
