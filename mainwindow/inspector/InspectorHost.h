#pragma once

// What every object panel of the inspector asks of the main window: its
// window, document and the canvas of the side being edited, the objects an
// update writes into and the end of that update, and the print check box.
// The main window controller implements it; the panels with actions of
// their own extend it (TextPanelHost, PicturePanelHost, ...).

#include "model/SKTGraphic.h"

class DrawWindow;
class SKTDocument;
class SKTGraphicView;

class InspectorHost
{
public:
    // The main window; null while it goes.
    virtual DrawWindow* window() const = 0;
    virtual SKTDocument* document() const = 0;
    // The canvas of the side being edited.
    virtual SKTGraphicView* commandCanvas() const = 0;
    // The objects an update operation writes into: the selected objects of
    // the side being edited; none while the panels are being filled.
    virtual GraphicList graphicsToUpdate() const = 0;
    // Hands each written object to its canvas and draws the side again.
    virtual void finishUpdate(const GraphicList& written) = 0;
    // The print check box under the inspector: 1 to leave the objects out of
    // pictures and prints, else 0.
    virtual int printObjectState() const = 0;

protected:
    ~InspectorHost() = default;
};
