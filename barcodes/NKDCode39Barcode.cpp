#include "barcodes/NKDCode39Barcode.h"

namespace {

struct Code39Character
{
    char character;
    // Nine elements, first bar in the highest bit: 1 wide, 0 narrow.
    unsigned short elements;
};

const Code39Character code39Table[] = {
    {'0', 0x034}, {'1', 0x121}, {'2', 0x061}, {'3', 0x160}, {'4', 0x031}, {'5', 0x130}, {'6', 0x070},
    {'7', 0x025}, {'8', 0x124}, {'9', 0x064}, {'A', 0x109}, {'B', 0x049}, {'C', 0x148}, {'D', 0x019},
    {'E', 0x118}, {'F', 0x058}, {'G', 0x00D}, {'H', 0x10C}, {'I', 0x04C}, {'J', 0x01C}, {'K', 0x103},
    {'L', 0x043}, {'M', 0x142}, {'N', 0x013}, {'O', 0x112}, {'P', 0x052}, {'Q', 0x007}, {'R', 0x106},
    {'S', 0x046}, {'T', 0x016}, {'U', 0x181}, {'V', 0x0C1}, {'W', 0x1C0}, {'X', 0x091}, {'Y', 0x190},
    {'Z', 0x0D0}, {'-', 0x085}, {'.', 0x184}, {' ', 0x0C4}, {'$', 0x0A8}, {'/', 0x0A2}, {'+', 0x08A},
    {'%', 0x02A}, {'*', 0x094},
};

} // namespace

QString NKDCode39Barcode::code39Pattern(char c)
{
    for (const Code39Character& entry : code39Table) {
        if (entry.character != c)
            continue;
        QString modules;
        for (int element = 0; element < 9; ++element) {
            const bool wide = entry.elements & (1 << (8 - element));
            const QLatin1Char mark(element % 2 == 0 ? '1' : '0');
            modules += QString(wide ? 2 : 1, mark);
        }
        return modules + QLatin1Char('0');
    }
    return {};
}

bool NKDCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    return NKDBarcode::initWithContent(content.toUpper(), printsCaption);
}

QString NKDCode39Barcode::_encodeChar(char c) const
{
    return code39Pattern(c);
}

QString NKDCode39Barcode::initiator() const
{
    return code39Pattern('*');
}

QString NKDCode39Barcode::terminator() const
{
    return code39Pattern('*');
}

bool NKDCode39Barcode::isContentValid() const
{
    return !content().isEmpty() && everyCharacterEncodes() && !content().contains(QLatin1Char('*'));
}
