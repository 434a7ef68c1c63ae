#pragma once

// A plain window asking the user to wait. The program keeps one with the
// main window; no command shows it at present.

#include <QDialog>

class QLabel;

class PleaseWait_Modeless : public QDialog
{
    Q_OBJECT

public:
    explicit PleaseWait_Modeless(QWidget* parent = nullptr);

    QLabel* modeless_msg_lbl = nullptr;
};
