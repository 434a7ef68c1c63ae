#pragma once

// Where the main window goes on a screen. Window-free: rectangles in, a
// rectangle out.

#include <QMargins>
#include <QRect>

class WindowPlacement
{
public:
    // Contents size of the main window as the program asks for it.
    static constexpr int mainWidth = 1000;
    static constexpr int mainHeight = 800;
    // Distance of the window from the left edge of the screen's area.
    static constexpr int mainLeft = 100;

    // The main window's frame (its contents plus `frame`) as the program
    // asks for it: 100 pixels from the left edge of `available` and resting
    // on its bottom edge (the program's {100, 0, 1000, 800} counts from the
    // bottom-left corner), then fitted into `available`.
    static QRect mainWindowFrame(const QRect& available, const QMargins& frame = {});

    // `wanted` as it is when it lies wholly inside `available`; otherwise
    // shrunk to no more than the available width and height and moved the
    // shortest way into the area. An empty area changes nothing.
    static QRect fitted(const QRect& wanted, const QRect& available);
};
