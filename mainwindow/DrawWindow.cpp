#include "mainwindow/DrawWindow.h"

#include "mainwindow/ControlsScrollArea.h"
#include "ui_DrawWindow.h"

#include <QCloseEvent>

DrawWindow::DrawWindow(QWidget* parent) : QMainWindow(parent), m_ui(std::make_unique<Ui::DrawWindow>())
{
    m_ui->setupUi(this);
    // The inspector is the window's tallest column: on a low screen it
    // scrolls rather than holding the window taller than the screen.
    ControlsScrollArea::wrap(*m_ui->main_layout, m_ui->main_layout->indexOf(m_ui->inspector_column));
}

DrawWindow::~DrawWindow() = default;

void DrawWindow::closeEvent(QCloseEvent* event)
{
    if (closeRequested && !closeRequested())
        event->ignore();
    else
        event->accept();
}
