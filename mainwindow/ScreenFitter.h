#pragma once

// Keeps every window and dialog of the program inside the available area of
// its screen (WindowPlacement::openingFrame). Installed once on the
// application, it fits each top-level window as it is shown, and once more
// when a window manager has put its frame (title bar, borders) around it,
// since the frame is only known then.

#include <QMargins>
#include <QObject>
#include <QRect>

#include <functional>

class QWidget;

class ScreenFitter : public QObject
{
public:
    // Where a window wants its frame in `available`, given its frame margins.
    using Placement = std::function<QRect(const QRect& available, const QMargins& frame)>;

    // Fits every window shown from now on; a second call changes nothing.
    static void install();
    static bool isInstalled();
    // `window` opens where `placement` puts it rather than where it is.
    static void setPlacement(QWidget& window, Placement placement);
    // Fits `window` into its screen's available area now.
    static void fit(QWidget& window);
    // Whether windows of `window`'s kind are fitted (menus, tool tips and
    // other pop-ups place themselves).
    static bool fits(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScreenFitter() = default;
    // `opening`: the window is being shown and the toolkit has not placed it yet.
    static void place(QWidget& window, bool opening);
};
