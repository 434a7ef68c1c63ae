// Filling a picture browser with 500 photos: how long the window is held up
// (filling returns, thumbnails still to come), how long until every
// thumbnail is shown, and, for comparison, decoding them all on the GUI
// thread as a browser that loads synchronously must before it can go on.
// Prints the medians (wall clock) and their ratios at the end.

#include "mainwindow/PictureBrowser.h"
#include "mainwindow/PictureListModel.h"
#include "mainwindow/ThumbnailLoader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr int pictureCount = 500;

// 500 photo-sized JPEG files (1200 x 800), made once.
QString pictureFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        for (int i = 0; i < pictureCount; ++i) {
            QImage image(1200, 800, QImage::Format_RGB32);
            QPainter painter(&image);
            QLinearGradient gradient(0, 0, 1200, 800);
            gradient.setColorAt(0, QColor::fromHsv(i * 7 % 360, 120, 240));
            gradient.setColorAt(1, QColor::fromHsv(i * 13 % 360, 200, 120));
            painter.fillRect(image.rect(), gradient);
            painter.setPen(QPen(Qt::white, 6));
            for (int k = 0; k < 12; ++k)
                painter.drawEllipse(QPoint((i * 37 + k * 97) % 1200, (i * 53 + k * 61) % 800), 40 + k * 5, 30 + k * 3);
            painter.end();
            image.save(dir.filePath(QString("photo%1.jpg").arg(i, 3, 10, QChar('0'))), "JPG", 85);
        }
    }
    return dir.path();
}

void waitForThumbnails(PictureListModel& model)
{
    while (model.pendingThumbnails() > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
}

}

// The time filling keeps the GUI thread: the window can paint and answer
// again as soon as it returns.
static void BM_FillReturns(benchmark::State& state)
{
    const QString folder = pictureFolder();
    for (auto _ : state) {
        state.PauseTiming();
        auto browser = std::make_unique<PictureBrowser>();
        state.ResumeTiming();
        browser->pictures()->addPicturesOfFolder(folder);
        benchmark::DoNotOptimize(browser->pictures()->count());
        state.PauseTiming();
        browser.reset();   // drops the queued decodes
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillReturns)->Iterations(3)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

// Until the last thumbnail is shown, the event loop running meanwhile.
static void BM_FillUntilAllThumbnails(benchmark::State& state)
{
    const QString folder = pictureFolder();
    for (auto _ : state) {
        state.PauseTiming();
        auto browser = std::make_unique<PictureBrowser>();
        state.ResumeTiming();
        browser->pictures()->addPicturesOfFolder(folder);
        waitForThumbnails(*browser->pictures());
        state.PauseTiming();
        browser.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillUntilAllThumbnails)->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

// Every picture decoded (scaled while read) and made an icon on the GUI
// thread, one after the other.
static void BM_DecodeAllSynchronously(benchmark::State& state)
{
    const QString folder = pictureFolder();
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (auto _ : state) {
        int made = 0;
        for (const QString& name : names) {
            const QIcon icon(QPixmap::fromImage(ThumbnailLoader::load(dir.filePath(name), PictureListModel::thumbnailSize())));
            made += icon.isNull() ? 0 : 1;
        }
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(BM_DecodeAllSynchronously)->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);

namespace {

// Keeps the median wall-clock time of each benchmark.
class MedianRealTimes : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    pictureFolder();
    MedianRealTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double fill = reporter.times["BM_FillReturns"];
    const double all = reporter.times["BM_FillUntilAllThumbnails"];
    const double sync = reporter.times["BM_DecodeAllSynchronously"];
    if (fill > 0 && all > 0 && sync > 0) {
        std::printf("\n%d pictures, medians: filling returns %.1f ms, all thumbnails %.1f ms, "
                    "synchronous decoding %.1f ms\n",
                    pictureCount, fill, all, sync);
        std::printf("synchronous / filling returns: %.1fx; synchronous / all thumbnails: %.2fx\n", sync / fill,
                    sync / all);
    }
    return 0;
}
