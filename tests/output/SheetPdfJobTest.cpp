// Print jobs of card batches written as PDF and checked with independent
// tools: page count and size (pdfinfo), how every picture is stored
// (pdfimages), and the rendered pages (pdftoppm) where every card must stand
// in its cell and every barcode read back as its record's value.

#include "common/ObjectTestSupport.h"
#include "app/Globals.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "canvas/SideSnapshot.h"
#include "data/BatchBinding.h"
#include "model/SKTBarcode.h"
#include "output/SheetPainter.h"
#include "output/PdfJoiner.h"
#include "output/SheetPdfJob.h"
#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <set>

#include <sys/resource.h>

namespace {

constexpr double renderDpi = 150;

GraphicPtr boundBarcode(const QString& series, const QString& symbology, QRectF bounds)
{
    auto graphic = std::make_shared<SKTBarcode>();
    graphic->_bounds = bounds;
    graphic->data_source_type = 1;
    graphic->batch_list_name = series;
    graphic->barcode_font_index = int(BarcodeSettings::symbologyTitles().indexOf(symbology));
    graphic->qr_size_val = int(bounds.width());
    return graphic;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A part of a rendered page (page rectangle in points) on a quiet zone.
QString decodedIn(const QImage& page, const QRectF& points)
{
    const double scale = renderDpi / 72.0;
    const QImage part = page.copy(QRectF(points.topLeft() * scale, points.size() * scale).toAlignedRect());
    QImage padded(part.width() + 60, part.height() + 60, QImage::Format_RGB32);
    padded.fill(Qt::white);
    QPainter(&padded).drawImage(30, 30, part);
    return ObjectTestSupport::decodeBarcode(padded).text;
}

// Dark pixels of a page outside the given rectangles (points).
int inkOutside(const QImage& page, const std::vector<QRectF>& areas)
{
    const double scale = renderDpi / 72.0;
    int ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QPointF at((x + 0.5) / scale, (y + 0.5) / scale);
            bool inside = false;
            for (const QRectF& area : areas)
                inside = inside || area.adjusted(-1, -1, 1, 1).contains(at);
            ink += !inside && qGray(page.pixel(x, y)) < 160;
        }
    return ink;
}

class SheetPdfJobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QStringList values;
        for (int r = 0; r < records; ++r)
            values << QString("CARD-%1").arg(r + 100);
        QFile file(store.filePath("guests"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(values.join('\n').toUtf8() + "\n");
        file.close();
        front = {boundBarcode("guests", "Code 128", {10, 50, 220, 80})};
        back = {boundBarcode("guests", "QR Code", {70, 20, 100, 100})};
        binding = BatchBinding(store, front, back, true, {});
        binding.setBarcodeMaker(&BarcodeProducer::pictureForObject);
        binding.Check_Series_Or_Excel_Use_or_not();
    }

    SheetPainter::SideSource source()
    {
        const SideSnapshot frontShot(front, Card_Property(), 0, card, Resource_Path);
        const SideSnapshot backShot(back, Card_Property(), 0, card, Resource_Path);
        return SheetPainter::snapshotSource(frontShot, backShot, [this](SideSnapshot& shot, int record) {
            ++binds;
            return binding.Assign_Batch_Values_To_Control(shot.graphics(), record);
        });
    }

    static constexpr int records = 7;
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir dir;
    SeriesStore store {dir.path(), "txt"};
    GraphicList front, back;
    BatchBinding binding;
    const QRectF card {0, 0, 243, 153};
    std::atomic<int> binds {0};
};

}

