// Sending a batch of mails through a scripted send hook: the recipients,
// the attachments drawn per record, pauses, Stop and a failure in the middle.

#include "output/MailAttachments.h"
#include "output/MailBatch.h"

#include "canvas/SideSnapshot.h"
#include "common/ObjectTestSupport.h"
#include "model/SKTText.h"
#include "app/Globals.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Mail
{
    QString to;
    QStringList names;          // the attachments' file names
    QList<QByteArray> digests;  // and their contents when sent
};

// A send hook that records every mail and fails the run `failAt` (from 0).
struct ScriptedSend
{
    QList<Mail> mails;
    int failAt = -1;
    std::function<void()> onSend;
    MailBatch::Send hook()
    {
        return [this](const QString& to, const QStringList& attachments) {
            Mail mail {to, {}, {}};
            for (const QString& path : attachments) {
                mail.names << QFileInfo(path).fileName();
                QFile file(path);
                mail.digests << (file.open(QIODevice::ReadOnly)
                                     ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                     : QByteArray());
            }
            const bool ok = mails.size() != failAt;
            mails << mail;
            if (onSend)
                onSend();
            return MailBatch::Delivery(ok, ok ? QString() : QStringLiteral("refused ") + to);
        };
    }
};

MailBatch::Job recordJob(MailPlan::Mode mode, const QStringList& to, int records)
{
    MailBatch::Job job;
    job.mode = mode;
    job.recipients = to;
    job.records = records;
    job.render = [](int record, QStringList* attachments) {
        *attachments = {QStringLiteral("/tmp/r%1").arg(record)};
        return true;
    };
    job.sleep = [](int) {};
    return job;
}

}

