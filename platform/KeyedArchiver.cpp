#include "platform/KeyedArchiver.h"

#include "platform/ArchivedColour.h"
#include "platform/ArchivedFont.h"
#include "platform/ArchivedPicture.h"
#include "platform/GeometryString.h"

namespace {
// Keys the archive itself uses begin with "$"; an object's own key that does
// is written with a second "$" in front.
QString escapedKey(const QString& key)
{
    return key.startsWith(QLatin1Char('$')) ? QLatin1Char('$') + key : key;
}
} // namespace

KeyedArchiver::KeyedArchiver()
{
    m_objects.push_back(PlistValue::string(QStringLiteral("$null")));
}

quint64 KeyedArchiver::reserve()
{
    m_objects.emplace_back();
    return m_objects.size() - 1;
}

quint64 KeyedArchiver::addObject(const QStringList& classes, const Encoder& encodeKeys, const QByteArray& uniquingKey)
{
    if (!uniquingKey.isEmpty()) {
        const auto found = m_unique.constFind(uniquingKey);
        if (found != m_unique.constEnd())
            return *found;
    }
    // The object takes its UID before the objects it refers to, as the
    // platform numbers them.
    const quint64 uid = reserve();
    m_open.push_back(PlistValue::dictionary());
    if (encodeKeys)
        encodeKeys(*this);
    PlistValue object = std::move(m_open.back());
    m_open.pop_back();
    object.insert(QStringLiteral("$class"), PlistValue::uid(classUid(classes)));
    m_objects[uid] = std::move(object);
    if (!uniquingKey.isEmpty())
        m_unique.insert(uniquingKey, uid);
    return uid;
}

quint64 KeyedArchiver::classUid(const QStringList& classes)
{
    const QString key = classes.join(QLatin1Char('\n'));
    const auto found = m_classes.constFind(key);
    if (found != m_classes.constEnd())
        return *found;
    PlistValue chain = PlistValue::array();
    for (const QString& name : classes)
        chain.append(PlistValue::string(name));
    PlistValue info = PlistValue::dictionary();
    info.insert(QStringLiteral("$classes"), std::move(chain));
    info.insert(QStringLiteral("$classname"), PlistValue::string(classes.value(0)));
    const quint64 uid = reserve();
    m_objects[uid] = std::move(info);
    m_classes.insert(key, uid);
    return uid;
}

quint64 KeyedArchiver::addString(const QString& text)
{
    if (text.isNull())
        return 0;
    const auto found = m_strings.constFind(text);
    if (found != m_strings.constEnd())
        return *found;
    const quint64 uid = reserve();
    m_objects[uid] = PlistValue::string(text);
    m_strings.insert(text, uid);
    return uid;
}

quint64 KeyedArchiver::addInteger(qint64 value)
{
    const auto found = m_integers.constFind(value);
    if (found != m_integers.constEnd())
        return *found;
    const quint64 uid = reserve();
    m_objects[uid] = PlistValue::integer(value);
    m_integers.insert(value, uid);
    return uid;
}

quint64 KeyedArchiver::addData(const QByteArray& bytes)
{
    const quint64 uid = reserve();
    m_objects[uid] = PlistValue::data(bytes);
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
    if (!m_open.empty())
        m_open.back().insert(key, std::move(value));
}

void KeyedArchiver::encodeBool(const QString& key, bool value) { put(escapedKey(key), PlistValue::boolean(value)); }
void KeyedArchiver::encodeInt(const QString& key, qint64 value) { put(escapedKey(key), PlistValue::integer(value)); }
void KeyedArchiver::encodeFloat(const QString& key, float value) { put(escapedKey(key), PlistValue::real(double(value))); }
void KeyedArchiver::encodeDouble(const QString& key, double value) { put(escapedKey(key), PlistValue::real(value)); }
void KeyedArchiver::encodeBytes(const QString& key, const QByteArray& bytes) { put(escapedKey(key), PlistValue::data(bytes)); }
void KeyedArchiver::encodeReference(const QString& key, quint64 uid) { put(escapedKey(key), PlistValue::uid(uid)); }

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
    PlistValue objects = PlistValue::array();
    for (const PlistValue& object : m_objects)
        objects.append(object.isNull() ? PlistValue::string(QStringLiteral("$null")) : object.copy());
    PlistValue top = PlistValue::dictionary();
    top.insert(QStringLiteral("root"), PlistValue::uid(rootUid));
    PlistValue archive = PlistValue::dictionary();
    archive.insert(QStringLiteral("$version"), PlistValue::integer(100000));
    archive.insert(QStringLiteral("$archiver"), PlistValue::string(QStringLiteral("NSKeyedArchiver")));
    archive.insert(QStringLiteral("$top"), std::move(top));
    archive.insert(QStringLiteral("$objects"), std::move(objects));
    return archive.toBinary();
}

QByteArray KeyedArchiver::archivedData(const QStringList& classes, const Encoder& encodeKeys)
{
    KeyedArchiver archiver;
    const quint64 root = archiver.addObject(classes, encodeKeys);
    return archiver.archive(root);
}
