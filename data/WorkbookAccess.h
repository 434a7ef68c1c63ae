#pragma once

// How the spreadsheet import dialogs reach the workbook reader: unpacking a
// workbook and listing its sheets, the header row of a sheet, and all rows
// of that sheet (a design's workbook is compared with its saved table the
// same way). A sheet is named by its worksheet part, as the listing
// gives it. It starts as the program's workbook reader (SpreadsheetWriter);
// tests may replace it. The dialogs call these functions on a worker thread,
// one at a time, and wait for each; they touch no widget.

#include "data/SheetRows.h"
#include "data/WorkbookParts.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct WorkbookAccess
{
    // Unpacks the workbook at `path`; its sheets in the order to offer them
    // (see WorkbookParts::sheets); empty when nothing could be read.
    std::function<QList<WorkbookParts::Sheet>(const QString& path)> open;
    // The titles of the columns of the sheet whose part is `part` (a blank
    // header cell gives "Untitled Column <n>"); empty when the sheet cannot
    // be read or `part` is "".
    std::function<QStringList(const QString& part)> titles;
    // The titles as the sheet's first row alone gives them (see
    // SpreadsheetWriter::readTitleRow): the rest of the sheet is not read,
    // so sheets can be compared by their headers without reading each whole.
    std::function<QStringList(const QString& part)> header;
    // Every row of that sheet of the workbook at `path`, row 0 first.
    std::function<SheetRows(const QString& path, const QString& part)> rows;
    // The same rows with every number cell as stored, its number format
    // left aside, and booleans as stored (1 and 0); after titles() of the
    // same sheet, as rows().
    std::function<SheetRows(const QString& path, const QString& part)> rowsAsStored;
    // Why the workbook last opened was refused (past the reader's limits,
    // shared strings that cannot be read or that its text cells lack), so
    // that nothing of it is left to read; "" when it was not.
    std::function<QString()> refusal;
    // Gives back the memory the last read holds, once an import is done.
    std::function<void()> release;

    static WorkbookAccess& installed();
};
