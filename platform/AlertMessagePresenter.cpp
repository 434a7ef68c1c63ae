#include "platform/AlertMessagePresenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <memory>

namespace {
// A box centred on the window it belongs to (alertParent()), or on the
// screen without one, kept inside the screen. It is placed once its text is
// laid out: a box is first shown at the size of its text on one line, which
// a filter that fits windows to the screen as they are shown may already
// have placed by (and so kept the toolkit from centring it).
class AlertBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // sizes the box to its wrapped text
        if (event->spontaneous())
            return;
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen* screen = owner && owner->screen() ? owner->screen() : this->screen();
        if (!screen)
            return;
        const QRect available = screen->availableGeometry();
        QRect frame(QPoint(), frameGeometry().size());
        frame.moveCenter(owner ? owner->frameGeometry().center() : available.center());
        frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width())));
        frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height())));
        move(frame.topLeft());
    }
};

// A box that Escape or the window's close button end with no button
// clicked. (A plain message box treats them as a click on its No button.)
class CancellableBox : public AlertBox
{
public:
    using AlertBox::AlertBox;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }
};

// A window that is up: a box is centred on it. A hidden window (the
// please-wait window that just closed, a window not shown yet) is not: a box
// over it would stand where it last stood or, never shown, at the screen's
// corner. Nor is a popup or tooltip.
QWidget* shownWindow(QWidget* widget)
{
    if (!widget)
        return nullptr;
    QWidget* window = widget->window();
    const Qt::WindowType type = window->windowType();
    if (!window->isVisible() || window->isMinimized() || type == Qt::Popup || type == Qt::ToolTip
        || type == Qt::SplashScreen)
        return nullptr;
    return window;
}

// The window an alert belongs to and is centred on: the modal dialog on top
// (whether or not the system has made it active yet), else the active window,
// else, while none is active (the one active just closed, or the program's
// windows are behind another program's), the program's main window.
QWidget* alertParent()
{
    if (QWidget* modal = shownWindow(QApplication::activeModalWidget()))
        return modal;
    if (QWidget* active = shownWindow(QApplication::activeWindow()))
        return active;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (qobject_cast<QMainWindow*>(window) && shownWindow(window))
            return window;
    }
    return nullptr;
}

template <class Box = AlertBox>
Box* makeBox(const QString& text)
{
    auto* box = new Box(alertParent());
    box->setWindowModality(Qt::ApplicationModal);
    box->setWindowTitle(QCoreApplication::applicationName());
    box->setIcon(QMessageBox::NoIcon);
    box->setText(text);
    box->setInformativeText(QString());
    box->setTextFormat(Qt::PlainText);
    return box;
}
}

void AlertMessagePresenter::showMessage(const QString& text)
{
    std::unique_ptr<QMessageBox> box(makeBox(text));
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->exec();
}

void AlertMessagePresenter::showAlert(const QString& text, const QString& informative)
{
    std::unique_ptr<QMessageBox> box(makeBox(text));
    box->setInformativeText(informative);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    box->exec();
}

bool AlertMessagePresenter::askYesNo(const QString& text)
{
    std::unique_ptr<QMessageBox> box(makeBox(text));
    QPushButton* yes = box->addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    box->exec();
    return box->clickedButton() == yes;
}

MessagePresenter::Answer AlertMessagePresenter::askYesNoOrCancel(const QString& text)
{
    std::unique_ptr<CancellableBox> box(makeBox<CancellableBox>(text));
    QPushButton* yes = box->addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->exec();
    if (box->clickedButton() == yes)
        return Answer::Yes;
    if (box->clickedButton() == no)
        return Answer::No;
    return Answer::Cancelled;
}
