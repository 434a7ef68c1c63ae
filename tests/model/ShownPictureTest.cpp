// A large adjusted photo on the screen: the first draw in a window adjusts a
// copy reduced to the size shown, never the whole photo, and looks like the
// whole adjusted photo reduced; the whole adjusted photo, made when output
// asks for it, is exactly what the adjustment chain makes of the source.

#include "model/AdjustedPictureCache.h"
#include "model/ImageProcesser.h"
#include "model/SKTImage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Records the pixel sizes the adjustment chain runs on, while it lives.
class ChainSizes
{
public:
    ChainSizes()
    {
        AdjustedPictureCache::setChain(
            [this](const Picture& p, const ImageAdjustments& s, ImageProcesser::Failures* f) {
                sizes.push_back(p.image().size());
                return ImageProcesser::Get_Processed_Image(p, s, f);
            });
    }
    ~ChainSizes() { AdjustedPictureCache::setChain({}); }
    ChainSizes(const ChainSizes&) = delete;
    ChainSizes& operator=(const ChainSizes&) = delete;
    std::vector<QSize> sizes;
};

QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x / 50 + y / 50) % 2 ? 200 : 40));
    return image;
}

void adjust(SKTImage& object, int rotate)
{
    object.Sepia = true;
    object.brt_val = 0.1f;
    object.con_val = 1.2f;
    object.rotate_image = rotate;
}

class PictureWindow : public QWidget
{
public:
    SKTImage* object = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (object)
            object->drawContentsInView(painter, false);
    }
};

}

TEST(ShownPicture, AWindowAdjustsAReducedCopyAndOutputTheWholePicture)
{
    const struct
    {
        const char* name;
        QSize source;
        QSizeF shown;
        int rotate;
        bool adjusted;
        QSize firstRun; // empty: the whole source
    } cases[] = {
        {"large photo", {2000, 1500}, {200, 150}, 0, true, {200, 150}},
        {"turned a right angle", {2000, 1000}, {100, 200}, 90, true, {200, 100}},
        // little to gain: the whole picture
        {"nearly its size", {300, 200}, {200, 150}, 0, true, {}},
        {"turned at an angle", {2000, 1500}, {200, 150}, 30, true, {}},
        // no adjustment: the source as it is, reduced exactly when drawn
        {"not adjusted", {2000, 1500}, {200, 150}, 0, false, {}},
    };
    for (const auto& c : cases) {
        ChainSizes chain;
        SKTImage object;
        object._file_path = "photo.png";
        const QImage source = photo(c.source.width(), c.source.height());
        object._contents = Picture(source, QSizeF(c.source));
        object._bounds = QRectF(QPointF(0, 0), c.shown);
        if (c.adjusted)
            adjust(object, c.rotate);

        const Picture shown = object.shownPicture(c.shown);
        ASSERT_EQ(chain.sizes.size(), 1u) << c.name;
        EXPECT_EQ(chain.sizes[0], c.firstRun.isEmpty() ? c.source : c.firstRun) << c.name;
        EXPECT_EQ(shown.size(), object.adjustedPicture().size()) << c.name;

        // the whole picture is today's, pixel for pixel
        const Picture whole = object.adjustedPicture();
        const Picture expected = ImageProcesser::Get_Processed_Image(object._contents, object.adjustmentSettings());
        EXPECT_EQ(whole.image(), expected.image()) << c.name;
        EXPECT_EQ(whole.size(), expected.size()) << c.name;

        // and the reduced copy looks like it, reduced
        const QImage a = shown.image().convertToFormat(QImage::Format_RGB32);
        const QImage b = whole.image()
                             .scaled(a.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
        double difference = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                difference += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
        EXPECT_LT(difference / (a.width() * a.height()), 3.0) << c.name;
    }
}

TEST(ShownPicture, TheFirstDrawInAWindowNeverAdjustsTheWholePhoto)
{
    ChainSizes chain;
    SKTImage object;
    object._file_path = "photo.png";
    object._contents = Picture(photo(3000, 2000), QSizeF(300, 200));
    object._bounds = QRectF(10, 10, 300, 200);
    adjust(object, 0);
    PictureWindow window;
    window.object = &object;
    window.resize(400, 300);
    window.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    window.repaint();
    ASSERT_FALSE(chain.sizes.empty());
    for (const QSize& size : chain.sizes)
        EXPECT_LE(size.width() * size.height(), 300 * 200 * 4) << size.width() << "x" << size.height();
    // output still gets the whole picture
    EXPECT_EQ(object.adjustedPicture().image().size(), QSize(3000, 2000));
}
