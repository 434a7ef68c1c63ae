#pragma once

#include "barcodes/NKDBarcode.h"

// Common ground of the retail symbologies: the digit patterns, the guards,
// the mod-10 check digit, the quiet zones (10 % of the width on each side)
// and the caption split into a left digit, a middle and a right digit.
class NKDAbstractUPCEANBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    // Left-hand odd-parity pattern of a digit; "" for anything else.
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("101"); }
    QString terminator() const override { return QStringLiteral("101"); }
    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
    // The check digit.
    QString rightCaption() const override;
    void generateChecksum() override;
    void calculateWidth() override;
    float firstBar() const override { return 0.1f * width(); }
    float lastBar() const override { return 0.9f * width() - m_barWidth; }
    QString className() const override { return QStringLiteral("NKDAbstractUPCEANBarcode"); }

    // The published mod-10 check digit of a run of digits (from the right,
    // the first, third, ... digit counts three times) as its character; -1
    // when the text is empty or holds anything but digits.
    static int checkDigitFor(const QByteArray& digits);

protected:
    static bool allDigits(const QByteArray& text);
    // The validity rule of the fixed-length numbers: the content is exactly
    // `dataLength` digits and the check digit is theirs.
    bool holdsDigitsWithTheirCheckDigit(int dataLength) const;
    // The content's character at a position, or 0 past its end.
    char contentAt(int index) const;
    // Left-hand, right-hand and even-parity patterns of a character.
    QString leftPattern(char c) const { return _encodeChar(c); }
    QString rightPattern(char c) const;
    QString evenPattern(char c) const;
    // Takes the last character as the check digit when the content has
    // `fullLength` characters, computes it when one is missing, and leaves a
    // content of any other length unchanged without check digit.
    void takeCheckDigit(int fullLength);
};
