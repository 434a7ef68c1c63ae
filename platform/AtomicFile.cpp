#include "platform/AtomicFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QtEndian>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

std::atomic<qint64> writeLimit {-1};
std::atomic<AtomicFile::StageHook> stageHook {nullptr};
std::atomic<bool> unnamedFiles {true};

// As many links as the system itself follows in one path.
constexpr int mostLinks = 40;
// The random ending of a hidden name: its length and its letters.
constexpr int endingLength = 8;
constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// A path for a message: a link's target joined to the link's folder may
// hold "..", which the system takes from the real folder (not by striking
// out a name), so the folder is shown as the system finds it.
QString shown(const QByteArray& path)
{
    if (!path.contains("/.") || nameOf(path) == "." || nameOf(path) == "..")
        return QFile::decodeName(path);
    char* real = ::realpath(folderOf(path).constData(), nullptr);
    if (!real)
        return QFile::decodeName(path);
    QByteArray folder(real);
    std::free(real);
    return QFile::decodeName(folder == "/" ? '/' + nameOf(path) : folder + '/' + nameOf(path));
}

// Every hidden name is made of a dot, the target's name (its first 200
// bytes when it is longer, cut between characters, so the whole stays within
// the longest name a folder takes), ".saving-", a random ending, "-" and the
// writer's mark: 16 hex digits of a hash of the target's whole name and the
// ending. A name someone typed, or a leftover of another target (two long
// names may begin alike), never carries the right mark, so the clean-up
// takes only files this writer made for this very target.
constexpr qsizetype longestShownName = 200;
constexpr char markTag[] = "saving-";
constexpr qsizetype markLength = 16;

QByteArray hiddenPrefix(const QByteArray& name)
{
    qsizetype cut = std::min(name.size(), longestShownName);
    while (cut > 0 && cut < name.size() && (uchar(name[cut]) & 0xC0) == 0x80)
        --cut;
    return '.' + name.left(cut) + '.' + markTag;
}

QByteArray markOf(const QByteArray& name, QByteArrayView ending)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView("brightfold atomic save\n"));
    hash.addData(name);
    hash.addData(QByteArrayView("\n"));
    hash.addData(ending);
    return hash.result().left(markLength / 2).toHex();
}

// Whether a folder's entry is a hidden name with `prefix` and the mark of
// the target called `name`; looked at without copying, as a folder may hold
// many thousands of entries, and hashed only when all else fits.
bool isHiddenNameOf(const char* entry, const QByteArray& prefix, const QByteArray& name)
{
    if (entry[0] != '.' || std::strlen(entry) != size_t(prefix.size() + endingLength + 1 + markLength)
        || std::memcmp(entry, prefix.constData(), size_t(prefix.size())) != 0)
        return false;
    const char* ending = entry + prefix.size();
    for (int i = 0; i < endingLength; ++i) {
        if (!std::strchr(letters, ending[i]))
            return false;
    }
    if (ending[endingLength] != '-')
        return false;
    const QByteArray mark = markOf(name, QByteArrayView(ending, endingLength));
    return std::memcmp(ending + endingLength + 1, mark.constData(), size_t(markLength)) == 0;
}

