#pragma once

// The frame every object panel's update operation runs in: the selected
// objects of the side being edited (none while the panels are filled) each
// get the panel's values, with undo registration off, since these writes are
// not undone; then each is handed to its canvas and the side is drawn again.

#include <functional>

class SKTGraphic;
class SKTWindowController;

class PanelUpdateFrame
{
public:
    // `write(object, onlyOneSelected)` for each object to update; nothing
    // when there is none.
    static void run(SKTWindowController& controller, const std::function<void(SKTGraphic&, bool)>& write);
};
