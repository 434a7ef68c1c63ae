#include "mainwindow/Invitation_Wizard.h"

#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "app/MakerLinks.h"
#include "app/MessageBoxes.h"
#include "app/StringHelpers.h"
#include "app/UnitConversions.h"
#include "mainwindow/Globals.h"
#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureListModel.h"
#include "mainwindow/WizardHost.h"
#include "model/Globals.h"
#include "platform/ProcessTerminator.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// An invitation starts as a 7 x 5 inch card (in millimetres): the invitation
// texts are laid out at fixed places down to about 280 points, which a
// credit-card-sized card (153 points high) would cut off.
constexpr double invitationWidth = 177.8;
constexpr double invitationHeight = 127.0;

QLabel* heading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

QDoubleSpinBox* millimetreStepper(const char* name, double value, QWidget* parent)
{
    auto* stepper = new QDoubleSpinBox(parent);
    stepper->setObjectName(QLatin1String(name));
    stepper->setDecimals(3);
    stepper->setRange(20.0, 400.0);
    stepper->setSingleStep(1.0);
    stepper->setSuffix(QStringLiteral(" mm"));
    stepper->setValue(value);
    stepper->setMaximumWidth(180);
    return stepper;
}

QToolButton* arrow(Qt::ArrowType type, const char* name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(type);
    return button;
}

// A proposal longer than its field is shown from its start.
void showProposal(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

QLineEdit* field(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

}

Invitation_Wizard::Invitation_Wizard(WizardHost* controller, QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Invitation_Wizard"), tr("New invitation")), m_controller(controller)
{
    inv_wzrd_Window = this;

    panels = new QStackedWidget(this);
    panels->setObjectName(QStringLiteral("panels"));
    panels->addWidget(makeStartPanel());
    panels->addWidget(makeSizePanel());
    panels->addWidget(makeBackgroundPanel());
    panels->addWidget(makeTextPanel());
    panels->addWidget(makeDetailsPanel());

    exit_btn = namedButton(tr("Exit"), QStringLiteral("exit_btn"));
    help_btn = namedButton(tr("Help"), QStringLiteral("help_btn"));
    help_btn_2 = namedButton(tr("Help"), QStringLiteral("help_btn_2"));
    contact_btn = namedButton(tr("Contact Us"), QStringLiteral("contact_btn"));
    back_btn = namedButton(tr("Back"), QStringLiteral("back_btn"));
    cancel_btn = namedButton(tr("Cancel"), QStringLiteral("cancel_btn"));
    next_btn = namedButton(tr("Next"), QStringLiteral("next_btn"));
    next_btn->setDefault(true);

    connect(exit_btn, &QPushButton::clicked, this, &Invitation_Wizard::ExitClick);
    connect(help_btn, &QPushButton::clicked, this, &Invitation_Wizard::HelpClick);
    connect(help_btn_2, &QPushButton::clicked, this, &Invitation_Wizard::HelpClick);
    connect(contact_btn, &QPushButton::clicked, this, &Invitation_Wizard::ContactClick);
    connect(back_btn, &QPushButton::clicked, this, &Invitation_Wizard::Back_Click);
    connect(cancel_btn, &QPushButton::clicked, this, &Invitation_Wizard::CancelClick);
    connect(next_btn, &QPushButton::clicked, this, &Invitation_Wizard::OK_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exit_btn);
    buttons->addWidget(help_btn);
    buttons->addWidget(help_btn_2);
    buttons->addWidget(contact_btn);
    buttons->addStretch(1);
    buttons->addWidget(back_btn);
    buttons->addWidget(cancel_btn);
    buttons->addWidget(next_btn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels, 1);
    layout->addLayout(buttons);
    resize(640, 460);

    Show_Hide_Card_Start_Screen(1);
}

Invitation_Wizard::~Invitation_Wizard()
{
    if (inv_wzrd_Window == this)
        inv_wzrd_Window = nullptr;
}

// ---- the panels ----

QWidget* Invitation_Wizard::makeStartPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("start_panel"));
    wizard_btn = new QPushButton(tr("Create a new invitation"), panel);
    wizard_btn->setObjectName(QStringLiteral("wizard_btn"));
    open_btn = new QPushButton(tr("Open a saved design"), panel);
    open_btn->setObjectName(QStringLiteral("open_btn"));
    for (QPushButton* button : {wizard_btn, open_btn}) {
        button->setMinimumSize(260, 56);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.2);
        button->setFont(font);
    }
    path_label = new QLabel(panel);
    path_label->setObjectName(QStringLiteral("path_label"));
    path_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path_label->setWordWrap(true);
    connect(wizard_btn, &QPushButton::clicked, this, &Invitation_Wizard::Using_Wizard_Click);
    connect(open_btn, &QPushButton::clicked, this, &Invitation_Wizard::Open_Log_Click);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(heading(tr("Welcome"), panel), 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(tr("How would you like to begin?"), panel), 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(wizard_btn, 0, Qt::AlignHCenter);
    layout->addWidget(open_btn, 0, Qt::AlignHCenter);
    layout->addStretch(2);
    layout->addWidget(path_label);
    return panel;
}

