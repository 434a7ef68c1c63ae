#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <vector>

class QPainter;

// A picture made mostly of areas of one colour (a barcode: bars, modules
// and the quiet zone around them) in a form whose size in a PDF file or a
// print job does not grow with its pixels: every area of one colour becomes
// a filled rectangle on the picture's pixel grid, and only the rows that
// are not made of such areas (a caption's anti-aliased letters) stay
// pixels, as strips cut to the columns they cover. Drawn at the picture's
// own resolution or finer, it covers exactly the pixels the picture does
// with exactly its colours; fully transparent pixels draw nothing.
//
// Made once per picture and read by any number of threads afterwards.
class VectorizedPicture
{
public:
    struct Area
    {
        QRect pixels;  // in picture pixels
        QColor colour; // not premultiplied
    };
    struct Strip
    {
        QRect pixels; // where the strip lies in the picture
        QImage image; // its pixels
    };

    VectorizedPicture() = default;
    explicit VectorizedPicture(const QImage& image);

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }
    const std::vector<Area>& areas() const { return m_areas; }
    const std::vector<Strip>& strips() const { return m_strips; }

    // Draws the picture stretched over `target` (painter coordinates).
    void draw(QPainter& painter, const QRectF& target) const;

    // Rows repeated fewer times than this are kept as pixels unless they
    // are of one colour throughout: a caption's letters rarely repeat a row
    // that often, a bar or a module always does.
    static constexpr int minimumRepeatedRows = 4;
    // A barcode's rectangles cover many pixels each; a picture that would
    // need more than one rectangle per this many pixels (and more than the
    // limit) is kept whole as one strip.
    static constexpr size_t pixelsPerArea = 16;
    static constexpr size_t minimumAreaLimit = 64;

private:
    QSize m_size;
    std::vector<Area> m_areas;
    std::vector<Strip> m_strips;
};
