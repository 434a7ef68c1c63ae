#pragma once

#include <QColor>
#include <QMetaType>
#include <array>

// A colour as the card model stores it: the colour space it was made in, its
// components in that space and its alpha. Unchanged colours keep their space
// and components exactly, so a design read and written again stays the same;
// QColor is only made for drawing.
class Colour
{
public:
    enum class Space {
        None = 0,            // no colour (a nil reference)
        CalibratedRGB = 1,
        DeviceRGB = 2,
        CalibratedWhite = 3,
        DeviceWhite = 4,
        DeviceCMYK = 5,
    };

    Colour() = default;
    static Colour rgb(double r, double g, double b, double a = 1.0, Space space = Space::DeviceRGB);
    static Colour grey(double w, double a = 1.0, Space space = Space::CalibratedWhite);
    static Colour cmyk(double c, double m, double y, double k, double a = 1.0);
    static Colour fromQColor(const QColor& c);
    static Colour white() { return grey(1.0); }
    static Colour black() { return grey(0.0); }

    bool isValid() const { return m_space != Space::None; }
    Space space() const { return m_space; }
    int componentCount() const;             // without alpha
    double component(int i) const { return m_components.at(i); }
    double alpha() const { return m_alpha; }

    // The same colour with its alpha replaced (clamped to 0..1).
    Colour withAlpha(double a) const;
    QColor toQColor() const;

    bool operator==(const Colour& o) const = default;

private:
    Space m_space = Space::None;
    std::array<double, 4> m_components {0, 0, 0, 0};
    double m_alpha = 1.0;
};

Q_DECLARE_METATYPE(Colour)
