// Values written with KeyedArchiver come back unchanged through
// KeyedUnarchiver, in every archived form.
#include "platform/ArchivedPicture.h"
#include "platform/ArchivedText.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/GeometryString.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/Picture.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

const QStringList testClasses {QStringLiteral("TestObject"), QStringLiteral("NSObject")};

// Archives one root object written by `encode`, then reads it back with
// `check` running inside the root object's decoder.
void roundTrip(const KeyedArchiver::Encoder& encode, const std::function<void(KeyedUnarchiver&)>& check)
{
    const QByteArray data = KeyedArchiver::archivedData(testClasses, encode);
    ASSERT_TRUE(data.startsWith("bplist00"));
    KeyedUnarchiver coder(data);
    ASSERT_TRUE(coder.isValid());
    bool ran = false;
    coder.decodeRoot<bool>([&](KeyedUnarchiver& c) -> std::optional<bool> {
        EXPECT_EQ(c.className(), QStringLiteral("TestObject"));
        EXPECT_EQ(c.classes(), testClasses);
        check(c);
        ran = true;
        return true;
    });
    EXPECT_TRUE(ran);
}

QImage testImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 0, w / 2, h, QColor(200, 30, 40));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(10, 90, 250, 128));
    return image;
}

} // namespace

TEST(KeyedArchiveRoundTrip, Scalars)
{
    roundTrip(
        [](KeyedArchiver& a) {
            a.encodeBool("yes", true);
            a.encodeBool("no", false);
            a.encodeInt("zero", 0);
            a.encodeInt("negative", -7);
            a.encodeInt("max", std::numeric_limits<int>::max());
            a.encodeInt("min", std::numeric_limits<int>::min());
            a.encodeInt("wide", qint64(1) << 40);
            a.encodeFloat("float", 1.3f);
            a.encodeDouble("double", 0.1);
            a.encodeBytes("bytes", QByteArray("a\0b", 3));
        },
        [](KeyedUnarchiver& c) {
            EXPECT_TRUE(c.decodeBool("yes"));
            EXPECT_FALSE(c.decodeBool("no"));
            EXPECT_EQ(c.decodeInt("zero"), 0);
            EXPECT_EQ(c.decodeInt("negative"), -7);
            EXPECT_EQ(c.decodeInt("max"), std::numeric_limits<int>::max());
            EXPECT_EQ(c.decodeInt("min"), std::numeric_limits<int>::min());
            EXPECT_EQ(c.decodeInt64("wide"), qint64(1) << 40);
            EXPECT_EQ(c.decodeInt("wide"), std::numeric_limits<int>::max()); // clamped to 32 bits
            // A float widens exactly: 1.3f is 1.2999999523162842 as a double.
            EXPECT_EQ(c.decodeDouble("float"), 1.2999999523162842);
            EXPECT_EQ(c.decodeFloat("float"), 1.3f);
            EXPECT_EQ(c.decodeDouble("double"), 0.1);
            EXPECT_EQ(c.decodeBytes("bytes"), QByteArray("a\0b", 3));
            // Missing keys read as zero.
            EXPECT_FALSE(c.containsKey("absent"));
            EXPECT_FALSE(c.decodeBool("absent"));
            EXPECT_EQ(c.decodeInt("absent"), 0);
            EXPECT_EQ(c.decodeDouble("absent"), 0.0);
            EXPECT_TRUE(c.decodeString("absent").isNull());
            EXPECT_EQ(c.decodeRect("absent"), QRectF());
            EXPECT_FALSE(c.decodeColour("absent").isValid());
            EXPECT_TRUE(c.decodePicture("absent").isNull());
        });
}

