#include "mainwindow/CardSettings.h"

#include "app/StringHelpers.h"

#include <array>

namespace {

const std::array<QLatin1String, 5> kDashCodes {DashCode::Solid, DashCode::Dash, DashCode::Dot, DashCode::DashDot,
                                               DashCode::DashDotDot};

}

CardSettings::FillControls CardSettings::fillControlsForCode(const QString& fillCode)
{
    FillControls controls;
    if (fillCode == FillCode::Gradient)
        controls.gradient = true;
    else if (fillCode == FillCode::Hatch)
        controls.hatch = true;
    else if (fillCode == FillCode::Picture)
        controls.picture = true;
    else
        controls.solidColour = true;
    return controls;
}

QString CardSettings::shapeCode(int cardShape)
{
    switch (cardShape) {
    case 0: return QStringLiteral("R");
    case 1: return QStringLiteral("RR");
    default: return QStringLiteral("E");
    }
}

int CardSettings::cardShapeForCode(const QString& code)
{
    if (code == QLatin1String("RR"))
        return 1;
    if (code == QLatin1String("E"))
        return 2;
    return 0;
}

QString CardSettings::sidesForRecord(const Card_Property& record)
{
    return record.Card_Side() == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("2");
}

std::optional<QString> CardSettings::dashCodeForIndex(int index)
{
    if (index < 0 || index >= int(kDashCodes.size()))
        return std::nullopt;
    return QString(kDashCodes[std::size_t(index)]);
}

std::optional<int> CardSettings::indexForDashCode(const QString& code)
{
    for (std::size_t i = 0; i < kDashCodes.size(); ++i) {
        if (code == kDashCodes[i])
            return int(i);
    }
    return std::nullopt;
}

QString CardSettings::fillCodeForPanel(const CardPanelState& panel, int side)
{
    QString code = FillCode::Solid;
    if (side != 1) {
        // Front: the last radio that is on, whether the fill is on or not.
        if (panel.gradientRadio)
            code = FillCode::Gradient;
        if (panel.hatchRadio)
            code = FillCode::Hatch;
        if (panel.pictureRadio)
            code = FillCode::Picture;
    } else if (panel.fillOn) {
        if (panel.gradientRadio)
            code = FillCode::Gradient;
        else if (panel.hatchRadio)
            code = FillCode::Hatch;
        else if (panel.pictureRadio)
            code = FillCode::Picture;
    }
    return code;
}

Card_Property CardSettings::recordFromPanel(const Card_Property& record, const CardPanelState& panel, int side,
                                            int cardShape, const QRectF& frontCanvasBounds)
{
    Card_Property r = record;

    r.setCard_border_chk(panel.borderOn);
    if (panel.borderOn) {
        r.setCard_bordr_clr(panel.borderColour);
        r.setCard_bor_Stepper(panel.borderWidth);
    }
    if (const std::optional<QString> dash = dashCodeForIndex(panel.borderStyleIndex))
        r.setCard_border_style(*dash);

    const float a = static_cast<float>(panel.alphaPercent) / 100.0f;

    r.setCard_fill_chk(panel.fillOn);
    if (panel.fillOn)
        r.setCard_fill_clr(panel.fillColour.withAlpha(a));
    r.setCard_fill_style(fillCodeForPanel(panel, side));

    r.setCard_fill_Grd_1_clr(panel.gradientColour1.withAlpha(a));
    r.setCard_fill_Grd_2_clr(panel.gradientColour2.withAlpha(a));
    r.setCard_grad_Stepper(static_cast<int>(static_cast<float>(panel.gradientAngle)));
    r.setCard_hatch_bk_clr(panel.hatchBackground.withAlpha(a));
    r.setCard_hatch_style(panel.hatchStyle);
    r.setCard_BG_Image_Path(panel.imagePath);
    r.setCard_BG_Image_Layout(panel.imageLayout);
    r.setCard_alpha_Stepper(a);

    r.setCard_Content_clr(panel.contentColour);
    r.setCard_Content_font(panel.contentFont);

    r.setCard_Side(QString::number(panel.sidesIndex == 0 ? 2 : 1));
    r.setCard_Side_Name(side == 1 ? QStringLiteral("B") : QStringLiteral("F"));
    r.setCard_Shape(shapeCode(cardShape));
    r.setCard_Name(Trim_Str(panel.cardName));
    r.setCard_Location(frontCanvasBounds.topLeft());
    r.setCard_Size(frontCanvasBounds.size());
    r.setCard_Preset(panel.preset);
    r.setCard_Category(panel.category);
    r.setCard_Sub_Category(panel.presetRow >= 0 ? panel.presetRowText : QString(""));
    r.setCard_Cat_index(panel.presetRow >= 0 ? panel.presetRow : -1);
    r.setCard_Create_Mode(QStringLiteral("W"));
    return r;
}

