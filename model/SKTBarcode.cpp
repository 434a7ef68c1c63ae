#include "model/SKTBarcode.h"

#include "model/ResourcePictures.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPen>

SKTBarcode::SKTBarcode() = default;

SKTBarcode::SKTBarcode(const GraphicDefaults& defaults) : SKTGraphic(defaults)
{
}

SKTBarcode::~SKTBarcode() = default;

GraphicPtr SKTBarcode::deepCopy() const
{
    return detachedCopy(std::make_shared<SKTBarcode>(*this));
}

Picture SKTBarcode::currentPicture() const
{
    if (!_barcode_image.isNull())
        return _barcode_image;
    // A barcode bound to a series or column whose value gave no picture
    // prints nothing; the sample would show a barcode no card has.
    if (showsNoValue())
        return {};
    return ResourcePictures::picture(ResourcePictures::barcodeSampleName);
}

bool SKTBarcode::showsNoValue() const
{
    return _barcode_image.isNull() && data_source_type != 0;
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
    return base.united(QRectF(bounds().topLeft(), picture.size()));
}

void SKTBarcode::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible)
        return;
    barcode_image_var_assign();
    if (showsNoValue()) {
        // Nothing prints; the screen shows where the empty barcode lies.
        if (painter.device() && painter.device()->devType() == QInternal::Widget)
            drawEmptyFrame(painter);
        return;
    }
    if (_contents.isNull())
        return;
    const QRectF target(bounds().topLeft(), _contents.size());
    drawBackground(painter);
    if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf) {
        vectorized(_contents.image()).draw(painter, target);
        return;
    }
    // Bars stay sharp edged when the picture is enlarged; a reduced picture
    // averages what each pixel covers, so its caption stays readable.
    m_drawn.draw(painter, target, _contents.image(), false);
}

void SKTBarcode::drawEmptyFrame(QPainter& painter) const
{
    painter.save();
    QPen pen(QColor(128, 128, 128), 0, Qt::DashLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds());
    painter.restore();
}

void SKTBarcode::drawBackground(QPainter& painter) const
{
    // Two-dimensional symbols are framed on white; linear ones on the
    // designer's background colour. A background that lets the card show
    // through is left as the picture has it, so that it is not laid twice.
    const QColor colour = linear_or_2d != 0 ? QColor(Qt::white) : barcode_back_clr_val.toQColor();
    if (colour.alpha() == 255)
        painter.fillRect(bounds(), colour);
}

const VectorizedPicture& SKTBarcode::vectorized(const QImage& image)
{
    if (!m_vector || m_vectorKey != image.cacheKey()) {
        m_vector = std::make_shared<const VectorizedPicture>(image);
        m_vectorKey = image.cacheKey();
    }
    return *m_vector;
}

void SKTBarcode::prepareForOutput()
{
    const Picture picture = currentPicture();
    if (!picture.isNull())
        vectorized(picture.image());
}
