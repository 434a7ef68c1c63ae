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
    access.tabName = [](int sheet) { return SpreadsheetWriter::sharedInstance().parts.tabName(sheet); };
    access.refusal = [] { return SpreadsheetWriter::sharedInstance().refusal; };
    access.release = [] { SpreadsheetWriter::Release_Data(); };
    return access;
}

}   // namespace

WorkbookAccess& WorkbookAccess::installed()
{
    static WorkbookAccess access = readerAccess();
    return access;
}
