#pragma once

#include "barcodes/NKDCode39Barcode.h"

// Full-ASCII Code 39: every printable character, TAB and LF written as one
// or two Code 39 characters (lower case as "+" and the letter, most signs as
// a "/" or "%" pair, TAB as $I, LF as $J); the content keeps its case.
class NKDExtendedCode39Barcode : public NKDCode39Barcode
{
public:
    using NKDCode39Barcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    QString _encodeChar(char c) const override;
    // There is content and every character has a pattern ("*" is written
    // as /J here).
    bool isContentValid() const override;
    QString getRequirementDescription() const;
    QString className() const override { return QStringLiteral("NKDExtendedCode39Barcode"); }

    // The Code 39 characters that stand for an ASCII character; "" for none.
    static QByteArray fullAsciiPair(char c);
};
