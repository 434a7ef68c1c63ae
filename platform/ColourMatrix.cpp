#include "platform/ColourMatrix.h"

#include "platform/LinearLight.h"

#include <algorithm>
#include <cmath>

ColourMatrix::ColourMatrix()
    : m_rows {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}}
{
}

ColourMatrix ColourMatrix::luminanceGrey()
{
    ColourMatrix m;
    for (auto& row : m.m_rows)
        row = {luminanceWeights[0], luminanceWeights[1], luminanceWeights[2], 0};
    return m;
}

ColourMatrix ColourMatrix::sepiaTone()
{
    ColourMatrix m;
    m.m_rows = {{{0.393f, 0.769f, 0.189f, 0},
                 {0.349f, 0.686f, 0.168f, 0},
                 {0.272f, 0.534f, 0.131f, 0}}};
    return m;
}

ColourMatrix ColourMatrix::inverted()
{
    ColourMatrix m;
    m.m_rows = {{{-1, 0, 0, 1}, {0, -1, 0, 1}, {0, 0, -1, 1}}};
    return m;
}

ColourMatrix ColourMatrix::hueRotation(float radians)
{
    // Rodrigues' rotation about the unit grey axis (1, 1, 1) / sqrt(3).
    const double c = std::cos(double(radians));
    const double k = (1.0 - c) / 3.0;
    const double s = std::sin(double(radians)) / std::sqrt(3.0);
    ColourMatrix m;
    m.m_rows = {{{float(c + k), float(k - s), float(k + s), 0},
                 {float(k + s), float(c + k), float(k - s), 0},
                 {float(k - s), float(k + s), float(c + k), 0}}};
    return m;
}

ColourMatrix ColourMatrix::saturation(float s)
{
    ColourMatrix m;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m.m_rows[r][c] = (1.0f - s) * luminanceWeights[c] + (r == c ? s : 0.0f);
    return m;
}

ColourMatrix ColourMatrix::brightness(float b)
{
    ColourMatrix m;
    for (auto& row : m.m_rows)
        row[3] = b;
    return m;
}

ColourMatrix ColourMatrix::contrast(float k)
{
    ColourMatrix m;
    for (int r = 0; r < 3; ++r) {
        m.m_rows[r][r] = k;
        m.m_rows[r][3] = 0.5f * (1.0f - k);
    }
    return m;
}

ColourMatrix ColourMatrix::exposure(float ev)
{
    // Beyond +-64 every code already ends at black or white, so the factor
    // is bounded there to keep the arithmetic finite.
    const float factor = float(std::exp2(std::clamp(double(ev), -64.0, 64.0)));
    ColourMatrix m;
    for (int r = 0; r < 3; ++r)
        m.m_rows[r][r] = factor;
    return m;
}

ColourMatrix ColourMatrix::then(const ColourMatrix& next) const
{
    ColourMatrix out;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            double v = c == 3 ? next.m_rows[r][3] : 0.0;
            for (int k = 0; k < 3; ++k)
                v += double(next.m_rows[r][k]) * m_rows[k][c];
            out.m_rows[r][c] = float(v);
        }
    }
    return out;
}

QImage ColourMatrix::applyTo(const QImage& image) const
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_ARGB32);
    if (src.isNull() || out.isNull())
        return {};
    out.setDotsPerMeterX(src.dotsPerMeterX());
    out.setDotsPerMeterY(src.dotsPerMeterY());

    const LinearLight& light = LinearLight::instance();
    const int w = src.width();
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            if (a == 0) {                  // nothing to see, nothing to change
                dst[x] = p;
                continue;
            }
            const Rgb c = map({light.decoded(std::uint8_t(qRed(p))),
                               light.decoded(std::uint8_t(qGreen(p))),
                               light.decoded(std::uint8_t(qBlue(p)))});
            dst[x] = qRgba(light.encoded(c[0]), light.encoded(c[1]), light.encoded(c[2]), a);
        }
    }
    return out;
}
