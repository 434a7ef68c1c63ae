// QR Code symbols read back by an independent decoder.
#include "QRTestSupport.h"

#include "barcodes/QREncoder.h"
#include "barcodes/QR_Encode.h"

#include <QPainter>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

namespace {

const char* const levelNames[4] = {"L", "M", "Q", "H"};

int capacity(const std::array<int, 160>& table, int version, int level)
{
    return table[(version - 1) * 4 + level];
}

// A text of exactly `length` characters drawn from `alphabet`, varied so
// that the symbols differ.
std::string varied(const std::string& alphabet, int length, int seed)
{
    std::string text;
    uint32_t state = uint32_t(seed) * 2654435761u + 1;
    for (int i = 0; i < length; ++i) {
        state = state * 1664525u + 1013904223u;
        text += alphabet[(state >> 16) % alphabet.size()];
    }
    return text;
}

// UTF-8 text of at most `bytes` bytes, whole characters only, filled as far
// as the pieces allow.
QString utf8Text(int bytes, int seed)
{
    static const QString pieces[] = {QStringLiteral("Grüße "), QStringLiteral("東京 "), QStringLiteral("€5 "),
                                     QStringLiteral("card "), QStringLiteral("ñ"), QStringLiteral("Ω")};
    QString text;
    int used = 0;
    int misses = 0;
    for (int i = seed; misses < 6; ++i) {
        const QString& piece = pieces[i % 6];
        const int size = int(piece.toUtf8().size());
        if (used + size > bytes) {
            ++misses;
            continue;
        }
        misses = 0;
        text += piece;
        used += size;
    }
    return text;
}

DataMatrix gridOf(const CQR_Encode& e)
{
    DataMatrix grid(e.m_nSymbleSize);
    for (int64_t x = 0; x < e.m_nSymbleSize; ++x)
        for (int64_t y = 0; y < e.m_nSymbleSize; ++y)
            grid.set(static_cast<signed char>(e.m_byModuleData[x][y]), x, y);
    return grid;
}

void expectRoundTrip(const DataMatrix& grid, int level, const std::string& text, int64_t dimension,
                     const std::string& what)
{
    ASSERT_EQ(grid.dimension(), dimension) << what;
    const QRTestSupport::Decoded d = QRTestSupport::decodeGrid(grid);
    ASSERT_TRUE(d.ok) << what;
    EXPECT_EQ(d.text, text) << what;
    EXPECT_EQ(d.ecLevel, levelNames[level]) << what;
    EXPECT_FALSE(d.mirrored) << what;
}

} // namespace

TEST(QRRoundTrip, EveryVersionAndLevelInEveryMode)
{
    const std::string digits = "0123456789";
    const std::string alnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";   // no digits: one segment
    const std::string bytes = "abcdefghijklmnopqrstuvwxyz!\"#&'(),;<=>?@[]^_{|}~";
    using namespace QRTables;
    for (int version = 1; version <= 40; ++version) {
        const int64_t size = 4 * version + 17;
        for (int level = 0; level < 4; ++level) {
            const std::string where = " version " + std::to_string(version) + " level " + levelNames[level];

            // The full capacity, with the version asked for and chosen.
            const std::string numeric = varied(digits, capacity(QR_Numric_size_array, version, level), version);
            expectRoundTrip(QREncoder::encodeWithECLevel(level, version, QString::fromStdString(numeric)), level,
                            numeric, size, "numeric" + where);

            const std::string letters =
                varied(alnum, capacity(QR_AlphaNumric_size_array, version, level), version + level);
            expectRoundTrip(QREncoder::encodeWithECLevel(level, 0, QString::fromStdString(letters)), level,
                            letters, size, "alphanumeric" + where);

            const std::string plain = varied(bytes, capacity(QR_8_BIT_size_array, version, level), level);
            expectRoundTrip(QREncoder::encodeWithECLevel(level, version, QString::fromStdString(plain)), level,
                            plain, size, "byte" + where);

            // UTF-8 text leaves 12 bits for its character set announcement.
            const QString unicode = utf8Text(capacity(QR_8_BIT_size_array, version, level) - 2, version);
            expectRoundTrip(QREncoder::encodeWithECLevel(level, version, unicode), level, unicode.toStdString(),
                            size, "UTF-8" + where);
        }
    }
}

