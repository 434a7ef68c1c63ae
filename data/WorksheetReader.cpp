#include "data/WorksheetReader.h"

#include "data/SheetColumnStyles.h"
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

// The shared string a text cell's `v` points to: false for a `v` that is
// no index of an entry of `shared` (negative, not a whole number, or not
// below the count); an empty `v` points to none, with `index` -1.
bool sharedStringIndex(const CellContent& cell, const TextPool& shared, qsizetype& index)
{
    index = -1;
    const QStringView v = QStringView(cell.v).trimmed();
    if (!cell.hasV || v.isEmpty())
        return true;
    bool ok = false;
    const qlonglong at = v.toLongLong(&ok);
    if (!ok || at < 0 || at >= shared.size())
        return false;
    index = at;
    return true;
}

// Whether `v` is written as a whole number: digits after an optional sign
// ("1.0", "1e0" or "x" are not, however large the digits).
bool writtenWhole(QStringView v)
{
    v = v.trimmed();
    if (v.startsWith(u'+') || v.startsWith(u'-'))
        v = v.mid(1);
    return !v.isEmpty() && std::all_of(v.begin(), v.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The value of a boolean cell's `v`, as LibreOffice Calc takes it: true for
// a number other than 0 at its start ("1", " 2", "1e0"), false for any
// other text.
bool booleanValue(QStringView v)
{
    v = v.trimmed();
    // A number's characters at the start, and at most a few of them: what
    // follows cannot make a number of what they start.
    qsizetype length = 0;
    while (length < v.size() && length < 64 && QStringView(u"0123456789+-.eE").contains(v[length]))
        ++length;
    for (; length > 0; --length) {
        bool ok = false;
        const double value = v.left(length).toDouble(&ok);
        if (ok)
            return value != 0;
    }
    return false;
}

// The text of a cell: see readSheet. `sharedIndex` is the shared string it
// is (see sharedStringIndex), or -1.
QStringView cellText(const CellContent& cell, bool sharedType, const TextPool& shared, qsizetype sharedIndex)
{
    if (sharedType)
        return sharedIndex >= 0 ? shared.at(sharedIndex) : QStringView();
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
        bool sheetDataSeen = false;
        while (m_xml.readNext() && !m_xml.isEndElement()) {
            if (!m_xml.isStartElement())
                continue;
            bool ok = true;
            // The column styles come before the cells, as the schema orders
            // them; every `cols` there counts.
            if (m_xml.isNamed(u"cols") && !sheetDataSeen && m_styles) {
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

    // The styles of the `col` elements of one `cols`, each for its columns
    // min to max (from 1), in any order; of two for one column the first
    // counts (SheetColumnStyles).
    bool readColumnStyles()
    {
        while (m_xml.readNext()) {
            if (m_xml.isEndElement())
                return true;
            if (!m_xml.isStartElement())
                continue;
            if (m_xml.isNamed(u"col")) {
                bool minOk = false, maxOk = false;
                qsizetype style = 0;
                const bool styleOk = !m_xml.hasAttribute(u"style") || styleAttribute(u"style", style);
                // From 0, in a wider type: no bound the part gives wraps round.
                const qint64 first = qint64(m_xml.attribute(u"min").trimmed().toInt(&minOk)) - 1;
                const qint64 last = qint64(m_xml.attribute(u"max").trimmed().toInt(&maxOk)) - 1;
                if (minOk && maxOk && styleOk && style >= 0)
                    m_columnStyles.add(first, last, style);
            }
            if (!m_xml.skipElement())
                return false;
        }
        return false;
    }

    // The style index that an attribute of the element just started gives;
    // false when it has none or one that is no whole number.
    bool styleAttribute(QStringView name, qsizetype& style) const
    {
        bool ok = false;
        if (m_xml.hasAttribute(name))
            style = m_xml.attribute(name).trimmed().toLongLong(&ok);
        return ok;
    }

    // The style of a cell of `column` (from 0) without one of its own, or
    // whose own is not in the styles part: its row's when the row says it
    // has a format of its own, else its column's, else 0.
    qsizetype inheritedStyle(int column) const
    {
        if (m_rowStyle >= 0)
            return m_rowStyle;
        return std::max<qsizetype>(m_columnStyles.at(column), 0);
    }

    // The style a number, date or boolean cell of `column` is shown in: its
    // own "s" when the styles part has it, else the one it takes from its
    // row or column (as spreadsheet programs do for an index past the
    // part); -1, as stored, for an "s" that is no number.
    qsizetype cellStyle(int column) const
    {
        if (!m_xml.hasAttribute(u"s"))
            return inheritedStyle(column);
        qsizetype style = -1;
        if (!styleAttribute(u"s", style))
            return -1;
        return m_styles->hasCellFormat(style) ? style : inheritedStyle(column);
    }

    // How a cell of `column` (from 0) of the row being read is named in a
    // message ("B7").
    QString cellName(int column) const
    {
        if (column >= WorksheetReader::MaxColumns)
            return QStringLiteral("beyond column XFD in row %1").arg(m_rowNumber);
        QString letters;
        for (int n = column + 1; n > 0; n = (n - 1) / 26)
            letters.prepend(QChar(u'A' + (n - 1) % 26));
        return letters + QString::number(m_rowNumber);
    }

    bool readRow()
    {
        if (++m_rowCount > WorksheetReader::MaxRows)
            return tooLarge(QStringLiteral("more than %1 rows").arg(WorksheetReader::MaxRows));
        const bool keep = m_rowCount <= m_keepRows;
        bool numbered = false;
        const qsizetype number = m_xml.attribute(u"r").trimmed().toLongLong(&numbered);
        m_rowNumber = numbered && number > 0 ? number : m_rowNumber + 1;
        // A row's style counts where it says it has a format of its own
        // and the styles part has that style.
        const QStringView customFormat = m_xml.attribute(u"customFormat").trimmed();
        qsizetype rowStyle = -1;
        const bool rowStyled = m_styles && (customFormat == u"1" || customFormat == u"true")
            && styleAttribute(u"s", rowStyle) && m_styles->hasCellFormat(rowStyle);
        m_rowStyle = rowStyled ? rowStyle : -1;
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
            const bool dateType = type == u"d";
            const bool booleanType = type == u"b";
            // The style a number, date or boolean cell is shown in (see
            // cellStyle).
            qsizetype style = -1;
            if (m_styles && (type.isEmpty() || type == u"n" || dateType || booleanType))
                style = cellStyle(column);
            CellContent cell;
            if (!readCell(m_xml, cell))
                return false;
            if (sharedType && cell.hasV && m_sharedMissing)
                return stop(WorksheetReader::Status::NoSharedStrings,
                            QStringLiteral("its text cells point into shared strings that are missing"));
            // A text cell never shows another string than its own.
            qsizetype sharedIndex = -1;
            if (sharedType && !sharedStringIndex(cell, m_shared, sharedIndex)) {
                const QString written = QStringView(cell.v).trimmed().left(20).toString();
                if (!writtenWhole(cell.v))
                    return stop(WorksheetReader::Status::NoSharedStrings,
                                QStringLiteral("its text cell %1 points to shared string \"%2\", an index that is "
                                               "not a whole number")
                                    .arg(cellName(column), written));
                return stop(WorksheetReader::Status::NoSharedStrings,
                            QStringLiteral("its text cell %1 points to shared string \"%2\", which is not among its "
                                           "%3 shared strings")
                                .arg(cellName(column), written)
                                .arg(m_shared.size()));
            }
            if (column >= WorksheetReader::MaxColumns)
                continue;
            // A boolean shows as TRUE or FALSE, or in its number format (as
            // stored without styles); one without a value is an empty cell.
            const bool booleanHolds = booleanType && !QStringView(cell.v).trimmed().isEmpty();
            QString shown;
            if (booleanHolds && m_styles)
                shown = m_styles->showBoolean(style, booleanValue(cell.v));
            else if (!booleanType && style >= 0 && cell.hasV)
                shown = dateType ? m_styles->showIsoDate(style, cell.v) : m_styles->show(style, cell.v);
            const QStringView text = !shown.isNull() ? QStringView(shown)
                : booleanType && !booleanHolds       ? QStringView()
                                                     : cellText(cell, sharedType, m_shared, sharedIndex);
            // A number holds a value even where its format shows nothing;
            // a cell that only has a style holds none, and makes no column.
            if (text.isEmpty() && (sharedType || cell.v.isEmpty() || (booleanType && !booleanHolds)))
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
    SheetColumnStyles m_columnStyles;
    qsizetype m_rowStyle = -1; // of the row being read, when it has one
    qsizetype m_rowNumber = 0; // of the row being read, as the sheet numbers it
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
