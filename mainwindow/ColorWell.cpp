#include "mainwindow/ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

ColorWell::ColorWell(QWidget* parent) : QToolButton(parent)
{
    setIconSize(QSize(36, 14));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    connect(this, &QToolButton::clicked, this, &ColorWell::pick);
    showColour();
}

void ColorWell::setColour(const Colour& colour)
{
    m_colour = colour;
    showColour();
}

void ColorWell::pick()
{
    const QColor chosen = QColorDialog::getColor(m_colour.toQColor(), this, toolTip());
    if (!chosen.isValid())
        return;
    setColour(Colour::fromQColor(chosen));
    emit colourChosen(m_colour);
}

void ColorWell::showColour()
{
    QPixmap swatch(iconSize());
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.fillRect(swatch.rect(), m_colour.toQColor());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(swatch));
}