TEST_F(SheetPdfJobTest, BatchPdfHasEveryCardInItsCellAndEveryBarcodeReads)
{
    ASSERT_EQ(binding.totalCards, records);
    const struct {
        const char* name;
        QString side, arrangement;
        int position, rows, columns, total, landscape, pages;
    } cases[] = {
        // 7 of 7 records, both sides front above back, 2 x 2: the last page
        // holds 3 cards
        {"both U", "BOTH", "U", 1, 2, 2, records, false, 2},
        // front left of back on landscape paper, block centred; a typed
        // total past the records leaves the rest blank
        {"both L", "BOTH", "L", 5, 2, 1, 9, true, 5},
        {"back only", "B", "U", 9, 3, 2, records, false, 2},
    };
    for (const auto& c : cases) {
        SheetLayout layout;
        layout.setPaper({595.28, 841.89});
        layout.setLandscape(c.landscape);
        layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 18;
        layout.horizontalGap = layout.verticalGap = 20;
        layout.setCardSize(card.size());
        layout.setSide(c.side);
        layout.setArrangement(c.arrangement);
        layout.position = c.position;
        layout.setRows(c.rows);
        layout.setColumns(c.columns);
        ASSERT_EQ(layout.fitted(), layout) << c.name;
        const SheetPagination pagination(c.rows, c.columns, c.total, records);
        const QString pdf = dir.filePath(QString("%1.pdf").arg(c.name));
        const SheetPdfJob::Result result = SheetPdfJob::print(layout, pagination, source(), pdf);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_EQ(result.pages, c.pages);

        const QString info = run("pdfinfo", {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(c.pages)))) << info.toStdString();
        // the writer's page is whole points
        const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), layout.sheetSize().width(), 0.5) << c.name;
        EXPECT_NEAR(size.captured(2).toDouble(), layout.sheetSize().height(), 0.5) << c.name;

        // every picture in the file is stored lossless (barcodes are pictures)
        const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        EXPECT_FALSE(images.isEmpty()) << c.name;
        for (const QString& line : images) {
            const QStringList columns = line.simplified().split(' ');
            ASSERT_GT(columns.size(), 8);
            EXPECT_NE(columns[8].toStdString(), "jpeg") << c.name << ": " << line.toStdString();
        }

        const QString prefix = dir.filePath(QString("%1-page").arg(c.name));
        run("pdftoppm", {"-r", QString::number(renderDpi), "-png", pdf, prefix});
        QStringList pages = QDir(dir.path()).entryList({QString("%1-page-*.png").arg(c.name)}, QDir::Files, QDir::Name);
        ASSERT_EQ(pages.size(), c.pages) << c.name;
        std::set<int> seen;
        for (int p = 1; p <= c.pages; ++p) {
            const QImage page(dir.filePath(pages[p - 1]));
            ASSERT_FALSE(page.isNull());
            std::vector<QRectF> cards;
            for (const SheetPagination::Cell& cell : pagination.cellsOfPage(p)) {
                const SheetLayout::Placement place = layout.placement(cell.row, cell.column, card.size());
                const QString value = QString("CARD-%1").arg(cell.record + 100);
                for (const QRectF& area : {place.picture, place.back})
                    if (!area.isEmpty()) {
                        cards.push_back(area);
                        EXPECT_EQ(decodedIn(page, area), value) << c.name << " page " << p << " at " << area.y();
                    }
                seen.insert(cell.record);
            }
            // nothing outside the cards: no card is out of place, and cells
            // past the records stay blank
            EXPECT_EQ(inkOutside(page, cards), 0) << c.name << " page " << p;
        }
        EXPECT_EQ(int(seen.size()), records) << c.name;
    }
}

TEST_F(SheetPdfJobTest, PagesAreTheSameWhateverWasDrawnBefore)
{
    SheetLayout layout;
    layout.setPaper({600, 400});
    layout.setCardSize(card.size());
    layout.setColumns(2);
    const SheetPagination pagination(1, 2, records, records);
    SheetPainter sheets(layout, pagination, source());
    const auto draw = [&](int page) {
        QImage image(QSize(600, 400) * renderDpi / 72, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.scale(renderDpi / 72, renderDpi / 72);
        EXPECT_TRUE(sheets.paintPage(painter, page));
        return image;
    };
    const QImage third = draw(3), first = draw(1), again = draw(3);
    EXPECT_EQ(third, again);
    EXPECT_NE(third, first);
    EXPECT_EQ(decodedIn(third, layout.placement(1, 2, card.size()).picture), "CARD-105");
    // each record bound once per drawing of its cell, the designed card not at all
    EXPECT_EQ(binds.load(), 6);

    // a job of no card writes nothing
    const QString pdf = dir.filePath("none.pdf");
    const SheetPdfJob::Result none = SheetPdfJob::print(layout, SheetPagination(1, 2, 0), source(), pdf);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.message, "There is no barcode to print.");
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(SheetPdfJob::print(layout, pagination, source(), dir.filePath("missing/job.pdf")).ok);
}

