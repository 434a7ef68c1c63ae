#pragma once

#include "model/SKTGraphic.h"

// A text object: characters drawn in the object's font and colour inside its bounds.
class SKTText : public SKTGraphic
{
public:
    SKTText();
    ~SKTText() override;

    Kind kind() const override { return Kind::Text; }
    QString className() const override { return QStringLiteral("SKTText"); }
};
