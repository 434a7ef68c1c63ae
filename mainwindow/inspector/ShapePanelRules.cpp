#include "mainwindow/inspector/ShapePanelRules.h"

#include "app/FileHelpers.h"
#include "mainwindow/CardSettings.h"
#include "mainwindow/inspector/PanelBorder.h"
#include "model/SKTGraphic.h"

#include <QtGlobal>

namespace {

// An opacity fraction as the percentage a stepper shows, rounded.
int percentOf(float alpha)
{
    return qRound(SKTGraphic::opacityFraction(double(alpha)) * 100.0);
}

}

ShapePanelState ShapePanelRules::fromGraphic(const SKTGraphic& g)
{
    ShapePanelState s;
    const PanelBorder border = PanelBorder::fromGraphic(g);
    s.borderOn = border.on;
    s.borderColour = border.colour;
    s.borderWidth = border.width;
    s.borderStyleIndex = border.styleIndex;

    s.fillOn = g._isDrawingFill;
    s.fillColour = g._fillColor;
    s.gradientRadio = g._fill_type == FillCode::Gradient;
    s.hatchRadio = g._fill_type == FillCode::Hatch;
    s.solidRadio = !s.gradientRadio && !s.hatchRadio;
    s.gradientColour1 = g._fill_Grad_clr1;
    s.gradientColour2 = g._fill_Grad_clr2;
    s.gradientAngle = g._fill_grad_angle;
    s.hatchBackground = g._fill_htch_clr;
    s.hatchStyle = g._fill_hatch_type;

    s.alphaPercent = percentOf(g.alpha_val);
    s.cornerRadius = double(g.cor_rad_val_val);
    s.doubleStarType = g.double_star_type;
    s.polygonType = g.polygon_type;
    s.printObject = g.print_object;
    return s;
}

void ShapePanelRules::applyTo(const ShapePanelState& s, SKTGraphic& g, bool onlyOneSelected)
{
    Q_UNUSED(onlyOneSelected);
    g.print_object = s.printObject;

    PanelBorder {s.borderOn, s.borderColour, s.borderWidth, s.borderStyleIndex}.applyTo(g);

    if (s.fillOn) {
        g.setIsDrawingFill(true);
        g.setFillColor(s.fillColour);
    } else {
        g.setIsDrawingFill(false);
    }
    g._fill_type = s.fillOn ? fillCodeForRadios(s) : QString(FillCode::Solid);
    g._fill_Grad_clr1 = s.gradientColour1;
    g._fill_Grad_clr2 = s.gradientColour2;
    g._fill_grad_angle = s.gradientAngle;
    g._fill_htch_clr = s.hatchBackground;
    g._fill_hatch_type = s.hatchStyle;

    g.alpha_val = float(s.alphaPercent / 100.0);
    g.cor_rad_val_val = float(s.cornerRadius);
    g.double_star_type = s.doubleStarType;
    g.polygon_type = s.polygonType;
}

QString ShapePanelRules::fillCodeForRadios(const ShapePanelState& s)
{
    if (s.gradientRadio)
        return FillCode::Gradient;
    if (s.hatchRadio)
        return FillCode::Hatch;
    return FillCode::Solid;
}

ShapePanelRules::FillControls ShapePanelRules::fillControls(const ShapePanelState& s)
{
    FillControls on;
    const QString code = fillCodeForRadios(s);
    on.gradient = code == FillCode::Gradient;
    on.hatch = code == FillCode::Hatch;
    on.solidColour = code == FillCode::Solid;
    return on;
}

ShapePanelRules::FigureControls ShapePanelRules::figureControls(const QString& shapeCode, bool locked)
{
    FigureControls shown;
    if (locked)
        return shown;
    shown.cornerRadius = shapeCode == ShapeCode::RoundedRectangle;
    shown.doubleStar = shapeCode == ShapeCode::DoubleStar;
    shown.polygon = shapeCode == ShapeCode::Polygon;
    return shown;
}

QString ShapePanelRules::titleForShapeCode(const QString& shapeCode)
{
    static const struct {
        QLatin1String code;
        const char* title;
    } titles[] = {
        {ShapeCode::Rectangle, "Rectangle Properties"},
        {ShapeCode::Circle, "Ellipse Properties"},
        {ShapeCode::RoundedRectangle, "Rounded Rectangle Properties"},
        {ShapeCode::Triangle, "Triangle Properties"},
        {ShapeCode::Diamond, "Diamond Properties"},
        {ShapeCode::Star, "Star Properties"},
        {ShapeCode::DoubleStar, "Double Star Properties"},
        {ShapeCode::Polygon, "Polygon Properties"},
    };
    for (const auto& t : titles) {
        if (shapeCode == t.code)
            return QString::fromLatin1(t.title);
    }
    return {};
}

QStringList ShapePanelRules::hatchPatternNames(const QString& resourceFolder)
{
    QStringList patterns;
    for (const QString& name : Get_Files_Array_At_Path(resourceFolder + QStringLiteral("/Fill_Style_Image"))) {
        if (!name.startsWith(QLatin1Char('.')))
            patterns << name;
    }
    return patterns;
}
