#include "output/CardExportPlan.h"

#include "platform/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

CardExportPlan CardExportPlan::forPath(const QString& path, const QString& sides, bool combined)
{
    CardExportPlan plan;
    if (sides == QLatin1String("BOTH")) {
        plan.drawFront = plan.drawBack = true;
        plan.combined = combined;
        plan.frontFile = frontPath(path);
        if (!combined)
            plan.backFile = backPath(path);
    } else if (sides == QLatin1String("F")) {
        plan.drawFront = true;
        plan.frontFile = frontPath(path);
    } else {
        plan.drawBack = true;
        plan.backFile = backPath(path);
    }
    return plan;
}

CardExportPlan CardExportPlan::forRecord(const QString& folder, int record, const QString& type,
                                         const QString& sides, bool combined)
{
    const QString name = QStringLiteral("Card_%1.%2").arg(record + 1).arg(type);
    return forPath(QDir(folder).filePath(name), sides, combined);
}

QString CardExportPlan::frontPath(const QString& path)
{
    return path;
}

QString CardExportPlan::backPath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    return folder + QStringLiteral("%1_Back.%2").arg(stem, extension);
}

QString CardExportPlan::batchFolder(const QString& chosen)
{
    return QDir(chosen).filePath(QStringLiteral("Vesk Brightfold"));
}

QString CardExportPlan::extensionOfType(const QString& title)
{
    return title.trimmed().toLower();
}

double CardExportPlan::pictureDpi(const QString& type, double chosenDpi)
{
    const QString extension = type.trimmed().toLower();
    const bool tiff = extension == QLatin1String("tiff") || extension == QLatin1String("tif");
    // beyond 1200 dpi a card picture would run into hundreds of megabytes
    if (tiff && chosenDpi >= 1 && chosenDpi <= 1200)
        return chosenDpi;
    return cardDpi;
}

QImage combinedCardPicture(const QImage& front, const QImage& back)
{
    if (front.isNull() || back.isNull())
        return QImage();
    const int w = front.width();
    const int h = front.height();
    QImage combined(w, 2 * h, QImage::Format_ARGB32);
    combined.fill(Qt::transparent);
    combined.setDotsPerMeterX(front.dotsPerMeterX());
    combined.setDotsPerMeterY(front.dotsPerMeterY());
    QPainter painter(&combined);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Lower-left corners: the back's on the picture's bottom edge, the
    // front's on the middle line; the front, drawn last, covers the upper half.
    painter.drawImage(QPoint(0, 2 * h - back.height()), back);
    painter.drawImage(QPoint(0, h - front.height()), front);
    painter.end();
    return combined;
}

namespace {

QByteArray formatOf(const QString& path, QImage& image)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg")) {
        // JPEG has no alpha: flatten on white rather than black.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        flat.setDotsPerMeterX(image.dotsPerMeterX());
        flat.setDotsPerMeterY(image.dotsPerMeterY());
        QPainter painter(&flat);
        painter.drawImage(QPoint(0, 0), image);
        painter.end();
        image = flat;
        return "jpeg";
    }
    if (extension == QLatin1String("tif") || extension == QLatin1String("tiff"))
        return "tiff";
    if (extension == QLatin1String("bmp"))
        return "bmp";
    return "png";
}

}

QByteArray encodeCardPicture(const QImage& source, const QString& path, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QByteArray();
    };
    if (source.isNull())
        return fail(QStringLiteral("Invalid image"));
    QImage image = source;
    const QByteArray format = formatOf(path, image);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg")
        writer.setQuality(95);
    if (!writer.write(image))
        return fail(writer.errorString());
    if (data.isEmpty())
        return fail(QStringLiteral("Invalid image"));
    return data;
}

bool writeCardPictureData(const QByteArray& data, const QString& path, QString* error, AtomicFile::Links links)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(path);
    if (info.isDir() && (links == AtomicFile::Links::Follow || !info.isSymLink()))
        return fail(QStringLiteral("%1 is a folder.").arg(path));
    // The whole file replaces the old one in one step.
    QString reason;
    if (!AtomicFile::save(path, data, &reason, AtomicFile::Access::Usual, links))
        return fail(reason);
    return true;
}

bool writeCardPicture(const QImage& source, const QString& path, QString* error)
{
    if (source.isNull()) {
        if (error)
            *error = QStringLiteral("Invalid image");
        return false;
    }
    if (QFileInfo(path).isDir()) {
        if (error)
            *error = QStringLiteral("%1 is a folder.").arg(path);
        return false;
    }
    const QByteArray data = encodeCardPicture(source, path, error);
    return !data.isEmpty() && writeCardPictureData(data, path, error);
}

bool makeCardFolder(const QString& folder, QString* error)
{
    if (QDir().mkpath(folder))
        return true;
    // mkpath keeps the system's reason to itself: the last step once more
    // tells it (and succeeds if the folder came meanwhile)
    const QByteArray path = QFile::encodeName(folder);
    const int why = ::mkdir(path.constData(), 0777) == 0 ? 0 : errno;
    if (why == 0 || (why == EEXIST && QFileInfo(folder).isDir()))
        return true;
    if (error)
        *error = QStringLiteral("The folder could not be made: %1").arg(QString::fromLocal8Bit(std::strerror(why)));
    return false;
}
