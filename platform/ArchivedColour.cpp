#include "platform/ArchivedColour.h"

#include "platform/GeometryString.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

#include <cmath>
#include <cstring>

namespace {
enum ArchivedSpace {
    CalibratedRGB = 1,
    DeviceRGB = 2,
    CalibratedWhite = 3,
    DeviceWhite = 4,
    DeviceCMYK = 5,
    Catalog = 6,
};

const QStringList colourClasses {QStringLiteral("NSColor"), QStringLiteral("NSObject")};
} // namespace

QByteArray ArchivedColour::componentText(const Colour& colour)
{
    QStringList parts;
    for (int i = 0; i < colour.componentCount(); ++i)
        parts.append(GeometryString::number(colour.component(i)));
    if (colour.alpha() != 1.0)
        parts.append(GeometryString::number(colour.alpha()));
    return parts.join(QLatin1Char(' ')).toLatin1();
}

quint64 ArchivedColour::encode(KeyedArchiver& archiver, const Colour& given)
{
    if (!given.isValid())
        return 0;
    Colour colour = given;
    if (colour.space() == Colour::Space::DeviceCMYK)
        colour = Colour::fromQColor(colour.toQColor());
    const bool white = colour.space() == Colour::Space::CalibratedWhite || colour.space() == Colour::Space::DeviceWhite;
    const int space = int(colour.space());
    // Colours are shared when their archived forms are equal: the same space
    // and the same component text. The text writes every finite number
    // differently, except that -0 and numbers that are not finite all read
    // "0", and alpha is written only when it is not 1; the key holds the
    // numbers so, without writing the text.
    auto exact = [](double v) { return (std::isfinite(v) && v != 0) ? v : 0.0; };
    double numbers[6] = {};
    int count = 0;
    for (int i = 0; i < colour.componentCount(); ++i)
        numbers[count++] = exact(colour.component(i));
    if (colour.alpha() != 1.0)
        numbers[count++] = exact(colour.alpha());
    char key[6 + 2 + sizeof numbers];
    std::memcpy(key, "colour", 6);
    key[6] = char(space);
    key[7] = char(count);
    std::memcpy(key + 8, numbers, sizeof(double) * size_t(count));
    const QByteArray uniquingKey = QByteArray::fromRawData(key, 8 + qsizetype(sizeof(double)) * count);
    return archiver.addObject(
        colourClasses,
        [&](KeyedArchiver& a) {
            QByteArray text = componentText(colour);
            text.append('\0');
            a.encodeInt(QStringLiteral("NSColorSpace"), space);
            a.encodeBytes(white ? QStringLiteral("NSWhite") : QStringLiteral("NSRGB"), text);
        },
        uniquingKey);
}

QByteArray ArchivedColour::archivedData(const Colour& colour)
{
    KeyedArchiver archiver;
    return archiver.archive(encode(archiver, colour));
}

std::optional<Colour> ArchivedColour::fromArchivedData(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    return coder.decodeRoot<Colour>(&ArchivedColour::decode);
}

QList<double> ArchivedColour::parseComponents(const QByteArray& bytes)
{
    QByteArray text = bytes;
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    QList<double> result;
    for (const QByteArray& part : text.simplified().split(' ')) {
        if (part.isEmpty())
            continue;
        bool ok = false;
        const double v = part.toDouble(&ok);   // C locale
        if (!ok || !std::isfinite(v))
            return {};
        result.append(v);
        if (result.size() > 5)
            return {};
    }
    return result;
}

std::optional<Colour> ArchivedColour::decode(KeyedUnarchiver& coder)
{
    if (!coder.current().isDictionary())
        return std::nullopt;
    const int space = coder.decodeInt(QStringLiteral("NSColorSpace"));
    if (space == Catalog) {
        // A named system colour; the archive carries what it looked like.
        return coder.decodeObject<Colour>(QStringLiteral("NSColor"), &ArchivedColour::decode);
    }
    auto alphaAt = [](const QList<double>& v, qsizetype i) { return v.size() > i ? v[i] : 1.0; };
    if (space == DeviceCMYK) {
        QByteArray text = coder.decodeBytes(QStringLiteral("NSCMYK"));
        if (text.isEmpty())
            text = coder.decodeBytes(QStringLiteral("NSCYMK"));
        const QList<double> v = parseComponents(text);
        if (v.size() < 4)
            return std::nullopt;
        return Colour::cmyk(v[0], v[1], v[2], v[3], alphaAt(v, 4));
    }
    // RGB and white by their space, then by whichever text is present (a
    // space this reader does not know may still carry one).
    const bool whiteSpace = space == CalibratedWhite || space == DeviceWhite;
    const bool rgbSpace = space == CalibratedRGB || space == DeviceRGB;
    if (rgbSpace || (!whiteSpace && coder.containsKey(QStringLiteral("NSRGB")))) {
        const QList<double> v = parseComponents(coder.decodeBytes(QStringLiteral("NSRGB")));
        if (v.size() < 3)
            return std::nullopt;
        const auto s = space == CalibratedRGB ? Colour::Space::CalibratedRGB : Colour::Space::DeviceRGB;
        return Colour::rgb(v[0], v[1], v[2], alphaAt(v, 3), s);
    }
    if (whiteSpace || coder.containsKey(QStringLiteral("NSWhite"))) {
        const QList<double> v = parseComponents(coder.decodeBytes(QStringLiteral("NSWhite")));
        if (v.isEmpty())
            return std::nullopt;
        const auto s = space == DeviceWhite ? Colour::Space::DeviceWhite : Colour::Space::CalibratedWhite;
        return Colour::grey(v[0], alphaAt(v, 1), s);
    }
    return std::nullopt;
}
