#pragma once

#include <array>
#include <cstdint>

// Conversion between 8-bit sRGB codes and linear light (IEC 61966-2-1).
// Picture filters decode to linear light, work there, and encode the result
// back to 8 bits. The tables are built once, on first use, and are safe to
// use from any thread; pixel loops hold on to instance() and use the
// inline lookups.
class LinearLight
{
public:
    static const LinearLight& instance();

    // Linear light (0..1) of an sRGB code.
    float decoded(std::uint8_t code) const { return m_decode[code]; }
    // The nearest sRGB code of a linear value; values outside 0..1 (and NaN)
    // are clamped.
    std::uint8_t encoded(float linear) const
    {
        if (!(linear > 0.0f))          // also NaN
            return 0;
        if (linear >= 1.0f)
            return 255;
        return m_encode[int(linear * float(encodeSteps) + 0.5f)];
    }

    static float decode(std::uint8_t code) { return instance().decoded(code); }
    static std::uint8_t encode(float linear) { return instance().encoded(linear); }

    // The exact transfer functions on 0..1, for tests and table building.
    static double toLinear(double encoded);
    static double toEncoded(double linear);

private:
    LinearLight();

    // Linear steps between neighbouring codes are at least 1/(255 * 12.92),
    // about 20 table steps, so looking up the rounded linear value always
    // finds the nearest code.
    static constexpr int encodeSteps = 65535;
    std::array<float, 256> m_decode {};
    std::array<std::uint8_t, encodeSteps + 1> m_encode {};
};
