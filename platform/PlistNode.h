#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <plist/plist.h>

// A non-owning view of one node of a property list held by a PlistValue (or
// by a tree a PlistValue owns). Every accessor checks the node's type first,
// so reading a node of the wrong kind gives an empty result, never a crash.
class PlistNode
{
public:
    PlistNode() = default;
    explicit PlistNode(plist_t node) : m_node(node) {}

    bool isNull() const { return m_node == nullptr; }
    plist_t get() const { return m_node; }
    plist_type type() const;

    bool isDictionary() const { return type() == PLIST_DICT; }
    bool isArray() const { return type() == PLIST_ARRAY; }
    bool isString() const { return type() == PLIST_STRING; }
    bool isData() const { return type() == PLIST_DATA; }
    bool isBoolean() const { return type() == PLIST_BOOLEAN; }
    bool isInteger() const { return type() == PLIST_UINT; }
    bool isReal() const { return type() == PLIST_REAL; }
    bool isNumber() const { return isInteger() || isReal() || isBoolean(); }
    // A UID node, or the dictionary {"CF$UID": n} that XML property lists
    // use for one.
    bool isUid() const { return uid().has_value(); }

    // Dictionaries. value() is null when this is no dictionary or lacks the key.
    PlistNode value(const char* key) const;
    PlistNode value(const QString& key) const { return value(key.toUtf8().constData()); }
    QStringList keys() const;

    // Arrays. at() is null out of range or when this is no array.
    quint32 count() const;
    PlistNode at(quint32 index) const;

    // Scalars. A node of another kind gives an empty result.
    QString toString() const;
    QByteArray toData() const;
    std::optional<qint64> toInteger() const;     // integers and booleans
    std::optional<double> toNumber() const;      // integers, reals and booleans
    std::optional<quint64> uid() const;

private:
    plist_t m_node = nullptr;
};
