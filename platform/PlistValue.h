#pragma once

#include "platform/PlistNode.h"

#include <QByteArray>
#include <QString>

// Owns one libplist tree and frees it. Move-only. Built with the factory
// functions and insert()/append(), read through node(), turned into bytes
// with toBinary()/toXml(); fromData() parses binary or XML property lists
// from untrusted bytes.
class PlistValue
{
public:
    PlistValue() = default;
    explicit PlistValue(plist_t adopted) : m_node(adopted) {}
    ~PlistValue();
    PlistValue(PlistValue&& other) noexcept : m_node(other.release()) {}
    PlistValue& operator=(PlistValue&& other) noexcept;
    PlistValue(const PlistValue&) = delete;
    PlistValue& operator=(const PlistValue&) = delete;

    static PlistValue dictionary();
    static PlistValue array();
    static PlistValue string(const QString& text);   // NUL characters are left out, see storableString()
    static PlistValue boolean(bool value);
    static PlistValue integer(qint64 value);
    static PlistValue real(double value);
    static PlistValue data(const QByteArray& bytes);
    static PlistValue uid(quint64 value);

    // The text as a string node holds it: libplist takes strings as C
    // strings, so a NUL character would cut the text short there; it is
    // left out instead and the rest is kept.
    static QString storableString(const QString& text);

    // Parses a binary or XML property list. Data that is not one, or whose
    // containers nest deeper than `maxDepth`, gives a null value.
    static PlistValue fromData(const QByteArray& bytes, int maxDepth = defaultMaxDepth);
    static constexpr int defaultMaxDepth = 256;

    bool isNull() const { return m_node == nullptr; }
    PlistNode node() const { return PlistNode(m_node); }
    plist_t get() const { return m_node; }
    plist_t release();
    PlistValue copy() const;

    // Building: this must be a dictionary (insert) or an array (append);
    // the item is taken over. Returns false when this is of another kind.
    bool insert(const QString& key, PlistValue item);
    bool append(PlistValue item);

    QByteArray toBinary() const;
    QByteArray toXml() const;

private:
    plist_t m_node = nullptr;
};
