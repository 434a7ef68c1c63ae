#pragma once

#include "platform/FontSpec.h"

#include <QByteArray>
#include <optional>

class KeyedArchiver;
class KeyedUnarchiver;

// The platform's archived font: {"NSName": PostScript name, "NSSize": points,
// "NSfFlags": flags}. A font read from an archive keeps its PostScript name,
// so it is written back under the same name, and takes the face that name
// stands for; a font chosen here is written under the PostScript name of its
// face ("DejaVuSans-Bold").
class ArchivedFont
{
public:
    static quint64 encode(KeyedArchiver& archiver, const FontSpec& font);   // 0 (nil) for no font
    static std::optional<FontSpec> decode(KeyedUnarchiver& coder);

    // A keyed archive whose root is the font, and the font of one.
    static QByteArray archivedData(const FontSpec& font);
    static std::optional<FontSpec> fromArchivedData(const QByteArray& data);

    // The flags written with every font (the value observed in archives
    // made by the platform for ordinary fonts).
    static constexpr int defaultFlags = 16;
    // A font archived without a usable size gets the platform's default.
    static constexpr double defaultSize = 12.0;
};
