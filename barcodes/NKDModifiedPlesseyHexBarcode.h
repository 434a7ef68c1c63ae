#pragma once

#include "barcodes/NKDModifiedPlesseyBarcode.h"

// Modified Plessey with the hexadecimal digits A to F (values 10 to 15).
class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode
{
public:
    using NKDModifiedPlesseyBarcode::initWithContent;

    QString _encodeChar(char c) const override;
    QString className() const override { return QStringLiteral("NKDModifiedPlesseyHexBarcode"); }
};
