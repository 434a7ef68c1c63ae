#include "model/Shape_Control.h"

#include "app/Globals.h"
#include "model/FillStep.h"
#include "model/StrokeStep.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <cmath>
#include <cstring>

namespace {

QPainterPath windingPath()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    return path;
}

// A closed path through the corners.
QPainterPath closedPolygon(const QPolygonF& corners)
{
    QPainterPath path = windingPath();
    if (corners.isEmpty())
        return path;
    path.moveTo(corners.first());
    for (qsizetype i = 1; i < corners.size(); ++i)
        path.lineTo(corners.at(i));
    path.closeSubpath();
    return path;
}

} // namespace

Shape_Control::Shape_Control() = default;

Shape_Control::Shape_Control(const GraphicDefaults& defaults) : SKTGraphic(defaults)
{
}

Shape_Control::~Shape_Control() = default;

GraphicPtr Shape_Control::deepCopy() const
{
    return detachedCopy(std::make_shared<Shape_Control>(*this));
}

QPainterPath Shape_Control::bezierPathForDrawing() const
{
    const QString& code = _shape_type;
    if (code == ShapeCode::Rectangle)
        return Rectangle_path();
    if (code == ShapeCode::Circle)
        return Circle_path();
    if (code == ShapeCode::RoundedRectangle)
        return Rounded_Rectangle_path();
    if (code == ShapeCode::Triangle)
        return Triangle_path();
    if (code == ShapeCode::Diamond)
        return Diamond_path();
    if (code == ShapeCode::Star)
        return Polygon_With_Diffrent_Sides(5);
    if (code == ShapeCode::DoubleStar)
        return Polygon_With_Diffrent_Sides(doubleStarPoints(double_star_type));
    if (code == ShapeCode::Polygon) {
        const int n = polygonPoints(polygon_type);
        return n == 8 ? Custom_Polygon() : Polygon_With_Diffrent_Sides(n);
    }
    return windingPath();
}

int Shape_Control::doubleStarPoints(int type)
{
    return (type >= 1 && type <= 5) ? 5 + 2 * type : type;
}

int Shape_Control::polygonPoints(int type)
{
    return (type >= 1 && type <= 5) ? 6 + 2 * type : type;
}

QPainterPath Shape_Control::Rectangle_path() const
{
    QPainterPath path = windingPath();
    path.addRect(bounds());
    return path;
}

QPainterPath Shape_Control::Circle_path() const
{
    QPainterPath path = windingPath();
    path.addEllipse(bounds());
    return path;
}

QPainterPath Shape_Control::Rounded_Rectangle_path() const
{
    QPainterPath path = windingPath();
    const double radius = std::isfinite(cor_rad_val_val) ? double(cor_rad_val_val) : 0.0;
    // Qt keeps the radii within half the width and height, and a radius of 0
    // or less gives the plain rectangle.
    path.addRoundedRect(bounds(), radius, radius, Qt::AbsoluteSize);
    return path;
}

QPainterPath Shape_Control::Triangle_path() const
{
    const QRectF b = bounds();
    const float x = float(b.x()), y = float(b.y()), w = float(b.width()), h = float(b.height());
    return closedPolygon({QPointF(x, y + h), QPointF(x + w / 2, y), QPointF(x + w, y + h)});
}

QPainterPath Shape_Control::Diamond_path() const
{
    const QRectF b = bounds();
    const float x = float(b.x()), y = float(b.y()), w = float(b.width()), h = float(b.height());
    return closedPolygon({QPointF(x, y + h / 2), QPointF(x + w / 2, y), QPointF(x + w, y + h / 2),
                          QPointF(x + w / 2, y + h)});
}

QPainterPath Shape_Control::Custom_Polygon() const
{
    const QRectF b = bounds();
    const double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    return closedPolygon({QPointF(x, y), QPointF(x + w / 2, y + h / 4), QPointF(x + w, y),
                          QPointF(x + 3 * w / 4, y + h / 2), QPointF(x + w, y + h),
                          QPointF(x + w / 2, y + 3 * h / 4), QPointF(x, y + h), QPointF(x + w / 4, y + h / 2)});
}

