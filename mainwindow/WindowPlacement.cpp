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

QRect WindowPlacement::openingFrame(const QRect& wanted, const QSize& minimum, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    const QRect inside = fitted(wanted, available);
    const QSize size = inside.size().expandedTo(minimum);
    if (size == inside.size())
        return inside;
    // Too large for the area: as far right and down as it still fits, but
    // never past the area's left or top edge.
    const int x = std::max(available.left(), std::min(inside.left(), available.right() + 1 - size.width()));
    const int y = std::max(available.top(), std::min(inside.top(), available.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

QRect WindowPlacement::centred(const QSize& size, const QRect& over)
{
    const QPoint topLeft(over.left() + (over.width() - size.width()) / 2,
                         over.top() + (over.height() - size.height()) / 2);
    return QRect(topLeft, size);
}
