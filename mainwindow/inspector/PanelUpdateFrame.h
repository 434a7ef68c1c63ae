#pragma once

// The frame every object panel's update operation runs in: the selected
// objects of the side being edited (none while the panels are filled) each
// get the panel's values, with undo registration off, since these writes are
// not undone; then each is handed to its canvas and the side is drawn again.

#include <functional>

class SKTGraphic;
class InspectorHost;

class PanelUpdateFrame
{
public:
    // `read()` once, to take the panel's values from its controls, then
    // `write(object, onlyOneSelected)` for each object to update. Neither
    // while the controls are being filled (the quiet-update flag), while the
    // window goes, or when no object is selected.
    static void run(InspectorHost& host, const std::function<void()>& read,
                    const std::function<void(SKTGraphic&, bool)>& write);
    // The same over the selected objects that `takes` accepts only: the
    // others are neither written nor handed to the canvas, and with none
    // accepted nothing runs.
    static void run(InspectorHost& host, const std::function<void()>& read,
                    const std::function<void(SKTGraphic&, bool)>& write,
                    const std::function<bool(const SKTGraphic&)>& takes);

    // The same for a panel whose values are a State read by `read` and
    // written by its rules' `apply` (applyTo).
    template <class State>
    static void run(InspectorHost& host, const std::function<State()>& read,
                    void (*apply)(const State&, SKTGraphic&, bool))
    {
        State state;
        run(
            host, [&] { state = read(); }, [&](SKTGraphic& graphic, bool onlyOne) { apply(state, graphic, onlyOne); });
    }
};
