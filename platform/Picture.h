#pragma once

#include <QImage>
#include <QMetaType>
#include <QSizeF>
#include <QString>

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
    // resolution, 72 dpi when the file records none. Null when unreadable.
    static Picture fromFile(const QString& path);

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    QSizeF size() const { return m_size; }
    void setSize(QSizeF s) { m_size = s; }

    static QSizeF sizeInPoints(const QImage& image);

private:
    QImage m_image;
    QSizeF m_size;
};

Q_DECLARE_METATYPE(Picture)
