#include "barcodes/NKDExtendedCode39Barcode.h"

bool NKDExtendedCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    if (!NKDCode39Barcode::initWithContent(content, printsCaption))
        return false;
    m_text.setContent(content);
    calculateWidth();
    return true;
}

QByteArray NKDExtendedCode39Barcode::fullAsciiPair(char c)
{
    const auto pair = [](char prefix, char letter) {
        QByteArray two;
        two.append(prefix).append(letter);
        return two;
    };
    if (c == ' ' || c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
        return QByteArray(1, c);
    if (c >= 'a' && c <= 'z')
        return pair('+', char(c - 'a' + 'A'));
    if (c >= '!' && c <= ',')
        return pair('/', char(c - '!' + 'A'));
    if (c == '/')
        return pair('/', 'O');
    if (c == ':')
        return pair('/', 'Z');
    if (c >= ';' && c <= '?')
        return pair('%', char(c - ';' + 'F'));
    if (c == '@')
        return pair('%', 'V');
    if (c >= '[' && c <= '_')
        return pair('%', char(c - '[' + 'K'));
    if (c == '`')
        return pair('%', 'W');
    if (c >= '{' && c <= '~')
        return pair('%', char(c - '{' + 'P'));
    if (c == '\t')
        return pair('$', 'I');
    if (c == '\n')
        return pair('$', 'J');
    return {};
}

QString NKDExtendedCode39Barcode::_encodeChar(char c) const
{
    QString modules;
    for (const char part : fullAsciiPair(c))
        modules += code39Pattern(part);
    return modules;
}

bool NKDExtendedCode39Barcode::isContentValid() const
{
    return !content().isEmpty() && everyCharacterEncodes();
}

QString NKDExtendedCode39Barcode::getRequirementDescription() const
{
    return QStringLiteral("Printable ASCII characters, tab and line feed.");
}
