#pragma once

#include "barcodes/NKDBarcode.h"

// Codabar: digits and - $ : / . +, between a start and a stop letter A to D
// that are part of the content. Characters are joined by one narrow space.
class NKDCodabarBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    QString _encodeChar(char c) const override;
    QString barcode() const override;
    // Every character has a pattern, the first and last are start and stop
    // letters, and no letter stands between them.
    bool isContentValid() const override;
    QString className() const override { return QStringLiteral("NKDCodabarBarcode"); }
};
