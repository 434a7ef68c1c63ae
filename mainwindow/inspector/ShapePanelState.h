#pragma once

// What the shape panel of the inspector shows: the value of each of its
// controls, without the controls. ShapePanelRules fills it from a card object
// and writes it into card objects.

#include "platform/Colour.h"

#include <QString>

struct ShapePanelState
{
    // border
    bool borderOn = true;
    Colour borderColour = Colour::black();
    int borderWidth = 1;            // points
    int borderStyleIndex = 0;       // item of the dash list, -1 for none

    // fill
    bool fillOn = true;
    bool solidRadio = true;
    bool gradientRadio = false;
    bool hatchRadio = false;
    Colour fillColour = Colour::white();
    Colour gradientColour1 = Colour::white();
    Colour gradientColour2 = Colour::black();
    double gradientAngle = 0;       // degrees
    Colour hatchBackground = Colour::white();
    QString hatchStyle;             // the chosen pattern name, empty for none

    int alphaPercent = 100;         // opacity, 0..100
    double cornerRadius = 10;       // points, rounded rectangles
    int doubleStarType = 1;         // figure of a double star, 1..5
    int polygonType = 1;            // figure of a polygon, 1..5

    int printObject = 0;            // the print check box under the inspector: 1 leaves the object out

    bool operator==(const ShapePanelState&) const = default;
};
