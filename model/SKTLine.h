#pragma once

#include "model/SKTGraphic.h"

#include <optional>
#include <utility>

// Keys of a line's end points, published for observation and undo in place
// of "bounds".
extern const QString SKTLineBeginPointKey;   // "beginPoint"
extern const QString SKTLineEndPointKey;     // "endPoint"

// A straight line. Its only geometry is the bounds: the segment runs between
// two opposite corners, and two direction flags say which ones.
class SKTLine : public SKTGraphic
{
public:
    static constexpr int BeginHandle = 1;
    static constexpr int EndHandle = 2;

    SKTLine();
    explicit SKTLine(const GraphicDefaults& defaults);
    ~SKTLine() override;

    // YES: the begin point lies on the left edge of the bounds and the end
    // point on the right edge; NO: the other way round.
    bool _pointsRight;
    // YES: the begin point lies on the top edge (smaller y) and the end point
    // on the bottom edge; NO: the other way round.
    bool _pointsDown;

    bool pointsRight() const { return _pointsRight; }
    bool pointsDown() const { return _pointsDown; }
    // Sets both flags directly, notifying nobody (as when a line is read
    // back from an archive).
    void setDirection(bool pointsRight, bool pointsDown);

    Kind kind() const override { return Kind::Line; }
    QString className() const override { return QStringLiteral("SKTLine"); }
    GraphicPtr deepCopy() const override;

    // The rectangle spanned by two points, with the direction from begin to
    // end written into the flags that are given (strict comparisons: equal
    // coordinates give NO).
    static QRectF boundsWithBeginPoint(const QPointF& beginPoint, const QPointF& endPoint,
                                       bool* pointsRight = nullptr, bool* down = nullptr);

    QPointF beginPoint() const;
    QPointF endPoint() const;
    // Move one end and keep the other: new bounds and flags, stored through
    // setBounds.
    void setBeginPoint(const QPointF& point);
    void setEndPoint(const QPointF& point);

    // ---- key-value coding ----
    QVariant valueForKey(const QString& key) const override;
    void setValueForKey(const QVariant& value, const QString& key) override;
    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;
    QStringList keyPathsForValuesAffectingValueForKey(const QString& key) const override;

    GraphicPtr copy() const override;

    // ---- fixed answers: never filled, always stroked ----
    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    bool canMakeNaturalSize() const override { return false; }
    // The end point follows the mouse while a new line is drawn.
    static int creationSizingHandle() { return EndHandle; }

    // ---- geometry and drawing ----
    QPainterPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    void drawHandlesInView(QPainter& painter, bool lock_hai) const override;
    int handleUnderPoint(const QPointF& point) const override;
    int resizeByMovingHandle(int handle, const QPointF& point) override;
    bool isContentsUnderPoint(const QPointF& point) const override;
    // A line's colour is its stroke colour.
    void setColor(const Colour& colour) override;

protected:
    void storeBounds(const QRectF& bounds) override;

private:
    // Moves the line to new bounds and direction, telling the observers of
    // both end points with their values from before.
    void setBoundsAndDirection(const QRectF& bounds, bool pointsRight, bool pointsDown);

    // The end points before a change that also turns the flags; set only
    // while such a change stores its bounds.
    std::optional<std::pair<QPointF, QPointF>> m_pointsBeforeChange;
};
