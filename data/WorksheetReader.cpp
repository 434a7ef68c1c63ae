#include "data/WorksheetReader.h"

#include "data/XmlPartReader.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Moves to the root element; false when the part has none.
bool findRoot(XmlPartReader& xml)
{
    while (xml.readNext())
        if (xml.isStartElement())
            return true;
    return false;
}

// Reads the string item (`si`, or the `is` of an inline string) just
// started into `out`: its `t`, or the `t` of its rich-text runs joined.
bool readStringItem(XmlPartReader& xml, QString& out)
{
    QString raw;
    while (xml.readNext()) {
        if (xml.isEndElement()) {
            out = WorksheetReader::unescapeText(raw);
            return true;
        }
        if (!xml.isStartElement())
            continue;
        if (xml.isNamed(u"t")) {
            if (!xml.readOwnText(raw))
                return false;
        } else if (xml.isNamed(u"r")) {
            bool ended = false;
            while (!ended && xml.readNext()) {
                if (xml.isEndElement())
                    ended = true;
                else if (xml.isStartElement() && !(xml.isNamed(u"t") ? xml.readOwnText(raw) : xml.skipElement()))
                    return false;
            }
            if (!ended)
                return false;
        } else if (!xml.skipElement()) {
            return false;
        }
    }
    return false;
}

// What a `c` element holds.
struct CellContent
{
    bool hasV = false;
    bool hasInline = false;
    QString v;
    QString inlineText;
};

bool readCell(XmlPartReader& xml, CellContent& cell)
{
    while (xml.readNext()) {
        if (xml.isEndElement())
            return true;
        if (!xml.isStartElement())
            continue;
        bool ok = true;
        if (xml.isNamed(u"v") && !cell.hasV) {
            cell.hasV = true;
            ok = xml.readOwnText(cell.v);
        } else if (xml.isNamed(u"is") && !cell.hasInline) {
            cell.hasInline = true;
            ok = readStringItem(xml, cell.inlineText);
        } else {
            ok = xml.skipElement();
        }
        if (!ok)
            return false;
    }
    return false;
}

// The text of a cell: see readSheet. `sharedIndex` tells the shared string
// it is, or -1.
QStringView cellText(const CellContent& cell, bool sharedType, const TextPool& shared, qsizetype& sharedIndex)
{
    sharedIndex = -1;
    if (sharedType) {
        if (!cell.hasV || shared.isEmpty())
            return {};
        bool ok = false;
        const qlonglong index = QStringView(cell.v).trimmed().toLongLong(&ok);
        if (!ok || index < 0 || index > shared.size())
            return {};
        sharedIndex = index < shared.size() ? index : shared.size() - 1;
        return shared.at(sharedIndex);
    }
    if (cell.hasV)
        return cell.v;
    if (cell.hasInline)
        return cell.inlineText;
    return {};
}

// Reads the rows of worksheet part: the state of one read.
class SheetScan
{
public:
    // With `onlyKept`, the read ends once the kept rows are read.
    SheetScan(XmlPartReader& xml, const TextPool* shared, int columns, qsizetype keepRows, bool onlyKept,
              SheetRows& rows, const WorkbookStyles* styles)
        : m_xml(xml)
        , m_shared(shared ? *shared : m_noStrings)
        , m_sharedMissing(!shared)
        , m_columns(columns)
        , m_keepRows(keepRows)
        , m_onlyKept(onlyKept)
        , m_rows(rows)
        , m_styles(styles)
    {
    }