bool writable(const QByteArray& path, const struct stat& st, int* error)
{
    *error = 0;
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0) {
        *error = errno;
        return false;
    }
    // The superuser may write anything; a file without any write bit is
    // read-only for it too.
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// Whether `path` is still a name of the file `st` describes.
bool namesFile(const QByteArray& path, const struct stat& st)
{
    struct stat named = {};
    return ::lstat(path.constData(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino;
}

int lockFile(int fd)
{
    int result = 0;
    do
        result = ::flock(fd, LOCK_EX);
    while (result != 0 && errno == EINTR);
    return result;
}

// A folder as a message shows it: as given where that is plain, else as
// the system finds it (a relative path, or one through "..").
QString shownFolder(const QByteArray& folder)
{
    if (folder.startsWith('/') && !folder.contains("/."))
        return QFile::decodeName(folder);
    char* real = ::realpath(folder.constData(), nullptr);
    if (!real)
        return QFile::decodeName(folder);
    const QString shownAs = QFile::decodeName(real);
    std::free(real);
    return shownAs;
}

// Why no new file could be made in the target's folder: where the folder
// may not be written, the folder is named, as it is not the target that was
// refused; other reasons (a folder that is not there) speak for themselves.
QString folderReason(const QByteArray& folder, int error)
{
    if (error == EACCES || error == EPERM || error == EROFS)
        return QStringLiteral("The folder %1 may not be written: %2.").arg(shownFolder(folder), systemError(error));
    return systemError(error);
}

// A file's access list (POSIX ACL) as the system stores it: a 4-byte
// version, then entries of a 2-byte tag, 2-byte permissions and 4-byte id,
// little-endian.
constexpr char accessListKey[] = "system.posix_acl_access";
constexpr qsizetype accessListHeader = 4;
constexpr qsizetype accessListEntry = 8;
constexpr quint16 owningGroupTag = 0x04;

enum class AccessList {
    None,    // the file has none, or its file system keeps none
    Read,    // the file has one
    Unknown, // it could not be read
};

AccessList readAccessList(const QByteArray& path, QByteArray* list)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::lgetxattr(path.constData(), accessListKey, nullptr, 0);
        if (size < 0)
            return errno == ENODATA || errno == ENOTSUP ? AccessList::None : AccessList::Unknown;
        list->resize(size);
        const ssize_t n = ::lgetxattr(path.constData(), accessListKey, list->data(), size_t(size));
        if (n >= 0) {
            list->truncate(n);
            return AccessList::Read;
        }
        if (errno != ERANGE) // else it grew in between
            return AccessList::Unknown;
    }
    return AccessList::Unknown;
}

// The list with nothing for the file's owning group; the named users and
// groups keep what they had.
QByteArray withoutOwningGroup(QByteArray list)
{
    for (qsizetype at = accessListHeader; at + accessListEntry <= list.size(); at += accessListEntry) {
        if (qFromLittleEndian<quint16>(list.constData() + at) == owningGroupTag)
            qToLittleEndian<quint16>(0, list.data() + at + 2);
    }
    return list;
}

// Reading a folder of many thousands of files takes about as long as
// writing one file. A folder of a few hundred entries is searched for
// leftovers at every save; after a search that read more, the next saves in
// that folder (one for every 500 entries read) leave the search out, which
// keeps the searches of a run of saves (a batch of pictures) within about a
// tenth of its work. A target's own saves leave it out at most three times
// in a row, so that where several targets are saved in turn the searches
// do not all fall to the same one. Counted in saves, not in time, so a busy
// machine searches exactly as often as an idle one.
constexpr qsizetype entriesPerSkippedSearch = 500;
constexpr int mostSkipsOfATarget = 3;

struct FolderKey
{
    dev_t device;
    ino_t inode;
    bool operator==(const FolderKey&) const = default;
};

size_t qHash(const FolderKey& key, size_t seed = 0)
{
    return qHashMulti(seed, quint64(key.device), quint64(key.inode));
}

struct TargetKey
{
    FolderKey folder;
    QByteArray name;
    bool operator==(const TargetKey&) const = default;
};

size_t qHash(const TargetKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.folder, key.name);
}

std::mutex searchesLock;
QHash<FolderKey, qsizetype> searchesToSkip;
QHash<TargetKey, int> skipsInARow;

std::optional<TargetKey> targetKey(const QByteArray& folder, const QByteArray& name)
{
    struct stat st = {};
    if (::stat(folder.constData(), &st) != 0)
        return std::nullopt;
    return TargetKey {{st.st_dev, st.st_ino}, name};
}

bool leftoverSearchDue(const TargetKey& target)
{
    const std::lock_guard<std::mutex> lock(searchesLock);
    const auto skip = searchesToSkip.find(target.folder);
    if (skip == searchesToSkip.end() || skipsInARow.value(target) >= mostSkipsOfATarget)
        return true;
    if (--*skip <= 0)
        searchesToSkip.erase(skip);
    // Enough for the pictures of a large batch saved in turn again.
    if (skipsInARow.size() > 10000)
        skipsInARow.clear();
    ++skipsInARow[target];
    return false;
}

