#include "platform/Colour.h"

#include <algorithm>

namespace {
double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
}

Colour Colour::rgb(double r, double g, double b, double a, Space space)
{
    Colour c;
    c.m_space = space;
    c.m_components = {r, g, b, 0};
    c.m_alpha = clamp01(a);
    return c;
}

Colour Colour::grey(double w, double a, Space space)
{
    Colour c;
    c.m_space = space;
    c.m_components = {w, 0, 0, 0};
    c.m_alpha = clamp01(a);
    return c;
}

Colour Colour::cmyk(double cy, double m, double y, double k, double a)
{
    Colour c;
    c.m_space = Space::DeviceCMYK;
    c.m_components = {cy, m, y, k};
    c.m_alpha = clamp01(a);
    return c;
}

Colour Colour::fromQColor(const QColor& q)
{
    if (!q.isValid())
        return {};
    const QColor c = q.toRgb();
    return rgb(c.redF(), c.greenF(), c.blueF(), c.alphaF());
}

int Colour::componentCount() const
{
    switch (m_space) {
    case Space::None: return 0;
    case Space::CalibratedWhite:
    case Space::DeviceWhite: return 1;
    case Space::DeviceCMYK: return 4;
    default: return 3;
    }
}

Colour Colour::withAlpha(double a) const
{
    Colour c = *this;
    c.m_alpha = clamp01(a);
    return c;
}

QColor Colour::toQColor() const
{
    const auto& v = m_components;
    switch (m_space) {
    case Space::None: return {};
    case Space::CalibratedWhite:
    case Space::DeviceWhite: {
        const float w = float(clamp01(v[0]));
        return QColor::fromRgbF(w, w, w, float(m_alpha));
    }
    case Space::DeviceCMYK:
        return QColor::fromCmykF(float(clamp01(v[0])), float(clamp01(v[1])), float(clamp01(v[2])),
                                 float(clamp01(v[3])), float(m_alpha)).toRgb();
    default:
        return QColor::fromRgbF(float(clamp01(v[0])), float(clamp01(v[1])), float(clamp01(v[2])),
                                float(m_alpha));
    }
}
