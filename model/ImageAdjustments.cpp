#include "model/ImageAdjustments.h"

#include <cmath>

namespace {
bool sameValue(float a, float b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
}

int ImageAdjustments::truncatedRotation(float degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    const double whole = std::trunc(double(degrees));
    if (std::fabs(whole) < 2147483647.0)
        return int(whole);
    return int(std::fmod(whole, 360.0));
}

bool ImageAdjustments::operator==(const ImageAdjustments& o) const
{
    return gray_Scale == o.gray_Scale && Sepia == o.Sepia && invert_clr == o.invert_clr
        && sameValue(hue_val, o.hue_val) && sameValue(sat_val, o.sat_val)
        && sameValue(brt_val, o.brt_val) && sameValue(con_val, o.con_val)
        && sameValue(srp_val, o.srp_val) && sameValue(ev_val, o.ev_val)
        && sameValue(blr_val, o.blr_val) && rotate == o.rotate;
}
