#include "mainwindow/series/Load_Num_Info.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Load_Num_Info::Load_Num_Info(QWidget* parent)
    : FramedDialog(parent, QStringLiteral("Load_Number_Window"), tr("New Values"))
{
    question_lbl = new QLabel(
        tr("The series already has values. Do you want to replace them with the new values, "
           "or add the new values after them?"),
        this);
    question_lbl->setObjectName(QStringLiteral("question_lbl"));
    question_lbl->setWordWrap(true);

    yes_btn = namedButton(tr("Replace"), QStringLiteral("yes_btn"));
    no_btn = namedButton(tr("Add"), QStringLiteral("no_btn"));
    cancel_btn = namedButton(tr("Cancel"), QStringLiteral("cancel_btn"));
    yes_btn->setDefault(true);
    connect(yes_btn, &QPushButton::clicked, this, &Load_Num_Info::YESPressed);
    connect(no_btn, &QPushButton::clicked, this, &Load_Num_Info::NOPressed);
    connect(cancel_btn, &QPushButton::clicked, this, &Load_Num_Info::CancelPressed);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_lbl);
    layout->addLayout(buttonRow({}, {cancel_btn, no_btn, yes_btn}));
    setMinimumWidth(380);
}

int Load_Num_Info::runQuestion()
{
    return runModal();
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
