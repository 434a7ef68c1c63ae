#include "platform/LinearLight.h"

#include <cmath>

LinearLight::LinearLight()
{
    for (int c = 0; c < 256; ++c)
        m_decode[c] = float(toLinear(c / 255.0));
    for (int i = 0; i <= encodeSteps; ++i)
        m_encode[i] = std::uint8_t(std::lround(toEncoded(double(i) / encodeSteps) * 255.0));
}

const LinearLight& LinearLight::instance()
{
    static const LinearLight tables;
    return tables;
}

double LinearLight::toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LinearLight::toEncoded(double l)
{
    return l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
}
