#include "mainwindow/inspector/PanelBorder.h"

#include "mainwindow/CardSettings.h"
#include "model/SKTGraphic.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <optional>

PanelBorder PanelBorder::fromGraphic(const SKTGraphic& graphic)
{
    PanelBorder border;
    border.on = graphic._isDrawingStroke;
    border.colour = graphic._strokeColor;
    border.width = std::isfinite(graphic._strokeWidth) ? qRound(std::clamp(graphic._strokeWidth, 0.0, 1000.0)) : 0;
    border.styleIndex = CardSettings::indexForDashCode(graphic._stroke_border_type).value_or(-1);
    return border;
}

void PanelBorder::applyTo(SKTGraphic& graphic) const
{
    // Through the setters, so that whoever watches the object sees the change.
    graphic.setIsDrawingStroke(on);
    if (on) {
        graphic.setStrokeColor(colour);
        graphic.setStrokeWidth(width);
    }
    if (const std::optional<QString> code = CardSettings::dashCodeForIndex(styleIndex))
        graphic._stroke_border_type = *code;
}
