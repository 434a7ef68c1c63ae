#include "data/RtfTextConverter.h"

#include "data/CodePageDecoder.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <cstdint>

namespace {

struct GroupState {
    bool skip = false;    // inside a destination that holds no text
    int unicodeSkip = 1;  // \ucN: fallback characters after each \uN
};

enum class Word {
    Unknown,
    LineEnd,      // \par \sect \page \line \row \nestrow
    Tab,          // \tab \cell \nestcell
    Character,    // quotes, dashes, spaces and marks
    SkipGroup,    // destinations without document text
    Unicode,      // \uN
    UnicodeSkip,  // \ucN
    Binary,       // \binN
    AnsiCodePage, // \ansicpg N
    Ansi,         // \ansi
    Mac,          // \mac
    Pc,           // \pc
    Pca,          // \pca
};

struct WordMeaning {
    Word word = Word::Unknown;
    char16_t character = 0;
};

const QHash<QByteArray, WordMeaning>& wordTable()
{
    static const QHash<QByteArray, WordMeaning> table = [] {
        QHash<QByteArray, WordMeaning> t;
        for (const char* w : {"par", "sect", "page", "line", "row", "nestrow"})
            t.insert(w, {Word::LineEnd, 0});
        for (const char* w : {"tab", "cell", "nestcell"})
            t.insert(w, {Word::Tab, 0});
        const std::pair<const char*, char16_t> characters[] = {
            {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
            {"emdash", 0x2014},  {"endash", 0x2013},  {"bullet", 0x2022},    {"emspace", 0x2003},
            {"enspace", 0x2002}, {"qmspace", 0x2005}, {"zwj", 0x200D},       {"zwnj", 0x200C},
            {"ltrmark", 0x200E}, {"rtlmark", 0x200F}, {"zwbo", 0x200B},      {"zwnbo", 0xFEFF}};
        for (const auto& [w, c] : characters)
            t.insert(w, {Word::Character, c});
        for (const char* w :
             {"fonttbl", "colortbl", "stylesheet", "info", "listtable", "listoverridetable", "rsidtbl",
              "generator", "pict", "object", "fldinst", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "footnote", "filetbl", "revtbl", "xmlnstbl", "themedata",
              "colorschememapping", "datastore", "latentstyles", "pgdsctbl", "listtext", "pntext", "nonshppict",
              "shp", "expandedcolortbl", "operator", "author", "title", "subject", "keywords", "comment", "doccomm",
              "fontemb", "fontfile", "private", "userprops", "bkmkstart", "bkmkend", "atnid", "atnauthor",
              "annotation", "txe", "xe", "tc", "rxe"})
            t.insert(w, {Word::SkipGroup, 0});
        t.insert("u", {Word::Unicode, 0});
        t.insert("uc", {Word::UnicodeSkip, 0});
        t.insert("bin", {Word::Binary, 0});
        t.insert("ansicpg", {Word::AnsiCodePage, 0});
        t.insert("ansi", {Word::Ansi, 0});
        t.insert("mac", {Word::Mac, 0});
        t.insert("pc", {Word::Pc, 0});
        t.insert("pca", {Word::Pca, 0});
        return t;
    }();
    return table;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class Converter {
public:
    explicit Converter(const QByteArray& rtf) : m_in(rtf) {}

    QString run()
    {
        m_text.reserve(std::min<qsizetype>(m_in.size(), 1 << 20));
        // The opening brace of the document.
        m_pos = 1;
        while (m_pos < m_in.size() && !m_done) {
            const char c = m_in.at(m_pos++);
            switch (c) {
            case '{':
                flushBytes();
                m_stack.append(m_state);
                break;
            case '}':
                flushBytes();
                m_fallbackLeft = 0;
                if (m_stack.isEmpty()) {
                    m_done = true;
                } else {
                    m_state = m_stack.takeLast();
                }
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                character(c);
                break;
            }
        }
        flushBytes();
        return m_text;
    }

private:
    // A plain character or byte of the document's code page.
    void character(char c)
    {
        if (m_state.skip)
            return;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && c != '\t')
            return;
        m_bytes.append(c);
    }

    void controlSequence()
    {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in.at(m_pos);
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in.at(m_pos)) && m_pos - start < 32)
            ++m_pos;
        const QByteArray name = m_in.mid(start, m_pos - start);
        bool hasParameter = false;
        bool negative = false;
        int64_t parameter = 0;
        if (m_pos < m_in.size() && m_in.at(m_pos) == '-' && m_pos + 1 < m_in.size() && isDigit(m_in.at(m_pos + 1))) {
            negative = true;
            ++m_pos;
        }
        for (int digits = 0; m_pos < m_in.size() && isDigit(m_in.at(m_pos)); ++m_pos, ++digits) {
            hasParameter = true;
            if (digits < 10)
                parameter = parameter * 10 + (m_in.at(m_pos) - '0');
        }
        if (negative)
            parameter = -parameter;
        if (m_pos < m_in.size() && m_in.at(m_pos) == ' ')
            ++m_pos;
        controlWord(name, hasParameter, parameter);
    }