void leftoverSearchDone(const TargetKey& target, qsizetype entriesRead)
{
    const std::lock_guard<std::mutex> lock(searchesLock);
    skipsInARow.remove(target);
    const qsizetype skip = entriesRead / entriesPerSkippedSearch;
    if (skip == 0) {
        searchesToSkip.remove(target.folder);
        return;
    }
    if (searchesToSkip.size() > 1000)
        searchesToSkip.clear();
    searchesToSkip.insert(target.folder, skip);
}

QByteArray procPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}
}

AtomicFile::AtomicFile(const QString& path, Access access, Links links) : m_path(path), m_access(access), m_links(links)
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::setWriteLimitForTesting(qint64 bytes)
{
    writeLimit.store(bytes);
}

void AtomicFile::setStageHookForTesting(StageHook hook)
{
    stageHook.store(hook);
}

void AtomicFile::setUnnamedFilesForTesting(bool allowed)
{
    unnamedFiles.store(allowed);
}

bool AtomicFile::fail(const QString& reason)
{
    m_failed = true;
    setErrorString(reason);
    return false;
}

QByteArray AtomicFile::hiddenName() const
{
    QByteArray ending(endingLength, 'x');
    for (char& c : ending)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    const QByteArray name = nameOf(m_final);
    return folderOf(m_final) + '/' + hiddenPrefix(name) + ending + '-' + markOf(name, ending);
}

void AtomicFile::removeTemporary()
{
    // The name goes first, while the lock still keeps others' clean-up away.
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_unnamed = false;
}

// Follows links from the given path to the file to replace. A path where
// nothing is yet is a new file; a link is read and its target (relative to
// the link's folder) taken in its place, unless the link itself is to be
// replaced; a plain file is replaced where it lies.
bool AtomicFile::resolveTarget(Target* found)
{
    *found = Target();
    QByteArray current = QFile::encodeName(m_path);
    const QByteArray first = current;
    for (int links = 0;; ++links) {
        struct stat st = {};
        if (::lstat(current.constData(), &st) != 0) {
            const int error = errno;
            if (error == ENOENT && links == 0)
                break;
            if (error == ENOENT)
                return fail(
                    QStringLiteral("The link %1 leads to %2, which does not exist.").arg(shown(first), shown(current)));
            return fail(QStringLiteral("%1: %2").arg(shown(current), systemError(error)));
        }
        if (S_ISLNK(st.st_mode) && links == 0 && m_links == Links::Replace)
            break; // the link goes, as a file the new one does not replace
        if (S_ISLNK(st.st_mode)) {
            if (links == mostLinks)
                return fail(QStringLiteral("The link %1 leads through too many links.").arg(shown(first)));
            QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : 0) + 256, '\0');
            const ssize_t n = ::readlink(current.constData(), target.data(), size_t(target.size()));
            if (n < 0)
                return fail(QStringLiteral("%1: %2").arg(shown(current), systemError(errno)));
            if (n >= target.size())
                return fail(QStringLiteral("The link %1 cannot be read whole.").arg(shown(current)));
            target.truncate(n);
            current = target.startsWith('/') ? target : folderOf(current) + '/' + target;
            continue;
        }
        const QString leadsTo = links == 0
            ? shown(current)
            : QStringLiteral("The link %1 leads to %2, which").arg(shown(first), shown(current));
        if (S_ISDIR(st.st_mode))
            return fail(QStringLiteral("%1 is a folder.").arg(leadsTo));
        if (!S_ISREG(st.st_mode))
            return fail(QStringLiteral("%1 is not a plain file.").arg(leadsTo));
        int error = 0;
        if (!writable(current, st, &error)) {
            if (error && error != EACCES && error != EPERM)
                return fail(QStringLiteral("%1: %2").arg(shown(current), systemError(error)));
            return fail(QStringLiteral("%1 is read-only.").arg(leadsTo));
        }
        found->replaces = true;
        found->mode = st.st_mode;
        found->group = st.st_gid;
        break;
    }
    found->path = current;
    return true;
}

