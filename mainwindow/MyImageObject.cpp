#include "mainwindow/MyImageObject.h"

MyImageObject MyImageObject::initWithImage_Path(const QString& path, const QString& image_Name,
                                                const QString& image_UID)
{
    MyImageObject item;
    item.path = path;
    item.image_Name = image_Name;
    item.image_UID = image_UID;
    return item;
}

MyImageObject MyImageObject::initWithImage(const QImage& image, const QString& image_Name, const QString& image_UID)
{
    MyImageObject item;
    item.image = image.copy();
    item.image_Name = image_Name;
    item.image_UID = image_UID;
    return item;
}
