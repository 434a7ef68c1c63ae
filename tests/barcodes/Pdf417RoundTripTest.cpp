// Symbols read back through an independent decoder.

#include "Pdf417TestSupport.h"

#include "barcodes/Pdf417Picture.h"
#include "barcodes/Pdf417Symbol.h"
#include "barcodes/pdf417lib.h"
#include "barcodes/pdf417tables.h"

#include <gtest/gtest.h>

#include <string>

using pdf417test::read;
using pdf417test::toImage;

namespace {

QByteArray allHighBytes()
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(char(b));
    return bytes;
}

struct Sample {
    const char* name;
    QByteArray bytes;
};

std::vector<Sample> samples()
{
    return {
        {"upper", "HELLO WORLD"},
        {"mixed case", "Brightfold Invitation Card"},
        {"lower", "the quick brown fox jumps over the lazy dog"},
        {"mixed and punctuation", "Tel: +44 (0)20 7946-0958; mail: a.b@example.org {x|y} ~`'\"? [ok] <_> \\"},
        {"tabs and line ends", "Name:\tAnn\r\nRoom:\t12\nDesk 4"},
        {"punctuation runs", "A;<>@[\\]_`~!B!!??C"},
        {"long digits", "123456789012345678901234567890123456789012345678901234567890"},
        {"digits inside text", "Order 000213298174000 of 2024-05-01, ref 12345678901234"},
        {"byte shifted in text", "ab\xC8" "c and more text \xE9t\xE9"},
        {"byte shift after alpha", "A\xE9" "BCDEFG"},
        {"byte shift after mixed", "A1\xE9" "23456"},
        {"byte shift in punctuation, even count", "xy;<>\xE9;<>yz"},
        {"byte shift in punctuation, odd count", "x;<>\xE9;<>yz"},
        {"high bytes", allHighBytes()},
        {"control bytes", QByteArray("\x00\x01\x02\x1B\x7F", 5)},
        {"Latin-1 words", "Gr\xFC\xDF" "e aus K\xF6ln: 25 \xB0" "C, \xBD price \xA9"},
        {"binary then text", QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR then plain words follow", 36)},
    };
}

pdf417param encodeWith(const QByteArray& bytes, int level, int columns)
{
    pdf417param p;
    pdf417init(&p);
    p.text = bytes.constData();
    p.lenText = int(bytes.size());
    p.options = Pdf417UseErrorLevel | Pdf417FixedColumns;
    p.errorLevel = level;
    p.codeColumns = columns;
    paintCode(&p);
    return p;
}

}

TEST(Pdf417RoundTrip, EveryCompactionAtSeveralLevelsAndWidths)
{
    const int levels[] = {0, 2, 5, 8};
    const int columns[] = {1, 3, 10, 30};
    for (const Sample& s : samples()) {
        for (int level : levels) {
            for (int c : columns) {
                SCOPED_TRACE(std::string(s.name) + " level " + std::to_string(level) + " columns "
                             + std::to_string(c));
                const pdf417param p = encodeWith(s.bytes, level, c);
                ASSERT_EQ(p.error, Pdf417Success);
                const auto reading = read(toImage(p));
                ASSERT_TRUE(reading.has_value());
                EXPECT_EQ(reading->bytes, s.bytes);
                EXPECT_EQ(reading->ecLevel, std::to_string(p.errorLevel));
            }
        }
    }
}

