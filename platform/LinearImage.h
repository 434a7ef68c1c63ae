#pragma once

#include <QImage>
#include <vector>

// A picture as premultiplied linear-light RGBA floats, for the filters that
// mix neighbouring pixels (blur, sharpening). Premultiplied values keep the
// colour of transparent pixels out of their neighbours.
class LinearImage
{
public:
    // Throws std::bad_alloc when the pixels cannot be held.
    explicit LinearImage(const QImage& image);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // 8-bit, not premultiplied (Format_ARGB32), with the resolution of the
    // source; a null image when it cannot be allocated.
    QImage toImage() const;

    // Averages each pixel with the pixels up to `radius` away along each
    // axis (a box of 2 * radius + 1; a fractional radius weighs the outer
    // pixels by its fraction). Near the edges the box holds only the pixels
    // inside the picture, so edges neither fade nor darken. Radius <= 0 does
    // nothing.
    void boxBlur(float radius);

    // Unsharp mask on luminance: each pixel's luminance moves away from the
    // luminance of its neighbourhood (a Gaussian of one pixel) by `amount`
    // times the difference; the same change goes to red, green and blue, so
    // chroma is left alone. Negative amounts soften.
    void sharpenLuminance(float amount);

private:
    float* pixel(int x, int y) { return &m_pixels[(std::size_t(y) * m_width + x) * 4]; }

    int m_width = 0;
    int m_height = 0;
    int m_dpmX = 0;
    int m_dpmY = 0;
    std::vector<float> m_pixels;       // r, g, b, a per pixel
};
