// Replacing a file in one step: the new file's permissions under several
// umasks and over old files of several modes, links at the target, files
// that are refused, writes refused part way, saves killed part way and what
// they leave, and what a PDF looks like when pieces of it never reached the
// disk.

#include "platform/AtomicFile.h"
#include "platform/PdfFileCheck.h"

#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UmaskScope
{
public:
    explicit UmaskScope(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_old); }

private:
    mode_t m_old;
};

TEST(AtomicFile, NewFileTakesTheUsualModeOrTheOwnersAlone)
{
    const struct {
        mode_t umask;
        AtomicFile::Access access;
        mode_t expected;
    } cases[] = {
        {022, AtomicFile::Access::Usual, 0644},
        {077, AtomicFile::Access::Usual, 0600},
        {022, AtomicFile::Access::OwnerOnly, 0600},
        {000, AtomicFile::Access::OwnerOnly, 0600},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.plist");
    for (const auto& c : cases) {
        // a new file each time: an old one passes its own mode on
        QFile::remove(path);
        const UmaskScope scope(c.umask);
        ASSERT_TRUE(AtomicFile::save(path, "new", nullptr, c.access));
        EXPECT_EQ(modeOf(path), c.expected) << std::oct << c.umask;
    }
    EXPECT_EQ(contents(path), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"settings.plist"});
}

// A disk that takes `limit` bytes of the new file, written in small pieces:
// short of all of them, the write fails, the old file stays and no new file
// is left beside it.
TEST(AtomicFile, WriteRefusedPartWayKeepsTheOldFile)
{
    const QByteArray text = QByteArray("line of the new file\n").repeated(500);
    QTemporaryDir dir;
    const QString path = dir.filePath("guests.txt");
    for (const qint64 limit : {qint64(0), text.size() / 2, text.size() - 1, text.size()}) {
        ASSERT_TRUE(AtomicFile::save(path, "old"));
        AtomicFile::setWriteLimitForTesting(limit);
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        for (qsizetype at = 0; at < text.size(); at += 21)
            file.write(text.mid(at, 21));
        const bool written = file.commit();
        AtomicFile::setWriteLimitForTesting(-1);
        EXPECT_EQ(written, limit == text.size()) << limit;
        EXPECT_EQ(contents(path), written ? text : QByteArray("old")) << limit;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"guests.txt"}) << limit;
    }
}

QByteArray pdfOfPages(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            writer.newPage();
        painter.fillRect(QRect(100, 100, 2000, 1000), QColor::fromHsv(page * 40, 200, 200));
        painter.drawText(QPoint(200, 300), QStringLiteral("Page %1").arg(page + 1));
    }
    painter.end();
    return bytes;
}

// A PDF as Qt writes it is whole; with a piece of it lost anywhere (as when
// the disk refused a write and the writer went on) or its end cut off it is
// not.
TEST(PdfFileCheck, FindsLostPiecesAndCutEnds)
{
    const QByteArray pdf = pdfOfPages(3);
    ASSERT_TRUE(PdfFileCheck::isWhole(QByteArrayView(pdf)));
    const qsizetype table = pdf.lastIndexOf("\nxref\n") + 1;
    ASSERT_GT(table, 0);
    const struct {
        const char* name;
        QByteArray bytes;
    } broken[] = {
        {"empty", QByteArray()},
        {"not a PDF", QByteArray("hello\n%%EOF\n")},
        {"cut at the end", pdf.left(pdf.size() - 7)},
        {"cut in half", pdf.left(pdf.size() / 2)},
        {"a piece of the body lost", pdf.left(pdf.size() / 3) + pdf.mid(pdf.size() / 3 + 4096)},
        {"a few bytes lost", pdf.left(table / 2) + pdf.mid(table / 2 + 3)},
        {"a piece twice", pdf.left(table / 2) + pdf.mid(table / 2 - 100)},
        {"a piece of the table lost", pdf.left(table + 30) + pdf.mid(table + 50)},
    };
    for (const auto& c : broken)
        EXPECT_FALSE(PdfFileCheck::isWhole(QByteArrayView(c.bytes))) << c.name;

    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    ASSERT_TRUE(AtomicFile::save(path, pdf));
    EXPECT_TRUE(PdfFileCheck::isWhole(path));
    EXPECT_FALSE(PdfFileCheck::isWhole(dir.filePath("missing.pdf")));
}

