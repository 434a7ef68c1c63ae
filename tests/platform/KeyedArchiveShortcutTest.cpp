// The archive layer takes shortcuts for speed: numbers written without the
// locale, numbers found without a regular expression, large objects made
// from a cached dictionary of the same shape, pictures encoded once, keys of
// large objects indexed. Each must give exactly what the plain way gives.
#include "platform/ArchivedPicture.h"
#include "platform/Colour.h"
#include "platform/GeometryString.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/Picture.h"
#include "platform/PlistValue.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <set>
#include <thread>

namespace {

// What GeometryString::number writes, the plain way.
QString referenceNumber(double v)
{
    if (!std::isfinite(v) || v == 0)
        v = 0;
    return QLocale::c().toString(v, 'g', QLocale::FloatingPointShortest);
}

// What GeometryString reads from a text, the plain way: every match of the
// number pattern, in order.
QList<double> referenceNumbers(const QString& text, int count)
{
    static const QRegularExpression pattern(QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    QList<double> out(count, 0.0);
    int i = 0;
    auto it = pattern.globalMatch(text);
    while (i < count && it.hasNext()) {
        bool ok = false;
        const double v = QLocale::c().toDouble(it.next().capturedView(), &ok);
        out[i++] = (ok && std::isfinite(v)) ? v : 0;
    }
    return out;
}

const QStringList testClasses {QStringLiteral("TestObject"), QStringLiteral("NSObject")};

// An object of 30 keys of every scalar kind; `n` varies the values.
QByteArray wideArchive(int n)
{
    return KeyedArchiver::archivedData(testClasses, [n](KeyedArchiver& a) {
        for (int k = 0; k < 6; ++k) {
            a.encodeBool(QStringLiteral("bool%1").arg(k), (n + k) % 2);
            a.encodeInt(QStringLiteral("int%1").arg(k), qint64(n) * 1000003 - k);
            a.encodeDouble(QStringLiteral("real%1").arg(k), n / 7.0 + k);
            a.encodeBytes(QStringLiteral("data%1").arg(k), QByteArray(n % 5 + k, char('a' + k)));
            a.encodeString(QStringLiteral("string%1").arg(k), QStringLiteral("text %1").arg(n % 3 + k));
        }
        a.encodeInt(QStringLiteral("$escaped"), -n);
    });
}

// The same archive made on a new thread, whose cache of shapes is empty, so
// every dictionary is built key by key.
QByteArray wideArchiveOnFreshThread(int n)
{
    QByteArray result;
    std::thread worker([&] { result = wideArchive(n); });
    worker.join();
    return result;
}

// A hand-written binary property list: {"$objects": ["$null", D], "$top":
// {"root": UID 1}} where D holds `keys` with integer values 0, 1, 2... in
// order, repeated keys included.
QByteArray archiveWithKeys(const QList<QByteArray>& keys)
{
    QList<QByteArray> objects;
    auto add = [&](const QByteArray& encoded) {
        objects.append(encoded);
        return quint8(objects.size() - 1);
    };
    auto string = [&](const QByteArray& s) { return add(char(0x50 | s.size()) + s); };
    auto integer = [&](int v) { return add(QByteArray(1, char(0x10)) + char(v)); };
    auto counted = [](quint8 marker, int n) {
        return n < 15 ? QByteArray(1, char(marker | n)) : QByteArray(1, char(marker | 0x0F)) + char(0x10) + char(n);
    };
    const quint8 root = add({}); // filled in last
    QByteArray dictKeys;
    QByteArray dictValues;
    for (int i = 0; i < keys.size(); ++i) {
        dictKeys.append(char(string(keys[i])));
        dictValues.append(char(integer(i)));
    }
    const quint8 dict = add(counted(0xD0, int(keys.size())) + dictKeys + dictValues);
    const quint8 null = string("$null");
    const quint8 list = add(counted(0xA0, 2) + char(null) + char(dict));
    const quint8 uid = add(QByteArray(1, char(0x80)) + char(1));
    const quint8 top = add(counted(0xD0, 1) + char(string("root")) + char(uid));
    objects[root] = counted(0xD0, 2) + char(string("$objects")) + char(string("$top")) + char(list) + char(top);

    QByteArray data = "bplist00";
    QByteArray offsets;
    for (const QByteArray& o : objects) {
        offsets.append(char(data.size() >> 8));
        offsets.append(char(data.size() & 0xFF));
        data += o;
    }
    const qsizetype tableOffset = data.size();
    data += offsets;
    data += QByteArray(6, '\0');
    data += char(2); // offset size
    data += char(1); // reference size
    for (quint64 v : {quint64(objects.size()), quint64(root), quint64(tableOffset)})
        for (int s = 56; s >= 0; s -= 8)
            data.append(char((v >> s) & 0xFF));
    return data;
}

// Reads the integers of `keys` from the root object of `data`.
QList<int> readInts(const QByteArray& data, const QStringList& keys)
{
    QList<int> result;
    KeyedUnarchiver coder(data);
    EXPECT_TRUE(coder.isValid());
    coder.decodeRoot<bool>([&](KeyedUnarchiver& c) -> std::optional<bool> {
        for (const QString& key : keys)
            result.append(c.containsKey(key) ? c.decodeInt(key) : -1);
        return true;
    });
    return result;
}

} // namespace

TEST(KeyedArchiveShortcut, NumbersAreWrittenAsTheCLocaleWritesThem)
{
    QRandomGenerator random(1234);
    auto expectSame = [](double v) { ASSERT_EQ(GeometryString::number(v), referenceNumber(v)) << v; };
    for (int i = 0; i < 100000; ++i) {
        const quint64 bits = random.generate64();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        expectSame(v);
        expectSame(double(qint64(random.bounded(2000000)) - 1000000) / 100.0);
        expectSame(double(float(std::ldexp(double(random.bounded(100000)), int(random.bounded(80)) - 40))));
    }
    for (int e = -325; e <= 310; ++e)
        for (int m : {1, 3, 9, 12, 99, 101, 123456789})
            expectSame(m * std::pow(10.0, e));
    for (double v : {0.0, -0.0, 1e15, 999999999999999.9, 1e15 - 1, 1e16 + 2, -1e17, 1e21, 5e-324, 1e-5, 1e-4,
                     std::nan(""), HUGE_VAL, 1.3, double(1.3f), 100000.0, 12345.678})
        expectSame(v);
}

TEST(KeyedArchiveShortcut, NumbersAreFoundAsThePatternFindsThem)
{
    const QString alphabet = QStringLiteral("0123456789.+-eE{}, x\u00e9\u0663");
    QRandomGenerator random(99);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = int(random.bounded(24));
        for (int k = 0; k < length; ++k)
            text.append(alphabet[qsizetype(random.bounded(quint32(alphabet.size())))]);
        const QList<double> expected = referenceNumbers(text, 4);
        const QRectF rect = GeometryString::toRect(text);
        ASSERT_EQ((QList<double> {rect.x(), rect.y(), rect.width(), rect.height()}), expected) << text.toStdString();
    }
}

