// Every file the program replaces (design files, exported pictures,
// templates, series files, workbooks, PDFs, pasted pictures, the mail
// settings) on a disk that is full: the write is reported as failed and the
// old file stays byte for byte. And with a symbolic link where the file goes:
// the link is replaced, the file it points to stays as it was.

#include "WindowControllerFixture.h"

#include "app/Globals.h"
#include "canvas/CardPasteboard.h"
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

#include <functional>
#include <sys/mount.h>
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
        // Writes them; whether the program took the write for done.
        std::function<bool(ReplacedFilesTest&, const QStringList& paths)> write;
        bool writesByName = false;   // through a writer that takes a path, not our device
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
            {"design file", "files", {"party.fcard"},
             [](ReplacedFilesTest& t, const QStringList& paths) {
                 Project_File_Name = paths[0];
                 const bool saved = t.controller->Save_project_file(false, true);
                 const bool announced = t.presenter.texts().join('|').contains("saved successfully");
                 EXPECT_EQ(saved, announced) << t.presenter.texts().join('|').toStdString();
                 return saved;
             }},
            {"exported picture", "files", {"Card_2.png"},
             [](ReplacedFilesTest&, const QStringList& paths) {
                 QImage card(300, 200, QImage::Format_ARGB32);
                 card.fill(Qt::darkCyan);
                 return writeCardPicture(card, paths[0]);
             }},
            {"template", "User", {"Gala.fcard", "Gala.png"},
             [](ReplacedFilesTest& t, const QStringList&) {
                 t.presenter.scriptAnswers({true});   // replace the old one
                 Export_Template::setModalRun([](Export_Template& dialog) {
                     dialog.template_name->setText(QStringLiteral("Gala"));
                     dialog.OKPressed();
                     return dialog.result();
                 });
                 t.controller->Export_As_Template_Clicked();
                 Export_Template::setModalRun({});
                 const QString said = t.presenter.texts().join('|');
                 EXPECT_NE(said.contains(SKTWindowController::templateExportedMessage),
                           said.contains(SKTWindowController::templateFailedMessage))
                     << said.toStdString();
                 return said.contains(SKTWindowController::templateExportedMessage);
             }},
            {"series file", "files", {"guests.txt"},
             [](ReplacedFilesTest&, const QStringList& paths) {
                 return SeriesFileWriter::writeValues(paths[0], {"Ann", "Bo"});
             }},
            {"series store", "files", {"guests.txt"},
             [](ReplacedFilesTest&, const QStringList& paths) {
                 const SeriesStore store(QFileInfo(paths[0]).absolutePath(), QStringLiteral("txt"));
                 return store.write(QStringLiteral("guests"), {"Cy"}, SeriesStore::WriteMode::Append);
             }},
            {"workbook", "files", {"guests.xlsx"},
             [](ReplacedFilesTest&, const QStringList& paths) {
                 return SpreadsheetWriter::WriteWorkbook(paths[0], {{"Name"}, {"Ann"}}, true);
             }},
            {"sheet PDF", "files", {"sheet.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths) {
                 SheetLayout layout;
                 layout.setPaper({595.28, 841.89});
                 layout.setCardSize({243, 153});
                 const auto source = SheetPainter::snapshotSource(t.controller->batchSideSnapshot(0),
                                                                  t.controller->batchSideSnapshot(1), {});
                 return SheetPdfJob::print(layout.fitted(), SheetPagination(1, 1, 1, 0), source, paths[0]).ok;
             }},
            {"print window PDF", "files", {"printed.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths) {
                 NoPrinters none;
                 Print_Wnd window(nullptr, t.controller.get(), none);
                 window.Open_Print_Wnd();
                 return window.printToPdf(paths[0]);
             },
             true},
            {"document PDF", "files", {"document.pdf"},
             [](ReplacedFilesTest& t, const QStringList& paths) {
                 const auto operation =
                     t.document->printOperationWithSettings({{PrintOperation::outputFileNameSetting, paths[0]}});
                 return operation && operation->runOperation();
             },
             true},
            {"pasted picture", "LibraryImage", {},
             [](ReplacedFilesTest&, const QStringList&) {
                 QImage picture(40, 30, QImage::Format_RGB32);
                 picture.fill(Qt::yellow);
                 return !CardPasteboard::storePastedPicture(picture).isEmpty();
             }},
            {"mail settings", "files", {"Settings.plist"},
             [](ReplacedFilesTest&, const QStringList& paths) {
                 Preferences settings(paths[0]);
                 settings.setsend_email_Recipient(QStringLiteral("new@example.org"));
                 return settings.flush();
             }},
        };
    }

    QTemporaryDir base;
    bool mounted = false;
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
        if (realDisk) {
            fillDisk();
        } else if (writer.writesByName) {
            // only a disk that is really full fails a writer that opens the file itself
            TearDown();
            SetUp();
            continue;
        } else {
            AtomicFile::setWriteLimitForTesting(0);
        }
        presenter.clear();

        EXPECT_FALSE(writer.write(*this, paths));

        for (const QString& target : writer.targets)
            EXPECT_EQ(contents(folder(writer) + QLatin1Char('/') + target), oldBytes + target.toUtf8())
                << target.toStdString();
        EXPECT_EQ(QDir(folder(writer)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                  writer.targets);
        TearDown();
        SetUp();
    }
}

// Each writer with a symbolic link at its file pointing to a file elsewhere:
// the write succeeds, the link is now the written file and the file it
// pointed to is unchanged.
TEST_F(ReplacedFilesTest, ALinkAtTheFileIsReplacedNotWrittenThrough)
{
    QTemporaryDir elsewhere;
    for (const Writer& writer : writers()) {
        if (writer.targets.isEmpty())
            continue;   // a pasted picture gets a new name of its own
        SCOPED_TRACE(writer.name);
        makeFolders();
        QStringList paths;
        for (const QString& target : writer.targets) {
            const QString outside = elsewhere.filePath(target);
            writeFile(outside, oldBytes + target.toUtf8());
            paths << folder(writer) + QLatin1Char('/') + target;
            ASSERT_TRUE(QFile::link(outside, paths.last()));
        }
        presenter.clear();

        EXPECT_TRUE(writer.write(*this, paths)) << presenter.texts().join('|').toStdString();

        for (const QString& target : writer.targets) {
            EXPECT_EQ(contents(elsewhere.filePath(target)), oldBytes + target.toUtf8()) << target.toStdString();
            const QFileInfo written(folder(writer) + QLatin1Char('/') + target);
            EXPECT_FALSE(written.isSymLink()) << target.toStdString();
            EXPECT_TRUE(written.isFile()) << target.toStdString();
            EXPECT_NE(contents(written.filePath()), oldBytes + target.toUtf8()) << target.toStdString();
        }
        TearDown();
        SetUp();
    }
}

} // namespace
