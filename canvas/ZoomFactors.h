#pragma once

#include <QString>

// The zoom choices of the canvas's scroll view: eleven rows from 10 % to
// 1600 %, each a label and the factor it stands for (1.0 is 100 %).
class ZoomFactors
{
public:
    static constexpr int count = 11;

    // The row's label as written ("10%" ... "1600%"); it is also the key of
    // the translation context "SKTZoomingScrollView".
    static const char* rawLabel(int row);
    // The label as shown: the translation of rawLabel, or rawLabel itself.
    static QString label(int row);
    // The row's factor. Row 0 is 0.1 as a float widened to double
    // (0.100000001490116), the others are exact.
    static double factor(int row);
    // The row whose factor equals `factor` exactly; -1 when none does.
    static int rowForFactor(double factor);
};
