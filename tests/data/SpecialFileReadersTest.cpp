// Every reader of a file named by a design, a dialog or a workbook opens it
// only when it is a regular file, at once: a FIFO without a writer, a
// device, standard input or a folder is refused as unreadable, while a link
// to a regular file still reads. Each special file would give a valid file
// to a reader that wrongly reads it, and none of them can hang the test.

#include "WorkbookTestSupport.h"

#include "common/SpecialFiles.h"
#include "common/SyntheticWorkbooks.h"
#include "data/SeriesImportSources.h"
#include "data/SeriesValueList.h"
#include "data/WorkbookAccess.h"
#include "platform/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray workbook()
{
    namespace SW = SyntheticWorkbooks;
    QTemporaryDir made;
    QFile file(made.filePath("book.xlsx"));
    const QList<SW::Part> sheet {{"xl/worksheets/sheet1.xml", SW::textSheet({{"Name"}, {"Ann"}})}};
    const bool written = SW::writeArchive(file.fileName(), SW::tabParts("a>worksheets/sheet1.xml", "Guests>a") + sheet);
    EXPECT_TRUE(written && file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QByteArray png()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

TEST(SpecialFileReaders, OnlyRegularFilesAreReadAndNoneWaits)
{
    WorkbookTestSupport::ScopedTempFolder temp;
    QTemporaryDir dir;
    const QByteArray names = "Ann\nBob\n";
    struct Reader
    {
        const char* name;
        QByteArray payload;
        QString suffix;
        // "read" (the payload's values), "refused" (the reader's own refusal) or "other"
        std::function<const char*(const QString& path)> outcome;
    };
    const Reader readers[] = {
        {"text, CSV and RTF import", names, ".txt",
         [](const QString& path) {
             const SeriesImportSources::Result result = SeriesImportSources::valuesFromTextFile(path);
             if (result.message == SeriesImportSources::unreadableFileMessage)
                 return "refused";
             return result.values == QStringList {"Ann", "Bob"} ? "read" : "other";
         }},
        {"series file to edit and to view", names, "",
         [](const QString& path) {
             SeriesValueList edit, view;
             const auto result = std::pair(edit.load(path, true), view.load(path, false));
             if (result == std::pair(SeriesValueList::LoadResult::Unreadable, SeriesValueList::LoadResult::Unreadable))
                 return "refused";
             const bool read = result.first == SeriesValueList::LoadResult::Loaded && result.second == result.first;
             return read && edit.count() == 2 && view.count() == 2 ? "read" : "other";
         }},
        {"workbook, at import and at the reopen check", workbook(), ".xlsx",
         [](const QString& path) {
             const WorkbookAccess& access = WorkbookAccess::installed();
             const bool read = access.open(path).size() == 1;
             access.release();
             return read ? "read" : "refused";
         }},
        {"picture, signature, background and photo", png(), ".png",
         [](const QString& path) { return Picture::fromFile(path).isNull() ? "refused" : "read"; }},
    };
    for (const Reader& reader : readers) {
        for (const SpecialFiles::Kind kind : SpecialFiles::AllKinds) {
            const SpecialFiles::Made made(kind, dir.path(), reader.payload, reader.suffix);
            ASSERT_TRUE(made.ok()) << SpecialFiles::name(kind);
            EXPECT_STREQ(reader.outcome(made.path()), kind == SpecialFiles::Kind::LinkToRegular ? "read" : "refused")
                << reader.name << " on a " << SpecialFiles::name(kind);
            EXPECT_FALSE(made.touched()) << reader.name << " on a " << SpecialFiles::name(kind);
        }
    }
}
