#include "common/SyntheticWorkbooks.h"

#include <QFile>

#include <zlib.h>

namespace SyntheticWorkbooks {

namespace {

constexpr qint64 PieceBytes = 1 << 20;

void put16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

struct Written
{
    QByteArray name;
    quint32 crc = 0;
    quint32 compressed = 0;
    quint32 declared = 0;
    quint32 size = 0;
    quint32 offset = 0;
};

QByteArray localHeader(const Written& w)
{
    QByteArray h;
    put32(h, 0x04034b50);
    put16(h, 20);
    put16(h, 0);
    put16(h, 8); // deflate
    put16(h, 0);
    put16(h, 0x21);
    put32(h, w.crc);
    put32(h, w.declared);
    put32(h, w.size);
    put16(h, quint32(w.name.size()));
    put16(h, 0);
    return h + w.name;
}

// Deflates `part` into `file` after a header with room for the sizes, then
// writes the true header over it.
bool writeEntry(QFile& file, const Part& part, const Forgery& forgery, Written& w)
{
    w.name = part.name.toUtf8();
    w.offset = quint32(file.pos());
    if (file.write(localHeader(w)) < 0)
        return false;
    z_stream z {};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return false;
    uLong crc = crc32(0L, Z_NULL, 0);
    quint64 size = 0;
    quint64 compressed = 0;
    QByteArray in;
    QByteArray out(PieceBytes, Qt::Uninitialized);
    bool more = true;
    bool ok = true;
    while (ok) {
        in.clear();
        while (more && in.size() < PieceBytes)
            more = part.content(in);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(in.constData()), uInt(in.size()));
        size += quint64(in.size());
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(in.size());
        const int flush = more ? Z_NO_FLUSH : Z_FINISH;
        int status = Z_OK;
        do {
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = uInt(out.size());
            status = deflate(&z, flush);
            const qint64 n = out.size() - qint64(z.avail_out);
            compressed += quint64(n);
            ok = file.write(out.constData(), n) == n;
        } while (ok && (z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END)));
        if (!more)
            break;
    }
    deflateEnd(&z);
    if (!ok || size > 0xffffffffu || compressed > 0xffffffffu)
        return false;
    w.crc = quint32(crc);
    w.size = quint32(size);
    w.compressed = quint32(compressed);
    w.declared = w.compressed;
    const bool forged = !forgery.entry.isEmpty() && forgery.entry == part.name;
    if (forged && forgery.padding > 0 && file.write(QByteArray(forgery.padding, '\0')) != forgery.padding)
        return false;
    if (forged && forgery.declaredCompressed != 0)
        w.declared = forgery.declaredCompressed;
    if (forged && forgery.claimPadding)
        w.declared = quint32(compressed + quint64(forgery.padding));
    const qint64 end = file.pos();
    return file.seek(w.offset) && file.write(localHeader(w)) > 0 && file.seek(end);
}

} // namespace

bool writeArchive(const QString& path, const QList<Part>& parts, const Forgery& forgery)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QList<Written> written;
    for (const Part& part : parts) {
        Written w;
        if (!writeEntry(file, part, forgery, w))
            return false;
        written.append(w);
    }
    QByteArray directory;
    for (const Written& w : written) {
        put32(directory, 0x02014b50);
        put16(directory, 20);
        put16(directory, 20);
        put16(directory, 0);
        put16(directory, 8);
        put16(directory, 0);
        put16(directory, 0x21);
        put32(directory, w.crc);
        put32(directory, w.declared);
        put32(directory, w.size);
        put16(directory, quint32(w.name.size()));
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, 0);
        put32(directory, w.offset);
        directory += w.name;
    }
    const quint32 at = quint32(file.pos());
    const quint32 directorySize = quint32(directory.size());
    put32(directory, 0x06054b50);
    put16(directory, 0);
    put16(directory, 0);
    put16(directory, quint32(written.size()));
    put16(directory, quint32(written.size()));
    put32(directory, directorySize);
    put32(directory, at);
    put16(directory, 0);
    return file.write(directory) == directory.size() && file.flush();
}

