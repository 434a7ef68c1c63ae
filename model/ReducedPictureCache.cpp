#include "model/ReducedPictureCache.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

// Largest reduced copy kept; beyond it the picture is drawn as it is.
constexpr double maxReducedPixels = 32767.0;

}

QSize ReducedPictureCache::reducedSize(const QPainter& painter, const QRectF& target, const QImage& image)
{
    if (image.isNull() || !target.isValid())
        return {};
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster)
        return {};
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale)
        return {};
    const QRectF device = transform.mapRect(target);
    if (!std::isfinite(device.width()) || !std::isfinite(device.height()) || device.width() > maxReducedPixels
        || device.height() > maxReducedPixels)
        return {};
    const int w = std::clamp(int(std::ceil(device.width() - 1e-6)), 1, image.width());
    const int h = std::clamp(int(std::ceil(device.height() - 1e-6)), 1, image.height());
    if (w == image.width() && h == image.height())
        return {};
    return QSize(w, h);
}

const QImage& ReducedPictureCache::reduced(const QImage& image, const QSize& size)
{
    const qint64 key = image.cacheKey();
    ++m_clock;
    for (Entry& entry : m_entries) {
        if (!entry.reduced.isNull() && entry.key == key && entry.size == size) {
            entry.used = m_clock;
            return entry.reduced;
        }
    }
    Entry* oldest = &m_entries[0];
    for (Entry& entry : m_entries)
        if (entry.used < oldest->used)
            oldest = &entry;
    // Qt's smooth reduction averages every picture pixel under each new
    // pixel (on premultiplied colour, so transparent parts do not darken).
    oldest->reduced = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    oldest->key = key;
    oldest->size = size;
    oldest->used = m_clock;
    return oldest->reduced;
}

void ReducedPictureCache::clear()
{
    m_entries = {};
    m_clock = 0;
}

void ReducedPictureCache::draw(QPainter& painter, const QRectF& target, const QImage& image, bool smooth)
{
    if (image.isNull())
        return;
    const QSize size = reducedSize(painter, target, image);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (size.isEmpty()) {
        painter.drawImage(target, image);
    } else {
        const QImage& copy = reduced(image, size);
        painter.drawImage(target, copy.isNull() ? image : copy);
    }
    painter.restore();
}
