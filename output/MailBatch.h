#pragma once

// Runs the steps of a mail send (MailPlan) on the calling thread, a worker:
// draws each step's attachments through a hook, hands each mail to a send
// hook (the mail script, or a scripted one in tests), pauses after every N
// mails and honours a stop flag before each step, before each recipient and
// during a pause. Touches no widget.

#include "output/MailPlan.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <utility>

class MailBatch
{
public:
    // The attachments of a record (-1: the current card), back before
    // front; false when its pictures could not be made.
    using Render = std::function<bool(int record, QStringList* attachments)>;
    // What became of one mail: sent, or why not.
    struct Delivery
    {
        Delivery(bool sent, QString reason = {}) : sent(sent), reason(std::move(reason)) {}
        bool sent;
        QString reason;
    };
    // Sends one mail.
    using Send = std::function<Delivery(const QString& to, const QStringList& attachments)>;
    // Waits `milliseconds` (at most one second at a time).
    using Sleep = std::function<void(int milliseconds)>;

    struct Job
    {
        MailPlan::Mode mode = MailPlan::Mode::Plain;
        QStringList recipients;
        int records = 0;
        QString plainAttachment;    // Plain mode: sent when it names an existing file
        int pauseEvery = 0;         // mails between pauses; 0: no pause
        qint64 pauseMilliseconds = 0;
        Render render;
        Send send;
        Sleep sleep;                // default: QThread::msleep
    };

    struct Result
    {
        int planned = 0;        // mails the run was to send
        int runs = 0;           // mails handed to the send hook
        int failedRuns = 0;
        int skippedRecords = 0; // records whose pictures could not be made
        int pauses = 0;
        bool stopped = false;
        bool endedByFailure = false;    // a failed mail ended the run
        QString reason;                 // why the last failed mail was not sent
        int sent() const { return runs - failedRuns; }
        // Every planned mail was sent.
        bool success() const { return runs > 0 && failedRuns == 0 && skippedRecords == 0 && !stopped; }
    };

    // `progress` gets the number of the step in hand and the number of
    // steps; `pause` runs each pause of the send (by default countDown
    // without ticks).
    using Pause = std::function<void(qint64 milliseconds)>;
    static Result run(const Job& job, const std::atomic<bool>& stop,
                      const std::function<void(int step, int steps)>& progress = {}, const Pause& pause = {});
    // Waits `milliseconds` through `sleep` (QThread::msleep when empty), at
    // most a second at a time, until the time is up or `stop` is set;
    // `tick` gets the time left before each second and 0 at the end.
    static void countDown(qint64 milliseconds, const std::atomic<bool>& stop, const Sleep& sleep,
                          const std::function<void(qint64 remaining)>& tick = {});
};