TEST_F(SheetPdfJobTest, PagesWrittenByWritersAtOnceJoinIntoTheSameDocument)
{
    // one card a page, both sides: runs of 2, 2 and 3 pages from three writers
    SheetLayout layout;
    layout.setPaper({300, 400});
    layout.setCardSize(card.size());
    layout.setSide("BOTH");
    layout.setArrangement("U");
    const SheetPagination pagination(1, 1, records, records);
    const auto infoOf = [&](const QString& pdf) {
        QString info = run("pdfinfo", {pdf});
        info.remove(QRegularExpression("(CreationDate|ModDate|File size|Optimized|PDF version):[^\\n]*\\n"));
        return info;
    };
    const auto rasterise = [&](const QString& pdf, const QString& prefix) {
        run("pdftoppm", {"-r", QString::number(renderDpi), "-gray", "-png", pdf, dir.filePath(prefix)});
        std::vector<QImage> pages;
        for (const QString& name : QDir(dir.path()).entryList({prefix + "-*.png"}, QDir::Files, QDir::Name))
            pages.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_Grayscale8));
        return pages;
    };

    const QString one = dir.filePath("one.pdf");
    SheetPdfJob::Options single;
    single.writers = 1;
    ASSERT_TRUE(SheetPdfJob::print(layout, pagination, source(), one, "Guests", single).ok);

    const QString joined = dir.filePath("joined.pdf");
    std::vector<int> told;
    SheetPdfJob::Options three;
    three.writers = 3;
    three.progress = [&](int pages) {
        told.push_back(pages);
        return true;
    };
    const SheetPdfJob::Result result = SheetPdfJob::print(layout, pagination, source(), joined, "Guests", three);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.pages, records);
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), records);

    // the same pages, size and title for the reader, drawn the same
    const QString info = infoOf(joined);
    EXPECT_EQ(info, infoOf(one));
    EXPECT_TRUE(info.contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(records)))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Guests\\n"))) << info.toStdString();
    const std::vector<QImage> want = rasterise(one, "one"), got = rasterise(joined, "joined");
    ASSERT_EQ(want.size(), size_t(records));
    ASSERT_EQ(got.size(), want.size());
    for (size_t p = 0; p < want.size(); ++p) {
        ASSERT_EQ(got[p].size(), want[p].size()) << "page " << p + 1;
        int worst = 0;
        for (int y = 0; y < want[p].height(); ++y)
            for (int x = 0; x < want[p].width(); ++x)
                worst = std::max(worst, std::abs(got[p].constScanLine(y)[x] - want[p].constScanLine(y)[x]));
        EXPECT_LE(worst, 1) << "page " << p + 1;
        const SheetLayout::Placement place = layout.placement(1, 1, card.size());
        EXPECT_EQ(decodedIn(got[p], place.picture), QString("CARD-%1").arg(p + 100));
    }
    // pictures stay lossless, and one that several writers wrote (a caption
    // every card shows) is stored once, as one writer stores it
    const QStringList images = run("pdfimages", {"-list", joined}).split('\n', Qt::SkipEmptyParts).mid(2);
    for (const QString& line : images)
        EXPECT_FALSE(line.contains(" jpeg ")) << line.toStdString();
    std::set<QString> objects;
    for (const QString& line : images)
        objects.insert(line.simplified().split(' ').value(10));
    std::set<QString> oneObjects;
    for (const QString& line : run("pdfimages", {"-list", one}).split('\n', Qt::SkipEmptyParts).mid(2))
        oneObjects.insert(line.simplified().split(' ').value(10));
    EXPECT_LE(objects.size(), oneObjects.size());

    // stopped: the old file stays, no page is left behind
    SheetPdfJob::Options stopped = three;
    stopped.progress = [](int) { return false; };
    const QByteArray before = [&] {
        QFile file(joined);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const SheetPdfJob::Result stop = SheetPdfJob::print(layout, pagination, source(), joined, "Guests", stopped);
    EXPECT_TRUE(stop.stopped && !stop.ok);
    EXPECT_EQ(stop.message, SheetPdfJob::stoppedMessage());
    // a Stop set from any thread: each writer ends with the page it draws
    const std::atomic<bool> halt {true};
    stopped = three;
    stopped.stop = &halt;
    const SheetPdfJob::Result ended = SheetPdfJob::print(layout, pagination, source(), joined, "Guests", stopped);
    EXPECT_TRUE(ended.stopped && !ended.ok);
    EXPECT_EQ(ended.pages, 3);
    QFile after(joined);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.pdf.*", ".*pdf*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(SheetPdfJobTest, AJoinThatFailsKeepsTheOldFileAndSaysWhy)
{
    SheetLayout layout;
    layout.setPaper({300, 400});
    layout.setCardSize(card.size());
    const SheetPagination pagination(1, 1, records, records);
    SheetPdfJob::Options three;
    three.writers = 3;
    const QString pdf = dir.filePath("kept.pdf");
    ASSERT_TRUE(AtomicFile::save(pdf, "old"));

    // the disk fills while the runs are joined: the writes are refused
    AtomicFile::setWriteLimitForTesting(4096);
    const SheetPdfJob::Result full = SheetPdfJob::print(layout, pagination, source(), pdf, QString(), three);
    AtomicFile::setWriteLimitForTesting(-1);
    EXPECT_FALSE(full.ok);
    EXPECT_TRUE(full.message.startsWith("The PDF pages could not be joined")) << full.message.toStdString();
    // the temporary folder fills while the writers write their runs: the
    // message names that folder and the system's reason
    QTemporaryDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit {};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit limit {64, oldLimit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const SheetPdfJob::Result tempFull = SheetPdfJob::print(layout, pagination, source(), pdf, QString(), three);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);
    qputenv("TMPDIR", oldTemp);
    EXPECT_EQ(tempFull.message,
              "The PDF pages could not be written in the temporary folder " + QFileInfo(temp.path()).canonicalFilePath()
                  + ": File too large")
        << tempFull.message.toStdString();
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");

    // files that are no PDF, or none, are refused with a reason
    QFile text(dir.filePath("text.pdf"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a PDF file\n");
    text.close();
    for (const QStringList& files :
         {QStringList {text.fileName()}, QStringList {}, QStringList {dir.filePath("none")}}) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QString error;
        EXPECT_FALSE(PdfJoiner::join(files, out, &error)) << files.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}