QWidget* Invitation_Wizard::makeSizePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("size_panel"));
    width_Stepper = millimetreStepper("width_Stepper", invitationWidth, panel);
    height_Stepper = millimetreStepper("height_Stepper", invitationHeight, panel);
    auto* form = new QFormLayout;
    form->addRow(tr("Width:"), width_Stepper);
    form->addRow(tr("Height:"), height_Stepper);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(heading(tr("Step 1 of 4: card size"), panel));
    layout->addLayout(form);
    layout->addStretch(1);
    return panel;
}

QWidget* Invitation_Wizard::makeBackgroundPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("background_panel"));
    imageBrowser = new PictureBrowser(panel);
    imageBrowser->setObjectName(QStringLiteral("imageBrowser"));
    imageBrowser->setSelectionMode(QAbstractItemView::SingleSelection);
    imageBrowser->setZoomValue(0.75);   // pictures 160 points wide
    connect(imageBrowser, &PictureBrowser::imageBrowserSelectionDidChange, this,
            &Invitation_Wizard::imageBrowserSelectionDidChange);
    // A click on the picture already chosen also moves on.
    connect(imageBrowser, &PictureBrowser::clicked, this, [this] {
        if (steps.next_counter == 2 && !auto_background_selection)
            OK_Click();
    });

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(heading(tr("Step 2 of 4: background"), panel));
    layout->addWidget(new QLabel(tr("Click a picture to choose it."), panel));
    layout->addWidget(imageBrowser, 1);
    return panel;
}

QWidget* Invitation_Wizard::makeTextPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("text_panel"));
    msg_title = field("msg_title", panel);
    msg_value = field("msg_value", panel);
    title_back_btn = arrow(Qt::LeftArrow, "title_back_btn", panel);
    title_next_btn = arrow(Qt::RightArrow, "title_next_btn", panel);
    msg_back_btn = arrow(Qt::LeftArrow, "msg_back_btn", panel);
    msg_next_btn = arrow(Qt::RightArrow, "msg_next_btn", panel);
    connect(title_back_btn, &QToolButton::clicked, this, &Invitation_Wizard::Title_Back_Click);
    connect(title_next_btn, &QToolButton::clicked, this, &Invitation_Wizard::Title_Next_Click);
    connect(msg_back_btn, &QToolButton::clicked, this, &Invitation_Wizard::Msg_Back_Click);
    connect(msg_next_btn, &QToolButton::clicked, this, &Invitation_Wizard::Msg_Next_Click);
    connect(msg_title, &QLineEdit::textEdited, this,
            [this] { limitText(msg_title, InvitationProposals::titleLimit, false); });
    connect(msg_value, &QLineEdit::textEdited, this,
            [this] { limitText(msg_value, InvitationProposals::messageLimit, false); });

    auto row = [](QToolButton* back, QLineEdit* edit, QToolButton* next) {
        auto* box = new QHBoxLayout;
        box->addWidget(back);
        box->addWidget(edit, 1);
        box->addWidget(next);
        return box;
    };
    auto* form = new QFormLayout;
    form->addRow(tr("Title:"), row(title_back_btn, msg_title, title_next_btn));
    form->addRow(tr("Message:"), row(msg_back_btn, msg_value, msg_next_btn));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(heading(tr("Step 3 of 4: title and message"), panel));
    layout->addWidget(new QLabel(tr("Use the arrows for a suggestion, or write your own."), panel));
    layout->addLayout(form);
    layout->addStretch(1);
    return panel;
}

