#include "platform/KeyedArchiver.h"

#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedPicture.h"
#include "platform/GeometryString.h"

#include <cstdlib>
#include <string>
#include <unordered_map>

namespace {
// Keys the archive itself uses begin with "$"; an object's own key that does
// is written with a second "$" in front.
QString escapedKey(const QString& key)
{
    return key.startsWith(QLatin1Char('$')) ? QLatin1Char('$') + key : key;
}
} // namespace

KeyedArchiver::KeyedArchiver() : m_archive(PlistValue::dictionary())
{
    // The archive is built in place: objects go straight into "$objects" and
    // archive() only fills in the root, so nothing is copied at the end.
    PlistValue objects = PlistValue::array();
    m_objectList = objects.get();
    PlistValue root = PlistValue::uid(0);
    m_rootReference = root.get();
    PlistValue top = PlistValue::dictionary();
    top.insert(QStringLiteral("root"), std::move(root));
    m_archive.insert(QStringLiteral("$version"), PlistValue::integer(100000));
    m_archive.insert(QStringLiteral("$archiver"), PlistValue::string(QStringLiteral("NSKeyedArchiver")));
    m_archive.insert(QStringLiteral("$top"), std::move(top));
    m_archive.insert(QStringLiteral("$objects"), std::move(objects));
    reserve(); // "$null"
}

quint64 KeyedArchiver::reserve()
{
    // "$null" stands in until the object is placed.
    plist_array_append_item(m_objectList, plist_new_string("$null"));
    return m_objectCount++;
}

void KeyedArchiver::place(quint64 uid, PlistValue object)
{
    plist_array_set_item(m_objectList, object.release(), quint32(uid));
}

namespace {
// Dictionaries of this many keys or more are made from a cached copy of one
// with the same keys (see dictionaryOf), smaller ones key by key.
constexpr size_t prototypeMinimum = 12;
constexpr size_t prototypeLimit = 64;

// Values a copied dictionary can take in place: the scalars the encode...()
// functions write.
bool settable(plist_type type)
{
    switch (type) {
    case PLIST_BOOLEAN:
    case PLIST_UINT:
    case PLIST_REAL:
    case PLIST_UID:
    case PLIST_DATA:
        return true;
    default:
        return false;
    }
}
} // namespace

PlistValue KeyedArchiver::Entry::toNode()
{
    switch (type) {
    case PLIST_BOOLEAN:
        return PlistValue::boolean(number != 0);
    case PLIST_UINT:
        return PlistValue::integer(qint64(number));
    case PLIST_REAL:
        return PlistValue::real(real);
    case PLIST_UID:
        return PlistValue::uid(number);
    case PLIST_DATA:
        return PlistValue::data(bytes);
    default:
        return std::move(node);
    }
}

PlistValue KeyedArchiver::dictionaryOf(std::vector<Entry>& entries)
{
    // libplist checks every new key against all keys already in the
    // dictionary, which makes a card object's hundred keys cost thousands of
    // string compares. A large object of scalar values only is therefore made
    // by copying a dictionary made earlier with the same keys and value types,
    // in the same order, and setting its values in place; the result is the
    // same tree.
    std::string shape;
    bool cacheable = entries.size() >= prototypeMinimum;
    for (const Entry& e : entries) {
        const plist_type type = e.node.isNull() ? e.type : PLIST_NONE;
        if (!cacheable || !settable(type)) {
            cacheable = false;
            break;
        }
        const quint32 length = quint32(e.key.size());
        shape.append(reinterpret_cast<const char*>(&length), sizeof length);
        shape.append(reinterpret_cast<const char*>(e.key.utf16()), size_t(length) * sizeof(char16_t));
        shape += char('A' + int(type));
    }
    thread_local std::unordered_map<std::string, PlistValue> prototypes;
    if (cacheable) {
        const auto found = prototypes.find(shape);
        if (found != prototypes.end()) {
            PlistValue dict = found->second.copy();
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(dict.get(), &it);
            for (const Entry& e : entries) {
                plist_t target = nullptr;
                plist_dict_next_item(dict.get(), it, nullptr, &target);
                switch (e.type) {
                case PLIST_BOOLEAN:
                    plist_set_bool_val(target, e.number != 0);
                    break;
                case PLIST_UINT:
                    plist_set_uint_val(target, e.number);
                    break;
                case PLIST_REAL:
                    plist_set_real_val(target, e.real);
                    break;
                case PLIST_UID:
                    plist_set_uid_val(target, e.number);
                    break;
                case PLIST_DATA:
                    plist_set_data_val(target, e.bytes.constData(), uint64_t(e.bytes.size()));
                    break;
                default:
                    break;
                }
            }
            std::free(it);
            return dict;
        }
    }
    PlistValue dict = PlistValue::dictionary();
    for (Entry& e : entries) {
        // Keys are short ASCII names, copied by libplist: they are passed
        // from a buffer here rather than converted into a new array each.
        char ascii[64];
        const qsizetype length = e.key.size();
        bool plain = length < qsizetype(sizeof ascii);
        for (qsizetype i = 0; plain && i < length; ++i) {
            const char16_t c = e.key.utf16()[i];
            plain = c != 0 && c < 0x80;
            ascii[i] = char(c);
        }
        if (plain) {
            ascii[length] = '\0';
            plist_dict_set_item(dict.get(), ascii, e.toNode().release());
        } else {
            plist_dict_set_item(dict.get(), e.key.toUtf8().constData(), e.toNode().release());
        }
    }
    // A key written twice keeps one place: such a dictionary is not a
    // prototype for others.
    if (cacheable && plist_dict_get_size(dict.get()) == entries.size() && prototypes.size() < prototypeLimit)
        prototypes.emplace(std::move(shape), dict.copy());
    return dict;
}

