#pragma once

// The rules of the line panel, without a window: how the panel is filled from
// a line, how its values are written into the selected objects, and the items
// of its cap and orientation lists.

#include "mainwindow/inspector/LinePanelState.h"

#include <QStringList>

class SKTGraphic;
class SKTLine;

class LinePanelRules
{
public:
    // The cap list, in the order of the cap codes: 0 butt, 1 round, 2 square.
    static QStringList capItems();
    // The orientation list; a line stores the index of its item and draws
    // the same whatever it is.
    static QStringList orientationItems();

    // The panel showing `line`: its stroke colour and width (rounded), the
    // dash list item of its dash code (-1 for an unknown code, which leaves
    // the list as it is), its cap and orientation items (-1 for a code with
    // no item) and its stroke opacity as a rounded percentage.
    static LinePanelState fromGraphic(const SKTLine& line);

    // Writes every value of the panel into `graphic` (whatever its kind):
    // the stroke on, with the panel's colour and width (through the setters,
    // so its observers hear of them), the dash code of the chosen item (none
    // keeps the object's), the cap and orientation indexes (0 when no item is
    // chosen), the stroke opacity = percentage / 100. `onlyOneSelected`
    // changes nothing for lines.
    static void applyTo(const LinePanelState& state, SKTGraphic& graphic, bool onlyOneSelected);
};
