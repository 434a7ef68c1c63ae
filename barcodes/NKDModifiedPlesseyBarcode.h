#pragma once

#include "barcodes/NKDBarcode.h"

// Modified Plessey: each digit as four bits, least significant first (a 0
// bit is "1000", a 1 bit "1110"), followed by a mod-10 check digit. The
// content is kept in upper case.
class NKDModifiedPlesseyBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    QString _encodeChar(char c) const override;
    QString initiator() const override;
    QString terminator() const override;
    void generateChecksum() override;
    // At least one character, and every character has a pattern.
    bool isContentValid() const override;
    QString className() const override { return QStringLiteral("NKDModifiedPlesseyBarcode"); }

protected:
    // The four bits of a value, least significant first.
    static QString bitsPattern(int value);
};
