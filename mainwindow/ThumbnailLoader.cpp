#include "mainwindow/ThumbnailLoader.h"

#include "platform/ThreadHandOff.h"

#include <QImageReader>
#include <QMetaObject>
#include <QRunnable>
#include <QThread>

#include <algorithm>

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
}

void ThumbnailLoader::request(quint64 key, const QString& path)
{
    ++m_pending;
    const quint64 generation = m_generation->load();
    std::shared_ptr<std::atomic<quint64>> current = m_generation;
    const QSize maxSize = m_maxSize;
    // the pool hands the task over, and the queued call the result back
    ThreadHandOff::release(&m_pool);
    m_pool.start([this, current, generation, key, path, maxSize] {
        ThreadHandOff::acquire(&m_pool);
        if (current->load() != generation)
            return;
        const QImage thumbnail = load(path, maxSize);
        if (current->load() != generation)
            return;
        ThreadHandOff::release(this);
        QMetaObject::invokeMethod(
            this,
            [this, generation, key, thumbnail] {
                ThreadHandOff::acquire(this);
                deliver(generation, key, thumbnail);
            },
            Qt::QueuedConnection);
    });
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
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maxSize.width() || size.height() > maxSize.height()))
        reader.setScaledSize(size.scaled(maxSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > maxSize.width() || image.height() > maxSize.height()))
        image = image.scaled(maxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
