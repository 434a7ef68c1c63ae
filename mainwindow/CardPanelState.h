#pragma once

// What the card panels of the inspector show: the values of their controls,
// without the controls. The main window reads its controls into this and
// fills them from it; CardSettings turns it into a side's record and back.

#include "platform/Colour.h"
#include "platform/FontSpec.h"

#include <QString>

struct CardPanelState
{
    // border
    bool borderOn = false;
    Colour borderColour = Colour::black();
    int borderWidth = 1;
    int borderStyleIndex = 0;   // item of the border style list, -1 for none

    // fill
    bool fillOn = false;
    bool solidRadio = true;
    bool gradientRadio = false;
    bool hatchRadio = false;
    bool pictureRadio = false;
    Colour fillColour = Colour::white();
    Colour gradientColour1 = Colour::white();
    Colour gradientColour2 = Colour::white();
    double gradientAngle = 0;   // degrees
    QString hatchStyle;         // the chosen pattern name, empty for none
    Colour hatchBackground = Colour::white();
    QString imagePath;
    QString imageLayout = QStringLiteral("Stretch");
    double alphaPercent = 100;

    // content of the side's text objects
    Colour contentColour = Colour::black();
    FontSpec contentFont;

    // card
    int sidesIndex = 0;         // 0 two-sided, otherwise one-sided
    QString cardName;
    QString preset = QStringLiteral("Horizontal");
    QString category = QStringLiteral("PVC Card");
    int presetRow = -1;         // selected row of the preset list, -1 for none
    QString presetRowText;      // its text
};
