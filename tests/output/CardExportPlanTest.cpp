// Card picture export without a window: file plans and back paths, the
// combined picture, the picture writer, and the batch on worker threads
// with a stand-in binder (order of names, Stop, a failed write).

#include "output/BatchPictureExport.h"
#include "output/CardExportPlan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

namespace {

QImage filled(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}

TEST(CardExportPlanTest, BackPaths)
{
    const struct { const char* path; const char* back; } cases[] = {
        {"/tmp/card.png", "/tmp/card_Back.png"},
        {"/tmp/a.tar.gz", "/tmp/a.tar_Back.gz"},     // the last extension only
        {"/tmp/name", "/tmp/name_Back."},            // no extension: "%@_Back.%@" of ""
        {"/my.folder/card.PNG", "/my.folder/card_Back.PNG"},
        {"card.jpeg", "card_Back.jpeg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CardExportPlan::backPath(c.path), c.back) << c.path;
        EXPECT_EQ(CardExportPlan::frontPath(c.path), c.path);
    }
}

TEST(CardExportPlanTest, FilePlans)
{
    const struct {
        const char* sides; bool combined; int record;
        bool front, back, isCombined; const char* frontFile; const char* backFile;
    } cases[] = {
        {"F", false, -1, true, false, false, "/d/c.png", ""},
        {"F", true, -1, true, false, false, "/d/c.png", ""},          // combined only with BOTH
        {"B", false, -1, false, true, false, "", "/d/c_Back.png"},     // "_Back" for the back alone too
        {"BOTH", false, -1, true, true, false, "/d/c.png", "/d/c_Back.png"},
        {"BOTH", true, -1, true, true, true, "/d/c.png", ""},
        {"F", false, 0, true, false, false, "/d/Card_1.png", ""},
        {"B", false, 41, false, true, false, "", "/d/Card_42_Back.png"},
        {"BOTH", false, 2, true, true, false, "/d/Card_3.png", "/d/Card_3_Back.png"},
        {"BOTH", true, 999, true, true, true, "/d/Card_1000.png", ""},
    };
    for (const auto& c : cases) {
        const CardExportPlan plan = c.record < 0 ? CardExportPlan::forPath("/d/c.png", c.sides, c.combined)
                                                 : CardExportPlan::forRecord("/d", c.record, "png", c.sides, c.combined);
        SCOPED_TRACE(std::string(c.sides) + " record " + std::to_string(c.record));
        EXPECT_EQ(plan.drawFront, c.front);
        EXPECT_EQ(plan.drawBack, c.back);
        EXPECT_EQ(plan.combined, c.isCombined);
        EXPECT_EQ(plan.frontFile, c.frontFile);
        EXPECT_EQ(plan.backFile, c.backFile);
    }
    EXPECT_EQ(CardExportPlan::batchFolder("/home/u/out"), "/home/u/out/Vesk Brightfold");
    EXPECT_EQ(CardExportPlan::extensionOfType("TIFF"), "tiff");
}

TEST(CardExportPlanTest, CombinedPictures)
{
    const QColor front(200, 0, 0), back(0, 0, 200);
    const struct { QSize front, back; } cases[] = {
        {{300, 200}, {300, 200}},
        {{300, 200}, {400, 300}},   // larger back: cut, and covered by the front
        {{300, 200}, {100, 50}},    // smaller back: from the lower-left corner
    };
    for (const auto& c : cases) {
        const QImage combined = combinedCardPicture(filled(c.front.width(), c.front.height(), front),
                                                    filled(c.back.width(), c.back.height(), back));
        SCOPED_TRACE(c.back.width());
        ASSERT_EQ(combined.size(), QSize(c.front.width(), 2 * c.front.height()));
        const int h = c.front.height();
        EXPECT_EQ(combined.pixelColor(0, 0), front);
        EXPECT_EQ(combined.pixelColor(c.front.width() - 1, h - 1), front);
        EXPECT_EQ(combined.pixelColor(0, 2 * h - 1), back);   // the back's lower-left corner
        const bool backFillsHalf = c.back.width() >= c.front.width() && c.back.height() >= h;
        EXPECT_EQ(combined.pixelColor(c.front.width() - 1, h), backFillsHalf ? back : QColor(Qt::transparent));
    }
    // The front is copied, not blended: its transparent parts stay clear over a larger back.
    const QImage clearFront = combinedCardPicture(filled(10, 10, Qt::transparent), filled(20, 30, back));
    EXPECT_EQ(clearFront.pixelColor(5, 5).alpha(), 0);
    EXPECT_TRUE(combinedCardPicture(QImage(), filled(5, 5, back)).isNull());
    EXPECT_TRUE(combinedCardPicture(filled(5, 5, front), QImage()).isNull());
}

TEST(CardExportPlanTest, PicturesEncodedByExtensionAndReplaced)
{
    QTemporaryDir dir;
    const QImage picture = filled(30, 20, QColor(10, 120, 30));
    const struct { const char* name; const char* format; } cases[] = {
        {"a.png", "png"}, {"a.PNG", "png"}, {"a.jpeg", "jpeg"}, {"a.jpg", "jpeg"},
        {"a.tiff", "tiff"}, {"a.bmp", "bmp"}, {"a.xyz", "png"}, {"a", "png"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        QString error;
        ASSERT_TRUE(writeCardPicture(picture, path, &error)) << c.name << " " << error.toStdString();
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), picture.size()) << c.name;
        EXPECT_LE(std::abs(back.pixelColor(5, 5).green() - 120), 4) << c.name;
    }
    // an existing file is replaced
    const QString path = dir.filePath("a.png");
    ASSERT_TRUE(writeCardPicture(filled(7, 9, Qt::red), path));
    EXPECT_EQ(QImage(path).size(), QSize(7, 9));
    // a folder at the path is never replaced, nor a null picture written
    QDir(dir.path()).mkdir("folder.png");
    EXPECT_FALSE(writeCardPicture(picture, dir.filePath("folder.png")));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());
    EXPECT_FALSE(writeCardPicture(QImage(), dir.filePath("null.png")));
    EXPECT_FALSE(QFile::exists(dir.filePath("null.png")));
}

