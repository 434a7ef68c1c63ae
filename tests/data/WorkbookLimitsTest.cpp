// Hostile and huge workbooks, made here, read through the import road
// (unpack, the first sheet's titles, all its rows) in a process of their
// own, whose peak memory is taken from outside: each is refused or read
// within 300 MB, and a refusal leaves nothing in the temporary folder.
#include "common/SanitizerBuild.h"
#include "common/SyntheticWorkbooks.h"
#include "data/SSZipArchive.h"
#include "data/SpreadsheetWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QProcess>

#include <functional>

namespace {

namespace SW = SyntheticWorkbooks;

constexpr qint64 PeakLimitKb = 300 * 1000 * 1000 / 1024;

// Under the address or the thread sanitizer the figures say nothing of the
// reader's (common/SanitizerBuild.h).
constexpr bool MemoryMeasured = !SanitizerBuild::active;

struct ProbeRun
{
    bool ran = false;
    QJsonObject result;
    qint64 peakKb = 0;     // the reading process's largest resident size
    QStringList leftFiles; // files in its temporary folder after it ended
};

QStringList filesBelow(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    return files;
}

// Runs the probe on `workbook` with a temporary folder of its own.
ProbeRun probe(const QString& workbook)
{
    ProbeRun run;
    QTemporaryDir tmp;
    const QString resultPath = tmp.filePath(QStringLiteral("result.json"));
    const QString probeTmp = tmp.filePath(QStringLiteral("tmp"));
    QDir().mkpath(probeTmp);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), probeTmp);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(WORKBOOK_PROBE), {workbook, resultPath});
    // No clock of its own: ctest's timeout guards against a probe that hangs.
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return run;
    QFile file(resultPath);
    if (!file.open(QIODevice::ReadOnly))
        return run;
    run.result = QJsonDocument::fromJson(file.readAll()).object();
    run.peakKb = run.result[QStringLiteral("peakKb")].toInteger();
    run.leftFiles = filesBelow(probeTmp);
    run.ran = true;
    return run;
}

} // namespace

TEST(WorkbookLimits, RefusedOrReadWithinBounds)
{
    QTemporaryDir made;
    const qint64 bomb = 15800000; // "<si><t>a</t></si>": 268 MB deflating to about 660 KB
    const struct Case
    {
        const char* name;
        std::function<bool(const QString&)> make;
        bool read; // else refused
        qint64 rows, cells;
        int columns;
        bool pastLimits = true; // refused for its size (not for being corrupt)
    } cases[] = {
        {"forged: claims 0x7FFFFFF0 compressed bytes, 64 KiB of padding",
         [&](const QString& p) {
             return SW::writeOneLetterStrings(p, bomb, {"xl/sharedStrings.xml", 0x7FFFFFF0, 64 * 1024});
         },
         false, 0, 0, 0, false},
        {"forged: claims 2 MB of padding as its compressed data",
         [&](const QString& p) {
             return SW::writeOneLetterStrings(p, bomb, {"xl/sharedStrings.xml", 0, 2 << 20, true});
         },
         false, 0, 0, 0},
        {"honest sizes, expands 400 times", [&](const QString& p) { return SW::writeOneLetterStrings(p, bomb); }, false,
         0, 0, 0},
        {"honest, unpacks past 256 MiB", [](const QString& p) { return SW::writeLongStrings(p, 1300000); }, false, 0, 0,
         0},
        {"honest, more shared strings than the limit",
         [](const QString& p) { return SW::writeNumberStrings(p, WorksheetReader::MaxSharedStrings + 1000); }, false, 0,
         0, 0},
        {"honest, one shared string of 100 MB", [](const QString& p) { return SW::writeOneLongString(p, 100000000); },
         false, 0, 0, 0},
        {"honest, more cells than the limit",
         [](const QString& p) { return SW::writeNumbers(p, WorksheetReader::MaxCells / 1000 + 1, 1000); }, false, 0, 0,
         0},
        {"honest, 2 million shared strings in 200,000 rows",
         [](const QString& p) { return SW::writeUniqueStrings(p, 200000, 10); }, true, 200000, 2000000, 10},
        {"sparse and wide: one cell in XFD on each of 2,048 rows",
         [](const QString& p) { return SW::writeSparseWide(p, 2048); }, true, 2048, 2048, 16384},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = made.filePath(QStringLiteral("book.xlsx"));
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(c.make(path));
        const qint64 madeMs = clock.restart();
        const ProbeRun run = probe(path);
        ASSERT_TRUE(run.ran);
        std::printf("[ workbook ] %-62s %5.1f MB file (%5lld ms), read in %5lld ms, peak %6.1f MB, %5.1f MB after "
                    "release\n",
                    c.name, QFileInfo(path).size() / 1e6, madeMs, clock.elapsed(), run.peakKb * 1024 / 1e6,
                    run.result[QStringLiteral("rssAfterRelease")].toDouble() * 1024 / 1e6);
        if (MemoryMeasured) {
            EXPECT_LT(run.peakKb, PeakLimitKb);
            // What the read took is given back once it is done.
            EXPECT_LT(run.result[QStringLiteral("rssAfterRelease")].toInteger(), 40 * 1024);
        }
        if (c.read) {
            EXPECT_EQ(run.result[QStringLiteral("sheets")].toInt(), 1);
            EXPECT_EQ(run.result[QStringLiteral("titles")].toInt(), c.columns);
            EXPECT_EQ(run.result[QStringLiteral("columns")].toInt(), c.columns);
            EXPECT_EQ(run.result[QStringLiteral("rows")].toInteger(), c.rows);
            EXPECT_EQ(run.result[QStringLiteral("cells")].toInteger(), c.cells);
            EXPECT_FALSE(run.result[QStringLiteral("refused")].toBool());
        } else {
            EXPECT_EQ(run.result[QStringLiteral("titles")].toInt(), 0);
            EXPECT_EQ(run.result[QStringLiteral("rows")].toInteger(), 0);
            EXPECT_EQ(run.result[QStringLiteral("refused")].toBool(), c.pastLimits);
            EXPECT_EQ(run.leftFiles, QStringList());
        }
    }
}

// The archive itself: a compressed size claimed beyond the archive is a
// corrupt entry, refused before a byte of it is written; one claimed within
// it (padding after the data) does not let an entry past the size bound.
TEST(WorkbookLimits, ForgedCompressedSizes)
{
    QTemporaryDir made;
    const struct
    {
        const char* name;
        SW::Forgery forgery;
        int code;
    } cases[] = {
        {"beyond the archive", {"xl/sharedStrings.xml", 0x7FFFFFF0, 64 * 1024}, SSZipArchive::EntryDataFailed},
        {"padding claimed", {"xl/sharedStrings.xml", 0, 2 << 20, true}, SSZipArchive::SizeLimitExceeded},
        {"honest", {}, SSZipArchive::SizeLimitExceeded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = made.filePath(QStringLiteral("book.xlsx"));
        ASSERT_TRUE(SW::writeOneLetterStrings(path, 4000000, c.forgery));
        const QString out = made.filePath(QStringLiteral("out"));
        QDir(out).removeRecursively();
        SSZipArchiveError error;
        // 4,000,000 strings unpack to 68 MB
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(path, out, true, QString(), &error, qint64(64) << 20));
        EXPECT_EQ(error.code, c.code) << error.description.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/xl/sharedStrings.xml")));
    }
}
