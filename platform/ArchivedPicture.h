#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <optional>

class KeyedArchiver;
class KeyedUnarchiver;

// The platform's archived picture: {"NSReps": [[0, bitmap representation]],
// "NSSize": "{w, h}", "NSColor": clear} whose bitmap representation holds
// the pixels as TIFF data ("NSTIFFRepresentation"). The TIFF records the
// resolution that makes the pixels cover the picture's size in points, so the
// size survives even where "NSSize" is not read.
//
// Reading takes the first representation whose data is a picture Qt can
// decode (TIFF, PNG, JPEG...), whatever key holds it; the size comes from
// "NSSize" when present, else from the picture's resolution.
class ArchivedPicture
{
public:
    static quint64 encode(KeyedArchiver& archiver, const Picture& picture);   // 0 (nil) for no picture
    static std::optional<Picture> decode(KeyedUnarchiver& coder);

    // A keyed archive whose root is the picture, and the picture of one.
    static QByteArray archivedData(const Picture& picture);
    static std::optional<Picture> fromArchivedData(const QByteArray& data);

    // TIFF data of the picture whose resolution maps its pixels onto its size
    // in points; empty when it cannot be written.
    static QByteArray tiffData(const Picture& picture);

private:
    static std::optional<QImage> decodeRepresentation(KeyedUnarchiver& coder);
};