void AtomicFile::takeTarget(const Target& target)
{
    m_final = target.path;
    m_replaces = target.replaces;
    m_oldMode = target.mode;
    m_oldGroup = target.group;
}

// Hidden files of this target in its folder that carry its mark and that
// no save holds (a save keeps its file locked as long as it lives) were
// left by a save that crashed; they go. Only plain files, and only the very
// file locked.
void AtomicFile::removeLeftovers() const
{
    const QByteArray folder = folderOf(m_final);
    const QByteArray name = nameOf(m_final);
    const QByteArray prefix = hiddenPrefix(name);
    const std::optional<TargetKey> target = targetKey(folder, name);
    if (target && !leftoverSearchDue(*target))
        return;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    QList<QByteArray> candidates;
    qsizetype entriesRead = 0;
    while (const dirent* entry = ::readdir(dir)) {
        ++entriesRead;
        if (isHiddenNameOf(entry->d_name, prefix, name))
            candidates << folder + '/' + entry->d_name;
    }
    ::closedir(dir);
    for (const QByteArray& path : candidates) {
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        // Open for writing where it may be: NFS grants an exclusive flock
        // only on a file open for writing.
        int fd = ::open(path.constData(), O_RDWR | flags);
        if (fd < 0 && errno == EACCES)
            fd = ::open(path.constData(), O_WRONLY | flags);
        if (fd < 0 && errno == EACCES)
            fd = ::open(path.constData(), O_RDONLY | flags);
        if (fd < 0)
            continue;
        struct stat held = {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && namesFile(path, held))
            ::unlink(path.constData());
        ::close(fd);
    }
    if (target)
        leftoverSearchDone(*target, entriesRead);
}

// The new file, locked before it is in use: unnamed in the target's folder
// where the file system makes such files and the process can name them
// later through /proc, else under a hidden name. A hidden name is seen by
// other saves' clean-up from the moment it is made, before it can be
// locked, and one of them may take the file in between: so the file is this
// save's only once it is locked and still has its name; else another name
// is tried.
bool AtomicFile::makeNewFile(mode_t mode)
{
    const QByteArray folder = folderOf(m_final);
    if (unnamedFiles.load()) {
        const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
        if (fd >= 0 && ::access(procPath(fd).constData(), F_OK) == 0) {
            if (lockFile(fd) != 0) {
                const int error = errno;
                ::close(fd);
                return fail(systemError(error));
            }
            m_fd = fd;
            m_unnamed = true;
            return true;
        }
        if (fd >= 0)
            ::close(fd);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        // O_EXCL refuses anything already there, a link included.
        const QByteArray name = hiddenName();
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(folderReason(folder, errno));
        struct stat made = {};
        struct stat named = {};
        int error = ::fstat(fd, &made) == 0 && lockFile(fd) == 0 ? 0 : errno;
        if (!error && ::lstat(name.constData(), &named) != 0)
            error = errno;
        if (error == ENOENT || (!error && (named.st_dev != made.st_dev || named.st_ino != made.st_ino))) {
            ::close(fd); // taken by another save's clean-up
            continue;
        }
        if (error) {
            if (namesFile(name, made))
                ::unlink(name.constData());
            ::close(fd);
            return fail(systemError(error));
        }
        m_fd = fd;
        m_temporary = name;
        return true;
    }
    return fail(QStringLiteral("No new file could be made beside %1.").arg(shown(m_final)));
}

// The old file's group where the process may give it, then its permission
// bits and its access list; where the group cannot be kept, or the list
// not copied, the owning group gets no access.
bool AtomicFile::takeOldPermissions()
{
    mode_t mode = m_oldMode & (S_IRWXU | S_IRWXG | S_IRWXO);
    if (m_access == Access::OwnerOnly)
        mode &= S_IRWXU;
    struct stat st = {};
    if (::fstat(m_fd, &st) != 0)
        return false;
    const bool groupKept = st.st_gid == m_oldGroup || ::fchown(m_fd, uid_t(-1), m_oldGroup) == 0;
    if (!groupKept)
        mode &= ~mode_t(S_IRWXG);
    if (::fchmod(m_fd, mode) != 0)
        return false;
    return takeOldAccessList(groupKept) || ::fchmod(m_fd, mode & ~mode_t(S_IRWXG)) == 0;
}

