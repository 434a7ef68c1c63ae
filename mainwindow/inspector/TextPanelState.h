#pragma once

// What the text object's panels of the inspector show: the values of their
// controls, without the controls. TextPanelRules fills it from a text object
// and writes it into the selected objects.

#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>

struct TextPanelState
{
    // the text editor
    QString text;

    // border
    bool borderOn = false;
    Colour borderColour = Colour::black();
    int borderWidth = 1;
    int borderStyleIndex = 0;   // item of the border style list, -1 for none

    // fill
    bool fillOn = false;
    bool solidRadio = true;
    bool gradientRadio = false;
    Colour fillColour = Colour::white();
    Colour gradientColour1 = Colour::white();
    Colour gradientColour2 = Colour::white();
    double gradientAngle = 0;   // degrees

    // the characters
    Colour textColour = Colour::black();
    FontSpec font;
    double alphaPercent = 100;
    int alignIndex = 0;         // item of the alignment list, -1 for none
    int caseIndex = 0;          // item of the case list, -1 for none
    double kerning = 0;         // points

    // the print check box under the inspector: 1 leaves the object out
    int printObject = 0;

    bool operator==(const TextPanelState&) const = default;
};
