#include "mainwindow/Start_Card.h"

#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "mainwindow/Globals.h"
#include "platform/ProcessTerminator.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Start_Card::Start_Card(QWidget* parent) : FramedDialog(parent, QStringLiteral("Start_Card"), tr("Start"))
{
    template_btn = namedButton(tr("Start from a template"), QStringLiteral("template_btn"));
    wizard_btn = namedButton(tr("Choose a card size"), QStringLiteral("wizard_btn"));
    open_btn = namedButton(tr("Open a saved design"), QStringLiteral("open_btn"));
    for (QPushButton* button : {template_btn, wizard_btn, open_btn}) {
        button->setMinimumSize(260, 48);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.15);
        button->setFont(font);
    }
    cancel_btn = namedButton(tr("Cancel"), QStringLiteral("cancel_btn"));
    help_btn = namedButton(tr("Help"), QStringLiteral("help_btn"));

    connect(template_btn, &QPushButton::clicked, this, &Start_Card::Using_Template_Click);
    connect(wizard_btn, &QPushButton::clicked, this, &Start_Card::Using_Wizard_Click);
    connect(open_btn, &QPushButton::clicked, this, &Start_Card::Open_Log_Click);
    connect(cancel_btn, &QPushButton::clicked, this, &Start_Card::CancelClick);
    connect(help_btn, &QPushButton::clicked, this, &Start_Card::HelpClick);

    auto* title = new QLabel(tr("How would you like to begin?"), this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    for (QPushButton* button : {template_btn, wizard_btn, open_btn})
        layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addLayout(buttonRow({help_btn}, {cancel_btn}));
    resize(460, 320);
}

int Start_Card::Open_Wnd()
{
    // Help is offered while the help document is there.
    help_btn->setEnabled(QFileInfo::exists(Resource_Path + QStringLiteral("/Help.pdf")));
    setResult(0);
    return runModal();
}

void Start_Card::Using_Template_Click()
{
    Select_card_option(0);
}

void Start_Card::Using_Wizard_Click()
{
    Select_card_option(1);
}

void Start_Card::Open_Log_Click()
{
    Select_card_option(2);
}

void Start_Card::Select_card_option(int option)
{
    Start_Card_Option = option == 1   ? QStringLiteral("W")
                        : option == 2 ? QStringLiteral("L")
                                      : QStringLiteral("T");
    OK_Click();
}

void Start_Card::OK_Click()
{
    done(1);
}

void Start_Card::CancelClick()
{
    Start_Card_Option = QString("");
    done(0);
    if (cancelEndsProgram)
        ProcessTerminator::terminate(0);
}

void Start_Card::HelpClick()
{
    Open_Help_File();
}

void Start_Card::reject()
{
    CancelClick();
}
