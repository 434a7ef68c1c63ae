#pragma once

// Exports the values of the series manager's open series: a workbook of one
// column titled "Batch Value", or a text file of one value a line. The new
// file is complete before it takes the place of a file at the path (through
// AtomicFile, with all it keeps); a folder at the path is never touched, and
// a failure leaves the old file.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SeriesExporter
{
public:
    enum class Format { Workbook, Text };

    // Writes the rows as a one-sheet workbook at the path (rows of cells,
    // no title-row styling); true when the workbook is complete.
    using WorkbookWriter = std::function<bool(const QString& path, const QList<QStringList>& rows)>;

    // The path an export to `format` goes to: the chosen name keeps its
    // stem and gets the format's extension in place of its own ("list.txt"
    // exported as a workbook goes to "list.xlsx"); a name that has the
    // format's extension already, in any case, is kept as it is.
    static QString exportPath(const QString& chosen, Format format);

    // The rows of the workbook: "Batch Value", then one row per value.
    static QList<QStringList> workbookRows(const QStringList& values);

    // Writes `values` to `path` (already given its extension) in `format`;
    // false when nothing was exported (a folder at the path, or a write that
    // failed). Workbooks are written by `writeWorkbook`, by default
    // SpreadsheetWriter::WriteWorkbook.
    static bool exportValues(const QString& path, const QStringList& values, Format format,
                             const WorkbookWriter& writeWorkbook = {});
};
