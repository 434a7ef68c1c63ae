#include "LinearTestSupport.h"

#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcodeOffscreenView.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDPostnetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr double pointsPerMillimetre = 72.0 / 25.4;

// Bars of a height-coded symbol as letters, one per bar module, read from the
// bar's bottom and top: F full, A ascender, D descender, T tracker; for the
// two-height codes "T" tall and "s" short.
QString barLetters(const NKDBarcode& b, const std::function<QChar(float bottom, float top)>& classify)
{
    QString letters;
    const QString modules = b.completeBarcode();
    for (int i = 0; i < modules.size(); ++i) {
        if (modules.at(i) == QLatin1Char('1'))
            letters += classify(b.barBottom(i), b.barTop(i));
    }
    return letters;
}

// Four states from heights given in millimetres: the full height, the
// height at which a lifted bar starts, and the top of a short bar.
std::function<QChar(float, float)> fourStates(double full, double lifted, double shortTop)
{
    return [=](float bottom, float top) {
        const bool up = std::abs(top - full * pointsPerMillimetre) < 1e-3;
        const bool down = std::abs(bottom) < 1e-6;
        EXPECT_TRUE(up || std::abs(top - shortTop * pointsPerMillimetre) < 1e-3) << top;
        EXPECT_TRUE(down || std::abs(bottom - lifted * pointsPerMillimetre) < 1e-3) << bottom;
        return QChar(up ? (down ? 'F' : 'A') : (down ? 'D' : 'T'));
    };
}

QChar twoHeights(float bottom, float top)
{
    EXPECT_FLOAT_EQ(bottom, 0.0f);
    if (std::abs(top - 9.0f) < 1e-4)
        return QLatin1Char('T');
    EXPECT_NEAR(top, 3.6f, 1e-4);
    return QLatin1Char('s');
}

} // namespace

struct PostnetCase
{
    const char* name;
    QString content;
    bool valid;
};

class PostnetContent : public ::testing::TestWithParam<PostnetCase>
{
};

