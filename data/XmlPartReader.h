#pragma once

// Reads one XML part of an unpacked workbook as a stream of tokens, so that
// a part of hundreds of megabytes is never held whole in memory. The file is
// fed to the parser in small chunks; a single token (a text, a tag with its
// attributes) longer than MaxTokenBytes ends the read with an error, since
// the parser would otherwise gather it whole, and no cell of a real
// workbook comes near it (a cell holds at most 32,767 characters).
// Element names are compared without their prefix, so prefixed
// SpreadsheetML ("x:row") reads the same; undeclared prefixes are no error.
//
// An entity that no declaration names ("&nbsp;", which HTML knows and XML
// does not) is kept as the text it is written as, as a lenient parse keeps
// it, instead of ending the read. Entity declarations (a DTD declaring any)
// end the read: no workbook part declares entities, and expanding them is
// how a few bytes grow into gigabytes.

#include <QFile>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

#include <memory>

class XmlPartReader
{
public:
    static constexpr qint64 MaxTokenBytes = qint64(4) << 20;

    // Opens the part; a part that cannot be opened reads as an error.
    explicit XmlPartReader(const QString& path);

    // The next token: true for a start element, text or end element (and
    // the tokens around them), false at the end of the document or on an
    // error (then error() tells it).
    bool readNext();
    bool isStartElement() const { return m_xml.isStartElement(); }
    bool isEndElement() const { return m_xml.isEndElement(); }
    bool isCharacters() const { return m_xml.isCharacters(); }
    // The element's name without its prefix.
    QStringView localName() const;
    bool isNamed(QStringView local) const { return localName() == local; }
    // An attribute of the start element by its name as written ("r").
    QStringView attribute(QStringView name) const;
    bool hasAttribute(QStringView name) const;
    QStringView text() const { return m_xml.text(); }

    // Skips to the end of the element just started.
    bool skipElement();
    // The character data directly inside the element just started (text
    // and CDATA sections, not that of elements inside it); stops at its end.
    bool readOwnText(QString& out);

    // Empty while the read goes well.
    QString error() const { return m_error; }
    // The read ended for a token or text past the limit above.
    bool tooLarge() const { return m_tooLarge; }

private:
    void fail(const QString& why, bool tooLarge = false);

    QFile m_file;
    QXmlStreamReader m_xml;
    std::unique_ptr<QXmlStreamEntityResolver> m_entities;
    QString m_error;
    bool m_tooLarge = false;
    qint64 m_pending = 0; // bytes fed since the last whole token
};