TEST(KeyedArchiveRoundTrip, StringsAndNil)
{
    const QString unicode = QStringLiteral("Gr\u00fc\u00dfe \u4e16\u754c ") + QString::fromUcs4(U"\U0001F600");
    roundTrip(
        [&](KeyedArchiver& a) {
            a.encodeString("plain", QStringLiteral("Text here"));
            a.encodeString("unicode", unicode);
            a.encodeString("empty", QLatin1String(""));
            a.encodeString("nil", QString());
            a.encodeString("$dollar", QStringLiteral("escaped key"));
        },
        [&](KeyedUnarchiver& c) {
            EXPECT_EQ(c.decodeString("plain"), QStringLiteral("Text here"));
            EXPECT_EQ(c.decodeString("unicode"), unicode);
            EXPECT_TRUE(c.decodeString("empty").isEmpty());
            EXPECT_FALSE(c.decodeString("empty").isNull());
            EXPECT_TRUE(c.containsKey("nil"));
            EXPECT_TRUE(c.decodeString("nil").isNull());
            EXPECT_EQ(c.decodeString("$dollar"), QStringLiteral("escaped key"));
            EXPECT_TRUE(c.current().value("$$dollar").isUid());
        });
}

TEST(KeyedArchiveRoundTrip, Geometry)
{
    for (const QRectF& r : {QRectF(0, 0, 0, 0), QRectF(10.5, -20.25, 243, 154), QRectF(1e-7, 3.14159, 1e6, 0.1)}) {
        roundTrip([&](KeyedArchiver& a) {
            a.encodeRect("r", r);
            a.encodePoint("p", r.topLeft());
            a.encodeSize("s", r.size());
        },
                  [&](KeyedUnarchiver& c) {
                      EXPECT_EQ(c.decodeRect("r"), r);
                      EXPECT_EQ(c.decodePoint("p"), r.topLeft());
                      EXPECT_EQ(c.decodeSize("s"), r.size());
                  });
    }
}

