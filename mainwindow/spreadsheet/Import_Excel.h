#pragma once

// The spreadsheet import that fills the series manager's value list (open
// mode "D") or the imported spreadsheet table (open mode "E") with the
// ticked columns of a sheet.

#include "mainwindow/spreadsheet/SpreadsheetPicker.h"

class Import_Excel : public SpreadsheetPicker, public DefaultInstance<Import_Excel>
{
    Q_OBJECT

public:
    explicit Import_Excel(QWidget* parent = nullptr);

    // "D" or "E"; the caller sets it before Open_excel_Wnd.
    QString open_mode = QStringLiteral("D");

    // The ticked cells, row after row, to the series manager's value list.
    void Insert_file_Func();
    // The ticked columns into the imported spreadsheet table.
    void Create_Excel_List_Func();
    // The last opening replaced the imported spreadsheet table with the
    // workbook's columns (not when it was refused, cancelled or held no row).
    bool tableLoaded() const { return m_tableLoaded; }

protected:
    bool runImport() override;
    void resetOwnControls() override { m_tableLoaded = false; }

private:
    bool m_tableLoaded = false;
};
