#include "app/StringHelpers.h"

namespace {
// What trimming removes: white space and line ends (the space separators,
// tab, the line and paragraph separators, LF, VT, FF, CR, NEL), the other
// C0/C1 controls and the format characters (zero-width space and joiners,
// direction marks, BOM).
bool isBlankOrControl(QChar c)
{
    const QChar::Category cat = c.category();
    return c.isSpace() || cat == QChar::Other_Control || cat == QChar::Other_Format;
}

bool isReserved(QChar c)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    return reserved.contains(c);
}

template <typename Pred>
QString trimBoth(const QString& s, Pred pred)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && pred(s.at(begin)))
        ++begin;
    while (end > begin && pred(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}
}

QString Trim_Str(const QString& s)
{
    return trimBoth(s, isBlankOrControl);
}

QString Remove_Reserve_Char_In_File_Name(const QString& name)
{
    return Trim_Str(trimBoth(name, isReserved));
}

QString Replace_Char_For_valid(const QString& s)
{
    return Trim_Str(s);
}

QString Replace_char_in_string(const QString& s, const QString& find, const QString& replacement)
{
    // QString::replace with an empty needle would insert the replacement
    // between every two characters.
    if (find.isEmpty())
        return s;
    QString result = s;
    return result.replace(find, replacement);
}

QString Left_Str_substringToIndex(const QString& s, int n)
{
    if (n < 0)
        return QString();
    if (n >= s.size())
        return s;
    return s.left(n);
}

QString Right_Str_substringFromIndex(const QString& s, int n)
{
    if (n < 0)
        return QString();
    if (n >= s.size())
        return s;
    return s.right(n);
}

QString Read_Str_FromIndex(const QString& s, int i)
{
    if (i < 0 || i > s.size())
        return QString();
    return s.mid(i);
}

QString Read_Str_Upto_Index(const QString& s, int i)
{
    if (i < 0 || i > s.size())
        return QString();
    return s.left(i);
}

bool Find_Str(const QString& s, const QString& part)
{
    return !part.isEmpty() && s.contains(part, Qt::CaseSensitive);
}

bool Find_Str_Case_Insensitive(const QString& s, const QString& part)
{
    if (s.isEmpty() || part.isEmpty())
        return false;
    return s.contains(part, Qt::CaseInsensitive);
}

QString shortenedText(const QString& text, int most)
{
    if (most < 1 || text.size() <= most)
        return text;
    qsizetype keep = most - 1;
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep) + QChar(0x2026);
}
