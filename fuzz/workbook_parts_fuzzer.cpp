// Reads untrusted bytes as the two parts that say where a workbook's other
// parts lie: the bytes before the first NUL are the workbook part's
// relationships (xl/_rels/workbook.xml.rels), those after it the workbook
// part (xl/workbook.xml); without a NUL, the whole input is the
// relationships. Whatever they hold, the shared strings found lie inside the
// unpack folder, and so does every target resolved from the input's text.
#include "data/WorkbookParts.h"
#include "fuzz/FuzzEnvironment.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

const QString& workbookFolder()
{
    static const QString folder = [] {
        const QString path = FuzzEnvironment::runFolder("workbook_parts_fuzzer") + QStringLiteral("/book");
        QDir().mkpath(path + QStringLiteral("/xl/_rels"));
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
    for (int n = 0; n <= 8; ++n)
        parts.tabName(n);
    expectInside(WorkbookParts::resolve(QString::fromUtf8(bytes, qsizetype(split))));
    return 0;
}