TEST(KeyedArchiveRoundTrip, GeometryStrings)
{
    EXPECT_EQ(GeometryString::fromRect({1, 2, 3, 4}), QStringLiteral("{{1, 2}, {3, 4}}"));
    EXPECT_EQ(GeometryString::fromRect({0.1, -0.0, 1e21, 2.5}), QStringLiteral("{{0.1, 0}, {1e+21, 2.5}}"));
    EXPECT_EQ(GeometryString::number(std::nan("")), QStringLiteral("0"));
    const struct {
        const char* text;
        QRectF rect;
    } cases[] = {
        {"{{1, 2}, {3, 4}}", {1, 2, 3, 4}},
        {"{{1,2},{3,4}}", {1, 2, 3, 4}},
        {"{{-1.5e2, .5}, {+3, 4.}}", {-150, 0.5, 3, 4}},
        {"{{1, 2}}", {1, 2, 0, 0}},
        {"nonsense", {0, 0, 0, 0}},
        {"{{1e999, 2}, {3, 4}}", {0, 2, 3, 4}},
        {"", {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeometryString::toRect(QString::fromLatin1(c.text)), c.rect) << c.text;
    EXPECT_EQ(GeometryString::toPoint(QStringLiteral("{7, 8}")), QPointF(7, 8));
    EXPECT_EQ(GeometryString::toSize(QStringLiteral("{7}")), QSizeF(7, 0));
}

TEST(KeyedArchiveRoundTrip, ColoursKeepTheirSpace)
{
    const Colour colours[] = {
        Colour::rgb(0.25, 0.5, 0.75, 1.0, Colour::Space::CalibratedRGB),
        Colour::rgb(1, 0, 0, 0.5, Colour::Space::DeviceRGB),
        Colour::rgb(0.1176581159, 0.1221527234, 0.1597783715),
        Colour::rgb(1.0 / 3, 2.0 / 3, 0.1),
        Colour::grey(0.5, 1.0, Colour::Space::CalibratedWhite),
        Colour::grey(0.25, 0.75, Colour::Space::DeviceWhite),
        Colour::white(),
        Colour::black(),
        Colour::grey(0, 0),
    };
    for (const Colour& colour : colours) {
        roundTrip([&](KeyedArchiver& a) { a.encodeColour("c", colour); },
                  [&](KeyedUnarchiver& c) { EXPECT_EQ(c.decodeColour("c"), colour); });
    }
    // CMYK is written as device RGB.
    roundTrip([](KeyedArchiver& a) { a.encodeColour("c", Colour::cmyk(0, 1, 1, 0)); },
              [](KeyedUnarchiver& c) {
                  EXPECT_EQ(c.decodeColour("c").space(), Colour::Space::DeviceRGB);
                  EXPECT_EQ(c.decodeColour("c").toQColor().rgb(), QColor(255, 0, 0).rgb());
              });
}

TEST(KeyedArchiveRoundTrip, FontsKeepTheirPostScriptName)
{
    roundTrip(
        [](KeyedArchiver& a) {
            a.encodeFont("read", FontSpec(QStringLiteral("Times New Roman"), 13, QStringLiteral("TimesNewRomanPS-BoldMT")));
            a.encodeFont("made", FontSpec(QStringLiteral("Times New Roman"), 10));
            a.encodeFont("installed", FontSpec(QStringLiteral("Liberation Sans"), 8.5));
            a.encodeFont("none", FontSpec());
        },
        [](KeyedUnarchiver& c) {
            EXPECT_EQ(c.decodeFont("read"), FontSpec(QStringLiteral("Times New Roman"), 13,
                                                     QStringLiteral("TimesNewRomanPS-BoldMT"), QFont::Bold));
            // A font chosen here gets the PostScript name of its regular face.
            EXPECT_EQ(c.decodeFont("made"), FontSpec(QStringLiteral("Times New Roman"), 10, QStringLiteral("TimesNewRomanPSMT")));
            EXPECT_EQ(c.decodeFont("installed"), FontSpec(QStringLiteral("Liberation Sans"), 8.5, QStringLiteral("LiberationSans")));
            EXPECT_FALSE(c.decodeFont("none").isValid());
            const auto flags = c.decodeObject<int>("made", [](KeyedUnarchiver& f) {
                EXPECT_EQ(f.className(), QStringLiteral("NSFont"));
                EXPECT_EQ(f.decodeString("NSName"), QStringLiteral("TimesNewRomanPSMT"));
                return std::optional<int>(f.decodeInt("NSfFlags"));
            });
            EXPECT_EQ(flags, 16);
        });
}

TEST(KeyedArchiveRoundTrip, EqualValuesAreWrittenOnceAndReadShared)
{
    const Colour red = Colour::rgb(1, 0, 0);
    const FontSpec font(QStringLiteral("Times New Roman"), 10);
    KeyedArchiver archiver;
    const quint64 root = archiver.addObject(testClasses, [&](KeyedArchiver& a) {
        a.encodeColour("a", red);
        a.encodeColour("b", red);
        a.encodeColour("other", Colour::rgb(0, 1, 0));
        a.encodeFont("f1", font);
        a.encodeFont("f2", font);
        a.encodeString("s1", QStringLiteral("S"));
        a.encodeString("s2", QStringLiteral("S"));
    });
    KeyedUnarchiver coder(archiver.archive(root));
    int colourDecodes = 0;
    coder.decodeRoot<bool>([&](KeyedUnarchiver& c) -> std::optional<bool> {
        EXPECT_EQ(c.value("a").uid(), c.value("b").uid());
        EXPECT_NE(c.value("a").uid(), c.value("other").uid());
        EXPECT_EQ(c.value("f1").uid(), c.value("f2").uid());
        EXPECT_EQ(c.value("s1").uid(), c.value("s2").uid());
        // A shared object is decoded once and handed out again.
        const auto decode = [&](KeyedUnarchiver& k) -> std::optional<std::shared_ptr<int>> {
            ++colourDecodes;
            return std::make_shared<int>(k.decodeInt("NSColorSpace"));
        };
        const auto first = c.decodeObject<std::shared_ptr<int>>("a", decode);
        const auto second = c.decodeObject<std::shared_ptr<int>>("b", decode);
        EXPECT_TRUE(first && second);
        EXPECT_EQ(first->get(), second->get());
        EXPECT_EQ(**first, 2);
        return true;
    });
    EXPECT_EQ(colourDecodes, 1);
}

TEST(KeyedArchiveRoundTrip, AttributedText)
{
    const FontSpec font(QStringLiteral("Times New Roman"), 12, QStringLiteral("TimesNewRomanPSMT"));
    const Colour colour = Colour::rgb(0.2, 0.4, 0.6);
    const QString unicode = QStringLiteral("Line one\nLine \u00fc ") + QString::fromUcs4(U"\U0001F600");
    roundTrip(
        [&](KeyedArchiver& a) {
            a.encodeReference("text", ArchivedText::encode(a, unicode, font, colour));
            a.encodeReference("empty", ArchivedText::encode(a, QString(), font, colour));
        },
        [&](KeyedUnarchiver& c) {
            const auto text = c.decodeObject<ArchivedText::Text>("text", &ArchivedText::decode);
            ASSERT_TRUE(text);
            EXPECT_EQ(text->string, unicode);
            ASSERT_EQ(text->runs.size(), 1);
            EXPECT_EQ(text->runs[0].length, unicode.size());
            EXPECT_EQ(text->runs[0].font, font);
            EXPECT_EQ(text->runs[0].colour, colour);
            const auto empty = c.decodeObject<ArchivedText::Text>("empty", &ArchivedText::decode);
            ASSERT_TRUE(empty);
            EXPECT_TRUE(empty->string.isEmpty());
            EXPECT_TRUE(empty->runs.isEmpty());
        });
}

TEST(KeyedArchiveRoundTrip, RunInfoNumbers)
{
    const QList<std::pair<quint64, quint64>> runs {{0, 0}, {127, 1}, {128, 2}, {300, 0}, {1u << 20, 5}};
    const QByteArray info = ArchivedText::runInfo(runs);
    EXPECT_EQ(info.left(6), QByteArray("\x00\x00\x7f\x01\x80\x01", 6));
    EXPECT_EQ(ArchivedText::parseRunInfo(info), runs);
    EXPECT_TRUE(ArchivedText::parseRunInfo(QByteArray("\x05", 1)).isEmpty());          // no index
    EXPECT_TRUE(ArchivedText::parseRunInfo(QByteArray("\x85", 1)).isEmpty());          // cut short
    EXPECT_TRUE(ArchivedText::parseRunInfo(QByteArray(12, char(0xFF))).isEmpty());     // too long a number
}

TEST(KeyedArchiveRoundTrip, PictureKeepsPixelsAndSizeInPoints)
{
    const QImage image = testImage(40, 20);
    const struct {
        QSizeF size;
    } cases[] = {{{40, 20}}, {{20, 10}}, {{9.6, 4.8}}, {{123.4, 7}}};
    for (const auto& tc : cases) {
        const Picture picture(image, tc.size);
        roundTrip([&](KeyedArchiver& a) { a.encodePicture("p", picture); },
                  [&](KeyedUnarchiver& c) {
                      const Picture back = c.decodePicture("p");
                      ASSERT_FALSE(back.isNull());
                      EXPECT_EQ(back.size(), tc.size);
                      EXPECT_EQ(back.image().convertToFormat(QImage::Format_ARGB32), image);
                  });
    }
}

TEST(KeyedArchiveRoundTrip, TiffCarriesTheResolution)
{
    // 300 pixels over 72 points is 300 dpi; the TIFF alone gives the size back.
    const Picture picture(testImage(300, 150), QSizeF(72, 36));
    const QByteArray tiff = ArchivedPicture::tiffData(picture);
    ASSERT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM"));
    const QImage read = QImage::fromData(tiff, "TIFF");
    ASSERT_FALSE(read.isNull());
    EXPECT_NEAR(read.dotsPerMeterX() * 0.0254, 300, 0.5);
    const QSizeF size = Picture::sizeInPoints(read);
    EXPECT_NEAR(size.width(), 72, 0.01);
    EXPECT_NEAR(size.height(), 36, 0.01);
    EXPECT_TRUE(ArchivedPicture::tiffData(Picture()).isEmpty());
}