    WorksheetReader::SheetShape run()
    {
        if (!findRoot(m_xml) || !m_xml.isNamed(u"worksheet"))
            return fail(m_xml.error().isEmpty() ? QStringLiteral("the part holds no worksheet") : m_xml.error());
        bool columnsSeen = false;
        bool sheetDataSeen = false;
        while (m_xml.readNext() && !m_xml.isEndElement()) {
            if (!m_xml.isStartElement())
                continue;
            bool ok = true;
            // The column styles come before the cells, as the schema orders them.
            if (m_xml.isNamed(u"cols") && !columnsSeen && !sheetDataSeen && m_styles) {
                columnsSeen = true;
                ok = readColumnStyles();
            } else if (m_xml.isNamed(u"sheetData") && !sheetDataSeen) {
                sheetDataSeen = true;
                ok = readSheetData();
                if (ok && m_keptAll) {
                    m_rows.finish();
                    m_shape.status = WorksheetReader::Status::Read;
                    return m_shape;
                }
            } else {
                ok = m_xml.skipElement();
            }
            if (m_stopped)
                return m_shape;
            if (!ok)
                return fail(m_xml.error());
        }
        // Whatever follows the root must still be well-formed.
        while (m_xml.readNext()) { }
        if (!m_xml.error().isEmpty())
            return fail(m_xml.error());
        // The sheet ends at its last row that holds a value: rows after it
        // (formatted, or with empty cells only) are no records.
        m_rows.truncate(m_lastValueRow);
        m_shape.status = WorksheetReader::Status::Read;
        return m_shape;
    }

private:
    WorksheetReader::SheetShape fail(const QString& error)
    {
        m_rows.clear();
        m_shape.status = m_xml.tooLarge() ? WorksheetReader::Status::TooLarge : WorksheetReader::Status::Unreadable;
        m_shape.error = error;
        return m_shape;
    }

    // Ends the read for what the sheet holds, not for its XML.
    bool stop(WorksheetReader::Status status, const QString& what)
    {
        m_rows.clear();
        m_stopped = true;
        m_shape.status = status;
        m_shape.error = what;
        return false;
    }
    bool tooLarge(const QString& what) { return stop(WorksheetReader::Status::TooLarge, what); }

    bool readSheetData()
    {
        while (m_xml.readNext()) {
            if (m_xml.isEndElement())
                return true;
            if (!m_xml.isStartElement())
                continue;
            if (!(m_xml.isNamed(u"row") ? readRow() : m_xml.skipElement()))
                return false;
            if (m_onlyKept && m_rowCount >= m_keepRows) {
                m_keptAll = true;
                return true;
            }
        }
        return false;
    }

    // The styles of the `col` elements, each for its columns min to max
    // (from 1). The schema has them in column order without overlap: a col
    // that starts at or left of the end of the one before keeps only its
    // columns beyond it, so the columns are walked once whatever the part
    // holds, and none beyond XFD.
    bool readColumnStyles()
    {
        while (m_xml.readNext()) {
            if (m_xml.isEndElement())
                return true;
            if (!m_xml.isStartElement())
                continue;
            if (m_xml.isNamed(u"col")) {
                bool minOk = false, maxOk = false;
                const qsizetype style = m_xml.hasAttribute(u"style") ? styleIndex(u"style") : 0;
                const int first = std::max(int(m_columnStyles.size()),
                                           m_xml.attribute(u"min").trimmed().toInt(&minOk) - 1);
                const int last = std::min(WorksheetReader::MaxColumns - 1,
                                          m_xml.attribute(u"max").trimmed().toInt(&maxOk) - 1);
                if (minOk && maxOk && style >= 0 && first <= last) {
                    m_columnStyles.resize(first, 0);
                    m_columnStyles.resize(last + 1, style);
                }
            }
            if (!m_xml.skipElement())
                return false;
        }
        return false;
    }

    // The style index an attribute of the element just started gives; -1
    // when it has none or one that is no index.
    qsizetype styleIndex(QStringView name) const
    {
        bool ok = false;
        const qsizetype style = m_xml.hasAttribute(name) ? m_xml.attribute(name).trimmed().toLongLong(&ok) : -1;
        return ok && style >= 0 ? style : -1;
    }

    // The style of a cell of `column` (from 0) without one of its own: its
    // row's when the row says it has a format of its own, else its column's,
    // else 0.
    qsizetype inheritedStyle(int column) const
    {
        if (m_rowStyle >= 0)
            return m_rowStyle;
        return column < m_columnStyles.size() ? m_columnStyles.at(column) : 0;
    }

