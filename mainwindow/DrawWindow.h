#pragma once

// The main window: the layout "DrawWindow" and nothing more. Its controller
// (SKTWindowController) fills and reads the controls and decides whether the
// window may close. The controls are named as in the layout and can also be
// found by name (findChild).

#include <QMainWindow>
#include <functional>
#include <memory>

namespace Ui {
class DrawWindow;
}

class DrawWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DrawWindow(QWidget* parent = nullptr);
    ~DrawWindow() override;

    Ui::DrawWindow& ui() { return *m_ui; }
    const Ui::DrawWindow& ui() const { return *m_ui; }

    // Asked when the user closes the window; the window stays open unless it
    // answers true.
    std::function<bool()> closeRequested;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::DrawWindow> m_ui;
};
