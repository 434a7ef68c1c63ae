#include "canvas/CardBaseDrawing.h"

#include "app/MessageBoxes.h"
#include "model/Card_Property.h"
#include "model/FillStep.h"
#include "model/SKTGraphic.h"
#include "model/StrokeStep.h"

#include <QBrush>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>

#include <exception>

namespace {

// The picture of a side's background, tiled over `path` at its size in
// points, starting at the painter's origin.
void fillWithTiledPicture(QPainter& painter, const QPainterPath& path, const Picture& picture, double opacity)
{
    const QImage& image = picture.image();
    if (image.isNull() || picture.size().isEmpty())
        return;
    QBrush brush(image);
    brush.setTransform(QTransform::fromScale(picture.size().width() / image.width(),
                                             picture.size().height() / image.height()));
    painter.save();
    painter.setOpacity(opacity);
    painter.fillPath(path, brush);
    painter.restore();
}

// The picture scaled into `target`, showing only inside the card outline
// `path`, as every other fill does.
void drawStretchedPicture(QPainter& painter, const QPainterPath& path, const QRectF& target, const Picture& picture,
                          double opacity)
{
    if (picture.isNull() || target.isEmpty())
        return;
    painter.save();
    painter.setClipPath(path, Qt::IntersectClip);
    painter.setOpacity(opacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.image());
    painter.restore();
}

// The path as straight segments, so the border's dashes run along what is
// drawn.
QPainterPath flattened(const QPainterPath& path)
{
    QPainterPath flat;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        flat.addPolygon(polygon);
        if (polygon.size() > 2 && polygon.isClosed())
            flat.closeSubpath();
    }
    return flat;
}

}

QPainterPath CardBaseDrawing::outline(const QRectF& rect, int cardShape)
{
    QPainterPath path;
    switch (cardShape) {
    case 1: path.addRoundedRect(rect, cornerRadius, cornerRadius); break;
    case 2: path.addEllipse(rect); break;
    default: path.addRect(rect); break;
    }
    return path;
}

void CardBaseDrawing::draw(QPainter& painter, const QRectF& rect, const Card_Property& record, int cardShape,
                           const QRectF& frontCanvasBounds, const QString& resourceFolder)
{
    painter.save();
    try {
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath path = outline(rect, cardShape);
        painter.fillPath(path, Qt::white);

        if (record.Card_fill_chk()) {
            const QString code = record.Card_fill_style();
            if (code == FillCode::Gradient) {
                FillStep::fillGradient(painter, path, record.Card_fill_Grd_1_clr().toQColor(),
                                       record.Card_fill_Grd_2_clr().toQColor(), record.Card_grad_Stepper());
            } else if (code == FillCode::Hatch) {
                FillStep::fillHatch(painter, path, record.Card_hatch_bk_clr().toQColor(),
                                    FillStep::hatchPatternFile(resourceFolder, record.Card_hatch_style()));
            } else if (code == FillCode::Picture) {
                const Picture picture = record.Card_BG_Image();
                if (record.Card_BG_Image_Layout() == QLatin1String("Tile"))
                    fillWithTiledPicture(painter, path, picture, record.cardOpacity());
                else
                    drawStretchedPicture(painter, path, frontCanvasBounds, picture, record.cardOpacity());
            } else {
                FillStep::fillSolid(painter, path, record.Card_fill_clr().toQColor());
            }
        }

        if (record.Card_border_chk()) {
            StrokeStep::stroke(painter, flattened(path), record.Card_bordr_clr().toQColor(),
                               record.Card_bor_Stepper(), record.Card_border_style(), Qt::FlatCap);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    painter.restore();
}