    bool readRow()
    {
        if (++m_rowCount > WorksheetReader::MaxRows)
            return tooLarge(QStringLiteral("more than %1 rows").arg(WorksheetReader::MaxRows));
        const bool keep = m_rowCount <= m_keepRows;
        const QStringView customFormat = m_xml.attribute(u"customFormat").trimmed();
        m_rowStyle = customFormat == u"1" || customFormat == u"true" ? styleIndex(u"s") : -1;
        if (keep)
            m_rows.appendRow(m_columns);
        int previous = -1;
        while (m_xml.readNext()) {
            if (m_xml.isEndElement())
                return true;
            if (!m_xml.isStartElement())
                continue;
            if (!m_xml.isNamed(u"c")) {
                if (!m_xml.skipElement())
                    return false;
                continue;
            }
            int column = m_xml.hasAttribute(u"r") ? WorksheetReader::referenceColumn(m_xml.attribute(u"r")) : -1;
            if (column < 0)
                column = previous + 1;
            previous = column;
            const QStringView type = m_xml.attribute(u"t");
            const bool sharedType = type == u"s";
            // A number cell's style: its own, else the one it takes from
            // its row or column; none (-1) for one that is no index.
            qsizetype style = -1;
            const bool dateType = type == u"d";
            if (m_styles && (type.isEmpty() || type == u"n" || dateType))
                style = m_xml.hasAttribute(u"s") ? styleIndex(u"s") : inheritedStyle(column);
            CellContent cell;
            if (!readCell(m_xml, cell))
                return false;
            if (sharedType && cell.hasV && m_sharedMissing)
                return stop(WorksheetReader::Status::NoSharedStrings,
                            QStringLiteral("its text cells point into shared strings that are missing"));
            if (column >= WorksheetReader::MaxColumns)
                continue;
            qsizetype sharedIndex = -1;
            const QString shown = style < 0 || !cell.hasV ? QString()
                : dateType                                ? m_styles->showIsoDate(style, cell.v)
                                                          : m_styles->show(style, cell.v);
            const QStringView text = shown.isNull() ? cellText(cell, sharedType, m_shared, sharedIndex)
                                                    : QStringView(shown);
            // A number holds a value even where its format shows nothing;
            // a cell that only has a style holds none, and makes no column.
            if (text.isEmpty() && (sharedType || cell.v.isEmpty()))
                continue;
            m_shape.widest = std::max(m_shape.widest, column + 1);
            if (column >= m_columns)
                continue;
            m_lastValueRow = m_rowCount;
            if (text.isEmpty())
                continue;
            if (++m_cellCount > WorksheetReader::MaxCells)
                return tooLarge(QStringLiteral("more than %1 cells with text").arg(WorksheetReader::MaxCells));
            if ((m_textLength += text.size()) > WorksheetReader::MaxTextLength
                || (sharedIndex < 0
                    && (m_ownLength += text.size()) + m_shared.textLength() > WorksheetReader::MaxTextLength))
                return tooLarge(
                    QStringLiteral("more than %1 characters in its cells").arg(WorksheetReader::MaxTextLength));
            if (keep && sharedIndex >= 0)
                m_rows.setSharedCell(column, m_shared, sharedIndex);
            else if (keep)
                m_rows.setCell(column, text);
        }
        return false;
    }

    XmlPartReader& m_xml;
    const TextPool m_noStrings;
    const TextPool& m_shared;
    const bool m_sharedMissing;
    const int m_columns;
    const qsizetype m_keepRows;
    const bool m_onlyKept;
    bool m_keptAll = false; // the read ended after the kept rows
    SheetRows& m_rows;
    const WorkbookStyles* m_styles; // null: every cell as stored, else as shown
    QList<qsizetype> m_columnStyles; // of the columns from 0 that a col styles
    qsizetype m_rowStyle = -1;       // of the row being read, when it has one
    WorksheetReader::SheetShape m_shape;
    bool m_stopped = false;
    qsizetype m_rowCount = 0;
    qsizetype m_lastValueRow = 0; // rows up to the last one holding a value
    qsizetype m_cellCount = 0;
    qsizetype m_textLength = 0; // characters of the cells as read
    qsizetype m_ownLength = 0;  // characters of the cells that are no shared string
};

} // namespace

