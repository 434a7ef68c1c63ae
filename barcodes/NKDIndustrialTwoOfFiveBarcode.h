#pragma once

#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

// Industrial 2 of 5: every digit in five bars (narrow one module, wide three),
// each bar followed by two modules of space.
class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode
{
public:
    using NKDInterleavedTwoOfFiveBarcode::initWithContent;

    QString barcode() const override;
    QString className() const override { return QStringLiteral("NKDIndustrialTwoOfFiveBarcode"); }
};
