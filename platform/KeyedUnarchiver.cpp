#include "platform/KeyedUnarchiver.h"

#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedPicture.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/GeometryString.h"
#include "platform/Picture.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {
QString escapedKey(const QString& key)
{
    return key.startsWith(QLatin1Char('$')) ? QLatin1Char('$') + key : key;
}
} // namespace

KeyedUnarchiver::KeyedUnarchiver(const QByteArray& data)
{
    m_plist = PlistValue::fromData(data);
    const PlistNode top = m_plist.node().value("$top");
    m_objects = m_plist.node().value("$objects");
    m_root = top.value("root");
    quint64 uid = 0;
    m_valid = m_objects.isArray() && !resolve(m_root, uid).isNull();
}

PlistNode KeyedUnarchiver::resolve(const PlistNode& reference, quint64& uid) const
{
    const std::optional<quint64> id = reference.uid();
    if (!id || *id == 0 || *id >= m_objects.count())
        return {};
    uid = *id;
    return m_objects.at(quint32(*id));
}

bool KeyedUnarchiver::mayEnter(quint64 uid) const
{
    if (m_stack.size() >= size_t(maxNesting))
        return false;
    return std::none_of(m_stack.begin(), m_stack.end(), [uid](const Frame& f) { return f.uid == uid; });
}

PlistNode KeyedUnarchiver::current() const
{
    return m_stack.empty() ? PlistNode() : m_stack.back().node;
}

QStringList KeyedUnarchiver::classes() const
{
    QStringList result;
    quint64 uid = 0;
    const PlistNode info = resolve(current().value("$class"), uid);
    const PlistNode name = info.value("$classname");
    if (!name.isString())
        return result;
    result.append(name.toString());
    const PlistNode chain = info.value("$classes");
    for (quint32 i = 0; i < chain.count(); ++i) {
        const QString c = chain.at(i).toString();
        if (!c.isEmpty() && !(i == 0 && c == result.first()))
            result.append(c);
    }
    return result;
}

namespace {
// Dictionaries with more keys than this get a key order before look-ups.
constexpr quint32 orderMinimum = 12;
// Keys this long or longer, or not ASCII, are looked up by libplist.
constexpr qsizetype asciiKeyLimit = 128;
} // namespace

KeyedUnarchiver::KeyOrder::~KeyOrder()
{
    for (char* name : names)
        std::free(name);
}

PlistNode KeyedUnarchiver::lookUp(const Frame& frame, const QString& key) const
{
    if (!frame.node.isDictionary())
        return {};
    char ascii[asciiKeyLimit];
    bool plain = key.size() < asciiKeyLimit;
    for (qsizetype i = 0; plain && i < key.size(); ++i) {
        const char16_t c = key[i].unicode();
        plain = c != 0 && c < 0x80;
        ascii[i] = char(c);
    }
    if (!plain || plist_dict_get_size(frame.node.get()) <= orderMinimum)
        return frame.node.value(key);
    ascii[key.size()] = '\0';
    if (!frame.keys) {
        auto order = std::make_unique<KeyOrder>();
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(frame.node.get(), &it);
        for (;;) {
            char* name = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(frame.node.get(), it, &name, &item);
            if (!item) {
                std::free(name);
                break;
            }
            order->names.push_back(name);
            order->values.push_back(item);
        }
        std::free(it);
        // Repeated keys are found through a sorted list of hashes of the
        // names; only names whose hashes meet are compared.
        std::vector<std::pair<quint64, const char*>> hashes;
        hashes.reserve(order->names.size());
        for (const char* name : order->names) {
            quint64 h = 14695981039346656037ull;   // FNV-1a
            for (const char* c = name; *c; ++c)
                h = (h ^ quint8(*c)) * 1099511628211ull;
            hashes.emplace_back(h, name);
        }
        std::sort(hashes.begin(), hashes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i + 1 < hashes.size() && !order->repeatsKeys; ++i) {
            for (size_t j = i + 1; j < hashes.size() && hashes[j].first == hashes[i].first; ++j)
                order->repeatsKeys = order->repeatsKeys || std::strcmp(hashes[i].second, hashes[j].second) == 0;
        }
        frame.keys = std::move(order);
    }
    KeyOrder& order = *frame.keys;
    if (order.repeatsKeys)
        return frame.node.value(key);
    const size_t n = order.names.size();
    for (size_t k = 0; k < n; ++k) {
        const size_t i = (order.next + k) % n;
        if (std::strcmp(order.names[i], ascii) == 0) {
            order.next = i + 1;
            return PlistNode(order.values[i]);
        }
    }
    return {};
}

