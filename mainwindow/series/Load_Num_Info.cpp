#include "mainwindow/series/Load_Num_Info.h"

#include "mainwindow/WindowBackground.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
Load_Num_Info::ModalRun s_modalRun;
}

Load_Num_Info::Load_Num_Info(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Load_Number_Window"));
    setWindowTitle(tr("New Values"));
    setModal(true);
    WindowBackground::apply(*this);

    question_lbl = new QLabel(
        tr("The series already has values. Do you want to replace them with the new values, "
           "or add the new values after them?"),
        this);
    question_lbl->setObjectName(QStringLiteral("question_lbl"));
    question_lbl->setWordWrap(true);

    yes_btn = new QPushButton(tr("Replace"), this);
    yes_btn->setObjectName(QStringLiteral("yes_btn"));
    no_btn = new QPushButton(tr("Add"), this);
    no_btn->setObjectName(QStringLiteral("no_btn"));
    cancel_btn = new QPushButton(tr("Cancel"), this);
    cancel_btn->setObjectName(QStringLiteral("cancel_btn"));
    yes_btn->setDefault(true);
    connect(yes_btn, &QPushButton::clicked, this, &Load_Num_Info::YESPressed);
    connect(no_btn, &QPushButton::clicked, this, &Load_Num_Info::NOPressed);
    connect(cancel_btn, &QPushButton::clicked, this, &Load_Num_Info::CancelPressed);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_btn);
    buttons->addWidget(no_btn);
    buttons->addWidget(yes_btn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_lbl);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void Load_Num_Info::setModalRun(ModalRun run)
{
    s_modalRun = std::move(run);
}

int Load_Num_Info::runQuestion()
{
    const int result = s_modalRun ? s_modalRun(*this) : exec();
    hide();
    return result;
}

void Load_Num_Info::YESPressed()
{
    done(1);
}

void Load_Num_Info::NOPressed()
{
    done(0);
}

void Load_Num_Info::CancelPressed()
{
    hide();
    done(cancelled);
}

void Load_Num_Info::reject()
{
    CancelPressed();
}
