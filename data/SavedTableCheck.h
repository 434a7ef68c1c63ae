#pragma once

// Whether the workbook a design's spreadsheet table was read from still
// reads as that table. A design keeps the table (its column titles and
// rows) and the workbook's path, but neither the sheet nor the columns
// chosen nor the header box: the workbook is read again the way that table
// came about as far as the table tells. The sheet is the first one (in the
// workbook's order) whose first row holds the most of the table's titles;
// the columns are those whose first-row cell is one of the titles, in the
// sheet's order (all columns of the first sheet when no sheet holds any);
// the first row holds titles unless the table's first row repeats them.
// Runs on a worker thread: it touches no window and no card object.

#include "data/SpreadsheetImport.h"

#include <QList>
#include <QString>
#include <QStringList>

struct WorkbookAccess;

class SavedTableCheck
{
public:
    enum class Outcome {
        Unreadable, // gone, refused, or without a row
        Same,
        Changed,
    };

    struct Result
    {
        Outcome outcome = Outcome::Unreadable;
        // the table read now (its row-number column titled as the saved one)
        SpreadsheetImport::Table table;
        int savedRows = 0;
        int nowRows = 0;
        // rows, among those both tables have, with a cell that differs
        int differingRows = 0;
        bool titlesDiffer = false;
    };

    // Reads the workbook at `path` through `access` and compares it with the
    // saved table.
    static Result check(const WorkbookAccess& access, const QString& path, const QStringList& savedTitles,
                        const QList<DesignFileRow>& savedRows);

    // The parts of the check, for any rows.
    // How many of the saved titles (from position 1, blank ones left out)
    // are among the cells of `header`.
    static int titlesFound(const QStringList& header, const QStringList& savedTitles);
    // The columns of a first row to take: those whose trimmed cell is a
    // saved title; every column when there is none.
    static QList<SpreadsheetImport::ColumnChoice> columnsFor(const QStringList& header, const QStringList& savedTitles);
    // The saved table was read without a header row: its first row is its
    // titles again.
    static bool firstRowIsData(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows);
    // Compares a table read now with the saved one; `now` is Same or
    // Changed.
    static Result compare(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows,
                          const SpreadsheetImport::Table& now);

    // "The workbook PATH has changed since this design was saved (30 rows
    // saved, 31 now). Read it again?"; with as many rows as before it says
    // how many differ, or that the columns do.
    static QString question(const QString& path, const Result& result);
    // "The workbook PATH cannot be read; the table saved with the design is
    // used."
    static QString unreadableMessage(const QString& path);
};
