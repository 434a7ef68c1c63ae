#include "canvas/SKTGrid.h"

#include "canvas/CanvasHost.h"

#include <QPainter>
#include <QPen>
#include <QTimer>
#include <cmath>

const QString SKTGridAnyKey = QStringLiteral("any");
const QString SKTGridColorKey = QStringLiteral("color");
const QString SKTGridSpacingKey = QStringLiteral("spacing");
const QString SKTGridAlwaysShownKey = QStringLiteral("alwaysShown");
const QString SKTGridConstrainingKey = QStringLiteral("constraining");
const QString SKTGridUsableKey = QStringLiteral("usable");
const QString SKTGridCanSetColorKey = QStringLiteral("canSetColor");
const QString SKTGridCanSetSpacingKey = QStringLiteral("canSetSpacing");

namespace {

// Light grey: white 2/3.
const Colour defaultGridColour = Colour::grey(2.0 / 3.0);
constexpr double defaultSpacing = 9.0;
// More lines than this across a dirty rectangle would fill it solid and take
// long to build; such a grid draws nothing.
constexpr double maximumLinesPerDirection = 100000;

double snapped(double v, double s)
{
    return std::floor(v / s + 0.5) * s;
}

} // namespace

SKTGrid::SKTGrid(CanvasHost* host)
    : _color(defaultGridColour), _spacing(defaultSpacing), _isAlwaysShown(false), _isConstraining(false), m_host(host)
{
}

SKTGrid::~SKTGrid()
{
    cancelHidingTimer();
}

QStringList SKTGrid::keyPathsForValuesAffectingValueForKey(const QString& key)
{
    if (key == SKTGridUsableKey)
        return {SKTGridSpacingKey};
    if (key == SKTGridCanSetColorKey)
        return {SKTGridAlwaysShownKey, SKTGridUsableKey};
    if (key == SKTGridCanSetSpacingKey)
        return {SKTGridAlwaysShownKey, SKTGridConstrainingKey};
    if (key == SKTGridAnyKey)
        return {SKTGridColorKey, SKTGridSpacingKey, SKTGridAlwaysShownKey, SKTGridConstrainingKey};
    return {};
}

void SKTGrid::publishChange(const QString& key, const QVariant& oldValue)
{
    didChange(key, oldValue);
    // Derived keys, in an order where each comes after the keys it depends on.
    QStringList changed {key};
    for (const QString& derived : {SKTGridUsableKey, SKTGridCanSetColorKey, SKTGridCanSetSpacingKey, SKTGridAnyKey}) {
        const QStringList sources = keyPathsForValuesAffectingValueForKey(derived);
        for (const QString& source : sources) {
            if (changed.contains(source)) {
                changed.append(derived);
                didChange(derived, QVariant());
                break;
            }
        }
    }
}

void SKTGrid::setColor(const Colour& colour)
{
    const QVariant old = QVariant::fromValue(_color);
    _color = colour;
    publishChange(SKTGridColorKey, old);
}

void SKTGrid::setSpacing(double spacing)
{
    const QVariant old = _spacing;
    // Observers hear of every call; only a new value changes anything.
    if (spacing == _spacing) {
        publishChange(SKTGridSpacingKey, old);
        return;
    }
    _spacing = spacing;
    if (spacing > 0 && !_isAlwaysShown) {
        if (!_hidingTimer) {
            _hidingTimer = std::make_unique<QTimer>();
            _hidingTimer->setSingleShot(true);
            QObject::connect(_hidingTimer.get(), &QTimer::timeout, [this] { stopShowingGridForTimer(); });
        }
        // A pending display is prolonged: it ends a full second after the
        // latest change.
        _hidingTimer->start(int(SKTGridTemporaryShowingTime * 1000));
    }
    publishChange(SKTGridSpacingKey, old);
}

void SKTGrid::setAlwaysShown(bool shown)
{
    const QVariant old = _isAlwaysShown;
    if (shown != _isAlwaysShown) {
        _isAlwaysShown = shown;
        if (m_host)
            m_host->setAlignWithGridButtonEnabled(shown);
        cancelHidingTimer();
    }
    publishChange(SKTGridAlwaysShownKey, old);
}

void SKTGrid::setConstraining(bool constraining)
{
    const QVariant old = _isConstraining;
    _isConstraining = constraining;
    publishChange(SKTGridConstrainingKey, old);
}

bool SKTGrid::isShowingMomentarily() const
{
    return _hidingTimer && _hidingTimer->isActive();
}

void SKTGrid::cancelHidingTimer()
{
    if (!_hidingTimer)
        return;
    _hidingTimer->stop();
    _hidingTimer->disconnect();
    // Deleting the timer from inside its own timeout is not safe; let the
    // event loop do it.
    _hidingTimer.release()->deleteLater();
}

void SKTGrid::stopShowingGridForTimer()
{
    cancelHidingTimer();
    didChange(SKTGridAnyKey, QVariant());
}

QPointF SKTGrid::constrainedPoint(const QPointF& point) const
{
    if (!isUsable() || !_isConstraining)
        return point;
    return {snapped(point.x(), _spacing), snapped(point.y(), _spacing)};
}

QRectF SKTGrid::alignedRect(const QRectF& rect) const
{
    if (!isUsable())
        return rect;
    const double x0 = snapped(rect.x(), _spacing);
    const double y0 = snapped(rect.y(), _spacing);
    const double x1 = snapped(rect.x() + rect.width(), _spacing);
    const double y1 = snapped(rect.y() + rect.height(), _spacing);
    return QRectF(x0, y0, x1 - x0, y1 - y0);
}

QPainterPath SKTGrid::linesInRect(const QRectF& rect) const
{
    QPainterPath path;
    if (!isUsable() || !std::isfinite(_spacing))
        return path;
    const double s = _spacing;
    const double minX = rect.left(), maxX = rect.left() + rect.width();
    const double minY = rect.top(), maxY = rect.top() + rect.height();
    const double firstColumn = std::ceil(minX / s), lastColumn = std::floor(maxX / s);
    const double firstRow = std::ceil(minY / s), lastRow = std::floor(maxY / s);
    if (!std::isfinite(firstColumn) || !std::isfinite(lastColumn) || !std::isfinite(firstRow)
        || !std::isfinite(lastRow) || lastColumn - firstColumn > maximumLinesPerDirection
        || lastRow - firstRow > maximumLinesPerDirection)
        return path;
    for (double i = firstColumn; i <= lastColumn; ++i) {
        path.moveTo(i * s, minY);
        path.lineTo(i * s, maxY);
    }
    for (double j = firstRow; j <= lastRow; ++j) {
        path.moveTo(minX, j * s);
        path.lineTo(maxX, j * s);
    }
    return path;
}

void SKTGrid::drawRect(const QRectF& rect, QPainter& view) const
{
    if (!isUsable() || !(_isAlwaysShown || isShowingMomentarily()))
        return;
    const QPainterPath lines = linesInRect(rect);
    if (lines.isEmpty())
        return;
    view.save();
    view.setClipRect(rect, Qt::IntersectClip);
    // Crisp one-pixel lines: a width of 0 is the thinnest the device draws.
    view.setRenderHint(QPainter::Antialiasing, false);
    view.setPen(QPen(_color.toQColor(), 0));
    view.setBrush(Qt::NoBrush);
    view.drawPath(lines);
    view.restore();
}
