#include "mainwindow/inspector/LinePanelRules.h"

#include "mainwindow/CardSettings.h"
#include "model/SKTLine.h"

#include <QObject>
#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

// The item of a list of `count` items at `index`; -1 (no item) for an index
// outside the list.
int itemAt(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

}

QStringList LinePanelRules::capItems()
{
    return {QObject::tr("Butt"), QObject::tr("Round"), QObject::tr("Square")};
}

QStringList LinePanelRules::orientationItems()
{
    return {QObject::tr("Horizontal"), QObject::tr("Vertical"), QObject::tr("Diagonal")};
}

LinePanelState LinePanelRules::fromGraphic(const SKTLine& line)
{
    LinePanelState s;
    s.colour = line._strokeColor;
    s.width = std::isfinite(line._strokeWidth) ? qRound(std::clamp(line._strokeWidth, 0.0, 1000.0)) : 0;
    s.styleIndex = CardSettings::indexForDashCode(line._stroke_border_type).value_or(-1);
    s.capIndex = itemAt(line._line_cap_style, int(capItems().size()));
    s.orientationIndex = itemAt(line._line_ori, int(orientationItems().size()));
    s.alphaPercent = qRound(SKTGraphic::opacityFraction(double(line.alpha_val_stroke)) * 100.0);
    s.printObject = line.print_object;
    return s;
}

void LinePanelRules::applyTo(const LinePanelState& s, SKTGraphic& g, bool onlyOneSelected)
{
    Q_UNUSED(onlyOneSelected);
    g.setIsDrawingStroke(true);
    g.setStrokeColor(s.colour);
    g.setStrokeWidth(s.width);
    g.print_object = s.printObject;
    if (const auto code = CardSettings::dashCodeForIndex(s.styleIndex))
        g._stroke_border_type = *code;
    g._line_cap_style = s.capIndex >= 0 ? s.capIndex : 0;
    g._line_ori = s.orientationIndex >= 0 ? s.orientationIndex : 0;
    g.alpha_val_stroke = float(s.alphaPercent / 100.0);
}
