#include "output/MailAttachments.h"

#include "output/CardExportPlan.h"

#include <QDir>
#include <QFile>

namespace {

const QString attachmentType = QStringLiteral("jpeg");

bool moveOver(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::rename(from, to);
}

}

MailAttachments::MailAttachments(const QString& folder, const QString& baseName, const QString& sides)
    : m_folder(folder), m_base(baseName), m_sides(sides)
{
}

QString MailAttachments::frontPath() const
{
    return QDir(m_folder).filePath(m_base + QLatin1Char('.') + attachmentType);
}

QString MailAttachments::backPath() const
{
    return CardExportPlan::backPath(frontPath());
}

QStringList MailAttachments::render(const SideSnapshot& front, const SideSnapshot& back,
                                    const BatchPictureExport::Binder& bind, int record) const
{
    // The batch export draws one record into a drawing folder of its own;
    // its files then take the attachments' names.
    const QString drawFolder = QDir(m_folder).filePath(QStringLiteral(".draw"));
    if (!QDir().mkpath(drawFolder))
        return {};
    BatchPictureExport::Job job;
    job.front = front;
    job.back = back;
    if (bind && record >= 0)
        job.bind = [bind, record](SideSnapshot& snapshot, int) { return bind(snapshot, record); };
    job.folder = drawFolder;
    job.type = attachmentType;
    job.sides = m_sides;
    job.records = 1;
    job.threads = 1;
    const std::atomic<bool> stop {false};
    const BatchPictureExport::Result result = BatchPictureExport::run(job, stop);
    {
        const QMutexLocker lock(&m_picturesMutex);
        m_pictures.append(result.pictures);
    }
    if (result.failed() || result.recordsDone != 1)
        return {};

    const CardExportPlan plan = CardExportPlan::forRecord(drawFolder, 0, attachmentType, m_sides, false);
    QStringList attachments;
    if (!plan.backFile.isEmpty()) {
        if (!moveOver(plan.backFile, backPath()))
            return {};
        attachments << backPath();
    }
    if (!plan.frontFile.isEmpty()) {
        if (!moveOver(plan.frontFile, frontPath()))
            return {};
        attachments << frontPath();
    }
    return attachments;
}

MissingPictures MailAttachments::missingPictures() const
{
    const QMutexLocker lock(&m_picturesMutex);
    return m_pictures;
}

void MailAttachments::clear() const
{
    QFile::remove(frontPath());
    QFile::remove(backPath());
    QDir(QDir(m_folder).filePath(QStringLiteral(".draw"))).removeRecursively();
}
