// Archives are checked against an independent reader and writer: Python's
// plistlib reads what KeyedArchiver writes, and archives built by hand in
// the platform's layout with plistlib are read by KeyedUnarchiver.
#include "common/ArchiveTestSupport.h"
#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedText.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/Picture.h"

#include <QJsonArray>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace ArchiveTestSupport;

namespace {

template <class T>
std::optional<T> decodeRootOf(const QByteArray& data, const KeyedUnarchiver::Decoder<T>& decode)
{
    KeyedUnarchiver coder(data);
    EXPECT_TRUE(coder.isValid());
    return coder.decodeRoot<T>(decode);
}

} // namespace

TEST(KeyedArchivePlatformForm, PythonReadsTheContainer)
{
    const QByteArray data = KeyedArchiver::archivedData({"SKTText", "SKTGraphic", "NSObject"}, [](KeyedArchiver& a) {
        a.encodeRect("_bounds", {10, 20, 100.5, 40});
        a.encodeBool("ctrl_is_locked", true);
        a.encodeColour("_fillColor", Colour::white());
        a.encodeColour("_strokeColor", Colour::rgb(1, 0, 0, 0.5));
        a.encodeFloat("_strokeWidth", 1.3f);
        a.encodeString("_fill_type", QStringLiteral("S"));
        a.encodeFont("text_ctrl_font", FontSpec(QStringLiteral("Times New Roman"), 10));
        a.encodeColour("txt_clr", Colour::white());
        a.encodeInt("polygon_type", 5);
    });
    const QJsonObject d = runTool(QStringLiteral("dump"), writeTemporary(data, QStringLiteral("container.bplist")));
    ASSERT_FALSE(d.isEmpty());
    EXPECT_EQ(d["archiver"].toString(), QStringLiteral("NSKeyedArchiver"));
    EXPECT_EQ(d["version"].toInt(), 100000);
    EXPECT_EQ(d["top_keys"].toArray(), QJsonArray({"root"}));
    EXPECT_EQ(d["first"].toString(), QStringLiteral("$null"));
    const QJsonArray objects = d["objects"].toArray();
    EXPECT_EQ(objects.size(), d["count"].toInt());
    const int root = d["root"].toInt();
    ASSERT_GT(root, 0);
    ASSERT_LT(root, objects.size());

    const QJsonObject object = objects[root].toObject();
    EXPECT_EQ(object["classname"].toString(), QStringLiteral("SKTText"));
    EXPECT_EQ(object["classes"].toArray(), QJsonArray({"SKTText", "SKTGraphic", "NSObject"}));
    // Keys in the order written.
    EXPECT_EQ(object["keys"].toArray(),
              QJsonArray({"_bounds", "ctrl_is_locked", "_fillColor", "_strokeColor", "_strokeWidth", "_fill_type",
                          "text_ctrl_font", "txt_clr", "polygon_type"}));
    const QJsonObject values = object["values"].toObject();
    EXPECT_EQ(values["ctrl_is_locked"].toObject()["bool"].toBool(), true);
    EXPECT_EQ(values["_strokeWidth"].toObject()["real"].toDouble(), 1.2999999523162842);
    EXPECT_EQ(values["polygon_type"].toObject()["int"].toInt(), 5);

    auto target = [&](const char* key) {
        const int uid = values[QLatin1String(key)].toObject()["uid"].toInt(-1);
        EXPECT_GT(uid, 0) << key;
        return objects[std::clamp<int>(uid, 0, objects.size() - 1)].toObject();
    };
    EXPECT_EQ(target("_bounds")["plain"].toObject()["string"].toString(), QStringLiteral("{{10, 20}, {100.5, 40}}"));
    EXPECT_EQ(target("_fill_type")["plain"].toObject()["string"].toString(), QStringLiteral("S"));
    // The shared white is one object.
    EXPECT_EQ(values["_fillColor"], values["txt_clr"]);
    const QJsonObject white = target("_fillColor");
    EXPECT_EQ(white["classes"].toArray(), QJsonArray({"NSColor", "NSObject"}));
    EXPECT_EQ(white["values"].toObject()["NSColorSpace"].toObject()["int"].toInt(), 3);
    EXPECT_EQ(QByteArray::fromBase64(white["values"].toObject()["NSWhite"].toObject()["data"].toString().toLatin1()),
              QByteArray("1\0", 2));
    const QJsonObject stroke = target("_strokeColor");
    EXPECT_EQ(QByteArray::fromBase64(stroke["values"].toObject()["NSRGB"].toObject()["data"].toString().toLatin1()),
              QByteArray("1 0 0 0.5\0", 10));
    const QJsonObject font = target("text_ctrl_font");
    EXPECT_EQ(font["classname"].toString(), QStringLiteral("NSFont"));
    EXPECT_EQ(font["values"].toObject()["NSSize"].toObject()["real"].toDouble(), 10.0);
    EXPECT_EQ(font["values"].toObject()["NSfFlags"].toObject()["int"].toInt(), 16);
    const int nameUid = font["values"].toObject()["NSName"].toObject()["uid"].toInt();
    EXPECT_EQ(objects[nameUid].toObject()["plain"].toObject()["string"].toString(), QStringLiteral("TimesNewRomanPSMT"));
}

