#include "barcodes/Pdf417Picture.h"

#include <gtest/gtest.h>

#include <QImage>

TEST(Pdf417Picture, FailuresGiveNoPicture)
{
    struct Case {
        const char* name;
        QString text;
        QSizeF points;
        int dpi;
        Pdf417Picture::State state;
    };
    const Case cases[] = {
        {"empty text", QString(), {100, 20}, 600, Pdf417Picture::State::NothingToShow},
        {"character above U+00FF", QStringLiteral("Ticket \u2116 5"), {100, 20}, 600, Pdf417Picture::State::Failed},
        {"too long", QString(3000, QLatin1Char('9')), {100, 20}, 600, Pdf417Picture::State::Failed},
        {"no width", QStringLiteral("A"), {0, 20}, 600, Pdf417Picture::State::Failed},
        {"no resolution", QStringLiteral("A"), {100, 20}, 0, Pdf417Picture::State::Failed},
        {"absurd size", QStringLiteral("A"), {1e7, 20}, 600, Pdf417Picture::State::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Pdf417Picture::State state = Pdf417Picture::State::Ready;
        const Picture picture = Pdf417Picture::make(c.text, 2, c.points, c.dpi, &state);
        EXPECT_TRUE(picture.isNull());
        EXPECT_EQ(state, c.state);
    }
}

TEST(Pdf417Picture, AFailureAfterASuccessGivesNothingOld)
{
    const Picture first = Pdf417Picture::make(QStringLiteral("Record 1"), 2, {100, 20}, 300);
    ASSERT_FALSE(first.isNull());
    const Picture second = Pdf417Picture::make(QString(6000, QLatin1Char('x')), 2, {100, 20}, 300);
    EXPECT_TRUE(second.isNull());
}

TEST(Pdf417Picture, ModulesStretchWithoutSmoothing)
{
    // "A": 86 modules x 10 rows. At 72 dpi over 172 x 30 points each module
    // is 2 pixels wide and each row 3 pixels high.
    const Pdf417Symbol symbol = Pdf417Symbol::encode(QStringLiteral("A"), 2);
    ASSERT_EQ(symbol.moduleColumns(), 86);
    ASSERT_EQ(symbol.rows(), 10);
    const Picture picture = Pdf417Picture::draw(symbol, QSizeF(172, 30), 72);
    ASSERT_EQ(picture.image().size(), QSize(172, 30));
    const QImage& image = picture.image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const bool dark = symbol.isDark(x / 2, y / 3);
            ASSERT_EQ(pixel, dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
        }
    }
    // The first module is a bar of the start pattern, the last a bar of the stop pattern.
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(171, 29), qRgb(0, 0, 0));
}

// The designer's symbol starts at level 2 and keeps a level within the
// encoder's range 0 to 8.
TEST(Pdf417Picture, ErrorLevelStaysWithinTheEncodersRange)
{
    Pdf417Picture symbol;
    EXPECT_EQ(symbol.getErrorLevel(), 2);
    const struct
    {
        int set;
        int kept;
    } cases[] = {{0, 0}, {5, 5}, {8, 8}, {9, 8}, {-1, 0}, {1000, 8}};
    for (const auto& c : cases) {
        symbol.setErrorLevel(c.set);
        EXPECT_EQ(symbol.getErrorLevel(), c.kept) << c.set;
    }
}
