// Zip archives against independent readers and writers: Python's zipfile
// builds the archives we unpack and reads the ones we pack, Info-ZIP's
// unzip tests them; hostile archives must fail without writing outside.
#include "data/SSZipArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Tree = QMap<QString, QByteArray>;

QByteArray run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    // No clock of its own: ctest's timeout guards against a hang.
    const bool finished = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit;
    if (exitCode)
        *exitCode = finished ? process.exitCode() : -1;
    else if (!finished || process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QJsonObject zipTool(const QString& command, const QString& path)
{
    return QJsonDocument::fromJson(run(QStringLiteral("/usr/bin/python3"),
                                       {QStringLiteral(TEST_SOURCE_DIR "/data/zip_tool.py"), command, path}))
        .object();
}

// Every file with its bytes, every empty folder as "path/" and every
// symbolic link as "path@", below `root`.
Tree leaves(const QString& root)
{
    Tree found;
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    QDirIterator it(root, all, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isSymLink()) {
            found.insert(name + QLatin1Char('@'), {});
        } else if (it.fileInfo().isDir()) {
            if (QDir(path).entryList(all).isEmpty())
                found.insert(name + QLatin1Char('/'), {});
        } else {
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            found.insert(name, file.readAll());
        }
    }
    return found;
}

// The files among `tree`, as the unpack lists them once sorted.
QStringList filesOf(const Tree& tree)
{
    QStringList files;
    for (const QString& leaf : tree.keys())
        if (!leaf.endsWith(QLatin1Char('/')) && !leaf.endsWith(QLatin1Char('@')))
            files << leaf;
    return files;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class SSZipArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_manifest = zipTool(QStringLiteral("make"), m_dir.path());
        ASSERT_FALSE(m_manifest.isEmpty());
    }
    QString archive(const QString& name) const { return m_dir.filePath(name + QStringLiteral(".zip")); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QJsonObject m_manifest;
};

TEST_F(SSZipArchiveTest, UnpacksWhatPythonPacks)
{
    const QJsonObject good = m_manifest[QStringLiteral("good")].toObject();
    ASSERT_EQ(good.size(), 8);
    for (const QString& name : good.keys()) {
        SCOPED_TRACE(name.toStdString());
        SSZipArchiveError error;
        QStringList listed;
        EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive(name), path(name), true, {}, &error,
                                                  SSZipArchive::DefaultMaxUnpackedBytes,
                                                  SSZipArchive::DefaultMaxEntries, &listed))
            << error.description.toStdString();
        Tree expected;
        for (const QString& leaf : good[name].toObject().keys())
            expected.insert(leaf, good[name][leaf].toString().toUtf8());
        EXPECT_EQ(leaves(path(name)), expected);
        listed.sort();
        EXPECT_EQ(listed, filesOf(expected));
    }
}

TEST_F(SSZipArchiveTest, RefusesHostileArchivesWithoutWritingOutside)
{
    const QJsonObject hostile = m_manifest[QStringLiteral("hostile")].toObject();
    ASSERT_EQ(hostile.size(), 14);
    for (const QString& name : hostile.keys()) {
        SCOPED_TRACE(name.toStdString());
        const QJsonObject expect = hostile[name].toObject();
        const QString outside = path(QStringLiteral("out/") + name);
        const QString destination = outside + QStringLiteral("/dest");
        SSZipArchiveError error;
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(archive(name), destination, true, {}, &error,
                                                   qint64(expect[QStringLiteral("bound")].toDouble()),
                                                   expect[QStringLiteral("entries")].toInt()));
        EXPECT_EQ(error.code, expect[QStringLiteral("code")].toInt()) << error.description.toStdString();
        // Nothing beside the destination, and inside only the entries before
        // the bad one (a file cut short or failing its CRC is removed).
        const QStringList beside = QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_TRUE(beside.isEmpty() || beside == QStringList {QStringLiteral("dest")})
            << beside.join(' ').toStdString();
        QStringList keep;
        for (const QJsonValue& kept : expect[QStringLiteral("keep")].toArray())
            keep << kept.toString();
        EXPECT_EQ(leaves(destination).keys(), keep);
    }
}

