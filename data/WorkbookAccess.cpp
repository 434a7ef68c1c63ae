#include "data/WorkbookAccess.h"

#include "data/SpreadsheetWriter.h"

namespace {

WorkbookAccess readerAccess()
{
    WorkbookAccess access;
    access.open = [](const QString& path) {
        SpreadsheetWriter::ReadWorkbook(path, true);
        return SpreadsheetWriter::sharedInstance().parts.sheets;
    };
    access.titles = [](const QString& part) {
        if (part.isEmpty())
            return QStringList();
        SpreadsheetWriter::sharedInstance().sheetPart = part;
        const SpreadsheetWriter::Table titles = SpreadsheetWriter::ReadData_only_column();
        return titles.isEmpty() ? QStringList() : titles.first();
    };
    access.header = [](const QString& part) {
        if (part.isEmpty())
            return QStringList();
        SpreadsheetWriter::sharedInstance().sheetPart = part;
        return SpreadsheetWriter::readTitleRow();
    };
    access.rowsAsStored = [](const QString&, const QString& part) {
        if (part.isEmpty())
            return SheetRows();
        SpreadsheetWriter::sharedInstance().sheetPart = part;
        return SpreadsheetWriter::readRowsAsStored();
    };
    access.rows = [](const QString& path, const QString& part) {
        if (part.isEmpty())
            return SheetRows();
        SpreadsheetWriter::sharedInstance().sheetPart = part;
        return SpreadsheetWriter::ReadWorkbook(path, false);
    };
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
