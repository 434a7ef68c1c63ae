#include "data/WorkbookParts.h"

#include "app/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <pugixml.hpp>

#include <cstring>

namespace {

// Both parts are read whole; a workbook of a thousand tabs needs well under
// a megabyte.
constexpr qint64 MaxPartBytes = qint64(16) << 20;

// Names are compared without their prefix ("r:id" is "id").
bool hasLocalName(const char* name, const char* local)
{
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

QString attribute(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (hasLocalName(a.name(), local))
            return QString::fromUtf8(a.value());
    return {};
}

// The elements named `local` among the children of `parent`.
template <typename F>
void forEachChild(const pugi::xml_node& parent, const char* local, F&& f)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && hasLocalName(child.name(), local))
            f(child);
}

bool load(pugi::xml_document& doc, const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (info.size() > MaxPartBytes) {
        Show_NSLog_Message(QStringLiteral("Error: %1 is too large").arg(path));
        return false;
    }
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(path).constData());
    if (!result)
        Show_NSLog_Message(QStringLiteral("Error: %1: %2").arg(path, QString::fromUtf8(result.description())));
    return bool(result);
}

} // namespace

QString WorkbookParts::resolve(const QString& target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    if (decoded.isEmpty() || decoded.contains(QChar(0)))
        return {};
    const QString path = QDir::cleanPath(decoded.startsWith(u'/') ? decoded.mid(1) : QStringLiteral("xl/") + decoded);
    if (path.isEmpty() || path == QLatin1String(".") || path == QLatin1String("..")
        || path.startsWith(QLatin1String("../")) || path.startsWith(u'/'))
        return {};
    return path;
}

WorkbookParts WorkbookParts::read(const QString& folder)
{
    WorkbookParts parts;
    QHash<QString, QString> targets; // relationship id -> resolved target
    bool sharedStringsNamed = false;
    bool stylesNamed = false;
    pugi::xml_document rels;
    if (load(rels, folder + QStringLiteral("/xl/_rels/workbook.xml.rels"))) {
        forEachChild(rels.document_element(), "Relationship", [&](const pugi::xml_node& r) {
            if (attribute(r, "TargetMode").compare(QLatin1String("External"), Qt::CaseInsensitive) == 0)
                return;
            const QString target = resolve(attribute(r, "Target"));
            targets.insert(attribute(r, "Id"), target);
            if (!sharedStringsNamed && attribute(r, "Type").endsWith(QLatin1String("/sharedStrings"))) {
                sharedStringsNamed = true;
                parts.sharedStrings = target.isEmpty() ? QString() : folder + u'/' + target;
            }
            if (!stylesNamed && attribute(r, "Type").endsWith(QLatin1String("/styles"))) {
                stylesNamed = true;
                parts.styles = target.isEmpty() ? QString() : folder + u'/' + target;
            }
        });
    }
    if (!sharedStringsNamed)
        parts.sharedStrings = folder + QStringLiteral("/xl/sharedStrings.xml");
    if (!stylesNamed)
        parts.styles = folder + QStringLiteral("/xl/styles.xml");

    pugi::xml_document workbook;
    if (!targets.isEmpty() && load(workbook, folder + QStringLiteral("/xl/workbook.xml"))) {
        forEachChild(workbook.document_element(), "sheets", [&](const pugi::xml_node& sheets) {
            forEachChild(sheets, "sheet", [&](const pugi::xml_node& sheet) {
                const QString target = targets.value(attribute(sheet, "id"));
                if (!target.isEmpty() && !parts.m_tabs.contains(target.toLower()))
                    parts.m_tabs.insert(target.toLower(), attribute(sheet, "name"));
            });
        });
    }
    return parts;
}

QString WorkbookParts::tabName(int sheetNumber) const
{
    return m_tabs.value(QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber));
}
