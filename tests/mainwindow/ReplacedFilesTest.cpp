// Every file the program replaces (design files, exported pictures,
// templates, series files, workbooks, PDFs, pasted pictures, the mail
// settings) on a disk that is full: the write is reported as failed and the
// old file stays byte for byte. Over old files of several modes: the mode
// stays, a read-only file is refused and kept. And with a symbolic link
// where the file goes: the file it names is replaced and the link stays; a
// link that leads nowhere or to a folder is refused.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CardPasteboard.h"
#include "data/SeriesExporter.h"
#include "data/SeriesFileWriter.h"
#include "data/SeriesStore.h"
#include "data/SpreadsheetWriter.h"
#include "mainwindow/Export_Template.h"
#include "mainwindow/TemplateStore.h"
#include "mainwindow/print/Print_Wnd.h"
#include "output/CardExportPlan.h"
#include "output/Preferences.h"
#include "output/PrinterCatalog.h"
#include "output/SheetLayout.h"
#include "output/SheetPagination.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"
#include "platform/AtomicFile.h"
#include "platform/PrintOperation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray oldBytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                            "<key>SendEmailRecipient</key><string>old@example.org</string></dict></plist>\n";

class NoPrinters : public PrinterCatalog
{
public:
    QStringList printerNames() const override { return {}; }
};

class ReplacedFilesTest : public WindowControllerFixture
{
protected:
    struct Writer {
        const char* name;
        const char* folder;    // "files", or where templates or pasted pictures go
        QStringList targets;   // the files it replaces there
        // Writes them; whether the program took the write for done, and in
        // `said` what it told of a failure, where it tells any.
        std::function<bool(ReplacedFilesTest&, const QStringList& paths, QString* said)> write;
        bool writesByName = false;   // through a writer that takes a path, not our device
        bool saysWhy = true;         // false: a failure is told without its reason
        bool secret = false;         // keeps only the owner's permission bits
    };

