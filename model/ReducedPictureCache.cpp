#include "model/ReducedPictureCache.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace {

// Largest reduced copy kept; beyond it the picture is drawn as it is.
constexpr double maxReducedPixels = 32767.0;

// Part of one picture pixel (a column or a row) that lands on one device
// pixel: `weight` is the length of the overlap in device pixels.
struct Share
{
    int source;
    int device;
    float weight;
};

// The shares of `count` picture pixels laid from `start` with `step` device
// pixels each (backwards when mirrored), on device pixels counted from
// `origin`; device pixels from 0 to `devices` - 1 only.
std::vector<Share> shares(int count, double start, double step, bool mirrored, double origin, int devices)
{
    std::vector<Share> out;
    out.reserve(size_t(count) * 2);
    for (int i = 0; i < count; ++i) {
        const double a = start + (mirrored ? count - 1 - i : i) * step - origin;
        const double b = a + step;
        const int first = std::max(0, int(std::floor(a)));
        const int last = std::min(devices - 1, int(std::ceil(b)) - 1);
        for (int d = first; d <= last; ++d) {
            const double overlap = std::min(b, d + 1.0) - std::max(a, double(d));
            if (overlap > 0)
                out.push_back({i, d, float(overlap)});
        }
    }
    return out;
}

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

QImage ReducedPictureCache::areaAverage(const QImage& image, const QRectF& device, bool mirrorX, bool mirrorY)
{
    if (image.isNull() || !device.isValid() || !std::isfinite(device.left()) || !std::isfinite(device.top())
        || device.width() > image.width() || device.height() > image.height())
        return {};
    const double left = std::floor(device.left());
    const double top = std::floor(device.top());
    const int ow = std::max(1, int(std::ceil(device.right()) - left));
    const int oh = std::max(1, int(std::ceil(device.bottom()) - top));
    const int iw = image.width();
    const int ih = image.height();

    try {
        const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage out(ow, oh, QImage::Format_ARGB32_Premultiplied);
        if (source.isNull() || out.isNull())
            return {};

        const std::vector<Share> columns = shares(iw, device.left(), device.width() / iw, mirrorX, left, ow);
        std::vector<Share> rows = shares(ih, device.top(), device.height() / ih, mirrorY, top, oh);
        // Each device row takes its picture rows from top to bottom, so the
        // one it shares with the row above comes first.
        std::sort(rows.begin(), rows.end(), [mirrorY](const Share& a, const Share& b) {
            if (a.device != b.device)
                return a.device < b.device;
            return mirrorY ? a.source > b.source : a.source < b.source;
        });

        // Picture rows averaged across, two kept: a picture row that reaches
        // into the next device row is needed again there.
        struct Across
        {
            int row = -1;
            std::vector<float> sums;
        };
        Across kept[2];
        for (Across& a : kept)
            a.sums.resize(size_t(ow) * 4);
        int nextSlot = 0;
        const auto across = [&](int row) -> const std::vector<float>& {
            for (const Across& a : kept)
                if (a.row == row)
                    return a.sums;
            Across& a = kept[nextSlot];
            nextSlot ^= 1;
            a.row = row;
            std::fill(a.sums.begin(), a.sums.end(), 0.0f);
            const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(row));
            for (const Share& s : columns) {
                const QRgb p = line[s.source];
                float* sum = a.sums.data() + size_t(s.device) * 4;
                sum[0] += s.weight * float(qRed(p));
                sum[1] += s.weight * float(qGreen(p));
                sum[2] += s.weight * float(qBlue(p));
                sum[3] += s.weight * float(qAlpha(p));
            }
            return a.sums;
        };

        std::vector<float> sums(size_t(ow) * 4);
        const auto toByte = [](float v) { return std::clamp(int(v + 0.5f), 0, 255); };
        size_t next = 0;
        for (int y = 0; y < oh; ++y) {
            std::fill(sums.begin(), sums.end(), 0.0f);
            for (; next < rows.size() && rows[next].device == y; ++next) {
                const std::vector<float>& part = across(rows[next].source);
                const float weight = rows[next].weight;
                for (size_t k = 0; k < sums.size(); ++k)
                    sums[k] += weight * part[k];
            }
            QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < ow; ++x) {
                const float* sum = sums.data() + size_t(x) * 4;
                const int alpha = toByte(sum[3]);
                // Premultiplied colour never exceeds its alpha.
                line[x] = qRgba(std::min(toByte(sum[0]), alpha), std::min(toByte(sum[1]), alpha),
                                std::min(toByte(sum[2]), alpha), alpha);
            }
        }
        return out;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

ReducedPictureCache::Entry* ReducedPictureCache::findOrMake(const QImage& image, const QRectF& place, bool mirrorX,
                                                            bool mirrorY, const QSize& size)
{
    const qint64 key = image.cacheKey();
    ++m_clock;
    for (Entry& entry : m_entries) {
        if (!entry.reduced.isNull() && entry.key == key && entry.place == place && entry.mirrorX == mirrorX
            && entry.mirrorY == mirrorY && entry.size == size) {
            entry.used = m_clock;
            return &entry;
        }
    }
    Entry* oldest = &m_entries[0];
    for (Entry& entry : m_entries)
        if (entry.used < oldest->used)
            oldest = &entry;
    // Without a place, Qt's smooth reduction to `size` (it averages the
    // picture pixels under each new pixel, on premultiplied colour).
    oldest->reduced = place.isNull() ? image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                     : areaAverage(image, place, mirrorX, mirrorY);
    oldest->key = key;
    oldest->place = place;
    oldest->mirrorX = mirrorX;
    oldest->mirrorY = mirrorY;
    oldest->size = size;
    oldest->used = m_clock;
    return oldest->reduced.isNull() ? nullptr : oldest;
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
        painter.restore();
        return;
    }
    const QTransform transform = painter.deviceTransform();
    const QRectF device = transform.mapRect(target);
    if (device.width() <= image.width() && device.height() <= image.height()) {
        // Reduced both ways: averaged onto the device pixels and copied
        // there with no transform at all.
        const double left = std::floor(device.left());
        const double top = std::floor(device.top());
        const QRectF place(device.left() - left, device.top() - top, device.width(), device.height());
        if (const Entry* entry = findOrMake(image, place, transform.m11() < 0, transform.m22() < 0, QSize())) {
            painter.setWorldTransform(transform.inverted() * painter.worldTransform());
            painter.drawImage(QPointF(left, top), entry->reduced);
            painter.restore();
            return;
        }
    } else if (const Entry* entry = findOrMake(image, QRectF(), false, false, size)) {
        painter.drawImage(target, entry->reduced);
        painter.restore();
        return;
    }
    painter.drawImage(target, image);
    painter.restore();
}