namespace {

// A batch over a blank card; the binder notes each record and can act on one.
struct BatchRun
{
    QTemporaryDir dir;
    BatchPictureExport::Job job;
    std::atomic<bool> stop {false};

    BatchRun(int records, const char* sides, int threads)
    {
        job.front = SideSnapshot({}, Card_Property(), 0, QRectF(0, 0, 60, 40), QString());
        job.back = SideSnapshot({}, Card_Property(), 0, QRectF(0, 0, 60, 40), QString());
        job.folder = dir.path();
        job.type = "png";
        job.sides = sides;
        job.records = records;
        job.threads = threads;
    }
};

}

TEST(CardExportPlanTest, BatchNamesEveryRecordOnEveryWorkerCount)
{
    for (const int threads : {1, 3, 8}) {
        BatchRun run(25, "BOTH", threads);
        const BatchPictureExport::Result result = BatchPictureExport::run(run.job, run.stop);
        EXPECT_EQ(result.recordsDone, 25);
        EXPECT_FALSE(result.failed());
        EXPECT_FALSE(result.stopped);
        QStringList expected;
        for (int r = 1; r <= 25; ++r)
            expected << QString("Card_%1.png").arg(r) << QString("Card_%1_Back.png").arg(r);
        expected.sort();
        EXPECT_EQ(filesIn(run.dir.path()), expected) << threads;
        EXPECT_EQ(QImage(run.dir.filePath("Card_25_Back.png")).size(), QSize(60, 40));
    }
    BatchRun none(0, "F", 0);
    EXPECT_EQ(BatchPictureExport::run(none.job, none.stop).recordsDone, 0);
    EXPECT_TRUE(filesIn(none.dir.path()).isEmpty());
}

TEST(CardExportPlanTest, StopEndsEachWorkerWithinOneRecord)
{
    for (const int threads : {1, 4}) {
        BatchRun run(500, "F", threads);
        run.job.bind = [&](SideSnapshot&, int record) {
            if (record == 10)
                run.stop = true;
            return QString();
        };
        const BatchPictureExport::Result result = BatchPictureExport::run(run.job, run.stop);
        EXPECT_TRUE(result.stopped);
        // record 10 and those other workers already had in hand
        EXPECT_GE(result.recordsDone, 11);
        EXPECT_LE(result.recordsDone, 11 + threads - 1) << threads;
        EXPECT_EQ(filesIn(run.dir.path()).size(), result.recordsDone);
    }
}

TEST(CardExportPlanTest, FailedWriteStopsTheBatchAndLeavesNoPartialFile)
{
    // A folder where record 6's picture goes (fails for every user), and a
    // read-only folder (not for the superuser, who may write anyway).
    for (const bool readOnly : {false, true}) {
        if (readOnly && geteuid() == 0)
            continue;
        for (const int threads : {1, 4}) {
            BatchRun run(200, readOnly ? "BOTH" : "F", threads);
            if (readOnly)
                ASSERT_TRUE(QFile::setPermissions(run.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
            else
                ASSERT_TRUE(QDir(run.dir.path()).mkdir("Card_6.png"));
            const BatchPictureExport::Result result = BatchPictureExport::run(run.job, run.stop);
            QFile::setPermissions(run.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            SCOPED_TRACE(std::to_string(threads) + (readOnly ? " read-only" : " folder in the way"));
            EXPECT_TRUE(result.failed());
            EXPECT_FALSE(result.stopped);
            EXPECT_FALSE(result.error.isEmpty());
            const int stopAt = readOnly ? 0 : 5;
            EXPECT_GE(result.recordsDone, stopAt);
            EXPECT_LE(result.recordsDone, stopAt + threads - 1);
            if (!readOnly) {
                EXPECT_EQ(result.failedPath, run.dir.filePath("Card_6.png"));
            }
            // only whole pictures of whole records: no temporary or partial file
            const QStringList files = filesIn(run.dir.path());
            for (const QString& name : files) {
                EXPECT_TRUE(QRegularExpression("^Card_\\d+(_Back)?\\.png$").match(name).hasMatch()) << name.toStdString();
                EXPECT_FALSE(QImage(run.dir.filePath(name)).isNull()) << name.toStdString();
            }
            EXPECT_EQ(files.size(), readOnly ? 0 : result.recordsDone);
        }
    }
}