WorksheetReader::Status WorksheetReader::readSharedStrings(const QString& path, TextPool& strings, QString* error)
{
    strings.clear();
    const auto fail = [&](Status status, const QString& why) {
        strings.clear();
        if (error)
            *error = why;
        return status;
    };
    if (path.isEmpty() || !QFileInfo::exists(path))
        return fail(Status::Absent, QStringLiteral("no shared strings"));
    XmlPartReader xml(path);
    // Why the part could not be read: what the XML reader found, or else
    // that the part ended inside it (a part cut short after a whole tag).
    const auto unreadable = [&] {
        const QString why = xml.error().isEmpty() ? QStringLiteral("the part ends too early") : xml.error();
        return fail(xml.tooLarge() ? Status::TooLarge : Status::Unreadable, why);
    };
    if (!findRoot(xml))
        return unreadable();
    if (!xml.isNamed(u"sst"))
        return fail(Status::Unreadable, QStringLiteral("the part holds no shared strings"));
    bool ended = false;
    while (!ended && xml.readNext()) {
        if (xml.isEndElement()) {
            ended = true;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (!xml.isNamed(u"si")) {
            if (!xml.skipElement())
                return unreadable();
            continue;
        }
        QString text;
        if (!readStringItem(xml, text))
            return unreadable();
        if (strings.size() >= MaxSharedStrings)
            return fail(Status::TooLarge, QStringLiteral("more than %1 shared strings").arg(MaxSharedStrings));
        if (strings.textLength() + text.size() > MaxTextLength)
            return fail(Status::TooLarge,
                        QStringLiteral("more than %1 characters of shared strings").arg(MaxTextLength));
        strings.append(text);
    }
    if (!ended)
        return unreadable();
    while (xml.readNext()) { }
    if (!xml.error().isEmpty())
        return unreadable();
    return Status::Read;
}

WorksheetReader::SheetShape WorksheetReader::readSheet(const QString& path, const TextPool* shared, int columns,
                                                       qsizetype keepRows, SheetRows& rows,
                                                       const WorkbookStyles* styles)
{
    rows.clear();
    XmlPartReader xml(path);
    return SheetScan(xml, shared, std::clamp(columns, 0, MaxColumns), keepRows, false, rows, styles).run();
}

WorksheetReader::SheetShape WorksheetReader::readFirstRows(const QString& path, const TextPool* shared, int columns,
                                                           qsizetype rowCount, SheetRows& rows,
                                                           const WorkbookStyles* styles)
{
    rows.clear();
    XmlPartReader xml(path);
    return SheetScan(xml, shared, std::clamp(columns, 0, MaxColumns), rowCount, true, rows, styles).run();
}

bool WorksheetReader::isEscapeAt(const QString& text, qsizetype at)
{
    if (at + 7 > text.size() || text[at] != u'_' || text[at + 1] != u'x' || text[at + 6] != u'_')
        return false;
    for (qsizetype k = at + 2; k < at + 6; ++k) {
        const char16_t c = text[k].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

QString WorksheetReader::unescapeText(const QString& text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscapeAt(text, i)) {
            out += QChar(char16_t(text.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

int WorksheetReader::referenceColumn(QStringView ref)
{
    int column = 0;
    int letters = 0;
    for (const QChar ch : ref) {
        char16_t c = ch.unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
        if (c < u'A' || c > u'Z')
            break;
        if (++letters > 3)
            return MaxColumns;
        column = column * 26 + (c - u'A' + 1);
    }
    return letters == 0 ? -1 : column - 1;
}
