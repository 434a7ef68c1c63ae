#include "platform/PostScriptNames.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

namespace {

struct KnownFont {
    const char* family;
    const char* postScriptName;
    int weight;
    bool italic;
};

// Faces of fonts that designs made elsewhere commonly name, the regular face
// of each family first.
constexpr KnownFont knownFonts[] = {
    {"Times New Roman", "TimesNewRomanPSMT", 400, false},
    {"Times New Roman", "TimesNewRomanPS-BoldMT", 700, false},
    {"Times New Roman", "TimesNewRomanPS-ItalicMT", 400, true},
    {"Times New Roman", "TimesNewRomanPS-BoldItalicMT", 700, true},
    {"Arial", "ArialMT", 400, false},
    {"Arial", "Arial-BoldMT", 700, false},
    {"Arial", "Arial-ItalicMT", 400, true},
    {"Arial", "Arial-BoldItalicMT", 700, true},
    {"Courier New", "CourierNewPSMT", 400, false},
    {"Courier New", "CourierNewPS-BoldMT", 700, false},
    {"Courier New", "CourierNewPS-ItalicMT", 400, true},
    {"Courier New", "CourierNewPS-BoldItalicMT", 700, true},
    {"Helvetica", "Helvetica", 400, false},
    {"Helvetica", "Helvetica-Bold", 700, false},
    {"Helvetica", "Helvetica-Oblique", 400, true},
    {"Helvetica", "Helvetica-BoldOblique", 700, true},
    {"Helvetica Neue", "HelveticaNeue", 400, false},
    {"Helvetica Neue", "HelveticaNeue-Bold", 700, false},
    {"Helvetica Neue", "HelveticaNeue-Italic", 400, true},
    {"Helvetica Neue", "HelveticaNeue-BoldItalic", 700, true},
    {"Lucida Grande", "LucidaGrande", 400, false},
    {"Lucida Grande", "LucidaGrande-Bold", 700, false},
    {"Times", "Times-Roman", 400, false},
    {"Times", "Times-Bold", 700, false},
    {"Times", "Times-Italic", 400, true},
    {"Times", "Times-BoldItalic", 700, true},
    {"Courier", "Courier", 400, false},
    {"Courier", "Courier-Bold", 700, false},
    {"Courier", "Courier-Oblique", 400, true},
    {"Courier", "Courier-BoldOblique", 700, true},
    {"Georgia", "Georgia", 400, false},
    {"Georgia", "Georgia-Bold", 700, false},
    {"Georgia", "Georgia-Italic", 400, true},
    {"Georgia", "Georgia-BoldItalic", 700, true},
    {"Verdana", "Verdana", 400, false},
    {"Verdana", "Verdana-Bold", 700, false},
    {"Verdana", "Verdana-Italic", 400, true},
    {"Verdana", "Verdana-BoldItalic", 700, true},
    {"Monaco", "Monaco", 400, false},
};

// Face weights by the words that name them, the longer words first so that
// "SemiBold" is not taken for "Bold".
constexpr std::pair<const char*, int> weightWords[] = {
    {"extralight", 200}, {"ultralight", 200}, {"semibold", 600}, {"demibold", 600}, {"extrabold", 800},
    {"ultrabold", 800},  {"thin", 100},       {"light", 300},    {"medium", 500},   {"bold", 700},
    {"heavy", 900},      {"black", 900},
};

constexpr std::pair<int, const char*> faceWords[] = {
    {100, "Thin"}, {200, "ExtraLight"}, {300, "Light"}, {500, "Medium"},
    {600, "SemiBold"}, {700, "Bold"}, {800, "ExtraBold"}, {900, "Black"},
};

// A weight of the face tables: the nearest of 100, 200 ... 900.
int roundedWeight(int weight)
{
    return std::clamp((weight + 50) / 100 * 100, 100, 900);
}

int openTypeWeight(FcPattern* font)
{
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
    return FcWeightToOpenType(weight);
}

bool isItalic(FcPattern* font)
{
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(font, FC_SLANT, 0, &slant);
    return slant != FC_SLANT_ROMAN;
}

// Names come from untrusted archives, so the caches stay bounded.
constexpr qsizetype maxCached = 512;
QMutex cacheMutex;
QHash<QString, QString> familyCache;
QHash<QString, QString> postScriptCache;
QHash<QString, QString> fullNameCache;
QHash<QString, PostScriptNames::Face> faceCache;

QString fcString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

// Calls `each` with every installed font whose `object` is `value`, with
// the `wanted` objects filled in.
void forEachFont(const char* object, const QString& value, std::initializer_list<const char*> wanted,
                 const std::function<void(FcPattern*)>& each)
{
    if (!FcInit())
        return;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, object, reinterpret_cast<const FcChar8*>(value.toUtf8().constData()));
    FcObjectSet* objects = FcObjectSetCreate();
    for (const char* w : wanted)
        FcObjectSetAdd(objects, w);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont; ++i)
        each(fonts->fonts[i]);
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
}

// The cached answer for `key`, else `compute`'s, which is kept.
template <typename T>
T cached(QHash<QString, T>& cache, const QString& key, const std::function<T()>& compute)
{
    {
        QMutexLocker lock(&cacheMutex);
        const auto found = cache.constFind(key);
        if (found != cache.constEnd())
            return *found;
    }
    const T value = compute();
    QMutexLocker lock(&cacheMutex);
    if (cache.size() > maxCached)
        cache.clear();
    cache.insert(key, value);
    return value;
}

} // namespace

QString PostScriptNames::installedFamily(const QString& postScriptName)
{
    QString family;
    forEachFont(FC_POSTSCRIPT_NAME, postScriptName, {FC_FAMILY}, [&](FcPattern* font) {
        if (family.isEmpty())
            family = fcString(font, FC_FAMILY);
    });
    return family;
}

