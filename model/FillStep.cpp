#include "model/FillStep.h"

#include "platform/Picture.h"

#include <QBrush>
#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <cmath>

void FillStep::fillSolid(QPainter& painter, const QPainterPath& path, const QColor& colour)
{
    if (!colour.isValid() || path.isEmpty())
        return;
    painter.fillPath(path, colour);
}

QLinearGradient FillStep::linearGradient(const QRectF& box, const QColor& from, const QColor& to,
                                         double angleDegrees)
{
    const double angle = std::isfinite(angleDegrees) ? angleDegrees * M_PI / 180.0 : 0.0;
    const double dx = std::cos(angle);
    const double dy = std::sin(angle);
    // Half the box's extent along the direction.
    const double half = (std::abs(dx) * box.width() + std::abs(dy) * box.height()) / 2.0;
    const QPointF centre = box.center();
    QLinearGradient gradient(centre - QPointF(dx * half, dy * half), centre + QPointF(dx * half, dy * half));
    gradient.setColorAt(0.0, from);
    gradient.setColorAt(1.0, to);
    gradient.setSpread(QGradient::PadSpread);
    return gradient;
}

void FillStep::fillGradient(QPainter& painter, const QPainterPath& path, const QColor& from, const QColor& to,
                            double angleDegrees)
{
    if (!from.isValid() || !to.isValid() || path.isEmpty())
        return;
    painter.fillPath(path, QBrush(linearGradient(path.boundingRect(), from, to, angleDegrees)));
}

QString FillStep::hatchPatternFile(const QString& resourceFolder, const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return QString();
    return QDir(resourceFolder).filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png"));
}

void FillStep::fillHatch(QPainter& painter, const QPainterPath& path, const QColor& background,
                         const QString& patternFile)
{
    fillSolid(painter, path, background);
    if (patternFile.isEmpty() || path.isEmpty())
        return;
    const Picture pattern = Picture::fromFile(patternFile);
    if (pattern.isNull() || pattern.size().isEmpty())
        return;
    // One tile covers the picture's size in points.
    QBrush brush(pattern.image());
    brush.setTransform(QTransform::fromScale(pattern.size().width() / pattern.image().width(),
                                             pattern.size().height() / pattern.image().height()));
    painter.fillPath(path, brush);
}
