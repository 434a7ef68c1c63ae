#pragma once

#include "model/SKTGraphic.h"

// A straight line between two corners of its bounds.
class SKTLine : public SKTGraphic
{
public:
    SKTLine();
    ~SKTLine() override;

    Kind kind() const override { return Kind::Line; }
    QString className() const override { return QStringLiteral("SKTLine"); }
};
