#include "barcodes/Pdf417Symbol.h"

#include "barcodes/pdf417lib.h"

Pdf417Symbol Pdf417Symbol::encode(const QString& text, int errorLevel)
{
    Pdf417Symbol symbol;
    if (text.isEmpty()) {
        symbol.m_failure = Failure::EmptyText;
        return symbol;
    }
    // PDF417 bytes are read as ISO-8859-1 when the symbol names no other
    // character set, so a character beyond it cannot be carried faithfully.
    for (const QChar c : text) {
        if (c.unicode() > 0xFF) {
            symbol.m_failure = Failure::UnencodableCharacter;
            return symbol;
        }
    }
    return encodeBytes(text.toLatin1(), errorLevel);
}

Pdf417Symbol Pdf417Symbol::encodeBytes(const QByteArray& bytes, int errorLevel)
{
    Pdf417Symbol symbol;
    if (bytes.isEmpty()) {
        symbol.m_failure = Failure::EmptyText;
        return symbol;
    }
    if (bytes.size() > Pdf417MaxTextBytes) {
        symbol.m_failure = Failure::TooLong;
        symbol.m_error = Pdf417TextTooLong;
        return symbol;
    }

    pdf417param p;
    pdf417init(&p);
    p.text = bytes.constData();
    p.lenText = int(bytes.size());
    p.options = Pdf417UseErrorLevel;
    p.errorLevel = errorLevel;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    if (p.error != Pdf417Success) {
        symbol.m_failure = Failure::TooLong;
        symbol.m_error = p.error;
        return symbol;
    }

    symbol.m_moduleColumns = p.bitColumns;
    symbol.m_rows = p.codeRows;
    symbol.m_dataColumns = p.codeColumns;
    symbol.m_errorLevel = p.errorLevel;
    symbol.m_codewords.assign(p.codewords, p.codewords + p.lenCodewords);
    const int bytesPerRow = p.lenBits / p.codeRows;
    symbol.m_modules.resize(std::size_t(p.bitColumns) * std::size_t(p.codeRows));
    for (int r = 0; r < p.codeRows; ++r) {
        const unsigned char* row = p.outBits.data() + std::size_t(r) * std::size_t(bytesPerRow);
        for (int c = 0; c < p.bitColumns; ++c) {
            symbol.m_modules[std::size_t(r) * std::size_t(p.bitColumns) + std::size_t(c)] =
                (row[c >> 3] >> (7 - (c & 7))) & 1;
        }
    }
    pdf417free(&p);
    return symbol;
}
