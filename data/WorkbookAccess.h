#pragma once

// How the spreadsheet import dialogs reach the workbook reader: unpacking a
// workbook and listing its worksheet parts, the header row of the sheet
// that `Excel_Sheet_Number` names, and all rows of that sheet. It starts as
// the program's workbook reader (SpreadsheetWriter); tests may replace it.
// The dialogs call these functions on a worker thread, one at a time, and
// wait for each; they touch no widget.

#include "data/SheetRows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct WorkbookAccess
{
    // Unpacks the workbook at `path`; the file names in its worksheet folder
    // ("sheet1.xml", ...) in listing order; empty when nothing could be read.
    std::function<QStringList(const QString& path)> open;
    // The titles of the chosen sheet's columns (a blank header cell gives
    // "Untitled Column <n>"); empty when the sheet cannot be read.
    std::function<QStringList()> titles;
    // Every row of the chosen sheet of the workbook at `path`, row 0 first.
    std::function<SheetRows(const QString& path)> rows;
    // The tab name of worksheet part number `sheet`; "" when no tab names
    // that part.
    std::function<QString(int sheet)> tabName;
    // Why the workbook last opened was refused (past the reader's limits,
    // shared strings that cannot be read or that its text cells lack), so
    // that nothing of it is left to read; "" when it was not.
    std::function<QString()> refusal;
    // Gives back the memory the last read holds, once an import is done.
    std::function<void()> release;

    static WorkbookAccess& installed();
};
