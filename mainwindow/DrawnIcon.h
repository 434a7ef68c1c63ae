#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// An icon drawn in code: `draw` paints on a transparent square of side x
// side points (drawn at twice the pixels for high-density screens), with
// antialiasing and a thin black pen with round ends.
class DrawnIcon
{
public:
    static constexpr int side = 24;   // points

    static QIcon make(const std::function<void(QPainter&)>& draw);
};
