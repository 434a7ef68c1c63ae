#include "data/XmlPartReader.h"

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

// Gives an undeclared entity back as its own text: the replacement is read
// as markup, so its ampersand is written as a reference.
class KeepUndeclaredEntities : public QXmlStreamEntityResolver
{
public:
    QString resolveUndeclaredEntity(const QString& name) override { return QStringLiteral("&amp;") + name + u';'; }
};

} // namespace

XmlPartReader::XmlPartReader(const QString& path) : m_file(path), m_entities(new KeepUndeclaredEntities)
{
    m_xml.setNamespaceProcessing(false);
    m_xml.setEntityResolver(m_entities.get());
    if (!m_file.open(QIODevice::ReadOnly))
        m_error = QStringLiteral("%1 cannot be opened").arg(path);
}

void XmlPartReader::fail(const QString& why, bool tooLarge)
{
    m_error = why;
    m_tooLarge = tooLarge;
}

bool XmlPartReader::readNext()
{
    if (!m_error.isEmpty())
        return false;
    for (;;) {
        m_xml.readNext();
        if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
            break;
        if (m_file.atEnd()) {
            // A part cut short: where it ends tells nothing more.
            fail(m_xml.errorString());
            return false;
        }
        if (m_pending > MaxTokenBytes) {
            fail(QStringLiteral("an XML token is longer than %1 bytes").arg(MaxTokenBytes), true);
            return false;
        }
        const QByteArray chunk = m_file.read(ChunkBytes);
        if (chunk.isEmpty()) {
            fail(m_file.errorString().isEmpty() ? QStringLiteral("the part cannot be read") : m_file.errorString());
            return false;
        }
        m_pending += chunk.size();
        m_xml.addData(chunk);
    }
    if (m_xml.hasError()) {
        fail(QStringLiteral("%1 (line %2, column %3)")
                 .arg(m_xml.errorString(), QString::number(m_xml.lineNumber()), QString::number(m_xml.columnNumber())));
        return false;
    }
    if (m_xml.tokenType() == QXmlStreamReader::DTD && !m_xml.entityDeclarations().isEmpty()) {
        fail(QStringLiteral("the part declares entities (%1 first)").arg(m_xml.entityDeclarations().first().name()));
        return false;
    }
    m_pending = 0;
    return !m_xml.atEnd() && m_xml.tokenType() != QXmlStreamReader::EndDocument;
}

QStringView XmlPartReader::localName() const
{
    const QStringView name = m_xml.qualifiedName();
    const qsizetype colon = name.lastIndexOf(u':');
    return colon >= 0 ? name.mid(colon + 1) : name;
}

QStringView XmlPartReader::attribute(QStringView name) const
{
    for (const QXmlStreamAttribute& a : m_xml.attributes())
        if (a.qualifiedName() == name)
            return a.value();
    return {};
}

bool XmlPartReader::hasAttribute(QStringView name) const
{
    for (const QXmlStreamAttribute& a : m_xml.attributes())
        if (a.qualifiedName() == name)
            return true;
    return false;
}

bool XmlPartReader::skipElement()
{
    int depth = 1;
    while (depth > 0 && readNext()) {
        if (isStartElement())
            ++depth;
        else if (isEndElement())
            --depth;
    }
    return depth == 0;
}

bool XmlPartReader::readOwnText(QString& out)
{
    while (readNext()) {
        if (isEndElement())
            return true;
        if (isStartElement()) {
            if (!skipElement())
                return false;
        } else if (isCharacters()) {
            out += text();
            if (out.size() > MaxTokenBytes) {
                fail(QStringLiteral("an XML text is longer than %1 characters").arg(MaxTokenBytes), true);
                return false;
            }
        }
    }
    return false;
}
