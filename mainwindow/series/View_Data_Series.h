#pragma once

// The read-only series viewer: the values of one data series (the caller
// sets `file_name` before Open_Wnd), their count and OK. The inspector's
// view button and the barcode designer open it.

#include "mainwindow/DialogFrame.h"

#include <QStringList>

class PleaseWait_Modeless;
class QLabel;
class QPushButton;
class QTableView;
class SeriesRowsModel;

class View_Data_Series : public FramedDialog<View_Data_Series>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance.
    explicit View_Data_Series(QWidget* parent = nullptr);

    // Shows the series `file_name` and runs the window modally; 1 after OK.
    int Open_Wnd();
    void OK_Btn_Clicked();
    // Reads the series file at `path` into the list, one row per record
    // (an empty record an empty row in its place), with the please-wait
    // window shown while it is read.
    void Load_file_Func(const QString& path);
    void Load_Val_Thread(const QString& path);
    // Appends the trimmed value as a row; an empty one is left out.
    void Create_Avail_List(const QString& value);
    void Update_batch_List_Count();

    const QStringList& values() const { return m_values; }

    QString file_name;
    QLabel* series_name = nullptr;
    QTableView* List = nullptr;
    QLabel* list_count = nullptr;
    QPushButton* ok_btn = nullptr;
    PleaseWait_Modeless* plz_wait_Window = nullptr;

private:
    void showValues();
    SeriesRowsModel* m_model = nullptr;
    QStringList m_values;
};
