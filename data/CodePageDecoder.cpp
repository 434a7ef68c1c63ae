#include "data/CodePageDecoder.h"

#include <QStringDecoder>

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five undefined bytes.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The converter name of a Windows or DOS code page number as RTF's
// \ansicpg gives it.
QByteArray converterNameOf(int codePage)
{
    switch (codePage) {
    case 1252:
        return {};
    case 10000:
        return "macintosh";
    case 437:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return "IBM" + QByteArray::number(codePage);
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 65001:
        return "UTF-8";
    default:
        if (codePage >= 874 && codePage <= 1258)
            return "windows-" + QByteArray::number(codePage);
        return {};
    }
}

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

// Whether the bytes below 0x80 of a code page that has a converter are
// ASCII wherever they do not end a double-byte character: the DOS, Thai,
// double-byte, Windows and Mac pages, not UTF-8 (taken whole) nor the
// other numbers between Thai (874) and the Windows pages (1250 on).
bool isAsciiBelow0x80(int codePage)
{
    return codePage != 65001 && (codePage <= 874 || codePage >= 1250 || isDoubleByte(codePage));
}

// The first byte of a double-byte character; none in an 8-bit code page.
bool isLeadByte(int codePage, unsigned char b)
{
    switch (codePage) {
    case 932:
        return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
        return b >= 0x81 && b <= 0xFE;
    default:
        return false;
    }
}
} // namespace

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage), m_converterName(converterNameOf(codePage))
{
    if (!m_converterName.isEmpty() && !QStringDecoder(m_converterName.constData()).isValid())
        m_converterName.clear();
    if (m_converterName.isEmpty())
        m_codePage = 1252;
}

QString CodePageDecoder::decode(const QByteArray& bytes) const
{
    if (m_converterName.isEmpty())
        return decodeWindows1252(bytes);
    QStringDecoder decoder(m_converterName.constData());
    if (!isAsciiBelow0x80(m_codePage))
        return decoder.decode(bytes);
    // The converter gets the runs between the ASCII bytes; each run ends
    // with a whole character, so it decodes as it would within the whole.
    QString text;
    text.reserve(bytes.size());
    const QByteArrayView all(bytes);
    qsizetype run = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const auto b = static_cast<unsigned char>(all[i]);
        if (isLeadByte(m_codePage, b) && i + 1 < all.size()) {
            ++i;
        } else if (b < 0x80) {
            if (i > run)
                text += decoder.decode(all.sliced(run, i - run));
            text += QChar(char16_t(b));
            run = i + 1;
        }
    }
    if (run < all.size())
        text += decoder.decode(all.sliced(run));
    return text;
}

QString CodePageDecoder::decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        char16_t c = b;
        if (b >= 0x80 && b <= 0x9F && windows1252High[b - 0x80] != 0)
            c = windows1252High[b - 0x80];
        *out++ = QChar(c);
    }
    return text;
}

bool CodePageDecoder::isWindows1252Text(const QByteArray& bytes)
{
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b == 0 || (b >= 0x80 && b <= 0x9F && windows1252High[b - 0x80] == 0))
            return false;
    }
    return true;
}
