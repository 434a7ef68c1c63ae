#include "data/SpreadsheetWriter.h"

#include "app/Globals.h"
#include "app/MessageBoxes.h"
#include "data/Globals.h"
#include "data/PackageXml.h"
#include "data/SSZipArchive.h"
#include "data/UnpackFolder.h"
#include "platform/AllocatorPools.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>
#include <QXmlStreamWriter>

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <sys/stat.h>

namespace {

SpreadsheetWriter* spreadsheet = nullptr;

const char* const MainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const RelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const CompatibilityNamespace = "http://schemas.openxmlformats.org/markup-compatibility/2006";
const char* const AcNamespace = "http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac";
const char* const MacNamespace = "http://schemas.microsoft.com/office/mac/excel/2008/main";

// Whitespace-only text is kept when it is an element's only content, so a
// shared string " " stays a space.
constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single;

constexpr qint64 MaxWorkbookPartBytes = qint64(16) << 20;

QString localPath(const QString& pathOrUrl)
{
    if (pathOrUrl.startsWith(QLatin1String("file:")))
        return QUrl(pathOrUrl).toLocalFile();
    return pathOrUrl;
}

// Element names are compared without their prefix, so that a part written
// with a prefixed SpreadsheetML namespace ("x:row") reads the same.
bool isNamed(const pugi::xml_node& node, const char* local)
{
    return node.type() == pugi::node_element && PackageXml::hasLocalName(node.name(), local);
}

using PackageXml::attribute;
using PackageXml::child;

// The character data directly inside an element (text and CDATA sections).
void appendOwnText(const pugi::xml_node& element, std::string& out)
{
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
}

// Every piece of character data below an element, in document order.
void appendAllText(const pugi::xml_node& element, std::string& out)
{
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            appendAllText(child, out);
    }
}

// The number of columns a sheet read has: up to the last that holds a title
// or a value, within XFD. A column of empty cells with a style is none, nor
// does the dimension element widen it, as it counts such cells.
int sheetWidth(const WorksheetReader::SheetShape& shape)
{
    return std::clamp(shape.widest, 0, SpreadsheetWriter::MaxColumns);
}

// The column titles of `columns` columns from the first of `rows`: a cell
// without text gives "Untitled Column <n>".
QStringList titlesOfFirstRow(const SheetRows& rows, int columns)
{
    QStringList titles;
    titles.reserve(columns);
    for (int k = 1; k <= columns; ++k)
        titles.append(QStringLiteral("Untitled Column %1").arg(k));
    for (qsizetype k = 0, n = rows.cellCount(0); k < n; ++k) {
        const SheetRows::Cell cell = rows.cell(0, k);
        if (cell.column < columns)
            titles[cell.column] = cell.text.toString();
    }
    return titles;
}

// Strings of a workbook carry the characters that XML cannot hold as
// "_xHHHH_" (the UTF-16 code in hexadecimal); an underscore that would read
// as the start of such an escape is itself escaped as "_x005F_".
QString escapeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pairedSurrogate = QChar::isHighSurrogate(c) ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                                                               : QChar::isLowSurrogate(c) && i > 0
                                                                     && text[i - 1].isHighSurrogate();
        const bool allowed = c == u'\t' || c == u'\n' || (c >= 0x20 && c < 0xD800) || (c >= 0xE000 && c < 0xFFFE)
                             || pairedSurrogate;
        if (allowed && !(c == u'_' && WorksheetReader::isEscapeAt(text, i)))
            out += QChar(c);
        else
            out += QStringLiteral("_x") + QString::number(c, 16).toUpper().rightJustified(4, u'0') + u'_';
    }
    return out;
}
}

SpreadsheetWriter::SpreadsheetWriter()
    : tmpDir(UnpackFolder::path())
{
    if (!tmpDir.isEmpty()) {
        QDir xl(tmpDir + QStringLiteral("/xl"));
        if (xl.exists())
            xl.removeRecursively();
    }
    Show_NSLog_Message(QStringLiteral("Temp. directory initialized:\n %1").arg(tmpDir));
}

SpreadsheetWriter& SpreadsheetWriter::sharedInstance()
{
    if (!spreadsheet)
        spreadsheet = new SpreadsheetWriter;
    return *spreadsheet;
}