TEST(KeyedArchiveShortcut, LargeObjectsFromACachedShapeAreTheSameBytes)
{
    // The first archive of a shape is built key by key and leaves its shape
    // behind; later ones of the same shape are made from it.
    for (int n = 0; n < 40; ++n)
        EXPECT_EQ(wideArchive(n), wideArchiveOnFreshThread(n)) << n;

    // Same keys and kinds with other values, and a key written twice (which
    // keeps its first place with the last value), stay correct.
    auto twice = [](int v) {
        return KeyedArchiver::archivedData(testClasses, [v](KeyedArchiver& a) {
            for (int k = 0; k < 14; ++k)
                a.encodeInt(QStringLiteral("k%1").arg(k), v + k);
            a.encodeInt(QStringLiteral("k3"), -v);
        });
    };
    for (int v : {1, 2}) {
        QByteArray fresh;
        std::thread worker([&] { fresh = twice(v); });
        worker.join();
        EXPECT_EQ(twice(v), fresh);
        QStringList keys;
        for (int k = 0; k < 14; ++k)
            keys.append(QStringLiteral("k%1").arg(k));
        const QList<int> values = readInts(twice(v), keys);
        EXPECT_EQ(values[3], -v);
        EXPECT_EQ(values[13], v + 13);
    }
}

