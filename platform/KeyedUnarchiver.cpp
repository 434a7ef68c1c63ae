#include "platform/KeyedUnarchiver.h"

#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedPicture.h"
#include "platform/Colour.h"
#include "platform/FontSpec.h"
#include "platform/GeometryString.h"
#include "platform/Picture.h"

#include <cmath>
#include <cstdlib>
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

bool KeyedUnarchiver::enter(quint64 uid)
{
    if (m_stack.size() >= size_t(maxNesting) || m_reading.count(uid))
        return false;
    m_reading.insert(uid);
    return true;
}

void KeyedUnarchiver::leave(quint64 uid)
{
    m_reading.erase(uid);
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
// Dictionaries with more keys than this are indexed before look-ups.
constexpr quint32 indexMinimum = 12;
} // namespace

PlistNode KeyedUnarchiver::lookUp(const Frame& frame, const QString& key) const
{
    if (!frame.node.isDictionary())
        return {};
    if (!frame.index) {
        if (plist_dict_get_size(frame.node.get()) <= indexMinimum)
            return frame.node.value(key);
        QHash<QString, plist_t> index;
        index.reserve(qsizetype(plist_dict_get_size(frame.node.get())));
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
            // The first of repeated keys wins, as in a look-up by libplist.
            const QString key = QString::fromUtf8(name);
            if (!index.contains(key))
                index.insert(key, item);
            std::free(name);
        }
        std::free(it);
        frame.index = std::move(index);
    }
    return PlistNode(frame.index->value(key, nullptr));
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
