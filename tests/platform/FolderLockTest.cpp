// The lock of a folder's writes.

#include "platform/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The lock file lies beside the folder (never in its listing) and goes with
// the lock; the folder is locked whatever path leads to it; a lock another
// holder keeps past the wait is reported as such. (Waiters that get the lock
// as holders let go: the series store's appends from three processes.)
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
        const struct
        {
            QString path;
            bool timedOut;
        } rows[] = {
            {folder, true},
            {folder + "/", true},
            {parent.filePath("Link"), true},
            {parent.filePath("DataSet/../DataSet"), true},
            {parent.filePath("missing"), false},
        };
        for (const auto& row : rows) {
            const FolderLock second(row.path);
            EXPECT_FALSE(second.isLocked()) << row.path.toStdString();
            EXPECT_EQ(second.timedOut(), row.timedOut) << row.path.toStdString();
            EXPECT_TRUE(second.errorString().startsWith("The folder " + row.path + " cannot be locked: "))
                << second.errorString().toStdString();
        }
    }
    EXPECT_EQ(QDir(parent.path()).entryList(entries).join('|').toStdString(), "DataSet|Link");
}
