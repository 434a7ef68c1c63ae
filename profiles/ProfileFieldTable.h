#pragma once

// The eleven fields of a holder profile, in their fixed order, with what
// each field needs to be placed on a card side: its stem, control and label
// identifiers, caption, kind, the default frames of a new object for
// landscape and portrait cards, and the members of User_Profile_Class that
// hold its value and source. Code loops over this table instead of naming
// the record's 99 members.
//
// The default frames are those of placeholders in a box of height
// `boxHeight` whose origin is at its bottom left (y grows upwards). A new
// profile object gets the rectangle (x, boxHeight - y, w, h) on the card,
// whose y grows downwards; the frames are chosen so that this rectangle is
// where the field looks right on a card of about ID-1 size (243 x 153 points
// landscape, 153 x 243 portrait), each text frame one line of the default
// text font high.

#include "profiles/User_Profile_Class.h"

#include <QRectF>
#include <QString>
#include <span>

class ProfileFieldTable
{
public:
    struct Field {
        const char* stem;        // "Name", "Title", ... "image": the record's member stem
        const char* controlId;   // "Fup_Name" ... "Fup_Photo"
        const char* labelId;     // "Fup_lbl_Name" ... "Fup_lbl_Photo"
        const QString* caption;  // &Title_Name ... &Title_image
        bool isPhoto;            // the photo (a picture object); the others are text objects
        QRectF landscapeFrame;   // placeholder frame for cards at least as wide as high
        QRectF portraitFrame;    // placeholder frame for cards higher than wide

        // The field's members in a record.
        QString User_Profile_Class::*value;      // the text, or the photo's file path
        bool User_Profile_Class::*ds;            // the value comes from a data series
        int User_Profile_Class::*ds_indx;        // position of that series
        bool User_Profile_Class::*xl;            // the value comes from a spreadsheet column
        int User_Profile_Class::*xl_col_indx;    // position of that column
        QString User_Profile_Class::*ds_name;    // name of that series
        QString User_Profile_Class::*id;         // the control identifier
        QString User_Profile_Class::*label_id;   // the label identifier

        QString& valueIn(User_Profile_Class& p) const { return p.*value; }
        const QString& valueIn(const User_Profile_Class& p) const { return p.*value; }
        bool& dsIn(User_Profile_Class& p) const { return p.*ds; }
        bool dsIn(const User_Profile_Class& p) const { return p.*ds; }
        int& dsIndexIn(User_Profile_Class& p) const { return p.*ds_indx; }
        int dsIndexIn(const User_Profile_Class& p) const { return p.*ds_indx; }
        bool& xlIn(User_Profile_Class& p) const { return p.*xl; }
        bool xlIn(const User_Profile_Class& p) const { return p.*xl; }
        int& xlColumnIn(User_Profile_Class& p) const { return p.*xl_col_indx; }
        int xlColumnIn(const User_Profile_Class& p) const { return p.*xl_col_indx; }
        QString& dsNameIn(User_Profile_Class& p) const { return p.*ds_name; }
        const QString& dsNameIn(const User_Profile_Class& p) const { return p.*ds_name; }
        QString& idIn(User_Profile_Class& p) const { return p.*id; }
        const QString& idIn(const User_Profile_Class& p) const { return p.*id; }
        QString& labelIdIn(User_Profile_Class& p) const { return p.*label_id; }
        const QString& labelIdIn(const User_Profile_Class& p) const { return p.*label_id; }

        // The class of the card object that shows the field.
        QString className() const;
    };

    // Height of the box the placeholder frames lie in; the same for both
    // orientations.
    static constexpr double boxHeight = 260.0;

    // The eleven fields in their fixed order (Name ... unique, then image).
    static std::span<const Field> fields();
    // The field whose control identifier is `controlId` (compared exactly);
    // null for any other text.
    static const Field* fieldWithControlId(const QString& controlId);
};
