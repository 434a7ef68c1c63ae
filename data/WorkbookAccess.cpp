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

// The tab names of the workbook opened last, read once per workbook.
struct TabNames
{
    bool read = false;
    QStringList names;
};

TabNames& tabNames()
{
    static TabNames names;
    return names;
}

WorkbookAccess readerAccess()
{
    WorkbookAccess access;
    access.open = [](const QString& path) {
        tabNames() = {};
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
        TabNames& tabs = tabNames();
        if (!tabs.read) {
            tabs.read = true;
            tabs.names = SpreadsheetWriter::Read_Sheet_Name();
            if (tabs.names.size() != unpackedSheetParts().filter(QStringLiteral(".xml"), Qt::CaseInsensitive).size())
                tabs.names.clear();
        }
        return tabs.names.value(sheet - 1);
    };
    access.refused = [] { return SpreadsheetWriter::sharedInstance().refused; };
    access.release = [] {
        tabNames() = {};
        SpreadsheetWriter::Release_Data();
    };
    return access;
}

}   // namespace

WorkbookAccess& WorkbookAccess::installed()
{
    static WorkbookAccess access = readerAccess();
    return access;
}
