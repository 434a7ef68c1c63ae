// The banner strip's tiles and the vertically centred label.

#include "WindowControllerFixture.h"

#include "mainwindow/Repeat_Image.h"
#include "mainwindow/VerticallyCenteredTextFieldCell.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

TEST(VerticallyCenteredTextFieldCellTest, TitleRectMovesDownByHalfTheRoomAndKeepsTheBottom)
{
    const struct {
        QRectF bounds;
        qreal text;
        QRectF expected;
    } rows[] = {
        {{0, 0, 100, 30}, 12, {0, 9, 100, 21}},
        {{5, 10, 50, 30}, 12, {5, 19, 50, 21}},
        {{0, 0, 40, 17}, 17, {0, 0, 40, 17}},
        {{0, 0, 40, 20}, 30, {0, -5, 40, 25}},   // taller text overflows both edges alike
    };
    for (const auto& row : rows)
        EXPECT_EQ(VerticallyCenteredTextFieldCell::titleRectForBounds(row.bounds, row.text), row.expected);
}

TEST(VerticallyCenteredTextFieldCellTest, TheTextIsDrawnInTheMiddleOfTheLabel)
{
    VerticallyCenteredTextFieldCell label;
    label.setText("Front");
    label.resize(80, 60);
    const QImage picture = label.grab().toImage();
    int top = -1, bottom = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 128) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
    }
    ASSERT_GE(top, 0);
    EXPECT_NEAR((top + bottom) / 2.0, 30, 3);
}

class BannerTest : public WindowControllerFixture
{
};

TEST_F(BannerTest, TilesStartAtTheStripsOwnCornerWhereverItSits)
{
    // the shipped banner picture is there
    EXPECT_EQ(controller->banner_image.image().size(), QSize(64, 56));

    QImage tile(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            tile.setPixel(x, y, qRgb(40 * x, 80 * y, 100));
    controller->banner_image = Picture(tile);

    QWidget window;
    window.resize(60, 40);
    auto* strip = new Repeat_Image(&window);
    strip->setGeometry(13, 7, 31, 20);
    const QImage shown = window.grab().toImage();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 31; ++x)
            ASSERT_EQ(shown.pixel(13 + x, 7 + y), tile.pixel(x % 5, y % 3)) << x << "," << y;

    // a part drawn again keeps the tiles where they were
    QImage part(31, 20, QImage::Format_RGB32);
    part.fill(Qt::black);
    QPainter painter(&part);
    Repeat_Image::fillWithTiles(painter, QRect(7, 4, 10, 10), tile);
    painter.end();
    EXPECT_EQ(part.pixel(7, 4), tile.pixel(2, 1));
    EXPECT_EQ(part.pixel(16, 13), tile.pixel(1, 1));
    EXPECT_EQ(part.pixel(6, 4), qRgb(0, 0, 0));
}

}
