// Replacing a file in one step: the new file's permissions under several
// umasks and over old files of several modes, links at the target, files
// that are refused, writes refused part way, saves killed part way and what
// they leave, and what a PDF looks like when pieces of it never reached the
// disk.

#include "common/TestChildren.h"
#include "platform/AtomicFile.h"
#include "platform/PdfFileCheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <grp.h>
#include <initializer_list>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

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

// An access list (POSIX ACL) in the form the system stores it: version 2,
// then each entry's tag, permissions and id, little-endian, in the order
// the system requires (by tag, then by id).
struct AccessEntry
{
    quint16 tag;
    quint16 permissions;
    quint32 id;
};
constexpr quint16 ownerTag = 0x01, userTag = 0x02, owningGroupTag = 0x04, groupTag = 0x08, maskTag = 0x10,
                  othersTag = 0x20;
constexpr quint32 noId = 0xFFFFFFFF;
const char* const accessKey = "system.posix_acl_access";
const char* const defaultKey = "system.posix_acl_default";

QByteArray accessList(std::initializer_list<AccessEntry> list)
{
    QByteArray bytes;
    const auto add = [&](quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += char((value >> (8 * i)) & 0xFF);
    };
    add(2, 4);
    for (const AccessEntry& entry : list) {
        add(entry.tag, 2);
        add(entry.permissions, 2);
        add(entry.id, 4);
    }
    return bytes;
}

// The list kept under `key`, empty when there is none.
QByteArray accessListOf(const QString& path, const char* key = accessKey)
{
    QByteArray bytes(4096, '\0');
    const ssize_t n = ::getxattr(QFile::encodeName(path).constData(), key, bytes.data(), size_t(bytes.size()));
    return n < 0 ? QByteArray() : bytes.left(n);
}

bool setAccessList(const QString& path, const QByteArray& list, const char* key = accessKey)
{
    return ::setxattr(QFile::encodeName(path).constData(), key, list.constData(), size_t(list.size()), 0) == 0;
}

