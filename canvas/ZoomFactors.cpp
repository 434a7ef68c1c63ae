#include "canvas/ZoomFactors.h"

#include <QCoreApplication>

#include <array>

namespace {
struct Row {
    const char* label;
    double factor;
};

// 10 % keeps the single-precision value of 0.1, as the choice has always
// been stored, so that a factor saved or bound elsewhere finds its row again.
constexpr std::array<Row, ZoomFactors::count> rows = {{
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "10%"), double(0.1f)},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "25%"), 0.25},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "50%"), 0.5},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "75%"), 0.75},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "100%"), 1.0},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "125%"), 1.25},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "150%"), 1.5},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "200%"), 2.0},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "400%"), 4.0},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "800%"), 8.0},
    {QT_TRANSLATE_NOOP("SKTZoomingScrollView", "1600%"), 16.0},
}};
}

const char* ZoomFactors::rawLabel(int row)
{
    return row >= 0 && row < count ? rows[size_t(row)].label : "";
}

QString ZoomFactors::label(int row)
{
    return QCoreApplication::translate("SKTZoomingScrollView", rawLabel(row));
}

double ZoomFactors::factor(int row)
{
    return row >= 0 && row < count ? rows[size_t(row)].factor : 1.0;
}

int ZoomFactors::rowForFactor(double factor)
{
    for (int row = 0; row < count; ++row) {
        if (rows[size_t(row)].factor == factor)
            return row;
    }
    return -1;
}
