// Adjusted photos in batch PDF output: a photo the same on every card is
// adjusted once per job and goes into the file once; a photo bound to the
// records is adjusted once per record; either way on the workers, never on
// the thread that writes the pages.

#include "common/ObjectTestSupport.h"
#include "app/Globals.h"
#include "canvas/SideSnapshot.h"
#include "model/AdjustedPictureCache.h"
#include "model/SKTImage.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <mutex>

namespace {

// Counts the chain's runs and those on the calling (page writing) thread.
class ChainThreads
{
public:
    ChainThreads()
    {
        QThread* writer = QThread::currentThread();
        AdjustedPictureCache::setChain(
            [this, writer](const Picture& p, const ImageAdjustments& s, ImageProcesser::Failures* f) {
                {
                    std::lock_guard lock(mutex);
                    ++runs;
                    onWriter += QThread::currentThread() == writer;
                }
                return ImageProcesser::Get_Processed_Image(p, s, f);
            });
    }
    ~ChainThreads() { AdjustedPictureCache::setChain({}); }
    ChainThreads(const ChainThreads&) = delete;
    ChainThreads& operator=(const ChainThreads&) = delete;

    std::mutex mutex;
    int runs = 0;
    int onWriter = 0;
};

QImage photo(int shade)
{
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x + shade) % 256, (y * 3) % 256, shade));
    return image;
}

// The pictures stored in the file (a picture drawn on several cards is
// stored once and listed at every use).
int photosIn(const QString& pdf)
{
    QProcess process;
    process.start("pdfimages", {"-list", pdf});
    EXPECT_TRUE(process.waitForFinished(60000));
    QSet<QString> objects;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n').mid(2)) {
        const QStringList columns = line.simplified().split(' ');
        if (columns.size() > 10 && columns[2] == "image")
            objects.insert(columns[10]);
    }
    return int(objects.size());
}

}

TEST(SheetPhotoAdjustment, APhotoIsAdjustedOncePerJobOrOncePerRecordOnTheWorkers)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    QTemporaryDir dir;
    constexpr int records = 12;
    const struct
    {
        const char* name;
        bool bound;
        int runs;
        int photos;
    } cases[] = {
        {"the same photo on every card", false, 1, 1},
        // and the designed card's photo, once, for cells without a record
        {"a photo per record", true, records + 1, records},
    };
    for (const auto& c : cases) {
        ChainThreads chain;
        auto image = std::make_shared<SKTImage>();
        image->_file_path = "photo.png";
        image->setContents(Picture(photo(0), QSizeF(800, 600)));
        image->_bounds = QRectF(10, 10, 120, 90);
        image->Sepia = true;
        image->brt_val = 0.1f;
        const QRectF card(0, 0, 243, 153);
        const SideSnapshot front({image}, Card_Property(), 0, card, Resource_Path);
        SheetPainter::RecordBinder bind;
        if (c.bound) {
            bind = [](SideSnapshot& shot, int record) {
                static_cast<SKTImage&>(*shot.graphics().first())
                    .setContents(Picture(photo(record * 20 + 1), QSizeF(800, 600)));
                return QString();
            };
        } else {
            bind = [](SideSnapshot&, int) { return QString(); };
        }
        SheetLayout layout;
        layout.setPaper({595.28, 841.89});
        layout.setCardSize(card.size());
        layout.setSide("F");
        layout.setRows(4);
        layout.setColumns(2);
        const QString pdf = dir.filePath(QString("%1.pdf").arg(c.bound));
        const SheetPdfJob::Result result = SheetPdfJob::print(layout, SheetPagination(4, 2, records, records),
                                                              SheetPainter::snapshotSource(front, SideSnapshot(), bind),
                                                              pdf);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_EQ(chain.runs, c.runs) << c.name;
        EXPECT_EQ(chain.onWriter, 0) << c.name;
        EXPECT_EQ(photosIn(pdf), c.photos) << c.name;
    }
}
