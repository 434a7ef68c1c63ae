#include "model/SKTImage.h"

#include "model/Globals.h"
#include "model/GraphicPainting.h"
#include "model/ImageProcesser.h"
#include "model/PicturePath.h"
#include "platform/ArchivedPicture.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

const QString SKTImage::flippedHorizontallyKey = QStringLiteral("flippedHorizontally");
const QString SKTImage::flippedVerticallyKey = QStringLiteral("flippedVertically");

SKTImage::SKTImage() = default;

SKTImage::SKTImage(const GraphicDefaults& defaults) : SKTGraphic(defaults)
{
}

SKTImage::~SKTImage() = default;

GraphicPtr SKTImage::deepCopy() const
{
    return detachedCopy(std::make_shared<SKTImage>(*this));
}

void SKTImage::placeCentredOn(const QPointF& point)
{
    const QSizeF size = _contents.isNull() ? QSizeF(0, 0) : _contents.size();
    setBounds(QRectF(point.x() - size.width() / 2, point.y() - size.height() / 2, size.width(), size.height()));
}

void SKTImage::initWithPath(const QPointF& point, const QString& path)
{
    setFilePath(path);
    placeCentredOn(point);
}

void SKTImage::initWithPosition(const QPointF& point, const Picture& contents)
{
    setContents(contents);
    _file_path = Library_Selected_Image;
    placeCentredOn(point);
}

void SKTImage::setFilePath(const QString& path)
{
    Set_Control_File_path(path);
    setContents(Picture::fromFile(PicturePath::standardized(path)));
}

void SKTImage::setContents(const Picture& picture)
{
    _contents = picture;
    // The picture is capped once here rather than at every draw, so its
    // natural size is the same before and after the first draw.
    if (!_contents.isNull())
        ImageProcesser::Set_Dimaension(_contents);
}

void SKTImage::setFlippedHorizontally(bool flipped)
{
    const bool old = _isFlippedHorizontally;
    _isFlippedHorizontally = flipped;
    publishChange(flippedHorizontallyKey, old);
}

void SKTImage::setFlippedVertically(bool flipped)
{
    const bool old = _isFlippedVertically;
    _isFlippedVertically = flipped;
    publishChange(flippedVerticallyKey, old);
}

