#include "platform/ArchivedPicture.h"

#include "platform/ArchivedColour.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cmath>

namespace {
const QStringList imageClasses {QStringLiteral("NSImage"), QStringLiteral("NSObject")};
const QStringList bitmapClasses {QStringLiteral("NSBitmapImageRep"), QStringLiteral("NSImageRep"),
                                 QStringLiteral("NSObject")};
const QStringList mutableArrayClasses {QStringLiteral("NSMutableArray"), QStringLiteral("NSArray"),
                                       QStringLiteral("NSObject")};
constexpr double inchesPerMetre = 1.0 / 0.0254;

// Dots per metre that make `pixels` cover `points` (72 to the inch).
int dotsPerMetre(int pixels, double points)
{
    if (!(points > 0) || !std::isfinite(points) || pixels <= 0)
        return int(std::lround(72.0 * inchesPerMetre));
    const double dpi = pixels * 72.0 / points;
    return int(std::clamp(std::lround(dpi * inchesPerMetre), 1L, 100000000L));
}

std::optional<QImage> imageFromData(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // TIFF, the form pictures are archived in, is named to the reader so it
    // does not ask every picture format whether it can read the data.
    const bool tiff = bytes.startsWith(QByteArrayLiteral("II*\0")) || bytes.startsWith(QByteArrayLiteral("MM\0*"));
    QImageReader reader(&buffer, tiff ? QByteArrayLiteral("tiff") : QByteArray());
    QImage image = reader.read();
    if (image.isNull() && tiff) {
        buffer.seek(0);
        QImageReader anyFormat(&buffer);
        image = anyFormat.read();
    }
    if (image.isNull())
        return std::nullopt;
    return image;
}
} // namespace

QByteArray ArchivedPicture::tiffData(const Picture& picture)
{
    if (picture.isNull())
        return {};
    QImage image = picture.image();
    const QSizeF size = picture.size();
    image.setDotsPerMeterX(dotsPerMetre(image.width(), size.width()));
    image.setDotsPerMeterY(dotsPerMetre(image.height(), size.height()));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    writer.setCompression(1); // LZW
    if (!writer.write(image))
        return {};
    return bytes;
}

quint64 ArchivedPicture::encode(KeyedArchiver& archiver, const Picture& picture)
{
    // Encoding is slow and an unchanged picture gives the same bytes, so
    // they are kept with the picture for the next time it is archived.
    const QByteArray tiff = picture.cachedData("archived TIFF", &ArchivedPicture::tiffData);
    if (tiff.isEmpty())
        return 0;
    QSizeF size = picture.size();
    if (!(size.width() > 0 && size.height() > 0))
        size = Picture::sizeInPoints(picture.image());
    return archiver.addObject(imageClasses, [&](KeyedArchiver& a) {
        const quint64 rep = a.addObject(bitmapClasses, [&](KeyedArchiver& r) {
            r.encodeReference(QStringLiteral("NSTIFFRepresentation"), r.addData(tiff));
        });
        const quint64 entry = a.addArray({a.addInteger(0), rep});
        a.encodeReference(QStringLiteral("NSReps"), a.addArray({entry}, mutableArrayClasses));
        a.encodeSize(QStringLiteral("NSSize"), size);
        a.encodeColour(QStringLiteral("NSColor"), Colour::grey(0, 0));
    });
}

std::optional<QImage> ArchivedPicture::decodeRepresentation(KeyedUnarchiver& coder)
{
    if (!coder.current().isDictionary())
        return std::nullopt;
    if (auto image = imageFromData(coder.decodeBytes(QStringLiteral("NSTIFFRepresentation"))))
        return image;
    // Other representations keep their data under keys of their own: try
    // every data value the representation holds.
    for (const QString& key : coder.current().keys()) {
        if (key == QLatin1String("NSTIFFRepresentation") || key.startsWith(QLatin1Char('$')))
            continue;
        if (auto image = imageFromData(coder.decodeBytes(key)))
            return image;
    }
    return std::nullopt;
}

std::optional<Picture> ArchivedPicture::decode(KeyedUnarchiver& coder)
{
    if (!coder.current().isDictionary())
        return std::nullopt;
    std::optional<QImage> image;
    for (const PlistNode& element : coder.arrayElements(QStringLiteral("NSReps"))) {
        // Each element is an array [number, representation...], or (in
        // older archives) a representation itself.
        const auto inner = coder.decodeReference<QList<PlistNode>>(
            element, [](KeyedUnarchiver& c) -> std::optional<QList<PlistNode>> {
                if (!c.current().isDictionary() || !c.containsKey(QStringLiteral("NS.objects"))
                    || c.containsKey(QStringLiteral("NS.keys")))
                    return std::nullopt;
                return c.arrayElements();
            });
        const QList<PlistNode> candidates = inner ? *inner : QList<PlistNode> {element};
        for (const PlistNode& rep : candidates) {
            image = coder.decodeReference<QImage>(rep, &ArchivedPicture::decodeRepresentation);
            if (image)
                break;
        }
        if (image)
            break;
    }
    if (!image)
        return std::nullopt;
    const QSizeF size = coder.decodeSize(QStringLiteral("NSSize"));
    if (size.width() > 0 && size.height() > 0)
        return Picture(*image, size);
    return Picture(*image);
}

QByteArray ArchivedPicture::archivedData(const Picture& picture)
{
    KeyedArchiver archiver;
    return archiver.archive(encode(archiver, picture));
}

std::optional<Picture> ArchivedPicture::fromArchivedData(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    return coder.decodeRoot<Picture>(&ArchivedPicture::decode);
}