TEST(KeyedArchiveShortcut, PicturesAreEncodedOncePerSize)
{
    QImage image(7, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30, 128));
    Picture picture(image, QSizeF(3.5, 1.5));
    int made = 0;
    auto make = [&](const Picture& p) {
        ++made;
        return ArchivedPicture::tiffData(p);
    };
    const QByteArray first = picture.cachedData("archived TIFF", make);
    EXPECT_EQ(first, ArchivedPicture::tiffData(picture));
    const Picture copy = picture;
    EXPECT_EQ(copy.cachedData("archived TIFF", make), first);
    EXPECT_EQ(made, 1);

    // Another size is another resolution in the file.
    picture.setSize(QSizeF(7, 3));
    const QByteArray resized = picture.cachedData("archived TIFF", make);
    EXPECT_EQ(made, 2);
    EXPECT_NE(resized, first);
    EXPECT_EQ(resized, ArchivedPicture::tiffData(picture));
    EXPECT_EQ(copy.cachedData("archived TIFF", make), first);
    EXPECT_EQ(made, 2);

    // The archive of a picture is the same whether or not its bytes were kept.
    const Picture fresh(image, QSizeF(3.5, 1.5));
    auto archiveOf = [](const Picture& p) {
        return KeyedArchiver::archivedData(testClasses, [&](KeyedArchiver& a) { a.encodePicture("p", p); });
    };
    EXPECT_EQ(archiveOf(copy), archiveOf(fresh));
}

TEST(KeyedArchiveShortcut, KeysOfLargeObjectsAreFoundAsLibplistFindsThem)
{
    // Small objects are looked up directly, large ones through an index; a
    // repeated key reads the first of its values either way.
    for (int size : {4, 12, 13, 40}) {
        QList<QByteArray> keys;
        QStringList names;
        for (int k = 0; k < size; ++k) {
            keys.append("key" + QByteArray::number(k));
            names.append(QStringLiteral("key%1").arg(k));
        }
        keys.append("key1");
        names.append(QStringLiteral("missing"));
        const QByteArray archive = archiveWithKeys(keys);
        const QList<int> values = readInts(archive, names);
        ASSERT_EQ(values.size(), size + 1);
        for (int k = 0; k < size; ++k)
            EXPECT_EQ(values[k], k) << size;
        EXPECT_EQ(values[size], -1);

        // Out of order, and again.
        QStringList backwards(names.rbegin(), names.rend());
        backwards += names;
        const QList<int> again = readInts(archive, backwards);
        for (int k = 0; k < size; ++k) {
            EXPECT_EQ(again[size - k], k) << size;
            EXPECT_EQ(again[size + 1 + k], k) << size;
        }
    }
    // Without repeated keys, in a different order.
    QList<QByteArray> keys;
    QStringList names;
    for (int k = 30; k > 0; --k) {
        keys.append("k" + QByteArray::number(k * 7 % 31));
        names.append(QStringLiteral("k%1").arg(k * 7 % 31));
    }
    const QList<int> values = readInts(archiveWithKeys(keys), names);
    for (int k = 0; k < 30; ++k)
        EXPECT_EQ(values[k], k);
}

TEST(KeyedArchiveShortcut, ColoursAreSharedWhenTheirArchivedFormsAreEqual)
{
    // Colours are shared by the text they are archived as, which writes -0
    // and numbers that are not finite as "0" and leaves out an alpha of 1.
    const Colour colours[] = {
        Colour::rgb(0, 0.5, 1),
        Colour::rgb(-0.0, 0.5, 1),
        Colour::rgb(std::nan(""), 0.5, 1, 1.0),
        Colour::rgb(0, 0.5, 1, 1.0, Colour::Space::CalibratedRGB),   // another space
        Colour::rgb(0, 0.5, std::nextafter(1.0, 0.0)),                // another number
        Colour::rgb(0, 0.5, 1, 0.5),
        Colour::rgb(0, 0.5, 1, 0.5),
        Colour::grey(0.5),
        Colour::grey(0.5, 1.0, Colour::Space::DeviceWhite),
    };
    const QByteArray data = KeyedArchiver::archivedData(testClasses, [&](KeyedArchiver& a) {
        int i = 0;
        for (const Colour& c : colours)
            a.encodeColour(QStringLiteral("c%1").arg(i++), c);
    });
    const PlistValue archive = PlistValue::fromData(data);
    const PlistNode root = archive.node().value("$objects").at(1);
    auto uidOf = [&](int i) { return root.value(QStringLiteral("c%1").arg(i)).uid().value_or(0); };
    EXPECT_EQ(uidOf(1), uidOf(0));
    EXPECT_EQ(uidOf(2), uidOf(0));
    EXPECT_NE(uidOf(3), uidOf(0));
    EXPECT_NE(uidOf(4), uidOf(0));
    EXPECT_NE(uidOf(5), uidOf(0));
    EXPECT_EQ(uidOf(6), uidOf(5));
    EXPECT_NE(uidOf(8), uidOf(7));
    std::set<quint64> distinct;
    for (int i = 0; i < 9; ++i)
        distinct.insert(uidOf(i));
    EXPECT_EQ(distinct.size(), 6u);
}