// A replaced file keeps its access list byte for byte, and the mode that
// goes with it: the owning group keeps no access where it had none (the
// list's mask shows in the group bits). A secret file keeps neither the
// list nor the group bits. An old file without a list gives the new one
// none, even in a folder whose default list new files take on.
TEST(AtomicFile, ReplacedFileKeepsItsAccessList)
{
    // what `setfacl -m g::---,u:daemon:r--,m::r--` makes of a file of mode 0640
    const QByteArray userReads = accessList(
        {{ownerTag, 6, noId}, {userTag, 4, 1}, {owningGroupTag, 0, noId}, {maskTag, 4, noId}, {othersTag, 0, noId}});
    const QByteArray groups = accessList({{ownerTag, 7, noId},
                                          {userTag, 6, 2},
                                          {owningGroupTag, 4, noId},
                                          {groupTag, 6, 4242},
                                          {groupTag, 0, 4243},
                                          {maskTag, 6, noId},
                                          {othersTag, 4, noId}});
    const QByteArray groupReads = accessList({{ownerTag, 6, noId},
                                              {owningGroupTag, 0, noId},
                                              {groupTag, 4, 4242},
                                              {maskTag, 4, noId},
                                              {othersTag, 0, noId}});
    const QByteArray folderDefault = accessList(
        {{ownerTag, 7, noId}, {userTag, 7, 1}, {owningGroupTag, 5, noId}, {maskTag, 7, noId}, {othersTag, 5, noId}});

    QTemporaryDir dir;
    const QString probe = dir.filePath("probe");
    ASSERT_TRUE(AtomicFile::save(probe, "probe"));
    if (!setAccessList(probe, userReads)) {
        const int error = errno;
        ASSERT_TRUE(error == ENOTSUP) << std::strerror(error);
        GTEST_SKIP() << "The file system of " << dir.path().toStdString()
                     << " keeps no access lists (POSIX ACLs): whether a replaced file keeps its list is not tested.";
    }

    const struct
    {
        const char* name;
        QByteArray list;          // the old file's, empty for none
        QByteArray folderDefault; // the folder's default list, empty for none
        mode_t oldMode;           // with the list set
        AtomicFile::Access access;
        bool keepsList;
        mode_t newMode;
    } cases[] = {
        {"a user may read, the owning group nothing", userReads, {}, 0640, AtomicFile::Access::Usual, true, 0640},
        {"groups of their own", groups, {}, 0764, AtomicFile::Access::Usual, true, 0764},
        {"a list in a folder with a default list", groupReads, folderDefault, 0640, AtomicFile::Access::Usual, true,
         0640},
        {"no list in a folder with a default list", {}, folderDefault, 0644, AtomicFile::Access::Usual, false, 0644},
        {"a secret file", userReads, {}, 0640, AtomicFile::Access::OwnerOnly, false, 0600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = dir.filePath("designs");
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir(dir.path()).mkdir("designs"));
        if (!c.folderDefault.isEmpty()) {
            ASSERT_TRUE(setAccessList(folder, c.folderDefault, defaultKey)) << std::strerror(errno);
        }
        const QString path = folder + "/party.fcard";
        ASSERT_TRUE(AtomicFile::save(path, "old"));
        if (c.list.isEmpty()) {
            ::removexattr(QFile::encodeName(path).constData(), accessKey);
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.oldMode), 0);
        } else {
            ASSERT_TRUE(setAccessList(path, c.list)) << std::strerror(errno);
        }
        ASSERT_EQ(accessListOf(path), c.list);
        ASSERT_EQ(modeOf(path), c.oldMode);

        QString error;
        ASSERT_TRUE(AtomicFile::save(path, "new", &error, c.access)) << error.toStdString();
        EXPECT_EQ(contents(path), QByteArray("new"));
        const QByteArray kept = c.keepsList ? c.list : QByteArray();
        EXPECT_EQ(accessListOf(path).toHex().toStdString(), kept.toHex().toStdString());
        EXPECT_EQ(modeOf(path), c.newMode) << std::oct << modeOf(path);
        EXPECT_EQ(entries(folder), QStringList {"party.fcard"});
    }
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
// The caller's last look before the rename, with and without unnamed files:
// it is taken once, with the target still as it was; a No leaves the target
// so and nothing beside it, a Yes replaces it.
TEST(AtomicFile, ALastLookBeforeTheRenameMayKeepTheTarget)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("design.fcard");
    for (const bool unnamed : {true, false}) {
        AtomicFile::setUnnamedFilesForTesting(unnamed);
        for (const bool replace : {false, true}) {
            SCOPED_TRACE(testing::Message() << "unnamed " << unnamed << ", replace " << replace);
            ASSERT_TRUE(AtomicFile::save(path, "theirs"));
            AtomicFile file(path);
            ASSERT_TRUE(file.open());
            ASSERT_EQ(file.write("ours"), 4);
            int looks = 0;
            const bool committed = file.commit([&] {
                ++looks;
                EXPECT_EQ(contents(path), QByteArray("theirs"));
                return replace;
            });
            EXPECT_EQ(committed, replace);
            EXPECT_EQ(file.declined(), !replace);
            EXPECT_EQ(looks, 1);
            EXPECT_EQ(contents(path), replace ? QByteArray("ours") : QByteArray("theirs"));
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"design.fcard"});
        }
    }
    AtomicFile::setUnnamedFilesForTesting(true);
}

// A link pointed at a file in another folder while the new file is written
// has that file replaced, keeping its permissions, after the last look at it;
// the first file keeps its bytes, and neither folder keeps anything of the save.
TEST(AtomicFile, ALinkPointedElsewhereMeanwhileHasWhatItLeadsToNowReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("first") && QDir(dir.path()).mkpath("then"));
    const QString path = dir.filePath("party.fcard"), first = dir.filePath("first/real.fcard");
    const QString then = dir.filePath("then/real.fcard");
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed);
        AtomicFile::setUnnamedFilesForTesting(unnamed);
        QFile::remove(path);
        ASSERT_TRUE(AtomicFile::save(first, "first") && AtomicFile::save(then, "then") && QFile::link(first, path));
        ASSERT_EQ(::chmod(QFile::encodeName(then).constData(), 0640), 0);
        AtomicFile file(path);
        ASSERT_TRUE(file.open() && file.write("new") == 3);
        ASSERT_TRUE(QFile::remove(path) && QFile::link(then, path));
        QByteArray looked;
        ASSERT_TRUE(file.commit([&] {
            looked = contents(path);
            return true;
        })) << file.errorString().toStdString();
        EXPECT_EQ(looked, QByteArray("then"));
        EXPECT_EQ(contents(then), QByteArray("new"));
        EXPECT_EQ(modeOf(then), mode_t(0640));
        EXPECT_EQ(contents(first), QByteArray("first"));
        EXPECT_EQ(entries(dir.filePath("first")) + entries(dir.filePath("then")),
                  (QStringList {"real.fcard", "real.fcard"}));
    }
    AtomicFile::setUnnamedFilesForTesting(true);
}

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

