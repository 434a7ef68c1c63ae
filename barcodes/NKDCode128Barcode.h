#pragma once

#include "barcodes/NKDBarcode.h"

#include <vector>

// Code 128 in one starting code set: A (0), B (1), C (2), or automatic (3,
// replaced by the best set when the object is initialised). Characters that
// the set lacks are written with SHIFT (one character of the other of A and
// B) or, from set C, after a CODE B latch, so the symbol always reads back as
// the content. The check symbol's value (0 to 102) is kept in checkDigit.
class NKDCode128Barcode : public NKDBarcode
{
public:
    using NKDBarcode::initWithContent;

    enum { SetA = 0, SetB = 1, SetC = 2, SetAuto = 3 };

    int codeSet() const { return m_codeSet; }
    void setCodeSet(int codeSet) { m_codeSet = codeSet; }

    bool initWithContent(const QString& content, bool printsCaption) override;
    int _bestCodeSetForContent() const;

    QString initiator() const override;
    QString terminator() const override;
    // The character's pattern in the current set; for set A or B a character
    // of the other set is SHIFT followed by its pattern there.
    QString _encodeChar(char c) const override;
    bool _canEncodeChar(char c, int set) const;
    QString _encodeChar(char c, int set) const;
    // Pattern of the symbol whose value is the text's decimal value; "" for
    // values outside 0 to 102.
    QString _encodeNumberPair(const QString& pair) const;
    // The SHIFT pattern that marks one character of the other of sets A and B.
    QString _shiftCharacterForSet(int set) const;
    // The character's value in the current set; -1 when it has none.
    int _valueForChar(char c) const;

    void generateChecksum() override;
    QString barcode() const override;
    // Every ASCII content but the empty one can be written.
    bool isContentValid() const override;
    QString className() const override { return QStringLiteral("NKDCode128Barcode"); }

    // The data symbol values (start, check and stop excluded) in order.
    std::vector<int> symbolValues() const;
    // The 11-module pattern of a symbol value 0 to 105; "" otherwise.
    static QString patternForValue(int value);

private:
    static int valueInSet(char c, int set);

    int m_codeSet = SetA;
};
