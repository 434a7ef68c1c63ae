// Unpacks the bytes as a zip archive, as the workbook reader does with a file
// the user picked, into a private folder under small bounds. Nothing may land
// beside the destination, no link may appear, and the bound holds. When the
// unpack succeeds, packing what it made and unpacking that again must give
// the very same files and empty folders, and the paths the unpack lists are
// exactly the files it made.
#include "data/SSZipArchive.h"
#include "fuzz/FuzzEnvironment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <cstddef>
#include <cstdint>

namespace {

constexpr qint64 MaxBytes = qint64(1) << 20;
constexpr qint64 MaxEntries = 256;
constexpr auto AllEntries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

using Tree = QMap<QString, QByteArray>;

// Every file with its bytes and every empty folder as "path/" below `root`;
// a symbolic link or anything but files and folders stops the run.
Tree leaves(const QString& root)
{
    Tree found;
    QDirIterator it(root, AllEntries, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(root).relativeFilePath(path);
        if (info.isSymLink() || !(info.isDir() || info.isFile()))
            FuzzEnvironment::fail("the unpack made something that is neither file nor folder");
        if (info.isDir()) {
            if (QDir(path).entryList(AllEntries).isEmpty())
                found.insert(name + QLatin1Char('/'), {});
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            FuzzEnvironment::fail("an unpacked file cannot be read");
        found.insert(name, file.readAll());
    }
    return found;
}

const QString& workFolder()
{
    return FuzzEnvironment::runFolder("zip_fuzzer");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzEnvironment::start();
    workFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString run = workFolder() + QStringLiteral("/run");
    QDir(run).removeRecursively();
    const QString outer = run + QStringLiteral("/outer");
    const QString destination = outer + QStringLiteral("/dest");
    const QString input = run + QStringLiteral("/in.zip");
    {
        QDir().mkpath(destination);
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzEnvironment::fail("cannot write the input file");
    }
    QStringList listed;
    const bool unpacked = SSZipArchive::unzipFileAtPath(input, destination, true, QString(), nullptr, MaxBytes,
                                                        MaxEntries, &listed);
    if (QDir(outer).entryList(AllEntries) != QStringList {QStringLiteral("dest")}
        || QDir(run).entryList(AllEntries) != QStringList({QStringLiteral("in.zip"), QStringLiteral("outer")}))
        FuzzEnvironment::fail("the unpack wrote outside its destination");
    const Tree tree = leaves(destination);
    qint64 total = 0;
    for (const QByteArray& bytes : tree)
        total += bytes.size();
    if (total > MaxBytes)
        FuzzEnvironment::fail("the unpack wrote more than its bound");
    if (!unpacked || tree.isEmpty())
        return 0;
    // The unpack lists exactly the files it made, in the archive's order.
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        if (!it.key().endsWith(QLatin1Char('/')) && !listed.contains(it.key()))
            FuzzEnvironment::fail("an unpacked file that the unpack does not list");
    for (const QString& path : std::as_const(listed))
        if (!tree.contains(path))
            FuzzEnvironment::fail("a file listed by the unpack that it did not make");

    QStringList paths;
    for (const QString& name : QDir(destination).entryList(AllEntries))
        paths << destination + QLatin1Char('/') + name;
    const QString repacked = run + QStringLiteral("/again.zip");
    if (!SSZipArchive::createZipFileAtPath(repacked, paths))
        FuzzEnvironment::fail("an unpacked folder cannot be packed");
    const QString again = run + QStringLiteral("/again");
    if (!SSZipArchive::unzipFileAtPath(repacked, again, true, QString(), nullptr, MaxBytes, MaxEntries))
        FuzzEnvironment::fail("an archive we packed does not unpack");
    if (leaves(again) != tree)
        FuzzEnvironment::fail("packing and unpacking again changed the files");
    return 0;
}