// The hidden names of `count` saves of `target` that were left behind as
// by a crash: real names the writer gave, on files nobody holds. (Made at
// once, as each save's own clean-up would take those made before it.)
QStringList leftoversOf(const QString& target, int count = 1)
{
    AtomicFile::setUnnamedFilesForTesting(false);
    std::vector<std::unique_ptr<AtomicFile>> saves;
    QStringList names;
    for (int i = 0; i < count; ++i) {
        saves.push_back(std::make_unique<AtomicFile>(target));
        if (saves.back()->open())
            names << saves.back()->temporaryName();
    }
    AtomicFile::setUnnamedFilesForTesting(true);
    for (const QString& name : names)
        QFile::rename(name, name + QStringLiteral(".aside"));
    saves.clear();
    for (const QString& name : names)
        QFile::rename(name + QStringLiteral(".aside"), name);
    return names.size() == count ? names : QStringList();
}

QString leftoverOf(const QString& target)
{
    const QStringList names = leftoversOf(target);
    return names.isEmpty() ? QString() : names[0];
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

// Hidden files beside the target: leftovers of this target's saves that no
// save holds are removed by the next save. What stays: one a save in
// progress holds; the user's files whatever their names look like (the
// pattern of hidden names that earlier versions used, a name of the present
// pattern with a mark that is not right, or right for another target); a
// link and a folder of a leftover's very name; leftovers of other targets,
// among them a target whose long name begins as this one's does.
TEST(AtomicFile, TheNextSaveRemovesOnlyItsOwnUnheldLeftovers)
{
    QTemporaryDir dir;
    // long names whose first 200 bytes are alike, one cut between characters (2-byte "é")
    const QString longName = QString(210, QLatin1Char('x'));
    const QString longAccented = QLatin1Char('x') + QString(105, QChar(0xE9));
    const struct
    {
        QString name;
        QString twin;
    } targets[] = {
        {QStringLiteral("party.fcard"), QStringLiteral("other.fcard")},
        {longName + "A", longName + "B"},
        {longAccented + "A", longAccented + "B"},
    };
    for (const auto& [name, twinName] : targets) {
        SCOPED_TRACE(name.left(20).toStdString());
        QDir(dir.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir.path()));
        const QString target = dir.filePath(name);
        const QString twin = dir.filePath(twinName);
        ASSERT_TRUE(AtomicFile::save(target, "old"));
        ASSERT_TRUE(AtomicFile::save(twin, "twin"));

        // a save in progress, with a hidden name of its own
        AtomicFile::setUnnamedFilesForTesting(false);
        AtomicFile held(target);
        ASSERT_TRUE(held.open());
        AtomicFile::setUnnamedFilesForTesting(true);
        ASSERT_EQ(held.write("held"), 4);
        const QString heldName = QFileInfo(held.temporaryName()).fileName();

        QStringList made = leftoversOf(target, 4);
        ASSERT_EQ(made.size(), 4);
        for (QString& path : made)
            path = QFileInfo(path).fileName();
        const QStringList removed = made.mid(0, 2);
        const QString real = removed[0];
        // "." name ".saving-" 8 letters "-" 16 hex digits
        const qsizetype ending = real.size() - 25;
        const QString start = real.left(ending);
        ASSERT_TRUE(start.endsWith(".saving-")) << real.toStdString();
        EXPECT_FALSE(real.contains(QChar::ReplacementCharacter)) << "a name cut inside a character";
        EXPECT_LE(QFile::encodeName(real).size(), 255);
        ASSERT_TRUE(heldName.startsWith(start));
        const QString otherCase = real.left(ending + 9) + real.mid(ending + 9).toUpper();
        QString wrongMark = real;
        wrongMark[wrongMark.size() - 1] = wrongMark.endsWith('0') ? QLatin1Char('1') : QLatin1Char('0');
        QString otherEnding = real;
        otherEnding[ending] = otherEnding[ending] == QLatin1Char('a') ? QLatin1Char('b') : QLatin1Char('a');
        const QString former = QLatin1Char('.') + name.left(200) + QLatin1Char('.');
        const QStringList typed = {
            former + "ABCDEFGH",
            former + "MyNotes1",
            former + "00000000",
            start + "AbCd1234-0000000000000000",
            start + "AbCd1234-",
            real + "x",
            real.left(real.size() - 1),
            wrongMark,
            otherEnding,
            otherCase == real ? real + ".copy" : otherCase,
            QLatin1Char('.') + name + QStringLiteral(".saving-AbCd1234-0123456789abcdef"),
        };
        for (const QString& user : typed)
            writeFile(dir.filePath(user), "the user's own");
        QStringList others = leftoversOf(twin, 2);
        ASSERT_EQ(others.size(), 2);
        for (QString& path : others)
            path = QFileInfo(path).fileName();
        // a link and a folder under names only the writer gives
        const QString linkName = made[2];
        const QString folderName = made[3];
        ASSERT_TRUE(QFile::remove(dir.filePath(linkName)) && QFile::remove(dir.filePath(folderName)));
        ASSERT_TRUE(QFile::link(target, dir.filePath(linkName)));
        ASSERT_TRUE(QDir(dir.path()).mkdir(folderName));

        QStringList before = entries(dir.path());
        ASSERT_TRUE(AtomicFile::save(target, "next"));
        QStringList expected = before;
        for (const QString& gone : removed)
            expected.removeAll(gone);
        EXPECT_EQ(entries(dir.path()), expected);
        EXPECT_EQ(expected.size(), 2 + typed.size() + others.size() + 3);
        EXPECT_EQ(contents(target), QByteArray("next"));
        EXPECT_EQ(contents(dir.filePath(linkName)), QByteArray("next"));
        for (const QString& user : typed)
            EXPECT_EQ(contents(dir.filePath(user)), QByteArray("the user's own")) << user.toStdString();

        // the held save goes on undisturbed; the twin's next save takes its own leftovers
        ASSERT_TRUE(held.commit());
        EXPECT_EQ(contents(target), QByteArray("held"));
        ASSERT_TRUE(AtomicFile::save(twin, "twin again"));
        for (const QString& gone : QStringList {heldName} + others)
            expected.removeAll(gone);
        EXPECT_EQ(entries(dir.path()), expected);
    }
}

