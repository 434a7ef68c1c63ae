#include "model/VectorizedPicture.h"

#include <QPainter>

#include <cstring>
#include <map>
#include <tuple>

namespace {

struct Run
{
    int left;
    int right;   // one past the last pixel
    QRgb pixel;  // premultiplied
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
        // only the columns holding a visible pixel
        int left = width, right = 0;
        for (int y = stripTop; y < bottom; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < left; ++x)
                if (qAlpha(line[x])) {
                    left = x;
                    break;
                }
            for (int x = width - 1; x >= right; --x)
                if (qAlpha(line[x])) {
                    right = x + 1;
                    break;
                }
        }
        if (left < right) {
            const QRect pixels(left, stripTop, right - left, bottom - stripTop);
            m_strips.push_back({pixels, image.copy(pixels)});
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
