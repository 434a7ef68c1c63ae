#include "platform/AlertMessagePresenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {
QMessageBox* makeBox(const QString& text)
{
    auto* box = new QMessageBox(QApplication::activeWindow());
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(QCoreApplication::applicationName());
    box->setIcon(QMessageBox::NoIcon);
    box->setText(text);
    box->setInformativeText(QString());
    box->setTextFormat(Qt::PlainText);
    return box;
}
}

void AlertMessagePresenter::showMessage(const QString& text)
{
    std::unique_ptr<QMessageBox> box(makeBox(text));
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->exec();
}

bool AlertMessagePresenter::askYesNo(const QString& text)
{
    std::unique_ptr<QMessageBox> box(makeBox(text));
    QPushButton* yes = box->addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes;
}
