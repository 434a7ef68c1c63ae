#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QString>

class QPainter;
class QPainterPath;
class QRectF;

// The inside of a shape or text background: a solid colour, a two-colour
// linear gradient at an angle, or a hatch pattern picture tiled over a
// background colour. Paths fill by their own fill rule.
class FillStep
{
public:
    // Fills `path` with `colour`; an invalid colour fills nothing.
    static void fillSolid(QPainter& painter, const QPainterPath& path, const QColor& colour);

    // The gradient from `from` to `to` across `box` at `angleDegrees`: 0 runs
    // left to right, 90 top to bottom (y grows downwards). It starts at the
    // corner of the box that lies furthest back along the direction and ends
    // at the opposite one, so the whole box is covered.
    static QLinearGradient linearGradient(const QRectF& box, const QColor& from, const QColor& to,
                                          double angleDegrees);
    // Fills `path` with that gradient over the path's bounding box.
    static void fillGradient(QPainter& painter, const QPainterPath& path, const QColor& from, const QColor& to,
                             double angleDegrees);

    // The file of a hatch pattern: "<name>.png" in the folder
    // "Fill_Style_Image" of the resource folder. Empty for names that would
    // leave that folder (path separators, "." and "..") or are empty.
    static QString hatchPatternFile(const QString& resourceFolder, const QString& name);
    // Fills `path` with `background`, then tiles the pattern picture of
    // `patternFile` over it at the picture's size in points, anchored at the
    // origin of the painter's coordinates. A missing or unreadable picture
    // leaves the background alone.
    static void fillHatch(QPainter& painter, const QPainterPath& path, const QColor& background,
                          const QString& patternFile);
};
