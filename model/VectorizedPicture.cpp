#include "model/VectorizedPicture.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace {

struct Run
{
    int left;
    int right;  // one past the last pixel
    QRgb pixel; // premultiplied
};

std::vector<Run> runsOf(const QRgb* line, int width)
{
    std::vector<Run> runs;
    int start = 0;
    for (int x = 1; x <= width; ++x) {
        if (x == width || line[x] != line[start]) {
            runs.push_back({start, x, line[start]});
            start = x;
        }
    }
    return runs;
}

// Strips seen lately, by their pixels: the header and footer of a batch's
// barcodes are the same on every card, and one shared image (one cache key)
// goes into a PDF file once however many cards show it.
QImage sharedStrip(const QImage& strip)
{
    static std::mutex mutex;
    static std::unordered_multimap<size_t, QImage> kept;
    static std::deque<std::pair<size_t, qint64>> order;
    constexpr size_t capacity = 64;

    const std::string_view bytes(reinterpret_cast<const char*>(strip.constBits()), size_t(strip.sizeInBytes()));
    const size_t hash = std::hash<std::string_view>()(bytes) ^ (size_t(strip.width()) << 1) ^ size_t(strip.format());
    std::lock_guard lock(mutex);
    const auto [first, last] = kept.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (it->second.format() == strip.format() && it->second == strip)
            return it->second;
    kept.emplace(hash, strip);
    order.emplace_back(hash, strip.cacheKey());
    if (order.size() > capacity) {
        const auto [oldHash, oldKey] = order.front();
        order.pop_front();
        const auto [from, to] = kept.equal_range(oldHash);
        for (auto it = from; it != to; ++it)
            if (it->second.cacheKey() == oldKey) {
                kept.erase(it);
                break;
            }
    }
    return strip;
}

}

VectorizedPicture::VectorizedPicture(const QImage& picture)
{
    if (picture.isNull())
        return;
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    m_size = image.size();
    const int width = image.width();
    const int height = image.height();
    const size_t rowBytes = size_t(width) * sizeof(QRgb);

    // Rectangles still open at the row where the previous group of rows
    // ended, by their run: a run repeated by the next group grows them.
    using RunKey = std::tuple<int, int, QRgb>;
    std::map<RunKey, size_t> open;
    int openEnd = -1;
    int stripTop = -1;

    const auto closeStrip = [&](int bottom) {
        if (stripTop < 0)
            return;
        // Columns at the sides where every pixel is fully transparent (a
        // picture a fraction of a pixel wider than what was painted on it)
        // draw nothing and are left out: kept in a strip, they would be its
        // edge, and a rasteriser that smooths the edge of a strip's mask
        // mixes in their colour, a faint line beside the caption.
        int inkLeft = width, inkRight = 0;
        for (int y = stripTop; y < bottom; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < inkLeft; ++x)
                if (qAlpha(line[x]) != 0) {
                    inkLeft = x;
                    break;
                }
            for (int x = width - 1; x >= inkRight; --x)
                if (qAlpha(line[x]) != 0) {
                    inkRight = x + 1;
                    break;
                }
        }
        if (inkLeft >= inkRight) {
            stripTop = -1;
            return;
        }
        // The strip's commonest pixel is taken to be its background (the
        // strip's first pixel that draws, a caption's margin): columns of
        // nothing else are left out, and an opaque background becomes a
        // rectangle under the strip's pixels, which are opaque there too.
        const QRgb background = reinterpret_cast<const QRgb*>(image.constScanLine(stripTop))[inkLeft];
        int left = inkRight, right = inkLeft;
        for (int y = stripTop; y < bottom; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = inkLeft; x < left; ++x)
                if (line[x] != background) {
                    left = x;
                    break;
                }
            for (int x = inkRight - 1; x >= right; --x)
                if (line[x] != background) {
                    right = x + 1;
                    break;
                }
        }
        bool opaque = qAlpha(background) == 255;
        for (int y = stripTop; y < bottom && opaque; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = left; x < right && opaque; ++x)
                opaque = qAlpha(line[x]) == 255;
        }
        if (opaque) {
            const QColor colour = QColor::fromRgba(background);
            m_areas.push_back({QRect(inkLeft, stripTop, inkRight - inkLeft, bottom - stripTop), colour});
        } else if (qAlpha(background) != 0) {
            // a background that is not opaque, or pixels that are not,
            // would show through: no trim
            left = inkLeft;
            right = inkRight;
        }
        if (left < right) {
            const QRect pixels(left, stripTop, right - left, bottom - stripTop);
            // In the form PDF output stores, so that it is not converted
            // again at every draw: without alpha when opaque.
            const QImage strip = image.copy(pixels).convertToFormat(opaque ? QImage::Format_RGB32
                                                                           : QImage::Format_ARGB32);
            m_strips.push_back({pixels, sharedStrip(strip)});
        }
        stripTop = -1;
    };

    for (int top = 0; top < height;) {
        const uchar* first = image.constScanLine(top);
        int bottom = top + 1;
        while (bottom < height && std::memcmp(image.constScanLine(bottom), first, rowBytes) == 0)
            ++bottom;
        const std::vector<Run> runs = runsOf(reinterpret_cast<const QRgb*>(first), width);
        if (bottom - top < minimumRepeatedRows && runs.size() > 1) {
            if (stripTop < 0)
                stripTop = top;
            top = bottom;
            continue;
        }
        closeStrip(top);
        std::map<RunKey, size_t> next;
        for (const Run& run : runs) {
            if (qAlpha(run.pixel) == 0)
                continue;
            const RunKey key {run.left, run.right, run.pixel};
            const auto above = openEnd == top ? open.find(key) : open.end();
            if (above != open.end()) {
                m_areas[above->second].pixels.setBottom(bottom - 1);
                next.emplace(key, above->second);
            } else {
                const QColor colour = QColor::fromRgba(qUnpremultiply(run.pixel));
                m_areas.push_back({QRect(run.left, top, run.right - run.left, bottom - top), colour});
                next.emplace(key, m_areas.size() - 1);
            }
        }
        open = std::move(next);
        openEnd = bottom;
        top = bottom;
    }
    closeStrip(height);

    // A picture that is no barcode (noise, a photo) can make more
    // rectangles than pixels are worth: it is kept as it is.
    if (m_areas.size() > std::max<size_t>(minimumAreaLimit, size_t(width) * size_t(height) / pixelsPerArea)) {
        m_areas.clear();
        m_strips.clear();
        m_strips.push_back({image.rect(), image.convertToFormat(QImage::Format_ARGB32)});
    }
}

void VectorizedPicture::draw(QPainter& painter, const QRectF& target) const
{
    if (isNull() || target.isEmpty())
        return;
    const double sx = target.width() / m_size.width();
    const double sy = target.height() / m_size.height();
    const auto place = [&](const QRect& pixels) {
        return QRectF(target.x() + pixels.x() * sx, target.y() + pixels.y() * sy, pixels.width() * sx,
                      pixels.height() * sy);
    };
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const Area& area : m_areas)
        painter.fillRect(place(area.pixels), area.colour);
    // The strips' pixels are the picture's own: no smoothing between them.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const Strip& strip : m_strips)
        painter.drawImage(place(strip.pixels), strip.image);
    painter.restore();
}
