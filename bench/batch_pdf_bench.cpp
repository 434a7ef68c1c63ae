// Batch output at scale, as people use it: cards of a text, a 600 x 600
// photo, a QR Code and a Code 128, every value from a data series, printed
// through SheetPdfJob; the same cards exported as PNG files; 20 cards with
// an adjusted 12-megapixel photo; and the first canvas draw of such a photo.
// The card and sheet are bench/BatchBenchCard.h's.
//
// Each run reports its wall time, the CPU time of the process, the cores
// that kept busy (CPU / wall), the peak resident memory of the run and the
// size of what it wrote. These are in-process figures: the time of the job
// alone, without the program's start-up and loading. Runs are single
// iterations repeated (5 by default, --benchmark_repetitions to change) and
// summarised by their medians. bench/run_batch_pdf_peer.sh times the whole
// program (bench/batch_pdf_cards) beside a peer program instead.

#include "app/Globals.h"
#include "bench/BatchBenchCard.h"
#include "barcodes/BarcodeProducer.h"
#include "barcodes/BarcodeSettings.h"
#include "canvas/SideSnapshot.h"
#include "data/BatchBinding.h"
#include "data/SeriesStore.h"
#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "output/BatchPictureExport.h"
#include "output/SheetPainter.h"
#include "output/SheetPdfJob.h"
#include "platform/ProcessorCores.h"
#include "platform/ResourceFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The peak resident memory since the last reset, in MiB (VmHWM).
double peakMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A photo-like picture: smooth gradients with some texture.
QImage photo(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 255 / width + (x * y) % 7) & 255, y * 255 / height, ((x + y) * 3) % 256);
    }
    return image;
}

// The records and the card of a run, in a folder of their own.
struct Cards
{
    QTemporaryDir dir;
    SeriesStore store {dir.path(), "txt"};
    GraphicList front;
    BatchBinding binding;
    int records = 0;

    Cards(int count, const QImage& picture, const QSizeF& pictureSize, const ImageAdjustments& adjust) : records(count)
    {
        const auto write = [&](const QString& name, const QString& pattern) {
            QFile file(store.filePath(name));
            file.open(QIODevice::WriteOnly);
            QByteArray data;
            for (int r = 0; r < count; ++r)
                data += pattern.arg(r + 1, 6, 10, QLatin1Char('0')).toUtf8() + '\n';
            file.write(data);
        };
        write("names", "Guest %1");
        write("codes", "BF-%1");
        picture.save(dir.filePath("photo.png"));

        const auto places = BatchBenchCard::place("BF-000001");
        front = BatchBenchCard::front(dir.filePath("photo.png"), picture, places.value_or(BatchBenchCard::Barcodes()));
        auto* image = static_cast<SKTImage*>(front[1].get());
        image->_contents = Picture(picture, pictureSize);
        image->_bounds = QRectF(QPointF(BatchBenchCard::card().width() - 8 - pictureSize.width(), 8), pictureSize);
        image->gray_Scale = adjust.gray_Scale;
        image->Sepia = adjust.Sepia;
        image->brt_val = adjust.brt_val;
        image->con_val = adjust.con_val;
        image->sat_val = adjust.sat_val;
        image->srp_val = adjust.srp_val;
        binding = BatchBinding(store, front, {}, false, {});
        binding.setBarcodeMaker(&BarcodeProducer::pictureForObject);
        binding.Check_Series_Or_Excel_Use_or_not();
    }

    SideSnapshot snapshot() const
    {
        return SideSnapshot(front, Card_Property(), 0, BatchBenchCard::card(), Resource_Path);
    }
    SheetPainter::SideSource source() const
    {
        return SheetPainter::snapshotSource(snapshot(), SideSnapshot(), [this](SideSnapshot& shot, int record) {
            return binding.Assign_Batch_Values_To_Control(shot.graphics(), record);
        });
    }
};

// The cards' 600 x 600 photo: BATCH_BENCH_PHOTO names a picture file to use
// (the peer script gives both programs the same), else one made here.
QImage cardPhoto()
{
    const QString path = qEnvironmentVariable("BATCH_BENCH_PHOTO");
    const QImage file = path.isEmpty() ? QImage() : QImage(path);
    return file.isNull() ? photo(600, 600) : file;
}

ImageAdjustments noAdjustments()
{
    return {};
}

ImageAdjustments fourAdjustments()
{
    ImageAdjustments a;
    a.Sepia = true;
    a.brt_val = 0.05f;
    a.con_val = 1.1f;
    a.srp_val = 0.4f;
    return a;
}

void report(benchmark::State& state, double wall, double cpu, double bytes)
{
    state.SetIterationTime(wall);
    state.counters["cpu_s"] = cpu;
    state.counters["cores"] = wall > 0 ? cpu / wall : 0;
    state.counters["peak_MiB"] = peakMiB();
    state.counters["out_MB"] = bytes / 1e6;
}

double folderBytes(const QString& path)
{
    double bytes = 0;
    for (const QFileInfo& info : QDir(path).entryInfoList(QDir::Files))
        bytes += double(info.size());
    return bytes;
}

