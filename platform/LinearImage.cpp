#include "platform/LinearImage.h"

#include "platform/ColourMatrix.h"
#include "platform/LinearLight.h"

#include <algorithm>
#include <cmath>

namespace {

// Box average along one line of `n` pixels of four interleaved channels;
// writes to `out` with the same layout. Running sums make the cost
// independent of the radius.
void boxLine(const float* in, float* out, int n, float radius, std::vector<double>& sums)
{
    constexpr int channels = 4;
    constexpr std::size_t stride = 4;
    const int whole = int(radius);
    const double frac = double(radius) - whole;
    sums.assign(std::size_t(n + 1) * channels, 0.0);
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < channels; ++c)
            sums[std::size_t(i + 1) * channels + c] = sums[std::size_t(i) * channels + c] + in[i * stride + c];

    for (int i = 0; i < n; ++i) {
        const int lo = std::max(0, i - whole);
        const int hi = std::min(n - 1, i + whole);
        double weight = hi - lo + 1;
        const bool left = frac > 0 && i - whole - 1 >= 0;
        const bool right = frac > 0 && i + whole + 1 < n;
        weight += (left ? frac : 0.0) + (right ? frac : 0.0);
        const double scale = 1.0 / weight;
        for (int c = 0; c < channels; ++c) {
            double sum = sums[std::size_t(hi + 1) * channels + c] - sums[std::size_t(lo) * channels + c];
            if (left)
                sum += frac * in[(i - whole - 1) * stride + c];
            if (right)
                sum += frac * in[(i + whole + 1) * stride + c];
            out[i * stride + c] = float(sum * scale);
        }
    }
}

// Binomial 1-4-6-4-1 smoothing (a Gaussian of one pixel) of one line of a
// single-channel plane, repeating the edge samples.
void binomialLine(const float* in, float* out, int n)
{
    auto at = [&](int i) { return in[std::clamp(i, 0, n - 1)]; };
    for (int i = 0; i < n; ++i)
        out[i] = (at(i - 2) + 4 * at(i - 1) + 6 * at(i) + 4 * at(i + 1) + at(i + 2)) / 16.0f;
}

}

LinearImage::LinearImage(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    m_width = src.width();
    m_height = src.height();
    m_dpmX = src.dotsPerMeterX();
    m_dpmY = src.dotsPerMeterY();
    m_pixels.resize(std::size_t(m_width) * m_height * 4);
    const LinearLight& light = LinearLight::instance();
    for (int y = 0; y < m_height; ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < m_width; ++x) {
            float* p = pixel(x, y);
            const float a = qAlpha(in[x]) / 255.0f;
            p[0] = light.decoded(std::uint8_t(qRed(in[x]))) * a;
            p[1] = light.decoded(std::uint8_t(qGreen(in[x]))) * a;
            p[2] = light.decoded(std::uint8_t(qBlue(in[x]))) * a;
            p[3] = a;
        }
    }
}

QImage LinearImage::toImage() const
{
    QImage out(m_width, m_height, QImage::Format_ARGB32);
    if (out.isNull())
        return {};
    out.setDotsPerMeterX(m_dpmX);
    out.setDotsPerMeterY(m_dpmY);
    const LinearLight& light = LinearLight::instance();
    for (int y = 0; y < m_height; ++y) {
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const float* p = &m_pixels[std::size_t(y) * m_width * 4];
        for (int x = 0; x < m_width; ++x, p += 4) {
            const float a = std::clamp(p[3], 0.0f, 1.0f);
            const int alpha = int(a * 255.0f + 0.5f);
            if (alpha == 0) {
                dst[x] = 0;
                continue;
            }
            const float unpremultiply = 1.0f / a;
            dst[x] = qRgba(light.encoded(p[0] * unpremultiply), light.encoded(p[1] * unpremultiply),
                           light.encoded(p[2] * unpremultiply), alpha);
        }
    }
    return out;
}

