#pragma once

#include "platform/PlistValue.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class Colour;
class FontSpec;
class Picture;

// Writes the platform's keyed archive: a binary property list
// {"$version": 100000, "$archiver": "NSKeyedArchiver", "$top": {"root": UID},
//  "$objects": ["$null", ...]} whose objects refer to each other by UID and
// name their class through a shared {"$classname", "$classes"} dictionary.
//
// An object is added with addObject(), whose encoder writes the object's own
// keys through the encode...() functions while it runs; nested objects are
// added from inside it. Equal strings, and objects added with the same
// non-empty uniquing key, are written once and shared.
class KeyedArchiver
{
public:
    using Encoder = std::function<void(KeyedArchiver&)>;

    KeyedArchiver();

    // Adds an object of the class chain `classes` (most derived first, e.g.
    // {"NSColor", "NSObject"}) and returns its UID. UID 0 is nil. The
    // uniquing key's bytes are copied when kept, so the key may borrow
    // them (QByteArray::fromRawData).
    quint64 addObject(const QStringList& classes, const Encoder& encodeKeys, const QByteArray& uniquingKey = {});
    quint64 addString(const QString& text);          // a null string is nil
    quint64 addInteger(qint64 value);                // a number object, as array elements hold them
    quint64 addData(const QByteArray& bytes);        // a data object
    quint64 addArray(const QList<quint64>& elements, const QStringList& classes = {"NSArray", "NSObject"});
    quint64 addDictionary(const QList<quint64>& keys, const QList<quint64>& values,
                          const QStringList& classes = {"NSDictionary", "NSObject"});

    // Keys of the object whose encoder is running. Outside an encoder they
    // do nothing.
    void encodeBool(const QString& key, bool value);
    void encodeInt(const QString& key, qint64 value);
    void encodeFloat(const QString& key, float value);
    void encodeDouble(const QString& key, double value);
    void encodeBytes(const QString& key, const QByteArray& bytes);   // inline data
    void encodeReference(const QString& key, quint64 uid);
    void encodeString(const QString& key, const QString& text) { encodeReference(key, addString(text)); }
    void encodeRect(const QString& key, const QRectF& rect);
    void encodePoint(const QString& key, const QPointF& point);
    void encodeSize(const QString& key, const QSizeF& size);
    void encodeColour(const QString& key, const Colour& colour);
    void encodeFont(const QString& key, const FontSpec& font);
    void encodePicture(const QString& key, const Picture& picture);

    // The finished archive with `rootUid` as its root object.
    QByteArray archive(quint64 rootUid) const;

    // The archive of one root object.
    static QByteArray archivedData(const QStringList& classes, const Encoder& encodeKeys);

private:
    // A key written by the object whose encoder runs: the key as stored
    // (escaped) and its value, either a scalar held here (type, number or
    // real, bytes) or a node.
    struct Entry {
        QString key;
        plist_type type = PLIST_NONE;
        quint64 number = 0;      // bool, integer (two's complement) or UID
        double real = 0;
        QByteArray bytes;        // data
        PlistValue node;         // anything else
        PlistValue toNode();
    };

    quint64 reserve();
    quint64 classUid(const QStringList& classes);
    void put(const QString& key, PlistValue value);
    void putScalar(const QString& key, plist_type type, quint64 number, double real = 0, const QByteArray& bytes = {});
    void place(quint64 uid, PlistValue object);
    static PlistValue dictionaryOf(std::vector<Entry>& entries);
    // Emptied key lists of this thread, kept for their room: an archive
    // of a card object lists a hundred keys.
    static std::vector<std::vector<Entry>>& spareEntryLists();

    PlistValue m_archive;                          // the whole archive, "$objects" filled as objects are added
    plist_t m_objectList = nullptr;                // its "$objects" (index = UID; "$null" first)
    plist_t m_rootReference = nullptr;             // the UID under "$top"
    quint32 m_objectCount = 0;
    std::vector<std::vector<Entry>> m_open;        // keys of the objects whose encoders run, innermost last
    std::vector<std::pair<QString, quint64>> m_stringList;   // strings while there are few
    QHash<QString, quint64> m_stringHash;                    // then all of them
    std::vector<std::pair<QByteArray, quint64>> m_uniqueList;   // uniquing keys while there are few
    QHash<QByteArray, quint64> m_uniqueHash;                    // then all of them
    std::vector<std::pair<QStringList, quint64>> m_classes;
    QHash<qint64, quint64> m_integers;
};
