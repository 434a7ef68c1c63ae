#include "platform/PlistNode.h"

#include <cstdlib>
#include <limits>

plist_type PlistNode::type() const
{
    return m_node ? plist_get_node_type(m_node) : PLIST_NONE;
}

PlistNode PlistNode::value(const char* key) const
{
    if (!isDictionary())
        return {};
    return PlistNode(plist_dict_get_item(m_node, key));
}

QStringList PlistNode::keys() const
{
    QStringList result;
    if (!isDictionary())
        return result;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(m_node, &it);
    if (!it)
        return result;
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(m_node, it, &key, &item);
        if (!item) {
            std::free(key);
            break;
        }
        result.append(QString::fromUtf8(key));
        std::free(key);
    }
    std::free(it);
    return result;
}

quint32 PlistNode::count() const
{
    return isArray() ? plist_array_get_size(m_node) : 0;
}

PlistNode PlistNode::at(quint32 index) const
{
    if (index >= count())
        return {};
    return PlistNode(plist_array_get_item(m_node, index));
}

QString PlistNode::toString() const
{
    if (!isString())
        return {};
    // By pointer and length: libplist's copying getter asserts on strings
    // that hold a NUL character.
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(m_node, &length);
    if (!text || length == 0 || length > uint64_t(std::numeric_limits<qsizetype>::max()))
        return QString(QLatin1String(""));
    return QString::fromUtf8(text, qsizetype(length));
}

QByteArray PlistNode::toData() const
{
    if (!isData())
        return {};
    uint64_t length = 0;
    const char* bytes = plist_get_data_ptr(m_node, &length);
    if (!bytes || length > uint64_t(std::numeric_limits<qsizetype>::max()))
        return QByteArray("");
    return QByteArray(bytes, qsizetype(length));
}

std::optional<qint64> PlistNode::toInteger() const
{
    switch (type()) {
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(m_node, &v);
        // Binary property lists keep integers as signed 64-bit values.
        return qint64(v);
    }
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(m_node, &b);
        return b ? 1 : 0;
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> PlistNode::toNumber() const
{
    if (isReal()) {
        double v = 0;
        plist_get_real_val(m_node, &v);
        return v;
    }
    if (const auto i = toInteger())
        return double(*i);
    return std::nullopt;
}

std::optional<quint64> PlistNode::uid() const
{
    if (type() == PLIST_UID) {
        uint64_t v = 0;
        plist_get_uid_val(m_node, &v);
        return v;
    }
    if (isDictionary() && plist_dict_get_size(m_node) == 1) {
        const PlistNode n = value("CF$UID");
        if (n.isInteger()) {
            const qint64 v = *n.toInteger();
            if (v >= 0)
                return quint64(v);
        }
    }
    return std::nullopt;
}
