#include "mainwindow/help/LinkDialog.h"

#include "mainwindow/WindowBackground.h"

#include <QPalette>
#include <QPushButton>

namespace {

LinkDialog::ModalRun& modalRun()
{
    static LinkDialog::ModalRun run;
    return run;
}

}

LinkDialog::LinkDialog(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    WindowBackground::apply(*this);
}

int LinkDialog::runModal()
{
    const ModalRun run = modalRun();
    const int result = run ? run(*this) : exec();
    hide();
    return result;
}

void LinkDialog::setModalRun(ModalRun run)
{
    modalRun() = std::move(run);
}

QColor LinkDialog::linkColour()
{
    return QColor(0, 0, 238);
}

void LinkDialog::styleAsLink(QPushButton& button)
{
    QFont font = button.font();
    font.setBold(true);
    font.setPointSize(11);
    font.setUnderline(true);
    button.setFont(font);
    button.setFlat(true);
    button.setCursor(Qt::OpenHandCursor);
    QPalette palette = button.palette();
    palette.setColor(QPalette::ButtonText, linkColour());
    palette.setColor(QPalette::Button, QColor(241, 244, 250));
    button.setPalette(palette);
    button.setAutoFillBackground(true);
    // no frame: the title alone, as a link
    button.setStyleSheet(QStringLiteral("QPushButton { border: none; padding: 1px 2px; text-align: left;"
                                        " color: %1; background-color: rgb(241, 244, 250); }")
                             .arg(linkColour().name()));
}

QPushButton* LinkDialog::makeLinkButton(const QString& title, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(objectName);
    styleAsLink(*button);
    return button;
}
