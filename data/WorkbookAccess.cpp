#include "data/WorkbookAccess.h"

#include "data/SpreadsheetWriter.h"
#include "data/UnpackFolder.h"

#include <QDir>

namespace {

// The worksheet part file names of the workbook unpacked last.
QStringList unpackedSheetParts()
{
    const QString folder = UnpackFolder::path();
    if (folder.isEmpty())
        return {};
    return QDir(folder + QStringLiteral("/xl/worksheets")).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
}

WorkbookAccess readerAccess()
{
    WorkbookAccess access;
    access.open = [](const QString& path) {
        SpreadsheetWriter::ReadWorkbook(path, true);
        return unpackedSheetParts();
    };
    access.titles = [] {
        const SpreadsheetWriter::Table titles = SpreadsheetWriter::ReadData_only_column();
        return titles.isEmpty() ? QStringList() : titles.first();
    };
    access.rows = [](const QString& path) { return SpreadsheetWriter::ReadWorkbook(path, false); };
    // Tab names follow the workbook's order, which is the order of the
    // numbered parts in the workbooks that spreadsheet programs write; when
    // the counts differ the names cannot be matched and none is shown.
    access.tabName = [](int sheet) {
        const QStringList tabs = SpreadsheetWriter::Read_Sheet_Name();
        if (tabs.size() != unpackedSheetParts().filter(QStringLiteral(".xml"), Qt::CaseInsensitive).size())
            return QString();
        return tabs.value(sheet - 1);
    };
    return access;
}

}   // namespace

WorkbookAccess& WorkbookAccess::installed()
{
    static WorkbookAccess access = readerAccess();
    return access;
}
