#pragma once

// What the barcode designer asks of the main window: the canvas of the side
// being edited, which takes the edited barcode object, and a redraw of it.

class SKTGraphicView;

class BarcodeDesignerHost
{
public:
    virtual SKTGraphicView* commandCanvas() const = 0;
    virtual void Refresh_Canvas() = 0;

protected:
    ~BarcodeDesignerHost() = default;
};
