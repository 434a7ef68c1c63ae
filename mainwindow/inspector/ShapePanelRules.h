#pragma once

// The rules of the shape panel, without a window: how the panel is filled
// from a card object and how its values are written into the selected
// objects, which fill controls each fill radio enables, and which of the
// figure controls (corner radius, double star, polygon) a shape code shows.

#include "mainwindow/inspector/ShapePanelState.h"

#include <QString>
#include <QStringList>

class SKTGraphic;

class ShapePanelRules
{
public:
    // The panel showing `graphic`: the border and fill with their colours,
    // the dash list item of its dash code (-1 for an unknown code, which
    // leaves the list as it is), the fill radio of its fill code ("G"
    // gradient, "H" hatch, any other solid), its hatch pattern name, its
    // opacity as a rounded percentage and its figure values.
    static ShapePanelState fromGraphic(const SKTGraphic& graphic);

    // Writes every value of the panel into `graphic` (whatever its kind):
    // a border or fill turned off keeps its colour and width; the fill code
    // is "S" unless the fill is on and the gradient or hatch radio is; a
    // dash list with no item keeps the object's dash code; the opacity is
    // the percentage / 100. The border and fill flags, colours and the
    // width go through the object's setters, so its observers hear of them.
    // `onlyOneSelected` changes nothing for shapes.
    static void applyTo(const ShapePanelState& state, SKTGraphic& graphic, bool onlyOneSelected);

    // The fill code the radios choose while the fill is on.
    static QString fillCodeForRadios(const ShapePanelState& state);

    // Which fill controls are enabled: the fill colour for the solid radio,
    // both gradient colours and the angle for the gradient radio, the
    // pattern list and its background for the hatch radio.
    struct FillControls {
        bool solidColour = false;
        bool gradient = false;
        bool hatch = false;
        bool operator==(const FillControls&) const = default;
    };
    static FillControls fillControls(const ShapePanelState& state);

    // Which figure controls a shape shows: the corner radius for "RR", the
    // double star for "DS", the polygon for "P"; none for a locked shape.
    struct FigureControls {
        bool cornerRadius = false;
        bool doubleStar = false;
        bool polygon = false;
        bool operator==(const FigureControls&) const = default;
    };
    static FigureControls figureControls(const QString& shapeCode, bool locked);

    // The panel's title for a shape code ("Rectangle Properties", ...);
    // empty for an unknown code.
    static QString titleForShapeCode(const QString& shapeCode);

    // The hatch pattern names: the names, without extension, of the files in
    // the folder "Fill_Style_Image" of `resourceFolder`, sorted; hidden
    // files are no patterns.
    static QStringList hatchPatternNames(const QString& resourceFolder);
};
