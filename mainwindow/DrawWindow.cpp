#include "mainwindow/DrawWindow.h"

#include <QCloseEvent>

DrawWindow::DrawWindow(QWidget* parent) : QMainWindow(parent)
{
    ui.setupUi(this);
}

void DrawWindow::closeEvent(QCloseEvent* event)
{
    if (closeRequested && !closeRequested())
        event->ignore();
    else
        event->accept();
}
