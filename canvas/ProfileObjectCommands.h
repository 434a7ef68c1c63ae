#pragma once

#include "canvas/CanvasMouseEvent.h"
#include "model/SKTGraphic.h"

#include <QRectF>
#include <QString>
#include <QStringList>

class CanvasController;

// The canvas operations the profile fill uses to find, hide and refill the
// objects that show a holder's profile on one side. A profile object is a
// text or picture object (exactly SKTText or SKTImage: signatures and
// barcodes never count) whose control_ID names the profile field it shows.
//
// Refilling changes an object's text, picture and visibility without an undo
// step of its own: those values follow the profile, not the user's editing.
class ProfileObjectCommands
{
public:
    explicit ProfileObjectCommands(CanvasController& canvas) : m_canvas(canvas) {}

    // The control_IDs of the eleven profile fields, in the order the fields
    // are tested: "Fup_Name" ... "Fup_UniqueNo" (texts) and "Fup_Photo".
    static const QStringList& profileControlIDs();
    // Whether the object's class is exactly SKTText or SKTImage.
    static bool isTextOrPictureObject(const SKTGraphic& graphic);

    // The first text or picture object, from index 0 on, whose control_ID
    // is `identifier`; null when there is none. An empty identifier names no
    // object (the user's own objects have none).
    GraphicPtr Selcect_Ctrl_With_ID(const QString& identifier) const;

    // Refills the object with the identifier `ctrl_ID` and makes it the
    // canvas's current object. With the class "SKTText" and a value, the
    // object shows `ctrl_value` as its text, without frame or background,
    // and is shown; an empty value changes nothing. With "SKTImage" the
    // object shows the picture file at the path `ctrl_value` and is shown; a
    // path that names no readable picture is written to the log and the
    // object keeps its picture. The object's place and size never change.
    // When no object has the identifier, the canvas creates one with these
    // arguments (and no event): at `bound_rect` when `use_rect`, else as a
    // 50 x 50 square at the next placement point of `card_side`.
    void ReplaceGraphicText(const QString& className, const CanvasMouseEvent* withEvent, bool use_rect,
                            const QRectF& bound_rect, const QString& card_side, const QString& ctrl_value,
                            const QString& ctrl_ID);

    // The same for a field whose value comes from a data series or a
    // spreadsheet column, where `ctrl_value` is only the first record's
    // value: the object is always shown (created when missing) and shows
    // exactly that value, so that each record of a batch gives it its own.
    // An empty text shows nothing; a picture path that is empty or names no
    // readable picture leaves the object without a picture, not with the
    // one it had.
    void ReplaceBoundGraphic(const QString& className, bool use_rect, const QRectF& bound_rect,
                             const QString& card_side, const QString& ctrl_value, const QString& ctrl_ID);

    // Hides every profile object of the side, the topmost included.
    void Hide_all_Text_control_FUP_Control();

    // Removes every text and picture object of the side (exact classes), the
    // topmost included, as one change.
    void delete_all_Text_control();

private:
    void refillText(const GraphicPtr& graphic, const QString& text);
    void refillPicture(const GraphicPtr& graphic, const QString& path);
    void showBoundValue(const GraphicPtr& graphic, const QString& value);

    CanvasController& m_canvas;
};
