#include "mainwindow/WindowPlacement.h"

#include <algorithm>

QRect WindowPlacement::mainWindowFrame(const QRect& available, const QMargins& frame)
{
    const QSize size(mainWidth + frame.left() + frame.right(), mainHeight + frame.top() + frame.bottom());
    const QRect wanted(QPoint(available.left() + mainLeft, available.bottom() + 1 - size.height()), size);
    return fitted(wanted, available);
}

QRect WindowPlacement::fitted(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty() || available.contains(wanted))
        return wanted;
    const QSize size(std::min(wanted.width(), available.width()), std::min(wanted.height(), available.height()));
    // Moved in from whichever edge it crosses; shrunk, it fits between both.
    const int x = std::clamp(wanted.left(), available.left(), available.right() + 1 - size.width());
    const int y = std::clamp(wanted.top(), available.top(), available.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}
