#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// A finished PDF417 symbol as plain data: its codewords, its shape and a grid
// of modules, one entry per module and row, 1 for a bar. Made without any
// window, so batch output may make symbols on any thread.
class Pdf417Symbol
{
public:
    enum class Failure {
        None,
        EmptyText,               // nothing to encode
        UnencodableCharacter,    // a character above U+00FF
        TooLong                  // the text does not fit one symbol
    };

    // Encodes a text as the barcode designer does: its characters as
    // ISO-8859-1 bytes, the given error level (the least level: it grows to
    // fill the symbol), an aspect ratio of 1 and rows 3 modules high.
    static Pdf417Symbol encode(const QString& text, int errorLevel);
    static Pdf417Symbol encodeBytes(const QByteArray& bytes, int errorLevel);

    bool isNull() const { return m_modules.empty(); }
    Failure failure() const { return m_failure; }
    // The encoder's error number: 0 success, 1 too long, 2 bad codewords.
    int error() const { return m_error; }

    int moduleColumns() const { return m_moduleColumns; }
    int rows() const { return m_rows; }
    int dataColumns() const { return m_dataColumns; }
    int errorLevel() const { return m_errorLevel; }
    const std::vector<int>& codewords() const { return m_codewords; }

    bool isDark(int column, int row) const
    {
        return m_modules[std::size_t(row) * std::size_t(m_moduleColumns) + std::size_t(column)] != 0;
    }

private:
    Failure m_failure = Failure::None;
    int m_error = 0;
    int m_moduleColumns = 0;
    int m_rows = 0;
    int m_dataColumns = 0;
    int m_errorLevel = 0;
    std::vector<int> m_codewords;
    std::vector<std::uint8_t> m_modules;
};