TEST(MailBatchTest, FiveRecordsDrawnAndNamedPerRecord)
{
    ObjectTestSupport::ScopedResourceFolder resources;
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(10, 10, 200, 40);
    const SideSnapshot side(GraphicList {text}, Card_Property(), 0, QRectF(0, 0, 240, 150), Resource_Path);
    const BatchPictureExport::Binder bind = [](SideSnapshot& snapshot, int record) {
        std::static_pointer_cast<SKTText>(snapshot.graphics().at(0))
            ->Text_contents()->setString(QStringLiteral("Guest %1").arg(record + 1));
        return QString();
    };
    QTemporaryDir folder;
    const MailAttachments pictures(folder.path(), QStringLiteral("Invite"), QStringLiteral("BOTH"));

    const QStringList to {"a@b.com", "c@d.com"};
    MailBatch::Job job = recordJob(MailPlan::Mode::EveryRecipient, to, 5);
    job.render = [&](int record, QStringList* attachments) {
        *attachments = pictures.render(side, side, bind, record);
        return !attachments->isEmpty();
    };
    ScriptedSend send;
    job.send = send.hook();
    QList<int> progress;
    const std::atomic<bool> stop {false};
    const MailBatch::Result result = MailBatch::run(job, stop, [&](int step, int steps) {
        EXPECT_EQ(steps, 5);
        progress << step;
    });

    EXPECT_TRUE(result.success());
    EXPECT_EQ(progress, (QList<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(send.mails.size(), 10);
    for (int i = 0; i < 10; ++i) {
        const Mail& mail = send.mails.at(i);
        EXPECT_EQ(mail.to, to.at(i % 2));
        EXPECT_EQ(mail.names, (QStringList{"Invite_Back.jpeg", "Invite.jpeg"}));
        EXPECT_EQ(mail.digests, send.mails.at(i - i % 2).digests);   // one drawing per record
        if (i >= 2) {
            EXPECT_NE(mail.digests.at(1), send.mails.at(i - 2).digests.at(1)) << "record " << i / 2;
        }
    }
    EXPECT_FALSE(QImage(pictures.frontPath(), "JPEG").isNull());
    pictures.clear();
    EXPECT_FALSE(QFileInfo::exists(pictures.frontPath()));
    EXPECT_FALSE(QFileInfo::exists(pictures.backPath()));
}

TEST(MailBatchTest, RunsPerMode)
{
    const QStringList three {"a@b.com", "c@d.com", "e@f.com"};
    const struct {
        MailPlan::Mode mode;
        int records;
        int failAt;
        int runs;
        int failed;
        QStringList attached;
        int planned;
        bool ended;         // the failure ended the send
        QString reason;     // of the failed mail
    } cases[] = {
        // a failed mail ends one-per-recipient sending
        {MailPlan::Mode::OnePerRecipient, 5, 1, 2, 1, {"/tmp/r0", "/tmp/r1"}, 3, true, "refused c@d.com"},
        // and only that record's mails in to-every mode: 5 records x 3, one failure
        {MailPlan::Mode::EveryRecipient, 5, 4, 15 - 2 + 1, 1, {}, 15, false, "refused c@d.com"},
        {MailPlan::Mode::OnePerRecipient, 2, -1, 2, 0, {"/tmp/r0", "/tmp/r1"}, 2, false, ""},
        {MailPlan::Mode::CurrentCard, 0, -1, 3, 0, {"/tmp/r-1", "/tmp/r-1", "/tmp/r-1"}, 3, false, ""},
        {MailPlan::Mode::CurrentCard, 0, 2, 3, 1, {}, 3, true, "refused e@f.com"},
        {MailPlan::Mode::Plain, 0, 0, 1, 1, {}, 3, true, "refused a@b.com"},
    };
    for (const auto& c : cases) {
        MailBatch::Job job = recordJob(c.mode, three, c.records);
        int drawn = 0;
        const MailBatch::Render render = job.render;
        job.render = [&](int record, QStringList* a) { ++drawn; return render(record, a); };
        ScriptedSend send;
        send.failAt = c.failAt;
        job.send = send.hook();
        const std::atomic<bool> stop {false};
        const MailBatch::Result result = MailBatch::run(job, stop);
        EXPECT_EQ(result.runs, c.runs);
        EXPECT_EQ(result.failedRuns, c.failed);
        EXPECT_EQ(result.success(), c.failed == 0);
        EXPECT_EQ(result.planned, c.planned);
        EXPECT_EQ(result.sent(), c.runs - c.failed);
        EXPECT_EQ(result.endedByFailure, c.ended);
        EXPECT_EQ(result.reason, c.reason);
        if (c.mode == MailPlan::Mode::CurrentCard) {
            EXPECT_EQ(drawn, 1);
        }
        if (!c.attached.isEmpty()) {
            QStringList attached;
            for (const Mail& m : send.mails)
                attached << m.names;
            QStringList names;
            for (const QString& a : c.attached)
                names << QFileInfo(a).fileName();
            EXPECT_EQ(attached, names);
        }
    }
}

TEST(MailBatchTest, SkippedRecordAndPlainAttachment)
{
    MailBatch::Job job = recordJob(MailPlan::Mode::OnePerRecipient, {"a@b.com", "c@d.com", "e@f.com"}, 3);
    job.render = [](int record, QStringList* a) { *a = {"x"}; return record != 1; };
    ScriptedSend send;
    job.send = send.hook();
    const std::atomic<bool> stop {false};
    MailBatch::Result result = MailBatch::run(job, stop);
    EXPECT_EQ(result.runs, 2);
    EXPECT_EQ(result.skippedRecords, 1);
    EXPECT_FALSE(result.success());   // not every planned mail went

    QTemporaryDir folder;
    const QString existing = folder.filePath("note.txt");
    QFile(existing).open(QIODevice::WriteOnly);
    for (const QString& path : {existing, folder.filePath("missing.txt")}) {
        MailBatch::Job plain = recordJob(MailPlan::Mode::Plain, {"a@b.com"}, 0);
        plain.plainAttachment = QStringLiteral("  ") + path;
        ScriptedSend s;
        plain.send = s.hook();
        EXPECT_TRUE(MailBatch::run(plain, stop).success());
        ASSERT_EQ(s.mails.size(), 1);
        EXPECT_EQ(s.mails.at(0).names.size(), path == existing ? 1 : 0);
    }
}

TEST(MailBatchTest, PausesAndStop)
{
    const QStringList five {"1@b.com", "2@b.com", "3@b.com", "4@b.com", "5@b.com"};
    const struct { int every; int seconds; int pauses; int slept; } cases[] = {
        {2, 10, 2, 20000},  // after the 2nd and the 4th mail, none after the last
        {0, 10, 0, 0},      // N = 0 never pauses
        {1, 1, 4, 4000},    // a pause of one second lasts one second
        {5, 10, 0, 0},
    };
    for (const auto& c : cases) {
        MailBatch::Job job = recordJob(MailPlan::Mode::CurrentCard, five, 0);
        job.pauseEvery = c.every;
        job.pauseMilliseconds = MailPlan::pauseMilliseconds(0, 0, c.seconds);
        int slept = 0;
        job.sleep = [&](int ms) { EXPECT_LE(ms, 1000); slept += ms; };
        ScriptedSend send;
        job.send = send.hook();
        const std::atomic<bool> stop {false};
        const MailBatch::Result result = MailBatch::run(job, stop);
        EXPECT_EQ(result.pauses, c.pauses);
        EXPECT_EQ(slept, c.slept);
        EXPECT_EQ(send.mails.size(), 5);
    }

    // Stop pressed during a pause ends it within a second, then the send.
    MailBatch::Job job = recordJob(MailPlan::Mode::CurrentCard, five, 0);
    job.pauseEvery = 2;
    job.pauseMilliseconds = 60000;
    std::atomic<bool> stop {false};
    int slices = 0;
    job.sleep = [&](int) { if (++slices == 3) stop = true; };
    ScriptedSend send;
    job.send = send.hook();
    MailBatch::Result result = MailBatch::run(job, stop);
    EXPECT_EQ(slices, 3);
    EXPECT_EQ(send.mails.size(), 2);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.success());

    // Stop between the recipients of a record in to-every mode.
    stop = false;
    MailBatch::Job every = recordJob(MailPlan::Mode::EveryRecipient, five, 3);
    ScriptedSend s;
    s.onSend = [&] { if (s.mails.size() == 7) stop = true; };
    every.send = s.hook();
    result = MailBatch::run(every, stop);
    EXPECT_EQ(s.mails.size(), 7);
    EXPECT_TRUE(result.stopped);
    EXPECT_FALSE(result.success());
}

// The countdown of a pause ticks with the time left before each second and
// 0 at its end; a stop ends it at the next second.
TEST(MailBatchTest, PauseCountdownTicks)
{
    const struct
    {
        qint64 milliseconds;
        int stopAfter;
        QList<qint64> ticks;
        int slept;
    } cases[] = {
        {2500, 0, {2500, 1500, 500, 0}, 2500},
        {1000, 0, {1000, 0}, 1000},
        {0, 0, {0}, 0},
        {60000, 2, {60000, 59000, 0}, 2000},
    };
    for (const auto& c : cases) {
        std::atomic<bool> stop {false};
        QList<qint64> ticks;
        int slept = 0;
        int slices = 0;
        MailBatch::countDown(
            c.milliseconds, stop,
            [&](int ms) {
                slept += ms;
                if (++slices == c.stopAfter)
                    stop = true;
            },
            [&](qint64 left) { ticks << left; });
        EXPECT_EQ(ticks, c.ticks) << c.milliseconds;
        EXPECT_EQ(slept, c.slept) << c.milliseconds;
    }
}
