#pragma once

// Which object the inspector shows once the selection of the side being
// edited has changed, without a window. The object panels write their whole
// state into every selected object, so they must show what the selection
// holds before anything is written: an object no longer selected is never
// shown, and values filled for another selection are filled again.

#include "model/SKTGraphic.h"

#include <QList>

class InspectorSelection
{
public:
    enum class Step {
        Keep,       // the panels show the selection as it is
        Reload,     // the same object, its values filled again
        ShowObject, // the panels of `object`
        ShowCard,   // the card panels: nothing is selected
    };
    struct Answer
    {
        Step step = Step::Keep;
        GraphicPtr object;
        bool operator==(const Answer&) const = default;
    };

    // `shown`: the object whose panels are shown, null for the card panels
    // (which write into no object and stay); `filledFor`: the objects that
    // were selected when the panels were filled; `selected`: the selected
    // objects now, in list order; `current`: the canvas's current object.
    // Another object is shown when `shown` left the selection: the current
    // object when it is selected, else the topmost selected one.
    static Answer afterSelectionChange(const SKTGraphic* shown, const QList<const SKTGraphic*>& filledFor,
                                       const GraphicList& selected, const GraphicPtr& current);

    // Whether `selected` holds exactly the objects of `filledFor`, whatever
    // their order.
    static bool sameObjects(const QList<const SKTGraphic*>& filledFor, const GraphicList& selected);
};