void printCards(benchmark::State& state, const Cards& cards)
{
    const SheetLayout layout = BatchBenchCard::sheet();
    const SheetPagination pagination(5, 2, cards.records, cards.records);
    const QString pdf = cards.dir.filePath("cards.pdf");
    for (auto _ : state) {
        QFile::remove(pdf);
        resetPeak();
        QElapsedTimer wall;
        const double cpu = cpuSeconds();
        wall.start();
        // BATCH_BENCH_WRITERS=<n> sets the PDF writers at once (1: one
        // writer for the whole job); by default one per core
        SheetPdfJob::Options options;
        options.writers = qEnvironmentVariableIntValue("BATCH_BENCH_WRITERS");
        const SheetPdfJob::Result result = SheetPdfJob::print(layout, pagination, cards.source(), pdf, QString(),
                                                              options);
        const double seconds = wall.nsecsElapsed() / 1e9;
        if (!result.ok)
            state.SkipWithError(result.message.toStdString().c_str());
        report(state, seconds, cpuSeconds() - cpu, double(QFileInfo(pdf).size()));
        // BATCH_BENCH_KEEP=<folder> keeps the file for a look at it
        if (const QString keep = qEnvironmentVariable("BATCH_BENCH_KEEP"); !keep.isEmpty()) {
            const QString kept = QDir(keep).filePath(QString("cards-%1.pdf").arg(cards.records));
            QFile::remove(kept);
            QFile::copy(pdf, kept);
        }
    }
}

}

static void BM_BatchPdf(benchmark::State& state)
{
    const Cards cards(int(state.range(0)), cardPhoto(), QSizeF(90, 90), noAdjustments());
    printCards(state, cards);
}
BENCHMARK(BM_BatchPdf)->Arg(10)->Arg(1000)->Arg(10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

static void BM_AdjustedPhotoPdf(benchmark::State& state)
{
    const Cards cards(int(state.range(0)), photo(4000, 3000), QSizeF(90, 112), fourAdjustments());
    printCards(state, cards);
}
BENCHMARK(BM_AdjustedPhotoPdf)->Arg(20)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

static void BM_PictureExport(benchmark::State& state)
{
    const Cards cards(int(state.range(0)), cardPhoto(), QSizeF(90, 90), noAdjustments());
    for (auto _ : state) {
        QTemporaryDir out;
        BatchPictureExport::Job job;
        job.front = cards.snapshot();
        job.bind = [&cards](SideSnapshot& shot, int record) {
            return cards.binding.Assign_Batch_Values_To_Control(shot.graphics(), record);
        };
        job.folder = out.path();
        job.type = "png";
        job.sides = "F";
        job.records = cards.records;
        job.threads = int(state.range(1));
        const std::atomic<bool> stop {false};
        resetPeak();
        QElapsedTimer wall;
        const double cpu = cpuSeconds();
        wall.start();
        const BatchPictureExport::Result result = BatchPictureExport::run(job, stop);
        const double seconds = wall.nsecsElapsed() / 1e9;
        if (result.recordsDone != cards.records)
            state.SkipWithError("not every picture was written");
        report(state, seconds, cpuSeconds() - cpu, folderBytes(out.path()));
    }
}
BENCHMARK(BM_PictureExport)->Args({1000, 0})->Args({1000, 1})->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// A window that draws one picture object, as the canvas does.
class PictureWindow : public QWidget
{
public:
    SKTImage* image = nullptr;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (image) {
            image->drawContentsInView(painter, false);
            ++paints;
        }
    }
};

// The first draw of an adjusted 12-megapixel photo in a window at 100 %:
// what the GUI thread spends before the canvas shows it.
static void BM_CanvasFirstDraw(benchmark::State& state)
{
    const QImage picture = photo(4000, 3000);
    PictureWindow window;
    window.resize(800, 600);
    window.show();
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    for (auto _ : state) {
        SKTImage image;
        image._file_path = "photo.png";
        image._contents = Picture(picture, QSizeF(400, 300));
        image._bounds = QRectF(20, 20, 400, 300);
        const ImageAdjustments a = fourAdjustments();
        image.Sepia = a.Sepia;
        image.brt_val = a.brt_val;
        image.con_val = a.con_val;
        image.srp_val = a.srp_val;
        window.image = &image;
        resetPeak();
        QElapsedTimer wall;
        const double cpu = cpuSeconds();
        wall.start();
        const int before = window.paints;
        window.repaint();
        const double seconds = wall.nsecsElapsed() / 1e9;
        if (window.paints == before)
            state.SkipWithError("the window did not paint");
        report(state, seconds, cpuSeconds() - cpu, 0);
        window.image = nullptr;
    }
}
BENCHMARK(BM_CanvasFirstDraw)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir resources;
    ResourceFolder::prepare(resources.path());
    setResourcePath(resources.path());

    std::vector<char*> args {argv[0]};
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=false";
    args.push_back(repetitions);
    args.push_back(aggregates);
    args.insert(args.end(), argv + 1, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    std::fprintf(stderr, "usable cores: %d\n", ProcessorCores::usable());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
