#include "data/XmlPartReader.h"

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

} // namespace

XmlPartReader::XmlPartReader(const QString& path) : m_file(path)
{
    m_xml.setNamespaceProcessing(false);
    if (!m_file.open(QIODevice::ReadOnly))
        m_error = QStringLiteral("%1 cannot be opened").arg(path);
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
            m_error = m_xml.errorString();
            return false;
        }
        if (m_pending > MaxTokenBytes) {
            m_error = QStringLiteral("an XML token is longer than %1 bytes").arg(MaxTokenBytes);
            return false;
        }
        const QByteArray chunk = m_file.read(ChunkBytes);
        if (chunk.isEmpty()) {
            m_error = m_file.errorString();
            return false;
        }
        m_pending += chunk.size();
        m_xml.addData(chunk);
    }
    if (m_xml.hasError()) {
        m_error = m_xml.errorString();
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
                m_error = QStringLiteral("an XML text is longer than %1 characters").arg(MaxTokenBytes);
                return false;
            }
        }
    }
    return false;
}
