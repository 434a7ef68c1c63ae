#include "model/SKTLine.h"

#include "model/StrokeStep.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>

const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
const QString SKTLineEndPointKey = QStringLiteral("endPoint");

SKTLine::SKTLine() : _pointsRight(false), _pointsDown(false) {}

SKTLine::SKTLine(const GraphicDefaults& defaults) : SKTGraphic(defaults), _pointsRight(false), _pointsDown(false)
{
}

SKTLine::~SKTLine() = default;

GraphicPtr SKTLine::deepCopy() const
{
    return detachedCopy(std::make_shared<SKTLine>(*this));
}

void SKTLine::setDirection(bool pointsRight, bool pointsDown)
{
    _pointsRight = pointsRight;
    _pointsDown = pointsDown;
}

QRectF SKTLine::boundsWithBeginPoint(const QPointF& beginPoint, const QPointF& endPoint, bool* pointsRight,
                                     bool* down)
{
    if (pointsRight)
        *pointsRight = endPoint.x() > beginPoint.x();
    if (down)
        *down = endPoint.y() > beginPoint.y();
    return QRectF(std::min(beginPoint.x(), endPoint.x()), std::min(beginPoint.y(), endPoint.y()),
                  std::abs(endPoint.x() - beginPoint.x()), std::abs(endPoint.y() - beginPoint.y()));
}

QPointF SKTLine::beginPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.x() : b.x() + b.width(), _pointsDown ? b.y() : b.y() + b.height()};
}

QPointF SKTLine::endPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.x() + b.width() : b.x(), _pointsDown ? b.y() + b.height() : b.y()};
}

void SKTLine::setBeginPoint(const QPointF& point)
{
    bool right = false, down = false;
    const QRectF b = boundsWithBeginPoint(point, endPoint(), &right, &down);
    setBoundsAndDirection(b, right, down);
}

void SKTLine::setEndPoint(const QPointF& point)
{
    bool right = false, down = false;
    const QRectF b = boundsWithBeginPoint(beginPoint(), point, &right, &down);
    setBoundsAndDirection(b, right, down);
}

void SKTLine::setBoundsAndDirection(const QRectF& b, bool pointsRight, bool pointsDown)
{
    // The old end points depend on the old flags: remember them before the
    // flags turn.
    m_pointsBeforeChange = std::make_pair(beginPoint(), endPoint());
    _pointsRight = pointsRight;
    _pointsDown = pointsDown;
    setBounds(b);
    m_pointsBeforeChange.reset();
}

void SKTLine::storeBounds(const QRectF& b)
{
    const auto before = m_pointsBeforeChange ? *m_pointsBeforeChange : std::make_pair(beginPoint(), endPoint());
    SKTGraphic::storeBounds(b);
    // Both end points follow the bounds; they are what the document records
    // for undo, so every change of the bounds tells their observers too.
    publishChange(SKTLineBeginPointKey, before.first);
    publishChange(SKTLineEndPointKey, before.second);
}

// ---- key-value coding ----

QVariant SKTLine::valueForKey(const QString& key) const
{
    if (key == SKTLineBeginPointKey)
        return beginPoint();
    if (key == SKTLineEndPointKey)
        return endPoint();
    return SKTGraphic::valueForKey(key);
}

void SKTLine::setValueForKey(const QVariant& value, const QString& key)
{
    if (key == SKTLineBeginPointKey)
        setBeginPoint(value.toPointF());
    else if (key == SKTLineEndPointKey)
        setEndPoint(value.toPointF());
    else
        SKTGraphic::setValueForKey(value, key);
}

QStringList SKTLine::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.removeAll(SKTGraphicBoundsKey);
    keys << SKTLineBeginPointKey << SKTLineEndPointKey;
    return keys;
}

QString SKTLine::presentablePropertyNameForKey(const QString& key) const
{
    if (key == SKTLineBeginPointKey)
        return QCoreApplication::translate("UndoStrings", "Beginpoint");
    if (key == SKTLineEndPointKey)
        return QCoreApplication::translate("UndoStrings", "Endpoint");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

QStringList SKTLine::keyPathsForValuesAffectingValueForKey(const QString& key) const
{
    if (key == SKTLineBeginPointKey || key == SKTLineEndPointKey)
        return {SKTGraphicBoundsKey};
    return SKTGraphic::keyPathsForValuesAffectingValueForKey(key);
}

GraphicPtr SKTLine::copy() const
{
    GraphicPtr g = SKTGraphic::copy();
    if (g && g->kind() == Kind::Line) {
        auto* line = static_cast<SKTLine*>(g.get());
        line->_pointsRight = _pointsRight;
        line->_pointsDown = _pointsDown;
    }
    return g;
}

// ---- geometry and drawing ----

QPainterPath SKTLine::bezierPathForDrawing() const
{
    QPainterPath path(beginPoint());
    path.lineTo(endPoint());
    return path;
}

void SKTLine::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    StrokeStep::stroke(painter, bezierPathForDrawing(), strokeColor().toQColor(), strokeWidth(),
                       _stroke_border_type, StrokeStep::capStyleForCode(Get_Line_Cap_Style()));
    painter.restore();
}

void SKTLine::drawHandlesInView(QPainter& painter, bool lock_hai) const
{
    drawHandleInView(painter, beginPoint(), lock_hai);
    drawHandleInView(painter, endPoint(), lock_hai);
}

int SKTLine::handleUnderPoint(const QPointF& point) const
{
    if (isHandleAtPoint(beginPoint(), point))
        return BeginHandle;
    if (isHandleAtPoint(endPoint(), point))
        return EndHandle;
    return NoHandle;
}

int SKTLine::resizeByMovingHandle(int handle, const QPointF& point)
{
    // The handle stays on its end whichever way the line turns.
    if (handle == BeginHandle)
        setBeginPoint(point);
    else if (handle == EndHandle)
        setEndPoint(point);
    return handle;
}

bool SKTLine::isContentsUnderPoint(const QPointF& point) const
{
    const double tolerance = strokeWidth() / 2.0 + 2.0;
    const QRectF grown = bounds().adjusted(-tolerance, -tolerance, tolerance, tolerance);
    if (!pointInRect(point, grown))
        return false;
    const QPointF begin = beginPoint();
    const QPointF end = endPoint();
    const double dx = end.x() - begin.x();
    if (dx == 0)
        return std::abs(point.x() - begin.x()) <= tolerance;
    const double slope = (end.y() - begin.y()) / dx;
    // Distance to the infinite line through both ends, measured vertically at
    // the point's x...
    const double vertical = std::abs((point.x() - begin.x()) * slope - (point.y() - begin.y()));
    if (vertical <= tolerance)
        return true;
    // ...or horizontally at the point's y, so that a steep line is as easy to
    // hit from the side as a shallow one from above.
    if (slope == 0)
        return false;
    return vertical / std::abs(slope) <= tolerance;
}

void SKTLine::setColor(const Colour& colour)
{
    setValueForKey(QVariant::fromValue(colour), SKTGraphicStrokeColorKey);
}
