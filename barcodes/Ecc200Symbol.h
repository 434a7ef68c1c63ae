#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <QString>

#include <vector>

// A Data Matrix (ECC 200) symbol made by the iec16022 library: its module
// grid of `rows` x `columns`, row 0 at the top (the library's grid, whose
// row 0 is the solid bottom edge, is flipped on the way in). Not the QR
// Code's module grid (`DataMatrix`), which is square and the QR encoder's.
//
// The library is driven through one guarded entry: calls are serialised
// (its Reed-Solomon tables are process-wide), lengths it cannot handle are
// refused before it sees them, what it allocates is freed, and the encoding
// it is asked for is planned so that the symbol reads back as the bytes
// given. The library (0.2.4) drops the last values of a C40 or Text run that
// does not fill a triple, mishandles "_" and "^" in those modes, writes
// EDIFACT without its latch and Base256 without randomising its length; the
// plan therefore uses C40 and Text only in whole triples of their basic
// characters and ASCII for everything else (bytes above 127 with the upper
// shift). Its 144 x 144 symbols do not read back, so the largest symbol made
// is 132 x 132.
class Ecc200Symbol
{
public:
    enum class Encoding { Auto, Ascii, C40, Text, Base256 };

    // Longest input handed to the library (its MAXBARCODE); beyond it the
    // library dereferences a null pointer.
    static constexpr int maximumLength = 3116;

    // Encodes bytes in a symbol of `rows` x `columns` (0 x 0: the smallest
    // that holds them). A null symbol, with a reason, when the bytes are
    // empty, too long or do not fit, or the size is not an ECC 200 size (or
    // is 144 x 144).
    static Ecc200Symbol encode(const QByteArray& bytes, Encoding encoding, int rows = 0, int columns = 0,
                               QString* reason = nullptr);
    // "Auto", "Ascii", "C40", "Text", "Base256"; anything else is Auto.
    static Encoding encodingForTitle(const QString& title);

    // The encoding letters handed to the library for the bytes: "A" ASCII,
    // "C" C40, "T" Text, one per byte. `requested` is the letters wanted, one
    // per byte.
    static QByteArray safePlan(const QByteArray& bytes, const QByteArray& requested);
    // The letters chosen for Auto: C40 or Text for runs of their basic
    // characters where that takes fewer codewords, ASCII elsewhere.
    static QByteArray autoPlan(const QByteArray& bytes);

    bool isNull() const { return m_rows == 0; }
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    bool isDark(int column, int row) const
    {
        return m_modules[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)] != 0;
    }
    const QByteArray& encodingUsed() const { return m_encoding; }
    int dataCodewords() const { return m_length; }   // encoded length before padding
    int capacity() const { return m_capacity; }
    int eccCodewords() const { return m_ecc; }

    // The symbol with a light frame of one module around it, drawn without
    // smoothing at `pixelsPerModule` pixels a module, dark modules opaque
    // black on opaque white; the picture is (columns + 2) x (rows + 2) modules
    // of `modulePoints` points. Null for a null symbol or a bad size.
    Picture picture(double modulePoints, int pixelsPerModule) const;

private:
    int m_rows = 0;
    int m_columns = 0;
    std::vector<unsigned char> m_modules;   // row-major, row 0 at the top
    QByteArray m_encoding;
    int m_length = 0;
    int m_capacity = 0;
    int m_ecc = 0;
};