// In a folder of thousands of files the search for leftovers is left out
// of some saves, but a crashed save's leftover is gone after a few saves of
// its target, the same few however busy the machine is, also where five
// targets with a leftover each are saved in turn.
TEST(AtomicFile, ALargeFolderIsSearchedEveryFewSaves)
{
    QTemporaryDir dir;
    QStringList targets;
    for (int i = 0; i < 5; ++i)
        targets << dir.filePath(QStringLiteral("Card_%1.png").arg(i + 1));
    const QString target = targets[0];
    for (int i = 0; i < 2000; ++i)
        writeFile(dir.filePath(QStringLiteral("Card_%1.png").arg(i + 6)), "card");
    for (int run = 0; run < 3; ++run) {
        QStringList leftovers;
        for (const QString& each : targets)
            leftovers << leftoverOf(each);
        ASSERT_FALSE(leftovers.contains(QString()));
        const auto left = [&] {
            QStringList names;
            for (const QString& leftover : leftovers)
                if (QFileInfo::exists(leftover))
                    names << QFileInfo(leftover).fileName();
            return names;
        };
        int saves = 0; // of each target, in turn
        while (!left().isEmpty() && saves < 10) {
            for (const QString& each : targets)
                ASSERT_TRUE(AtomicFile::save(each, "again"));
            ++saves;
        }
        EXPECT_TRUE(left().isEmpty()) << left().join(' ').toStdString();
        EXPECT_LE(saves, 4) << "run " << run;
    }
    // a small folder again: searched at every save from the next search on
    for (int i = 0; i < 2000; ++i)
        ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Card_%1.png").arg(i + 6))));
    for (int save = 0; save < 5; ++save)
        ASSERT_TRUE(AtomicFile::save(target, "small"));
    const QString leftover = leftoverOf(target);
    ASSERT_TRUE(AtomicFile::save(target, "small"));
    EXPECT_FALSE(QFileInfo::exists(leftover));
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
        // no time limits: a loaded machine (or a sanitizer) only makes the child slower
        ASSERT_TRUE(child.waitForStarted(-1));
        QByteArray said;
        while (!said.contains("stopped") && child.state() == QProcess::Running) {
            child.waitForReadyRead(1000);
            said += child.readAllStandardOutput();
        }
        child.kill();
        ASSERT_TRUE(child.waitForFinished(-1));
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

// Where flock behaves as on NFS (a file is locked exclusively only when it
// is open for writing), the next save still removes a crashed save's
// leftovers and only those: their tests run once more in a copy of this
// program made so.
TEST(AtomicFile, LeftoversGoAlsoWhereFlockIsAsOnNfs)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_PRELOAD", QStringLiteral(READONLY_FLOCK_SHIM));
    // the address sanitizer's runtime then is not the first library
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QFile::symLinkTarget("/proc/self/exe"),
                {"--gtest_filter=AtomicFile.TheNextSaveRemovesOnlyItsOwnUnheldLeftovers:"
                 "AtomicFile.ACrashedSaveLeavesNothingAfterTheNextSave"});
    ASSERT_TRUE(child.waitForFinished(-1));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
}