TEST(KeyedArchivePlatformForm, PythonReadsPicturesAndText)
{
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    KeyedArchiver archiver;
    const quint64 root = archiver.addObject({"Holder", "NSObject"}, [&](KeyedArchiver& a) {
        a.encodePicture("picture", Picture(image, QSizeF(4, 2)));
        a.encodeReference("text", ArchivedText::encode(a, QStringLiteral("Hi"), FontSpec(QStringLiteral("Arial"), 9),
                                                       Colour::black()));
    });
    const QJsonObject d =
        runTool(QStringLiteral("dump"), writeTemporary(archiver.archive(root), QStringLiteral("picture.bplist")));
    const QJsonArray objects = d["objects"].toArray();
    ASSERT_FALSE(objects.isEmpty());
    const QJsonObject values = objects[d["root"].toInt()].toObject()["values"].toObject();
    auto at = [&](const QJsonValue& ref) { return objects[ref.toObject()["uid"].toInt()].toObject(); };

    const QJsonObject picture = at(values["picture"]);
    EXPECT_EQ(picture["classname"].toString(), QStringLiteral("NSImage"));
    EXPECT_EQ(at(picture["values"].toObject()["NSSize"])["plain"].toObject()["string"].toString(),
              QStringLiteral("{4, 2}"));
    const QJsonObject reps = at(picture["values"].toObject()["NSReps"]);
    EXPECT_EQ(reps["classes"].toArray(), QJsonArray({"NSMutableArray", "NSArray", "NSObject"}));
    const QJsonArray repList = reps["values"].toObject()["NS.objects"].toObject()["array"].toArray();
    ASSERT_EQ(repList.size(), 1);
    const QJsonArray pair = at(repList[0])["values"].toObject()["NS.objects"].toObject()["array"].toArray();
    ASSERT_EQ(pair.size(), 2);
    EXPECT_EQ(at(pair[0])["plain"].toObject()["int"].toInt(-1), 0);
    const QJsonObject rep = at(pair[1]);
    EXPECT_EQ(rep["classes"].toArray(), QJsonArray({"NSBitmapImageRep", "NSImageRep", "NSObject"}));
    const QByteArray tiff = QByteArray::fromBase64(
        at(rep["values"].toObject()["NSTIFFRepresentation"])["plain"].toObject()["data"].toString().toLatin1());
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM"));

    // The resolution tags, as libtiff's own tool reports them: 8 pixels over
    // 4 points is 144 dpi.
    const QString tiffinfo = QStandardPaths::findExecutable(QStringLiteral("tiffinfo"));
    if (!tiffinfo.isEmpty()) {
        QProcess p;
        p.start(tiffinfo, {writeTemporary(tiff, QStringLiteral("rep.tiff"))});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString out = QString::fromLatin1(p.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QLatin1String("Resolution: 144, 144 pixels/inch"))) << out.toStdString();
        EXPECT_TRUE(out.contains(QLatin1String("Image Width: 8 Image Length: 4"))) << out.toStdString();
    }

    const QJsonObject text = at(values["text"]);
    EXPECT_EQ(text["classes"].toArray(),
              QJsonArray({"NSTextStorage", "NSMutableAttributedString", "NSAttributedString", "NSObject"}));
    EXPECT_EQ(at(text["values"].toObject()["NSString"])["plain"].toObject()["string"].toString(), QStringLiteral("Hi"));
    const QJsonObject attributes = at(text["values"].toObject()["NSAttributes"]);
    EXPECT_EQ(attributes["classname"].toString(), QStringLiteral("NSDictionary"));
    const QJsonArray keys = attributes["values"].toObject()["NS.keys"].toObject()["array"].toArray();
    ASSERT_EQ(keys.size(), 2);
    EXPECT_EQ(at(keys[0])["plain"].toObject()["string"].toString(), QStringLiteral("NSFont"));
    EXPECT_EQ(at(keys[1])["plain"].toObject()["string"].toString(), QStringLiteral("NSColor"));
}