// The old file's access list on the new file (which sets the same bits as
// the old mode); a new file that came with a list of its own from the
// folder's default list but replaces one without loses it, and so does a
// secret file. False where it cannot tell or cannot copy.
bool AtomicFile::takeOldAccessList(bool groupKept)
{
    QByteArray list;
    const AccessList old = m_access == Access::OwnerOnly ? AccessList::None : readAccessList(m_final, &list);
    if (old == AccessList::Unknown)
        return false;
    if (old == AccessList::None)
        return ::fremovexattr(m_fd, accessListKey) == 0 || errno == ENODATA || errno == ENOTSUP;
    if (!groupKept)
        list = withoutOwningGroup(list);
    return ::fsetxattr(m_fd, accessListKey, list.constData(), size_t(list.size()), 0) == 0;
}

bool AtomicFile::open()
{
    if (isOpen())
        return false;
    m_failed = false;
    m_written = 0;
    m_final.clear();
    if (m_path.isEmpty())
        return fail(QStringLiteral("No file name given."));
    Target target;
    if (!resolveTarget(&target))
        return false;
    takeTarget(target);
    if (!prepareNewFile())
        return false;
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return true;
}

// Clears away this target's leftovers and makes the new file beside
// m_final, with the permissions it is to have.
bool AtomicFile::prepareNewFile()
{
    removeLeftovers();
    // The new file starts as the owner's alone and gets the old file's
    // permissions once its group is right; a new target takes the usual
    // mode (the system takes the umask off it) or the owner's alone.
    const bool ownerOnly = m_replaces || m_access == Access::OwnerOnly;
    if (!makeNewFile(ownerOnly ? S_IRUSR | S_IWUSR : 0666))
        return false;
    const bool permitted = m_replaces ? takeOldPermissions() : !ownerOnly || ::fchmod(m_fd, S_IRUSR | S_IWUSR) == 0;
    if (!permitted) {
        const int error = errno;
        removeTemporary();
        return fail(systemError(error));
    }
    return true;
}

QString AtomicFile::temporaryName() const
{
    if (m_fd >= 0 && m_unnamed)
        return QFile::decodeName(procPath(m_fd));
    return QFile::decodeName(m_temporary);
}

QString AtomicFile::finalPath() const
{
    return QFile::decodeName(m_final);
}

qint64 AtomicFile::readData(char*, qint64)
{
    return -1;
}

