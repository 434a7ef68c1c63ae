#pragma once

#include <cstdint>

// Conversion between 8-bit sRGB codes and linear light (IEC 61966-2-1).
// Picture filters decode to linear light, work there, and encode the result
// back to 8 bits. The tables are built once and are safe to use from any
// thread.
class LinearLight
{
public:
    // Linear light (0..1) of an sRGB code.
    static float decode(std::uint8_t code);
    // The nearest sRGB code of a linear value; values outside 0..1 (and NaN)
    // are clamped.
    static std::uint8_t encode(float linear);

    // The exact transfer functions on 0..1, for tests and table building.
    static double toLinear(double encoded);
    static double toEncoded(double linear);
};