void SKTImage::makeNaturalSize()
{
    if (ctrl_is_locked || _contents.isNull())
        return;
    setBounds(QRectF(bounds().topLeft(), _contents.size()));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

GraphicPtr SKTImage::copy() const
{
    GraphicPtr graphic = SKTGraphic::copy();
    if (graphic && graphic->kind() == Kind::Image)
        std::static_pointer_cast<SKTImage>(graphic)->_contents = _contents;
    return graphic;
}

namespace {
const QString contentsPropertyKey = QStringLiteral("contents");
}

QVariantMap SKTImage::properties() const
{
    QVariantMap p = SKTGraphic::properties();
    if (!_contents.isNull())
        p.insert(contentsPropertyKey, ArchivedPicture::archivedData(_contents));
    p.insert(flippedHorizontallyKey, _isFlippedHorizontally);
    p.insert(flippedVerticallyKey, _isFlippedVertically);
    return p;
}

void SKTImage::initWithProperties(const QVariantMap& p)
{
    SKTGraphic::initWithProperties(p);
    const QVariant contents = p.value(contentsPropertyKey);
    if (contents.typeId() == QMetaType::QByteArray) {
        if (const std::optional<Picture> picture = ArchivedPicture::fromArchivedData(contents.toByteArray()))
            setContents(*picture);
    }
    if (isNumberProperty(p.value(flippedHorizontallyKey)))
        _isFlippedHorizontally = p.value(flippedHorizontallyKey).toDouble() != 0;
    if (isNumberProperty(p.value(flippedVerticallyKey)))
        _isFlippedVertically = p.value(flippedVerticallyKey).toDouble() != 0;
}

QVariant SKTImage::valueForKey(const QString& key) const
{
    if (key == flippedHorizontallyKey)
        return _isFlippedHorizontally;
    if (key == flippedVerticallyKey)
        return _isFlippedVertically;
    return SKTGraphic::valueForKey(key);
}

void SKTImage::setValueForKey(const QVariant& value, const QString& key)
{
    if (key == flippedHorizontallyKey)
        setFlippedHorizontally(value.toBool());
    else if (key == flippedVerticallyKey)
        setFlippedVertically(value.toBool());
    else
        SKTGraphic::setValueForKey(value, key);
}

QStringList SKTImage::keysForValuesToObserveForUndo() const
{
    return SKTGraphic::keysForValuesToObserveForUndo() << flippedHorizontallyKey << flippedVerticallyKey;
}

QString SKTImage::presentablePropertyNameForKey(const QString& key) const
{
    if (key == flippedHorizontallyKey)
        return QStringLiteral("Horizontal Flipping");
    if (key == flippedVerticallyKey)
        return QStringLiteral("Vertical Flipping");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

QStringList SKTImage::keyPathsForValuesAffectingValueForKey(const QString& key) const
{
    QStringList keys = SKTGraphic::keyPathsForValuesAffectingValueForKey(key);
    if (key == SKTGraphicDrawingContentsKey)
        keys << flippedHorizontallyKey << flippedVerticallyKey;
    return keys;
}

ImageAdjustments SKTImage::adjustmentSettings() const
{
    ImageAdjustments s;
    s.gray_Scale = gray_Scale;
    s.Sepia = Sepia;
    s.invert_clr = invert_clr;
    s.hue_val = hue_val;
    s.sat_val = sat_val;
    s.brt_val = brt_val;
    s.con_val = con_val;
    s.srp_val = srp_val;
    s.ev_val = ev_val;
    s.blr_val = blr_val;
    s.rotate = ImageAdjustments::truncatedRotation(rotate_image);
    return s;
}

Picture SKTImage::adjustedPicture()
{
    return m_adjusted.adjusted(_contents, adjustmentSettings());
}

QSize SKTImage::printedPixels(const QSize& pixels, const QSizeF& points)
{
    const auto side = [](int have, double length) {
        const double needed = std::ceil(std::abs(length) * printDpi / 72.0 - 1e-6);
        if (!std::isfinite(needed) || needed >= have)
            return have;
        return std::max(1, int(needed));
    };
    return QSize(side(pixels.width(), points.width()), side(pixels.height(), points.height()));
}

Picture SKTImage::printedPicture(const QSizeF& printedPoints)
{
    const Picture adjusted = adjustedPicture();
    if (adjusted.isNull())
        return adjusted;
    const QSize pixels = printedPixels(adjusted.image().size(), printedPoints.isEmpty() ? bounds().size()
                                                                                         : printedPoints);
    if (pixels == adjusted.image().size())
        return adjusted;
    if (m_printed.isNull() || m_printedKey != adjusted.image().cacheKey() || m_printed.image().size() != pixels) {
        const QImage reduced = adjusted.image().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (reduced.isNull())
            return adjusted;
        m_printed = Picture(reduced, adjusted.size());
        m_printedKey = adjusted.image().cacheKey();
    }
    return m_printed;
}

Picture SKTImage::shownPicture(const QSizeF& devicePixels)
{
    const ImageAdjustments settings = adjustmentSettings();
    if (_contents.isNull() || m_adjusted.holds(_contents, settings) || settings == ImageAdjustments())
        return adjustedPicture();
    // Turned by a right angle the picture's sides swap; any other angle
    // makes a larger square, which is not worth guessing: the whole picture.
    const QSize source = _contents.image().size();
    const int turn = ((settings.rotate % 360) + 360) % 360;
    if (turn % 90 != 0)
        return adjustedPicture();
    const QSizeF upright = turn % 180 ? devicePixels.transposed() : devicePixels;
    const double factor = std::max(upright.width() / source.width(), upright.height() / source.height());
    // Small reductions gain little; the whole picture is made then.
    if (!std::isfinite(factor) || factor <= 0 || factor > 0.5)
        return adjustedPicture();
    const QSize reduced(std::max(1, int(std::ceil(source.width() * factor))),
                        std::max(1, int(std::ceil(source.height() * factor))));
    if (m_shownSource.isNull() || m_shownSourceKey != _contents.image().cacheKey()
        || m_shownSource.image().size() != reduced) {
        const QImage image = _contents.image().scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (image.isNull())
            return adjustedPicture();
        m_shownSource = Picture(image, _contents.size());
        m_shownSourceKey = _contents.image().cacheKey();
    }
    return m_shown.adjusted(m_shownSource, settings);
}

void SKTImage::prepareForOutput()
{
    if (ctrl_is_visible && !_file_path.isEmpty())
        printedPicture();
}

void SKTImage::drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited)
{
    (void)isBeingCreateOrEdited;
    if (!ctrl_is_visible || _file_path.isEmpty())
        return;
    if (isDrawingStroke())
        GraphicPainting::strokeBounds(painter, *this);

    const bool printing = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
    const bool window = painter.device() && painter.device()->devType() == QInternal::Widget;
    const QRectF b = bounds();
    const QSizeF onDevice = painter.deviceTransform().mapRect(b).size();
    Picture picture;
    if (printing) {
        // the size it prints at, in points, whatever the painter's scale
        const int dpi = painter.device() ? painter.device()->logicalDpiX() : 0;
        picture = printedPicture(dpi > 0 ? onDevice * 72.0 / dpi : QSizeF());
    } else {
        picture = window ? shownPicture(onDevice) : adjustedPicture();
    }
    if (picture.isNull())
        return;
    // The whole adjusted picture fills the bounds, mirrored as the flags say;
    // a turned picture is shrunk to fit, not cut.
    QTransform transform;
    transform.translate(b.x(), b.y());
    transform.translate(_isFlippedHorizontally ? b.width() : 0, _isFlippedVertically ? b.height() : 0);
    transform.scale(_isFlippedHorizontally ? -1 : 1, _isFlippedVertically ? -1 : 1);

    painter.save();
    painter.setTransform(transform, true);
    painter.setOpacity(painter.opacity() * opacityFraction(double(img_trnsp_val) / 100.0));
    m_drawn.draw(painter, QRectF(0, 0, b.width(), b.height()), picture.image(), true);
    painter.restore();
}
