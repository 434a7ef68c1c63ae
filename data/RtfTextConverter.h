#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The plain text of an RTF document: its characters without formatting,
// paragraphs ending in "\n".
// - Groups nest; a group keeps the state it started with (skipping, the
//   \uc count), so what a group changes ends with it.
// - Destinations that hold no document text are skipped whole: the font,
//   colour, style and list tables, document information, pictures,
//   objects, field instructions (a field's result is text), headers,
//   footers, footnotes and every group marked ignorable with \*.
// - \par, \sect, \page, \line, \row and a backslash before a line end (the
//   line break TextEdit-style documents use) end a line; \tab and \cell give
//   a tab; raw line ends in the source are no text.
// - \'hh is a byte of the document's code page (\ansicpg, \mac, \pc, \pca;
//   Windows-1252 when none is given), and so are raw bytes above 127.
// - \uN is the UTF-16 unit N (negative N counts from 65536), followed by
//   \ucN fallback characters (1 unless set) that are skipped.
// - \binN skips N bytes of binary data.
// - \\ \{ \} give the characters, \~ a no-break space, \_ a no-break
//   hyphen, \- nothing; the quote, dash, space and mark words their
//   characters.
// The text is never longer than the document, which makes the output
// bounded by the input whatever the input holds.
class RtfTextConverter {
public:
    // nullopt when the bytes do not start with "{\rtf".
    static std::optional<QString> plainText(const QByteArray& rtf);
};
