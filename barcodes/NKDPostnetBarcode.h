#pragma once

#include "barcodes/NKDBarcode.h"

// POSTNET: 5, 9 or 11 digits and a mod-10 check digit, each as five bars of
// which two are tall, between two full frame bars. Every bar is followed by
// two modules of space; the information is in the bar heights.
class NKDPostnetBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    bool initWithContent(const QString& content, bool printsCaption) override;
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("100"); }
    QString terminator() const override { return QStringLiteral("1"); }
    void generateChecksum() override;
    bool isContentValid() const override;
    float barTop(int index) const override;
    QString className() const override { return QStringLiteral("NKDPostnetBarcode"); }

    // Height in inches of bar 1 to 5 of the digit at a content index (the
    // check digit past the end); 0 for a character that is not a digit.
    virtual float _heightForDigit(int digitIndex, int bar) const;

protected:
    static constexpr float tallInches = 0.125f;
    static constexpr float shortInches = 0.05f;
    // Whether bar 1 to 5 of a digit is tall in POSTNET; false for non-digits.
    static bool isTallBar(char digit, int bar);
    // The character at a digit index, the check digit past the content's end.
    char digitAt(int digitIndex) const;
};
