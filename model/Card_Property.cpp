#include "model/Card_Property.h"

#include "model/Globals.h"
#include "model/SKTGraphic.h"

namespace {
QString untitledName()
{
    return QStringLiteral("Untitled");
}
}

Card_Property::Card_Property()
    : m_Card_border_chk(false),
      m_Card_bor_Stepper(1),
      m_Card_fill_chk(false),
      m_Card_grad_Stepper(0),
      m_Card_alpha_Stepper(1.0f),
      m_Card_Cat_index(0),
      m_Card_BG_Image(Picture()),
      m_Card_BG_Image_Path(QString()),
      m_Card_BG_Image_Layout(QStringLiteral("Stretch")),
      m_Card_bordr_clr(Colour::black()),
      m_Card_border_style(QString(DashCode::Solid)),
      m_Card_fill_style(QString(FillCode::Solid)),
      m_Card_fill_clr(Colour::white()),
      m_Card_fill_Grd_1_clr(Colour::white()),
      m_Card_fill_Grd_2_clr(Colour::white()),
      m_Card_hatch_style(QString()),
      m_Card_hatch_bk_clr(Colour::white()),
      m_Card_Side(QStringLiteral("2")),
      m_Card_Side_Name(QStringLiteral("F")),
      m_Card_Shape(QStringLiteral("R")),
      m_Card_Name(untitledName()),
      m_Card_Location(QPointF(0, 0)),
      m_Card_Size(QSizeF(0, 0)),
      m_Card_Preset(QStringLiteral("Horizontal")),
      m_Card_Category(QStringLiteral("PVC Card")),
      m_Card_Sub_Category(QStringLiteral("CR80-Credit Card Size")),
      m_Card_Create_Mode(QStringLiteral("W")),
      m_Card_Content_clr(Colour::black()),
      m_Card_Content_font(FontSpec(Text_Ctrl_Font, 14))
{
}

double Card_Property::cardOpacity() const
{
    return SKTGraphic::opacityFraction(m_Card_alpha_Stepper);
}

void Card_Property::setCard_Name(const QString& value)
{
    m_Card_Name = value.isEmpty() ? untitledName() : value;
}
