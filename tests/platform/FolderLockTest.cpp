// The lock of a folder's writes.

#include "common/TestChildren.h"
#include "platform/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The lock file lies beside the folder (never in its listing) and goes with
// the lock; the folder is locked whatever path leads to it; a lock another
// holder keeps past the wait is reported as such.
TEST(FolderLock, OneLockFileBesideTheFolderWhateverPathLeadsThere)
{
    QTemporaryDir parent;
    ASSERT_TRUE(QDir(parent.path()).mkdir("DataSet"));
    const QString folder = parent.filePath("DataSet");
    ASSERT_TRUE(QFile::link(folder, parent.filePath("Link")));
    const QString lockFile = parent.filePath(".DataSet.lock");
    const auto entries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    FolderLock::setWaitLimit(std::chrono::milliseconds(0));
    {
        const FolderLock held(folder);
        ASSERT_TRUE(held.isLocked()) << held.errorString().toStdString();
        EXPECT_EQ(FolderLock::lockFilePath(folder), lockFile);
        EXPECT_TRUE(QFileInfo(lockFile).isFile());
        EXPECT_TRUE(QDir(folder).entryList(entries).isEmpty());
        const QString missing = parent.filePath("missing");
        for (const QString& path : {folder, parent.filePath("Link"), missing}) {
            const FolderLock second(path);
            EXPECT_FALSE(second.isLocked()) << path.toStdString();
            EXPECT_EQ(second.timedOut(), path != missing) << path.toStdString();
            EXPECT_TRUE(second.errorString().startsWith("The folder " + path + " cannot be locked: "))
                << second.errorString().toStdString();
        }
    }
    EXPECT_EQ(QDir(parent.path()).entryList(entries).join('|').toStdString(), "DataSet|Link");
}

// A series folder whose parent is read-only to its user (no lock file can be
// made there) is locked itself, and such a lock and one through the lock
// file keep each other out. The read-only user is a child process: as the
// superuser (whom no mode bit stops) it becomes "nobody", otherwise the
// parent is made read-only.
TEST(FolderLock, AFolderWhoseParentIsReadOnlyIsLockedItself)
{
    QTemporaryDir parent;
    ASSERT_TRUE(QDir(parent.path()).mkdir("DataSet"));
    const QString folder = parent.filePath("DataSet");
    const QString lockFile = parent.filePath(".DataSet.lock");
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(QFile::encodeName(parent.path()).constData(), root ? 0755 : 0555), 0);
    FolderLock::setWaitLimit(std::chrono::milliseconds(0));
    // What the read-only user sees; while it holds the lock, `whileLocked`
    // runs here.
    enum Seen { Locked = 1, TimedOut, Failed, NoAccess };
    const auto asReadOnlyUser = [&](const std::function<void()>& whileLocked) {
        int seenPipe[2];
        if (::pipe(seenPipe) != 0)
            return int(Failed);
        const pid_t child = ::fork();
        if (child == 0) {
            if ((root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                || ::access(QFile::encodeName(folder).constData(), R_OK | X_OK) != 0)
                ::_exit(NoAccess);
            const FolderLock lock(folder);
            const char seen = lock.isLocked() ? Locked : lock.timedOut() ? TimedOut : Failed;
            (void)!::write(seenPipe[1], &seen, 1);
            if (seen == Locked)
                ::pause(); // held until killed
            ::_exit(seen);
        }
        ::close(seenPipe[1]);
        char seen = 0;
        if (child > 0 && ::read(seenPipe[0], &seen, 1) == 1 && seen == Locked) {
            whileLocked();
            ::kill(child, SIGKILL);
        }
        ::close(seenPipe[0]);
        int status = 0;
        if (child > 0)
            ::waitpid(child, &status, 0);
        return seen ? int(seen) : WIFEXITED(status) ? WEXITSTATUS(status) : int(Failed);
    };

    const int alone = asReadOnlyUser([&] {
        EXPECT_FALSE(QFileInfo::exists(lockFile));
        const FolderLock second(folder);
        EXPECT_FALSE(second.isLocked());
        EXPECT_TRUE(second.timedOut()) << second.errorString().toStdString();
    });
    if (alone == NoAccess) {
        ::chmod(QFile::encodeName(parent.path()).constData(), 0755);
        GTEST_SKIP() << "no user without write access to " << parent.path().toStdString() << " can be had";
    }
    EXPECT_EQ(alone, Locked);
    {
        const FolderLock first(folder);
        ASSERT_TRUE(first.isLocked()) << first.errorString().toStdString();
        EXPECT_EQ(QFileInfo::exists(lockFile), root);
        EXPECT_EQ(asReadOnlyUser([] {}), TimedOut);
    }
    ::chmod(QFile::encodeName(parent.path()).constData(), 0755);
    EXPECT_FALSE(QFileInfo::exists(lockFile));
}

