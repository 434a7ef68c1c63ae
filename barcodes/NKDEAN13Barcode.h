#pragma once

#include "barcodes/NKDAbstractUPCEANBarcode.h"

// EAN-13: twelve digits (system digit first) and a check digit. The system
// digit has no bars of its own; it selects the parity of the next six digits.
class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode
{
public:
    using NKDAbstractUPCEANBarcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    void generateChecksum() override;
    QString barcode() const override;
    QString caption() const override;
    int digitsToRight() const override { return 0; }
    QString rightCaption() const override { return {}; }
    QString className() const override { return QStringLiteral("NKDEAN13Barcode"); }

    // Whether the digit at position 1 to 6 after the system digit takes the
    // even-parity pattern.
    static bool _parityForSystemDigit(char systemDigit, int index);
};
