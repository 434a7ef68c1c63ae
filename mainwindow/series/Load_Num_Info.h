#pragma once

// The series manager's question before new values come into an open series
// that has values: replace them (1), add to them (0), or do nothing (2).

#include "mainwindow/DialogFrame.h"

class QLabel;
class QPushButton;

class Load_Num_Info : public FramedDialog<Load_Num_Info>
{
    Q_OBJECT

public:
    // the code of Cancel: neither replace nor add
    static constexpr int cancelled = 2;

    explicit Load_Num_Info(QWidget* parent = nullptr);

    // Runs the question modally and takes it off the screen; 1, 0 or
    // `cancelled`.
    int runQuestion();
    void YESPressed();
    void NOPressed();
    void CancelPressed();

    QLabel* question_lbl = nullptr;
    QPushButton* yes_btn = nullptr;
    QPushButton* no_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

protected:
    // Escape and the window's close button answer as Cancel.
    void reject() override;
};