// A lock file that is no plain file, or that may not be opened (on NFS: a
// copy of this test run as another user, with NFS's flock): the lock is
// refused at once, naming the file and what to do; nothing is written,
// truncated, followed or waited for.
TEST(FolderLock, ALockFileThatIsNoFileIsNamedToBeRemoved)
{
    if (qEnvironmentVariableIsSet("FOLDER_LOCK_UNOPENABLE")) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        FolderLock::setWaitLimit(std::chrono::milliseconds(0));
        const FolderLock lock(qEnvironmentVariable("FOLDER_LOCK_UNOPENABLE"));
        // after what the test program itself writes
        std::printf("\n%s", qPrintable(lock.errorString()));
        std::fflush(stdout);
        ::_exit(lock.isLocked() ? 1 : 0);
    }
    QTemporaryDir parent;
    ASSERT_EQ(::chmod(QFile::encodeName(parent.path()).constData(), 0755), 0);
    ASSERT_TRUE(QDir(parent.path()).mkdir("DataSet"));
    const QString folder = parent.filePath("DataSet");
    const QString lockFile = parent.filePath(".DataSet.lock");
    const QByteArray lockPath = QFile::encodeName(lockFile);
    const QString target = parent.filePath("target");
    const auto writeTarget = [&] {
        QFile file(target);
        return file.open(QIODevice::WriteOnly) && file.write("kept") == 4;
    };
    // `left` must hold "kept" afterwards; "": the target is missing.
    const struct
    {
        const char* what;
        std::function<bool()> make;
        const char* problem;
        QString left;
    } rows[] = {
        {"link to a file", [&] { return writeTarget() && ::symlink("target", lockPath) == 0; }, "is a symbolic link",
         target},
        {"link to nothing", [&] { return ::symlink("target", lockPath) == 0; }, "is a symbolic link", ""},
        {"folder", [&] { return ::mkdir(lockPath, 0755) == 0; }, "is a folder", ""},
        {"FIFO", [&] { return ::mkfifo(lockPath, 0644) == 0; }, "is not a plain file", ""},
        {"unopenable", [&] { return writeTarget() && QFile::rename(target, lockFile) && ::chmod(lockPath, 0400) == 0; },
         "cannot be opened (Permission denied)", lockFile},
    };
    FolderLock::setWaitLimit(std::chrono::minutes(10));
    for (const auto& row : rows) {
        ASSERT_TRUE(row.make()) << row.what;
        QString error;
        if (row.left == lockFile) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("FOLDER_LOCK_UNOPENABLE", folder);
            environment.insert("LD_PRELOAD", QStringLiteral(READONLY_FLOCK_SHIM));
            environment.insert("ASAN_OPTIONS",
                               environment.value("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
            const auto child = startTestChildren("FolderLock.ALockFileThatIsNoFileIsNamedToBeRemoved", 1, environment,
                                                 "FOLDER_LOCK_CHILD");
            ASSERT_TRUE(child.front()->waitForFinished(-1));
            EXPECT_EQ(child.front()->exitCode(), 0);
            error = QString::fromLocal8Bit(child.front()->readAllStandardOutput()).section('\n', -1);
        } else {
            const FolderLock lock(folder);
            EXPECT_FALSE(lock.isLocked()) << row.what;
            EXPECT_FALSE(lock.timedOut()) << row.what;
            error = lock.errorString();
        }
        EXPECT_EQ(error.toStdString(),
                  QStringLiteral("The folder %1 cannot be locked: its lock file %2 %3. Please remove %2 and try again.")
                      .arg(folder, lockFile, row.problem)
                      .toStdString())
            << row.what;
        QFile left(row.left.isEmpty() ? target : row.left);
        EXPECT_EQ(left.open(QIODevice::ReadOnly) ? left.readAll() : "missing", row.left.isEmpty() ? "missing" : "kept")
            << row.what;
        ASSERT_TRUE(::unlink(lockPath) == 0 || ::rmdir(lockPath) == 0) << row.what;
        QFile::remove(target);
    }
}