QPainterPath Shape_Control::Polygon_With_Diffrent_Sides(int n) const
{
    if (n < 1 || n > maximumStarPoints)
        return windingPath();
    const QRectF b = bounds();
    const float rx = float(b.width()) / 2;
    const float ry = float(b.height()) / 2;
    const float cx = float(b.x()) + rx;
    const float cy = float(b.y()) + ry;
    const float step = float(4.0 * M_PI / n);
    float angle = float(-M_PI / 2);
    QPolygonF corners;
    corners.reserve(n);
    for (int i = 0; i < n; ++i) {
        corners.append(QPointF(cx + rx * std::cos(angle), cy + ry * std::sin(angle)));
        angle += step;
    }
    return closedPolygon(corners);
}

bool Shape_Control::keptInputsHold() const
{
    // Compared in place: this runs for every object on every redraw.
    const auto same = [](auto a, auto b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    const BoundsInputs& kept = m_boundsInputs;
    return m_hasDrawingBounds && same(_bounds.x(), kept.bounds.x()) && same(_bounds.y(), kept.bounds.y())
           && same(_bounds.width(), kept.bounds.width()) && same(_bounds.height(), kept.bounds.height())
           && same(_strokeWidth, kept.strokeWidth) && isDrawingStroke() == kept.stroke
           && double_star_type == kept.doubleStarType && polygon_type == kept.polygonType
           && same(cor_rad_val_val, kept.cornerRadius)
           && (_shape_type.constData() == kept.shapeType.constData() || _shape_type == kept.shapeType);
}

QRectF Shape_Control::drawingBounds() const
{
    if (keptInputsHold())
        return m_drawingBounds;
    m_drawingBounds = workOutDrawingBounds();
    m_boundsInputs = {_bounds, isDrawingStroke(), _strokeWidth, _shape_type, double_star_type, polygon_type,
                      cor_rad_val_val};
    m_hasDrawingBounds = true;
    return m_drawingBounds;
}

QRectF Shape_Control::workOutDrawingBounds() const
{
    const QRectF base = SKTGraphic::drawingBounds();
    if (!isDrawingStroke() || !(strokeWidth() > 0))
        return base;
    const QPainterPath path = bezierPathForDrawing();
    if (path.isEmpty())
        return base;
    QPainterPathStroker stroker;
    stroker.setWidth(strokeWidth());
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::SvgMiterJoin);
    stroker.setMiterLimit(StrokeStep::miterLimit);
    const QRectF outline = stroker.createStroke(path).boundingRect();
    if (base.contains(outline))
        return base;
    // One more point on every side for the smoothed edge pixels.
    return base.united(outline.adjusted(-1, -1, 1, 1));
}

bool Shape_Control::isContentsUnderPoint(const QPointF& point) const
{
    return bezierPathForDrawing().contains(point);
}

void Shape_Control::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible)
        return;
    const QPainterPath path = bezierPathForDrawing();
    if (path.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (isDrawingFill()) {
        if (_fill_type == FillCode::Gradient) {
            FillStep::fillGradient(painter, path, fill_Grad_clr1().toQColor(), fill_Grad_clr2().toQColor(),
                                   fill_grad_angle());
        } else if (_fill_type == FillCode::Hatch) {
            FillStep::fillHatch(painter, path, fill_hatch_bk_clr().toQColor(),
                                FillStep::hatchPatternFile(Resource_Path, fill_hatch_type()));
        } else {
            FillStep::fillSolid(painter, path, fillColor().toQColor());
        }
    }
    if (isDrawingStroke()) {
        StrokeStep::stroke(painter, path, strokeColor().toQColor(), strokeWidth(), _stroke_border_type,
                           Qt::FlatCap);
    }
    painter.restore();
}
