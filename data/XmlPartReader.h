#pragma once

// Reads one XML part of an unpacked workbook as a stream of tokens, so that
// a part of hundreds of megabytes is never held whole in memory. The file is
// fed to the parser in small chunks; a single token (a text, a tag with its
// attributes) longer than MaxTokenBytes ends the read with an error, since
// the parser would otherwise gather it whole, and no cell of a real
// workbook comes near it. Element names are compared without their prefix,
// so prefixed SpreadsheetML ("x:row") reads the same; undeclared prefixes
// are no error.

#include <QFile>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

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

private:
    QFile m_file;
    QXmlStreamReader m_xml;
    QString m_error;
    qint64 m_pending = 0; // bytes fed since the last whole token
};
