#include "platform/PostScriptNames.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>

namespace {

struct KnownFont {
    const char* family;
    const char* postScriptName;
};

// Regular faces of fonts that designs made elsewhere commonly name.
constexpr KnownFont knownFonts[] = {
    {"Times New Roman", "TimesNewRomanPSMT"},
    {"Arial", "ArialMT"},
    {"Courier New", "CourierNewPSMT"},
    {"Helvetica", "Helvetica"},
    {"Helvetica Neue", "HelveticaNeue"},
    {"Lucida Grande", "LucidaGrande"},
    {"Times", "Times-Roman"},
    {"Courier", "Courier"},
    {"Georgia", "Georgia"},
    {"Verdana", "Verdana"},
    {"Monaco", "Monaco"},
};

// Names come from untrusted archives, so the caches stay bounded.
constexpr qsizetype maxCached = 512;
QMutex cacheMutex;
QHash<QString, QString> familyCache;
QHash<QString, QString> postScriptCache;

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
QString cached(QHash<QString, QString>& cache, const QString& key, const std::function<QString()>& compute)
{
    {
        QMutexLocker lock(&cacheMutex);
        const auto found = cache.constFind(key);
        if (found != cache.constEnd())
            return *found;
    }
    const QString value = compute();
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

QString PostScriptNames::installedPostScriptName(const QString& family)
{
    QString best;
    int bestScore = 0;
    forEachFont(FC_FAMILY, family, {FC_POSTSCRIPT_NAME, FC_WEIGHT, FC_SLANT}, [&](FcPattern* font) {
        const QString name = fcString(font, FC_POSTSCRIPT_NAME);
        if (name.isEmpty())
            return;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &slant);
        // The upright face nearest to regular weight wins.
        const int score = 1000 - std::abs(weight - FC_WEIGHT_REGULAR) - (slant == FC_SLANT_ROMAN ? 0 : 500);
        if (best.isEmpty() || score > bestScore || (score == bestScore && name < best)) {
            best = name;
            bestScore = score;
        }
    });
    return best;
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
    return cached(familyCache, postScriptName, [&] {
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

QString PostScriptNames::postScriptNameFor(const QString& family)
{
    if (family.isEmpty())
        return {};
    for (const KnownFont& f : knownFonts) {
        if (family.compare(QLatin1String(f.family), Qt::CaseInsensitive) == 0)
            return QLatin1String(f.postScriptName);
    }
    return cached(postScriptCache, family, [&] {
        QString name = installedPostScriptName(family);
        if (name.isEmpty()) {
            name = family;
            name.remove(QLatin1Char(' '));
        }
        return name;
    });
}
