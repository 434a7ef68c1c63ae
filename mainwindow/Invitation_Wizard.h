#pragma once

// The start wizard: a start screen with two roads (a new invitation built
// step by step, or a saved design) and four steps: card size, background,
// title and message, party details. Finishing leaves the answers in the
// start-wizard globals (mainwindow/Globals.h) and the card size in the main
// window; the main window then lays the invitation out.

#include "mainwindow/DialogFrame.h"
#include "mainwindow/InvitationProposals.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/WizardSteps.h"

class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTimeEdit;
class QToolButton;
class WizardHost;

class Invitation_Wizard : public FramedDialog<Invitation_Wizard>
{
    Q_OBJECT

public:
    // The window made last becomes the default instance; `controller` takes
    // the card size at the finish and opens saved designs.
    explicit Invitation_Wizard(WizardHost* controller, QWidget* parent = nullptr);
    ~Invitation_Wizard() override;

    // Starts on the start screen with every answer reset, the backgrounds and
    // proposals read again, and runs modally: 1 when a card is to be built or
    // a design was opened, 0 when the run failed.
    int Open_Wnd();

    // the start screen
    void Using_Wizard_Click();
    void Open_Log_Click();
    // 1 "W", 2 "L", otherwise "T"; then as Next.
    void Select_card_option(int option);
    // Empties the road, ends the run with 0 and the process.
    void ExitClick();
    void HelpClick();
    // Opens the maker's contact page.
    void ContactClick();

    // the step buttons
    void OK_Click();
    void Back_Click();
    void CancelClick();

    // the proposal arrows
    void Title_Back_Click();
    void Title_Next_Click();
    void Msg_Back_Click();
    void Msg_Next_Click();

    // the details
    void Clear_Details_Click();
    void datePickerAction();
    void timePickerAction();

    // 1 the start screen (answers reset), 0 the first step.
    void Show_Hide_Card_Start_Screen(int start);
    void Reset_All();
    void Load_and_fill_backgrounds();
    void addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID);
    void imageBrowserSelectionDidChange();

    // The system's medium date form ("7 Dec 2026", "Dec 7, 2026").
    static QString mediumDate(const QDate& date);

    WizardSteps steps;
    InvitationProposals proposals;
    QString selected_image;
    bool auto_background_selection = false;
    QString selected_title;
    QString selected_msg;
    QString selected_date;
    QString selected_time;

    QStackedWidget* panels = nullptr;
    QLabel* path_label = nullptr;
    QPushButton* wizard_btn = nullptr;
    QPushButton* open_btn = nullptr;
    QPushButton* exit_btn = nullptr;
    QPushButton* help_btn = nullptr;
    QPushButton* help_btn_2 = nullptr;
    QPushButton* contact_btn = nullptr;
    QDoubleSpinBox* width_Stepper = nullptr;
    QDoubleSpinBox* height_Stepper = nullptr;
    PictureBrowser* imageBrowser = nullptr;
    QLineEdit* msg_title = nullptr;
    QLineEdit* msg_value = nullptr;
    QToolButton* title_back_btn = nullptr;
    QToolButton* title_next_btn = nullptr;
    QToolButton* msg_back_btn = nullptr;
    QToolButton* msg_next_btn = nullptr;
    QLineEdit* from_value = nullptr;
    QLineEdit* to_value = nullptr;
    QLineEdit* venue_value = nullptr;
    QDateEdit* Date_picker = nullptr;
    QTimeEdit* Time_picker = nullptr;
    QLineEdit* Date_ctrl_value = nullptr;
    QLineEdit* Time_ctrl_value = nullptr;
    QPushButton* clear_details_btn = nullptr;
    QPushButton* back_btn = nullptr;
    QPushButton* next_btn = nullptr;
    QPushButton* cancel_btn = nullptr;

protected:
    // Escape and the window's close button act as Exit on the start screen
    // and as Cancel on a step.
    void reject() override;

private:
    QWidget* makeStartPanel();
    QWidget* makeSizePanel();
    QWidget* makeBackgroundPanel();
    QWidget* makeTextPanel();
    QWidget* makeDetailsPanel();
    void showStep();
    void finish();
    void clearDetails();
    void setPickersToNow();
    void limitText(QLineEdit* field, int limit, bool enablesClear);

    WizardHost* m_controller = nullptr;
};
