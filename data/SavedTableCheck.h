#pragma once

// Whether the workbook a design's spreadsheet table was read from still
// reads as that table. A design keeps the table (its column titles and
// rows) and the workbook's path, but neither the sheet nor the columns
// chosen nor the header box: the workbook is read again the way that table
// came about as far as the table tells. The sheets whose first row holds
// the most of the table's titles are the candidates (workbooks with a tab
// per class or day give several the same header); only their first rows
// are read to find them. Each candidate is then read whole and compared,
// each worksheet part once however many tabs name it:
// one that reads the same is taken, else one that reads the same with its
// number formats left aside, else the one with the fewest differences
// (rows that differ and the difference in row count), the first of equals.
// The columns are those the table's columns stand at now, set against the
// whole sheet the table was read from when the design keeps it (a column
// renamed in place counts only when its title is new to that sheet), else
// those whose first-row cell is one of the titles and those of the table's
// own titles at their place (ColumnRebinding); in the sheet's order (every
// column when none is found). The first row holds titles as the sheet
// layout says; a design that does not know its sheet tells by its table
// (its first row repeats its titles: no title row). A table read without a
// title row is read again at its columns' places, by no title.
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
        // Changed only in that number cells are now shown as their formats
        // say, and booleans as TRUE and FALSE: read as stored, the workbook
        // gives the saved table (a design saved before number formats or
        // booleans were read so).
        NumberFormats,
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
        // the tab read, named when the workbook has more than one; "" else
        QString tab;

        // How far the table read now is from the saved one.
        int differences() const;
    };

    // Reads the workbook at `path` through `access` and compares it with the
    // saved table, read from the sheet columns `savedColumns` (unknown for a
    // design saved before designs kept them).
    static Result check(const WorkbookAccess& access, const QString& path, const QStringList& savedTitles,
                        const QList<DesignFileRow>& savedRows, const SheetColumns& savedColumns = {});

    // The parts of the check, for any rows.
    // How many of the saved titles (from position 1, blank ones left out)
    // are among the cells of `header`.
    static int titlesFound(const QStringList& header, const QStringList& savedTitles);
    // The columns of a first row to take: those the saved columns now stand
    // at (ColumnRebinding against the whole sheet the table was read from),
    // and, when that sheet is unknown, those whose trimmed cell is a saved
    // title (with a title row; without one, the saved columns' places);
    // every column when there is none.
    static QList<SpreadsheetImport::ColumnChoice> columnsFor(const QStringList& header, const QStringList& savedTitles,
                                                             const SheetColumns& savedColumns = {});
    // The saved table was read without a header row: its first row is its
    // titles again.
    static bool firstRowIsData(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows);
    // Compares a table read now with the saved one; `now` is Same or
    // Changed.
    static Result compare(const QStringList& savedTitles, const QList<DesignFileRow>& savedRows,
                          const SpreadsheetImport::Table& now);

    // For Changed: "The workbook PATH has changed since this design was
    // saved (30 rows saved, 31 now). Read it again?"; with as many rows as
    // before it says how many differ, or that the columns do, and it names
    // the tab read (`result.tab`) when there is one. For NumberFormats: that
    // the workbook is now read with its number formats.
    static QString question(const QString& path, const Result& result);
    // "The workbook PATH cannot be read; the table saved with the design is
    // used.", or "cannot be found" when nothing is at PATH.
    static QString unreadableMessage(const QString& path);
    // The short note shown beside the workbook's path while the saved table
    // is kept after `outcome`; "" for Same. An unreadable workbook of which
    // nothing is at `path` cannot be found.
    static QString keptNote(Outcome outcome, const QString& path = QString());
};