// An entry whose file or folder cannot be made (a file in the way of its
// folder, a folder in the way of its file, a path too long) is left out and
// the entries after it are unpacked.
TEST_F(SSZipArchiveTest, SkipsEntriesThatCannotBeCreatedAndGoesOn)
{
    const QJsonObject skipped = m_manifest[QStringLiteral("skipped")].toObject();
    ASSERT_EQ(skipped.size(), 3);
    for (const QString& name : skipped.keys()) {
        SCOPED_TRACE(name.toStdString());
        SSZipArchiveError error;
        QStringList listed;
        EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive(name), path(name), true, {}, &error,
                                                  SSZipArchive::DefaultMaxUnpackedBytes,
                                                  SSZipArchive::DefaultMaxEntries, &listed))
            << error.description.toStdString();
        Tree expected;
        for (const QString& leaf : skipped[name].toObject().keys())
            expected.insert(leaf, skipped[name][leaf].toString().toUtf8());
        EXPECT_EQ(leaves(path(name)), expected);
        // What was left out is not listed as unpacked.
        listed.sort();
        EXPECT_EQ(listed, filesOf(expected));
    }
}

// Bombs are refused by what they unpack to (bytes and entries), before a
// byte past the bound is written; an archive whose part packs some 300
// times smaller but stays well within the bounds (a styles part of 64,000
// identical cell formats) is no bomb and unpacks whole. The size bound lets
// through exactly as many bytes as it names.
TEST_F(SSZipArchiveTest, RefusesBombsByWhatTheyUnpackTo)
{
    const QString bomb = path(QStringLiteral("gibibyte.zip"));
    run(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TEST_SOURCE_DIR "/data/zip_tool.py"),
                                             QStringLiteral("gibibyte"), bomb});
    ASSERT_LT(QFileInfo(bomb).size(), 2 << 20);
    const QString styles = path(QStringLiteral("styles.xlsx"));
    QByteArray formats = R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                         R"(<cellXfs count="64000">)";
    for (int i = 0; i < 64000; ++i)
        formats += R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0" applyFont="1" applyFill="0"/>)";
    formats += "</cellXfs></styleSheet>";
    SSZipArchive packer(styles);
    ASSERT_TRUE(packer.open() && packer.writeData(formats, QStringLiteral("xl/styles.xml")) && packer.close());
    ASSERT_GT(formats.size(), 5 << 20);
    ASSERT_GT(formats.size() / QFileInfo(styles).size(), 250);

    const QString methods = archive(QStringLiteral("methods"));
    const qint64 total = 2 * qint64(m_manifest[QStringLiteral("good")][QStringLiteral("methods")]
                                        [QStringLiteral("stored.txt")].toString().size());
    constexpr qint64 workbookBytes = qint64(256) << 20;
    const struct
    {
        const char* what;
        QString zip;
        qint64 bytes, entries;
        int code;
    } cases[] = {
        {"a gibibyte of zeros", bomb, workbookBytes, 10000, SSZipArchive::SizeLimitExceeded},
        {"64,000 cell formats", styles, workbookBytes, 10000, 0},
        {"exactly the bound", methods, total, 10000, 0},
        {"a byte past the bound", methods, total - 1, 10000, SSZipArchive::SizeLimitExceeded},
        {"an entry past the bound", methods, total, 1, SSZipArchive::EntryLimitExceeded},
    };
    for (const auto& c : cases) {
        const QString destination = path(QStringLiteral("out/") + QLatin1String(c.what));
        SSZipArchiveError error;
        EXPECT_EQ(SSZipArchive::unzipFileAtPath(c.zip, destination, true, {}, &error, c.bytes, c.entries), c.code == 0)
            << c.what;
        EXPECT_EQ(error.code, c.code) << c.what << ": " << error.description.toStdString();
        if (c.zip == bomb) {
            EXPECT_TRUE(leaves(destination).isEmpty());
        } else if (c.zip == styles) {
            EXPECT_EQ(leaves(destination), (Tree {{QStringLiteral("xl/styles.xml"), formats}}));
        }
    }
}

