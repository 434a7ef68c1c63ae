#include "data/PackageXml.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

// Whether an attribute `name` declares a namespace ("xmlns", "xmlns:r"):
// such a declaration is no attribute of its element.
bool isNamespaceDeclaration(const char* name)
{
    return std::strncmp(name, "xmlns", 5) == 0 && (name[5] == '\0' || name[5] == ':');
}

} // namespace

bool PackageXml::hasLocalName(const char* name, const char* local)
{
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_attribute PackageXml::attribute(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (hasLocalName(a.name(), local) && !isNamespaceDeclaration(a.name()))
            return a;
    return {};
}

QString PackageXml::text(const pugi::xml_node& node, const char* local)
{
    return QString::fromUtf8(attribute(node, local).value());
}

pugi::xml_node PackageXml::child(const pugi::xml_node& parent, const char* local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && hasLocalName(c.name(), local))
            return c;
    return {};
}

bool PackageXml::load(pugi::xml_document& doc, const QString& path, qint64 maxBytes, QString* fault)
{
    fault->clear();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return false;
    if (info.size() > maxBytes) {
        *fault = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(maxBytes);
        return false;
    }
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(path).constData());
    if (!result)
        *fault = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(result.description()));
    return bool(result);
}
