#pragma once

// The rules of the card settings panels, without a window: how the panels'
// values are written into a side's record and loaded back from it, which fill
// controls a fill code enables, and how the content colour and font reach the
// side's text objects.

#include "mainwindow/CardPanelState.h"
#include "model/Card_Property.h"
#include "model/SKTGraphic.h"

#include <QRectF>
#include <QString>
#include <optional>

class CardSettings
{
public:
    // Which fill controls are enabled for a fill code: the solid colour for
    // "S" (and any unknown code), the gradient colours and angle for "G", the
    // hatch pattern and its background for "H", the picture group for "I".
    struct FillControls {
        bool solidColour = false;
        bool gradient = false;
        bool hatch = false;
        bool picture = false;
        bool operator==(const FillControls&) const = default;
    };
    static FillControls fillControlsForCode(const QString& fillCode);

    // The record's text code of the card outline: 0 "R", 1 "RR", anything
    // else "E".
    static QString shapeCode(int cardShape);
    // The card outline of a record's code: "RR" 1, "E" 2, anything else 0.
    static int cardShapeForCode(const QString& code);
    // The program-wide sides setting of a record's `Card_Side`: "1" for a
    // one-sided card, "2" for anything else (two sides, the default).
    static QString sidesForRecord(const Card_Property& record);
    // Border style list item <-> dash code ("S", "DA", "DO", "DD", "DDD").
    static std::optional<QString> dashCodeForIndex(int index);
    static std::optional<int> indexForDashCode(const QString& code);

    // The fill code the radios choose. The front side keeps the chosen style
    // while the fill is off; the back side then falls back to "S".
    static QString fillCodeForPanel(const CardPanelState& panel, int side);

    // The side's record after writing the panels into `record`: the border
    // colour and width only while the border is on, the fill colour only
    // while the fill is on, every fill colour with the panel's opacity as
    // its alpha, the card's place and size from the front canvas's bounds,
    // the outline code from `cardShape`, the side letter from `side` (1 back,
    // otherwise front), and the making mode "W".
    static Card_Property recordFromPanel(const Card_Property& record, const CardPanelState& panel, int side,
                                         int cardShape, const QRectF& frontCanvasBounds);

    // The panels showing `record`, starting from what they show now: the
    // border style and the hatch pattern stay as they are when the record's
    // dash code is unknown or its fill is not a hatch; the fill radios
    // follow the fill code.
    static CardPanelState panelFromRecord(const Card_Property& record, const CardPanelState& current);

    // The record of either side of a new design: the record's defaults with
    // the border on, and the given content colour and font.
    static Card_Property newDesignRecord(const Colour& contentColour, const FontSpec& contentFont);

    // The panel's fill radios for a fill code: "G" gradient, "H" hatch, "I"
    // picture, any other solid.
    static void setFillRadios(CardPanelState& panel, const QString& fillCode);

    // Gives every text object of `graphics` the content colour (when it
    // changed) and font (when it changed).
    static void applyContent(const GraphicList& graphics, bool colourChanged, const Colour& colour,
                             bool fontChanged, const FontSpec& font);

    // A font as the panels show it: "<name of the face> ( <size with two
    // decimals> )", as in "DejaVu Sans Bold ( 18.00 )".
    static QString fontDescription(const FontSpec& font);
};
