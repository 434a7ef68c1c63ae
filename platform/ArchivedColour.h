#pragma once

#include "platform/Colour.h"

#include <optional>

class KeyedArchiver;
class KeyedUnarchiver;

// The platform's archived colour: {"NSColorSpace": n, ...} with the
// components as ASCII text ending in NUL ("r g b[ a]", alpha only when it is
// not 1).
//
// Read: 1 calibrated and 2 device RGB ("NSRGB"), 3 calibrated and 4 device
// white ("NSWhite"), 5 CMYK ("NSCMYK", also spelled "NSCYMK"), and 6 catalog
// colours through their fallback colour ("NSColor"). Written: RGB and white
// colours in their own space, so an unchanged colour is written back as it
// was read; CMYK colours as device RGB.
class ArchivedColour
{
public:
    static quint64 encode(KeyedArchiver& archiver, const Colour& colour);   // 0 (nil) for no colour
    static std::optional<Colour> decode(KeyedUnarchiver& coder);

    // A keyed archive whose root is the colour, and the colour of one.
    static QByteArray archivedData(const Colour& colour);
    static std::optional<Colour> fromArchivedData(const QByteArray& data);

    // "0.5 0.25 1" and the like, alpha appended when it is not 1.
    static QByteArray componentText(const Colour& colour);

private:
    // The numbers of a component text; empty when any is not a finite number.
    static QList<double> parseComponents(const QByteArray& text);
};
