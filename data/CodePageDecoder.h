#pragma once

#include <QByteArray>
#include <QString>

// Bytes of an 8-bit (or double-byte) code page turned into text. Windows
// code page 1252 is built in (the default of RTF documents and the
// fallback for text files that are not UTF-8); other code pages go through
// the system's converters and fall back to 1252 when there is none. In the
// 8-bit and double-byte code pages a byte below 0x80 that is not the second
// byte of a double-byte character is ASCII, as their own tables have it: the
// system's tables for the DOS code pages and Shift_JIS put 0x1A, 0x1C and
// 0x7F in one another's places, so the converters get only the other bytes.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage = 1252);

    int codePage() const { return m_codePage; }
    QString decode(const QByteArray& bytes) const;

    // Windows-1252; the five bytes the code page leaves undefined become
    // the C1 controls of the same number.
    static QString decodeWindows1252(const QByteArray& bytes);
    // Whether every byte is defined in Windows-1252 and none is NUL.
    static bool isWindows1252Text(const QByteArray& bytes);

private:
    int m_codePage;
    QByteArray m_converterName; // empty: the built-in 1252 table
};