// A child's words on its output, which the test program's own lines
// precede: behind a mark that the parent looks for.
const QByteArray childMark = "\n@child@\n";

QByteArray wordsOf(const QByteArray& output)
{
    const qsizetype mark = output.lastIndexOf(childMark);
    return mark < 0 ? QByteArray() : output.mid(mark + childMark.size());
}

// A child of this test program, started with `environment` added and run
// to its end (no time limit: a loaded machine only makes it slower); what
// it said on its output.
QByteArray runChild(const char* test, const QProcessEnvironment& environment)
{
    QProcess child;
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    all.insert(environment);
    child.setProcessEnvironment(all);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QFile::symLinkTarget("/proc/self/exe"), {QStringLiteral("--gtest_filter=AtomicFile.") + test});
    if (!child.waitForStarted(-1))
        return QByteArray();
    child.waitForFinished(-1);
    return wordsOf(child.readAllStandardOutput());
}

void say(QByteArray text)
{
    text.prepend(childMark);
    for (qsizetype at = 0; at < text.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, text.constData() + at, size_t(text.size() - at));
        if (n <= 0)
            ::_exit(3);
        at += n;
    }
}

// The race test's children: each saves the target given in its
// environment so many times, with no unnamed files, and says how many of its
// saves failed and why.
const char* const raceTarget = "ATOMIC_FILE_RACE_TARGET";
const char* const raceSaves = "ATOMIC_FILE_RACE_SAVES";
const char* const raceProcess = "ATOMIC_FILE_RACE_PROCESS";
constexpr int raceLines = 64;

QByteArray raceBytes(int process, int save)
{
    return QStringLiteral("process %1, save %2\n").arg(process).arg(save).toUtf8().repeated(raceLines);
}

// Whether `bytes` is one whole save of a race child.
bool isWholeRaceSave(const QByteArray& bytes)
{
    const qsizetype line = bytes.indexOf('\n') + 1;
    return line > 0 && bytes.startsWith("process ") && bytes == bytes.left(line).repeated(raceLines);
}

void runRaceChild()
{
    AtomicFile::setUnnamedFilesForTesting(false);
    const QString target = QString::fromLocal8Bit(qgetenv(raceTarget));
    const int saves = qEnvironmentVariableIntValue(raceSaves);
    const int process = qEnvironmentVariableIntValue(raceProcess);
    int failures = 0;
    QByteArray why;
    for (int save = 0; save < saves; ++save) {
        QString error;
        if (!AtomicFile::save(target, raceBytes(process, save), &error) && ++failures <= 5)
            why += "save " + QByteArray::number(save) + ": " + error.toUtf8() + '\n';
    }
    say("failures " + QByteArray::number(failures) + '\n' + why);
    ::_exit(0);
}

