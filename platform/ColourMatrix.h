#pragma once

#include <QImage>
#include <array>

// An affine map of linear-light RGB: out = M * in + offset. The colour steps
// of the picture adjustments (grey scale, sepia, invert, hue, saturation,
// brightness, contrast, exposure) are all of this form, so one pixel loop
// serves them all.
class ColourMatrix
{
public:
    using Rgb = std::array<float, 3>;

    ColourMatrix();                         // identity

    // Rec. 709 relative luminance, the same value in each channel.
    static ColourMatrix luminanceGrey();
    // The classic sepia tone matrix.
    static ColourMatrix sepiaTone();
    // 1 - c per channel.
    static ColourMatrix inverted();
    // Turns colours about the grey axis by `radians`; greys stay.
    static ColourMatrix hueRotation(float radians);
    // Moves colours away from (s > 1) or towards (s < 1) their grey;
    // 0 gives the grey, 1 the colour itself.
    static ColourMatrix saturation(float s);
    static ColourMatrix brightness(float b);      // c + b
    static ColourMatrix contrast(float k);        // (c - 0.5) * k + 0.5
    static ColourMatrix exposure(float ev);       // c * 2^ev

    static constexpr Rgb luminanceWeights {0.2126f, 0.7152f, 0.0722f};

    // This map followed by `next`.
    ColourMatrix then(const ColourMatrix& next) const;
    Rgb map(const Rgb& c) const
    {
        Rgb out;
        for (int r = 0; r < 3; ++r)
            out[r] = m_rows[r][0] * c[0] + m_rows[r][1] * c[1] + m_rows[r][2] * c[2] + m_rows[r][3];
        return out;
    }

    // Maps the colour of every pixel in linear light and keeps its alpha.
    // The result is 8-bit, not premultiplied (Format_ARGB32); a null image
    // when it cannot be allocated.
    QImage applyTo(const QImage& image) const;

private:
    std::array<std::array<float, 4>, 3> m_rows;   // three coefficients and the offset
};
