// Appends to one series from several processes at once.

#include "common/TestChildren.h"
#include "data/SeriesStore.h"
#include "platform/FolderLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// Three processes append 300 values each, one value an append, to one
// series: every append succeeds and its value is in the file once, each
// process's values in their order. Once with flock(2) as this system has it
// and once as on NFS, where a folder (open read-only) cannot be locked
// exclusively. The lock file is gone afterwards, and was never in the
// series folder.
TEST(SeriesStore, AppendsOfThreeProcessesAtOnceAllLand)
{
    const int appends = 300;
    const auto value = [](int process, int append) { return QStringLiteral("p%1 %2").arg(process).arg(append); };
    if (qEnvironmentVariableIsSet("SERIES_APPENDS_FOLDER")) {
        const QString folder = qEnvironmentVariable("SERIES_APPENDS_FOLDER");
        // The test counts records, not time: wait as long as the others take.
        FolderLock::setWaitLimit(std::chrono::hours(1));
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
        if (qEnvironmentVariableIsSet("SERIES_APPENDS_AS_ON_NFS") && (::flock(fd, LOCK_EX) == 0 || errno != EBADF))
            ::_exit(2); // flock is not as on NFS
        ::close(fd);
        const SeriesStore store(folder, "txt");
        const int process = qEnvironmentVariableIntValue("SERIES_APPENDS_PROCESS");
        bool failed = false;
        for (int append = 0; append < appends && !failed; ++append) {
            QString error;
            failed = !store.write("guests", {value(process, append)}, SeriesStore::WriteMode::Append, &error);
            if (failed)
                std::fprintf(stderr, "append %d failed: %s\n", append, qPrintable(error));
        }
        ::_exit(failed ? 1 : 0);
    }
    for (const bool asOnNfs : {false, true}) {
        SCOPED_TRACE(asOnNfs ? "flock as on NFS" : "flock as this system has it");
        QTemporaryDir parent;
        ASSERT_TRUE(QDir(parent.path()).mkdir("DataSet"));
        const QString folder = parent.filePath("DataSet");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("SERIES_APPENDS_FOLDER", folder);
        if (asOnNfs) {
            environment.insert("SERIES_APPENDS_AS_ON_NFS", "1");
            environment.insert("LD_PRELOAD", QStringLiteral(READONLY_FLOCK_SHIM));
            // the address sanitizer's runtime then is not the first library
            environment.insert("ASAN_OPTIONS",
                               environment.value("ASAN_OPTIONS") + QStringLiteral(":verify_asan_link_order=0"));
        }
        const auto children = startTestChildren("SeriesStore.AppendsOfThreeProcessesAtOnceAllLand", 3, environment,
                                                "SERIES_APPENDS_PROCESS");
        for (const std::unique_ptr<QProcess>& child : children) {
            ASSERT_TRUE(child->waitForFinished(-1));
            EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child->exitCode(), 0);
        }
        const QStringList records = SeriesStore(folder, "txt").readBindingValues("guests").value_or(QStringList());
        EXPECT_EQ(records.size(), 3 * appends);
        for (int process = 1; process <= 3; ++process) {
            QStringList expected;
            for (int append = 0; append < appends; ++append)
                expected.append(value(process, append));
            EXPECT_EQ(records.filter(QStringLiteral("p%1 ").arg(process)), expected) << process;
        }
        const auto entries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        EXPECT_EQ(QDir(folder).entryList(entries).join('|').toStdString(), "guests.txt");
        EXPECT_EQ(QDir(parent.path()).entryList(entries).join('|').toStdString(), "DataSet");
    }
}
