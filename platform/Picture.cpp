#include "platform/Picture.h"

#include "platform/RegularFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

struct Picture::DataCache {
    struct Item {
        QByteArray kind;
        QSizeF size;
        QByteArray bytes;
    };
    QMutex mutex;
    std::vector<Item> items;
};

Picture::Picture(QImage image)
    : m_image(std::move(image)), m_size(sizeInPoints(m_image)), m_cache(std::make_shared<DataCache>())
{
}

Picture::Picture(QImage image, QSizeF sizeInPoints)
    : m_image(std::move(image)), m_size(sizeInPoints), m_cache(std::make_shared<DataCache>())
{
}

QByteArray Picture::cachedData(const char* kind, const std::function<QByteArray(const Picture&)>& make) const
{
    if (!m_cache || isNull())
        return make(*this);
    // A handful of kinds and sizes at most; the last ones made are kept.
    constexpr size_t keep = 4;
    QMutexLocker lock(&m_cache->mutex);
    for (const DataCache::Item& item : m_cache->items) {
        // Exact sizes: the bytes may depend on every bit of them.
        if (item.size.width() == m_size.width() && item.size.height() == m_size.height() && item.kind == kind)
            return item.bytes;
    }
    QByteArray bytes = make(*this);
    if (m_cache->items.size() >= keep)
        m_cache->items.erase(m_cache->items.begin());
    m_cache->items.push_back({QByteArray(kind), m_size, bytes});
    return bytes;
}

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
    // Only regular files: a FIFO or a device named as a picture would hold up
    // the reader (and the GUI thread drawing the picture) without end.
    QFile file;
    if (!RegularFile::openForReading(file, path))
        return {};
    // The name's suffix hints at the format, as when reading by name; when it
    // names the wrong one, the contents decide.
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    QImage image;
    for (const QByteArray& format : {suffix, QByteArray()}) {
        if (!file.seek(0))
            return {};
        QImageReader reader(&file, format);
        reader.setAutoTransform(true);
        image = reader.read();
        if (!image.isNull() || format.isEmpty())
            break;
    }
    if (image.isNull())
        return {};
    return Picture(std::move(image));
}

Picture Picture::imageRotated(float degrees) const
{
    const float angle = std::isfinite(degrees) ? std::fmod(degrees, 360.0f) : 0.0f;
    if (angle == 0.0f || isNull())
        return *this;

    const double w = m_size.width();
    const double h = m_size.height();
    // Qt's y axis points down, so a counter-clockwise turn is a negative one.
    const QTransform turn = QTransform().rotate(-angle);

    if (std::fabs(angle) == 90.0f || std::fabs(angle) == 270.0f || std::fabs(angle) == 180.0f) {
        // Quarter turns move whole pixels: nothing is resampled.
        QImage turned = m_image.transformed(turn);
        if (turned.isNull())
            return {};
        const bool swap = std::fabs(angle) != 180.0f;
        return Picture(std::move(turned), swap ? QSizeF(h, w) : QSizeF(w, h));
    }

    constexpr double margin = 20.0;
    const double side = std::max(w, h) + margin;
    // Keep the finer of the source's two pixel densities.
    const double density = std::max({w > 0 ? m_image.width() / w : 1.0,
                                     h > 0 ? m_image.height() / h : 1.0, 1e-6});
    // The margin is transparent: at the picture's own density it would take
    // any number of pixels once the picture records a resolution far finer
    // than its size (100 pixels at 144,000 dpi are 0.05 points; 20 points
    // of margin at that density are 40,000 pixels a side). The square keeps
    // at most twice the picture's longer side in pixels, or 600 per inch of
    // the square, whichever is more, so its memory follows the picture's
    // pixels and its size on the card, never the recorded resolution.
    const double enough = std::max(2.0 * std::max(m_image.width(), m_image.height()), side * 600.0 / 72.0);
    const double wanted = std::min(side * density, enough);
    if (!(wanted < double(1 << 20)))
        return {};
    const int pixels = std::max(1, int(std::lround(wanted)));
    QImage canvas(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(pixels / side, pixels / side);
    painter.translate(side / 2, side / 2);
    painter.setTransform(turn, true);
    painter.drawImage(QRectF(-w / 2, -h / 2, w, h), m_image);
    painter.end();
    return Picture(std::move(canvas), QSizeF(side, side));
}