namespace {
// Uniquing keys and strings of an archive are kept in a list, searched in
// order, until there are this many; then in a hash.
constexpr size_t smallListLimit = 32;
// Objects nest a few levels deep; more spare key lists than this are not kept.
constexpr size_t spareListLimit = 16;
} // namespace

std::vector<std::vector<KeyedArchiver::Entry>>& KeyedArchiver::spareEntryLists()
{
    thread_local std::vector<std::vector<Entry>> lists;
    return lists;
}

quint64 KeyedArchiver::addObject(const QStringList& classes, const Encoder& encodeKeys, const QByteArray& uniquingKey)
{
    if (!uniquingKey.isEmpty()) {
        if (m_uniqueHash.isEmpty()) {
            for (const auto& [known, uid] : m_uniqueList) {
                if (known == uniquingKey)
                    return uid;
            }
        } else if (const auto found = m_uniqueHash.constFind(uniquingKey); found != m_uniqueHash.constEnd()) {
            return *found;
        }
    }
    // The object takes its UID before the objects it refers to, as the
    // platform numbers them.
    const quint64 uid = reserve();
    std::vector<std::vector<Entry>>& spare = spareEntryLists();
    if (spare.empty()) {
        m_open.emplace_back();
    } else {
        m_open.push_back(std::move(spare.back()));
        spare.pop_back();
    }
    if (encodeKeys)
        encodeKeys(*this);
    std::vector<Entry> entries = std::move(m_open.back());
    m_open.pop_back();
    Entry classEntry;
    classEntry.key = QStringLiteral("$class");
    classEntry.type = PLIST_UID;
    classEntry.number = classUid(classes);
    entries.push_back(std::move(classEntry));
    place(uid, dictionaryOf(entries));
    entries.clear();
    if (spare.size() < spareListLimit)
        spare.push_back(std::move(entries));
    if (!uniquingKey.isEmpty()) {
        // A copy of the bytes is kept: the caller's key may borrow them.
        QByteArray key(uniquingKey.constData(), uniquingKey.size());
        if (m_uniqueHash.isEmpty() && m_uniqueList.size() < smallListLimit) {
            m_uniqueList.emplace_back(std::move(key), uid);
        } else {
            for (const auto& [known, knownUid] : m_uniqueList)
                m_uniqueHash.insert(known, knownUid);
            m_uniqueList.clear();
            m_uniqueHash.insert(std::move(key), uid);
        }
    }
    return uid;
}

quint64 KeyedArchiver::classUid(const QStringList& classes)
{
    // An archive names a handful of classes.
    // Callers pass lists made once, so the same list data is usually met
    // again and its contents need no compare.
    for (const auto& [chain, uid] : m_classes) {
        if (chain.size() == classes.size() && (chain.constData() == classes.constData() || chain == classes))
            return uid;
    }
    PlistValue chain = PlistValue::array();
    for (const QString& name : classes)
        chain.append(PlistValue::string(name));
    PlistValue info = PlistValue::dictionary();
    info.insert(QStringLiteral("$classes"), std::move(chain));
    info.insert(QStringLiteral("$classname"), PlistValue::string(classes.value(0)));
    const quint64 uid = reserve();
    place(uid, std::move(info));
    m_classes.emplace_back(classes, uid);
    return uid;
}

quint64 KeyedArchiver::addString(const QString& given)
{
    if (given.isNull())
        return 0;
    // Strings are shared by what is stored, so texts that differ only in
    // NUL characters (which are not stored) become one object.
    const QString text = PlistValue::storableString(given);
    if (m_stringHash.isEmpty()) {
        for (const auto& [known, uid] : m_stringList) {
            if (known == text)
                return uid;
        }
    } else if (const auto found = m_stringHash.constFind(text); found != m_stringHash.constEnd()) {
        return *found;
    }
    const quint64 uid = reserve();
    place(uid, PlistValue::string(text));
    if (m_stringHash.isEmpty() && m_stringList.size() < smallListLimit) {
        m_stringList.emplace_back(text, uid);
    } else {
        for (const auto& [known, knownUid] : m_stringList)
            m_stringHash.insert(known, knownUid);
        m_stringList.clear();
        m_stringHash.insert(text, uid);
    }
    return uid;
}

