#pragma once

// The series manager: a modal window of two screens. The first lists the
// stored data series (new, open, import, generate, delete, help, close);
// the second shows the values of the open series, a working copy that only
// Save writes (import or generate into it, edit a value, delete rows,
// export, save, back, close). The window-free rules live in data/
// (SeriesValueList, SeriesSaveRules, SeriesDeletion, SeriesExporter).

#include "data/SeriesExporter.h"
#include "data/SeriesValueList.h"
#include "mainwindow/DialogFrame.h"
#include "mainwindow/series/SeriesListEditor.h"
#include "platform/FileStamp.h"

#include <QStringList>

#include <functional>

class Load_Num_Info;
class PleaseWait_Modeless;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;
class SeriesRowsModel;
class Update_Ex_Num;

class BatchWizard : public FramedDialog<BatchWizard>, public SeriesListEditor
{
    Q_OBJECT

public:
    // The window made last becomes the default instance and
    // `BatchWizard_Window`.
    explicit BatchWizard(QWidget* parent = nullptr);
    ~BatchWizard() override;

    // Makes the data folders, shows the series list refilled from the data
    // folder and runs the window modally; 0 when it is closed.
    int Open_Wnd();

    void Fill_List() override;
    // A name or value not empty after trimming becomes a new row of its
    // table: the value trimmed, the name as listed (an empty record comes
    // only from an opened series file).
    void Create_Avail_List(const QString& name);
    void Create_Value_List(const QString& value);
    // Create_Value_List for each value, the table redrawn once.
    void appendValues(const QStringList& values) override;
    // Each record (a workbook cell, a line or field of a text list) becomes
    // a row, trimmed, an empty one too, so the values keep the places of
    // their rows.
    void appendCellRecords(const QStringList& cells);
    QString Get_List_Name_Text(int row) const;
    QString Get_Value_Text(int row) const;

    // series list screen
    void Import_Btn_Clicked();
    void AddNew_Btn_Clicked();
    void Update_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    void Delete_List_Btn_Clicked();
    void Close_Btn_Clicked();
    void Help_Btn_Clicked();
    // values screen
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Export_Value_Btn_Clicked();
    void Save_Btn_Clicked();
    void Back_Btn_Clicked();
    void Close_2_Btn_Clicked();
    void Help_2_Btn_Clicked();

    // A double click in one of the two tables.
    void doubleClickInTable(QTableView* table);
    // Opens the selected series on the values screen.
    void On_Update();
    // Edits the selected value.
    void OnGetSelected();
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();

    // Replaces the value of `row` by the trimmed text (the value editor's
    // OK); false when it is empty or the row does not exist.
    bool replaceValue(int row, const QString& text) override;

    const QStringList& seriesNames() const { return m_names; }
    const QStringList& values() const { return m_values.values(); }
    bool valuesScreenShown() const;

    // Whether a series is bound to a card object (deleting it is refused).
    using InUseCheck = std::function<bool(const QString& name)>;
    void setInUseCheck(InUseCheck check);
    // Writes the workbook of an export (unset: SpreadsheetWriter).
    void setWorkbookWriter(SeriesExporter::WorkbookWriter writer);
    // Told when a saved series moved to a new name (its old file gone), so
    // that the objects bound to the old name follow it.
    using RenameFollow = std::function<void(const QString& from, const QString& to)>;
    void setRenameFollow(RenameFollow follow);

    // Whether the values screen shows edits not saved: values or a name
    // other than those opened, made new or last saved.
    bool hasUnsavedEdits() const;
    // Escape and the window's close button close as Close does.
    void reject() override;

    QStackedWidget* screens = nullptr;
    QWidget* list_screen = nullptr;
    QWidget* value_screen = nullptr;
    QTableView* List = nullptr;
    QTableView* List_value = nullptr;
    QLineEdit* batch_list_name = nullptr;
    QLineEdit* update_list_name = nullptr;
    QLabel* batch_list_count = nullptr;
    QLabel* batch_value_count = nullptr;
    // the file type of an export: "xlsx" (first) or "txt"
    QComboBox* export_type = nullptr;
    PleaseWait_Modeless* plz_wait_Window = nullptr;
    Load_Num_Info* Load_Number_Window = nullptr;
    Update_Ex_Num* Update_Value_Wnd = nullptr;

    QPushButton* import_btn = nullptr;
    QPushButton* add_new_btn = nullptr;
    QPushButton* update_btn = nullptr;
    QPushButton* create_series_btn = nullptr;
    QPushButton* delete_list_btn = nullptr;
    QPushButton* help_btn = nullptr;
    QPushButton* close_btn = nullptr;
    QPushButton* import_value_btn = nullptr;
    QPushButton* series_value_btn = nullptr;
    QPushButton* delete_rows_btn = nullptr;
    QPushButton* export_value_btn = nullptr;
    QPushButton* save_btn = nullptr;
    QPushButton* back_btn = nullptr;
    QPushButton* close_2_btn = nullptr;
    QPushButton* help_2_btn = nullptr;

private:
    void showListScreen();
    void showValueScreen();
    void showNames();
    void showValues();
    // "Available list is empty." or "Please select a record ..." when no
    // usable series is selected; true when one is.
    bool Batch_List_Selection_Validation();
    // the selected rows of a table, ascending
    static QList<int> selectedRows(QTableView* table);
    static void selectRow(QTableView* table, int row);
    // Asks whether new values replace or extend the open ones; false when
    // nothing is to be done.
    bool prepareForNewValues();
    void runGenerator(int fileNameRequired, int fileNameInsert);
    // Saves the open series; true when it was written.
    bool saveValues();
    // The values screen's edits kept, saved or let go as the user answers;
    // false when the window is to stay (Cancel, or a save that failed).
    bool settleUnsavedEdits();
    // What the values screen shows now counts as saved.
    void markSaved();

    SeriesRowsModel* m_namesModel = nullptr;
    SeriesRowsModel* m_valuesModel = nullptr;
    QStringList m_names;
    SeriesValueList m_values;
    // what the opened series' file held when it was read
    FileStamp m_opened;
    InUseCheck m_inUse;
    RenameFollow m_renameFollow;
    // the values and name of the values screen as opened, made new or saved
    QStringList m_savedValues;
    QString m_savedName;
    SeriesExporter::WorkbookWriter m_workbookWriter;
};
