#pragma once

// What the canvas, its grid and the card renderer ask of the window that
// shows them: where new objects go, the card base, the current tool, and the
// buttons and panels that follow the canvas. The main window controller
// implements it and hands itself to its canvases, its grid and the
// renderers it asks for pictures; a canvas without a host (a test, a
// benchmark) asks nothing. Every call has a harmless default, so a stand-in
// overrides only what it needs.

#include "model/SKTGraphic.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

class CanvasHost
{
public:
    virtual ~CanvasHost() = default;

    // Position of the next new object on a side ("F" front, anything else back).
    virtual QPointF Control_New_Point(const QString& side)
    {
        (void)side;
        return {10, 10};
    }
    // Bounds of the front canvas (the card rectangle of the front side).
    virtual QRectF frontCanvasBounds() const { return {}; }
    // Draws the card base of the current side into `painter` for `rect`.
    virtual void Card_Base_Drawing(QPainter& painter, const QRectF& rect)
    {
        (void)painter;
        (void)rect;
    }
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
    // A picture, signature or fingerprint object was just made: the picture
    // controls go back to their starting values.
    virtual void Reset_Image_Editing_Controls() {}
    virtual void Open_Barcode_Window() {}
    // Enables or disables the window's align-with-grid button.
    virtual void setAlignWithGridButtonEnabled(bool enabled) { (void)enabled; }
    // The current tool number (`Selected_Control_Tool`), 0 the arrow tool.
    virtual int selectedControlTool() const { return 0; }
    // The class name of the current creation tool ("SKTLine", "Shape_Control",
    // ...); empty for the arrow tool and for tools that make nothing.
    virtual QString currentGraphicClass() const { return {}; }
    // Enables the same-width, same-height and natural-size buttons (they need
    // two or more selected objects).
    virtual void setSameSizeButtonsEnabled(bool enabled) { (void)enabled; }
    // The titles of the design's spreadsheet table, the row-number column
    // first: a copy of an object bound to a column carries its title.
    virtual const QStringList& spreadsheetColumnTitles() const
    {
        static const QStringList none;
        return none;
    }
    // Objects a paste just put on the current side: the window binds those
    // that carry a column's title to its own table.
    virtual void graphicsPasted(const GraphicList& graphics) { (void)graphics; }

protected:
    CanvasHost() = default;
    CanvasHost(const CanvasHost&) = default;
    CanvasHost& operator=(const CanvasHost&) = default;
};