QWidget* Invitation_Wizard::makeDetailsPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("details_panel"));
    from_value = field("from_value", panel);
    to_value = field("to_value", panel);
    venue_value = field("venue_value", panel);
    Date_picker = new QDateEdit(panel);
    Date_picker->setObjectName(QStringLiteral("Date_picker"));
    Date_picker->setCalendarPopup(true);
    Time_picker = new QTimeEdit(panel);
    Time_picker->setObjectName(QStringLiteral("Time_picker"));
    Time_picker->setDisplayFormat(QStringLiteral("HH:mm"));
    Date_ctrl_value = field("Date_ctrl_value", panel);
    Time_ctrl_value = field("Time_ctrl_value", panel);
    Date_ctrl_value->setReadOnly(true);
    Time_ctrl_value->setReadOnly(true);
    clear_details_btn = new QPushButton(tr("Clear details"), panel);
    clear_details_btn->setObjectName(QStringLiteral("clear_details_btn"));

    connect(from_value, &QLineEdit::textEdited, this,
            [this] { limitText(from_value, InvitationProposals::fromLimit, true); });
    connect(to_value, &QLineEdit::textEdited, this,
            [this] { limitText(to_value, InvitationProposals::toLimit, true); });
    connect(venue_value, &QLineEdit::textEdited, this,
            [this] { limitText(venue_value, InvitationProposals::venueLimit, true); });
    connect(Date_picker, &QDateEdit::dateChanged, this, &Invitation_Wizard::datePickerAction);
    // A click in the calendar picks a day even when it is the one shown.
    connect(Date_picker->calendarWidget(), &QCalendarWidget::clicked, this, &Invitation_Wizard::datePickerAction);
    connect(Time_picker, &QTimeEdit::timeChanged, this, &Invitation_Wizard::timePickerAction);
    connect(clear_details_btn, &QPushButton::clicked, this, &Invitation_Wizard::Clear_Details_Click);

    auto pickerRow = [](QWidget* picker, QLineEdit* display) {
        auto* box = new QHBoxLayout;
        box->addWidget(picker);
        box->addWidget(display, 1);
        return box;
    };
    auto* form = new QFormLayout;
    form->addRow(tr("From:"), from_value);
    form->addRow(tr("To:"), to_value);
    form->addRow(tr("Venue:"), venue_value);
    form->addRow(tr("Date:"), pickerRow(Date_picker, Date_ctrl_value));
    form->addRow(tr("Time:"), pickerRow(Time_picker, Time_ctrl_value));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(heading(tr("Step 4 of 4: party details"), panel));
    layout->addLayout(form);
    layout->addWidget(clear_details_btn, 0, Qt::AlignRight);
    layout->addStretch(1);
    return panel;
}

// ---- the run ----

int Invitation_Wizard::Open_Wnd()
{
    return runGuarded([this] {
        path_label->setText(Resource_Path);
        imageBrowser->pictures()->clear();
        Show_Hide_Card_Start_Screen(1);
        Load_and_fill_backgrounds();
        Reset_All();
        proposals.Load_Msg_And_Title(QDir(Resource_Path).filePath(QStringLiteral("Title.txt")),
                                     QDir(Resource_Path).filePath(QStringLiteral("Message.txt")));
        showProposal(msg_title, proposals.Get_Title());
        showProposal(msg_value, proposals.Get_Message());
        setResult(0);
        return runModal();
    });
}

void Invitation_Wizard::Show_Hide_Card_Start_Screen(int start)
{
    const bool onStart = start == 1;
    if (onStart) {
        steps.next_counter = 0;
        auto_background_selection = false;
        Reset_All();
        showProposal(msg_title, proposals.Get_Title());
        showProposal(msg_value, proposals.Get_Message());
    } else {
        steps.next_counter = 1;
    }
    showStep();
}

