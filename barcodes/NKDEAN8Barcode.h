#pragma once

#include "barcodes/NKDEAN13Barcode.h"

// EAN-8: seven digits and a check digit, no system digit; the caption shows
// all eight digits in two halves.
class NKDEAN8Barcode : public NKDEAN13Barcode
{
public:
    using NKDEAN13Barcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    void generateChecksum() override;
    QString barcode() const override;
    QString caption() const override;
    int digitsToLeft() const override { return 0; }
    int digitsToRight() const override { return 0; }
    QString className() const override { return QStringLiteral("NKDEAN8Barcode"); }
};
