#include "mainwindow/PleaseWait_Modeless.h"

#include "mainwindow/WindowBackground.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

PleaseWait_Modeless::PleaseWait_Modeless(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PleaseWait_Modeless"));
    setWindowTitle(tr("Please Wait"));
    setWindowModality(Qt::WindowModal);
    WindowBackground::apply(*this);

    modeless_msg_lbl = new QLabel(tr("It may take a while, Please wait.."), this);
    modeless_msg_lbl->setObjectName(QStringLiteral("modeless_msg_lbl"));
    modeless_msg_lbl->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeless_msg_lbl);
    setMinimumSize(300, 80);
}

void PleaseWait_Modeless::reject()
{
    if (!m_held)
        QDialog::reject();
}

void PleaseWait_Modeless::closeEvent(QCloseEvent* event)
{
    if (m_held)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
