#pragma once

#include <QImage>
#include <QMetaType>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

// A picture as the card model stores it: the pixels and the size in points at
// which they are drawn (pixels * 72 / resolution). A null picture stands for
// a missing one.
class Picture
{
public:
    Picture() = default;
    explicit Picture(QImage image);               // size from the image's resolution
    Picture(QImage image, QSizeF sizeInPoints);

    // Reads a picture file; its size in points comes from the file's
    // resolution, 72 dpi when the file records none. Null when unreadable or
    // when the path names no regular file (a FIFO, a device, a folder).
    static Picture fromFile(const QString& path);

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    QSizeF size() const { return m_size; }
    void setSize(QSizeF s) { m_size = s; }

    static QSizeF sizeInPoints(const QImage& image);

    // Bytes made from the picture (such as its archived form), made once and
    // shared by its copies: `make` runs only when no bytes of this kind are
    // kept for the picture at its current size. Safe from any thread.
    QByteArray cachedData(const char* kind, const std::function<QByteArray(const Picture&)>& make) const;

    // The picture turned about its centre by `degrees` (counter-clockwise on
    // the card for positive angles). The angle is taken modulo 360 with its
    // sign kept; at 0 the picture itself comes back. At +-90 and +-270 the
    // width and height swap, at +-180 they stay, and any other angle gives a
    // transparent square of side max(width, height) + 20 points with the
    // picture in its middle, at the picture's pixel density unless that
    // would give more than twice its longer side's pixels and more than
    // 600 per inch. Null when the new pixels cannot be allocated.
    Picture imageRotated(float degrees) const;

private:
    struct DataCache;

    QImage m_image;
    QSizeF m_size;
    std::shared_ptr<DataCache> m_cache;   // made with the pixels, which never change afterwards
};

Q_DECLARE_METATYPE(Picture)
