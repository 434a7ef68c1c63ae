#pragma once

// The spreadsheet import that writes data series files: one series per
// ticked column, named after the column's header cell, or all ticked
// columns into one series (new, replacing or extending a stored one).

#include "mainwindow/spreadsheet/SpreadsheetPicker.h"

#include <functional>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

class Import_Excel_DataSheet : public SpreadsheetPicker, public DefaultInstance<Import_Excel_DataSheet>
{
    Q_OBJECT

public:
    explicit Import_Excel_DataSheet(QWidget* parent = nullptr);

    // 1: the series manager lists its series again after an import.
    int file_name_Insert = 0;
    // 0 a new series, 1 replace a stored series, 2 append to it
    int fill_col_option = 0;

    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int option);

    // One series per ticked column. When a ticked column's series is in use
    // by the open design, nothing is written, one message names every such
    // series and the result is false (the dialog stays open, so the user
    // can untick those columns or rename their series).
    bool Create_file_For_Col_Func();
    // All ticked columns into one series; false keeps the dialog open.
    bool Insert_file_Func();

    // Whether a stored series is bound to a card object; set by the main
    // window (unset: never).
    static void setSeriesInUseCheck(std::function<bool(const QString& name)> check);

    QButtonGroup* matrix_fill_type = nullptr;
    QRadioButton* Each_col_RD = nullptr;
    QRadioButton* Fill_col_RD = nullptr;
    QLineEdit* list_name = nullptr;
    QComboBox* List_ComboBox = nullptr;
    QGroupBox* fill_box = nullptr;

protected:
    void resetOwnControls() override;
    void loadOwnLists() override;
    bool runImport() override;

private:
    // Asks through the long-message box; 1 for OK.
    int askLong(const QString& title, const QString& text, bool applyBox);
};
