#include "mainwindow/ThumbnailLoader.h"

#include "platform/RegularFile.h"
#include "platform/ThreadHandOff.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <QRunnable>
#include <QThread>

#include <algorithm>

// The decode of one picture, run by the pool. Everything it reads is set on
// the GUI thread before the pool takes it, and the results go back through
// the loader's own lock: Qt's queue locks are invisible to ThreadSanitizer,
// so the pool's hand-off is marked (platform/ThreadHandOff.h) and the call
// back is queued by name, built inside Qt.
class ThumbnailLoader::Decode : public QRunnable
{
public:
    Decode(ThumbnailLoader& loader, quint64 key, const QString& path)
        : m_loader(loader)
        , m_current(loader.m_generation)
        , m_generation(m_current->load())
        , m_key(key)
        , m_path(path)
        , m_maxSize(loader.m_maxSize)
    {
    }

    void run() override
    {
        ThreadHandOff::acquire(this);
        if (m_current->load() != m_generation)
            return;
        const QImage thumbnail = load(m_path, m_maxSize);
        if (m_current->load() != m_generation)
            return;
        m_loader.arrive(m_generation, m_key, thumbnail);
    }

private:
    ThumbnailLoader& m_loader;
    std::shared_ptr<std::atomic<quint64>> m_current;
    quint64 m_generation;
    quint64 m_key;
    QString m_path;
    QSize m_maxSize;
};

ThumbnailLoader::ThumbnailLoader(QSize maxSize, QObject* parent)
    : QObject(parent), m_maxSize(maxSize), m_generation(std::make_shared<std::atomic<quint64>>(0))
{
    // One core is left to the GUI thread.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

ThumbnailLoader::~ThumbnailLoader()
{
    cancelAll();
    // A decode under way posts its result to this object; the posted call is
    // dropped with the object's pending events once it is gone.
    m_pool.waitForDone();
    // what the decodes left behind goes under their lock
    const std::lock_guard lock(m_arrivedLock);
    std::vector<Arrival>().swap(m_arrived);
}

void ThumbnailLoader::request(quint64 key, const QString& path)
{
    ++m_pending;
    auto* decode = new Decode(*this, key, path);
    ThreadHandOff::release(decode);
    m_pool.start(decode);
}

void ThumbnailLoader::arrive(quint64 generation, quint64 key, const QImage& thumbnail)
{
    {
        const std::lock_guard lock(m_arrivedLock);
        m_arrived.push_back({generation, key, thumbnail});
    }
    QMetaObject::invokeMethod(this, "deliverArrived", Qt::QueuedConnection);
}

void ThumbnailLoader::deliverArrived()
{
    std::vector<Arrival> arrived;
    {
        const std::lock_guard lock(m_arrivedLock);
        arrived.swap(m_arrived);
    }
    for (const Arrival& arrival : arrived)
        deliver(arrival.generation, arrival.key, arrival.thumbnail);
}

void ThumbnailLoader::cancelAll()
{
    m_generation->fetch_add(1);
    m_pool.clear();
    m_pending = 0;
}

void ThumbnailLoader::deliver(quint64 generation, quint64 key, const QImage& thumbnail)
{
    if (generation != m_generation->load())
        return;
    --m_pending;
    emit thumbnailReady(key, thumbnail);
    if (m_pending == 0)
        emit allArrived();
}

QImage ThumbnailLoader::load(const QString& path, QSize maxSize)
{
    // Only a regular file: a FIFO in the folder would hold up a thread of
    // the pool for good.
    QFile file;
    if (!RegularFile::openForReading(file, path))
        return QImage();
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maxSize.width() || size.height() > maxSize.height()))
        reader.setScaledSize(size.scaled(maxSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > maxSize.width() || image.height() > maxSize.height()))
        image = image.scaled(maxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