quint64 KeyedArchiver::addInteger(qint64 value)
{
    const auto found = m_integers.constFind(value);
    if (found != m_integers.constEnd())
        return *found;
    const quint64 uid = reserve();
    place(uid, PlistValue::integer(value));
    m_integers.insert(value, uid);
    return uid;
}

quint64 KeyedArchiver::addData(const QByteArray& bytes)
{
    const quint64 uid = reserve();
    place(uid, PlistValue::data(bytes));
    return uid;
}

quint64 KeyedArchiver::addArray(const QList<quint64>& elements, const QStringList& classes)
{
    return addObject(classes, [&](KeyedArchiver& a) {
        PlistValue list = PlistValue::array();
        for (quint64 uid : elements)
            list.append(PlistValue::uid(uid));
        a.put(QStringLiteral("NS.objects"), std::move(list));
    });
}

quint64 KeyedArchiver::addDictionary(const QList<quint64>& keys, const QList<quint64>& values,
                                     const QStringList& classes)
{
    return addObject(classes, [&](KeyedArchiver& a) {
        PlistValue keyList = PlistValue::array();
        PlistValue valueList = PlistValue::array();
        const qsizetype n = std::min(keys.size(), values.size());
        for (qsizetype i = 0; i < n; ++i) {
            keyList.append(PlistValue::uid(keys[i]));
            valueList.append(PlistValue::uid(values[i]));
        }
        a.put(QStringLiteral("NS.keys"), std::move(keyList));
        a.put(QStringLiteral("NS.objects"), std::move(valueList));
    });
}

void KeyedArchiver::put(const QString& key, PlistValue value)
{
    if (m_open.empty() || value.isNull())
        return;
    Entry e;
    e.key = key;
    e.node = std::move(value);
    m_open.back().push_back(std::move(e));
}

void KeyedArchiver::putScalar(const QString& key, plist_type type, quint64 number, double real, const QByteArray& bytes)
{
    if (m_open.empty())
        return;
    Entry e;
    e.key = escapedKey(key);
    e.type = type;
    e.number = number;
    e.real = real;
    e.bytes = bytes;
    m_open.back().push_back(std::move(e));
}

void KeyedArchiver::encodeBool(const QString& key, bool value) { putScalar(key, PLIST_BOOLEAN, value ? 1 : 0); }
void KeyedArchiver::encodeInt(const QString& key, qint64 value) { putScalar(key, PLIST_UINT, quint64(value)); }
void KeyedArchiver::encodeFloat(const QString& key, float value) { putScalar(key, PLIST_REAL, 0, double(value)); }
void KeyedArchiver::encodeDouble(const QString& key, double value) { putScalar(key, PLIST_REAL, 0, value); }
void KeyedArchiver::encodeBytes(const QString& key, const QByteArray& bytes) { putScalar(key, PLIST_DATA, 0, 0, bytes); }
void KeyedArchiver::encodeReference(const QString& key, quint64 uid) { putScalar(key, PLIST_UID, uid); }

void KeyedArchiver::encodeRect(const QString& key, const QRectF& rect)
{
    encodeString(key, GeometryString::fromRect(rect));
}

void KeyedArchiver::encodePoint(const QString& key, const QPointF& point)
{
    encodeString(key, GeometryString::fromPoint(point));
}

void KeyedArchiver::encodeSize(const QString& key, const QSizeF& size)
{
    encodeString(key, GeometryString::fromSize(size));
}

void KeyedArchiver::encodeColour(const QString& key, const Colour& colour)
{
    encodeReference(key, ArchivedColour::encode(*this, colour));
}

void KeyedArchiver::encodeFont(const QString& key, const FontSpec& font)
{
    encodeReference(key, ArchivedFont::encode(*this, font));
}

void KeyedArchiver::encodePicture(const QString& key, const Picture& picture)
{
    encodeReference(key, ArchivedPicture::encode(*this, picture));
}

QByteArray KeyedArchiver::archive(quint64 rootUid) const
{
    plist_set_uid_val(m_rootReference, rootUid);
    return m_archive.toBinary();
}

QByteArray KeyedArchiver::archivedData(const QStringList& classes, const Encoder& encodeKeys)
{
    KeyedArchiver archiver;
    const quint64 root = archiver.addObject(classes, encodeKeys);
    return archiver.archive(root);
}
