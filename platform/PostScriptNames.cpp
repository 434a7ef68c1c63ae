#include "platform/PostScriptNames.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <fontconfig/fontconfig.h>

#include <cstdlib>

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

} // namespace

QString PostScriptNames::installedFamily(const QString& postScriptName)
{
    if (!FcInit())
        return {};
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_POSTSCRIPT_NAME,
                       reinterpret_cast<const FcChar8*>(postScriptName.toUtf8().constData()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    QString family;
    if (fonts && fonts->nfont > 0)
        family = fcString(fonts->fonts[0], FC_FAMILY);
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return family;
}

QString PostScriptNames::installedPostScriptName(const QString& family)
{
    if (!FcInit())
        return {};
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcObjectSet* objects = FcObjectSetBuild(FC_POSTSCRIPT_NAME, FC_WEIGHT, FC_SLANT, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    QString best;
    int bestScore = 0;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        const QString name = fcString(fonts->fonts[i], FC_POSTSCRIPT_NAME);
        if (name.isEmpty())
            continue;
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(fonts->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(fonts->fonts[i], FC_SLANT, 0, &slant);
        // The upright face nearest to regular weight wins.
        const int score = 1000 - std::abs(weight - FC_WEIGHT_REGULAR) - (slant == FC_SLANT_ROMAN ? 0 : 500);
        if (best.isEmpty() || score > bestScore || (score == bestScore && name < best)) {
            best = name;
            bestScore = score;
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
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
    {
        QMutexLocker lock(&cacheMutex);
        const auto found = familyCache.constFind(postScriptName);
        if (found != familyCache.constEnd())
            return *found;
    }
    QString family = installedFamily(postScriptName);
    if (family.isEmpty()) {
        const QString base = postScriptName.section(QLatin1Char('-'), 0, 0);
        for (const KnownFont& f : knownFonts) {
            if (postScriptName == QLatin1String(f.postScriptName)
                || base == QString::fromLatin1(f.postScriptName).section(QLatin1Char('-'), 0, 0)) {
                family = QLatin1String(f.family);
                break;
            }
        }
    }
    if (family.isEmpty())
        family = familyFromShape(postScriptName);
    QMutexLocker lock(&cacheMutex);
    if (familyCache.size() > maxCached)
        familyCache.clear();
    familyCache.insert(postScriptName, family);
    return family;
}

QString PostScriptNames::postScriptNameFor(const QString& family)
{
    if (family.isEmpty())
        return {};
    for (const KnownFont& f : knownFonts) {
        if (family.compare(QLatin1String(f.family), Qt::CaseInsensitive) == 0)
            return QLatin1String(f.postScriptName);
    }
    {
        QMutexLocker lock(&cacheMutex);
        const auto found = postScriptCache.constFind(family);
        if (found != postScriptCache.constEnd())
            return *found;
    }
    QString name = installedPostScriptName(family);
    if (name.isEmpty()) {
        name = family;
        name.remove(QLatin1Char(' '));
    }
    QMutexLocker lock(&cacheMutex);
    if (postScriptCache.size() > maxCached)
        postScriptCache.clear();
    postScriptCache.insert(family, name);
    return name;
}