    void SetUp() override
    {
        WindowControllerFixture::SetUp();
        ASSERT_TRUE(base.isValid());
        // The templates and the pasted pictures go where the program puts
        // them; those folders are made to lie on the test's disk.
        for (const QString& folder : {TemplateStore::userFolder(), Resource_Path + QStringLiteral("/LibraryImage")}) {
            if (QFileInfo(folder).isDir()) {
                ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".aside")));
            }
            ASSERT_TRUE(QDir().mkpath(QFileInfo(folder).absolutePath()));
        }
        Print_Wnd::setModalRun([](QDialog&) { return 0; });
    }

    void TearDown() override
    {
        AtomicFile::setWriteLimitForTesting(-1);
        for (const QString& folder : {TemplateStore::userFolder(), Resource_Path + QStringLiteral("/LibraryImage")}) {
            QFile::remove(folder);
            if (QFileInfo(folder + QStringLiteral(".aside")).isDir())
                QDir().rename(folder + QStringLiteral(".aside"), folder);
        }
        if (mounted)
            ::umount(QFile::encodeName(base.path()).constData());
        mounted = false;
        QDir(base.path()).removeRecursively();
        QDir().mkpath(base.path());
        Print_Wnd::setModalRun({});
        WindowControllerFixture::TearDown();
    }

    // The writers' folders inside `base` (on whatever is mounted there).
    void makeFolders()
    {
        for (const char* sub : {"files", "User", "LibraryImage"})
            ASSERT_TRUE(QDir(base.path()).mkpath(QLatin1String(sub)));
        ASSERT_TRUE(QFile::link(base.filePath("User"), TemplateStore::userFolder()));
        ASSERT_TRUE(QFile::link(base.filePath("LibraryImage"), Resource_Path + QStringLiteral("/LibraryImage")));
    }

    QString folder(const Writer& writer) const { return base.filePath(QLatin1String(writer.folder)); }

    // A small file system of its own, when the test may mount one.
    bool mountSmallDisk()
    {
        mounted = ::geteuid() == 0
            && ::mount("tmpfs", QFile::encodeName(base.path()).constData(), "tmpfs", 0, "size=64k") == 0;
        return mounted;
    }

    // Takes the rest of the disk.
    void fillDisk()
    {
        QFile filler(base.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {}
        const QByteArray byte(1, 'f');
        while (filler.write(byte) == 1) {}
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
    }

    QList<Writer> writers()
    {
        return {
            {"design file",
             "files",
             {"party.fcard"},
             [](ReplacedFilesTest& t, const QStringList& paths, QString* said) {
                 Project_File_Name = paths[0];
                 const bool saved = t.controller->Save_project_file(false, true);
                 *said = t.presenter.texts().join('|');
                 EXPECT_EQ(saved, said->contains("saved successfully")) << said->toStdString();
                 if (!saved) {
                     EXPECT_TRUE(said->startsWith("\nfail\nReason: ")) << said->toStdString();
                 }
                 return saved;
             }},
            {"exported picture",
             "files",
             {"Card_2.png"},
             [](ReplacedFilesTest&, const QStringList& paths, QString* said) {
                 QImage card(300, 200, QImage::Format_ARGB32);
                 card.fill(Qt::darkCyan);
                 return writeCardPicture(card, paths[0], said);
             }},
            {"template",
             "User",
             {"Gala.fcard", "Gala.png"},
             [](ReplacedFilesTest& t, const QStringList&, QString* said) {
                 t.presenter.scriptAnswers({true});   // replace the old one
                 Export_Template::setModalRun([](Export_Template& dialog) {
                     dialog.template_name->setText(QStringLiteral("Gala"));
                     dialog.OKPressed();
                     return dialog.result();
                 });
                 t.controller->Export_As_Template_Clicked();
                 Export_Template::setModalRun({});
                 *said = t.presenter.texts().join('|');
                 EXPECT_NE(said->contains(SKTWindowController::templateExportedMessage),
                           said->contains(SKTWindowController::templateFailedMessage))
                     << said->toStdString();
                 return said->contains(SKTWindowController::templateExportedMessage);
             }},
            {"series file",
             "files",
             {"guests.txt"},
             [](ReplacedFilesTest&, const QStringList& paths, QString*) {
                 return SeriesFileWriter::writeValues(paths[0], {"Ann", "Bo"});
             },
             false,
             false},
            {"series store",
             "files",
             {"guests.txt"},
             [](ReplacedFilesTest&, const QStringList& paths, QString* said) {
                 const SeriesStore store(QFileInfo(paths[0]).absolutePath(), QStringLiteral("txt"));
                 return store.write(QStringLiteral("guests"), {"Cy"}, SeriesStore::WriteMode::Append, said);
             }},
            {"workbook",
             "files",
             {"guests.xlsx"},
             [](ReplacedFilesTest&, const QStringList& paths, QString*) {
                 return SpreadsheetWriter::WriteWorkbook(paths[0], {{"Name"}, {"Ann"}}, true);
             },
             false,
             false},
            {"series exported as a workbook",
             "files",
             {"guests.xlsx"},
             [](ReplacedFilesTest&, const QStringList& paths, QString*) {
                 return SeriesExporter::exportValues(paths[0], {"Ann", "Bo"}, SeriesExporter::Format::Workbook);
             },
             false,
             false},
            {"sheet PDF",
             "files",
             {"sheet.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths, QString* said) {
                 SheetLayout layout;
                 layout.setPaper({595.28, 841.89});
                 layout.setCardSize({243, 153});
                 const auto source = SheetPainter::snapshotSource(t.controller->batchSideSnapshot(0),
                                                                  t.controller->batchSideSnapshot(1), {});
                 const SheetPdfJob::Result result = SheetPdfJob::print(layout.fitted(), SheetPagination(1, 1, 1, 0),
                                                                       source, paths[0]);
                 *said = result.message;
                 return result.ok;
             }},
            {"print window PDF",
             "files",
             {"printed.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths, QString* said) {
                 NoPrinters none;
                 Print_Wnd window(nullptr, t.controller.get(), none);
                 window.Open_Print_Wnd();
                 const bool printed = window.printToPdf(paths[0]);
                 *said = t.presenter.texts().join('|');
                 return printed;
             },
             true},
            {"document PDF",
             "files",
             {"document.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths, QString* said) {
                 const auto operation =
                     t.document->printOperationWithSettings({{PrintOperation::outputFileNameSetting, paths[0]}});
                 const bool printed = operation && operation->runOperation();
                 if (operation)
                     *said = operation->errorString();
                 return printed;
             },
             true},
            {"pasted picture",
             "LibraryImage",
             {},
             [](ReplacedFilesTest&, const QStringList&, QString*) {
                 QImage picture(40, 30, QImage::Format_RGB32);
                 picture.fill(Qt::yellow);
                 return !CardPasteboard::storePastedPicture(picture).isEmpty();
             }},
            {"mail settings",
             "files",
             {"Settings.plist"},
             [](ReplacedFilesTest&, const QStringList& paths, QString*) {
                 Preferences settings(paths[0]);
                 settings.setsend_email_Recipient(QStringLiteral("new@example.org"));
                 return settings.flush();
             },
             false,
             false,
             true},
        };
    }

    static mode_t modeOf(const QString& path)
    {
        struct stat st
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    QTemporaryDir base;
    bool mounted = false;
};

// For a writer that opens its file by name, where no small disk can be
// mounted: the process may not make any file longer than `bytes` (and is
// not stopped for trying), as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old {};
    void (*m_oldSignal)(int) = SIG_DFL;
};