// Three processes save one target at once, over and over, on a file system
// without unnamed files: every new file has a hidden name from the start,
// and each save's clean-up looks at the others' files. No save removes
// another's file while it lives, so every save succeeds, the target is
// always one whole save, and nothing is left beside it. Each process saves
// 1,000 times, or as often as BRIGHTFOLD_ATOMIC_RACE_SAVES says.
TEST(AtomicFile, SavesOfOneTargetInThreeProcessesAtOnceAllSucceed)
{
    if (qEnvironmentVariableIsSet(raceTarget)) {
        runRaceChild();
        return;
    }
    const int saves = qEnvironmentVariableIsSet("BRIGHTFOLD_ATOMIC_RACE_SAVES")
        ? qEnvironmentVariableIntValue("BRIGHTFOLD_ATOMIC_RACE_SAVES")
        : 1000;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("tmp") && QDir(dir.path()).mkpath("designs"));
    const QString target = dir.filePath("designs/party.fcard");
    ASSERT_TRUE(AtomicFile::save(target, raceBytes(0, 0)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(raceTarget, target);
    environment.insert(raceSaves, QString::number(saves));
    environment.insert("TMPDIR", dir.filePath("tmp")); // the children's own temporary files
    const auto children = startTestChildren("AtomicFile.SavesOfOneTargetInThreeProcessesAtOnceAllSucceed", 3,
                                            environment, raceProcess);
    int failures = 0;
    for (const std::unique_ptr<QProcess>& child : children) {
        ASSERT_TRUE(child->waitForStarted(-1));
        // while they run, the target is always one whole save
        while (child->state() != QProcess::NotRunning && !child->waitForFinished(50)) {
            const QByteArray now = contents(target);
            EXPECT_TRUE(isWholeRaceSave(now)) << now.left(100).toStdString();
        }
        const QByteArray said = wordsOf(child->readAllStandardOutput());
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
        ASSERT_TRUE(said.startsWith("failures ")) << said.toStdString();
        const int failed = said.mid(9, said.indexOf('\n') - 9).toInt();
        EXPECT_EQ(failed, 0) << said.toStdString();
        failures += failed;
    }
    EXPECT_EQ(failures, 0) << "of " << 3 * saves << " saves";
    EXPECT_TRUE(isWholeRaceSave(contents(target)));
    EXPECT_EQ(entries(dir.filePath("designs")), QStringList {"party.fcard"});
}

// The child of the tests that save as another user than the superuser (who
// may write any folder and give a file any group): saves "new" into each
// file its environment names, one a line, and says what each save told.
const char* const otherUserSaves = "ATOMIC_FILE_OTHER_USER_SAVES";
const uid_t nobody = 65534;
const gid_t nogroup = 65534;

void runOtherUserChild()
{
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0)) {
        say("no other user\n");
        ::_exit(0);
    }
    QByteArray said;
    for (const QString& path : QString::fromLocal8Bit(qgetenv(otherUserSaves)).split(QLatin1Char('\n'))) {
        if (::access(QFile::encodeName(QFileInfo(path).path()).constData(), X_OK) != 0) {
            say("unreachable\n");
            ::_exit(0);
        }
        QString error;
        const bool saved = AtomicFile::save(path, "new", &error);
        said += QFile::encodeName(QFileInfo(path).fileName()) + ": " + (saved ? QByteArray("saved") : error.toUtf8())
            + '\n';
    }
    say(said);
    ::_exit(0);
}

// A folder another user may reach, for the saves of runOtherUserChild():
// the superuser's child is another user, who must reach the folder.
QString reachableTemporaryFolder()
{
    return ::geteuid() == 0 ? QStringLiteral("/tmp/atomic-XXXXXX") : QDir::tempPath() + "/atomic-XXXXXX";
}

