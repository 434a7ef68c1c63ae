#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The text of a plain text file, its encoding found the way a reader of
// such files expects:
// - a byte order mark names the encoding: UTF-8, UTF-16 or UTF-32, big or
//   little endian; the text must then be valid in it;
// - without one, the bytes are UTF-8 when they are valid UTF-8;
// - otherwise they are taken as Windows-1252 (Western text written by older
//   programs), unless a byte is NUL or one the code page leaves undefined,
//   which marks a binary file or another encoding.
// No text (nullopt) means the bytes are not decodable text. A NUL anywhere in
// the decoded text counts as binary as well.
class TextFileDecoder {
public:
    static std::optional<QString> decode(const QByteArray& bytes);
};
