#include "app/FileHelpers.h"

#include "app/Globals.h"
#include "platform/FileOpener.h"
#include "platform/MessagePresenter.h"
#include "platform/ScriptedMessagePresenter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
void writeFile(const QString& path, const QByteArray& content = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// Points the resource globals at a fresh folder and answers message boxes.
struct FileHelpersTest : ::testing::Test {
    void SetUp() override
    {
        Resource_Path = dir.path();
        Data_Folder_Path = dir.filePath("DataSet");
        MessagePresenter::install(&presenter);
    }
    void TearDown() override
    {
        MessagePresenter::install(nullptr);
        FileOpener::setHandler({});
    }
    QTemporaryDir dir;
    ScriptedMessagePresenter presenter;
};

struct Umask {
    explicit Umask(mode_t mask) : old(::umask(mask)) {}
    ~Umask() { ::umask(old); }
    mode_t old;
};
}

TEST(FileHelpers, NameWithoutExtension)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a.txt", "a"},
        {"x.tar.gz", "x.tar"},
        {".hidden", ".hidden"},        // a leading dot is no extension
        {".hidden.txt", ".hidden"},
        {"noext", "noext"},
        {"dir.d/file", "dir.d/file"},  // a dot in a folder name is no extension
        {"/p/q.r/", "/p/q"},
        {"/p/.q", "/p/.q"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pathWithoutExtension(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(FileHelpers, DeletingRefusesDangerousPaths)
{
    struct Case {
        const char* path;
        bool allowed;
    } cases[] = {
        {"", false},      {"relative", false}, {"./x", false},  {"../x", false},
        {"/", false},     {"//", false},       {"/tmp/..", false}, {"/./", false},
        {"/tmp/x", true}, {"/tmp/a/../b", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isPathSafeToDelete(QString::fromUtf8(c.path)), c.allowed) << c.path;
}

TEST_F(FileHelpersTest, DeletesFilesFoldersAndLinksButNotRelativePaths)
{
    writeFile(dir.filePath("f.txt"));
    writeFile(dir.filePath("folder/inner/deep.txt"));
    writeFile(dir.filePath("kept/keep.txt"));
    QFile::link(dir.filePath("kept"), dir.filePath("link"));

    Delete_File(dir.filePath("f.txt"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("f.txt")));
    Delete_File(dir.filePath("folder"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("folder")));
    Delete_File(dir.filePath("link"));   // the link goes, what it points to stays
    EXPECT_FALSE(QFileInfo(dir.filePath("link")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("kept/keep.txt")));
    Delete_File(dir.filePath("missing"));   // nothing happens

    // A relative path is refused even when it names an existing file.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Delete_File(QStringLiteral("kept"));
    Delete_File(QString());
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("kept/keep.txt")));
}

TEST_F(FileHelpersTest, DataFoldersAreMadeWhereNothingIs)
{
    writeFile(dir.filePath("Background"), "a file in the way");
    QDir().mkdir(dir.filePath("Templates"));
    QFile::setPermissions(dir.filePath("Templates"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    {
        Umask mask(022);
        Check_Path_And_Create_Files();
    }
    for (const char* name : {"DataSet", "Fill_Style_Image", "LibraryImage", "Templates/User"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(QFileInfo(path).isDir()) << name;
        EXPECT_EQ(modeOf(path), mode_t(0755)) << name;   // the umask applies, never 0777
    }
    // Existing paths are not touched.
    EXPECT_TRUE(QFileInfo(dir.filePath("Background")).isFile());
    QFile f(dir.filePath("Background"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a file in the way"));
    EXPECT_EQ(modeOf(dir.filePath("Templates")), mode_t(0700));
}

TEST_F(FileHelpersTest, DataFoldersFollowAStricterUmask)
{
    Umask mask(077);
    Check_Path_And_Create_Files();
    EXPECT_EQ(modeOf(dir.filePath("DataSet")), mode_t(0700));
    EXPECT_EQ(modeOf(dir.filePath("Templates/User")), mode_t(0700));
}

TEST_F(FileHelpersTest, NoDataFoldersWithoutAResourceFolder)
{
    Resource_Path.clear();
    Data_Folder_Path = QStringLiteral("DataSet");
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    Check_Path_And_Create_Files();
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(FileHelpersTest, FileNamesOfAFolder)
{
    writeFile(dir.filePath("b.txt"));
    writeFile(dir.filePath("a.txt"));
    writeFile(dir.filePath("x.tar.gz"));
    writeFile(dir.filePath(".hidden"));
    writeFile(dir.filePath("c/inside.txt"));
    EXPECT_EQ(Get_Files_Array_At_Path(dir.path()), QStringList({".hidden", "a", "b", "x.tar"}));
    EXPECT_TRUE(Get_Files_Array_At_Path(dir.filePath("a.txt")).isEmpty());
    EXPECT_TRUE(Get_Files_Array_At_Path(dir.filePath("none")).isEmpty());
    EXPECT_TRUE(Get_Files_Array_At_Path(QString()).isEmpty());
}

TEST_F(FileHelpersTest, ValidatingAPath)
{
    writeFile(dir.filePath("data.xlsx"));
    EXPECT_FALSE(Check_And_Validate_File_Path(QStringLiteral("  ") + dir.filePath("data.xlsx") + QStringLiteral("\n")));
    EXPECT_TRUE(presenter.boxes().isEmpty());
    EXPECT_TRUE(Check_And_Validate_File_Path(dir.filePath("other.xlsx")));
    EXPECT_TRUE(Check_And_Validate_File_Path(QStringLiteral("   ")));
    EXPECT_EQ(presenter.texts(), QStringList({"\nPlease select valid file path.", "\nPlease select valid file path."}));
}

TEST_F(FileHelpersTest, HelpFileOpensOrIsReportedMissing)
{
    QStringList opened;
    FileOpener::setHandler([&](const QString& p) {
        opened.append(p);
        return true;
    });
    Open_Help_File();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(presenter.texts(), QStringList({"\nHelp file does not exist!"}));

    writeFile(dir.filePath("Help.pdf"), "%PDF-1.4");
    Open_Help_File();
    EXPECT_EQ(opened, QStringList({dir.filePath("Help.pdf")}));

    // A desktop that names no application for PDF files: the desktop's own
    // opener would report success and show nothing, so the document's path
    // is shown instead.
    FileOpener::setHandler({});
    QTemporaryDir tools;
    const QString asked = tools.filePath("asked");
    writeFile(tools.filePath("xdg-mime"), QStringLiteral("#!/bin/sh\necho \"$@\" > %1\n").arg(asked).toUtf8());
    QFile::setPermissions(tools.filePath("xdg-mime"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools.path()));
    presenter.clear();
    Open_Help_File();
    qputenv("PATH", path);
    EXPECT_EQ(presenter.texts(), QStringList({"\nThe help document could not be opened: " + dir.filePath("Help.pdf")}));
    QFile answer(asked);
    ASSERT_TRUE(answer.open(QIODevice::ReadOnly));
    EXPECT_EQ(answer.readAll(), "query default application/pdf\n");
}

