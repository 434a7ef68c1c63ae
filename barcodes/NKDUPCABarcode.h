#pragma once

#include "barcodes/NKDAbstractUPCEANBarcode.h"

// UPC-A: eleven digits (number system first) and a check digit. The number
// system and the check digit are printed as the left and right captions.
class NKDUPCABarcode : public NKDAbstractUPCEANBarcode
{
public:
    using NKDAbstractUPCEANBarcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    bool isContentValid() const override;
    void generateChecksum() override;
    QString barcode() const override;
    QString caption() const override;
    QString className() const override { return QStringLiteral("NKDUPCABarcode"); }
};