TEST(QRRoundTrip, KanjiText)
{
    // Shift JIS bytes go in Kanji mode; the reader gives them back as text.
    QStringDecoder shiftJis("Shift_JIS");
    ASSERT_TRUE(shiftJis.isValid());
    const int versions[] = {1, 2, 9, 10, 26, 27, 40};
    for (int version : versions) {
        for (int level = 0; level < 4; ++level) {
            const int characters = capacity(QRTables::QR_Kanji_size_array, version, level);
            std::string sjis;
            for (int i = 0; i < characters; ++i) {
                sjis += char(0x89 + (i * 7 + version) % 15);
                const int second = (i * 31 + level) % 188;   // 0x40-0x7E, 0x80-0xFC
                sjis += char(second < 63 ? 0x40 + second : 0x80 + second - 63);
            }
            const std::string expected = QString(shiftJis(QByteArray::fromStdString(sjis))).toStdString();
            const std::string where = "version " + std::to_string(version) + " level " + levelNames[level];
            auto e = std::make_unique<CQR_Encode>();
            ASSERT_TRUE(e->EncodeData(level, version, false, -1, sjis.data(), int64_t(sjis.size()))) << where;
            expectRoundTrip(gridOf(*e), level, expected, 4 * version + 17, "Kanji " + where);
        }
    }
    const QByteArray example("\x93\x5F\xE4\xAA");
    expectRoundTrip(QREncoder::encodeCStringWithECLevel(1, 0, example.constData()), 1, "点茗", 21, "example");
}

TEST(QRRoundTrip, UnicodeIsNeverTakenForKanji)
{
    // UTF-8 lead bytes 0xE0-0xEB look like Shift JIS kanji bytes.
    const QString texts[] = {QStringLiteral("€"), QStringLiteral("東京タワー"), QStringLiteral("漢字 and text"),
                             QStringLiteral("Ωmega – ∑"), QStringLiteral("a\u00e9b")};
    for (const QString& text : texts) {
        const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, text);
        ASSERT_GT(grid.dimension(), 0) << text.toStdString();
        const QRTestSupport::Decoded d = QRTestSupport::decodeGrid(grid, 4);
        ASSERT_TRUE(d.ok) << text.toStdString();
        EXPECT_EQ(QString::fromStdString(d.text), text);
    }
}

TEST(QRRoundTrip, MixedSegmentsAndEveryMask)
{
    const std::string texts[] = {
        "ABC123def",
        "https://example.com/card?id=0012345678901234567890&name=JOHN%20SMITH",
        "0123456789012345678901234567890123456789 hello WORLD 42",
        "MIXED 123456789012 alpha-NUMERIC: 3.14159 / $25 *+",
        "1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A1A",
        "line one\nline two\ttab",
    };
    for (const std::string& text : texts) {
        for (int level = 0; level < 4; ++level) {
            const DataMatrix chosen = QREncoder::encodeCStringWithECLevel(level, 0, text.c_str());
            ASSERT_GT(chosen.dimension(), 0) << text;
            expectRoundTrip(chosen, level, text, chosen.dimension(), text);
            for (int mask = 0; mask < 8; ++mask) {
                auto e = std::make_unique<CQR_Encode>();
                ASSERT_TRUE(e->EncodeData(level, 0, true, mask, text.data(), int64_t(text.size())));
                const QRTestSupport::Decoded d = QRTestSupport::decodeGrid(gridOf(*e));
                EXPECT_TRUE(d.ok && d.text == text) << text << " mask " << mask;
            }
        }
    }
}

TEST(QRRoundTrip, RaisedPictureDecodes)
{
    const DataMatrix grid = QREncoder::encodeWithECLevel(1, 0, QStringLiteral("Brightfold 2024"), 60);
    ASSERT_GT(grid.dimension(), 0);
    const Picture picture = QREncoder::renderDataMatrix(grid, 100, 600);
    ASSERT_FALSE(picture.isNull());
    QImage onWhite(picture.image().size(), QImage::Format_ARGB32);
    onWhite.fill(Qt::white);
    {
        QPainter p(&onWhite);
        p.drawImage(0, 0, picture.image());
    }
    const QRTestSupport::Decoded d = QRTestSupport::decode(onWhite.convertToFormat(QImage::Format_Grayscale8));
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, "Brightfold 2024");
}
