#pragma once

// The sheet and column picker shared by the two spreadsheet import dialogs:
// the workbook's path, the sheet pop-up, the "contains header" box and the
// list of the sheet's columns to tick. Opening a workbook shows the window
// first and reads the workbook once the window is up, under the please-wait
// window; OK checks that a column is ticked and leaves the import to the
// dialog. Every read of the workbook (unpacking, titles, all rows) runs on
// a worker thread while the GUI thread goes on painting and answering
// behind the please-wait window, which blocks input to the dialog and
// cannot be closed meanwhile; the dialog's own commands wait for the read
// to end. When the dialog closes, the memory of the read is given back.

#include "data/SpreadsheetImport.h"
#include "mainwindow/DialogFrame.h"

#include <functional>

class PleaseWait_Modeless;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QTableWidget;
class QVBoxLayout;

class SpreadsheetPicker : public DialogFrame, public ModalRunSeam<SpreadsheetPicker>
{
    Q_OBJECT

public:
    SpreadsheetPicker(QWidget* parent, bool withHeaderColumn, const QString& objectName, const QString& title);

    // Resets the dialog for the workbook at `path`, reads it and runs the
    // dialog modally; returns the modal code when it closes.
    int Open_excel_Wnd(const QString& path);

    // Reads the workbook at `path`: its sheets into the pop-up (the tabs by
    // name, in the workbook's order), the first sheet chosen. A file with no
    // sheet to read is reported once the please-wait window is gone.
    void Load_file_Func(const QString& path);
    // The sheet pop-up's choice: the columns of the sheet, read from the
    // tab's own part, into the picker; a sheet without rows empties the
    // picker and is reported.
    void sheetChosen();

    // Ticks every column, or none.
    void selectAll(bool ticked);
    void OKPressed();
    void CancelPressed();

    // setModalRun(): tests tick, press and answer instead of a person; the
    // workbook is read before their function is called.
    // Seconds the please-wait window stays up at least after a workbook was
    // read (1 by default; tests set 0).
    static void setLoadPause(double seconds);

    QLineEdit* file_path = nullptr;
    QCheckBox* contains_header = nullptr;
    QComboBox* Sheet_ComboBox = nullptr;
    QTableWidget* ColList = nullptr;
    PleaseWait_Modeless* plz_wait_Window = nullptr;
    QList<SpreadsheetImport::ColumnChoice> ListData_xl;
    SpreadsheetImport::Rows excel_content;

protected:
    // The dialog's own controls back to their opening state.
    virtual void resetOwnControls() {}
    // What the dialog fills after the sheets were listed.
    virtual void loadOwnLists() {}
    // The import itself, once a column is ticked; false keeps the dialog open.
    virtual bool runImport() = 0;

    // Every row of the chosen sheet, read on a worker thread; then `digest`
    // (when given) on the same worker, for work on the rows that needs no
    // widget.
    SpreadsheetImport::Rows readAllRows(const std::function<void(const SpreadsheetImport::Rows&)>& digest = {});
    // Runs `work` on a worker thread and waits for it with the event loop
    // running; an exception of `work` is thrown again here. What `work`
    // writes (the workbook reader also sets `Excel_Sheet_Columns`) is seen
    // here once it returns: the GUI thread waits for the worker's end and
    // touches none of it meanwhile.
    void readOnWorker(const std::function<void()>& work);
    // True while a workbook is being loaded or read, or an import runs.
    bool busy() const { return m_loading || m_reading || m_importing; }

    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    // Where the dialog adds its own controls, above the buttons.
    QVBoxLayout* ownArea() const { return m_ownArea; }
    // Shows or hides the picker's "Header" column.
    void setHeaderColumnVisible(bool visible);

private:
    void reloadPicker();
    void pickerItemChanged(int row, int column);
    // Shows `text`, or keeps it for the end of the loading.
    void tell(const QString& text);

    QVBoxLayout* m_ownArea = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    bool m_filling = false;
    bool m_loading = false;
    bool m_reading = false;
    bool m_importing = false;
    QString m_loadMessage;
    // the worksheet part of the sheet chosen, which the import reads
    QString m_sheetPart;
};
