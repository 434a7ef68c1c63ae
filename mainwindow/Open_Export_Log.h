#pragma once

// The export-finished box: what was exported and where, with a check box
// that opens it (the folder in the file browser, a file in its
// application) when the box is closed with OK.

#include "mainwindow/DialogFrame.h"

class QCheckBox;
class QLabel;
class QPushButton;

class Open_Export_Log : public FramedDialog<Open_Export_Log>
{
    Q_OBJECT

public:
    explicit Open_Export_Log(QWidget* parent = nullptr);

    // Fills the box from `Export_File_Path` and `Export_File_Message`, runs
    // it modally and takes it off the screen; 1 for OK, 0 for Cancel.
    int Open_Export_File_Box();
    // Opens `Export_File_Path` when the check box is on, sets the box back
    // on and ends the run with 1.
    void OKPressed();
    // Sets the check box back on and ends the run with 0.
    void CancelPressed();

    QCheckBox* _open_log_chk = nullptr;
    QLabel* _open_log_message = nullptr;
    QLabel* _open_log_path = nullptr;
    QPushButton* ok_button = nullptr;
    QPushButton* cancel_button = nullptr;

protected:
    // Escape and the window's close button answer as Cancel.
    void reject() override;
};
