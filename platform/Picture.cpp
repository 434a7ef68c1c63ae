#include "platform/Picture.h"

#include <QImageReader>

Picture::Picture(QImage image) : m_image(std::move(image)), m_size(sizeInPoints(m_image)) {}

Picture::Picture(QImage image, QSizeF sizeInPoints) : m_image(std::move(image)), m_size(sizeInPoints) {}

QSizeF Picture::sizeInPoints(const QImage& image)
{
    if (image.isNull())
        return {};
    // QImage reports 96 dpi (3780 dots per metre) when a file stores no
    // resolution; such pictures count at 72 dpi, one pixel per point.
    constexpr int unsetDotsPerMetre = 3780;
    const double dpmX = image.dotsPerMeterX();
    const double dpmY = image.dotsPerMeterY();
    const double dpiX = (dpmX <= 0 || int(dpmX) == unsetDotsPerMetre) ? 72.0 : dpmX * 0.0254;
    const double dpiY = (dpmY <= 0 || int(dpmY) == unsetDotsPerMetre) ? 72.0 : dpmY * 0.0254;
    return QSizeF(image.width() * 72.0 / dpiX, image.height() * 72.0 / dpiY);
}

Picture Picture::fromFile(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return Picture(std::move(image));
}