QString PostScriptNames::installedPostScriptName(const QString& family, const Face& face)
{
    QString best;
    int bestScore = 0;
    forEachFont(FC_FAMILY, family, {FC_POSTSCRIPT_NAME, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_FAMILY},
                [&](FcPattern* font) {
        const QString name = fcString(font, FC_POSTSCRIPT_NAME);
        if (name.isEmpty())
            return;
        int width = FC_WIDTH_NORMAL;
        FcPatternGetInteger(font, FC_WIDTH, 0, &width);
        // The face nearest in weight and slant wins; of those, one of normal
        // width that goes by the family's own name.
        const int score = 10000 - std::abs(openTypeWeight(font) - face.weight) * 4
                          - (isItalic(font) == face.italic ? 0 : 5000) - std::abs(width - FC_WIDTH_NORMAL)
                          - (fcString(font, FC_FAMILY) == family ? 0 : 1);
        if (best.isEmpty() || score > bestScore || (score == bestScore && name < best)) {
            best = name;
            bestScore = score;
        }
    });
    return best;
}

QString PostScriptNames::installedFullName(const QString& postScriptName)
{
    if (postScriptName.isEmpty())
        return {};
    return cached<QString>(fullNameCache, postScriptName, [&] {
        QString fullName;
        forEachFont(FC_POSTSCRIPT_NAME, postScriptName, {FC_FULLNAME}, [&](FcPattern* font) {
            if (fullName.isEmpty())
                fullName = fcString(font, FC_FULLNAME);
        });
        return fullName;
    });
}

PostScriptNames::Face PostScriptNames::faceFromShape(const QString& postScriptName)
{
    Face face;
    if (!postScriptName.contains(QLatin1Char('-')))
        return face;
    const QString style = postScriptName.section(QLatin1Char('-'), 1).toLower();
    for (const auto& [word, weight] : weightWords) {
        if (style.contains(QLatin1String(word))) {
            face.weight = weight;
            break;
        }
    }
    face.italic = style.contains(QLatin1String("italic")) || style.contains(QLatin1String("oblique"));
    return face;
}

QString PostScriptNames::familyFromShape(const QString& postScriptName)
{
    QString base = postScriptName.section(QLatin1Char('-'), 0, 0);
    for (const char* suffix : {"PSMT", "MT", "PS"}) {
        if (base.size() > int(qstrlen(suffix)) && base.endsWith(QLatin1String(suffix))) {
            base.chop(int(qstrlen(suffix)));
            break;
        }
    }
    QString family;
    for (qsizetype i = 0; i < base.size(); ++i) {
        if (i > 0 && base[i].isUpper() && base[i - 1].isLower())
            family.append(QLatin1Char(' '));
        family.append(base[i]);
    }
    return family;
}

QString PostScriptNames::familyFor(const QString& postScriptName)
{
    if (postScriptName.isEmpty())
        return {};
    return cached<QString>(familyCache, postScriptName, [&] {
        QString family = installedFamily(postScriptName);
        if (!family.isEmpty())
            return family;
        const QString base = postScriptName.section(QLatin1Char('-'), 0, 0);
        for (const KnownFont& f : knownFonts) {
            if (postScriptName == QLatin1String(f.postScriptName)
                || base == QString::fromLatin1(f.postScriptName).section(QLatin1Char('-'), 0, 0))
                return QString::fromLatin1(f.family);
        }
        return familyFromShape(postScriptName);
    });
}

PostScriptNames::Face PostScriptNames::faceFor(const QString& postScriptName)
{
    if (postScriptName.isEmpty())
        return {};
    return cached<Face>(faceCache, postScriptName, [&] {
        std::optional<Face> installed;
        forEachFont(FC_POSTSCRIPT_NAME, postScriptName, {FC_WEIGHT, FC_SLANT}, [&](FcPattern* font) {
            if (!installed)
                installed = Face {openTypeWeight(font), isItalic(font)};
        });
        if (installed)
            return *installed;
        for (const KnownFont& f : knownFonts) {
            if (postScriptName == QLatin1String(f.postScriptName))
                return Face {f.weight, f.italic};
        }
        return faceFromShape(postScriptName);
    });
}

QString PostScriptNames::faceName(int weight, bool italic)
{
    QStringList words;
    const int rounded = roundedWeight(weight);
    for (const auto& [w, word] : faceWords) {
        if (w == rounded)
            words.append(QLatin1String(word));
    }
    if (italic)
        words.append(QStringLiteral("Italic"));
    return words.join(QLatin1Char(' '));
}

QString PostScriptNames::postScriptNameFor(const QString& family)
{
    return postScriptNameFor(family, Face().weight, false);
}

QString PostScriptNames::postScriptNameFor(const QString& family, int weight, bool italic)
{
    if (family.isEmpty())
        return {};
    const Face face {roundedWeight(weight), italic};
    bool known = false;
    for (const KnownFont& f : knownFonts) {
        if (family.compare(QLatin1String(f.family), Qt::CaseInsensitive) != 0)
            continue;
        known = true;
        if (Face {f.weight, f.italic} == face)
            return QLatin1String(f.postScriptName);
    }
    const QString key = QStringLiteral("%1\n%2\n%3").arg(family).arg(face.weight).arg(int(face.italic));
    return cached<QString>(postScriptCache, key, [&] {
        QString name = known ? QString() : installedPostScriptName(family, face);
        if (name.isEmpty()) {
            name = family;
            name.remove(QLatin1Char(' '));
            const QString words = faceName(face.weight, face.italic);
            if (!words.isEmpty())
                name += QLatin1Char('-') + QString(words).remove(QLatin1Char(' '));
        }
        return name;
    });
}
