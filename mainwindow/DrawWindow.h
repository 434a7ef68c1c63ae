#pragma once

// The main window: the layout "DrawWindow" and nothing more. Its controller
// (SKTWindowController) fills and reads the controls and decides whether the
// window may close.

#include "ui_DrawWindow.h"

#include <QMainWindow>
#include <functional>

class DrawWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DrawWindow(QWidget* parent = nullptr);

    Ui::DrawWindow ui;

    // Asked when the user closes the window; the window stays open unless it
    // answers true.
    std::function<bool()> closeRequested;

protected:
    void closeEvent(QCloseEvent* event) override;
};