// Each writer alone on a full disk (a small mounted file system, or where
// none can be mounted every write refused past its first byte): a failure
// comes back, the old files keep every byte and nothing is left beside them.
TEST_F(ReplacedFilesTest, AFullDiskKeepsTheOldFileAndReportsTheFailure)
{
    for (const Writer& writer : writers()) {
        SCOPED_TRACE(writer.name);
        const bool realDisk = mountSmallDisk();
        makeFolders();
        QStringList paths;
        for (const QString& target : writer.targets) {
            paths << folder(writer) + QLatin1Char('/') + target;
            writeFile(paths.last(), oldBytes + target.toUtf8());
        }
        // a writer that opens the file itself is held by the process's
        // file size limit
        std::optional<FileSizeLimit> sizeLimit;
        if (realDisk)
            fillDisk();
        else
            AtomicFile::setWriteLimitForTesting(0);
        presenter.clear();
        if (!realDisk && writer.writesByName)
            sizeLimit.emplace(0);

        QString said;
        EXPECT_FALSE(writer.write(*this, paths, &said));
        sizeLimit.reset();

        for (const QString& target : writer.targets)
            EXPECT_EQ(contents(folder(writer) + QLatin1Char('/') + target), oldBytes + target.toUtf8())
                << target.toStdString();
        EXPECT_EQ(QDir(folder(writer)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                  writer.targets);
        TearDown();
        SetUp();
    }
}

// Each writer over old files of several modes, a link to a file in another
// folder, a link that leads nowhere and a link to a folder. A writable file
// is replaced and keeps its mode (a secret file its owner's bits alone); a
// read-only one is refused and kept. A link stays a link and the file it
// names is replaced in its own folder; a link that leads nowhere or to a
// folder is refused, and nothing is made anywhere. Refusals say why where
// the writer tells reasons at all.
TEST_F(ReplacedFilesTest, ModesAndLinksAtTheFile)
{
    QTemporaryDir elsewhere;
    enum class Kind { Mode, Link, Dangling, LinkToFolder };
    const struct
    {
        const char* name;
        Kind kind;
        mode_t mode;
        const char* reason; // of a refusal
    } cases[] = {
        {"0600", Kind::Mode, 0600, nullptr},
        {"0640", Kind::Mode, 0640, nullptr},
        {"0664", Kind::Mode, 0664, nullptr},
        {"0444", Kind::Mode, 0444, "is read-only."},
        {"link to a file in another folder", Kind::Link, 0640, nullptr},
        {"dangling link", Kind::Dangling, 0, "which does not exist."},
        {"link to a folder", Kind::LinkToFolder, 0, "is a folder."},
    };
    for (const auto& c : cases) {
        for (const Writer& writer : writers()) {
            if (writer.targets.isEmpty())
                continue; // a pasted picture gets a new name of its own
            SCOPED_TRACE(std::string(writer.name) + ", " + c.name);
            makeFolders();
            QDir(elsewhere.path()).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(elsewhere.path()));
            QStringList paths;
            QStringList files; // where the bytes lie
            for (const QString& target : writer.targets) {
                paths << folder(writer) + QLatin1Char('/') + target;
                files << (c.kind == Kind::Mode ? paths.last() : elsewhere.filePath(target));
                if (c.kind == Kind::Mode || c.kind == Kind::Link) {
                    writeFile(files.last(), oldBytes + target.toUtf8());
                    ASSERT_EQ(::chmod(QFile::encodeName(files.last()).constData(), c.mode), 0);
                }
                const QString linked = c.kind == Kind::Dangling ? elsewhere.filePath("gone/" + target)
                    : c.kind == Kind::LinkToFolder              ? elsewhere.path()
                                                                : files.last();
                if (c.kind != Kind::Mode) {
                    ASSERT_TRUE(QFile::link(linked, paths.last()));
                }
            }
            const QStringList here = entries(folder(writer));
            const QStringList there = entries(elsewhere.path());
            presenter.clear();

            QString said;
            const bool written = writer.write(*this, paths, &said);

            EXPECT_EQ(written, c.reason == nullptr) << said.toStdString();
            if (!written && writer.saysWhy) {
                EXPECT_TRUE(said.contains(QLatin1String(c.reason))) << said.toStdString();
            }
            for (int i = 0; i < paths.size(); ++i) {
                const QString& target = writer.targets[i];
                EXPECT_EQ(QFileInfo(paths[i]).isSymLink(), c.kind != Kind::Mode) << target.toStdString();
                if (c.kind == Kind::Link) {
                    EXPECT_EQ(QFileInfo(paths[i]).symLinkTarget(), files[i]) << target.toStdString();
                }
                if (c.kind == Kind::Mode || c.kind == Kind::Link) {
                    const QByteArray now = contents(files[i]);
                    EXPECT_EQ(now == oldBytes + target.toUtf8(), !written) << target.toStdString();
                    // a secret file is made the owner's alone as soon as it is read
                    const mode_t expected = writer.secret ? c.mode & 0700 : c.mode;
                    EXPECT_EQ(modeOf(files[i]), expected) << target.toStdString();
                }
            }
            EXPECT_EQ(entries(folder(writer)).join(' '), here.join(' '));
            EXPECT_EQ(entries(elsewhere.path()).join(' '), there.join(' '));
            for (const QString& file : files)
                ::chmod(QFile::encodeName(file).constData(), 0600);
            TearDown();
            SetUp();
        }
    }
}

