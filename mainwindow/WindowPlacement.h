#pragma once

// Where windows go on a screen. Window-free: rectangles in, a rectangle out.
// Frames are whole windows (title bar and borders included); `available` is
// the screen's area without its panels and docks.

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

    // The frame a window opens with: `wanted` fitted into `available`, but
    // never smaller than `minimum` (the frame around the window's smallest
    // size). A window whose smallest size is larger than the area keeps its
    // top-left corner, and so its title bar, inside the area.
    static QRect openingFrame(const QRect& wanted, const QSize& minimum, const QRect& available);

    // `size` centred over `over` (a dialog over the window it belongs to).
    static QRect centred(const QSize& size, const QRect& over);
};
