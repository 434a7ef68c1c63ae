#pragma once

#include "barcodes/NKDBarcode.h"

// The Japan Post customer barcode: a seven-digit postal code and address
// digits, turned into exactly 20 code characters (letters through the
// control characters CC1 to CC3, filled up with CC4), a mod-19 check
// character, and the start and stop codes. Each character is three bars of
// four states (tracker, ascender, descender, full).
//
// The symbol size s (points, 8.0 to 11.5) fixes the bars: the bar width is
// s / 6 and a full bar is 3.6 mm at s = 10. The picture height is separate:
// it holds the symbol and whatever caption, header and footer lines the
// designer adds, and is never less than a full bar.
class JapanPostBarcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    enum BarState { Tracker = 0, Descender = 1, Ascender = 2, Full = 3 };

    bool initWithContent(const QString& content, bool printsCaption, float barWidth, float height, float fontSize,
                         int checkDigit) override;
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }

    // Builds the code characters and the shown text, then the check character.
    void setContent(const QString& content) override;
    // The picture height, at least a full bar.
    void setHeight(float height) override;
    // Clamped to 8/6 to 11.5/6 points; the symbol size and the height follow.
    void setBarWidth(float barWidth) override;
    float symbolSize() const { return m_symbolSize; }
    // Height of a full bar in points: 3.6 mm per 10 points of symbol size.
    float fullBarHeight() const;

    const QString& japanpostContents() const { return m_japanpostContents; }

    QString _encodeChar(char c) const override;
    QString initiator() const override { return QStringLiteral("1010"); }
    QString terminator() const override { return QStringLiteral("101"); }
    QString barcode() const override;
    void generateChecksum() override;
    // The shown text starts with the seven digits of the postal code.
    bool isContentValid() const override;
    int _barDescriptor(int index) const;
    float barTop(int index) const override;
    float barBottom(int index) const override;
    QString className() const override { return QStringLiteral("JapanPostBarcode"); }

    // The three bar states of a code character, first bar in the highest
    // digit of three base-4 digits; -1 for a character outside the table.
    static int characterBars(char c);

private:
    // Sets the symbol size (clamped to 8.5 to 11.5), the bar width (s / 6) and
    // a height that shows the symbol alone.
    void setSymbolSize(float size);

    QString m_japanpostContents;
    float m_symbolSize = 10.0f;
};