qint64 AtomicFile::writeData(const char* data, qint64 size)
{
    if (m_failed || m_fd < 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        qint64 chunk = size - done;
        const qint64 limit = writeLimit.load();
        if (limit >= 0) {
            chunk = std::min(chunk, limit - m_written);
            if (chunk <= 0) {
                fail(systemError(ENOSPC));
                return -1;
            }
        }
        const ssize_t n = ::write(m_fd, data + done, size_t(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            fail(systemError(n < 0 ? errno : ENOSPC));
            return -1;
        }
        done += n;
        m_written += n;
        if (const StageHook hook = stageHook.load())
            hook(Stage::Writing, m_written);
    }
    return done;
}

// Gives the unnamed file a hidden name in the target's folder. Linking the
// process's own /proc entry with AT_SYMLINK_FOLLOW needs no privilege.
bool AtomicFile::linkUnnamed()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = hiddenName();
        if (::linkat(AT_FDCWD, procPath(m_fd).constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

bool AtomicFile::commit()
{
    return commit({});
}

bool AtomicFile::commit(const std::function<bool()>& mayReplace)
{
    m_declined = false;
    if (m_fd < 0) {
        discard();
        return false;
    }
    if (isOpen())
        QIODevice::close();
    if (m_failed) {
        removeTemporary();
        return false;
    }
    // On the disk before it takes the target's place, so a crash leaves the
    // old file or the whole new one.
    if (::fsync(m_fd) != 0) {
        const int error = errno;
        removeTemporary();
        return fail(systemError(error));
    }
    if (!settleTarget(mayReplace))
        return false;
    int error = 0;
    if (m_unnamed && !linkUnnamed())
        error = errno;
    if (!error) {
        if (const StageHook hook = stageHook.load())
            hook(Stage::Named, m_written);
    }
    if (!error && ::rename(m_temporary.constData(), m_final.constData()) != 0)
        error = errno;
    if (error) {
        removeTemporary();
        return fail(systemError(error));
    }
    m_temporary.clear();
    // Closed (and unlocked) only now that it has the target's name; what
    // it holds is on the disk already.
    ::close(m_fd);
    m_fd = -1;
    m_unnamed = false;
    // The folder's entry on the disk too; a failure here changes nothing
    // that was written.
    const int folder = ::open(folderOf(m_final).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

// The path is followed again once the new file is on the disk: while it was
// written, a link on the way may have been pointed elsewhere, or replaced by
// a plain file (another program saved by rename). The new file then moves
// beside what the path leads to now (copied, as a rename reaches no other
// folder) and takes that file's permissions. The caller's last look comes
// after that, and the path is followed once more after the look (which may
// wait for the user): the file looked at is the one replaced. An unnamed
// file is not linked in yet, so a question that waits for the user leaves
// nothing behind when the program dies.
bool AtomicFile::settleTarget(const std::function<bool()>& mayReplace)
{
    bool looked = !mayReplace;
    for (int round = 0;; ++round) {
        Target now;
        if (!resolveTarget(&now)) {
            removeTemporary();
            return false;
        }
        if (now.path == m_final && looked)
            return true;
        if (round == mostLinks) {
            removeTemporary();
            return fail(QStringLiteral("%1 kept changing while it was saved.").arg(shown(QFile::encodeName(m_path))));
        }
        if (now.path != m_final && !moveTo(now))
            return false;
        if (mayReplace && !mayReplace()) {
            m_declined = true;
            removeTemporary();
            return false;
        }
        looked = true;
    }
}

// A new file beside `target` with all the written file holds, on the disk;
// the written file goes. False (with nothing left of either) when it fails.
bool AtomicFile::moveTo(const Target& target)
{
    const int written = m_fd;
    const QByteArray writtenName = m_temporary;
    m_fd = -1;
    m_temporary.clear();
    m_unnamed = false;
    takeTarget(target);
    bool moved = prepareNewFile();
    if (moved) {
        QByteArray buffer(1 << 20, Qt::Uninitialized);
        off_t at = 0;
        int error = 0;
        for (;;) {
            const ssize_t n = ::pread(written, buffer.data(), size_t(buffer.size()), at);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? errno : 0;
                break;
            }
            for (ssize_t done = 0; done < n && !error;) {
                const ssize_t w = ::write(m_fd, buffer.constData() + done, size_t(n - done));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0)
                    error = w < 0 ? errno : ENOSPC;
                else
                    done += w;
            }
            if (error)
                break;
            at += n;
        }
        if (!error && ::fsync(m_fd) != 0)
            error = errno;
        if (error) {
            removeTemporary();
            moved = fail(systemError(error));
        }
    }
    // The written file's name goes first, while its lock still keeps
    // others' clean-up away.
    if (!writtenName.isEmpty())
        ::unlink(writtenName.constData());
    ::close(written);
    return moved;
}

void AtomicFile::discard()
{
    if (isOpen())
        QIODevice::close();
    removeTemporary();
}

bool AtomicFile::save(const QString& path, const QByteArray& bytes, QString* error, Access access, Links links)
{
    AtomicFile file(path, access, links);
    const bool written = file.open() && file.write(bytes) == bytes.size() && file.commit();
    if (!written && error)
        *error = file.errorString();
    return written;
}

QString AtomicFile::failureDetails(const QString& reason, const QString& path)
{
    QStringList lines;
    if (!reason.isEmpty())
        lines << QStringLiteral("Reason: ") + reason;
    const bool there = !path.isEmpty() && (QFileInfo::exists(path) || QFileInfo(path).isSymLink());
    lines << (there ? QStringLiteral("The file on disk was not changed.") : QStringLiteral("No file was written."));
    return lines.join(QLatin1Char('\n'));
}
