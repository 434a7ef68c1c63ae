// Reads untrusted bytes as the two parts that say where a workbook's other
// parts lie: the bytes before the first NUL are the workbook part's
// relationships (xl/_rels/workbook.xml.rels), those after it the workbook
// part (xl/workbook.xml); without a NUL, the whole input is the
// relationships. Whatever they hold, the shared strings found lie inside the
// unpack folder, and so does every target resolved from the input's text;
// every sheet offered has a worksheet part that is a plain file there, or
// none. The folder holds worksheet parts under the names writers give them
// (sheet.xml, Sheet2.xml, sheet01.xml, ...), so that targets meet them in
// any letter case, and a part beside the folder that no target may reach.
#include "data/WorkbookParts.h"
#include "fuzz/FuzzEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const QString& workbookFolder()
{
    static const QString folder = [] {
        const QString run = FuzzEnvironment::runFolder("workbook_parts_fuzzer");
        const QString path = run + QStringLiteral("/book");
        QDir().mkpath(path + QStringLiteral("/xl/_rels"));
        QDir().mkpath(path + QStringLiteral("/xl/worksheets"));
        QDir().mkpath(path + QStringLiteral("/xl/Sheets"));
        for (const char* part : {"/xl/worksheets/sheet.xml", "/xl/worksheets/sheet1.xml", "/xl/worksheets/Sheet2.xml",
                                 "/xl/worksheets/sheet01.xml", "/xl/worksheets/sheet10.xml", "/xl/Sheets/Sheet3.XML",
                                 "/xl/sharedStrings.xml", "/../beside.xml"}) {
            QFile file(path + QLatin1String(part));
            if (!file.open(QIODevice::WriteOnly) || file.write("<worksheet/>") < 0)
                FuzzEnvironment::fail("cannot write a part");
        }
        return path;
    }();
    return folder;
}

void writeFile(const QString& path, const char* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data, qint64(size)) != qint64(size))
        FuzzEnvironment::fail("cannot write a part");
}

// A resolved target: empty, or a clean path inside the folder.
void expectInside(const QString& relative)
{
    if (relative.isEmpty())
        return;
    if (relative.startsWith(u'/') || relative == QLatin1String("..") || relative.startsWith(QLatin1String("../"))
        || QDir::cleanPath(relative) != relative)
        FuzzEnvironment::fail("a target resolved outside the unpack folder");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& folder = workbookFolder();
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const size_t split = nul ? size_t(static_cast<const char*>(nul) - bytes) : size;
    writeFile(folder + QStringLiteral("/xl/_rels/workbook.xml.rels"), bytes, split);
    const QString workbook = folder + QStringLiteral("/xl/workbook.xml");
    if (nul)
        writeFile(workbook, bytes + split + 1, size - split - 1);
    else
        QFile::remove(workbook);

    const WorkbookParts parts = WorkbookParts::read(folder);
    if (!parts.sharedStrings.isEmpty()) {
        if (!parts.sharedStrings.startsWith(folder + u'/'))
            FuzzEnvironment::fail("shared strings outside the unpack folder");
        expectInside(parts.sharedStrings.mid(folder.size() + 1));
    }
    for (const WorkbookParts::Sheet& sheet : parts.sheets) {
        if (sheet.part.isEmpty())
            continue;
        expectInside(sheet.part);
        const QFileInfo info(folder + u'/' + sheet.part);
        if (!info.isFile() || info.isSymLink())
            FuzzEnvironment::fail("a sheet offered with a part that is no file in the unpack folder");
    }
    expectInside(WorkbookParts::resolve(QString::fromUtf8(bytes, qsizetype(split))));
    return 0;
}
