#include "output/MailBatch.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>

MailBatch::Result MailBatch::run(const Job& job, const std::atomic<bool>& stop,
                                 const std::function<void(int, int)>& progress, const Pause& pause)
{
    Result result;
    const QList<MailPlan::Step> steps = MailPlan::steps(job.mode, job.recipients, job.records);
    const int n = int(steps.size());
    const bool batch = job.mode == MailPlan::Mode::EveryRecipient || job.mode == MailPlan::Mode::OnePerRecipient;
    for (const MailPlan::Step& step : steps)
        result.planned += int(step.recipients.size());

    QStringList current;
    bool currentDrawn = false;
    int sinceBreak = 0;
    for (int i = 0; i < n; ++i) {
        if (stop.load()) {
            result.stopped = true;
            break;
        }
        if (progress)
            progress(i + 1, n);
        const MailPlan::Step& step = steps.at(i);

        QStringList attachments;
        if (job.mode == MailPlan::Mode::CurrentCard) {
            if (!currentDrawn) {
                if (!job.render || !job.render(-1, &current))
                    break;      // no card to send: the send has failed without a run
                currentDrawn = true;
            }
            attachments = current;
        } else if (batch) {
            if (!job.render || !job.render(step.record, &attachments)) {
                ++result.skippedRecords;
                continue;
            }
        } else {
            const QString file = job.plainAttachment.trimmed();
            if (!file.isEmpty() && QFileInfo(file).isFile())
                attachments << file;
        }

        bool failed = false;
        for (const QString& to : step.recipients) {
            if (stop.load()) {
                result.stopped = true;
                break;
            }
            ++result.runs;
            const Delivery delivery = job.send(to, attachments);
            if (!delivery.sent) {
                ++result.failedRuns;
                result.reason = delivery.reason;
                failed = true;
                break;
            }
        }
        if (result.stopped)
            break;
        // A failure ends the send, except in to-every mode, where it ends
        // only the record's mails.
        if (failed && job.mode != MailPlan::Mode::EveryRecipient) {
            result.endedByFailure = true;
            break;
        }

        ++sinceBreak;
        if (job.pauseEvery > 0 && sinceBreak >= job.pauseEvery && i + 1 < n) {
            sinceBreak = 0;
            ++result.pauses;
            if (pause)
                pause(job.pauseMilliseconds);
            else
                countDown(job.pauseMilliseconds, stop, job.sleep);
        }
    }
    return result;
}

void MailBatch::countDown(qint64 milliseconds, const std::atomic<bool>& stop, const Sleep& sleep,
                          const std::function<void(qint64)>& tick)
{
    const Sleep wait = sleep ? sleep : Sleep([](int ms) { QThread::msleep(ulong(ms)); });
    qint64 left = milliseconds;
    while (left > 0 && !stop.load()) {
        if (tick)
            tick(left);
        const int slice = int(std::min<qint64>(left, 1000));
        wait(slice);
        left -= slice;
    }
    if (tick)
        tick(0);
}
