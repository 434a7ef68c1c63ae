#include "output/SheetPdfJob.h"

#include "output/PdfJoiner.h"
#include "platform/AllocatorPools.h"
#include "platform/AtomicFile.h"
#include "platform/ProcessorCores.h"
#include "platform/WaitingEvents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>


namespace {

struct Run
{
    int first = 0;
    int last = 0;
    QString file;
    bool written = false;
    MissingPictures pictures;
    // Why the run's temporary file could not be written; empty when it was.
    QString error;
};

// Pages first..last of the job drawn by one PDF writer into `device`. Every
// finished page counts in `done`; `stop` or `stopped` (when given) set ends
// the run early (it fails).
bool writePages(QIODevice& device, const SheetLayout& layout, const SheetPagination& pagination,
                const SheetPainter::SideSource& source, const QString& title, int first, int last, int ahead,
                std::atomic<int>& done, const std::atomic<bool>& stop, const std::atomic<bool>* stopped,
                MissingPictures& pictures)
{
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setResolution(SheetPdfJob::resolution);
    // the sheet as it lies, its top-left corner the painter's origin
    writer.setPageLayout(QPageLayout(QPageSize(layout.sheetSize(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.scale(SheetPdfJob::resolution / 72.0, SheetPdfJob::resolution / 72.0);
    SheetPainter sheets(layout, pagination, source);
    sheets.setRenderedAhead(ahead);
    bool drawn = sheets.paintPages(painter, first, last, [&] {
        ++done;
        return !stop.load() && !(stopped && stopped->load()) && writer.newPage();
    });
    pictures = sheets.missingPictures();
    drawn = painter.end() && drawn;
    if (drawn)
        ++done;
    return drawn;
}

// Waits until `finished` is true, asking `progress` at every pass, with the
// pages done so far, whether to go on; on the GUI thread the events keep
// flowing, as a worker may ask it for a message box and wait, and the job's
// progress window takes its Stop. False when `progress` asked to stop.
bool waitFor(const std::function<bool()>& finished, const std::atomic<int>& done,
             const std::function<bool(int)>& progress)
{
    QCoreApplication* app = QCoreApplication::instance();
    const bool gui = app && QThread::currentThread() == app->thread();
    bool going = true;
    while (!finished()) {
        if (gui)
            WaitingEvents::process();
        if (progress)
            going = progress(done.load());
        if (!going)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (progress && going)
        going = progress(done.load());
    return going;
}

}

QString SheetPdfJob::stoppedMessage()
{
    return QStringLiteral("The PDF job was stopped.");
}

SheetPdfJob::Result SheetPdfJob::print(const SheetLayout& layout, const SheetPagination& pagination,
                                       SheetPainter::SideSource source, const QString& path,
                                       const QString& title)
{
    return print(layout, pagination, std::move(source), path, title, Options());
}

SheetPdfJob::Result SheetPdfJob::print(const SheetLayout& layout, const SheetPagination& pagination,
                                       SheetPainter::SideSource source, const QString& path, const QString& title,
                                       const Options& options)
{
    Result result;
    if (pagination.isEmpty()) {
        result.message = SheetPagination::emptyJobMessage();
        return result;
    }
    const QSizeF sheet = layout.sheetSize();
    if (sheet.isEmpty()) {
        result.message = QStringLiteral("The paper has no size.");
        return result;
    }
    AtomicFile file(path);
    if (!file.open()) {
        result.message = file.errorString();
        return result;
    }
    const int pages = pagination.pageCount();
    const int cores = ProcessorCores::usable();
    int writers = options.writers > 0 ? options.writers
                                      : std::min(cores, (pages + pagesPerWriter - 1) / pagesPerWriter);
    writers = std::clamp(writers, 1, pages);

    // the runs of pages, each written on a thread of its own into a
    // temporary file (one writer: straight into the job's file)
    QTemporaryDir folder;
    if (writers > 1 && !folder.isValid()) {
        file.discard();
        result.message = QStringLiteral("No temporary folder for the PDF pages: %1").arg(folder.errorString());
        return result;
    }
    std::vector<Run> runs(static_cast<size_t>(writers));
    for (int i = 0; i < writers; ++i) {
        runs[size_t(i)].first = 1 + int(qint64(pages) * i / writers);
        runs[size_t(i)].last = int(qint64(pages) * (i + 1) / writers);
        runs[size_t(i)].file = folder.filePath(QStringLiteral("pages-%1.pdf").arg(i + 1));
    }
    // without it, each writer's pool keeps every large buffer it ever used
    if (writers > 1)
        AllocatorPools::keepSmall();
    // the records of a run are rendered ahead of its painter, the cores shared
    const int ahead = std::max(2, cores / writers);
    std::atomic<int> done {0};
    std::atomic<bool> stop {false};
    std::atomic<int> running {writers};
    std::vector<std::thread> threads;
    for (Run& run : runs) {
        threads.emplace_back([&, run = &run] {
            if (writers == 1) {
                run->written = writePages(file, layout, pagination, source, title, run->first, run->last, ahead, done,
                                          stop, options.stop, run->pictures);
            } else {
                QFile out(run->file);
                run->written = out.open(QIODevice::WriteOnly)
                    && writePages(out, layout, pagination, source, title, run->first, run->last, ahead, done, stop,
                                  options.stop, run->pictures);
                out.close();
                // a full temporary folder is the file's failure, not the drawing's
                if (out.error() != QFileDevice::NoError) {
                    run->written = false;
                    run->error = out.errorString();
                }
            }
            // one run that fails ends the others
            if (!run->written)
                stop = true;
            --running;
        });
    }
    const bool going = waitFor([&] { return running.load() == 0; }, done, options.progress)
        && !(options.stop && options.stop->load());
    if (!going)
        stop = true;
    for (std::thread& thread : threads)
        thread.join();
    for (const Run& run : runs)
        result.pictures.append(run.pictures);

    if (!going) {
        file.discard();
        result.message = stoppedMessage();
        result.stopped = true;
        result.pages = std::min(done.load(), pages);
        return result;
    }
    if (!std::all_of(runs.begin(), runs.end(), [](const Run& run) { return run.written; })) {
        file.discard();
        // the run that failed first ended the others, which have no reason of their own
        const auto failed = std::find_if(runs.begin(), runs.end(), [](const Run& run) { return !run.error.isEmpty(); });
        result.message = failed == runs.end()
            ? QStringLiteral("A card could not be drawn.")
            : QStringLiteral("The PDF pages could not be written in the temporary folder %1: %2")
                  .arg(QDir::toNativeSeparators(QFileInfo(folder.path()).absolutePath()), failed->error);
        return result;
    }
    if (writers > 1) {
        // the writers' threads leave their freed buffers in the allocator's
        // per-thread pools; handing them back keeps the join's memory on top
        // of what is in use, not of everything the writers ever held
        AllocatorPools::trim();
        QStringList files;
        for (const Run& run : runs)
            files << run.file;
        QString error;
        int joined = 0;
        if (!PdfJoiner::join(files, file, &error, &joined) || joined != pages) {
            file.discard();
            result.message = QStringLiteral("The PDF pages could not be joined: %1").arg(error);
            return result;
        }
    }
    if (!file.commit()) {
        result.message = file.errorString();
        return result;
    }
    result.ok = true;
    result.pages = pages;
    return result;
}
