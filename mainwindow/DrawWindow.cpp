#include "mainwindow/DrawWindow.h"

#include "ui_DrawWindow.h"

#include <QCloseEvent>

DrawWindow::DrawWindow(QWidget* parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::DrawWindow>())
{
    m_ui->setupUi(this);
}

DrawWindow::~DrawWindow() = default;

void DrawWindow::closeEvent(QCloseEvent* event)
{
    if (closeRequested && !closeRequested())
        event->ignore();
    else
        event->accept();
}