TEST(Pdf417RoundTrip, TextsComeBackAsTheSameCharacters)
{
    const QString texts[] = {
        QStringLiteral("Invitation: Saturday, 8 pm"),
        QString::fromUtf8("Caf\u00e9 cr\u00e8me br\u00fbl\u00e9e \u00bd \u00a3 \u00ff"),
        QStringLiteral("ID 4711-0815-0042"),
        QString::fromLatin1("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        const Pdf417Symbol symbol = Pdf417Symbol::encode(text, 2);
        ASSERT_FALSE(symbol.isNull());
        const auto reading = read(toImage(symbol));
        ASSERT_TRUE(reading.has_value());
        // Without a character set named in the symbol its bytes are ISO-8859-1.
        EXPECT_EQ(QString::fromLatin1(reading->bytes), text);
    }
}

TEST(Pdf417RoundTrip, FullSymbolsAtEachCompactionLimit)
{
    const QByteArray fulls[] = {
        QByteArray(1850, 'Q'),
        QByteArray(2710, '7'),
        [] {
            QByteArray b;
            for (int k = 0; k < 1108; ++k)
                b.append(char(0x80 + k % 128));
            return b;
        }(),
    };
    for (const QByteArray& bytes : fulls) {
        SCOPED_TRACE(bytes.size());
        pdf417param p;
        pdf417init(&p);
        p.text = bytes.constData();
        p.lenText = int(bytes.size());
        p.aspectRatio = 1.0f;
        paintCode(&p);
        ASSERT_EQ(p.error, Pdf417Success);
        EXPECT_EQ(p.lenCodewords, 928);
        const auto reading = read(toImage(p, 1));
        ASSERT_TRUE(reading.has_value());
        EXPECT_EQ(reading->bytes, bytes);
    }
}

// Every pattern of every cluster must read back as its own value. Each value
// is placed as an error correction codeword of a level-0 symbol (which can
// mend a single wrong codeword) that carries one deliberately wrong data
// codeword: a wrong pattern in the table would be a second error, which no
// reader can mend.
TEST(Pdf417RoundTrip, EveryCodewordPatternReadsBack)
{
    int checked = 0;
    for (int cluster = 0; cluster < 3; ++cluster) {
        // n data codewords in one column: the first correction codeword
        // stands in row n, of cluster n mod 3.
        const int n = 6 + cluster;
        for (int value = 0; value < 929; ++value) {
            pdf417param p;
            bool found = false;
            for (int a = 0; a < 900 && !found; ++a) {
                for (int d = 0; d < 900 && !found; ++d) {
                    pdf417init(&p);
                    for (int k = 1; k < n; ++k)
                        p.codewords[k] = 1;
                    p.codewords[0] = n;
                    p.codewords[n - 2] = a;
                    p.codewords[n - 1] = d;
                    p.lenCodewords = n;
                    p.options = Pdf417RawCodewords | Pdf417UseErrorLevel | Pdf417FixedColumns;
                    p.codeColumns = 1;
                    p.errorLevel = 0;
                    paintCode(&p);
                    found = p.codewords[n] == value;
                }
            }
            ASSERT_TRUE(found) << value;
            ASSERT_EQ(p.errorLevel, 0);
            const auto clean = read(toImage(p));
            ASSERT_TRUE(clean.has_value()) << "cluster " << cluster << " value " << value;

            // Row 1 (cluster 3) gets the pattern of another value.
            const int bytesPerRow = p.lenBits / p.codeRows;
            const int wrong = CLUSTERS[1][(p.codewords[1] + 7) % 900];
            for (int b = 0; b < 17; ++b) {
                const int column = 34 + b;
                unsigned char& byte = p.outBits[std::size_t(bytesPerRow + column / 8)];
                const auto mask = static_cast<unsigned char>(0x80 >> (column % 8));
                if ((wrong >> (16 - b)) & 1)
                    byte |= mask;
                else
                    byte &= static_cast<unsigned char>(~mask);
            }
            const auto damaged = read(toImage(p));
            ASSERT_TRUE(damaged.has_value()) << "cluster " << cluster << " value " << value;
            EXPECT_EQ(damaged->bytes, clean->bytes);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3 * 929);
}

TEST(Pdf417Picture, PictureReadsBackAtItsSizeAndResolution)
{
    struct Case {
        QString text;
        int level;
        QSizeF points;
        int dpi;
    };
    const Case cases[] = {
        {QStringLiteral("Guest 0042 - Table 7"), 2, {200, 60}, 300},
        {QStringLiteral("https://example.org/rsvp?id=123456789012345"), 4, {240, 90}, 600},
        {QString::fromLatin1("Gr\xFC\xDF" "e \xA9 2024"), 0, {144, 72}, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Pdf417Picture::State state = Pdf417Picture::State::Failed;
        const Picture picture = Pdf417Picture::make(c.text, c.level, c.points, c.dpi, &state);
        ASSERT_EQ(state, Pdf417Picture::State::Ready);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), c.points);
        EXPECT_EQ(picture.image().width(), int(std::ceil(c.dpi * c.points.width() / 72.0)));
        EXPECT_EQ(picture.image().height(), int(std::ceil(c.dpi * c.points.height() / 72.0)));
        EXPECT_EQ(Picture::sizeInPoints(picture.image()).toSize(), c.points.toSize());
        const auto reading = read(pdf417test::onWhite(picture.image(), 20));
        ASSERT_TRUE(reading.has_value());
        EXPECT_EQ(QString::fromLatin1(reading->bytes), c.text);
    }
}
