#pragma once

#include "model/SKTGraphic.h"

// A shape: rectangle, circle, rounded rectangle, triangle, diamond, star, double star or polygon.
class Shape_Control : public SKTGraphic
{
public:
    Shape_Control();
    ~Shape_Control() override;

    Kind kind() const override { return Kind::Shape; }
    QString className() const override { return QStringLiteral("Shape_Control"); }
};
