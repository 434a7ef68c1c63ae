#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// Decodes pictures into small thumbnails on worker threads and hands each
// one to the GUI thread (the thread the loader lives in) through
// thumbnailReady. Results asked for before the last cancelAll() are never
// delivered; the destructor cancels and waits for the decodes under way, so
// no result reaches a loader that is gone.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    // Thumbnails fit within `maxSize`, keeping the picture's proportions.
    explicit ThumbnailLoader(QSize maxSize, QObject* parent = nullptr);
    ~ThumbnailLoader() override;

    QSize maxSize() const { return m_maxSize; }
    // Queues the decode of `path`; its thumbnail arrives with `key`.
    void request(quint64 key, const QString& path);
    // Drops what is queued; results of decodes under way are ignored.
    void cancelAll();
    // Requests whose thumbnails have not arrived yet.
    int pending() const { return m_pending; }

    // The decode itself: the picture at `path` scaled down (never up) to fit
    // `maxSize` while it is read; a null picture when it cannot be read.
    static QImage load(const QString& path, QSize maxSize);

signals:
    // A null image when the file could not be read.
    void thumbnailReady(quint64 key, const QImage& thumbnail);
    // The last pending thumbnail arrived.
    void allArrived();

private:
    class Decode;
    struct Arrival
    {
        quint64 generation;
        quint64 key;
        QImage thumbnail;
    };

    // On a worker thread: keeps the thumbnail for the GUI thread and asks it
    // to deliver what arrived.
    void arrive(quint64 generation, quint64 key, const QImage& thumbnail);
    // On the GUI thread, queued by arrive(): delivers what arrived, in order.
    Q_INVOKABLE void deliverArrived();
    void deliver(quint64 generation, quint64 key, const QImage& thumbnail);

    QSize m_maxSize;
    QThreadPool m_pool;
    // Raised by cancelAll(); jobs of an older generation skip their work.
    std::shared_ptr<std::atomic<quint64>> m_generation;
    int m_pending = 0;
    std::mutex m_arrivedLock;
    std::vector<Arrival> m_arrived;
};
