#include "mainwindow/ScreenFitter.h"

#include "mainwindow/WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QScreen>
#include <QWidget>

namespace {

ScreenFitter* s_instance = nullptr;
QHash<const QWidget*, ScreenFitter::Placement> s_placements;

// Set while a shown window still waits for its window manager's frame.
const char* const awaitingFrame = "screenFitterAwaitingFrame";

QMargins marginsOf(const QWidget& window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

bool frameKnown(const QWidget& window)
{
    return window.frameGeometry() != window.geometry();
}

bool framedByWindowManager(const QWidget& window)
{
    const Qt::WindowFlags flags = window.windowFlags();
    return !flags.testFlag(Qt::FramelessWindowHint) && !flags.testFlag(Qt::X11BypassWindowManagerHint);
}

// The frame margins as far as they are known: the window's own, else those
// of the window it belongs to, else those of any window already framed (the
// same window manager draws them all), so that a window without an owner
// does not open a title bar taller than the screen before its frame is known.
QMargins frameMargins(const QWidget& window)
{
    if (frameKnown(window) || !framedByWindowManager(window))
        return marginsOf(window);
    if (const QWidget* parent = window.parentWidget(); parent && frameKnown(*parent->window()))
        return marginsOf(*parent->window());
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget* other : windows)
        if (other != &window && other->isVisible() && framedByWindowManager(*other) && frameKnown(*other))
            return marginsOf(*other);
    return {};
}

// A dialog not placed by the program opens over the window it belongs to.
bool opensOverParent(const QWidget& window)
{
    return window.parentWidget() && !window.testAttribute(Qt::WA_Moved) && !s_placements.contains(&window);
}

QScreen* screenOf(const QWidget& window, const QRect& frame)
{
    if (opensOverParent(window))
        if (QScreen* screen = window.parentWidget()->window()->screen())
            return screen;
    if (QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen;
    return window.screen() ? window.screen() : QGuiApplication::primaryScreen();
}

}

void ScreenFitter::install()
{
    if (s_instance || !qApp)
        return;
    s_instance = new ScreenFitter;
    s_instance->setParent(qApp);
    qApp->installEventFilter(s_instance);
}

bool ScreenFitter::isInstalled()
{
    return s_instance != nullptr;
}

void ScreenFitter::setPlacement(QWidget& window, Placement placement)
{
    if (!s_placements.contains(&window))
        QObject::connect(&window, &QObject::destroyed, [key = &window] { s_placements.remove(key); });
    s_placements.insert(&window, std::move(placement));
}

bool ScreenFitter::fits(const QWidget& window)
{
    if (!window.isWindow())
        return false;
    switch (window.windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
        return true;
    default:
        return false;
    }
}

void ScreenFitter::fit(QWidget& window)
{
    place(window, false);
}

void ScreenFitter::place(QWidget& window, bool opening)
{
    const QMargins frame = frameMargins(window);
    const QRect current = window.geometry().marginsAdded(frame);
    // A window whose size the toolkit chose opens as large as it asks to be
    // (the toolkit stops at two thirds of the screen), as far as it fits.
    QRect wanted = current;
    if (opening && !window.testAttribute(Qt::WA_Resized))
        wanted.setSize(current.size().expandedTo(window.sizeHint().grownBy(frame)));
    // A dialog about to open over its window is judged where it will open.
    const bool centring = opening && opensOverParent(window);
    if (centring)
        wanted = WindowPlacement::centred(wanted.size(), window.parentWidget()->window()->frameGeometry());
    const QScreen* screen = screenOf(window, wanted);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    if (const auto placement = s_placements.constFind(&window); placement != s_placements.constEnd())
        wanted = (*placement)(available, frame);
    const QSize minimum = window.minimumSize().expandedTo(window.minimumSizeHint()).grownBy(frame);
    const QRect placed = WindowPlacement::openingFrame(wanted, minimum, available);
    // A dialog is centred over its window by the toolkit as it opens.
    const bool toolkitCentres = centring && qobject_cast<const QDialog*>(&window) && wanted.size() == current.size();
    if (placed == (toolkitCentres ? wanted : current))
        return;
    window.resize(placed.size().shrunkBy(frame));
    window.move(placed.topLeft());   // a top-level window's move places its frame
}

bool ScreenFitter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // The frame is known by the first paint after the window manager has
    // framed the window at the latest; moves, resizes and activation may
    // come earlier.
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Move && type != QEvent::Resize
        && type != QEvent::WindowActivate && type != QEvent::Paint)
        return false;
    if (!watched->isWidgetType())
        return false;
    auto& window = static_cast<QWidget&>(*watched);
    if (!fits(window))
        return false;
    if (type == QEvent::Show && !event->spontaneous()) {
        place(window, true);
        window.setProperty(awaitingFrame, framedByWindowManager(window) && !frameKnown(window));
    } else if (type == QEvent::Hide) {
        window.setProperty(awaitingFrame, false);
    } else if (window.property(awaitingFrame).toBool() && frameKnown(window)) {
        window.setProperty(awaitingFrame, false);
        fit(window);
    }
    return false;
}
