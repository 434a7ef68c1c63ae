#pragma once

#include <QPointF>
#include <Qt>

// A mouse press, drag step or release as the canvas handles it: the point in
// canvas coordinates (points, y downwards, origin at the card's upper-left
// corner), the click count of a press and the modifier keys held.
struct CanvasMouseEvent {
    QPointF point;
    int clickCount = 1;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;

    bool extendsSelection() const { return modifiers.testFlag(Qt::ShiftModifier); }
};
