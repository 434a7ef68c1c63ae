#pragma once

#include "model/SKTGraphic.h"

// A signature or fingerprint picture.
class SKTSignature : public SKTGraphic
{
public:
    SKTSignature();
    ~SKTSignature() override;

    Kind kind() const override { return Kind::Signature; }
    QString className() const override { return QStringLiteral("SKTSignature"); }
};
