#pragma once

#include "barcodes/NKDBarcode.h"

// The Royal Mail 4-state customer code: digits and upper-case letters (the
// content is upper-cased), four bars each, a check character from the
// top and bottom halves of the bars, a start ascender and a full stop bar.
// Each bar is one of four states: tracker, ascender, descender or full.
class NKDRoyalMailBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    enum BarState { Tracker = 0, Descender = 1, Ascender = 2, Full = 3 };

    bool initWithContent(const QString& content, bool printsCaption) override;
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }
    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("10"); }
    QString terminator() const override { return QStringLiteral("1"); }
    void generateChecksum() override;
    // At least one character, and only digits and the letters A to Z.
    bool isContentValid() const override;
    int _barDescriptor(int index) const;
    float barTop(int index) const override;
    float barBottom(int index) const override;
    QString className() const override { return QStringLiteral("NKDRoyalMailBarcode"); }

    // The four bar states of a character, first bar in the highest group of
    // four bits; -1 for a character outside the table.
    static int characterBars(char c);
};
