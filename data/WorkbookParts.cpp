#include "data/WorkbookParts.h"

#include "app/MessageBoxes.h"
#include "data/PackageXml.h"
#include "data/SSZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

#include <pugixml.hpp>

#include <algorithm>
#include <utility>

namespace {

// Both parts are read whole; a workbook of a thousand tabs needs well under
// a megabyte.
constexpr qint64 MaxPartBytes = qint64(16) << 20;
// No workbook the reader unpacks holds more parts than this, so no more tabs
// can have one.
constexpr qsizetype MaxSheets = 10000;

using PackageXml::forEachChild;

QString attribute(const pugi::xml_node& node, const char* local)
{
    return PackageXml::text(node, local);
}

// Loads a part; false, and the reason logged, for one that cannot be read.
bool load(pugi::xml_document& doc, const QString& path)
{
    QString fault;
    const bool loaded = PackageXml::load(doc, path, MaxPartBytes, &fault);
    if (!fault.isEmpty())
        Show_NSLog_Message(QStringLiteral("Error: ") + fault);
    return loaded;
}

// The files unpacked in a folder, found by a path whose letter case may
// differ from theirs. Of files whose paths differ only in letter case, the
// first in the archive counts: a name a later entry spells otherwise does
// not replace it.
class UnpackedFiles
{
public:
    // `archiveOrder`: the paths the archive's entries unpacked to, in its
    // order; without them, the folder's files in the order of their names.
    UnpackedFiles(const QString& folder, const QStringList& archiveOrder) : m_folder(folder)
    {
        const QStringList paths = archiveOrder.isEmpty() ? filesIn(QString()) : archiveOrder;
        for (const QString& path : paths)
            m_paths[path.toLower()].append(path);
    }

    // `relative` (a path that stays inside) as the file is spelled there:
    // the first unpacked file of that path, letter case aside; "" when no
    // file matches. Links are never followed.
    QString find(const QString& relative) const
    {
        for (const QString& path : m_paths.value(relative.toLower()))
            if (isPlainFile(path))
                return path;
        return {};
    }

private:
    bool isPlainFile(const QString& relative) const
    {
        const QFileInfo info(m_folder + u'/' + relative);
        return info.isFile() && !info.isSymLink();
    }

    // The files below the folder `relative`, folder by folder in the order
    // of their names; as many as an unpack may make at most.
    QStringList filesIn(const QString& relative) const
    {
        QStringList files;
        const QDir dir(relative.isEmpty() ? m_folder : m_folder + u'/' + relative);
        const QDir::Filters filter = QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot;
        for (const QFileInfo& entry : dir.entryInfoList(filter, QDir::Name)) {
            const QString path = relative.isEmpty() ? entry.fileName() : relative + u'/' + entry.fileName();
            if (entry.isDir())
                files += filesIn(path);
            else
                files.append(path);
            if (files.size() >= SSZipArchive::DefaultMaxEntries)
                break;
        }
        return files;
    }

    QString m_folder;
    QHash<QString, QStringList> m_paths; // by the path in lower case, in order
};

} // namespace

bool WorkbookParts::staysInside(const QString& relative)
{
    return !relative.isEmpty() && relative != QLatin1String(".") && relative != QLatin1String("..")
        && !relative.startsWith(QLatin1String("../")) && !relative.startsWith(u'/') && !relative.contains(QChar(0))
        && QDir::cleanPath(relative) == relative;
}

QString WorkbookParts::resolve(const QString& target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    if (decoded.isEmpty() || decoded.contains(QChar(0)))
        return {};
    const QString path = QDir::cleanPath(decoded.startsWith(u'/') ? decoded.mid(1) : QStringLiteral("xl/") + decoded);
    return staysInside(path) ? path : QString();
}

QStringList WorkbookParts::numberedSheetParts(const QStringList& fileNames)
{
    static const QRegularExpression part(QStringLiteral("^sheet([0-9]{1,9})\\.xml$"),
                                         QRegularExpression::CaseInsensitiveOption);
    QList<std::pair<int, QString>> found;
    for (const QString& name : fileNames) {
        const QRegularExpressionMatch m = part.match(name);
        if (m.hasMatch())
            found.append({m.captured(1).toInt(), name});
    }
    std::sort(found.begin(), found.end());
    QStringList names;
    for (const auto& entry : found)
        names.append(entry.second);
    return names;
}

WorkbookParts WorkbookParts::read(const QString& folder, const QStringList& archiveOrder)
{
    WorkbookParts parts;
    const UnpackedFiles files(folder, archiveOrder);
    QHash<QString, QString> targets; // relationship id -> resolved target, "" for none
    bool sharedStringsNamed = false;
    QString sharedStrings = QStringLiteral("xl/sharedStrings.xml");
    bool stylesNamed = false;
    QString styles = QStringLiteral("xl/styles.xml");
    pugi::xml_document rels;
    const bool relationshipsRead = load(rels, folder + QStringLiteral("/xl/_rels/workbook.xml.rels"));
    if (relationshipsRead) {
        forEachChild(rels.document_element(), "Relationship", [&](const pugi::xml_node& r) {
            const QString mode = attribute(r, "TargetMode");
            const bool external = mode.compare(QLatin1String("External"), Qt::CaseInsensitive) == 0;
            const QString target = external ? QString() : resolve(attribute(r, "Target"));
            // The first relationship of an Id counts, as in other spreadsheet programs.
            const QString id = attribute(r, "Id");
            if (!targets.contains(id))
                targets.insert(id, target);
            if (!external && !sharedStringsNamed && attribute(r, "Type").endsWith(QLatin1String("/sharedStrings"))) {
                sharedStringsNamed = true;
                sharedStrings = target;
            }
            if (!external && !stylesNamed && attribute(r, "Type").endsWith(QLatin1String("/styles"))) {
                stylesNamed = true;
                styles = target;
            }
        });
    }
    if (!sharedStrings.isEmpty()) {
        const QString found = files.find(sharedStrings);
        parts.sharedStrings = folder + u'/' + (found.isEmpty() ? sharedStrings : found);
    }
    if (!styles.isEmpty()) {
        const QString found = files.find(styles);
        parts.styles = folder + u'/' + (found.isEmpty() ? styles : found);
    }

    pugi::xml_document workbook;
    if (relationshipsRead && load(workbook, folder + QStringLiteral("/xl/workbook.xml"))) {
        forEachChild(workbook.document_element(), "sheets", [&](const pugi::xml_node& sheets) {
            forEachChild(sheets, "sheet", [&](const pugi::xml_node& sheet) {
                if (parts.sheets.size() >= MaxSheets)
                    return;
                const QString target = targets.value(attribute(sheet, "id"));
                parts.sheets.append({attribute(sheet, "name"), target.isEmpty() ? QString() : files.find(target)});
            });
        });
    }
    if (parts.sheets.isEmpty()) {
        // Nothing says which part is which tab: the parts named as most
        // writers name them, by their number.
        const QDir worksheets(folder + QStringLiteral("/xl/worksheets"));
        for (const QString& file :
             numberedSheetParts(worksheets.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted)))
            parts.sheets.append({file.chopped(4), QStringLiteral("xl/worksheets/") + file});
    }
    return parts;
}