// Runs runOtherUserChild() in the test `test` over `paths`; what it said,
// or nothing where no other user could reach them (the test is skipped).
QByteArray saveAsOtherUser(const char* test, const QTemporaryDir& dir, const QStringList& paths)
{
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    QDir(dir.path()).mkpath("tmp");
    ::chmod(QFile::encodeName(dir.filePath("tmp")).constData(), 01777);
    QProcessEnvironment environment;
    environment.insert(otherUserSaves, paths.join(QLatin1Char('\n')));
    environment.insert("TMPDIR", dir.filePath("tmp")); // the child's own temporary files
    const QByteArray said = runChild(test, environment);
    return said == "no other user\n" || said == "unreachable\n" ? QByteArray() : said;
}

// A save by a user who may not give the new file the old one's group: the
// list is copied with no access for the owning group (the new file's group
// is the user's own), the named users and groups keep theirs, and the
// mode's group bits still show the list's mask.
TEST(AtomicFile, AnAccessListGivesAGroupThatCannotBeKeptNothing)
{
    if (qEnvironmentVariableIsSet(otherUserSaves)) {
        runOtherUserChild();
        return;
    }
    if (::geteuid() != 0)
        GTEST_SKIP() << "Only the superuser can give another user a file of a group that user is not in.";
    const auto withOwningGroup = [](quint16 permissions) {
        return accessList({{ownerTag, 6, noId},
                           {userTag, 4, 1},
                           {owningGroupTag, permissions, noId},
                           {groupTag, 4, 4243},
                           {maskTag, 4, noId},
                           {othersTag, 0, noId}});
    };
    QTemporaryDir dir(reachableTemporaryFolder());
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("designs"));
    const QString folder = dir.filePath("designs");
    const QString target = folder + "/party.fcard";
    writeFile(target, "old");
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), nobody, nogroup), 0);
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), nobody, 4242), 0);
    if (!setAccessList(target, withOwningGroup(4))) {
        ASSERT_EQ(errno, ENOTSUP) << std::strerror(errno);
        GTEST_SKIP() << "The file system of " << dir.path().toStdString()
                     << " keeps no access lists (POSIX ACLs): a list over a group not kept is not tested.";
    }
    ASSERT_EQ(modeOf(target), mode_t(0640));

    const QByteArray said = saveAsOtherUser("AnAccessListGivesAGroupThatCannotBeKeptNothing", dir, {target});
    if (said.isEmpty())
        GTEST_SKIP() << "No other user could reach " << folder.toStdString();
    EXPECT_EQ(said.toStdString(), "party.fcard: saved\n");
    EXPECT_EQ(contents(target), QByteArray("new"));
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, nobody);
    EXPECT_EQ(st.st_gid, nogroup);
    EXPECT_EQ(st.st_mode & 07777, mode_t(0640));
    EXPECT_EQ(accessListOf(target).toHex().toStdString(), withOwningGroup(0).toHex().toStdString());
    EXPECT_EQ(entries(folder), QStringList {"party.fcard"});
}

// A save into a folder that may not be written names the folder in its
// reason, for a new file and over a file that may itself be written; the
// folder stays as it was.
TEST(AtomicFile, AFolderThatMayNotBeWrittenIsNamed)
{
    if (qEnvironmentVariableIsSet(otherUserSaves)) {
        runOtherUserChild();
        return;
    }
    QTemporaryDir dir(reachableTemporaryFolder());
    ASSERT_TRUE(dir.isValid() && QDir(dir.path()).mkpath("designs"));
    const QString folder = dir.filePath("designs");
    const QString target = folder + "/party.fcard";
    writeFile(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);

    const QByteArray said = saveAsOtherUser("AFolderThatMayNotBeWrittenIsNamed", dir, {folder + "/new.fcard", target});
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    if (said.isEmpty())
        GTEST_SKIP() << "No user without the right to write every folder could reach " << folder.toStdString();

    const QString reason = QStringLiteral("The folder %1 may not be written: %2.")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(EACCES)));
    EXPECT_EQ(said.toStdString(), ("new.fcard: " + reason + "\nparty.fcard: " + reason + "\n").toStdString());
    EXPECT_EQ(AtomicFile::failureDetails(reason, target).toStdString(),
              ("Reason: " + reason + "\nThe file on disk was not changed.").toStdString());
    EXPECT_EQ(contents(target), QByteArray("old"));
    EXPECT_EQ(entries(folder), QStringList {"party.fcard"});
}

} // namespace