PlistNode KeyedUnarchiver::value(const QString& key) const
{
    if (m_stack.empty())
        return {};
    return lookUp(m_stack.back(), escapedKey(key));
}

bool KeyedUnarchiver::decodeBool(const QString& key) const
{
    const auto v = value(key).toNumber();
    return v && *v != 0;
}

qint64 KeyedUnarchiver::decodeInt64(const QString& key) const
{
    const PlistNode node = value(key);
    if (const auto i = node.toInteger())
        return *i;
    const auto v = node.toNumber();
    if (!v || !std::isfinite(*v))
        return 0;
    if (*v >= 9.2e18)
        return std::numeric_limits<qint64>::max();
    if (*v <= -9.2e18)
        return std::numeric_limits<qint64>::min();
    return qint64(*v);
}

int KeyedUnarchiver::decodeInt(const QString& key) const
{
    const qint64 v = decodeInt64(key);
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

float KeyedUnarchiver::decodeFloat(const QString& key) const
{
    return float(decodeDouble(key));
}

double KeyedUnarchiver::decodeDouble(const QString& key) const
{
    const auto v = value(key).toNumber();
    return v ? *v : 0.0;
}

QByteArray KeyedUnarchiver::decodeBytes(const QString& key) const
{
    const PlistNode node = value(key);
    if (node.isData())
        return node.toData();
    quint64 uid = 0;
    return resolve(node, uid).toData();
}

std::optional<QString> KeyedUnarchiver::stringObject(KeyedUnarchiver& coder)
{
    // NUL characters are dropped: they cannot be written back, and a
    // string that holds one would not come back as it was read.
    const PlistNode node = coder.current();
    if (node.isString())
        return PlistValue::storableString(node.toString());
    if (!node.isDictionary())
        return std::nullopt;
    const PlistNode inner = node.value("NS.string");
    if (inner.isString())
        return PlistValue::storableString(inner.toString());
    if (!inner.isNull())
        return coder.decodeReference<QString>(inner, &KeyedUnarchiver::stringObject);
    const QByteArray bytes = coder.decodeBytes(QStringLiteral("NS.bytes"));
    if (!bytes.isNull())
        return PlistValue::storableString(QString::fromUtf8(bytes));
    return std::nullopt;
}

std::optional<QByteArray> KeyedUnarchiver::dataObject(KeyedUnarchiver& coder)
{
    const PlistNode node = coder.current();
    if (node.isData())
        return node.toData();
    if (node.isDictionary() && coder.containsKey(QStringLiteral("NS.data")))
        return coder.decodeBytes(QStringLiteral("NS.data"));
    return std::nullopt;
}

QString KeyedUnarchiver::decodeString(const QString& key)
{
    return decodeObject<QString>(key, &KeyedUnarchiver::stringObject).value_or(QString());
}

QRectF KeyedUnarchiver::decodeRect(const QString& key)
{
    return GeometryString::toRect(decodeString(key));
}

QPointF KeyedUnarchiver::decodePoint(const QString& key)
{
    return GeometryString::toPoint(decodeString(key));
}

QSizeF KeyedUnarchiver::decodeSize(const QString& key)
{
    return GeometryString::toSize(decodeString(key));
}

Colour KeyedUnarchiver::decodeColour(const QString& key)
{
    return decodeObject<Colour>(key, &ArchivedColour::decode).value_or(Colour());
}

FontSpec KeyedUnarchiver::decodeFont(const QString& key)
{
    return decodeObject<FontSpec>(key, &ArchivedFont::decode).value_or(FontSpec());
}

Picture KeyedUnarchiver::decodePicture(const QString& key)
{
    return decodeObject<Picture>(key, &ArchivedPicture::decode).value_or(Picture());
}

QList<PlistNode> KeyedUnarchiver::arrayElements() const
{
    QList<PlistNode> result;
    PlistNode list = current();
    if (list.isDictionary())
        list = list.value("NS.objects");
    for (quint32 i = 0; i < list.count(); ++i)
        result.append(list.at(i));
    return result;
}

QList<PlistNode> KeyedUnarchiver::arrayElements(const QString& key)
{
    return decodeObject<QList<PlistNode>>(key, [](KeyedUnarchiver& c) -> std::optional<QList<PlistNode>> {
               return c.arrayElements();
           })
        .value_or(QList<PlistNode>());
}