// Every name in `folder`, hidden ones and links too, sorted.
QStringList entries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QString linkText(const QString& link)
{
    char text[4096];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), text, sizeof text);
    return n < 0 ? QString() : QFile::decodeName(QByteArray(text, n));
}

// An old file passes its permission bits on, whatever the umask; never
// wider than before: no set-id bits, and a secret file keeps only the
// owner's.
TEST(AtomicFile, ReplacedFileKeepsItsPermissions)
{
    const struct
    {
        mode_t old;
        AtomicFile::Access access;
        mode_t expected;
    } cases[] = {
        {0600, AtomicFile::Access::Usual, 0600},     {0640, AtomicFile::Access::Usual, 0640},
        {0664, AtomicFile::Access::Usual, 0664},     {0777, AtomicFile::Access::Usual, 0777},
        {0200, AtomicFile::Access::Usual, 0200},     {06755, AtomicFile::Access::Usual, 0755},
        {0644, AtomicFile::Access::OwnerOnly, 0600}, {0700, AtomicFile::Access::OwnerOnly, 0700},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("party.fcard");
    for (const mode_t mask : {mode_t(022), mode_t(077)}) {
        const UmaskScope scope(mask);
        for (const auto& c : cases) {
            QFile::remove(path);
            ASSERT_TRUE(AtomicFile::save(path, "old"));
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.old), 0);
            QString error;
            EXPECT_TRUE(AtomicFile::save(path, "new", &error, c.access)) << error.toStdString();
            EXPECT_EQ(modeOf(path), c.expected) << std::oct << c.old << " umask " << mask;
            EXPECT_EQ(entries(dir.path()), QStringList {"party.fcard"});
        }
    }
}

// The old file's group stays where the process may give it: the superuser
// any group, others a group they belong to.
TEST(AtomicFile, ReplacedFileKeepsItsGroup)
{
    gid_t group = ::getegid();
    if (::geteuid() == 0) {
        group = 4242;
    } else {
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        for (int i = 0; i < count; ++i) {
            if (groups[i] != ::getegid())
                group = groups[i];
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("guests.txt");
    ASSERT_TRUE(AtomicFile::save(path, "old"));
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), uid_t(-1), group), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(AtomicFile::save(path, "new"));
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(st.st_mode & 07777, mode_t(0640));
    EXPECT_EQ(st.st_uid, ::geteuid());
}