void LinearImage::boxBlur(float radius)
{
    if (!(radius > 0) || m_pixels.empty())
        return;
    // A box wider than the picture averages the whole line either way.
    const float r = std::min(radius, float(std::max(m_width, m_height)));
    std::vector<double> sums;
    std::vector<float> line(std::size_t(m_width) * 4);
    for (int y = 0; y < m_height; ++y) {
        float* row = pixel(0, y);
        boxLine(row, line.data(), m_width, r, sums);
        std::copy(line.begin(), line.end(), row);
    }
    // Vertical pass row by row over a copy of the rows, with one running
    // sum per column, so memory is read in order.
    const std::vector<float> rows = m_pixels;
    const std::size_t rowLength = std::size_t(m_width) * 4;
    auto rowAt = [&](int y) { return &rows[std::size_t(y) * rowLength]; };
    const int whole = int(r);
    const double frac = double(r) - whole;
    std::vector<double> acc(rowLength, 0.0);
    for (int y = 0; y <= std::min(whole, m_height - 1); ++y)
        for (std::size_t i = 0; i < rowLength; ++i)
            acc[i] += rowAt(y)[i];
    for (int y = 0; y < m_height; ++y) {
        if (y > 0) {
            if (y + whole < m_height)
                for (std::size_t i = 0; i < rowLength; ++i)
                    acc[i] += rowAt(y + whole)[i];
            if (y - whole - 1 >= 0)
                for (std::size_t i = 0; i < rowLength; ++i)
                    acc[i] -= rowAt(y - whole - 1)[i];
        }
        const int lo = std::max(0, y - whole);
        const int hi = std::min(m_height - 1, y + whole);
        const bool above = frac > 0 && y - whole - 1 >= 0;
        const bool below = frac > 0 && y + whole + 1 < m_height;
        const double scale = 1.0 / ((hi - lo + 1) + (above ? frac : 0.0) + (below ? frac : 0.0));
        const float* up = above ? rowAt(y - whole - 1) : nullptr;
        const float* down = below ? rowAt(y + whole + 1) : nullptr;
        float* out = pixel(0, y);
        for (std::size_t i = 0; i < rowLength; ++i) {
            double sum = acc[i];
            if (up)
                sum += frac * up[i];
            if (down)
                sum += frac * down[i];
            out[i] = float(sum * scale);
        }
    }
}

void LinearImage::sharpenLuminance(float amount)
{
    if (amount == 0 || m_pixels.empty())
        return;
    const std::size_t count = std::size_t(m_width) * m_height;
    const auto& w = ColourMatrix::luminanceWeights;
    std::vector<float> luma(count);
    std::vector<float> smooth(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float* p = &m_pixels[i * 4];
        luma[i] = w[0] * p[0] + w[1] * p[1] + w[2] * p[2];
    }
    for (int y = 0; y < m_height; ++y) {
        const std::size_t row = std::size_t(y) * m_width;
        binomialLine(&luma[row], &smooth[row], m_width);
    }
    // Vertical pass row by row, reading the five neighbouring rows.
    auto row = [&](int y) { return &smooth[std::size_t(std::clamp(y, 0, m_height - 1)) * m_width]; };
    for (int y = 0; y < m_height; ++y) {
        const float* r0 = row(y - 2);
        const float* r1 = row(y - 1);
        const float* r2 = row(y);
        const float* r3 = row(y + 1);
        const float* r4 = row(y + 2);
        const float* l = &luma[std::size_t(y) * m_width];
        float* p = pixel(0, y);
        for (int x = 0; x < m_width; ++x, p += 4) {
            const float around = (r0[x] + 4 * r1[x] + 6 * r2[x] + 4 * r3[x] + r4[x]) / 16.0f;
            const float change = amount * (l[x] - around);
            // Premultiplied colour stays within 0..alpha.
            for (int c = 0; c < 3; ++c)
                p[c] = std::clamp(p[c] + change, 0.0f, p[3]);
        }
    }
}
