#pragma once

// The series manager's editor of one value: the value being edited, the
// value as it was and its row, with OK and Cancel. OK puts the trimmed value
// into the manager's open series (`BatchWizard_Window`).

#include "mainwindow/DialogFrame.h"

class QLineEdit;
class QPushButton;

class Update_Ex_Num : public FramedDialog<Update_Ex_Num>
{
    Q_OBJECT

public:
    explicit Update_Ex_Num(QWidget* parent = nullptr);

    // Runs the editor modally and takes it off the screen; 1 after OK, 0
    // after Cancel.
    int runEditor();
    void OKPressed();
    void CancelPressed();

    // the edited value, the value before editing, the row number
    QLineEdit* Update_m_ex_num_str = nullptr;
    QLineEdit* Update_m_s_number = nullptr;
    QLineEdit* Update_m_ex_num_index = nullptr;
    QPushButton* ok_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

protected:
    void reject() override;

private:
    void emptyFields();
};
