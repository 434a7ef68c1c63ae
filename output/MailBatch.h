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

class MailBatch
{
public:
    // The attachments of a record (-1: the current card), back before
    // front; false when its pictures could not be made.
    using Render = std::function<bool(int record, QStringList* attachments)>;
    // Sends one mail; true only when it was sent.
    using Send = std::function<bool(const QString& to, const QStringList& attachments)>;
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
        int runs = 0;           // mails handed to the send hook
        int failedRuns = 0;
        int skippedRecords = 0; // records whose pictures could not be made
        int pauses = 0;
        bool stopped = false;
        // Every planned mail was sent.
        bool success() const { return runs > 0 && failedRuns == 0 && skippedRecords == 0 && !stopped; }
    };

    // `progress` gets the number of the step in hand and the number of
    // steps; `pausing` the time left of a pause each second, then 0.
    static Result run(const Job& job, const std::atomic<bool>& stop,
                      const std::function<void(int step, int steps)>& progress = {},
                      const std::function<void(qint64 remaining)>& pausing = {});
};