TEST_F(SSZipArchiveTest, NeverWritesThroughAPlantedLink)
{
    const QString outside = path(QStringLiteral("outside"));
    ASSERT_TRUE(writeFile(outside + QStringLiteral("/victim.txt"), "keep"));
    ASSERT_TRUE(QDir().mkpath(outside + QStringLiteral("/victimdir")));
    ASSERT_TRUE(writeFile(path(QStringLiteral("src/a.txt")), "new"));
    ASSERT_TRUE(writeFile(path(QStringLiteral("src/sub/x.txt")), "new"));
    ASSERT_TRUE(writeFile(path(QStringLiteral("src/dangling")), "new"));
    const QString zip = path(QStringLiteral("planted.zip"));
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(
        zip, {path(QStringLiteral("src/a.txt")), path(QStringLiteral("src/sub")),
              path(QStringLiteral("src/dangling"))}));
    // The entry behind the link is left out, the others are unpacked.
    struct Case { const char* link; const char* target; bool overwrite; };
    const Case cases[] = {
        {"a.txt", "victim.txt", true},   // a link in place of a file is not replaced
        {"a.txt", "victim.txt", false},  // an existing path is kept without overwrite
        {"sub", "victimdir", true},      // a link in place of a folder is not entered
        {"dangling", "new.txt", false},  // a dangling link exists: kept, not written through
        {"dangling", "new.txt", true},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        const QString destination = path(QStringLiteral("dest%1").arg(n++));
        ASSERT_TRUE(QDir().mkpath(destination));
        ASSERT_TRUE(QFile::link(outside + QLatin1Char('/') + QLatin1String(c.target),
                                destination + QLatin1Char('/') + QLatin1String(c.link)));
        EXPECT_TRUE(SSZipArchive::unzipFileAtPath(zip, destination, c.overwrite, {}, nullptr));
        Tree unpacked {{QStringLiteral("a.txt"), "new"}, {QStringLiteral("sub/x.txt"), "new"},
                       {QStringLiteral("dangling"), "new"}};
        const QString link = QString::fromLatin1(c.link);
        unpacked.remove(link == QLatin1String("sub") ? QStringLiteral("sub/x.txt") : link);
        unpacked.insert(link + QLatin1Char('@'), {});
        EXPECT_EQ(leaves(destination), unpacked);
        EXPECT_EQ(leaves(outside), (Tree {{QStringLiteral("victim.txt"), "keep"}, {QStringLiteral("victimdir/"), {}}}));
    }
}

TEST_F(SSZipArchiveTest, KeepsExistingFilesWithoutOverwriteAndRestoresDates)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    const QString destination = path(QStringLiteral("dates"));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(archive(QStringLiteral("dates")), destination));
    const QString dated = destination + QStringLiteral("/dated.txt");
    EXPECT_EQ(QFileInfo(dated).lastModified(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    EXPECT_GE(QFileInfo(destination + QStringLiteral("/undated.txt")).lastModified(), before);

    ASSERT_TRUE(writeFile(dated, "changed"));
    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive(QStringLiteral("dates")), destination, false, {}, nullptr));
    EXPECT_EQ(leaves(destination).value(QStringLiteral("dated.txt")), "changed");
    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(archive(QStringLiteral("dates")), destination, true, {}, nullptr));
    EXPECT_EQ(leaves(destination).value(QStringLiteral("dated.txt")), "d");
}

