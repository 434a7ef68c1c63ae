#pragma once

#include "model/SKTGraphic.h"

// A barcode object showing the picture made by the barcode designer.
class SKTBarcode : public SKTGraphic
{
public:
    SKTBarcode();
    ~SKTBarcode() override;

    Kind kind() const override { return Kind::Barcode; }
    QString className() const override { return QStringLiteral("SKTBarcode"); }
};
