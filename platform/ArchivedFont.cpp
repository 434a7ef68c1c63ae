#include "platform/ArchivedFont.h"

#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/PostScriptNames.h"

#include <algorithm>
#include <cmath>

namespace {
const QStringList fontClasses {QStringLiteral("NSFont"), QStringLiteral("NSObject")};
// Longer names are not font names; they are refused rather than looked up.
constexpr qsizetype maxNameLength = 256;
// Far beyond any card; larger sizes from a damaged archive are cut to it.
constexpr double maxSize = 10000;
}

quint64 ArchivedFont::encode(KeyedArchiver& archiver, const FontSpec& font)
{
    if (font.family().isEmpty() && font.postScriptName().isEmpty())
        return 0;
    // The PostScript name names the face as well as the family.
    const QString name = font.postScriptName().isEmpty()
                             ? PostScriptNames::postScriptNameFor(font.family(), font.weight(), font.italic())
                             : font.postScriptName();
    const double size = font.pointSize() > 0 ? font.pointSize() : defaultSize;
    // Fonts are shared when name and size are equal; the size's bits stand
    // for the number, as no two sizes that differ write alike.
    QByteArray uniquingKey;
    uniquingKey.reserve(5 + sizeof size + name.size() * qsizetype(sizeof(char16_t)));
    uniquingKey.append("font ", 5);
    uniquingKey.append(reinterpret_cast<const char*>(&size), sizeof size);
    uniquingKey.append(reinterpret_cast<const char*>(name.utf16()), name.size() * qsizetype(sizeof(char16_t)));
    return archiver.addObject(
        fontClasses,
        [&](KeyedArchiver& a) {
            a.encodeString(QStringLiteral("NSName"), name);
            a.encodeDouble(QStringLiteral("NSSize"), size);
            a.encodeInt(QStringLiteral("NSfFlags"), defaultFlags);
        },
        uniquingKey);
}

std::optional<FontSpec> ArchivedFont::decode(KeyedUnarchiver& coder)
{
    if (!coder.current().isDictionary())
        return std::nullopt;
    const QString name = coder.decodeString(QStringLiteral("NSName"));
    if (name.trimmed().isEmpty() || name.size() > maxNameLength)
        return std::nullopt;
    double size = coder.decodeDouble(QStringLiteral("NSSize"));
    if (!std::isfinite(size) || size <= 0)
        size = defaultSize;
    size = std::min(size, maxSize);
    const PostScriptNames::Face face = PostScriptNames::faceFor(name);
    return FontSpec(PostScriptNames::familyFor(name), size, name, face.weight, face.italic);
}

QByteArray ArchivedFont::archivedData(const FontSpec& font)
{
    KeyedArchiver archiver;
    return archiver.archive(encode(archiver, font));
}

std::optional<FontSpec> ArchivedFont::fromArchivedData(const QByteArray& data)
{
    KeyedUnarchiver coder(data);
    return coder.decodeRoot<FontSpec>(&ArchivedFont::decode);
}
