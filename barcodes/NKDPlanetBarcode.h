#pragma once

#include "barcodes/NKDPostnetBarcode.h"

// PLANET: the POSTNET layout with tall and short bars exchanged; the frame
// bars stay full height.
class NKDPlanetBarcode : public NKDPostnetBarcode
{
public:
    using NKDPostnetBarcode::initWithContent;

    float _heightForDigit(int digitIndex, int bar) const override;
    QString className() const override { return QStringLiteral("NKDPlanetBarcode"); }
};
