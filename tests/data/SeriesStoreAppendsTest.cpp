// Appends to one series from several processes at once.

#include "common/TestChildren.h"
#include "data/SeriesStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

// Three processes append 300 values each, one value an append, to one
// series: every append succeeds and its value is in the file once, each
// process's values in their order.
TEST(SeriesStore, AppendsOfThreeProcessesAtOnceAllLand)
{
    const int appends = 300;
    const auto value = [](int process, int append) { return QStringLiteral("p%1 %2").arg(process).arg(append); };
    if (qEnvironmentVariableIsSet("SERIES_APPENDS_FOLDER")) {
        const SeriesStore store(qEnvironmentVariable("SERIES_APPENDS_FOLDER"), "txt");
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
    QTemporaryDir folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SERIES_APPENDS_FOLDER", folder.path());
    const auto children = startTestChildren("SeriesStore.AppendsOfThreeProcessesAtOnceAllLand", 3, environment,
                                            "SERIES_APPENDS_PROCESS");
    for (const std::unique_ptr<QProcess>& child : children) {
        ASSERT_TRUE(child->waitForFinished(-1));
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child->exitCode(), 0);
    }
    const QStringList records = SeriesStore(folder.path(), "txt").readBindingValues("guests").value_or(QStringList());
    EXPECT_EQ(records.size(), 3 * appends);
    for (int process = 1; process <= 3; ++process) {
        QStringList expected;
        for (int append = 0; append < appends; ++append)
            expected.append(value(process, append));
        EXPECT_EQ(records.filter(QStringLiteral("p%1 ").arg(process)), expected) << process;
    }
}