QString SpreadsheetWriter::sheetPartPath() const
{
    if (sheetPart.isEmpty())
        return QString();
    return WorkbookParts::staysInside(sheetPart) ? tmpDir + u'/' + sheetPart : QString();
}

void SpreadsheetWriter::Release_Data()
{
    if (spreadsheet) {
        spreadsheet->data = Table();
        spreadsheet->sharedStrings.clear();
        spreadsheet->m_sharedStringsRead = false;
        spreadsheet->parts = {};
        spreadsheet->sheetPart.clear();
        spreadsheet->styles = {};
        spreadsheet->m_titleRead = {};
    }
    AllocatorPools::trim();
}

void SpreadsheetWriter::partStamp(const QString& path, qint64& size, qint64& modified)
{
    const QFileInfo info(path);
    size = info.exists() ? info.size() : -1;
    modified = info.lastModified().toMSecsSinceEpoch();
}

void SpreadsheetWriter::refuse(const QString& why)
{
    Show_NSLog_Message(QStringLiteral("Error: the workbook is refused: %1").arg(why));
    refusal = why;
    data = Table();
    sharedStrings.clear();
    m_sharedStringsRead = false;
    parts = {};
    sheetPart.clear();
    styles = {};
    m_titleRead = {};
    if (!tmpDir.isEmpty())
        UnpackFolder::empty();
}

SheetRows SpreadsheetWriter::ReadWorkbook(const QString& path, bool only_col)
{
    if (!only_col) {
        SpreadsheetWriter& s = sharedInstance();
        s.tmpDir = UnpackFolder::path();
        if (s.sheetPart.isEmpty())
            return {};
        return s.ReadData(s.sheetPartPath());
    }
    Release_Data();
    Excel_Sheet_Columns = 1;
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    s.refusal.clear();
    // The parts of an earlier workbook must not pass for this one's.
    if (s.tmpDir.isEmpty() || !UnpackFolder::empty()) {
        Show_NSLog_Message(QStringLiteral("Error: the unpack folder cannot be used"));
        return {};
    }
    SSZipArchiveError error;
    // The parts are listed as this unpack wrote them: opening the path again
    // could find another file there (a sync client replaces a workbook by
    // renaming a new one over it) and mix two workbooks.
    QStringList unpacked;
    if (!SSZipArchive::unzipFileAtPath(localPath(path), s.tmpDir, true, QString(), &error, MaxUnpackedBytes, MaxParts,
                                       &unpacked)) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(error.description));
        if (error.code == SSZipArchive::SizeLimitExceeded || error.code == SSZipArchive::EntryLimitExceeded)
            s.refusal = error.description;
        UnpackFolder::empty();
        return {};
    }
    s.parts = WorkbookParts::read(s.tmpDir, unpacked);
    s.ReadSharedStrings(s.parts.sharedStrings);
    if (s.refusal.isEmpty())
        s.styles = WorkbookStyles::read(s.parts.styles, s.tmpDir + QStringLiteral("/xl/workbook.xml"));
    return {};
}

void SpreadsheetWriter::ReadSharedStrings(const QString& path)
{
    m_titleRead = {};
    refusal.clear();
    QString error;
    const WorksheetReader::Status status = WorksheetReader::readSharedStrings(path, sharedStrings, &error);
    m_sharedStringsRead = status == WorksheetReader::Status::Read;
    switch (status) {
    case WorksheetReader::Status::Read:
    case WorksheetReader::Status::Absent:
    case WorksheetReader::Status::NoSharedStrings:
        break;
    case WorksheetReader::Status::TooLarge:
        refuse(error);
        break;
    case WorksheetReader::Status::Unreadable:
        // Every text cell of the workbook would come in blank.
        refuse(QStringLiteral("its shared strings cannot be read: %1").arg(error));
        break;
    }
}