// A link at the target, or a chain of them, absolute or relative to the
// link's folder: the file at its end is replaced in its own folder and
// keeps its mode; the links stay as they were.
TEST(AtomicFile, ALinkIsFollowedToTheFileItNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("work") && QDir(dir.path()).mkpath("synced"));
    const QString work = dir.filePath("work");
    const QString synced = dir.filePath("synced");
    const struct
    {
        const char* name;
        QList<std::pair<QString, QString>> links; // link, what it holds
    } cases[] = {
        {"absolute", {{work + "/party.fcard", synced + "/party.fcard"}}},
        {"relative", {{work + "/party.fcard", "../synced/party.fcard"}}},
        {"chain",
         {{work + "/party.fcard", "party-link.fcard"},
          {work + "/party-link.fcard", synced + "/again.fcard"},
          {synced + "/again.fcard", "./party.fcard"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(work).removeRecursively();
        QDir(synced).removeRecursively();
        ASSERT_TRUE(QDir(dir.path()).mkpath("work") && QDir(dir.path()).mkpath("synced"));
        const QString target = synced + "/party.fcard";
        ASSERT_TRUE(AtomicFile::save(target, "old"));
        ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0600), 0);
        for (const auto& [link, to] : c.links)
            ASSERT_EQ(::symlink(QFile::encodeName(to).constData(), QFile::encodeName(link).constData()), 0);
        const QStringList before = entries(work) + entries(synced);

        AtomicFile file(work + "/party.fcard");
        ASSERT_TRUE(file.open()) << file.errorString().toStdString();
        EXPECT_EQ(QFileInfo(file.finalPath()).canonicalFilePath(), QFileInfo(target).canonicalFilePath());
        ASSERT_EQ(file.write("new"), 3);
        ASSERT_TRUE(file.commit()) << file.errorString().toStdString();

        EXPECT_EQ(contents(target), QByteArray("new"));
        EXPECT_EQ(modeOf(target), mode_t(0600));
        for (const auto& [link, to] : c.links)
            EXPECT_EQ(linkText(link), to);
        EXPECT_EQ(entries(work) + entries(synced), before);
    }
}

// What may not be replaced is refused with the reason, before anything is
// written: a read-only file (for the superuser too: no write bit at all), a
// folder, a link that leads nowhere, to a folder, to a pipe, or round in a
// circle. Everything stays as it was.
TEST(AtomicFile, RefusedTargetsStayAsTheyWere)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("party.fcard");
    const QByteArray name = QFile::encodeName(target);
    const struct
    {
        const char* name;
        std::function<void()> make;
        QByteArray reason;
    } cases[] = {
        {"read-only file",
         [&] {
             ASSERT_TRUE(AtomicFile::save(target, "old"));
             ASSERT_EQ(::chmod(name.constData(), 0444), 0);
         },
         "party.fcard is read-only."},
        {"file without permissions",
         [&] {
             ASSERT_TRUE(AtomicFile::save(target, "old"));
             ASSERT_EQ(::chmod(name.constData(), 0), 0);
         },
         "party.fcard is read-only."},
        {"folder", [&] { ASSERT_TRUE(QDir().mkdir(target)); }, "party.fcard is a folder."},
        {"dangling link", [&] { ASSERT_EQ(::symlink("gone/party.fcard", name.constData()), 0); },
         "leads to " + QFile::encodeName(dir.path()) + "/gone/party.fcard, which does not exist."},
        {"link to a folder", [&] { ASSERT_EQ(::symlink(".", name.constData()), 0); }, "/., which is a folder."},
        {"link through a parent folder to a read-only file",
         [&] {
             ASSERT_TRUE(QDir(dir.path()).mkdir("synced"));
             ASSERT_TRUE(AtomicFile::save(dir.filePath("synced/real.fcard"), "old"));
             ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("synced/real.fcard")).constData(), 0444), 0);
             ASSERT_TRUE(QDir(dir.path()).mkdir("designs"));
             ASSERT_EQ(::symlink("../synced/real.fcard", QFile::encodeName(dir.filePath("designs/link")).constData()),
                       0);
             ASSERT_EQ(::symlink("designs/link", name.constData()), 0);
         },
         "The link " + name + " leads to " + QFile::encodeName(QFileInfo(dir.path()).canonicalFilePath())
             + "/synced/real.fcard, which is read-only."},
        {"link to a pipe",
         [&] {
             ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
             ASSERT_EQ(::symlink("pipe", name.constData()), 0);
         },
         "/pipe, which is not a plain file."},
        {"circle of links",
         [&] {
             ASSERT_EQ(::symlink("other", name.constData()), 0);
             ASSERT_EQ(::symlink("party.fcard", QFile::encodeName(dir.filePath("other")).constData()), 0);
         },
         "leads through too many links."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        const QStringList before = entries(dir.path());
        QString error;
        EXPECT_FALSE(AtomicFile::save(target, "new", &error));
        EXPECT_TRUE(error.contains(QFile::decodeName(c.reason))) << error.toStdString();
        EXPECT_EQ(entries(dir.path()), before);
        if (QFileInfo(target).isFile() && !QFileInfo(target).isSymLink()) {
            ::chmod(name.constData(), 0600);
            EXPECT_EQ(contents(target), QByteArray("old"));
        }
        for (const QString& entry : entries(dir.path())) {
            ::chmod(QFile::encodeName(dir.filePath(entry)).constData(), 0700);
            if (!QFile::remove(dir.filePath(entry)))
                QDir(dir.filePath(entry)).removeRecursively();
        }
    }
}