void Invitation_Wizard::showStep()
{
    const int step = steps.next_counter;
    const bool onStart = step == 0;
    panels->setCurrentIndex(step);
    for (QWidget* w : {exit_btn, help_btn, contact_btn})
        w->setVisible(onStart);
    for (QWidget* w : {static_cast<QWidget*>(help_btn_2), static_cast<QWidget*>(back_btn),
                       static_cast<QWidget*>(cancel_btn), static_cast<QWidget*>(next_btn)})
        w->setVisible(!onStart);
    next_btn->setText(step == 4 ? tr("Finish") : tr("Next"));
}

void Invitation_Wizard::Using_Wizard_Click()
{
    Select_card_option(1);
}

void Invitation_Wizard::Open_Log_Click()
{
    Select_card_option(2);
}

void Invitation_Wizard::Select_card_option(int option)
{
    Start_Card_Option = option == 1   ? QStringLiteral("W")
                        : option == 2 ? QStringLiteral("L")
                                      : QStringLiteral("T");
    OK_Click();
}

void Invitation_Wizard::ExitClick()
{
    Start_Card_Option = QString("");
    done(0);
    ProcessTerminator::terminate(0);
}

void Invitation_Wizard::HelpClick()
{
    Open_Help_File();
}

void Invitation_Wizard::ContactClick()
{
    MakerLinks::open(MakerLinks::Role::ContactPage);
}

void Invitation_Wizard::reject()
{
    if (steps.next_counter == 0)
        ExitClick();
    else
        CancelClick();
}

void Invitation_Wizard::OK_Click()
{
    const WizardSteps::Answer answer =
        steps.OK_Click({Start_Card_Option, selected_image, msg_title->text(), msg_value->text()});
    switch (answer.outcome) {
    case WizardSteps::Outcome::Stay:
        return;
    case WizardSteps::Outcome::OpenDesign:
        if (m_controller && m_controller->Open_Log_File())
            done(1);
        return;
    case WizardSteps::Outcome::Refuse:
        Show_MessageBox(answer.message);
        if (answer.focus == WizardSteps::Focus::Title)
            msg_title->setFocus();
        else if (answer.focus == WizardSteps::Focus::Message)
            msg_value->setFocus();
        return;
    case WizardSteps::Outcome::Finish:
        finish();
        return;
    case WizardSteps::Outcome::Show:
        break;
    }
    if (steps.next_counter == 2 && imageBrowser->pictures()->count() > 0) {
        // The wizard's own choice of the first picture only records it.
        auto_background_selection = true;
        imageBrowser->setCurrentRow(0);
        imageBrowserSelectionDidChange();
        auto_background_selection = false;
    } else if (steps.next_counter == 4) {
        selected_title = msg_title->text();
        selected_msg = msg_value->text();
    }
    showStep();
    if (answer.focus == WizardSteps::Focus::From)
        from_value->setFocus();
}

void Invitation_Wizard::Back_Click()
{
    if (steps.Back_Click().outcome != WizardSteps::Outcome::Show)
        return;
    if (steps.next_counter == 0)
        Show_Hide_Card_Start_Screen(1);
    else
        showStep();
}

void Invitation_Wizard::CancelClick()
{
    steps.CancelClick();
    Show_Hide_Card_Start_Screen(1);
}

void Invitation_Wizard::finish()
{
    setCardShape(0);
    const QSizeF millimetres(width_Stepper->value(), height_Stepper->value());
    const QSizeF points(MM_to_Points_Convert(static_cast<float>(millimetres.width())),
                        MM_to_Points_Convert(static_cast<float>(millimetres.height())));
    if (m_controller) {
        m_controller->Set_Card_Size_In_Control(millimetres);
        m_controller->Set_Document_Size(points);
        m_controller->SetDocumentCanvasSize(points);
    }
    Invite_Title = Trim_Str(selected_title);
    Invite_Message = Trim_Str(selected_msg);
    Invite_From = Trim_Str(from_value->text());
    Invite_To = Trim_Str(to_value->text());
    Invite_Venue = Trim_Str(venue_value->text());
    Invite_Date = Trim_Str(selected_date);
    Invite_Time = Trim_Str(selected_time);
    Invite_BG_IMG = Trim_Str(selected_image);
    done(1);
}

