#include "model/SKTBarcode.h"

#include "model/ResourcePictures.h"

#include <QPainter>
#include <algorithm>

SKTBarcode::SKTBarcode() = default;

SKTBarcode::~SKTBarcode() = default;

Picture SKTBarcode::currentPicture() const
{
    if (!_barcode_image.isNull())
        return _barcode_image;
    return ResourcePictures::picture(ResourcePictures::barcodeSampleName);
}

void SKTBarcode::barcode_image_var_assign()
{
    _contents = currentPicture();
}

void SKTBarcode::initWithPosition(const QPointF& point, const Picture& contents)
{
    (void)contents;
    barcode_image_var_assign();
    const QSizeF size = _contents.isNull() ? QSizeF(0, 0) : _contents.size();
    setBounds(QRectF(point.x() - size.width() / 2, point.y() - size.height() / 2, size.width(), size.height()));
}

QRectF SKTBarcode::drawingBounds() const
{
    const QRectF base = SKTGraphic::drawingBounds();
    const Picture picture = currentPicture();
    if (picture.isNull())
        return base;
    const QRectF covered(bounds().topLeft(), picture.size());
    const double left = std::min(base.left(), covered.left());
    const double top = std::min(base.top(), covered.top());
    const double right = std::max(base.right(), covered.right());
    const double bottom = std::max(base.bottom(), covered.bottom());
    return QRectF(left, top, right - left, bottom - top);
}

void SKTBarcode::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible)
        return;
    barcode_image_var_assign();
    if (_contents.isNull())
        return;
    painter.save();
    // Bars stay sharp edged when the picture is drawn at another density.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(bounds().topLeft(), _contents.size()), _contents.image());
    painter.restore();
}
