#pragma once

class SKTGraphic;

// The pages of the property inspector for one kind of card object. A panel
// builds its controls into its pages of the main window's tab view, fills
// them from an object when the inspector shows it, and writes them into the
// selected objects of the side being edited when one of them changes (its
// Update_..._Graphics operation). The main window controller owns the
// panels and decides which pages the inspector shows.
class InspectorPanel
{
public:
    virtual ~InspectorPanel() = default;

    // Whether this panel shows `graphic` (by its exact kind).
    virtual bool showsKind(const SKTGraphic& graphic) const = 0;
    // Fills the controls from `graphic`. The caller keeps the quiet-update
    // flag set meanwhile, so the controls' actions write nothing back.
    virtual void load(const SKTGraphic& graphic) = 0;
};