SpreadsheetWriter::Table SpreadsheetWriter::ReadData_only_column()
{
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    s.data.clear();
    s.m_titleRead = {};
    if (s.sheetPart.isEmpty())
        return s.data;
    // The whole sheet is read, for its widest row and against the limits;
    // its rows are kept for the reading of all rows.
    const QString path = s.sheetPartPath();
    SheetRows rows;
    const WorksheetReader::SheetShape shape = WorksheetReader::readSheet(path, s.sheetStrings(), MaxColumns,
                                                                         WorksheetReader::MaxRows, rows, &s.styles);
    if (shape.status == WorksheetReader::Status::TooLarge || shape.status == WorksheetReader::Status::NoSharedStrings) {
        s.refuse(shape.error);
        return s.data;
    }
    if (shape.status != WorksheetReader::Status::Read) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(shape.error));
        return s.data;
    }
    Excel_Sheet_Columns = sheetWidth(shape);

    if (rows.isEmpty())
        return s.data;
    s.data.append(titlesOfFirstRow(rows, Excel_Sheet_Columns));
    // Every cell lies left of the widest row's end, so within the count.
    if (rows.setRowLengths(Excel_Sheet_Columns)) {
        s.m_titleRead.rows = std::move(rows);
        s.m_titleRead.path = path;
        s.m_titleRead.columns = Excel_Sheet_Columns;
        partStamp(path, s.m_titleRead.size, s.m_titleRead.modified);
    }
    return s.data;
}

QStringList SpreadsheetWriter::readTitleRow()
{
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    if (s.sheetPart.isEmpty())
        return {};
    SheetRows rows;
    const WorksheetReader::SheetShape shape = WorksheetReader::readFirstRows(s.sheetPartPath(), s.sheetStrings(),
                                                                             MaxColumns, 1, rows, &s.styles);
    if (shape.status == WorksheetReader::Status::TooLarge || shape.status == WorksheetReader::Status::NoSharedStrings) {
        s.refuse(shape.error);
        return {};
    }
    if (shape.status != WorksheetReader::Status::Read) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(shape.error));
        return {};
    }
    return rows.isEmpty() ? QStringList() : titlesOfFirstRow(rows, sheetWidth(shape));
}

SheetRows SpreadsheetWriter::readRowsAsStored()
{
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    if (s.sheetPart.isEmpty())
        return {};
    return s.readAllRows(s.sheetPartPath(), nullptr);
}

SheetRows SpreadsheetWriter::ReadData(const QString& path)
{
    ReadRows kept = std::move(m_titleRead);
    m_titleRead = {};
    qint64 size = 0;
    qint64 modified = 0;
    partStamp(path, size, modified);
    if (kept.path == path && kept.columns == std::clamp(Excel_Sheet_Columns, 0, MaxColumns) && kept.size == size
        && kept.modified == modified)
        return std::move(kept.rows);
    kept = {};
    return readAllRows(path, &styles);
}

SheetRows SpreadsheetWriter::readAllRows(const QString& path, const WorkbookStyles* shown)
{
    SheetRows rows;
    const WorksheetReader::SheetShape shape = WorksheetReader::readSheet(
        path, sheetStrings(), std::clamp(Excel_Sheet_Columns, 0, MaxColumns), WorksheetReader::MaxRows, rows, shown);
    if (shape.status == WorksheetReader::Status::TooLarge || shape.status == WorksheetReader::Status::NoSharedStrings)
        refuse(shape.error);
    else if (shape.status != WorksheetReader::Status::Read)
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(shape.error));
    return rows;
}

QStringList SpreadsheetWriter::Read_Sheet_Name()
{
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    QStringList names;
    pugi::xml_document doc;
    const QString path = s.tmpDir + QStringLiteral("/xl/workbook.xml");
    // The part is read whole; one that names its sheets is a few kilobytes.
    if (QFileInfo(path).size() > MaxWorkbookPartBytes) {
        Show_NSLog_Message(QStringLiteral("Error: %1 is too large").arg(path));
        return names;
    }
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(path).constData(), ParseOptions);
    if (!result) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(QString::fromUtf8(result.description())));
        return names;
    }
    const pugi::xml_node workbook = doc.document_element();
    if (const pugi::xml_node sheets = child(workbook, "sheets"))
        for (pugi::xml_node sheet = sheets.first_child(); sheet; sheet = sheet.next_sibling())
            if (isNamed(sheet, "sheet"))
                names.append(QString::fromUtf8(attribute(sheet, "name").value()));
    return names;
}

QString SpreadsheetWriter::ColumnIndexToName(int n) const
{
    return ColumnNumber_To_Name(n);
}

