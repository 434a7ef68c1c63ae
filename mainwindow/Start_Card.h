#pragma once

// The start screen: begin from a template, with the card-size wizard, or
// from a saved design. The choice is left in `Start_Card_Option` ("T", "W"
// or "L").

#include "mainwindow/DialogFrame.h"

class QPushButton;

class Start_Card : public FramedDialog<Start_Card>
{
    Q_OBJECT

public:
    explicit Start_Card(QWidget* parent = nullptr);

    // Runs modally: 1 after a choice, 0 after Cancel.
    int Open_Wnd();

    void Using_Template_Click();
    void Using_Wizard_Click();
    void Open_Log_Click();
    // 0 "T", 1 "W", 2 "L"; then as OK.
    void Select_card_option(int option);
    void OK_Click();
    // Empties the choice and ends the run with 0; ends the program too when
    // `cancelEndsProgram` is set (the screen as the program's first window).
    void CancelClick();
    void HelpClick();

    // Opened from the main window's menu, Cancel only closes the screen: the
    // design behind it stays.
    bool cancelEndsProgram = true;

    QPushButton* template_btn = nullptr;
    QPushButton* wizard_btn = nullptr;
    QPushButton* open_btn = nullptr;
    QPushButton* cancel_btn = nullptr;
    QPushButton* help_btn = nullptr;

protected:
    void reject() override;
};
