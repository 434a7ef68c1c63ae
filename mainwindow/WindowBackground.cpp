#include "mainwindow/WindowBackground.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

void WindowBackground::apply(QWidget& window)
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}
