#pragma once

// Puts one holder profile on one card side: a text object for each of the
// ten text fields and a picture object for the photo, each found again by
// its profile control identifier so that a later placement updates it
// instead of adding a second one.
//
// The placement first hides every profile object of the side; then, field
// by field in table order, a field bound to a series or a column, or a
// typed field with a value (any text of length > 0, one space included),
// refills its object, or creates it at the field's default rectangle, shows
// it, and gives it the field's source. A bound field's object shows its
// first record's value even when that is empty or a photo that does not
// load (then it shows nothing), so that batch output fills it record by
// record; an empty typed field leaves its object hidden. The source: a data
// series (source 1, series name and position, spreadsheet binding off), a
// spreadsheet column (source 2, binding on, column position; applied after
// the series, so it wins when both are set), or, for a typed field, source
// 0 with spreadsheet binding off, so that a field once bound can be typed
// again. A found object keeps its bounds, font and colour. New objects go in
// at index 0. An exception ends the placement there; what was placed
// before stays. The main window's tool number and the picture hand-off
// (`Library_Selected_Image`), which creation reads, are as they were
// afterwards.

#include <QRectF>
#include <QSizeF>
#include <QString>

class CanvasController;
class ProfilePlacementHost;
class User_Profile_Class;

class ProfilePlacement
{
public:
    // `host` is the window whose tool number the canvas creates by (the
    // host of `canvas`); `frontCardSize` is the size of the front side's
    // card, which chooses the default rectangles on every side.
    ProfilePlacement(CanvasController& canvas, ProfilePlacementHost& host, const User_Profile_Class& profile,
                     const QSizeF& frontCardSize);

    void place();

    // The rectangle of a new object for the profile control identifier
    // `controlId` on a card of `frontCardSize` (written to the log as
    // "{w, h}"): the field's landscape frame when the width is at least the
    // height, else its portrait frame, moved to (x, boxHeight - y) with its
    // size kept. An identifier outside the table gives (0, boxHeight) and
    // size zero.
    static QRectF defaultRect(const QString& controlId, const QSizeF& frontCardSize);

private:
    CanvasController& m_canvas;
    ProfilePlacementHost& m_host;
    const User_Profile_Class& m_profile;
    QSizeF m_frontCardSize;
};
