#pragma once

#include <QImage>
#include <QString>

// One item of a picture browser: the picture's file, the title shown under
// it and the item's identifier (both the file name). An item made from a
// picture holds a copy of it and no path.
class MyImageObject
{
public:
    MyImageObject() = default;

    // initWithImage_Path:image_Name:image_UID:
    static MyImageObject initWithImage_Path(const QString& path, const QString& image_Name, const QString& image_UID);
    // initWithImage:image_Name:image_UID:
    static MyImageObject initWithImage(const QImage& image, const QString& image_Name, const QString& image_UID);

    void setPath(const QString& newPath) { path = newPath; }

    // What the item answers as a browser item.
    const QString& imageRepresentation() const { return path; }
    const QString& imageUID() const { return image_UID; }
    const QString& imageTitle() const { return image_Name; }
    const QString& imageSubtitle() const { return image_Name; }

    QString path;
    QImage image;
    QString image_Name;
    QString image_UID;
};
