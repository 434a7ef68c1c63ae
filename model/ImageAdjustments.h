#pragma once

// The adjustment settings of a picture object that change its picture, as
// plain values: what the adjustment chain takes, and the key under which a
// picture object can keep the chain's result (equal settings on the same
// source picture give the same result). The opacity is not among them: it
// is applied when the picture is drawn.
struct ImageAdjustments
{
    bool gray_Scale = false;
    bool Sepia = false;
    bool invert_clr = false;
    float hue_val = 0;        // radians
    float sat_val = 1;
    float brt_val = 0;
    float con_val = 1;
    float srp_val = 0;        // sharpness
    float ev_val = 0;         // exposure value (stops)
    float blr_val = 0;        // blur radius in pixels
    int rotate = 0;           // degrees, counter-clockwise

    // The rotation field of a picture object (float degrees) as the chain
    // takes it: truncated toward zero. Not-a-number counts as 0, and values
    // beyond the int range are first reduced modulo 360.
    static int truncatedRotation(float degrees);

    // Equal when every setting is equal; two not-a-number values count as
    // equal, so a cache keyed on the settings still finds its entry.
    bool operator==(const ImageAdjustments& other) const;
};
