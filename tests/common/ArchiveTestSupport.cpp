#include "common/ArchiveTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ArchiveTestSupport {

namespace {
QTemporaryDir& temporaryFolder()
{
    static QTemporaryDir folder;
    return folder;
}

QString toolPath()
{
    return QStringLiteral(TEST_SOURCE_DIR "/common/keyed_archive_tool.py");
}

bool runPython(const QStringList& arguments, QByteArray& output)
{
    QProcess process;
    process.start(QStringLiteral("python3"), QStringList {toolPath()} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << "python3 " << arguments.join(' ').toStdString() << " failed: "
                      << process.readAllStandardError().toStdString();
        return false;
    }
    output = process.readAllStandardOutput();
    return true;
}
} // namespace

QJsonObject runTool(const QString& command, const QString& path)
{
    QByteArray output;
    if (!runPython({command, path}, output))
        return {};
    return QJsonDocument::fromJson(output).object();
}

QString writeTemporary(const QByteArray& bytes, const QString& name)
{
    const QString path = QDir(temporaryFolder().path()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

QString fixtureFolder()
{
    static const QString folder = [] {
        const QString path = QDir(temporaryFolder().path()).filePath(QStringLiteral("fixtures"));
        QDir().mkpath(path);
        QByteArray ignored;
        runPython({QStringLiteral("make"), path}, ignored);
        return path;
    }();
    return folder;
}

QByteArray fixture(const QString& name)
{
    QFile file(QDir(fixtureFolder()).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name.toStdString();
        return {};
    }
    return file.readAll();
}

} // namespace ArchiveTestSupport