QString SpreadsheetWriter::ColumnNumber_To_Name(int n)
{
    QString name;
    while (n > 0) {
        const int digit = (n - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        n = (n - 1) / 26;
    }
    return name;
}

bool SpreadsheetWriter::isNumberCell(const QString& text)
{
    // -?(0|[1-9][0-9]*)(\.[0-9]+)?
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'-')
        ++i;
    const qsizetype intStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    const qsizetype intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && text[intStart] == u'0'))
        return false;
    if (i < n && text[i] == u'.') {
        const qsizetype fracStart = ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        // "12.50" would come back as 12.5: only the shortest form is a number.
        if (i == fracStart || text[i - 1] == u'0')
            return false;
    }
    if (i != n)
        return false;
    // "-0" would come back as 0.
    if (text[0] == u'-' && intDigits == 1 && text[intStart] == u'0' && i == intStart + 1)
        return false;
    // Significant digits: every digit after the leading zeros.
    int significant = 0;
    bool leading = true;
    for (qsizetype k = intStart; k < n; ++k) {
        if (text[k] == u'.')
            continue;
        if (leading && text[k] == u'0')
            continue;
        leading = false;
        ++significant;
    }
    return significant <= 15;
}

namespace {

// Writes a part atomically; false (with the path in the log) when it could
// not be written.
template<typename F>
bool writePart(const QString& path, F&& body)
{
    // The part is put together in memory and written in one piece: written
    // straight to the file, every tag and text would be a call to the
    // system of its own.
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    body(xml);
    xml.writeEndDocument();
    const bool ok = !xml.hasError() && AtomicFile::save(path, bytes);
    if (!ok)
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(path));
    return ok;
}

}

