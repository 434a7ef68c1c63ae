#include "canvas/RulerScale.h"

#include <cmath>

namespace {
// Ways to divide a label step of mantissa 1, 2 or 5 into round parts, the
// finest first.
const std::vector<int>& divisionsFor(int mantissa)
{
    static const std::vector<int> ones {10, 5, 2};
    static const std::vector<int> twos {10, 4, 2};
    static const std::vector<int> fives {10, 5};
    return mantissa == 1 ? ones : mantissa == 2 ? twos : fives;
}

// Larger than any ruler's length in small ticks; keeps a wild range finite.
constexpr double maximumTickCount = 1.0e5;
}

RulerScale::RulerScale(double factor, double originPixel) : m_originPixel(originPixel)
{
    if (!(factor > 0.0) || !std::isfinite(factor) || !std::isfinite(originPixel))
        return;
    m_factor = factor;
    const double pixelsPerMillimetre = factor / millimetresPerPoint;
    // From 0.1 mm to 5 km: the smallest step whose labels stay apart.
    for (int exponent = -1; exponent <= 6 && m_labelStep == 0.0; ++exponent) {
        for (const int mantissa : {1, 2, 5}) {
            const double step = mantissa * std::pow(10.0, exponent);
            if (step * pixelsPerMillimetre < minimumLabelSpacing)
                continue;
            m_labelStep = step;
            for (const int divisions : divisionsFor(mantissa)) {
                if (step / divisions * pixelsPerMillimetre >= minimumTickSpacing) {
                    m_divisions = divisions;
                    break;
                }
            }
            break;
        }
    }
}

double RulerScale::pointForPixel(double pixel) const
{
    return m_factor > 0.0 ? (pixel - m_originPixel) / m_factor : 0.0;
}

std::vector<RulerTick> RulerScale::ticks(double fromPixel, double toPixel) const
{
    std::vector<RulerTick> result;
    if (m_labelStep == 0.0 || !(fromPixel <= toPixel))
        return result;
    const double tickStep = m_labelStep / m_divisions;
    // A tick on an end of the range counts, whatever the rounding.
    const double first = std::ceil(pointForPixel(fromPixel) * millimetresPerPoint / tickStep - 1e-9);
    const double last = std::floor(pointForPixel(toPixel) * millimetresPerPoint / tickStep + 1e-9);
    if (!(last - first < maximumTickCount) || std::abs(first) > 1.0e12)
        return result;
    const long long begin = static_cast<long long>(first);
    const long long end = static_cast<long long>(last);
    result.reserve(size_t(std::max(0LL, end - begin + 1)));
    for (long long i = begin; i <= end; ++i) {
        const long long part = ((i % m_divisions) + m_divisions) % m_divisions;
        RulerTick tick;
        // A labelled tick is a whole number of label steps, computed so.
        tick.millimetres = part == 0 ? double(i / m_divisions) * m_labelStep
                                     : double(i) * m_labelStep / m_divisions;
        tick.pixel = pixelForPoint(tick.millimetres / millimetresPerPoint);
        tick.level = part == 0 ? 0 : (m_divisions % 2 == 0 && part == m_divisions / 2) ? 1 : 2;
        if (tick.pixel >= fromPixel - 1e-9 && tick.pixel <= toPixel + 1e-9)
            result.push_back(tick);
    }
    return result;
}

QString RulerScale::label(const RulerTick& tick) const
{
    const int decimals = m_labelStep < 1.0 ? 1 : 0;
    // No "-0" from a value just below zero.
    const double value = std::abs(tick.millimetres) < m_labelStep / 2.0 ? 0.0 : tick.millimetres;
    return QString::number(value, 'f', decimals);
}

std::vector<RulerLabel> RulerScale::labels(double length, double gap,
                                           const std::function<double(const QString&)>& advance) const
{
    std::vector<RulerLabel> result;
    for (const RulerTick& tick : ticks(0.0, length)) {
        if (tick.level != 0)
            continue;
        RulerLabel label {tick, this->label(tick), 0.0, 0.0};
        // The pixel the tick is drawn in, as the ruler draws it.
        label.from = std::floor(tick.pixel) + gap;
        label.to = label.from + advance(label.text);
        if (label.from >= 0.0 && label.to <= length)
            result.push_back(label);
    }
    return result;
}
