#pragma once

// The properties of one card side: border, fill (solid, gradient, hatch or
// picture), opacity, shape, size and place on the canvas, name, the size
// preset it was made from, and the default colour and font of its text. Plain
// data with accessors; it draws nothing.

#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/Picture.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

class Card_Property
{
public:
    // Sets every property to its default (the record's `init`).
    Card_Property();

    // A new record with every property taken over.
    Card_Property copy() const { return *this; }

    // `Card_alpha_Stepper` as it applies to a colour: above 1 acts as 1,
    // below 0 as 0.
    double cardOpacity() const;
    // the border is drawn
    bool Card_border_chk() const { return m_Card_border_chk; }
    void setCard_border_chk(bool value) { m_Card_border_chk = value; }
    // border width in points
    int Card_bor_Stepper() const { return m_Card_bor_Stepper; }
    void setCard_bor_Stepper(int value) { m_Card_bor_Stepper = value; }
    // the fill is drawn
    bool Card_fill_chk() const { return m_Card_fill_chk; }
    void setCard_fill_chk(bool value) { m_Card_fill_chk = value; }
    // gradient angle in degrees
    int Card_grad_Stepper() const { return m_Card_grad_Stepper; }
    void setCard_grad_Stepper(int value) { m_Card_grad_Stepper = value; }
    // opacity of the fill and background picture, a fraction from 0 to 1
    float Card_alpha_Stepper() const { return m_Card_alpha_Stepper; }
    void setCard_alpha_Stepper(float value) { m_Card_alpha_Stepper = value; }
    // row of the chosen size category
    int Card_Cat_index() const { return m_Card_Cat_index; }
    void setCard_Cat_index(int value) { m_Card_Cat_index = value; }
    // background picture of fill code "I"
    Picture Card_BG_Image() const { return m_Card_BG_Image; }
    void setCard_BG_Image(const Picture& value) { m_Card_BG_Image = value; }
    // path of the background picture file
    QString Card_BG_Image_Path() const { return m_Card_BG_Image_Path; }
    void setCard_BG_Image_Path(const QString& value) { m_Card_BG_Image_Path = value; }
    // "Stretch" or "Tile"
    QString Card_BG_Image_Layout() const { return m_Card_BG_Image_Layout; }
    void setCard_BG_Image_Layout(const QString& value) { m_Card_BG_Image_Layout = value; }
    // border colour
    Colour Card_bordr_clr() const { return m_Card_bordr_clr; }
    void setCard_bordr_clr(const Colour& value) { m_Card_bordr_clr = value; }
    // dash code of the border
    QString Card_border_style() const { return m_Card_border_style; }
    void setCard_border_style(const QString& value) { m_Card_border_style = value; }
    // fill code: "S", "G", "H" or "I"
    QString Card_fill_style() const { return m_Card_fill_style; }
    void setCard_fill_style(const QString& value) { m_Card_fill_style = value; }
    // fill colour
    Colour Card_fill_clr() const { return m_Card_fill_clr; }
    void setCard_fill_clr(const Colour& value) { m_Card_fill_clr = value; }
    // gradient start colour
    Colour Card_fill_Grd_1_clr() const { return m_Card_fill_Grd_1_clr; }
    void setCard_fill_Grd_1_clr(const Colour& value) { m_Card_fill_Grd_1_clr = value; }
    // gradient end colour
    Colour Card_fill_Grd_2_clr() const { return m_Card_fill_Grd_2_clr; }
    void setCard_fill_Grd_2_clr(const Colour& value) { m_Card_fill_Grd_2_clr = value; }
    // hatch pattern name
    QString Card_hatch_style() const { return m_Card_hatch_style; }
    void setCard_hatch_style(const QString& value) { m_Card_hatch_style = value; }
    // colour under the hatch pattern
    Colour Card_hatch_bk_clr() const { return m_Card_hatch_bk_clr; }
    void setCard_hatch_bk_clr(const Colour& value) { m_Card_hatch_bk_clr = value; }
    // "2" two-sided, "1" one-sided
    QString Card_Side() const { return m_Card_Side; }
    void setCard_Side(const QString& value) { m_Card_Side = value; }
    // "F" front, "B" back
    QString Card_Side_Name() const { return m_Card_Side_Name; }
    void setCard_Side_Name(const QString& value) { m_Card_Side_Name = value; }
    // "R" rectangle, "RR" rounded rectangle, "E" oval
    QString Card_Shape() const { return m_Card_Shape; }
    void setCard_Shape(const QString& value) { m_Card_Shape = value; }
    // the card's name; an empty name is stored as "Untitled"
    QString Card_Name() const { return m_Card_Name; }
    void setCard_Name(const QString& value);
    // origin of the side's canvas bounds
    QPointF Card_Location() const { return m_Card_Location; }
    void setCard_Location(const QPointF& value) { m_Card_Location = value; }
    // size of the side's canvas bounds in points
    QSizeF Card_Size() const { return m_Card_Size; }
    void setCard_Size(const QSizeF& value) { m_Card_Size = value; }
    // chosen size preset (orientation)
    QString Card_Preset() const { return m_Card_Preset; }
    void setCard_Preset(const QString& value) { m_Card_Preset = value; }
    // chosen size category
    QString Card_Category() const { return m_Card_Category; }
    void setCard_Category(const QString& value) { m_Card_Category = value; }
    // chosen size within the category
    QString Card_Sub_Category() const { return m_Card_Sub_Category; }
    void setCard_Sub_Category(const QString& value) { m_Card_Sub_Category = value; }
    // how the card was made: "T", "W" or "L"
    QString Card_Create_Mode() const { return m_Card_Create_Mode; }
    void setCard_Create_Mode(const QString& value) { m_Card_Create_Mode = value; }
    // default text colour of the side
    Colour Card_Content_clr() const { return m_Card_Content_clr; }
    void setCard_Content_clr(const Colour& value) { m_Card_Content_clr = value; }
    // default text font of the side
    FontSpec Card_Content_font() const { return m_Card_Content_font; }
    void setCard_Content_font(const FontSpec& value) { m_Card_Content_font = value; }

private:
    bool m_Card_border_chk;
    int m_Card_bor_Stepper;
    bool m_Card_fill_chk;
    int m_Card_grad_Stepper;
    float m_Card_alpha_Stepper;
    int m_Card_Cat_index;
    Picture m_Card_BG_Image;
    QString m_Card_BG_Image_Path;
    QString m_Card_BG_Image_Layout;
    Colour m_Card_bordr_clr;
    QString m_Card_border_style;
    QString m_Card_fill_style;
    Colour m_Card_fill_clr;
    Colour m_Card_fill_Grd_1_clr;
    Colour m_Card_fill_Grd_2_clr;
    QString m_Card_hatch_style;
    Colour m_Card_hatch_bk_clr;
    QString m_Card_Side;
    QString m_Card_Side_Name;
    QString m_Card_Shape;
    QString m_Card_Name;
    QPointF m_Card_Location;
    QSizeF m_Card_Size;
    QString m_Card_Preset;
    QString m_Card_Category;
    QString m_Card_Sub_Category;
    QString m_Card_Create_Mode;
    Colour m_Card_Content_clr;
    FontSpec m_Card_Content_font;
};
