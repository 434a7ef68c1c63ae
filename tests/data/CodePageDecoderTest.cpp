// Each code page the decoder knows, at the edges of its ranges. The expected
// characters are those of Python's codecs (named beside each row), an
// independent source: the tables are not read back from this program.
#include "data/CodePageDecoder.h"

#include <QList>
#include <gtest/gtest.h>

#include <string_view>

using namespace std::string_view_literals;

namespace {

// Every character as U+XXXX, to show where two texts part.
std::string codePoints(const QString& text)
{
    std::string out;
    for (const char32_t c : text.toUcs4())
        out += QStringLiteral(" U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper().toStdString();
    return out;
}

struct Edges
{
    int codePage;
    const char* hex;          // the bytes, in hexadecimal
    std::u16string_view text; // what they stand for
};

void expectDecodes(const Edges& c)
{
    const CodePageDecoder decoder(c.codePage);
    ASSERT_EQ(decoder.codePage(), c.codePage) << "no converter for code page " << c.codePage;
    const QString decoded = decoder.decode(QByteArray::fromHex(c.hex));
    const QString expected = QString::fromUtf16(c.text.data(), qsizetype(c.text.size()));
    // Canonically equivalent text is the same text: the system's table for
    // code page 869 gives 0x88 as U+0387, whose canonical form is U+00B7.
    EXPECT_EQ(decoded.normalized(QString::NormalizationForm_C), expected.normalized(QString::NormalizationForm_C))
        << "code page " << c.codePage << ", bytes " << c.hex << "\n  decoded: " << codePoints(decoded)
        << "\n expected: " << codePoints(expected);
}

} // namespace

// Single-byte code pages: NUL, the last byte of ASCII, then above it the
// first and last byte of each run of defined bytes (0x80, 0x9F, 0xA0 and 0xFF
// wherever they are defined, and the bytes beside an undefined one).
TEST(CodePageDecoder, SingleByteCodePagesAtTheEdgesOfTheirRanges)
{
    const Edges cases[] = {
        {1252, "007F80828C8E919C9E9FA0FF",
         u"\u0000\u007F\u20AC\u201A\u0152\u017D\u2018\u0153\u017E\u0178\u00A0\u00FF"sv}, // cp1252
        {1250, "007F80828487898F9197999FA0FF",
         u"\u0000\u007F\u20AC\u201A\u201E\u2021\u2030\u0179\u2018\u2014\u2122\u017A\u00A0\u02D9"sv}, // cp1250
        {1251, "007F8097999FA0FF", u"\u0000\u007F\u0402\u2014\u2122\u045F\u00A0\u044F"sv},           // cp1251
        {1253, "007F808287898B9197999BA0A9ABD1D3FE",
         u"\u0000\u007F\u20AC\u201A\u2021\u2030\u2039\u2018\u2014\u2122\u203A\u00A0\u00A9\u00AB\u03A1\u03A3\u03CE"sv}, // cp1253
        {1254, "007F80828C919C9FA0FF", u"\u0000\u007F\u20AC\u201A\u0152\u2018\u0153\u0178\u00A0\u00FF"sv}, // cp1254
        {1255, "007F8082898B91999BA0C9CBD8E0FAFDFE",
         u"\u0000\u007F\u20AC\u201A\u2030\u2039\u2018\u2122\u203A\u00A0\u05B9\u05BB\u05F4\u05D0\u05EA\u200E\u200F"sv}, // cp1255
        {1256, "007F809FA0FF", u"\u0000\u007F\u20AC\u06BA\u00A0\u06D2"sv}, // cp1256
        {1257, "007F80828487898B8D8F9197999B9D9EA0A2A4A6FF",
         u"\u0000\u007F\u20AC\u201A\u201E\u2021\u2030\u2039\u00A8\u00B8\u2018\u2014\u2122\u203A\u00AF\u02DB\u00A0\u00A2\u00A4\u00A6\u02D9"sv}, // cp1257
        {1258, "007F8082898B8C91999B9C9FA0FF",
         u"\u0000\u007F\u20AC\u201A\u2030\u2039\u0152\u2018\u2122\u203A\u0153\u0178\u00A0\u00FF"sv},      // cp1258
        {874, "007F80859197A0DADFFB", u"\u0000\u007F\u20AC\u2026\u2018\u2014\u00A0\u0E3A\u0E3F\u0E5B"sv}, // cp874
        {10000, "007F809FA0FF", u"\u0000\u007F\u00C4\u00FC\u2020\u02C7"sv},                               // mac_roman
        {437, "007F809FA0FF", u"\u0000\u007F\u00C7\u0192\u00E1\u00A0"sv},                                 // cp437
        {850, "007F809FA0FF", u"\u0000\u007F\u00C7\u0192\u00E1\u00A0"sv},                                 // cp850
        {852, "007F809FA0FF", u"\u0000\u007F\u00C7\u010D\u00E1\u00A0"sv},                                 // cp852
        {855, "007F809FA0FF", u"\u0000\u007F\u0452\u042A\u0430\u00A0"sv},                                 // cp855
        {857, "007F809FA0D4D6E6E8F1F3FF",
         u"\u0000\u007F\u00C7\u015F\u00E1\u00C8\u00CD\u00B5\u00D7\u00B1\u00BE\u00A0"sv},                  // cp857
        {860, "007F809FA0FF", u"\u0000\u007F\u00C7\u00D3\u00E1\u00A0"sv},                                 // cp860
        {861, "007F809FA0FF", u"\u0000\u007F\u00C7\u0192\u00E1\u00A0"sv},                                 // cp861
        {862, "007F809FA0FF", u"\u0000\u007F\u05D0\u0192\u00E1\u00A0"sv},                                 // cp862
        {863, "007F809FA0FF", u"\u0000\u007F\u00C7\u0192\u00A6\u00A0"sv},                                 // cp863
        {864, "007F809A9D9EA0A5A8FE", u"\u0000\u007F\u00B0\uFEF8\uFEFB\uFEFC\u00A0\uFE84\uFE8E\u25A0"sv}, // cp864
        {865, "007F809FA0FF", u"\u0000\u007F\u00C7\u0192\u00E1\u00A0"sv},                                 // cp865
        {866, "007F809FA0FF", u"\u0000\u007F\u0410\u042F\u0430\u00A0"sv},                                 // cp866
        {869, "007F868892959FA0FF", u"\u0000\u007F\u0386\u00B7\u038C\u038E\u03AF\u03CA\u00A0"sv},         // cp869
    };
    for (const Edges& c : cases)
        expectDecodes(c);
}

// Double-byte code pages and UTF-8: the last byte of ASCII, single-byte
// katakana, and the first and last lead and trail bytes of the double-byte
// ranges; for UTF-8 the first and last character of each sequence length
// and around the surrogates.
TEST(CodePageDecoder, MultiByteCodePagesAtTheEdgesOfTheirRanges)
{
    const Edges cases[] = {
        {932, "7FA1DF814081FC9F409FFCE040EAA4",
         u"\u007F\uFF61\uFF9F\u3000\u25EF\u6A97\u6ECC\u6F3E\u7199"sv}, // shift_jis
        {936, "7F8140817E818081FEA1A1B0A1F7FEFE4F", u"\u007F\u4E02\u4E8A\u4E90\u4FA2\u3000\u554A\u9F44\uFA29"sv}, // gbk
        {949, "7F814181FEA1A1B0A1C652C8FEFDFE", u"\u007F\uAC02\uAD13\u3000\uAC00\uD7A3\uD79D\u8A70"sv}, // cp949
        {950, "7FA140A17EA1A1A1FEA440F9D5F9D6F9FEA3E1",
         u"\u007F\u3000\uFE5A\uFE5B\uFF0F\u4E00\u9F98\u7881\u2593\u20AC"sv}, // cp950
        {65001, "7FC280DFBFE0A080ED9FBFEE8080EFBFBFF0908080F48FBFBF",
         u"\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF"sv}, // utf-8
    };
    for (const Edges& c : cases)
        expectDecodes(c);
}

// The control bytes 0x1A, 0x1C and 0x7F stay themselves (the system's
// tables for the DOS code pages and Shift_JIS move them about), and a byte
// below 0x80 that ends a double-byte character belongs to that character.
TEST(CodePageDecoder, ControlBytesAndSecondBytesBelow0x80)
{
    const Edges cases[] = {
        {437, "1A1C7F", u"\u001A\u001C\u007F"sv},                             // cp437
        {866, "1A1C7F", u"\u001A\u001C\u007F"sv},                             // cp866
        {932, "1A1C7F815C5C817E", u"\u001A\u001C\u007F\u2015\u005C\u00D7"sv}, // shift_jis
        {936, "1A7F817E7E", u"\u001A\u007F\u4E8A\u007E"sv},                   // gbk
        {949, "1A7F815A5A", u"\u001A\u007F\uAC34\u005A"sv},                   // cp949
        {950, "1A7FA15CA17E7E", u"\u001A\u007F\uFE4F\uFE5A\u007E"sv},         // cp950
    };
    for (const Edges& c : cases)
        expectDecodes(c);
}

// Windows-1252 is built in. The five bytes it leaves undefined (Python's
// codec refuses them) become the C1 controls of the same number, as in the
// WHATWG Encoding Standard's table; they are not text, and neither is NUL.
TEST(CodePageDecoder, Windows1252UndefinedBytesAndWhatCountsAsText)
{
    EXPECT_EQ(CodePageDecoder::decodeWindows1252(QByteArray::fromHex("818D8F909D")),
              QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
    const struct
    {
        const char* hex;
        bool text;
    } cases[] = {
        {"", true},   {"01", true},  {"7F", true},  {"80", true},  {"81", false},     {"8C", true},  {"8D", false},
        {"8E", true}, {"8F", false}, {"90", false}, {"91", true},  {"9C", true},      {"9D", false}, {"9E", true},
        {"9F", true}, {"A0", true},  {"FF", true},  {"00", false}, {"410042", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodePageDecoder::isWindows1252Text(QByteArray::fromHex(c.hex)), c.text) << c.hex;
}

// A code page with no converter, or none of the numbers RTF names, reads as
// Windows-1252.
TEST(CodePageDecoder, UnknownCodePagesReadAsWindows1252)
{
    for (const int codePage : {0, 1, 1259, 20127, 65000, -1252}) {
        const CodePageDecoder decoder(codePage);
        EXPECT_EQ(decoder.codePage(), 1252) << codePage;
        EXPECT_EQ(decoder.decode(QByteArray::fromHex("809FA0")), QString::fromUtf16(u"\u20AC\u0178\u00A0")) << codePage;
    }
}
