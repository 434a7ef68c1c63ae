#include "data/TextFileDecoder.h"

#include "data/CodePageDecoder.h"

#include <QStringDecoder>

namespace {
std::optional<QString> strictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0')))
        return std::nullopt;
    return text;
}

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> prefix)
{
    if (bytes.size() < static_cast<qsizetype>(prefix.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char b : prefix) {
        if (static_cast<unsigned char>(bytes.at(i++)) != b)
            return false;
    }
    return true;
}
} // namespace

std::optional<QString> TextFileDecoder::decode(const QByteArray& bytes)
{
    const QByteArrayView view(bytes);
    // UTF-32 LE before UTF-16 LE: its mark starts with the latter's.
    if (startsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}))
        return strictly(QStringConverter::Utf32BE, view.sliced(4));
    if (startsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}))
        return strictly(QStringConverter::Utf32LE, view.sliced(4));
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return strictly(QStringConverter::Utf8, view.sliced(3));
    if (startsWith(bytes, {0xFE, 0xFF}))
        return strictly(QStringConverter::Utf16BE, view.sliced(2));
    if (startsWith(bytes, {0xFF, 0xFE}))
        return strictly(QStringConverter::Utf16LE, view.sliced(2));
    if (std::optional<QString> text = strictly(QStringConverter::Utf8, view))
        return text;
    if (!CodePageDecoder::isWindows1252Text(bytes))
        return std::nullopt;
    return CodePageDecoder::decodeWindows1252(bytes);
}