Producer fixedText(const QByteArray& text)
{
    return [text, done = false](QByteArray& out) mutable {
        if (!done)
            out += text;
        done = true;
        return false;
    };
}

Producer repeated(const QByteArray& head, qint64 count, std::function<QByteArray(qint64)> item, const QByteArray& tail)
{
    return [=, next = qint64(-1)](QByteArray& out) mutable {
        if (next < 0) {
            out += head;
            next = 0;
        }
        const qint64 stop = std::min(count, next + 4096);
        for (; next < stop; ++next)
            out += item(next);
        if (next < count)
            return true;
        out += tail;
        return false;
    };
}

QByteArray letters(qint64 start, qint64 count)
{
    QByteArray text(count, 'n');
    // The letters follow no short period, which deflate would find.
    for (qint64 at = (start + 127) / 128 * 128; at < start + count; at += 128)
        text[at - start] = char('a' + (quint64(at / 128) * 0x9E3779B97F4A7C15ull >> 40) % 26);
    return text;
}

Producer longText(const QByteArray& head, qint64 length, const QByteArray& tail)
{
    return [=, next = qint64(-1)](QByteArray& out) mutable {
        if (next < 0) {
            out += head;
            next = 0;
        }
        const qint64 count = std::min(length - next, PieceBytes);
        out += letters(next, count);
        next += count;
        if (next < length)
            return true;
        out += tail;
        return false;
    };
}

QByteArray sharedStringsHead()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
}

QByteArray sharedStringsTail()
{
    return "</sst>";
}

QByteArray sheetHead(const QByteArray& dimension)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        + (dimension.isEmpty() ? QByteArray() : "<dimension ref=\"" + dimension + "\"/>") + "<sheetData>";
}

QByteArray sheetTail()
{
    return "</sheetData></worksheet>";
}

QByteArray prefixed(QByteArray markup, const QByteArray& prefix)
{
    markup.replace("xmlns%", prefix.isEmpty() ? QByteArray("xmlns") : "xmlns:" + prefix.chopped(1));
    return markup.replace("%", prefix);
}

QList<Part> tabParts(const QString& relationships, const QString& tabs, const QByteArray& prefix)
{
    const QByteArray kinds = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    QByteArray rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (const QString& r : relationships.split(u' ', Qt::SkipEmptyParts))
        rels += "<Relationship Id=\"" + r.section(u'>', 0, 0).toUtf8() + "\" Type=\"" + kinds + "/"
            + (r.startsWith(QLatin1String("ss>")) ? "sharedStrings" : "worksheet") + "\" Target=\""
            + r.section(u'>', 1).toUtf8() + "\"/>";
    QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<%workbook xmlns%="
                          "\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\""
        + kinds + "\"><%sheets>";
    int id = 0;
    for (const QString& t : tabs.split(u' ', Qt::SkipEmptyParts))
        workbook += "<%sheet name=\"" + t.section(u'>', 0, 0).toUtf8() + "\" sheetId=\"" + QByteArray::number(++id)
            + "\" r:id=\"" + t.section(u'>', 1).toUtf8() + "\"/>";
    return {{QStringLiteral("xl/_rels/workbook.xml.rels"), fixedText(rels + "</Relationships>")},
            {QStringLiteral("xl/workbook.xml"), fixedText(prefixed(workbook + "</%sheets></%workbook>", prefix))}};
}

Producer textSheet(const QList<QStringList>& rows, const QByteArray& prefix)
{
    QByteArray sheet = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<%worksheet xmlns%=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><%sheetData>";
    for (const QStringList& row : rows) {
        sheet += "<%row>";
        for (const QString& cell : row)
            sheet += "<%c t=\"inlineStr\"><%is><%t>" + cell.toHtmlEscaped().toUtf8().replace("%", "&#37;")
                + "</%t></%is></%c>";
        sheet += "</%row>";
    }
    return fixedText(prefixed(sheet + "</%sheetData></%worksheet>", prefix));
}

