#pragma once

#include "barcodes/NKDBarcode.h"

// Interleaved 2 of 5: digits in pairs, the first of a pair in the bars and
// the second in the spaces (narrow one module, wide three). An odd count of
// digits gets a "0" in front; the caption shows the digits as given.
class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    QString barcode() const override;
    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("11101"); }
    // At least one digit, and digits only.
    bool isContentValid() const override;
    QString className() const override { return QStringLiteral("NKDInterleavedTwoOfFiveBarcode"); }

    // Whether element 0 to 4 of a digit is narrow; a non-digit is all narrow.
    static bool _getBarForDigit(char digit, int barNumber);
};
