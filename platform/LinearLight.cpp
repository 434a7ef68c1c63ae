#include "platform/LinearLight.h"

#include <array>
#include <cmath>

namespace {

constexpr int encodeSteps = 65535;

// Linear steps between neighbouring codes are at least 1/(255 * 12.92),
// about 20 table steps, so looking up the rounded linear value always finds
// the nearest code.
struct Tables
{
    std::array<float, 256> decode {};
    std::array<std::uint8_t, encodeSteps + 1> encode {};

    Tables()
    {
        for (int c = 0; c < 256; ++c)
            decode[c] = float(LinearLight::toLinear(c / 255.0));
        for (int i = 0; i <= encodeSteps; ++i)
            encode[i] = std::uint8_t(std::lround(LinearLight::toEncoded(double(i) / encodeSteps) * 255.0));
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

}

double LinearLight::toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LinearLight::toEncoded(double l)
{
    return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
}

float LinearLight::decode(std::uint8_t code)
{
    return tables().decode[code];
}

std::uint8_t LinearLight::encode(float linear)
{
    if (!(linear > 0.0f))          // also NaN
        return 0;
    if (linear >= 1.0f)
        return 255;
    return tables().encode[int(linear * float(encodeSteps) + 0.5f)];
}
