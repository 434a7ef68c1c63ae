#include "platform/PlistValue.h"

#include "platform/PlistGuard.h"

#include <cstdlib>
#include <limits>

PlistValue::~PlistValue()
{
    if (m_node)
        plist_free(m_node);
}

PlistValue& PlistValue::operator=(PlistValue&& other) noexcept
{
    if (this != &other) {
        if (m_node)
            plist_free(m_node);
        m_node = other.release();
    }
    return *this;
}

plist_t PlistValue::release()
{
    plist_t n = m_node;
    m_node = nullptr;
    return n;
}

PlistValue PlistValue::copy() const
{
    return PlistValue(m_node ? plist_copy(m_node) : nullptr);
}

PlistValue PlistValue::dictionary() { return PlistValue(plist_new_dict()); }
PlistValue PlistValue::array() { return PlistValue(plist_new_array()); }
PlistValue PlistValue::string(const QString& text)
{
    return PlistValue(plist_new_string(storableString(text).toUtf8().constData()));
}

QString PlistValue::storableString(const QString& text)
{
    if (!text.contains(QChar(0)))
        return text;
    QString stored = text;
    stored.remove(QChar(0));
    return stored;
}
PlistValue PlistValue::boolean(bool value) { return PlistValue(plist_new_bool(value ? 1 : 0)); }
PlistValue PlistValue::integer(qint64 value) { return PlistValue(plist_new_uint(uint64_t(value))); }
PlistValue PlistValue::real(double value) { return PlistValue(plist_new_real(value)); }
PlistValue PlistValue::uid(quint64 value) { return PlistValue(plist_new_uid(value)); }

PlistValue PlistValue::data(const QByteArray& bytes)
{
    return PlistValue(plist_new_data(bytes.constData(), uint64_t(bytes.size())));
}

PlistValue PlistValue::fromData(const QByteArray& bytes, int maxDepth)
{
    // libplist takes a 32-bit length, and its parsers recurse once per level
    // of nesting: refuse what it cannot take before it sees the bytes.
    if (bytes.isEmpty() || bytes.size() > qsizetype(std::numeric_limits<qint32>::max()))
        return {};
    if (!PlistGuard::accepts(bytes, maxDepth))
        return {};
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    return PlistValue(root);
}

bool PlistValue::insert(const QString& key, PlistValue item)
{
    if (!node().isDictionary() || item.isNull())
        return false;
    plist_dict_set_item(m_node, key.toUtf8().constData(), item.release());
    return true;
}

bool PlistValue::append(PlistValue item)
{
    if (!node().isArray() || item.isNull())
        return false;
    plist_array_append_item(m_node, item.release());
    return true;
}

QByteArray PlistValue::toBinary() const
{
    if (!m_node)
        return {};
    char* out = nullptr;
    uint32_t length = 0;
    plist_to_bin(m_node, &out, &length);
    QByteArray result(out, qsizetype(length));
    plist_to_bin_free(out);
    return result;
}

QByteArray PlistValue::toXml() const
{
    if (!m_node)
        return {};
    char* out = nullptr;
    uint32_t length = 0;
    plist_to_xml(m_node, &out, &length);
    QByteArray result(out, qsizetype(length));
    plist_to_xml_free(out);
    return result;
}
