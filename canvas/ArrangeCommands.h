#pragma once

#include "model/SKTGraphic.h"

#include <QRectF>
#include <functional>

class CanvasController;

// The canvas commands that arrange the objects of one side: selecting all,
// stacking, aligning, equal and natural sizes, snapping to the grid and the
// print flag. They act on the canvas's bound list and selection, change the
// list through the document and the objects through their setters (so the
// front side records undo), and each command is one undo step.
//
// The lock rule: stacking is refused, with a message, while any selected
// object is locked; alignment, sizes, snapping and the print flag pass
// locked objects by.
class ArrangeCommands
{
public:
    explicit ArrangeCommands(CanvasController& canvas) : m_canvas(canvas) {}

    // Selects every object of the list.
    void selectAll();
    // Empties the selection (Clear_Control_Selection is the inspector's name
    // for the same command).
    void deselectAll();
    void Clear_Control_Selection() { deselectAll(); }

    // Move the selected objects, keeping their order among themselves, to
    // the top of the list (index 0 on) or to its end, and select them there.
    void bringToFront();
    void sendToBack();

    // With two or more selected objects, the unlocked ones after the first
    // (the topmost) take its edge or centre; with one, an unlocked object
    // goes to the card's edge or centre. Only the one coordinate changes.
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    // Every selected unlocked object, the first included, is centred on the
    // card.
    void alignformCenter();

    // With two or more selected objects, the unlocked ones after the first
    // take its width (or height); their origins stay.
    void makeSameWidth();
    void makeSameHeight();
    // Every selected object that is unlocked and can take a natural size
    // gets it; others (lines, squares, locked objects) stay as they are.
    void makeNaturalSize();
    // Every selected unlocked object's bounds snap to the grid, when the
    // canvas has a grid; a width or height that snapping would take to
    // nothing becomes one grid spacing.
    void alignWithGrid();
    // Sets the print flag (`print_object`) of every selected unlocked object.
    void print_contol_or_not(int v);

private:
    // New bounds of an object, given its bounds and the reference rectangle.
    using Placement = std::function<QRectF(const QRectF& reference, const QRectF& bounds)>;
    void align(const Placement& place);
    void makeSame(bool width);
    void stack(bool toFront);
    void undoRedoButtonState() const;

    CanvasController& m_canvas;
};