bool writeWorkbook(const QString& path, const Producer& sheet, const Producer& sharedStrings, const Forgery& forgery)
{
    const QByteArray types = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                             "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
    const QByteArray workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                                "<sheets><sheet name=\"Guests\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    QList<Part> parts {{QStringLiteral("[Content_Types].xml"), fixedText(types)},
                       {QStringLiteral("xl/workbook.xml"), fixedText(workbook)}};
    if (sharedStrings)
        parts.append({QStringLiteral("xl/sharedStrings.xml"), sharedStrings});
    parts.append({QStringLiteral("xl/worksheets/sheet1.xml"), sheet});
    return writeArchive(path, parts, forgery);
}

// A sheet of one cell holding shared string 0.
Producer oneCellSheet()
{
    return fixedText(sheetHead("A1") + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>" + sheetTail());
}

bool writeOneLetterStrings(const QString& path, qint64 count, const Forgery& forgery)
{
    return writeWorkbook(
        path, oneCellSheet(),
        repeated(
            sharedStringsHead(), count, [](qint64) { return QByteArray("<si><t>a</t></si>"); }, sharedStringsTail()),
        forgery);
}

bool writeOneLongString(const QString& path, qint64 length)
{
    return writeWorkbook(path, oneCellSheet(),
                         longText(sharedStringsHead() + "<si><t>", length, "</t></si>" + sharedStringsTail()));
}

bool writeUniqueStrings(const QString& path, qint64 rows, int columns)
{
    // Letters that vary from string to string keep deflate from packing the
    // strings too far, as names in a real list do.
    const auto word = [](qint64 i) {
        QByteArray w;
        quint64 x = quint64(i) * 0x9E3779B97F4A7C15ull;
        for (int k = 0; k < 5; ++k, x >>= 5)
            w += char('a' + x % 26);
        return w;
    };
    const Producer strings = repeated(
        sharedStringsHead(), rows * columns,
        [word](qint64 i) { return "<si><t>" + word(i) + " " + QByteArray::number(i) + "</t></si>"; },
        sharedStringsTail());
    const Producer sheet = repeated(
        sheetHead("A1:" + QByteArray(1, char('A' + columns - 1)) + QByteArray::number(rows)), rows,
        [columns](qint64 r) {
            QByteArray row = "<row r=\"" + QByteArray::number(r + 1) + "\">";
            for (int c = 0; c < columns; ++c)
                row += "<c r=\"" + QByteArray(1, char('A' + c)) + QByteArray::number(r + 1) + "\" t=\"s\"><v>"
                    + QByteArray::number(r * columns + c) + "</v></c>";
            return row + "</row>";
        },
        sheetTail());
    return writeWorkbook(path, sheet, strings);
}

bool writeSparseWide(const QString& path, qint64 rows)
{
    const Producer sheet = repeated(
        sheetHead("A1:XFD" + QByteArray::number(rows)), rows,
        [](qint64 r) {
            const QByteArray n = QByteArray::number(r + 1);
            return "<row r=\"" + n + "\"><c r=\"XFD" + n + "\"><v>" + n + "</v></c></row>";
        },
        sheetTail());
    return writeWorkbook(path, sheet, fixedText(sharedStringsHead() + sharedStringsTail()));
}

bool writeLongStrings(const QString& path, qint64 count)
{
    const QByteArray filler(200, 'a');
    return writeWorkbook(path, oneCellSheet(),
                         repeated(
                             sharedStringsHead(), count,
                             [filler](qint64 i) { return "<si><t>" + filler + QByteArray::number(i) + "</t></si>"; },
                             sharedStringsTail()));
}

bool writeNumberStrings(const QString& path, qint64 count)
{
    return writeWorkbook(path, oneCellSheet(),
                         repeated(
                             sharedStringsHead(), count,
                             [](qint64 i) { return "<si><t>" + QByteArray::number(i % 100000) + "</t></si>"; },
                             sharedStringsTail()));
}

bool writeNumbers(const QString& path, qint64 rows, int columns)
{
    const Producer sheet = repeated(
        sheetHead(), rows,
        [columns](qint64 r) {
            QByteArray row = "<row>";
            for (int c = 0; c < columns; ++c)
                row += "<c><v>" + QByteArray::number(r * columns + c) + "</v></c>";
            return row + "</row>";
        },
        sheetTail());
    return writeWorkbook(path, sheet, fixedText(sharedStringsHead() + sharedStringsTail()));
}

}