// A writer that takes a file name writes through temporaryName(), with or
// without an unnamed file: opening it for writing (and truncating) reaches
// the new file, and commit() puts it in place.
TEST(AtomicFile, AWriterByNameReachesTheNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.pdf");
    for (const bool unnamed : {true, false}) {
        AtomicFile::setUnnamedFilesForTesting(unnamed);
        ASSERT_TRUE(AtomicFile::save(path, "old"));
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        QFile byName(file.temporaryName());
        ASSERT_TRUE(byName.open(QIODevice::WriteOnly | QIODevice::Truncate)) << byName.errorString().toStdString();
        ASSERT_EQ(byName.write("written by name"), 15);
        byName.close();
        EXPECT_EQ(contents(file.temporaryName()), QByteArray("written by name"));
        EXPECT_EQ(entries(dir.path()).size(), unnamed ? 1 : 2) << unnamed;
        ASSERT_TRUE(file.commit());
        EXPECT_EQ(contents(path), QByteArray("written by name"));
        EXPECT_EQ(entries(dir.path()), QStringList {"sheet.pdf"});
    }
    AtomicFile::setUnnamedFilesForTesting(true);
}

// Hidden files beside the target: those of this target's pattern that no
// save holds are removed by the next save; one a save in progress holds,
// those of other names or patterns, a link and a folder of the pattern stay.
TEST(AtomicFile, TheNextSaveRemovesUnheldLeftoversOfItsTarget)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("party.fcard");
    ASSERT_TRUE(AtomicFile::save(target, "old"));
    const QStringList removed = {".party.fcard.AbCd1234", ".party.fcard.00000000"};
    const QStringList kept = {".party.fcard.abc",      ".party.fcard.AbCd12345", ".party.fcard.AbCd-234",
                              ".other.fcard.AbCd1234", "party.fcard.AbCd1234",   ".party.fcard.LinkLink",
                              ".party.fcard.Folder00"};
    for (const QString& name : removed + kept.mid(0, 5))
        ASSERT_TRUE(AtomicFile::save(dir.filePath("x"), "leftover")
                    && QFile::rename(dir.filePath("x"), dir.filePath(name)));
    ASSERT_TRUE(QFile::link(target, dir.filePath(".party.fcard.LinkLink")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(".party.fcard.Folder00"));

    // a save in progress, with a hidden name of its own
    AtomicFile::setUnnamedFilesForTesting(false);
    AtomicFile held(target);
    ASSERT_TRUE(held.open());
    ASSERT_EQ(held.write("held"), 4);
    const QString heldName = QFileInfo(held.temporaryName()).fileName();
    ASSERT_TRUE(heldName.startsWith(".party.fcard."));

    AtomicFile::setUnnamedFilesForTesting(true);
    ASSERT_TRUE(AtomicFile::save(target, "next"));
    QStringList expected = kept + QStringList {heldName, "party.fcard"};
    expected.sort();
    EXPECT_EQ(entries(dir.path()), expected);
    EXPECT_EQ(contents(target), QByteArray("next"));
    EXPECT_EQ(contents(dir.filePath(".party.fcard.LinkLink")), QByteArray("next"));

    // the held save goes on undisturbed
    ASSERT_TRUE(held.commit());
    EXPECT_EQ(contents(target), QByteArray("held"));
    expected.removeAll(heldName);
    EXPECT_EQ(entries(dir.path()), expected);
}

