#include "output/BatchPictureExport.h"

#include "output/CardExportPlan.h"
#include "platform/ProcessorCores.h"

#include <QByteArray>
#include <QImage>
#include <QMutex>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

BatchPictureExport::Result BatchPictureExport::run(const Job& job, const std::atomic<bool>& stop,
                                                   const std::function<void(int)>& progress)
{
    Result result;
    std::atomic<int> next {0};
    std::atomic<int> done {0};
    std::atomic<bool> failed {false};
    std::atomic<bool> stopped {false};
    QMutex failureMutex;

    // Pictures are drawn side by side but written in record order: a record
    // waits until every record before it is written (or the batch failed).
    std::mutex turnMutex;
    std::condition_variable turnChanged;
    int nextToWrite = 0;
    auto awaitTurn = [&](int record) {
        std::unique_lock lock(turnMutex);
        turnChanged.wait(lock, [&] { return nextToWrite == record || failed.load(); });
        return !failed.load();
    };
    auto passTurn = [&] {
        {
            std::lock_guard lock(turnMutex);
            ++nextToWrite;
        }
        turnChanged.notify_all();
    };

    auto fail = [&](const QString& path, const QString& error) {
        {
            QMutexLocker lock(&failureMutex);
            if (!failed.exchange(true)) {
                result.failedPath = path;
                result.error = error;
            }
        }
        // wakes the records waiting for their turn, which then end
        std::lock_guard lock(turnMutex);
        turnChanged.notify_all();
    };

    auto worker = [&] {
        const CardExportPlan sample = CardExportPlan::forRecord(job.folder, 0, job.type, job.sides, job.combined);
        SideSnapshot front;
        SideSnapshot back;
        if (sample.drawFront)
            front = job.front;
        if (sample.drawBack)
            back = job.back;
        for (;;) {
            if (failed.load())
                return;
            if (stop.load()) {
                stopped = true;
                return;
            }
            const int record = next.fetch_add(1);
            if (record >= job.records)
                return;
            const CardExportPlan plan =
                CardExportPlan::forRecord(job.folder, record, job.type, job.sides, job.combined);
            QImage frontPicture;
            QImage backPicture;
            QList<PicturePath::Unread> missing;
            if (plan.drawBack) {
                if (job.bind)
                    job.bind(back, record);
                backPicture = back.picture(job.dpi).image();
                missing = back.picturesNotDrawn();
            }
            if (plan.drawFront) {
                if (job.bind)
                    job.bind(front, record);
                frontPicture = front.picture(job.dpi).image();
                missing = front.picturesNotDrawn() + missing;
            }
            // Encoded here, side by side with the other workers; only the
            // writes wait for the record's turn.
            struct Encoded
            {
                QString path;
                QByteArray data;
                QString error;
            };
            std::vector<Encoded> files;
            const auto encode = [&files](const QImage& picture, const QString& path) {
                Encoded file {path, {}, {}};
                file.data = encodeCardPicture(picture, path, &file.error);
                files.push_back(std::move(file));
            };
            if (plan.combined) {
                encode(combinedCardPicture(frontPicture, backPicture), plan.frontFile);
            } else {
                if (!plan.backFile.isEmpty())
                    encode(backPicture, plan.backFile);
                if (!plan.frontFile.isEmpty())
                    encode(frontPicture, plan.frontFile);
            }
            if (!awaitTurn(record))
                return;
            for (const Encoded& file : files) {
                QString error = file.error;
                if (file.data.isEmpty()
                    || !writeCardPictureData(file.data, file.path, &error, AtomicFile::Links::Replace))
                    return fail(file.path, error);
            }
            {
                QMutexLocker lock(&failureMutex);
                result.pictures.addCard(record, missing);
            }
            passTurn();
            const int count = done.fetch_add(1) + 1;
            if (progress)
                progress(count);
        }
    };

    const int threads = std::max(1, std::min(job.threads > 0 ? job.threads : ProcessorCores::usable(),
                                             std::max(job.records, 1)));
    std::vector<std::thread> workers;
    workers.reserve(size_t(threads));
    for (int i = 0; i < threads; ++i)
        workers.emplace_back(worker);
    for (std::thread& t : workers)
        t.join();

    result.records = job.records;
    result.recordsDone = done.load();
    result.stopped = stopped.load() && !failed.load();
    return result;
}