TEST(KeyedArchivePlatformForm, ColoursInEverySpace)
{
    const struct {
        const char* file;
        Colour expected;
    } cases[] = {
        {"colour_1.bplist", Colour::rgb(0.25, 0.5, 0.75, 1, Colour::Space::CalibratedRGB)},
        {"colour_2.bplist", Colour::rgb(1, 0, 0, 0.5, Colour::Space::DeviceRGB)},
        {"colour_2_long.bplist", Colour::rgb(0.1176581159, 0.1221527234, 0.1597783715)},
        {"colour_3.bplist", Colour::grey(0.5, 1, Colour::Space::CalibratedWhite)},
        {"colour_4.bplist", Colour::grey(0.25, 0.75, Colour::Space::DeviceWhite)},
        {"colour_5.bplist", Colour::cmyk(0, 1, 1, 0)},
        {"colour_5b.bplist", Colour::cmyk(0, 0, 0, 1, 0.5)},
        {"colour_6.bplist", Colour::grey(1, 1, Colour::Space::CalibratedWhite)},   // its fallback
        {"colour_cfuid.xml", Colour::rgb(0, 0.5, 1)},
    };
    for (const auto& c : cases) {
        const auto colour = decodeRootOf<Colour>(fixture(QString::fromLatin1(c.file)), &ArchivedColour::decode);
        ASSERT_TRUE(colour) << c.file;
        EXPECT_EQ(*colour, c.expected) << c.file;
    }
}

TEST(KeyedArchivePlatformForm, UnchangedColourIsWrittenBackAsRead)
{
    // Read a platform-made colour, write it again: the same space and text.
    const auto colour = decodeRootOf<Colour>(fixture(QStringLiteral("colour_2_long.bplist")), &ArchivedColour::decode);
    ASSERT_TRUE(colour);
    EXPECT_EQ(ArchivedColour::componentText(*colour), QByteArray("0.1176581159 0.1221527234 0.1597783715"));
    const auto calibrated = decodeRootOf<Colour>(fixture(QStringLiteral("colour_1.bplist")), &ArchivedColour::decode);
    ASSERT_TRUE(calibrated);
    EXPECT_EQ(calibrated->space(), Colour::Space::CalibratedRGB);
}

TEST(KeyedArchivePlatformForm, FontsMapToInstalledFamilies)
{
    const auto times = decodeRootOf<FontSpec>(fixture(QStringLiteral("font.bplist")), &ArchivedFont::decode);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->postScriptName(), QStringLiteral("TimesNewRomanPSMT"));
    EXPECT_EQ(times->family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(times->pointSize(), 13.0);
    const auto lucida = decodeRootOf<FontSpec>(fixture(QStringLiteral("font_unknown.bplist")), &ArchivedFont::decode);
    ASSERT_TRUE(lucida);
    EXPECT_EQ(lucida->family(), QStringLiteral("Lucida Grande"));
    EXPECT_EQ(lucida->postScriptName(), QStringLiteral("LucidaGrande"));
    EXPECT_EQ(lucida->pointSize(), 11.0);
}

TEST(KeyedArchivePlatformForm, MutableString)
{
    const auto text = decodeRootOf<QString>(fixture(QStringLiteral("mutable_string.bplist")),
                                            &KeyedUnarchiver::stringObject);
    EXPECT_EQ(text, QStringLiteral("Gr\u00fc\u00dfe \u263a"));
}

TEST(KeyedArchivePlatformForm, AttributedTextWithSeveralRuns)
{
    const auto text = decodeRootOf<ArchivedText::Text>(fixture(QStringLiteral("text_runs.bplist")),
                                                       &ArchivedText::decode);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->string, QString(150, QLatin1Char('a')) + QString(50, QLatin1Char('b')));
    ASSERT_EQ(text->runs.size(), 2);
    EXPECT_EQ(text->runs[0].length, 150);
    EXPECT_EQ(text->runs[0].font, FontSpec(QStringLiteral("Times New Roman"), 12, QStringLiteral("TimesNewRomanPSMT")));
    EXPECT_EQ(text->runs[0].colour, Colour::rgb(1, 0, 0));
    EXPECT_EQ(text->runs[1].length, 50);
    EXPECT_EQ(text->runs[1].font, FontSpec(QStringLiteral("Arial"), 20, QStringLiteral("ArialMT")));
    EXPECT_EQ(text->runs[1].colour, Colour::white());

    const auto single = decodeRootOf<ArchivedText::Text>(fixture(QStringLiteral("text_single.bplist")),
                                                         &ArchivedText::decode);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->string, QStringLiteral("Hello"));
    ASSERT_EQ(single->runs.size(), 1);
    EXPECT_EQ(single->runs[0].length, 5);
    EXPECT_EQ(single->runs[0].font.pointSize(), 9.0);
    EXPECT_FALSE(single->runs[0].colour.isValid());
}