bool SpreadsheetWriter::WriteWorksheetData(const QString& path)
{
    sharedStrings.clear();
    const int columns = data.isEmpty() ? 0 : int(data.first().size());
    const int rows = int(data.size());
    // An empty table still gets a valid reference.
    const QString last = ColumnIndexToName(std::max(columns, 1)) + QString::number(std::max(rows, 1));
    const QString spans = QStringLiteral("1:%1").arg(columns);

    return writePart(path, [&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("worksheet"));
        xml.writeAttribute(QStringLiteral("xmlns"), QLatin1String(MainNamespace));
        xml.writeAttribute(QStringLiteral("xmlns:r"), QLatin1String(RelationshipsNamespace));
        xml.writeAttribute(QStringLiteral("xmlns:mc"), QLatin1String(CompatibilityNamespace));
        xml.writeAttribute(QStringLiteral("xmlns:x14ac"), QLatin1String(AcNamespace));
        xml.writeAttribute(QStringLiteral("mc:Ignorable"), QStringLiteral("x14ac"));

        xml.writeEmptyElement(QStringLiteral("dimension"));
        xml.writeAttribute(QStringLiteral("ref"), QStringLiteral("A1:") + last);

        xml.writeStartElement(QStringLiteral("sheetViews"));
        xml.writeStartElement(QStringLiteral("sheetView"));
        xml.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
        xml.writeEmptyElement(QStringLiteral("selection"));
        xml.writeAttribute(QStringLiteral("activeCell"), last);
        xml.writeAttribute(QStringLiteral("sqref"), last);
        xml.writeEndElement();
        xml.writeEndElement();

        xml.writeEmptyElement(QStringLiteral("sheetFormatPr"));
        xml.writeAttribute(QStringLiteral("baseColWidth"), QStringLiteral("10"));
        xml.writeAttribute(QStringLiteral("defaultRowHeight"), QStringLiteral("15"));
        xml.writeAttribute(QStringLiteral("x14ac:dyDescent"), QStringLiteral("0"));

        xml.writeStartElement(QStringLiteral("sheetData"));
        for (int i = 0; i < rows; ++i) {
            const QString rowNumber = QString::number(i + 1);
            xml.writeStartElement(QStringLiteral("row"));
            xml.writeAttribute(QStringLiteral("r"), rowNumber);
            xml.writeAttribute(QStringLiteral("spans"), spans);
            const QStringList& row = data.at(i);
            for (int j = 0; j < row.size(); ++j) {
                const QString& text = row.at(j);
                xml.writeStartElement(QStringLiteral("c"));
                xml.writeAttribute(QStringLiteral("r"), ColumnIndexToName(j + 1) + rowNumber);
                if (isNumberCell(text)) {
                    xml.writeTextElement(QStringLiteral("v"), text);
                } else {
                    // Every text cell adds an entry, repeats included.
                    xml.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                    xml.writeTextElement(QStringLiteral("v"), QString::number(qint64(sharedStrings.size())));
                    sharedStrings.append(text);
                }
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();

        xml.writeEmptyElement(QStringLiteral("pageMargins"));
        xml.writeAttribute(QStringLiteral("left"), QStringLiteral("0.75"));
        xml.writeAttribute(QStringLiteral("right"), QStringLiteral("0.75"));
        xml.writeAttribute(QStringLiteral("top"), QStringLiteral("1"));
        xml.writeAttribute(QStringLiteral("bottom"), QStringLiteral("0.5"));
        xml.writeAttribute(QStringLiteral("header"), QStringLiteral("0.5"));
        xml.writeAttribute(QStringLiteral("footer"), QStringLiteral("0.5"));

        xml.writeStartElement(QStringLiteral("extLst"));
        xml.writeStartElement(QStringLiteral("ext"));
        xml.writeAttribute(QStringLiteral("xmlns:mx"), QLatin1String(MacNamespace));
        xml.writeAttribute(QStringLiteral("uri"), QStringLiteral("{64002731-A6B0-56B0-2670-7721B7C09600}"));
        xml.writeEmptyElement(QStringLiteral("mx:PLV"));
        xml.writeAttribute(QStringLiteral("Mode"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("OnePage"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("WScale"), QStringLiteral("0"));
        xml.writeEndElement();
        xml.writeEndElement();

        xml.writeEndElement();
    });
}

bool SpreadsheetWriter::WriteSharedStringsXML(const QString& path)
{
    return writePart(path, [&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("sst"));
        xml.writeAttribute(QStringLiteral("xmlns"), QLatin1String(MainNamespace));
        if (!sharedStrings.isEmpty()) {
            const QString count = QString::number(qint64(sharedStrings.size()));
            xml.writeAttribute(QStringLiteral("count"), count);
            xml.writeAttribute(QStringLiteral("uniqueCount"), count);
        }
        for (qsizetype i = 0; i < sharedStrings.size(); ++i) {
            xml.writeStartElement(QStringLiteral("si"));
            xml.writeTextElement(QStringLiteral("t"), escapeText(sharedStrings.value(i)));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

SpreadsheetWriter::Table SpreadsheetWriter::ReadWorksheetXML2004(const QString& path)
{
    Table table;
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(path).constData(), ParseOptions);
    if (!result) {
        Show_NSLog_Message(QString::fromUtf8(result.description()));
        return table;
    }
    const pugi::xml_node workbook = doc.document_element();
    if (!isNamed(workbook, "Workbook"))
        return table;
    const pugi::xml_node rows = child(child(workbook, "Worksheet"), "Table");
    for (pugi::xml_node row = rows.first_child(); row; row = row.next_sibling()) {
        if (!isNamed(row, "Row"))
            continue;
        QStringList cells;
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
            if (!isNamed(cell, "Cell"))
                continue;
            std::string text;
            for (pugi::xml_node first = cell.first_child(); first; first = first.next_sibling()) {
                if (first.type() == pugi::node_element) {
                    appendOwnText(first, text);
                    break;
                }
            }
            cells.append(QString::fromStdString(text));
        }
        table.append(cells);
    }
    return table;
}

bool SpreadsheetWriter::WriteWorksheetXML2004(const QString& path, const Table& table)
{
    const QString columns = QString::number(table.isEmpty() ? 0 : table.first().size());
    return writePart(path, [&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("Workbook"));
        xml.writeAttribute(QStringLiteral("xmlns"), QStringLiteral("urn:schemas-microsoft-com:office:spreadsheet"));
        xml.writeAttribute(QStringLiteral("xmlns:ss"), QStringLiteral("urn:schemas-microsoft-com:office:spreadsheet"));
        xml.writeAttribute(QStringLiteral("xmlns:o"), QStringLiteral("urn:schemas-microsoft-com:office:office"));
        xml.writeAttribute(QStringLiteral("xmlns:x"), QStringLiteral("urn:schemas-microsoft-com:office:excel"));
        xml.writeAttribute(QStringLiteral("xmlns:html"), QStringLiteral("http://www.w3.org/TR/REC-html40"));
        xml.writeStartElement(QStringLiteral("Worksheet"));
        xml.writeAttribute(QStringLiteral("ss:Name"), QStringLiteral("Notes"));
        xml.writeStartElement(QStringLiteral("Table"));
        xml.writeAttribute(QStringLiteral("ss:ExpandedColumnCount"), columns);
        xml.writeAttribute(QStringLiteral("ss:ExpandedRowCount"), QString::number(table.size()));
        for (const QStringList& row : table) {
            xml.writeStartElement(QStringLiteral("Row"));
            for (const QString& text : row) {
                xml.writeStartElement(QStringLiteral("Cell"));
                xml.writeStartElement(QStringLiteral("Data"));
                xml.writeAttribute(QStringLiteral("ss:Type"),
                                   isNumberCell(text) ? QStringLiteral("Number") : QStringLiteral("String"));
                xml.writeCharacters(text);
                xml.writeEndElement();
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

bool SpreadsheetWriter::WriteWorkbookXML(const QString& path, const QString& sheetName)
{
    return writePart(path, [&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("workbook"));
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        xml.writeAttribute(QStringLiteral("xmlns"), QLatin1String(MainNamespace));
        xml.writeAttribute(QStringLiteral("xmlns:r"), QLatin1String(RelationshipsNamespace));
        xml.writeStartElement(QStringLiteral("sheets"));
        xml.writeEmptyElement(QStringLiteral("sheet"));
        xml.writeAttribute(QStringLiteral("name"), sheetName);
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

bool SpreadsheetWriter::unpackTemplate(const QString& name)
{
    tmpDir = UnpackFolder::path();
    if (tmpDir.isEmpty() || !UnpackFolder::empty()) {
        Show_NSLog_Message(QStringLiteral("Error: the unpack folder cannot be used"));
        return false;
    }
    const QString templatePath = Resource_Path + QLatin1Char('/') + name;
    if (!QFileInfo(templatePath).isFile()
        || !SSZipArchive::unzipFileAtPath(templatePath, tmpDir, true, QString(), nullptr)) {
        Show_NSLog_Message(QStringLiteral("Error: cannot unpack %1").arg(templatePath));
        return false;
    }
    return true;
}

bool SpreadsheetWriter::packUnpackFolder(const QString& path)
{
    const QFileInfoList entries =
        QDir(tmpDir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Error: nothing to pack in %1").arg(tmpDir));
        return false;
    }
    QStringList paths;
    for (const QFileInfo& entry : entries)
        paths.append(entry.absoluteFilePath());
    // Packed into a private temporary file, then put in place of the target
    // in one step, so a failure leaves neither a half-written archive nor a
    // damaged earlier file.
    const QString target = localPath(path);
    QTemporaryFile packed;
    bool ok = packed.open();
    if (ok) {
        packed.close();
        ok = SSZipArchive::createZipFileAtPath(packed.fileName(), paths);
    }
    if (ok) {
        QFile archive(packed.fileName());
        ok = archive.open(QIODevice::ReadOnly);
        const QByteArray bytes = ok ? archive.readAll() : QByteArray();
        ok = ok && archive.error() == QFileDevice::NoError && !bytes.isEmpty() && AtomicFile::save(target, bytes);
    }
    if (!ok)
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(target));
    return ok;
}

bool SpreadsheetWriter::WriteWorkbook(const QString& path, const Table& table, bool hasTitleRow)
{
    Q_UNUSED(hasTitleRow);
    SpreadsheetWriter& s = sharedInstance();
    s.data = table;
    if (!s.unpackTemplate(QStringLiteral("Template.xlsx")))
        return false;
    const QString xl = s.tmpDir + QStringLiteral("/xl");
    return QDir().mkpath(xl + QStringLiteral("/worksheets"))
        && s.WriteWorksheetData(xl + QStringLiteral("/worksheets/sheet1.xml"))
        && s.WriteSharedStringsXML(xl + QStringLiteral("/sharedStrings.xml")) && s.packUnpackFolder(path);
}

SpreadsheetWriter::Table SpreadsheetWriter::ReadODS(const QString& path)
{
    SpreadsheetWriter& s = sharedInstance();
    s.tmpDir = UnpackFolder::path();
    s.data.clear();
    if (s.tmpDir.isEmpty() || !UnpackFolder::empty()
        || !SSZipArchive::unzipFileAtPath(localPath(path), s.tmpDir, true, QString(), nullptr, MaxUnpackedBytes,
                                          MaxParts))
        return s.data;
    pugi::xml_document doc;
    const QString content = s.tmpDir + QStringLiteral("/content.xml");
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(content).constData(), ParseOptions);
    if (!result) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(QString::fromUtf8(result.description())));
        return s.data;
    }
    pugi::xml_node table = doc.document_element();
    if (!isNamed(table, "document-content"))
        return s.data;
    for (const char* step : {"body", "spreadsheet", "table"})
        table = child(table, step);
    qint64 cells = 0;
    for (pugi::xml_node row = table.first_child(); row; row = row.next_sibling()) {
        if (!isNamed(row, "table-row"))
            continue;
        QStringList values;
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
            if (!isNamed(cell, "table-cell") && !isNamed(cell, "covered-table-cell"))
                continue;
            std::string all;
            appendAllText(cell, all);
            const QString text = QString::fromStdString(all);
            const long long repeated = std::clamp<long long>(attribute(cell, "number-columns-repeated").as_llong(1), 1,
                                                             MaxColumns);
            for (long long k = 0; k < repeated && values.size() < MaxColumns; ++k)
                values.append(text);
        }
        if ((cells += values.size()) > MaxCells) {
            Show_NSLog_Message(QStringLiteral("Error: %1 holds more cells than can be read").arg(path));
            s.data.clear();
            return s.data;
        }
        s.data.append(values);
    }
    return s.data;
}

bool SpreadsheetWriter::WriteODS(const QString& path, const Table& table, bool hasTitleRow)
{
    Q_UNUSED(hasTitleRow);
    SpreadsheetWriter& s = sharedInstance();
    s.data = table;
    return s.unpackTemplate(QStringLiteral("Template.ods"))
        && s.WriteODSData(s.tmpDir + QStringLiteral("/content.xml")) && s.packUnpackFolder(path);
}

bool SpreadsheetWriter::WriteODSData(const QString& path)
{
    static const char* const namespaces[][2] = {
        {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
        {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
        {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
        {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
        {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
        {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
        {"xlink", "http://www.w3.org/1999/xlink"},
        {"dc", "http://purl.org/dc/elements/1.1/"},
        {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
        {"number", "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"},
        {"presentation", "urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"},
        {"svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"},
        {"chart", "urn:oasis:names:tc:opendocument:xmlns:chart:1.0"},
        {"dr3d", "urn:oasis:names:tc:opendocument:xmlns:dr3d:1.0"},
        {"math", "http://www.w3.org/1998/Math/MathML"},
        {"form", "urn:oasis:names:tc:opendocument:xmlns:form:1.0"},
        {"script", "urn:oasis:names:tc:opendocument:xmlns:script:1.0"},
        {"ooo", "http://openoffice.org/2004/office"},
        {"ooow", "http://openoffice.org/2004/writer"},
        {"oooc", "http://openoffice.org/2004/calc"},
        {"dom", "http://www.w3.org/2001/xml-events"},
        {"xforms", "http://www.w3.org/2002/xforms"},
        {"xsd", "http://www.w3.org/2001/XMLSchema"},
        {"xsi", "http://www.w3.org/2001/XMLSchema-instance"},
        {"rpt", "http://openoffice.org/2005/report"},
        {"of", "urn:oasis:names:tc:opendocument:xmlns:of:1.2"},
        {"html", "http://www.w3.org/1999/xhtml"},
        {"grddl", "http://www.w3.org/2003/g/data-view#"},
        {"tableooo", "http://openoffice.org/2009/table"},
        {"field", "urn:openoffice:names:experimental:ooo-ms-interop:xmlns:field:1.0"},
        {"formx", "urn:openoffice:names:experimental:ooxml-odf-interop:xmlns:form:1.0"},
        {"css3t", "http://www.w3.org/TR/css3-text/"},
    };
    const auto attributes = [](QXmlStreamWriter& xml, std::initializer_list<std::pair<const char*, const char*>> list) {
        for (const auto& [name, value] : list)
            xml.writeAttribute(QLatin1String(name), QString::fromUtf8(value));
    };
    return writePart(path, [&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("office:document-content"));
        for (const auto& ns : namespaces)
            xml.writeAttribute(QStringLiteral("xmlns:") + QLatin1String(ns[0]), QLatin1String(ns[1]));
        xml.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
        xml.writeEmptyElement(QStringLiteral("office:scripts"));
        xml.writeStartElement(QStringLiteral("office:font-face-decls"));
        for (const auto& [name, family, generic] :
             {std::tuple {"Arial", "Arial", "swiss"}, std::tuple {"Arial Unicode MS", "'Arial Unicode MS'", "system"},
              std::tuple {"Tahoma", "Tahoma", "system"}}) {
            xml.writeEmptyElement(QStringLiteral("style:font-face"));
            attributes(xml, {{"style:name", name}, {"svg:font-family", family},
                             {"style:font-family-generic", generic}, {"style:font-pitch", "variable"}});
        }
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("office:automatic-styles"));
        xml.writeStartElement(QStringLiteral("style:style"));
        attributes(xml, {{"style:name", "co1"}, {"style:family", "table-column"}});
        xml.writeEmptyElement(QStringLiteral("style:table-column-properties"));
        attributes(xml, {{"fo:break-before", "auto"}, {"style:column-width", "2.258cm"}});
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("style:style"));
        attributes(xml, {{"style:name", "ro1"}, {"style:family", "table-row"}});
        xml.writeEmptyElement(QStringLiteral("style:table-row-properties"));
        attributes(xml, {{"style:row-height", "0.427cm"}, {"fo:break-before", "auto"},
                         {"style:use-optimal-row-height", "true"}});
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("style:style"));
        attributes(xml, {{"style:name", "ta1"}, {"style:family", "table"}, {"style:master-page-name", "Default"}});
        xml.writeEmptyElement(QStringLiteral("style:table-properties"));
        attributes(xml, {{"table:display", "true"}, {"style:writing-mode", "lr-tb"}});
        xml.writeEndElement();
        xml.writeEndElement();

        xml.writeStartElement(QStringLiteral("office:body"));
        xml.writeStartElement(QStringLiteral("office:spreadsheet"));
        xml.writeStartElement(QStringLiteral("table:table"));
        attributes(xml, {{"table:name", "Sheet1"}, {"table:style-name", "ta1"}});
        xml.writeEmptyElement(QStringLiteral("table:table-column"));
        attributes(xml, {{"table:style-name", "co1"}});
        xml.writeAttribute(QStringLiteral("table:number-columns-repeated"),
                           QString::number(data.isEmpty() ? 0 : data.first().size()));
        attributes(xml, {{"table:default-cell-style-name", "Default"}});
        for (const QStringList& row : std::as_const(data)) {
            xml.writeStartElement(QStringLiteral("table:table-row"));
            attributes(xml, {{"table:style-name", "ro1"}});
            for (const QString& text : row) {
                xml.writeStartElement(QStringLiteral("table:table-cell"));
                attributes(xml, {{"office:value-type", "string"}});
                xml.writeTextElement(QStringLiteral("text:p"), text);
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QString Get_Column_Char_Str(const QString& ref)
{
    for (qsizetype i = 0; i < ref.size(); ++i)
        if (ref[i] >= u'1' && ref[i] <= u'9')
            return ref.left(i);
    return ref;
}

int Get_Col_index(const QString& letters, int base)
{
    if (letters.isEmpty() || letters.size() > 3)
        return -1;
    int number = 0;
    for (const QChar c : letters) {
        const QChar upper = c.toUpper();
        if (upper < u'A' || upper > u'Z')
            return -1;
        number = number * 26 + (Asc_Val(QString(upper)) - 64);
    }
    return number + 64 - base;
}

int Asc_Val(const QString& text)
{
    return text.isEmpty() ? 0 : (text.at(0).unicode() & 0xFF);
}