TEST_F(SSZipArchiveTest, PackedArchivesPassUnzipAndPython)
{
    QByteArray sheet;
    for (int i = 0; i < 5000; ++i)
        sheet += QByteArray::number(i * 7919 % 10007) + ',';
    const QString work = path(QStringLiteral("work"));
    const Tree files {{QStringLiteral("a.txt"), "alpha"},
                      {QStringLiteral("xl/workbook.xml"), "<workbook/>"},
                      {QStringLiteral("xl/worksheets/sheet1.xml"), sheet},
                      {QStringLiteral("\u00e9t\u00e9.txt"), "summer"}};
    for (auto it = files.begin(); it != files.end(); ++it)
        ASSERT_TRUE(writeFile(work + QLatin1Char('/') + it.key(), it.value()));
    ASSERT_TRUE(QDir().mkpath(work + QStringLiteral("/docs/blank")));
    // the top-level entries of the folder, one of them given with a trailing "/"
    QStringList paths;
    for (const QString& name : QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        paths << work + QLatin1Char('/') + name + (name == QLatin1String("xl") ? QStringLiteral("/") : QString());
    const QString zip = path(QStringLiteral("packed.zip"));
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(zip, paths));

    int unzipExit = -1;
    run(QStringLiteral("unzip"), {QStringLiteral("-tq"), zip}, &unzipExit);
    EXPECT_EQ(unzipExit, 0);
    const QJsonObject check = zipTool(QStringLiteral("check"), zip);
    EXPECT_TRUE(check[QStringLiteral("bad")].isNull());
    Tree read;
    for (const QJsonValue& value : check[QStringLiteral("entries")].toArray()) {
        const QJsonArray entry = value.toArray();
        const QString name = entry[0].toString();
        read.insert(name, entry[4].toString().toUtf8());
        EXPECT_EQ(entry[1].toInt(), 8) << name.toStdString();                 // deflate
        EXPECT_EQ(entry[2].toArray(), (QJsonArray {1980, 1, 0, 0, 0, 0}));  // no date
        EXPECT_EQ(entry[3].toInt() & 0x800, name == QStringLiteral("\u00e9t\u00e9.txt") ? 0x800 : 0);
    }
    Tree expected = files;
    expected.insert(QStringLiteral("docs/blank/"), {});
    EXPECT_EQ(read, expected);

    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(zip, path(QStringLiteral("back"))));
    EXPECT_EQ(leaves(path(QStringLiteral("back"))), leaves(work));
}

TEST_F(SSZipArchiveTest, FailedPackingKeepsTheEntriesBeforeInAClosedArchive)
{
    ASSERT_TRUE(writeFile(path(QStringLiteral("good.txt")), "good"));
    ASSERT_TRUE(writeFile(path(QStringLiteral("later.txt")), "later"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("loop"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("loop")), path(QStringLiteral("loop/self"))));
    struct Case { const char* archive; const char* failing; QStringList names; };
    const Case cases[] = {
        {"missing/x.zip", "good.txt", {}},                  // the archive cannot be created
        {"unreadable.zip", "missing.txt", {"good.txt"}},    // a file cannot be read
        {"loop.zip", "loop", {"good.txt"}},                 // a folder holds a link to itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        const QString zip = path(QLatin1String(c.archive));
        EXPECT_FALSE(SSZipArchive::createZipFileAtPath(
            zip, {path(QStringLiteral("good.txt")), path(QLatin1String(c.failing)),
                  path(QStringLiteral("later.txt"))}));
        if (c.names.isEmpty()) {
            EXPECT_FALSE(QFile::exists(zip));
            continue;
        }
        const QJsonObject check = zipTool(QStringLiteral("check"), zip);
        EXPECT_TRUE(check[QStringLiteral("bad")].isNull());
        QStringList names;
        for (const QJsonValue& entry : check[QStringLiteral("entries")].toArray())
            names << entry.toArray()[0].toString();
        EXPECT_EQ(names, c.names);
    }
}

QStringList g_messages;

TEST_F(SSZipArchiveTest, ReportsMisuseAsProgrammingErrors)
{
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { g_messages << text; });
    SSZipArchive zip(path(QStringLiteral("data.zip")));
    EXPECT_FALSE(zip.writeFile(QStringLiteral("a"), m_dir.path()));
    EXPECT_FALSE(zip.close());
    EXPECT_FALSE(zip.writeData("x", QStringLiteral("x.txt")));
    EXPECT_TRUE(zip.open());
    EXPECT_FALSE(zip.open());
    EXPECT_FALSE(zip.writeData(QByteArray(), QStringLiteral("null.txt")));
    EXPECT_TRUE(zip.writeData("now", QStringLiteral("now.txt")));
    EXPECT_TRUE(zip.close());
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_messages, (QStringList {QStringLiteral("Attempting to write to an archive which was never opened"),
                                        QStringLiteral("Attempting to close an archive which was never opened"),
                                        QStringLiteral("Attempting open an archive which is already open")}));
    const QJsonArray entries
        = zipTool(QStringLiteral("check"), path(QStringLiteral("data.zip")))[QStringLiteral("entries")].toArray();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].toArray()[2].toArray()[0].toInt(), QDate::currentDate().year());  // dated now
}

} // namespace
