#include "mainwindow/Start_Card.h"

#include "app/FileHelpers.h"
#include "app/Globals.h"
#include "mainwindow/Globals.h"
#include "mainwindow/WindowBackground.h"
#include "platform/ProcessTerminator.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Start_Card::ModalRun s_modalRun;
}

Start_Card::Start_Card(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Start_Card"));
    setWindowTitle(tr("Start"));
    setModal(true);
    WindowBackground::apply(*this);

    template_btn = new QPushButton(tr("Start from a template"), this);
    template_btn->setObjectName(QStringLiteral("template_btn"));
    wizard_btn = new QPushButton(tr("Choose a card size"), this);
    wizard_btn->setObjectName(QStringLiteral("wizard_btn"));
    open_btn = new QPushButton(tr("Open a saved design"), this);
    open_btn->setObjectName(QStringLiteral("open_btn"));
    for (QPushButton* button : {template_btn, wizard_btn, open_btn}) {
        button->setMinimumSize(260, 48);
        QFont font = button->font();
        font.setPointSizeF(font.pointSizeF() * 1.15);
        button->setFont(font);
    }
    cancel_btn = new QPushButton(tr("Cancel"), this);
    cancel_btn->setObjectName(QStringLiteral("cancel_btn"));
    help_btn = new QPushButton(tr("Help"), this);
    help_btn->setObjectName(QStringLiteral("help_btn"));

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
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help_btn);
    buttons->addStretch(1);
    buttons->addWidget(cancel_btn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    for (QPushButton* button : {template_btn, wizard_btn, open_btn})
        layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(460, 320);
}

void Start_Card::setModalRun(ModalRun run)
{
    s_modalRun = std::move(run);
}

int Start_Card::Open_Wnd()
{
    // Help is offered while the help document is there.
    help_btn->setEnabled(QFileInfo::exists(Resource_Path + QStringLiteral("/Help.pdf")));
    setResult(0);
    const int code = s_modalRun ? s_modalRun(*this) : exec();
    hide();
    return code;
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
