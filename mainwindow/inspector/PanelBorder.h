#pragma once

#include "platform/Colour.h"

class SKTGraphic;

// The border of an object panel (the check box, its colour well, width
// stepper and line style list) as plain values, and how they are read from
// and written into a card object.
struct PanelBorder
{
    bool on = false;
    Colour colour = Colour::black();
    int width = 1;
    int styleIndex = 0;   // item of the line style list, -1 for none

    bool operator==(const PanelBorder&) const = default;

    // The object's frame: the width rounded to whole points, the style item
    // of its dash code (-1 for a code the list does not have).
    static PanelBorder fromGraphic(const SKTGraphic& graphic);
    // On: the frame drawn with this colour and width. Off: the frame not
    // drawn, its colour and width kept for when it is turned on again. The
    // dash code of the chosen style; no style chosen leaves the code.
    void applyTo(SKTGraphic& graphic) const;
};