// Each writer with a symbolic link at its file naming, relative to the
// link's folder, a file elsewhere: the write succeeds, the link stays as it
// was and the file it names holds what was written. (Before links were
// followed, the link itself was replaced by the written file.)
TEST_F(ReplacedFilesTest, ALinkAtTheFileIsFollowedNotReplaced)
{
    QTemporaryDir elsewhere;
    for (const Writer& writer : writers()) {
        if (writer.targets.isEmpty())
            continue;   // a pasted picture gets a new name of its own
        SCOPED_TRACE(writer.name);
        makeFolders();
        QDir(elsewhere.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(elsewhere.path()));
        QStringList paths;
        for (const QString& target : writer.targets) {
            const QString outside = elsewhere.filePath(target);
            writeFile(outside, oldBytes + target.toUtf8());
            paths << folder(writer) + QLatin1Char('/') + target;
            const QString relative = QDir(QFileInfo(folder(writer)).canonicalFilePath()).relativeFilePath(outside);
            ASSERT_TRUE(relative.startsWith("../")) << relative.toStdString();
            ASSERT_EQ(::symlink(QFile::encodeName(relative).constData(), QFile::encodeName(paths.last()).constData()),
                      0);
        }
        presenter.clear();

        QString said;
        EXPECT_TRUE(writer.write(*this, paths, &said)) << said.toStdString();

        for (const QString& target : writer.targets) {
            const QFileInfo link(folder(writer) + QLatin1Char('/') + target);
            EXPECT_TRUE(link.isSymLink()) << target.toStdString();
            EXPECT_EQ(link.canonicalFilePath(), QFileInfo(elsewhere.filePath(target)).canonicalFilePath());
            const QByteArray now = contents(elsewhere.filePath(target));
            EXPECT_FALSE(now.isEmpty()) << target.toStdString();
            EXPECT_NE(now, oldBytes + target.toUtf8()) << target.toStdString();
        }
        EXPECT_EQ(entries(elsewhere.path()).join(' '), writer.targets.join(' '));
        TearDown();
        SetUp();
    }
}

} // namespace
