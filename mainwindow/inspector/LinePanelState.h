#pragma once

// What the line panel of the inspector shows: the value of each of its
// controls, without the controls. LinePanelRules fills it from a line and
// writes it into card objects.

#include "platform/Colour.h"

struct LinePanelState
{
    Colour colour = Colour::black();
    int width = 1;              // points
    int styleIndex = 0;         // item of the dash list, -1 for none
    int capIndex = 0;           // item of the cap list, -1 for none
    int orientationIndex = 0;   // item of the orientation list, -1 for none
    int alphaPercent = 100;     // opacity of the stroke, 0..100
    int printObject = 0;        // the print check box under the inspector: 1 leaves the object out

    bool operator==(const LinePanelState&) const = default;
};
