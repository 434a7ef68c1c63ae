#pragma once

#include "barcodes/NKDBarcode.h"

// Code 39: digits, upper-case letters, space and - . $ / + %, framed by the
// "*" start and stop character. The content is kept in upper case. A
// character is 13 modules: five bars and four spaces (narrow one module,
// wide two) and a narrow gap.
class NKDCode39Barcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    QString _encodeChar(char c) const override;
    QString initiator() const override;
    QString terminator() const override;
    // There is content, every character has a pattern, and "*" (which would
    // end the symbol early) does not appear.
    bool isContentValid() const override;
    QString className() const override { return QStringLiteral("NKDCode39Barcode"); }

protected:
    // The pattern of one character of the Code 39 table; "" when it has none.
    static QString code39Pattern(char c);
};