Card_Property CardSettings::newDesignRecord(const Colour& contentColour, const FontSpec& contentFont)
{
    Card_Property r;
    r.setCard_border_chk(true);
    r.setCard_bordr_clr(Colour::black());
    r.setCard_bor_Stepper(1);
    r.setCard_border_style(DashCode::Solid);
    r.setCard_fill_chk(false);
    r.setCard_fill_style(FillCode::Solid);
    r.setCard_fill_clr(Colour::white());
    r.setCard_fill_Grd_1_clr(Colour::white());
    r.setCard_fill_Grd_2_clr(Colour::white());
    r.setCard_hatch_bk_clr(Colour::white());
    r.setCard_grad_Stepper(0);
    r.setCard_hatch_style(QString(""));
    r.setCard_alpha_Stepper(1.0f);
    r.setCard_Side(QStringLiteral("2"));
    r.setCard_Side_Name(QStringLiteral("F"));
    r.setCard_Shape(QStringLiteral("R"));
    r.setCard_Name(QStringLiteral("Untitled"));
    r.setCard_Location(QPointF(0, 0));
    r.setCard_Size(QSizeF(0, 0));
    r.setCard_Preset(QStringLiteral("Horizontal"));
    r.setCard_Category(QStringLiteral("PVC Card"));
    r.setCard_Sub_Category(QStringLiteral("CR80-Credit Card Size"));
    r.setCard_Cat_index(0);
    r.setCard_Create_Mode(QStringLiteral("W"));
    r.setCard_Content_clr(contentColour);
    r.setCard_Content_font(contentFont);
    r.setCard_BG_Image(Picture());
    r.setCard_BG_Image_Path(QString(""));
    r.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
    return r;
}

void CardSettings::setFillRadios(CardPanelState& panel, const QString& fillCode)
{
    panel.gradientRadio = fillCode == FillCode::Gradient;
    panel.hatchRadio = fillCode == FillCode::Hatch;
    panel.pictureRadio = fillCode == FillCode::Picture;
    panel.solidRadio = !panel.gradientRadio && !panel.hatchRadio && !panel.pictureRadio;
}

CardPanelState CardSettings::panelFromRecord(const Card_Property& record, const CardPanelState& current)
{
    CardPanelState p = current;
    p.borderOn = record.Card_border_chk();
    p.borderColour = record.Card_bordr_clr();
    p.borderWidth = record.Card_bor_Stepper();
    if (const std::optional<int> index = indexForDashCode(record.Card_border_style()))
        p.borderStyleIndex = *index;

    p.fillOn = record.Card_fill_chk();
    p.fillColour = record.Card_fill_clr();
    p.gradientColour1 = record.Card_fill_Grd_1_clr();
    p.gradientColour2 = record.Card_fill_Grd_2_clr();
    p.hatchBackground = record.Card_hatch_bk_clr();
    p.gradientAngle = record.Card_grad_Stepper();
    if (record.Card_fill_style() == FillCode::Hatch)
        p.hatchStyle = record.Card_hatch_style();
    p.alphaPercent = double(record.Card_alpha_Stepper()) * 100.0;
    p.imagePath = record.Card_BG_Image_Path();
    p.imageLayout = record.Card_BG_Image_Layout();
    p.contentColour = record.Card_Content_clr();
    p.contentFont = record.Card_Content_font();
    p.cardName = record.Card_Name();
    p.preset = record.Card_Preset();
    p.category = record.Card_Category();
    p.presetRow = record.Card_Cat_index();
    setFillRadios(p, record.Card_fill_style());
    return p;
}

void CardSettings::applyContent(const GraphicList& graphics, bool colourChanged, const Colour& colour,
                                bool fontChanged, const FontSpec& font)
{
    for (const GraphicPtr& graphic : graphics) {
        if (!graphic || graphic->kind() != SKTGraphic::Kind::Text)
            continue;
        if (colourChanged)
            graphic->txt_clr = colour;
        if (fontChanged)
            graphic->text_ctrl_font = font;
    }
}

QString CardSettings::fontDescription(const FontSpec& font)
{
    return QStringLiteral("%1 ( %2 )").arg(font.displayName()).arg(font.pointSize(), 0, 'f', 2);
}
