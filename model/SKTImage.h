#pragma once

#include "model/SKTGraphic.h"

// A picture object showing a picture file with its adjustments.
class SKTImage : public SKTGraphic
{
public:
    SKTImage();
    ~SKTImage() override;

    Kind kind() const override { return Kind::Image; }
    QString className() const override { return QStringLiteral("SKTImage"); }
};