// ---- proposals ----

void Invitation_Wizard::Title_Back_Click()
{
    proposals.Title_Back_Click();
    showProposal(msg_title, proposals.Get_Title());
}

void Invitation_Wizard::Title_Next_Click()
{
    proposals.Title_Next_Click();
    showProposal(msg_title, proposals.Get_Title());
}

void Invitation_Wizard::Msg_Back_Click()
{
    proposals.Msg_Back_Click();
    showProposal(msg_value, proposals.Get_Message());
}

void Invitation_Wizard::Msg_Next_Click()
{
    proposals.Msg_Next_Click();
    showProposal(msg_value, proposals.Get_Message());
}

void Invitation_Wizard::limitText(QLineEdit* edit, int limit, bool enablesClear)
{
    const QString text = edit->text();
    const QString cut = InvitationProposals::cutToLength(text, limit);
    if (cut.size() != text.size())
        edit->setText(cut);
    if (enablesClear && !cut.isEmpty())
        clear_details_btn->setEnabled(true);
}

// ---- details ----

QString Invitation_Wizard::mediumDate(const QDate& date)
{
    // Qt knows a long and a short form; the medium one is the short form
    // with the month's abbreviated name and the full year.
    const QLocale locale = QLocale::system();
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression month(QStringLiteral("M+"));
    static const QRegularExpression year(QStringLiteral("y+"));
    format.replace(month, QStringLiteral("MMM"));
    format.replace(year, QStringLiteral("yyyy"));
    // "7/Dec/2026" reads better as "7 Dec 2026"
    format.replace(QRegularExpression(QStringLiteral("[/.\\-]")), QStringLiteral(" "));
    return locale.toString(date, format.simplified());
}

void Invitation_Wizard::datePickerAction()
{
    selected_date = mediumDate(Date_picker->date());
    Date_ctrl_value->setText(selected_date);
    clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::timePickerAction()
{
    selected_time = Time_picker->time().toString(QStringLiteral("HH:mm"));
    Time_ctrl_value->setText(selected_time);
    clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::Clear_Details_Click()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to clear details?")) == 1)
        clearDetails();
}

void Invitation_Wizard::clearDetails()
{
    from_value->setText(QString(""));
    to_value->setText(QString(""));
    venue_value->setText(QString(""));
    Date_ctrl_value->setText(QString(""));
    Time_ctrl_value->setText(QString(""));
    selected_date = QString("");
    selected_time = QString("");
    setPickersToNow();
}

void Invitation_Wizard::setPickersToNow()
{
    // Setting the pickers is not a pick.
    const QSignalBlocker date(Date_picker);
    const QSignalBlocker time(Time_picker);
    const QDateTime now = QDateTime::currentDateTime();
    Date_picker->setDate(now.date());
    Time_picker->setTime(now.time());
}

void Invitation_Wizard::Reset_All()
{
    selected_image = QString("");
    selected_title = QString("");
    selected_msg = QString("");
    selected_date = QString("");
    selected_time = QString("");
    steps.next_counter = 0;
    proposals.resetIndexes();
    msg_title->setText(QString(""));
    msg_value->setText(QString(""));
    clear_details_btn->setEnabled(false);
    clearDetails();
}

// ---- backgrounds ----

void Invitation_Wizard::Load_and_fill_backgrounds()
{
    const QFileInfo folder(QDir(Resource_Path).filePath(QStringLiteral("Background")));
    if (!folder.isDir())
        return;
    imageBrowser->pictures()->clear();
    imageBrowser->pictures()->addPicturesOfFolder(folder.filePath());
}

void Invitation_Wizard::addImageWithPath(const QString& path, const QString& imageName, const QString& image_UID)
{
    imageBrowser->pictures()->addImageWithPath(path, imageName, image_UID);
}

void Invitation_Wizard::imageBrowserSelectionDidChange()
{
    const QString path = imageBrowser->selectedPath();
    if (path.isEmpty())
        return;
    selected_image = path;
    if (!auto_background_selection && steps.next_counter == 2)
        OK_Click();
}
