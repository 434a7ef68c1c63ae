#pragma once

#include <QString>

#include <functional>
#include <vector>

// One tick of a ruler: where it lies along the ruler, the length it stands
// for and how prominent it is (0 carries a label, 1 marks half the distance
// between labels, 2 is a small division).
struct RulerTick {
    double pixel = 0.0;
    double millimetres = 0.0;
    int level = 0;
};

// The label of a labelled tick: its text and the stretch along the ruler
// that the text covers, from just after the tick.
struct RulerLabel {
    RulerTick tick;
    QString text;
    double from = 0.0;
    double to = 0.0;
};

// The scale of a canvas ruler, without a window: a ruler pixel for every
// card point, given the zoom factor (pixels per card point) and the ruler
// pixel that lies over the card's origin. The ruler counts millimetres from
// that origin (1 pt = 25.4/72 mm), with labels at steps of 1, 2 or 5 times a
// power of ten chosen so that they do not crowd, divided into small ticks
// that stay apart at every zoom.
class RulerScale
{
public:
    static constexpr double millimetresPerPoint = 25.4 / 72.0;
    // The least distance, in pixels, between two labelled ticks and between
    // any two ticks.
    static constexpr double minimumLabelSpacing = 25.0;
    static constexpr double minimumTickSpacing = 4.0;

    RulerScale() = default;
    // A factor of 0 or less (or not a number) gives a ruler without ticks.
    RulerScale(double factor, double originPixel);

    double factor() const { return m_factor; }
    double originPixel() const { return m_originPixel; }
    double pixelForPoint(double point) const { return m_originPixel + point * m_factor; }
    double pointForPixel(double pixel) const;

    // The distance between labelled ticks in millimetres (0 when there are
    // no ticks) and the number of parts it is divided into.
    double labelStep() const { return m_labelStep; }
    int divisions() const { return m_divisions; }

    // The ticks from `fromPixel` to `toPixel` (both included), in order.
    std::vector<RulerTick> ticks(double fromPixel, double toPixel) const;
    // The text of a labelled tick: whole millimetres, or tenths when the
    // labels are less than a millimetre apart.
    QString label(const RulerTick& tick) const;
    // The labels of a ruler `length` pixels long, each `gap` pixels after
    // its tick and as long as `advance` measures its text. Only labels that
    // fit whole on the ruler are given: a cut one would show another value
    // ("-100" cut to "0").
    std::vector<RulerLabel> labels(double length, double gap,
                                   const std::function<double(const QString&)>& advance) const;

private:
    double m_factor = 0.0;
    double m_originPixel = 0.0;
    double m_labelStep = 0.0;
    int m_divisions = 1;
};
