#pragma once

#include "platform/PlistValue.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <typeindex>
#include <utility>
#include <vector>

class Colour;
class FontSpec;
class Picture;

// Reads the platform's keyed archive (see KeyedArchiver). Every archive is
// untrusted: references are checked against the object table, nesting is
// limited, an object that refers back to one being read gives nil, and
// every value is type-checked. A value that fails reads as nil or zero; the
// caller skips what it cannot use. UIDs are accepted as real UID nodes and as
// {"CF$UID": n} dictionaries.
//
// Objects are read with decodeRoot()/decodeObject(), whose decoder reads the
// object's own keys through the decode...() functions while it runs (the
// object is then the current one). Decoded values are cached per UID and
// type, so an object that several keys share is read once and, for shared
// pointers, comes back as one instance.
class KeyedUnarchiver
{
public:
    template <class T>
    using Decoder = std::function<std::optional<T>(KeyedUnarchiver&)>;

    static constexpr int maxNesting = 64;

    explicit KeyedUnarchiver(const QByteArray& data);

    // The data is a keyed archive: a property list with an "$objects" array
    // and a "$top" dictionary whose "root" refers into it.
    bool isValid() const { return m_valid; }

    template <class T>
    std::optional<T> decodeRoot(const Decoder<T>& decode);
    template <class T>
    std::optional<T> decodeObject(const QString& key, const Decoder<T>& decode);
    template <class T>
    std::optional<T> decodeReference(const PlistNode& reference, const Decoder<T>& decode);

    // About the current object: its class chain (empty for plain property
    // list objects such as strings, numbers and data) and its raw node.
    QString className() const { return classes().value(0); }
    QStringList classes() const;
    PlistNode current() const;

    // Keys of the current object. A missing key or one of the wrong kind
    // reads as zero, NO, nil or an empty value.
    bool containsKey(const QString& key) const { return !value(key).isNull(); }
    PlistNode value(const QString& key) const;
    bool decodeBool(const QString& key) const;
    qint64 decodeInt64(const QString& key) const;
    int decodeInt(const QString& key) const;          // clamped to 32 bits
    float decodeFloat(const QString& key) const;      // narrowed to 32 bits
    double decodeDouble(const QString& key) const;
    QByteArray decodeBytes(const QString& key) const; // inline data, or a data object
    QString decodeString(const QString& key);         // a null string for nil
    QRectF decodeRect(const QString& key);
    QPointF decodePoint(const QString& key);
    QSizeF decodeSize(const QString& key);
    Colour decodeColour(const QString& key);          // invalid for nil
    FontSpec decodeFont(const QString& key);          // invalid for nil
    Picture decodePicture(const QString& key);        // null for nil

    // The element references of the current object when it is an array
    // ("NS.objects"), or those of the array object a key refers to.
    QList<PlistNode> arrayElements() const;
    QList<PlistNode> arrayElements(const QString& key);

    // Reads a string object: a plain string, or a mutable string
    // {"NS.string": ...}.
    static std::optional<QString> stringObject(KeyedUnarchiver& coder);
    // Reads a data object.
    static std::optional<QByteArray> dataObject(KeyedUnarchiver& coder);

private:
    // The object a reference node names; null when nil, out of range or
    // not a reference. uid receives its UID.
    PlistNode resolve(const PlistNode& reference, quint64& uid) const;
    // Whether the object may be read now: not nested too deep, and not one
    // being read already (an object that refers back to itself).
    bool mayEnter(quint64 uid) const;

    // The keys of a large dictionary in their order, made on the first
    // look-up. libplist finds a key by comparing it with every key before
    // it, which would make reading all keys of a card object quadratic; keys
    // are mostly read in the order they were written, so a look-up starts
    // where the last one ended.
    struct KeyOrder {
        KeyOrder() = default;
        KeyOrder(const KeyOrder&) = delete;
        KeyOrder& operator=(const KeyOrder&) = delete;
        ~KeyOrder();
        std::vector<char*> names;   // owned
        std::vector<plist_t> values;
        size_t next = 0;
        bool repeatsKeys = false;   // then libplist looks up, for its first-wins rule
    };
    // An object being read.
    struct Frame {
        quint64 uid;
        PlistNode node;
        mutable std::unique_ptr<KeyOrder> keys;
    };
    PlistNode lookUp(const Frame& frame, const QString& key) const;

    PlistValue m_plist;
    PlistNode m_objects;
    PlistNode m_root;
    bool m_valid = false;
    std::vector<Frame> m_stack;   // objects being read, innermost last
    std::map<std::pair<quint64, std::type_index>, std::any> m_cache;
};

template <class T>
std::optional<T> KeyedUnarchiver::decodeRoot(const Decoder<T>& decode)
{
    if (!m_valid)
        return std::nullopt;
    return decodeReference<T>(m_root, decode);
}

template <class T>
std::optional<T> KeyedUnarchiver::decodeObject(const QString& key, const Decoder<T>& decode)
{
    return decodeReference<T>(value(key), decode);
}

template <class T>
std::optional<T> KeyedUnarchiver::decodeReference(const PlistNode& reference, const Decoder<T>& decode)
{
    quint64 uid = 0;
    const PlistNode object = resolve(reference, uid);
    if (object.isNull() || !decode)
        return std::nullopt;
    const auto cacheKey = std::make_pair(uid, std::type_index(typeid(T)));
    const auto cached = m_cache.find(cacheKey);
    if (cached != m_cache.end()) {
        if (const T* value = std::any_cast<T>(&cached->second))
            return *value;
        return std::nullopt; // failed before
    }
    if (!mayEnter(uid))
        return std::nullopt;
    m_stack.push_back({uid, object, nullptr});
    std::optional<T> result = decode(*this);
    m_stack.pop_back();
    // Failures are remembered too, so a hostile archive that refers to one
    // bad object from many places costs one attempt.
    m_cache[cacheKey] = result ? std::any(*result) : std::any();
    return result;
}
