#pragma once

// A plain window asking the user to wait, modal over the window it sits on.
// While it is held (work runs behind it) it cannot be closed, so that the
// window under it gets no input halfway through.

#include <QDialog>

class QLabel;

class PleaseWait_Modeless : public QDialog
{
    Q_OBJECT

public:
    explicit PleaseWait_Modeless(QWidget* parent = nullptr);

    void setHeld(bool held) { m_held = held; }
    bool isHeld() const { return m_held; }

    QLabel* modeless_msg_lbl = nullptr;

    // Escape and the window's close button do nothing while it is held.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_held = false;
};