// The crash test's child: saves into the target given in its environment
// and stops at the stage named there, telling the parent on its output, to
// be killed.
const char* const crashTarget = "ATOMIC_FILE_CRASH_TARGET";
const char* const crashStage = "ATOMIC_FILE_CRASH_STAGE";
const char* const crashUnnamed = "ATOMIC_FILE_CRASH_UNNAMED";
const qint64 crashBytes = qint64(4) << 20;

void stopHere(AtomicFile::Stage stage, qint64 written)
{
    const bool named = qgetenv(crashStage) == "named";
    if (named ? stage != AtomicFile::Stage::Named : written < crashBytes / 4)
        return;
    const char said[] = "stopped\n";
    if (::write(STDOUT_FILENO, said, sizeof said - 1) < 0)
        ::_exit(3);
    for (;;)
        ::pause();
}

void runCrashChild()
{
    AtomicFile::setUnnamedFilesForTesting(qgetenv(crashUnnamed) == "1");
    AtomicFile::setStageHookForTesting(stopHere);
    AtomicFile file(QString::fromLocal8Bit(qgetenv(crashTarget)));
    if (!file.open())
        ::_exit(2);
    const QByteArray block(64 * 1024, 'n');
    for (qint64 at = 0; at < crashBytes; at += block.size())
        file.write(block);
    file.commit();
    ::_exit(4); // never reached: killed on the way
}

// A save killed (SIGKILL) while it writes, or once its file is named just
// before the rename, with and without unnamed files: the target is the old
// file, whole; an unnamed file leaves nothing at all, a named one is gone
// after the next save, which writes the new file whole.
TEST(AtomicFile, ACrashedSaveLeavesNothingAfterTheNextSave)
{
    if (qEnvironmentVariableIsSet(crashTarget)) {
        runCrashChild();
        return;
    }
    const struct
    {
        bool unnamed;
        const char* stage;
        int leftBehind;
    } cases[] = {
        {true, "writing", 0},
        {true, "named", 1},
        {false, "writing", 1},
        {false, "named", 1},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("tmp") && QDir(dir.path()).mkpath("designs"));
    const QString folder = dir.filePath("designs");
    const QString target = folder + "/party.fcard";
    const QByteArray old = QByteArray("old design\n").repeated(10000);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.unnamed ? "unnamed, " : "named, ") + c.stage);
        ASSERT_TRUE(AtomicFile::save(target, old));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(crashTarget, target);
        environment.insert(crashStage, c.stage);
        environment.insert(crashUnnamed, c.unnamed ? "1" : "0");
        environment.insert("TMPDIR", dir.filePath("tmp")); // the child's own temporary files
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QFile::symLinkTarget("/proc/self/exe"),
                    {"--gtest_filter=AtomicFile.ACrashedSaveLeavesNothingAfterTheNextSave"});
        ASSERT_TRUE(child.waitForStarted(10000));
        QByteArray said;
        QDeadlineTimer deadline(60000);
        while (!said.contains("stopped") && child.state() == QProcess::Running && !deadline.hasExpired()) {
            child.waitForReadyRead(1000);
            said += child.readAllStandardOutput();
        }
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        ASSERT_TRUE(said.contains("stopped")) << said.toStdString();
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

        EXPECT_EQ(contents(target), old);
        EXPECT_EQ(entries(folder).size(), 1 + c.leftBehind) << entries(folder).join(' ').toStdString();

        AtomicFile::setUnnamedFilesForTesting(c.unnamed);
        EXPECT_TRUE(AtomicFile::save(target, "new design\n"));
        AtomicFile::setUnnamedFilesForTesting(true);
        EXPECT_EQ(contents(target), QByteArray("new design\n"));
        EXPECT_EQ(entries(folder), QStringList {"party.fcard"});
    }
}

} // namespace
