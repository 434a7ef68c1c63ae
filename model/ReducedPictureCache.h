#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <array>

class QPainter;

// Draws a card object's picture so that it looks right when the painter
// shows it at fewer pixels than it has (a large photo, a sample picture or
// a 600 dpi barcode on the screen or in a 72 dpi picture). Sampling the
// picture at the device's pixels, as plain image drawing does, skips most
// of its pixels: fine lines break up, small text becomes unreadable and
// photos shimmer. Here every device pixel gets the average of the picture
// pixels it covers instead, weighted by how much of each it covers, for
// the exact (fractional) place and size of the picture on the device; a
// device pixel the picture covers only in part gets that part of its
// colour. The reduced copy is made in device pixels and copied onto them
// unscaled, so nothing resamples it again: a barcode's modules keep their
// widths to within a pixel's fraction. The copy is kept, so a redraw at the
// same size and place within the pixel grid only copies pixels.
//
// Only raster painting is reduced, and only under transforms without
// rotation or shear; PDF pages and printers get the whole picture, and a
// picture shown at its own size or larger is drawn as it is. A picture
// reduced in one direction and enlarged in the other is reduced to the
// smaller number of pixels and then drawn stretched.
//
// A copy starts empty: a copied object reduces its own picture.
class ReducedPictureCache
{
public:
    ReducedPictureCache() = default;
    ReducedPictureCache(const ReducedPictureCache&) {}
    ReducedPictureCache& operator=(const ReducedPictureCache&)
    {
        clear();
        return *this;
    }

    // Draws `image` over `target` (in the painter's coordinates). `smooth`
    // says whether the picture may be interpolated when it is not reduced
    // (false keeps a barcode's bars sharp edged).
    void draw(QPainter& painter, const QRectF& target, const QImage& image, bool smooth);
    void clear();

    // The size in device pixels at which `target` shows `image` on
    // `painter`'s device, when that is a reduction in either direction;
    // an empty size when the picture is drawn as it is.
    static QSize reducedSize(const QPainter& painter, const QRectF& target, const QImage& image);

    // `image` averaged onto the device pixels under `device` (a rectangle
    // in device pixels no larger than the image in either direction): the
    // result covers the whole pixels from floor(left) to ceil(right) and
    // floor(top) to ceil(bottom), premultiplied, with the picture mirrored
    // as the flags say. Null when the pixels cannot be allocated.
    static QImage areaAverage(const QImage& image, const QRectF& device, bool mirrorX, bool mirrorY);

private:
    struct Entry
    {
        qint64 key = 0;
        // Where the picture lies within its first device pixel, its size in
        // device pixels and its mirroring: everything the copy depends on.
        QRectF place;
        bool mirrorX = false;
        bool mirrorY = false;
        QSize size;
        QImage reduced;
        unsigned used = 0;
    };
    Entry* findOrMake(const QImage& image, const QRectF& place, bool mirrorX, bool mirrorY, const QSize& size);

    // Two sizes, so that a picture shown on two canvases at different zooms,
    // or on the screen while card pictures are made, is not reduced again at
    // every draw.
    std::array<Entry, 2> m_entries;
    unsigned m_clock = 0;
};
