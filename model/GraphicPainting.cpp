#include "model/GraphicPainting.h"

#include "model/FillStep.h"
#include "model/SKTGraphic.h"
#include "model/StrokeStep.h"

#include <QPainterPath>

namespace GraphicPainting {

void strokeBounds(QPainter& painter, SKTGraphic& graphic)
{
    QPainterPath path;
    path.addRect(graphic.bounds());
    StrokeStep::stroke(painter, path, graphic.strokeColor().toQColor(), graphic.strokeWidth(),
                       graphic.strokeBorderType(), Qt::FlatCap);
}

void fillBounds(QPainter& painter, SKTGraphic& graphic)
{
    QPainterPath path;
    path.addRect(graphic.bounds());
    if (graphic.fill_type() == FillCode::Gradient) {
        FillStep::fillGradient(painter, path, graphic.fill_Grad_clr1().toQColor(),
                               graphic.fill_Grad_clr2().toQColor(), graphic.fill_grad_angle());
    } else {
        FillStep::fillSolid(painter, path, graphic.fillColor().toQColor());
    }
}

}
