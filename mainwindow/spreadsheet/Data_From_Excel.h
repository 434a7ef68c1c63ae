#pragma once

// The imported spreadsheet table's window. The table itself (its column
// titles, the row-number column first, and its rows) is a plain value that
// the main window keeps, saves in design files and binds card objects to;
// this window is bound to it, replaces it after an import and shows and
// edits it.

#include "data/SpreadsheetImport.h"
#include "mainwindow/DialogFrame.h"

class QLabel;
class QTableWidget;

class Data_From_Excel : public FramedDialog<Data_From_Excel>
{
    Q_OBJECT

public:
    // Becomes `Data_From_Excel_Window` and the default instance.
    explicit Data_From_Excel(QWidget* parent = nullptr);
    ~Data_From_Excel() override;

    // The table the window shows and fills, and where its columns stood in
    // their sheet (not owned; all outlive it).
    void bindTable(QStringList* titles, QList<DesignFileRow>* rows, SheetColumns* columns = nullptr);
    QList<DesignFileRow> ListData() const;
    QStringList columnTitles() const;

    // Replaces the table's columns and rows with those of a newly read table
    // (the row-number column keeps its title) and its sheet columns, and
    // announces it.
    void replaceTable(const SpreadsheetImport::Table& table);
    // Appends a row of the first `count` cells; logged and left out when
    // there are fewer.
    void Create_List_By_Array(const QStringList& cells, int count);
    // Appends a row holding only the trimmed text as its number, when that
    // is not empty.
    void Create_Value_List(const QString& text);
    void Mark_List_New_Selection(int row);

    // Shows the table with its row and column counts and runs the window
    // modally; 1 after OK.
    int Open_Wnd();
    void OK_Click();

    QTableWidget* ColList = nullptr;
    QLabel* rows_count = nullptr;
    QLabel* column_count = nullptr;

signals:
    // The table's columns and rows were replaced by a newly read table;
    // `previousTitles` are the column titles of the table before, and
    // `previousColumns` where they stood in their sheet.
    void tableReplaced(const QStringList& previousTitles, const SheetColumns& previousColumns);

private:
    void reloadTable();
    void cellEdited(int row, int column);

    QStringList* m_titles = nullptr;
    QList<DesignFileRow>* m_rows = nullptr;
    SheetColumns* m_columns = nullptr;
    SheetColumns m_ownColumns;
    QStringList m_ownTitles {QStringLiteral("No.")};
    QList<DesignFileRow> m_ownRows;
    bool m_filling = false;
};

// The one imported-table window; null until it is made.
extern Data_From_Excel* Data_From_Excel_Window;