TEST_P(PostnetContent, AcceptsFiveNineOrElevenDigits)
{
    const auto postnet = NKDBarcode::make<NKDPostnetBarcode>(GetParam().content);
    const auto planet = NKDBarcode::make<NKDPlanetBarcode>(GetParam().content);
    EXPECT_EQ(postnet->isContentValid(), GetParam().valid);
    EXPECT_EQ(planet->isContentValid(), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Postal, PostnetContent,
                         ::testing::Values(PostnetCase {"Five", "12345", true}, PostnetCase {"Nine", "123456789", true},
                                           PostnetCase {"Eleven", "12345678901", true},
                                           PostnetCase {"Four", "1234", false},
                                           PostnetCase {"Hyphen", "12345-6789", false},
                                           PostnetCase {"Letter", "1234a", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Postnet, BarsFollowThePublishedDigitTable)
{
    const auto b = NKDBarcode::make<NKDPostnetBarcode>(QStringLiteral("12345"));
    EXPECT_EQ(b->checkDigit(), '5');   // 1 + 2 + 3 + 4 + 5 = 15
    EXPECT_EQ(b->completeBarcode().size(), 94);
    EXPECT_FLOAT_EQ(b->barWidth(), 1.08f);
    EXPECT_FLOAT_EQ(b->height(), 9.0f);
    EXPECT_FLOAT_EQ(b->width(), 94 * 1.08f);
    // Frame, 1 00011, 2 00101, 3 00110, 4 01001, 5 01010, check 5, frame.
    EXPECT_EQ(barLetters(*b, twoHeights), QStringLiteral("T" "sssTT" "ssTsT" "ssTTs" "sTssT" "sTsTs" "sTsTs" "T"));
    EXPECT_FLOAT_EQ(b->_heightForDigit(0, 1), 0.05f);
    EXPECT_FLOAT_EQ(b->_heightForDigit(0, 4), 0.125f);
}

TEST(Planet, ExchangesTallAndShortButKeepsTheFrame)
{
    const auto b = NKDBarcode::make<NKDPlanetBarcode>(QStringLiteral("12345"));
    EXPECT_EQ(b->completeBarcode(), NKDBarcode::make<NKDPostnetBarcode>(QStringLiteral("12345"))->completeBarcode());
    EXPECT_EQ(barLetters(*b, twoHeights), QStringLiteral("T" "TTTss" "TTsTs" "TTssT" "TsTTs" "TsTsT" "TsTsT" "T"));
}

struct RoyalMailCase
{
    const char* name;
    QString input;
    QString content;
    char check;
    bool valid;
};

class RoyalMailContent : public ::testing::TestWithParam<RoyalMailCase>
{
};

TEST_P(RoyalMailContent, UpperCasesAndChecks)
{
    const RoyalMailCase& c = GetParam();
    const auto b = NKDBarcode::make<NKDRoyalMailBarcode>(c.input);
    EXPECT_EQ(b->content(), c.content);
    EXPECT_EQ(b->isContentValid(), c.valid);
    if (c.check) {
        EXPECT_EQ(b->checkDigit(), c.check);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Postal, RoyalMailContent,
    ::testing::Values(
        // Published example: the check character of SN34RD1A is K.
        RoyalMailCase {"PublishedExample", "SN34RD1A", "SN34RD1A", 'K', true},
        RoyalMailCase {"LowerCase", "sn34rd1a", "SN34RD1A", 'K', true},
        // One A: top 2, bottom 5; row 1, column 4: index 10.
        RoyalMailCase {"SingleLetter", "A", "A", 'A', true},
        RoyalMailCase {"Space", "SN34 RD1A", "SN34 RD1A", 0, false},
        RoyalMailCase {"Hyphen", "SN34-RD1A", "SN34-RD1A", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoyalMail, BarsHaveFourStates)
{
    const auto b = NKDBarcode::make<NKDRoyalMailBarcode>(QStringLiteral("SN34RD1A"));
    EXPECT_EQ(b->completeBarcode().size(), 2 + 8 * 9 + 1);
    EXPECT_NEAR(b->barWidth(), 0.5 * pointsPerMillimetre, 1e-4);
    EXPECT_NEAR(b->height(), 5.05 * pointsPerMillimetre, 1e-4);
    // Start ascender; S 3030, N 3102, 3 1023, 4 1032, R 3021, D 0321, 1 0123,
    // A 1212, check K 2112; stop full.
    EXPECT_EQ(barLetters(*b, fourStates(5.05, 1.9, 3.15)),
              QStringLiteral("A" "FTFT" "FDTA" "DTAF" "DTFA" "FTAD" "TFAD" "TDAF" "DADA" "ADDA" "F"));
    // The switches read as set whatever was asked.
    b->setPrintsCaption(false);
    b->setPrintsHeader(false);
    EXPECT_TRUE(b->printsCaption());
    EXPECT_TRUE(b->printsHeader());
    EXPECT_TRUE(b->printsFooter());
}

TEST(RoyalMail, LiftedBarsStandClearOfTheBottomLineInThePicture)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    const auto b = preparedLinear<NKDRoyalMailBarcode>(QStringLiteral("A"), setup);
    ASSERT_TRUE(b);
    const NKDBarcodeOffscreenView view(b.get());
    const QList<QRectF> bars = view.barRectangles();
    ASSERT_EQ(bars.size(), 1 + 4 + 4 + 1);
    double bottomLine = bars.first().bottom();
    for (const QRectF& bar : bars)
        bottomLine = std::min(bottomLine, bar.top());   // view rectangles grow upwards: top() is the low edge
    // A (1212) then check A: descender, ascender, descender, ascender.
    const QRectF descender = bars.at(1);
    const QRectF ascender = bars.at(2);
    EXPECT_NEAR(descender.top(), bottomLine, 1e-4);
    EXPECT_NEAR(descender.height(), 3.15 * pointsPerMillimetre, 1e-3);
    EXPECT_NEAR(ascender.top(), bottomLine + 1.9 * pointsPerMillimetre, 1e-3);
    EXPECT_NEAR(ascender.top() + ascender.height(), bottomLine + 5.05 * pointsPerMillimetre, 1e-3);
}

struct JapanPostCase
{
    const char* name;
    QString input;
    QString codes;
    QString shown;
    bool valid;
};

class JapanPostContent : public ::testing::TestWithParam<JapanPostCase>
{
};

TEST_P(JapanPostContent, TurnsTheAddressIntoCodeCharacters)
{
    const JapanPostCase& c = GetParam();
    const auto b = NKDBarcode::make<JapanPostBarcode>(c.input);
    EXPECT_EQ(b->japanpostContents(), c.codes);
    EXPECT_EQ(b->content(), c.shown);
    EXPECT_EQ(b->isContentValid(), c.valid);
    EXPECT_EQ(b->completeBarcode().size(), 133);
}

INSTANTIATE_TEST_SUITE_P(
    Postal, JapanPostContent,
    ::testing::Values(
        JapanPostCase {"HyphenInPostalCode", "123-4567", "123-4567============", "123-4567", false},
        JapanPostCase {"Letter", "1234567A", "1234567:0===========", "1234567A", true},
        JapanPostCase {"LowerCaseAndOthers", "1234567 k-z!", "1234567;0-<5========", "1234567K-Z", true},
        // Cut at 20 code characters: G loses its digit and is not shown.
        JapanPostCase {"TooLong", "1234567ABCDEFG", "1234567:0:1:2:3:4:5:", "1234567ABCDEF", true},
        JapanPostCase {"Short", "123456", "123456==============", "123456", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JapanPost, CheckCharacterAndBarStates)
{
    // Codes 1234567:0 and eleven fillers: 28 + 11 + 0 + 11 x 14 = 193;
    // 193 mod 19 = 3, so the check value is 16, the character "?".
    const auto b = NKDBarcode::make<JapanPostBarcode>(QStringLiteral("1234567A"));
    EXPECT_EQ(b->checkDigit(), '?');
    // A filler-only code text: 20 x 14 = 280, 280 mod 19 = 14, value 5.
    EXPECT_EQ(NKDBarcode::make<JapanPostBarcode>(QStringLiteral(""))->checkDigit(), '5');

    // Start 31, "1" 330, ..., "?" 021, stop 13, with the symbol size 10 points.
    const QString letters = barLetters(*b, fourStates(3.6, 1.2, 2.4));
    ASSERT_EQ(letters.size(), 2 + 21 * 3 + 2);
    EXPECT_EQ(letters.left(5), QStringLiteral("FD" "FFT"));
    EXPECT_EQ(letters.mid(2 + 7 * 3, 6), QStringLiteral("DAT" "FTT"));   // ":" 120, "0" 300
    EXPECT_EQ(letters.mid(2 + 20 * 3, 3), QStringLiteral("TAD"));       // "?" 021
    EXPECT_EQ(letters.right(2), QStringLiteral("DF"));
}

TEST(JapanPost, SymbolSizeIsClampedAndCoupledToTheBarWidth)
{
    const auto b = NKDBarcode::make<JapanPostBarcode>(QStringLiteral("1234567"));
    EXPECT_FLOAT_EQ(b->symbolSize(), 10.0f);
    EXPECT_FLOAT_EQ(b->height(), 10.0f);
    EXPECT_FLOAT_EQ(b->barWidth(), 10.0f / 6.0f);

    b->setBarWidth(1.0f);
    EXPECT_FLOAT_EQ(b->barWidth(), 1.3333334f);
    EXPECT_FLOAT_EQ(b->height(), 8.0f);
    b->setBarWidth(5.0f);
    EXPECT_FLOAT_EQ(b->barWidth(), 1.9166666f);
    EXPECT_FLOAT_EQ(b->symbolSize(), 11.5f);
    EXPECT_FLOAT_EQ(b->width(), 133 * 1.9166666f);

    // The picture height is free above a full bar, never below it.
    b->setHeight(7.0f);
    EXPECT_NEAR(b->height(), 3.6 * 1.15 * pointsPerMillimetre, 1e-4);
    EXPECT_FLOAT_EQ(b->barWidth(), 1.9166666f);
    b->setHeight(60.0f);
    EXPECT_FLOAT_EQ(b->height(), 60.0f);
    EXPECT_FLOAT_EQ(b->symbolSize(), 11.5f);
}

TEST(JapanPost, PictureHoldsBarsAndTextLines)
{
    LinearSetup setup;
    setup.settings = designerDefaults();
    setup.barsHeight = 2.0f;   // smaller than the symbol itself
    const auto b = preparedLinear<JapanPostBarcode>(QStringLiteral("1234567A"), setup);
    ASSERT_TRUE(b);
    const NKDBarcodeOffscreenView view(b.get());
    const QRectF frame = view.bounds();
    const float header = b->headerHeight() * 72.0f + setup.settings.header_margin + setup.settings.TB_margin;
    for (const QRectF& bar : view.barRectangles()) {
        EXPECT_GE(bar.top(), 0.0);
        EXPECT_LE(bar.top() + bar.height(), frame.height() - header + 1e-3);
        EXPECT_GE(bar.left(), 0.0);
        EXPECT_LE(bar.right(), frame.width() + 1e-3);
    }
}