    void controlWord(const QByteArray& name, bool hasParameter, int64_t parameter)
    {
        const WordMeaning meaning = wordTable().value(name);
        // Words that change the reading itself act also where no text is kept.
        switch (meaning.word) {
        case Word::Binary:
            m_pos += std::clamp<int64_t>(hasParameter ? parameter : 0, 0, m_in.size() - m_pos);
            return;
        case Word::SkipGroup:
            m_state.skip = true;
            return;
        case Word::UnicodeSkip:
            m_state.unicodeSkip = static_cast<int>(std::clamp<int64_t>(parameter, 0, 16));
            return;
        case Word::AnsiCodePage:
            setCodePage(hasParameter ? static_cast<int>(std::clamp<int64_t>(parameter, 0, 65535)) : 1252);
            return;
        case Word::Ansi:
            setCodePage(1252);
            return;
        case Word::Mac:
            setCodePage(10000);
            return;
        case Word::Pc:
            setCodePage(437);
            return;
        case Word::Pca:
            setCodePage(850);
            return;
        default:
            break;
        }
        if (m_state.skip)
            return;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        switch (meaning.word) {
        case Word::LineEnd:
            append(u'\n');
            break;
        case Word::Tab:
            append(u'\t');
            break;
        case Word::Character:
            append(meaning.character);
            break;
        case Word::Unicode: {
            if (!hasParameter)
                break;
            int64_t unit = parameter;
            if (unit < 0)
                unit += 65536;
            if (unit > 0 && unit <= 0xFFFF)
                append(static_cast<char16_t>(unit));
            m_fallbackLeft = m_state.unicodeSkip;
            break;
        }
        default:
            break;
        }
    }

    void controlSymbol(char c)
    {
        if (c == '*') {
            m_state.skip = true;
            return;
        }
        if (m_state.skip) {
            if (c == '\'')
                skipHexDigits();
            return;
        }
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            if (c == '\'')
                skipHexDigits();
            return;
        }
        switch (c) {
        case '\'': {
            const int high = m_pos < m_in.size() ? hexValue(m_in.at(m_pos)) : -1;
            const int low = m_pos + 1 < m_in.size() ? hexValue(m_in.at(m_pos + 1)) : -1;
            if (high < 0 || low < 0)
                return;
            m_pos += 2;
            m_bytes.append(static_cast<char>(high * 16 + low));
            break;
        }
        case '\\':
        case '{':
        case '}':
            m_bytes.append(c);
            break;
        case '~':
            append(u'\u00A0');
            break;
        case '_':
            append(u'\u2011');
            break;
        case '\n':
        case '\r':
            append(u'\n');
            break;
        case '\t':
            append(u'\t');
            break;
        default: // \- optional hyphen, \| \: formula and index marks
            break;
        }
    }

    void skipHexDigits()
    {
        for (int i = 0; i < 2 && m_pos < m_in.size() && hexValue(m_in.at(m_pos)) >= 0; ++i)
            ++m_pos;
    }

    void setCodePage(int codePage)
    {
        flushBytes();
        if (codePage != m_decoder.codePage())
            m_decoder = CodePageDecoder(codePage);
    }

    void append(char16_t c)
    {
        flushBytes();
        m_text.append(QChar(c));
    }

    void flushBytes()
    {
        if (m_bytes.isEmpty())
            return;
        m_text.append(m_decoder.decode(m_bytes));
        m_bytes.clear();
    }

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    bool m_done = false;
    GroupState m_state;
    QList<GroupState> m_stack;
    int m_fallbackLeft = 0;
    QByteArray m_bytes; // code-page bytes not yet decoded
    CodePageDecoder m_decoder;
    QString m_text;
};

} // namespace

std::optional<QString> RtfTextConverter::plainText(const QByteArray& rtf)
{
    if (!rtf.startsWith("{\\rtf"))
        return std::nullopt;
    return Converter(rtf).run();
}
