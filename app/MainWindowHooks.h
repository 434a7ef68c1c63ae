#pragma once

// What the card model, canvas, renderer and helpers ask of the main window
// controller through `Main_App_wnd`. The controller implements it; tests
// install a small stand-in. Every call has a harmless default so a stand-in
// overrides only what it needs.

#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;

class MainWindowHooks
{
public:
    virtual ~MainWindowHooks() = default;

    // Position of the next new object on a side ("F" front, anything else back).
    virtual QPointF Control_New_Point(const QString& side) { (void)side; return {10, 10}; }
    // Bounds of the front canvas (the card rectangle of the front side).
    virtual QRectF frontCanvasBounds() const { return {}; }
    // Draws the card base of the current side into `painter` for `rect`.
    virtual void Card_Base_Drawing(QPainter& painter, const QRectF& rect) { (void)painter; (void)rect; }
    // Draws the card base of side 0 (front) or 1 (back) into `painter` for
    // `rect`, whatever side is current: the card base of rendered sides.
    virtual void cardBaseDrawingForSide(QPainter& painter, const QRectF& rect, int side)
    {
        (void)painter;
        (void)rect;
        (void)side;
    }
    virtual void Refresh_Canvas() {}
    virtual void Show_RHS_Properties(SKTGraphic* graphic) { (void)graphic; }
    virtual void Undo_Redo_Button_state() {}
    virtual void Set_Paste_Button_Status() {}
    virtual void Reset_Image_Editing_Controls() {}
    virtual void Open_Barcode_Window() {}
    // Enables or disables the main window's align-with-grid button.
    virtual void setAlignWithGridButtonEnabled(bool enabled) { (void)enabled; }
    // The class name of the current creation tool ("SKTLine", "Shape_Control",
    // ...); empty for the arrow tool and for tools that make nothing.
    virtual QString currentGraphicClass() const { return {}; }
    // Enables the same-width, same-height and natural-size buttons (they need
    // two or more selected objects).
    virtual void setSameSizeButtonsEnabled(bool enabled) { (void)enabled; }

    // Fields of the controller that the canvas and the fills read and write
    // directly. (The placeholder and sample pictures of new picture,
    // barcode, signature and fingerprint objects come from the resource
    // folder through ResourcePictures.)
    int Selected_Control_Tool = 0;   // current tool number, 0 the arrow tool
};
