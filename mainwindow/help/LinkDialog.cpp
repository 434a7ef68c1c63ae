#include "mainwindow/help/LinkDialog.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

LinkDialog::LinkDialog(QWidget* parent) : DialogFrame(parent, QString(), QString())
{
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

QLabel* LinkDialog::makeHeading(const QString& text, int extraPoints)
{
    auto* heading = new QLabel(text, this);
    QFont font = heading->font();
    font.setPointSize(font.pointSize() + extraPoints);
    font.setBold(true);
    heading->setFont(font);
    return heading;
}
