#pragma once

#include "barcodes/NKDUPCABarcode.h"

// UPC-E: a zero-suppressed UPC-A number. The content is the number system
// ("0" or "1") and six digits; the check digit is that of the full UPC-A
// number and is carried by the parity pattern of the six digits.
class NKDUPCEBarcode : public NKDUPCABarcode
{
public:
    using NKDUPCABarcode::initWithContent;

    // Seven digits get their check digit computed; eight must end in the
    // right one; eleven UPC-A digits are compressed when their zeros allow.
    bool initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    void generateChecksum() override;
    QString terminator() const override { return QStringLiteral("010101"); }
    QString barcode() const override;
    QString caption() const override;
    QString className() const override { return QStringLiteral("NKDUPCEBarcode"); }

    // Whether the digit at position 1 to 6 takes the even-parity pattern.
    bool parityForDigit(int position) const;

    // The UPC-E content (number system and six digits) of a UPC-A number
    // given with its check digit (12 digits); "" when the number cannot be
    // zero-suppressed.
    static QString UPCAToUPCE(const QString& upca);
    // The eleven UPC-A digits (without check digit) of a UPC-E content of
    // seven digits; "" for anything else.
    static QString UPCEToUPCA(const QString& upce);
};
