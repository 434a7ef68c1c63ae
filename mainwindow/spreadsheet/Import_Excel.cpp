#include "mainwindow/spreadsheet/Import_Excel.h"

#include "app/MessageBoxes.h"
#include "mainwindow/series/SeriesManagerLink.h"
#include "mainwindow/spreadsheet/Data_From_Excel.h"

#include <QCheckBox>

namespace {

const QString unreadableMessage =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

}   // namespace

Import_Excel::Import_Excel(QWidget* parent)
    : SpreadsheetPicker(parent, false, QStringLiteral("Import_Excel"), tr("Import Spreadsheet Columns"))
{
}

bool Import_Excel::runImport()
{
    if (open_mode == QLatin1String("D"))
        Insert_file_Func();
    else
        Create_Excel_List_Func();
    return true;   // every way ends the dialog
}

void Import_Excel::Insert_file_Func()
{
    Show_Create_Modeless();
    const QList<SpreadsheetImport::ColumnChoice> choices = ListData_xl;
    const bool header = contains_header->isChecked();
    QStringList values;
    excel_content = readAllRows([&](const SpreadsheetImport::Rows& rows) {
        values = SpreadsheetImport::valuesOfTickedColumns(rows, choices, header);
    });
    SeriesManagerLink::installed().addCellRecords(values);
    Hide_Destroy_Modeless();
    if (excel_content.isEmpty())
        Show_MessageBox(unreadableMessage);
}

void Import_Excel::Create_Excel_List_Func()
{
    Show_Create_Modeless();
    Data_From_Excel* table = Data_From_Excel::defaultInstance();
    const QString rowNumberTitle = table ? table->columnTitles().value(0, QStringLiteral("No."))
                                         : QStringLiteral("No.");
    const QList<SpreadsheetImport::ColumnChoice> choices = ListData_xl;
    const bool header = contains_header->isChecked();
    SpreadsheetImport::Table imported;
    excel_content = readAllRows([&](const SpreadsheetImport::Rows& rows) {
        if (!rows.isEmpty())
            imported = SpreadsheetImport::tableFromRows(rows, choices, header, rowNumberTitle);
    });
    if (!excel_content.isEmpty() && table) {
        table->replaceTable(imported);
        m_tableLoaded = true;
    }
    Hide_Destroy_Modeless();
    if (excel_content.isEmpty())
        Show_MessageBox(unreadableMessage);
}
