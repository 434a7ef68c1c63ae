// Appends to one series from several processes at once.

#include "data/SeriesStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

const char* const appendFolder = "SERIES_APPENDS_FOLDER";
const char* const appendProcess = "SERIES_APPENDS_PROCESS";
constexpr int appendsPerProcess = 300;

QString appendedValue(int process, int append)
{
    return QStringLiteral("p%1 %2").arg(process).arg(append);
}

}

// Three processes append 300 values each, one value an append, to one
// series: every append succeeds and its value is in the file once, each
// process's values in their order.
TEST(SeriesStore, AppendsOfThreeProcessesAtOnceAllLand)
{
    if (qEnvironmentVariableIsSet(appendFolder)) {
        const SeriesStore store(qEnvironmentVariable(appendFolder), QStringLiteral("txt"));
        const int process = qEnvironmentVariableIntValue(appendProcess);
        int failures = 0;
        for (int append = 0; append < appendsPerProcess; ++append) {
            QString error;
            if (!store.write("guests", {appendedValue(process, append)}, SeriesStore::WriteMode::Append, &error)
                && ++failures == 1)
                std::fprintf(stderr, "append %d failed: %s\n", append, qPrintable(error));
        }
        ::_exit(failures == 0 ? 0 : 1);
    }
    QTemporaryDir folder;
    // a child still running when the test stops early is killed and waited for
    std::vector<std::unique_ptr<QProcess>> children;
    for (int process = 1; process <= 3; ++process) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(appendFolder, folder.path());
        environment.insert(appendProcess, QString::number(process));
        child->setProcessEnvironment(environment);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QFile::symLinkTarget("/proc/self/exe"),
                     {"--gtest_filter=SeriesStore.AppendsOfThreeProcessesAtOnceAllLand"});
        children.push_back(std::move(child));
    }
    for (const std::unique_ptr<QProcess>& child : children) {
        ASSERT_TRUE(child->waitForFinished(-1));
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child->exitCode(), 0);
    }
    const QStringList records =
        SeriesStore(folder.path(), QStringLiteral("txt")).readBindingValues("guests").value_or(QStringList());
    EXPECT_EQ(records.size(), 3 * appendsPerProcess);
    for (int process = 1; process <= 3; ++process) {
        QStringList expected;
        for (int append = 0; append < appendsPerProcess; ++append)
            expected.append(appendedValue(process, append));
        EXPECT_EQ(records.filter(QStringLiteral("p%1 ").arg(process)), expected) << process;
    }
}
