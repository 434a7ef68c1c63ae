#include "platform/ResourceFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sets the process umask for the life of the object.
struct Umask {
    explicit Umask(mode_t mask) : old(::umask(mask)) {}
    ~Umask() { ::umask(old); }
    mode_t old;
};
}

TEST(ResourceFolder, LocationFollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/some/where");
    EXPECT_EQ(ResourceFolder::location(), QStringLiteral("/some/where/brightfold"));
    qputenv("XDG_DATA_HOME", "relative/path");   // not absolute: ignored
    EXPECT_EQ(ResourceFolder::location(), QDir::homePath() + QStringLiteral("/.local/share/brightfold"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(ResourceFolder::location(), QDir::homePath() + QStringLiteral("/.local/share/brightfold"));
    qputenv("XDG_DATA_HOME", saved);
}

TEST(ResourceFolder, FillsInMissingFilesAndKeepsTheUsersOwn)
{
    QTemporaryDir shipped;
    QTemporaryDir home;
    writeFile(shipped.filePath("Title.txt"), "shipped title");
    writeFile(shipped.filePath("Background/b1.png"), "picture");
    writeFile(shipped.filePath("Templates/t.fcard"), "template");

    const QString folder = home.filePath("data/brightfold");
    writeFile(folder + "/Title.txt", "my own title");

    Umask mask(022);
    QString error;
    ASSERT_TRUE(ResourceFolder::prepare(folder, &error, shipped.path())) << error.toStdString();
    EXPECT_EQ(readFile(folder + "/Title.txt"), QByteArray("my own title"));
    EXPECT_EQ(readFile(folder + "/Background/b1.png"), QByteArray("picture"));
    EXPECT_EQ(readFile(folder + "/Templates/t.fcard"), QByteArray("template"));
    // Copies are ordinary writable files of the user.
    EXPECT_TRUE(QFileInfo(folder + "/Background/b1.png").permissions() & QFile::WriteOwner);

    // A second start copies nothing again, even where the user deleted nothing.
    EXPECT_EQ(ResourceFolder::copyMissing(shipped.path(), folder), 0);
    QFile::remove(folder + "/Templates/t.fcard");
    EXPECT_EQ(ResourceFolder::copyMissing(shipped.path(), folder), 1);
}

TEST(ResourceFolder, FailsWhereNoFolderCanBe)
{
    QTemporaryDir home;
    writeFile(home.filePath("file"), "x");
    QString error;
    EXPECT_FALSE(ResourceFolder::prepare(home.filePath("file"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(ResourceFolder::prepare(home.filePath("file/below"), &error));
    EXPECT_FALSE(ResourceFolder::prepare(QStringLiteral("relative/folder"), &error));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("relative/folder")));
}
